// Banded LU in the manner of LAPACK's gbtrf: row interchanges within the band, the upper factor
// widening to kl + ku, multipliers kept unpermuted and applied in order during the solve.
#include "engine/Solver.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <queue>

namespace engine {

void SparseMatrix::Add(int i, int j, double v) {
  auto& r = rows_[i];
  for (auto& e : r)
    if (e.first == j) {
      e.second += v;
      return;
    }
  r.emplace_back(j, v);
}

double SparseMatrix::At(int i, int j) const {
  for (const auto& e : rows_[i])
    if (e.first == j) return e.second;
  return 0.0;
}

std::vector<double> SparseMatrix::Multiply(const std::vector<double>& x) const {
  std::vector<double> y(rows_.size(), 0.0);
  for (size_t i = 0; i < rows_.size(); ++i) {
    double s = 0;
    for (const auto& e : rows_[i]) s += e.second * x[e.first];
    y[i] = s;
  }
  return y;
}

double SparseMatrix::NormInf() const {
  double m = 0;
  for (const auto& r : rows_) {
    double s = 0;
    for (const auto& e : r) s += std::fabs(e.second);
    m = std::max(m, s);
  }
  return m;
}

int Bandwidth(const SparseMatrix& a, const std::vector<int>& inv) {
  int bw = 0;
  for (int i = 0; i < a.Size(); ++i)
    for (const auto& e : a.Row(i)) bw = std::max(bw, std::abs(inv[i] - inv[e.first]));
  return bw;
}

std::vector<int> ReverseCuthillMcKee(const SparseMatrix& a) {
  const int n = a.Size();
  std::vector<std::vector<int>> adj(n);
  for (int i = 0; i < n; ++i)
    for (const auto& e : a.Row(i))
      if (e.first != i) {
        adj[i].push_back(e.first);
        adj[e.first].push_back(i);
      }
  for (auto& v : adj) {
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
  }
  std::vector<int> order;
  order.reserve(n);
  std::vector<char> seen(n, 0);
  while (static_cast<int>(order.size()) < n) {
    int start = -1;
    for (int i = 0; i < n; ++i)
      if (!seen[i] && (start < 0 || adj[i].size() < adj[start].size())) start = i;
    std::queue<int> q;
    q.push(start);
    seen[start] = 1;
    while (!q.empty()) {
      const int v = q.front();
      q.pop();
      order.push_back(v);
      std::vector<int> next;
      for (int u : adj[v])
        if (!seen[u]) seen[u] = 1, next.push_back(u);
      std::sort(next.begin(), next.end(), [&](int x, int y) {
        return adj[x].size() != adj[y].size() ? adj[x].size() < adj[y].size() : x < y;
      });
      for (int u : next) q.push(u);
    }
  }
  std::reverse(order.begin(), order.end());
  return order;
}

namespace {
constexpr size_t kMaxBandEntries = size_t{1} << 24;  // 128 MiB of band storage
}  // namespace

bool BandedSolver::Factor(const SparseMatrix& a) {
  a_ = &a;
  n_ = a.Size();
  perm_.resize(n_);
  std::iota(perm_.begin(), perm_.end(), 0);
  inv_ = perm_;
  int bw = Bandwidth(a, inv_);
  stats_ = SolveStats{};
  if (bw > 32) {
    std::vector<int> order = ReverseCuthillMcKee(a);
    std::vector<int> inv(n_);
    for (int k = 0; k < n_; ++k) inv[order[k]] = k;
    const int bw2 = Bandwidth(a, inv);
    if (bw2 < bw) {
      perm_ = order;
      inv_ = inv;
      bw = bw2;
      stats_.reordered = true;
    }
  }
  stats_.bandwidth = bw;
  kl_ = ku_ = bw;
  w_ = 2 * kl_ + ku_ + 1;
  // A hand-made grid of odd topology can leave a band that no reordering narrows; its storage
  // would run to gigabytes, so it is refused with a message instead of exhausting memory.
  tooWide_ = static_cast<size_t>(n_) * static_cast<size_t>(w_) > kMaxBandEntries;
  if (tooWide_) return false;
  ab_.assign(static_cast<size_t>(n_) * w_, 0.0);
  for (int i = 0; i < n_; ++i)
    for (const auto& e : a.Row(i)) At(inv_[i], inv_[e.first]) += e.second;

  pivot_.assign(n_, 0);
  zeroPivot_ = -1;
  for (int k = 0; k < n_; ++k) {
    const int last = std::min(n_ - 1, k + kl_);
    int p = k;
    double best = std::fabs(AtC(k, k));
    for (int r = k + 1; r <= last; ++r)
      if (std::fabs(AtC(r, k)) > best) best = std::fabs(AtC(r, k)), p = r;
    pivot_[k] = p;
    if (best == 0.0 || !std::isfinite(best)) {
      zeroPivot_ = perm_[k];
      return false;
    }
    const int colEnd = std::min(n_ - 1, k + kl_ + ku_);
    if (p != k)
      for (int j = k; j <= colEnd; ++j) std::swap(At(k, j), At(p, j));
    const double piv = AtC(k, k);
    for (int r = k + 1; r <= last; ++r) {
      const double l = AtC(r, k) / piv;
      At(r, k) = l;
      if (l == 0.0) continue;
      for (int j = k + 1; j <= colEnd; ++j) At(r, j) -= l * AtC(k, j);
    }
  }
  return true;
}

std::vector<double> BandedSolver::SolveFactored(const std::vector<double>& pb) const {
  std::vector<double> x = pb;
  for (int k = 0; k < n_; ++k) {
    if (pivot_[k] != k) std::swap(x[k], x[pivot_[k]]);
    const int last = std::min(n_ - 1, k + kl_);
    for (int r = k + 1; r <= last; ++r) x[r] -= AtC(r, k) * x[k];
  }
  for (int i = n_ - 1; i >= 0; --i) {
    const int colEnd = std::min(n_ - 1, i + kl_ + ku_);
    double s = x[i];
    for (int j = i + 1; j <= colEnd; ++j) s -= AtC(i, j) * x[j];
    x[i] = s / AtC(i, i);
  }
  return x;
}

std::vector<double> BandedSolver::Solve(const std::vector<double>& b) {
  std::vector<double> pb(n_);
  for (int i = 0; i < n_; ++i) pb[inv_[i]] = b[i];
  std::vector<double> px = SolveFactored(pb);
  std::vector<double> x(n_);
  for (int i = 0; i < n_; ++i) x[i] = px[inv_[i]];
  // One step of iterative refinement against the unfactored matrix.
  auto residual = [&](const std::vector<double>& xx) {
    std::vector<double> r = a_->Multiply(xx);
    for (int i = 0; i < n_; ++i) r[i] = b[i] - r[i];
    return r;
  };
  std::vector<double> r = residual(x);
  for (int i = 0; i < n_; ++i) pb[inv_[i]] = r[i];
  const std::vector<double> pd = SolveFactored(pb);
  for (int i = 0; i < n_; ++i) x[i] += pd[inv_[i]];
  r = residual(x);
  double rn = 0, xn = 0, bn = 0;
  for (int i = 0; i < n_; ++i) {
    rn = std::max(rn, std::fabs(r[i]));
    xn = std::max(xn, std::fabs(x[i]));
    bn = std::max(bn, std::fabs(b[i]));
  }
  const double denom = a_->NormInf() * xn + bn;
  const double rel = denom > 0 ? rn / denom : (rn > 0 || !std::isfinite(rn) ? INFINITY : 0.0);
  stats_.residual = std::max(stats_.residual, std::isfinite(rel) ? rel : INFINITY);
  return x;
}

}  // namespace engine
