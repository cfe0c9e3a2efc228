// Direct solution of the steady-state balances: a small sparse matrix, ordered for a narrow band
// (natural order, or reverse Cuthill-McKee when that band is wide), factored by banded LU with
// partial pivoting, solved with one step of iterative refinement.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace engine {

class SparseMatrix {
 public:
  explicit SparseMatrix(int n) : rows_(n) {}
  int Size() const { return static_cast<int>(rows_.size()); }
  void Add(int i, int j, double v);
  double At(int i, int j) const;
  const std::vector<std::pair<int, double>>& Row(int i) const { return rows_[i]; }
  std::vector<double> Multiply(const std::vector<double>& x) const;
  double NormInf() const;

 private:
  std::vector<std::vector<std::pair<int, double>>> rows_;
};

struct SolveStats {
  int bandwidth = 0;      // kl = ku of the ordering used
  bool reordered = false; // reverse Cuthill-McKee was applied
  double residual = 0;    // worst relative residual of the solves, after refinement
};

class BandedSolver {
 public:
  // Factors the matrix; false when a pivot is zero (then `zeroPivot` names the unknown).
  bool Factor(const SparseMatrix& a);
  // Solves A x = b; the relative residual after refinement goes into stats().
  std::vector<double> Solve(const std::vector<double>& b);
  const SolveStats& Stats() const { return stats_; }
  int ZeroPivot() const { return zeroPivot_; }
  // True when Factor refused a band too large to store (no factorisation was tried).
  bool TooWide() const { return tooWide_; }

 private:
  std::vector<double> SolveFactored(const std::vector<double>& pb) const;  // permuted space
  double& At(int i, int j) { return ab_[static_cast<size_t>(i) * w_ + (j - i + kl_)]; }
  double AtC(int i, int j) const { return ab_[static_cast<size_t>(i) * w_ + (j - i + kl_)]; }

  const SparseMatrix* a_ = nullptr;
  int n_ = 0, kl_ = 0, ku_ = 0, w_ = 0;
  std::vector<int> perm_;   // new index -> old index
  std::vector<int> inv_;    // old index -> new index
  std::vector<int> pivot_;  // row interchanges of the factorisation
  std::vector<double> ab_;
  int zeroPivot_ = -1;
  bool tooWide_ = false;
  SolveStats stats_;
};

// The bandwidth max |i - j| of the matrix under an ordering (new -> old).
int Bandwidth(const SparseMatrix& a, const std::vector<int>& inv);
std::vector<int> ReverseCuthillMcKee(const SparseMatrix& a);

}  // namespace engine
