// Binary grid files are little-endian int32/float32 without padding; the exchange table is
// fixed-width text whose fields may touch ("     41.234500E+03"), with a blank-separated fallback
// for hand-made tables.
#include "engine/GridFiles.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <queue>

#include "engine/Messages.h"
#include "engine/Numbers.h"
#include "engine/Text.h"

namespace engine {

namespace {

int32_t Int32At(std::string_view b, size_t off) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b[off + i]);
  int32_t v;
  std::memcpy(&v, &u, 4);
  return v;
}

float FloatAt(std::string_view b, size_t off) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b[off + i]);
  float f;
  std::memcpy(&f, &u, 4);
  return f;
}

// Decoding time of the grid files, for the listing's phase times; the readers are called from
// inside the input reader, so they keep their own account.
thread_local double tDecodeMs = 0;
struct DecodeTimer {
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  ~DecodeTimer() {
    tDecodeMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
};

std::string Prefix(const std::string& name, int line, int col) {
  return name + ":" + std::to_string(line) + ":" + std::to_string(col) + ": ";
}

}  // namespace

double TakeGridDecodeTime() {
  const double t = tDecodeMs;
  tDecodeMs = 0;
  return t;
}

std::vector<double> ReadVolumes(const std::string& name, std::string_view b, int noseg, Report& report) {
  const DecodeTimer timer;
  const size_t rec = 4 + 4 * static_cast<size_t>(noseg);
  if (b.size() < rec || b.size() % rec != 0)
    Fail("", Msg::GridFileSize, name, b.size(),
         "a multiple of " + std::to_string(rec) + " (time + " + std::to_string(noseg) +
             " volumes per record) expected");
  std::vector<double> v(noseg);
  for (int i = 0; i < noseg; ++i) {
    const float f = FloatAt(b, 4 + 4 * static_cast<size_t>(i));
    if (!std::isfinite(f) || f <= 0) Fail("", Msg::GridValue, name, "the volume", i + 1, Num(f));
    v[i] = f;
  }
  const size_t nrec = b.size() / rec;
  for (size_t r = 1; r < nrec; ++r) {
    if (std::memcmp(b.data() + 4, b.data() + r * rec + 4, rec - 4) != 0) {
      report.Warn(name + ": record " + std::to_string(r + 1) +
                  " differs from record 1; the steady state uses record 1.");
      break;
    }
  }
  return v;
}

std::vector<double> ReadSurfaces(const std::string& name, std::string_view b, int noseg) {
  const DecodeTimer timer;
  const size_t want = 24 + 4 * static_cast<size_t>(noseg);
  if (b.size() != want)
    Fail("", Msg::GridFileSize, name, b.size(),
         std::to_string(want) + " (six header integers + " + std::to_string(noseg) + " surfaces) expected");
  for (int item = 3; item <= 5; ++item) {
    const int32_t h = Int32At(b, 4 * (item - 1));
    if (h != noseg) Fail("", Msg::GridFileHeader, name, item, h, noseg);
  }
  std::vector<double> s(noseg);
  for (int i = 0; i < noseg; ++i) {
    const float f = FloatAt(b, 24 + 4 * static_cast<size_t>(i));
    if (!std::isfinite(f) || f <= 0) Fail("", Msg::GridValue, name, "the surface", i + 1, Num(f));
    s[i] = f;
  }
  return s;
}

namespace {

// The lines of a table as views into one copy of its bytes, tabs as blanks: no string per line.
struct Lines {
  std::string bytes;
  std::vector<std::string_view> text;
  explicit Lines(std::string_view b) : bytes(b) {
    std::replace(bytes.begin(), bytes.end(), '\t', ' ');
    const std::string_view all(bytes);
    size_t at = 0;
    while (at < all.size()) {
      const size_t end = all.find('\n', at);
      std::string_view line = all.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      text.push_back(line);
      if (end == std::string_view::npos) break;
      at = end + 1;
    }
  }
};

std::vector<std::pair<std::string, int>> Split(std::string_view s) {
  std::vector<std::pair<std::string, int>> out;
  size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && s[i] == ' ') ++i;
    if (i >= s.size()) break;
    const size_t b = i;
    while (i < s.size() && s[i] != ' ') ++i;
    out.emplace_back(std::string(s.substr(b, i - b)), static_cast<int>(b) + 1);
  }
  return out;
}

