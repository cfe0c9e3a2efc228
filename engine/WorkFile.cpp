// Step 2 trusts the work file only after its magic, version and CRC check out, and still reads
// it with bounds checks, so a damaged file is refused instead of read past its end.
#include "engine/WorkFile.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstring>

#include "engine/Messages.h"

namespace engine {

namespace {

constexpr char kMagic[8] = {'T', 'L', 'M', 'O', 'W', 'R', 'K', '1'};

class Writer {
 public:
  void U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xff));
  }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void F64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xff));
  }
  void Str(const std::string& s) {
    U32(static_cast<uint32_t>(s.size()));
    out += s;
  }
  std::string out;
};

struct Damaged {};

class ReaderBytes {
 public:
  explicit ReaderBytes(std::string_view b) : b_(b) {}
  uint32_t U32() {
    Need(4);
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b_[pos_ + i]);
    pos_ += 4;
    return v;
  }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  // A count that must fit the bytes left (each element at least `minBytes`).
  int Count(size_t minBytes) {
    const int32_t n = I32();
    if (n < 0 || static_cast<size_t>(n) * minBytes > b_.size() - pos_) throw Damaged{};
    return n;
  }
  double F64() {
    Need(8);
    uint64_t u = 0;
    for (int i = 7; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(b_[pos_ + i]);
    pos_ += 8;
    double v;
    std::memcpy(&v, &u, 8);
    if (!std::isfinite(v)) throw Damaged{};
    return v;
  }
  std::string Str() {
    const uint32_t n = U32();
    Need(n);
    std::string s(b_.substr(pos_, n));
    pos_ += n;
    return s;
  }
  bool AtEnd() const { return pos_ == b_.size(); }

 private:
  void Need(size_t n) {
    if (b_.size() - pos_ < n) throw Damaged{};
  }
  std::string_view b_;
  size_t pos_ = 0;
};

}  // namespace