std::string_view BeforeComment(std::string_view s, char comment) {
  const size_t c = s.find(comment);
  std::string_view t = c == std::string_view::npos ? s : s.substr(0, c);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

std::string_view TrimView(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return s.substr(b, e - b);
}

struct RawRecord {
  int ptr[4];
  double val[5];
};

const char* const kFieldNames[9] = {"from", "to", "from-1", "to+1", "dispersion", "area", "flow", "length-from", "length-to"};

// Fixed-width fields; returns the 0-based index of the first bad field (its text in `bad`), or -1.
int ParseFixed(std::string_view t, RawRecord& r, std::string& bad) {
  static const int start[10] = {0, 6, 12, 18, 24, 36, 47, 58, 69, 80};
  for (int f = 0; f < 9; ++f) {
    const std::string_view field = TrimView(t.substr(start[f], start[f + 1] - start[f]));
    if (f < 4) {
      const IntResult ir = ParseInt(field);
      if (ir.status != NumberStatus::Ok) return bad = std::string(field), f;
      r.ptr[f] = static_cast<int>(ir.value);
    } else {
      const RealResult rr = ParseReal(field);
      if (rr.status != NumberStatus::Ok) return bad = std::string(field), f;
      r.val[f - 4] = rr.value;
    }
  }
  return TrimView(t.substr(80)).empty() ? -1 : 9;
}

bool ParseSplit(std::string_view t, RawRecord& r) {
  const auto parts = Split(t);
  if (parts.size() != 9) return false;
  for (int f = 0; f < 9; ++f) {
    if (f < 4) {
      const IntResult ir = ParseInt(parts[f].first);
      if (ir.status != NumberStatus::Ok) return false;
      r.ptr[f] = static_cast<int>(ir.value);
    } else {
      const RealResult rr = ParseReal(parts[f].first);
      if (rr.status != NumberStatus::Ok) return false;
      r.val[f - 4] = rr.value;
    }
  }
  return true;
}

}  // namespace

ExchangeTable ReadExchangeTable(const std::string& name, std::string_view bytes, char comment,
                                const int counts[3], int noseg) {
  const DecodeTimer timer;
  const Lines lines(bytes);
  size_t li = 0;
  auto nextDataLine = [&]() -> int {
    while (li < lines.text.size()) {
      const std::string_view t = BeforeComment(lines.text[li], comment);
      ++li;
      if (!TrimView(t).empty()) return static_cast<int>(li);  // 1-based line number
    }
    return 0;
  };

  const int first = nextDataLine();
  if (first == 0) Fail(Prefix(name, 1, 1), Msg::CountMismatch, "the table is empty");
  {
    const auto parts = Split(BeforeComment(lines.text[first - 1], comment));
    int fileCounts[3];
    if (parts.size() != 3)
      Fail(Prefix(name, first, 1), Msg::CountMismatch,
           "the first line must hold the exchange counts of the three directions");
    for (int i = 0; i < 3; ++i) {
      const IntResult ir = ParseInt(parts[i].first);
      if (ir.status != NumberStatus::Ok)
        Fail(Prefix(name, first, parts[i].second), Msg::ExpectedInteger,
             "exchange count " + std::to_string(i + 1), "'" + parts[i].first + "'");
      fileCounts[i] = static_cast<int>(ir.value);
    }
    if (fileCounts[0] != counts[0] || fileCounts[1] != counts[1] || fileCounts[2] != counts[2])
      Fail(Prefix(name, first, 1), Msg::CountMismatch,
           "the table holds " + std::to_string(fileCounts[0]) + " " + std::to_string(fileCounts[1]) +
               " " + std::to_string(fileCounts[2]) + " exchanges, the input file says " +
               std::to_string(counts[0]) + " " + std::to_string(counts[1]) + " " +
               std::to_string(counts[2]));
  }
  double scale[4];
  {
    const int ln = nextDataLine();
    if (ln == 0) Fail(Prefix(name, static_cast<int>(lines.text.size()), 1), Msg::TableEnds, 0, counts[0] + counts[1] + counts[2]);
    const auto parts = Split(BeforeComment(lines.text[ln - 1], comment));
    if (parts.size() != 4)
      Fail(Prefix(name, ln, 1), Msg::CountMismatch,
           "expected the four scale factors of dispersion, area, flow and length, found " +
               std::to_string(parts.size()) + " fields");
    for (int i = 0; i < 4; ++i) {
      const RealResult rr = ParseReal(parts[i].first);
      if (rr.status != NumberStatus::Ok)
        Fail(Prefix(name, ln, parts[i].second), Msg::ExpectedNumber, "scale factor " + std::to_string(i + 1),
             "'" + parts[i].first + "'");
      scale[i] = rr.value;
    }
  }

  const int noq = counts[0] + counts[1] + counts[2];
  ExchangeTable out;
  // The counts come from the files; reserve no more than the table has lines.
  const size_t room = std::min(static_cast<size_t>(noq), lines.text.size());
  out.exchanges.reserve(room);
  std::vector<RawRecord> raw;
  std::vector<int> lineOf;
  raw.reserve(room);
  for (int k = 1; k <= noq; ++k) {
    const int ln = nextDataLine();
    if (ln == 0) Fail(Prefix(name, static_cast<int>(lines.text.size()), 1), Msg::TableEnds, k - 1, noq);
    const std::string_view t = BeforeComment(lines.text[ln - 1], comment);
    RawRecord r{};
    std::string bad;
    int badField = t.size() >= 80 ? ParseFixed(t, r, bad) : -2;
    if (badField != -1 && !ParseSplit(t, r)) {
      if (badField >= 0 && badField < 9) {
        static const int start[9] = {0, 6, 12, 18, 24, 36, 47, 58, 69};
        Fail(Prefix(name, ln, start[badField] + 1), Msg::TableField, k, kFieldNames[badField], bad);
      }
      Fail(Prefix(name, ln, 1), Msg::TableRecord, k,
           "expected fixed-width fields from, to, from-1, to+1 (6 columns each), dispersion (12), "
           "area, flow, length-from, length-to (11 each), or nine blank-separated numbers");
    }
    raw.push_back(r);
    lineOf.push_back(ln);
  }
  if (nextDataLine() != 0) Fail(Prefix(name, static_cast<int>(li), 1), Msg::TableExtra, noq);

  // Every boundary is named in block 5, so a boundary number beyond the exchange count is a typo
  // that would ask for millions of names.
  for (int k = 0; k < noq; ++k)
    for (int f = 0; f < 2; ++f)
      if (raw[k].ptr[f] < -noq)
        Fail(Prefix(name, lineOf[k], 1), Msg::TableRecord, k + 1,
             Text(Msg::BoundaryCount, -static_cast<int64_t>(raw[k].ptr[f]), noq));
  for (const RawRecord& r : raw) out.nobnd = std::max({out.nobnd, -r.ptr[0], -r.ptr[1]});
  for (int k = 0; k < noq; ++k) {
    const RawRecord& r = raw[k];
    // Where a record failed, made only when one does.
    const auto where = [&] { return Prefix(name, lineOf[k], 1); };
    for (int f = 0; f < 4; ++f) {
      const int p = r.ptr[f];
      const bool slotMayBeZero = f >= 2;
      if ((p == 0 && !slotMayBeZero) || p > noseg || p < -out.nobnd)
        Fail(where(), Msg::TableRecord, k + 1,
             std::string(kFieldNames[f]) + " pointer " + std::to_string(p) + " is not a segment 1.." +
                 std::to_string(noseg) + (out.nobnd > 0 ? " or a boundary -1..-" + std::to_string(out.nobnd) : ""));
    }
    if (r.ptr[0] == r.ptr[1]) Fail(where(), Msg::TableRecord, k + 1, "'from' and 'to' are the same");
    if (r.ptr[0] < 0 && r.ptr[1] < 0)
      Fail(where(), Msg::TableRecord, k + 1, "'from' and 'to' are both open boundaries");
    Exchange e;
    e.from = r.ptr[0];
    e.to = r.ptr[1];
    e.D = r.val[0] * scale[0];
    e.A = r.val[1] * scale[1];
    e.F = r.val[2] * scale[2];
    e.L1 = r.val[3] * scale[3];
    e.L2 = r.val[4] * scale[3];
    const double vals[5] = {e.D, e.A, e.F, e.L1, e.L2};
    for (int i = 0; i < 5; ++i)
      if (!std::isfinite(vals[i]))
        Fail(where(), Msg::TableRecord, k + 1, std::string(kFieldNames[4 + i]) + " is out of range after scaling");
    if (e.D < 0) Fail(where(), Msg::TableRecord, k + 1, "the dispersion is negative");
    if (e.A < 0) Fail(where(), Msg::TableRecord, k + 1, "the area is negative");
    if (e.L1 < 0 || e.L2 < 0) Fail(where(), Msg::TableRecord, k + 1, "a length is negative");
    if (!(e.L1 + e.L2 > 0)) Fail(where(), Msg::TableRecord, k + 1, "the two lengths add up to 0");
    out.exchanges.push_back(e);
  }
  return out;
}