uint32_t Crc32(std::string_view bytes) {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  uint32_t c = 0xFFFFFFFFu;
  for (unsigned char b : bytes) c = table[(c ^ b) & 0xff] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::string EncodeWork(const Problem& p) {
  Writer w;
  w.out.append(kMagic, 8);
  w.U32(kWorkFormatVersion);
  w.I32(p.Nosys());
  w.I32(p.noseg);
  w.I32(static_cast<int32_t>(p.exchanges.size()));
  w.I32(p.nobnd);
  w.I32(static_cast<int32_t>(p.loads.size()));
  w.I32(static_cast<int32_t>(p.constants.size()));
  w.I32(p.parameterCount);
  for (const auto& t : p.titles) w.Str(t);
  for (const auto& s : p.substances) w.Str(s);
  for (int r : p.role) w.I32(r);
  w.I32(p.noq1);
  w.I32(p.noq2);
  w.I32(p.noq3);
  w.I32(static_cast<int32_t>(p.estuary.size()));
  for (int s : p.estuary) w.I32(s);
  w.I32(p.marine);
  for (double v : p.volume) w.F64(v);
  for (double v : p.surface) w.F64(v);
  for (const Exchange& e : p.exchanges) {
    w.I32(e.from);
    w.I32(e.to);
    w.F64(e.D);
    w.F64(e.A);
    w.F64(e.F);
    w.F64(e.L1);
    w.F64(e.L2);
  }
  for (int b = 0; b < p.nobnd; ++b) {
    w.Str(p.boundaryNames[b]);
    for (double v : p.boundaryValues[b]) w.F64(v);
  }
  for (const WasteLoad& l : p.loads) {
    w.I32(l.segment);
    w.Str(l.name);
    for (double v : l.values) w.F64(v);
  }
  for (const Constant& c : p.constants) {
    w.Str(c.name);
    w.F64(c.raw);
    w.F64(c.scale);
    w.F64(c.value);
    w.I32(c.line);
    w.I32(c.col);
  }
  w.I32(p.warnings);
  w.U32(Crc32(w.out));
  return w.out;
}

Problem DecodeWork(std::string_view bytes, const std::string& name) {
  auto damaged = [&]() -> EngineError {
    return EngineError(kExitInvalidInput, Text(Msg::WorkDamaged, name));
  };
  if (bytes.size() < 16 || std::memcmp(bytes.data(), kMagic, 8) != 0) throw damaged();
  const std::string_view body = bytes.substr(0, bytes.size() - 4);
  ReaderBytes tail(bytes.substr(bytes.size() - 4));
  if (tail.U32() != Crc32(body)) throw damaged();
  try {
    ReaderBytes r(body.substr(8));
    if (r.U32() != kWorkFormatVersion) throw Damaged{};
    Problem p;
    const int nosys = r.Count(4);
    p.noseg = r.Count(16);
    const int noq = r.Count(48);
    p.nobnd = r.Count(4);
    const int nowst = r.Count(8);
    const int nconst = r.Count(32);
    p.parameterCount = r.I32();
    if (nosys != 3 || p.noseg < 1) throw Damaged{};
    for (auto& t : p.titles) t = r.Str();
    for (int i = 0; i < nosys; ++i) p.substances.push_back(r.Str());
    for (int& role : p.role) {
      role = r.I32();
      if (role < 0 || role >= nosys) throw Damaged{};
    }
    if (p.role[0] == p.role[1] || p.role[0] == p.role[2] || p.role[1] == p.role[2]) throw Damaged{};
    p.noq1 = r.I32();
    p.noq2 = r.I32();
    p.noq3 = r.I32();
    const int nest = r.Count(4);
    for (int i = 0; i < nest; ++i) {
      const int s = r.I32();
      if (s < 1 || s > p.noseg) throw Damaged{};
      p.estuary.push_back(s);
    }
    p.marine = r.I32();
    if (p.marine < 1 || p.marine > p.noseg) throw Damaged{};
    p.volume.resize(p.noseg);
    p.surface.resize(p.noseg);
    // Step 1 guarantees what the model divides by; a file that breaks it is not step 1's.
    for (double& v : p.volume)
      if (!((v = r.F64()) > 0)) throw Damaged{};
    for (double& v : p.surface)
      if (!((v = r.F64()) > 0)) throw Damaged{};
    for (int k = 0; k < noq; ++k) {
      Exchange e;
      e.from = r.I32();
      e.to = r.I32();
      e.D = r.F64();
      e.A = r.F64();
      e.F = r.F64();
      e.L1 = r.F64();
      e.L2 = r.F64();
      auto ok = [&](int q) { return (q >= 1 && q <= p.noseg) || (q <= -1 && q >= -p.nobnd); };
      if (!ok(e.from) || !ok(e.to) || e.from == e.to || (e.from < 0 && e.to < 0) || e.D < 0 || e.A < 0 ||
          e.L1 < 0 || e.L2 < 0 || !(e.L1 + e.L2 > 0))
        throw Damaged{};
      p.exchanges.push_back(e);
    }
    p.boundaryNames.resize(p.nobnd);
    p.boundaryValues.assign(p.nobnd, std::vector<double>(nosys));
    for (int b = 0; b < p.nobnd; ++b) {
      p.boundaryNames[b] = r.Str();
      for (double& v : p.boundaryValues[b]) v = r.F64();
    }
    for (int i = 0; i < nowst; ++i) {
      WasteLoad l;
      l.segment = r.I32();
      if (l.segment < 1 || l.segment > p.noseg) throw Damaged{};
      l.name = r.Str();
      l.values.resize(nosys);
      for (double& v : l.values) v = r.F64();
      p.loads.push_back(std::move(l));
    }
    for (int i = 0; i < nconst; ++i) {
      Constant c;
      c.name = r.Str();
      c.raw = r.F64();
      c.scale = r.F64();
      c.value = r.F64();
      c.line = r.I32();
      c.col = r.I32();
      p.constants.push_back(std::move(c));
    }
    p.warnings = r.I32();
    if (!r.AtEnd()) throw Damaged{};
    return p;
  } catch (const Damaged&) {
    throw damaged();
  }
}

}  // namespace engine