void RepairWaterBalance(Problem& p, Report& report) {
  const int n = p.noseg;
  std::vector<double> net(n, 0.0), in(n, 0.0), out(n, 0.0);
  std::vector<int> bigBoundary(n, -1);
  for (size_t k = 0; k < p.exchanges.size(); ++k) {
    const Exchange& e = p.exchanges[k];
    // F > 0 leaves "from" and enters "to".
    if (e.from > 0) {
      net[e.from - 1] -= e.F;
      (e.F >= 0 ? out : in)[e.from - 1] += std::fabs(e.F);
    }
    if (e.to > 0) {
      net[e.to - 1] += e.F;
      (e.F >= 0 ? in : out)[e.to - 1] += std::fabs(e.F);
    }
    const int seg = e.from < 0 ? e.to : (e.to < 0 ? e.from : 0);
    if (seg > 0) {
      int& b = bigBoundary[seg - 1];
      if (b < 0 || std::fabs(e.F) > std::fabs(p.exchanges[b].F)) b = static_cast<int>(k);
    }
  }
  int count = 0;
  for (int i = 0; i < n; ++i) {
    const double thru = std::max(in[i], out[i]);
    const double r = net[i];
    if (r == 0) continue;
    const std::string seg = std::to_string(i + 1);
    if (bigBoundary[i] >= 0) {
      if (std::fabs(r) > 1e-3 * thru)
        Fail("", Msg::WaterBalance, seg, Num(r), Num(thru > 0 ? std::fabs(r) / thru : 1), Num(thru),
             "more than the table's rounding (1E-3) explains");
      Exchange& e = p.exchanges[bigBoundary[i]];
      const double s = e.from == i + 1 ? 1.0 : -1.0;
      e.F += s * r;
      ++count;
      report.Note("Water balance: segment " + seg + " off by " + Num(r) + " m3/s (" +
                  Num(thru > 0 ? std::fabs(r) / thru : 0) + " of its throughput); added to its boundary exchange " +
                  std::to_string(bigBoundary[i] + 1) + ".");
    } else if (std::fabs(r) > 1e-9 * thru) {
      Fail("", Msg::WaterBalance, seg, Num(r), Num(thru > 0 ? std::fabs(r) / thru : 1), Num(thru),
           "the segment has no boundary exchange to take up the difference");
    }
  }
  if (count == 0) report.Note("Water balance: every segment balances as read.");
}

void CheckConnected(const Problem& p) {
  const int n = p.noseg;
  std::vector<std::vector<int>> adj(n);
  std::vector<char> reached(n, 0);
  std::queue<int> q;
  for (const Exchange& e : p.exchanges) {
    const double K = e.D * e.A / (e.L1 + e.L2);
    if (!(K > 0) && e.F == 0) continue;
    if (e.from > 0 && e.to > 0) {
      adj[e.from - 1].push_back(e.to - 1);
      adj[e.to - 1].push_back(e.from - 1);
    } else {
      const int s = (e.from > 0 ? e.from : e.to) - 1;
      if (!reached[s]) reached[s] = 1, q.push(s);
    }
  }
  while (!q.empty()) {
    const int s = q.front();
    q.pop();
    for (int t : adj[s])
      if (!reached[t]) reached[t] = 1, q.push(t);
  }
  int missing = 0, first = 0;
  for (int i = 0; i < n; ++i)
    if (!reached[i]) {
      if (missing++ == 0) first = i + 1;
    }
  if (missing) Fail("", Msg::Unconnected, missing, first);
}

}  // namespace engine
