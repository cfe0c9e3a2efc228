// Recursive descent over the nine blocks: one function per block, each consuming named items,
// so every message says which item was expected where. Repetitions (N*V) are expanded lazily
// and may not run past the list being read.
#include "engine/InputReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>

#include "engine/GridFiles.h"
#include "engine/Lexer.h"
#include "engine/Messages.h"
#include "engine/Numbers.h"
#include "engine/Text.h"

namespace engine {

namespace {

const char* const kBlockNames[] = {"header",
                                   "identification",
                                   "timers and areas",
                                   "segments",
                                   "transport",
                                   "boundary conditions",
                                   "waste loads",
                                   "process parameters",
                                   "initial conditions",
                                   "output"};

constexpr double kNoValue = -99999.0;
bool IsNoValue(double raw) { return std::fabs(raw - kNoValue) < 0.5; }

// Where a value stood and how it was written; kept small, as long lists are held whole.
struct At {
  int line = 0;
  int col = 0;
  std::string text;
};

// Bounds the memory that repetitions can expand into; the application's file holds a few thousand.
constexpr int64_t kMaxValues = 4000000;

struct Item {
  At tok;  // the token the value came from (for its location)
  double real = 0;
  int64_t integer = 0;
  std::string text;
};

enum class Kind { Int, Real, Name, Digits };

struct Area {
  std::string name;
  std::vector<Item> segments;
  At nameTok;
};

class Reader {
 public:
  Reader(const std::string& name, std::string_view bytes, const FileSource& files, Report& report)
      : lex_(name, bytes), files_(files), report_(report) {}

 private:
  std::string Prefix(int line, int col) const { return lex_.Where(line, col); }
  void Enter(int k) {
    block_ = k;
    lex_.SetContext(k > 0 ? "block " + std::to_string(k) + " (" + kBlockNames[k] + "): " : "");
  }
  std::string Prefix(const Token& t) const { return Prefix(t.line, t.col); }
  std::string Prefix(const At& a) const { return Prefix(a.line, a.col); }

  // One value of a list of n; `index` counts from 0.
  Item NextItem(Kind kind, int n, const std::string& what) {
    Token t;
    if (repLeft_ > 0) {
      t = rep_;
      --repLeft_;
    } else {
      t = lex_.Next();
      if (t.kind == Token::End || t.kind == Token::Delimiter) {
        if (n == 1) FailKind(t, kind, what);
        Fail(Prefix(t), Msg::ExpectedValues, n, what, Shown(t));
      }
      if (t.repeated) {
        rep_ = t;
        repLeft_ = t.repeat - 1;
      }
    }
    if (++values_ > kMaxValues) Fail(Prefix(t), Msg::TooManyValues, kMaxValues);
    Item it;
    it.tok = {t.line, t.col, t.text};
    switch (kind) {
      case Kind::Name:
        if (t.kind != Token::Quoted) FailKind(t, kind, what);
        it.text = t.text;
        break;
      case Kind::Digits:
        if (t.kind != Token::Raw || !IsDigits(t.text)) FailKind(t, kind, what);
        it.text = t.text;
        break;
      case Kind::Int: {
        if (t.kind != Token::Raw) FailKind(t, kind, what);
        const IntResult r = ParseInt(t.text);
        if (r.status == NumberStatus::OutOfRange) Fail(Prefix(t), Msg::NumberOutOfRange, t.text);
        if (r.status != NumberStatus::Ok) FailKind(t, kind, what);
        it.integer = r.value;
        it.real = static_cast<double>(r.value);
        break;
      }
      case Kind::Real: {
        if (t.kind != Token::Raw) FailKind(t, kind, what);
        const RealResult r = ParseReal(t.text);
        if (r.status == NumberStatus::OutOfRange) Fail(Prefix(t), Msg::NumberOutOfRange, t.text);
        if (r.status != NumberStatus::Ok) FailKind(t, kind, what);
        it.real = r.value;
        break;
      }
    }
    return it;
  }

  [[noreturn]] void FailKind(const Token& t, Kind kind, const std::string& what) {
    switch (kind) {
      case Kind::Int: Fail(Prefix(t), Msg::ExpectedInteger, what, Shown(t));
      case Kind::Real: Fail(Prefix(t), Msg::ExpectedNumber, what, Shown(t));
      case Kind::Name: Fail(Prefix(t), Msg::ExpectedName, what, Shown(t));
      case Kind::Digits: Fail(Prefix(t), Msg::ExpectedDigits, what, Shown(t));
    }
    Fail(Prefix(t), Msg::Internal, "unknown value kind");
  }

  std::vector<Item> List(Kind kind, int n, const std::string& what) {
    std::vector<Item> out;
    out.reserve(static_cast<size_t>(std::clamp(n, 0, 1024)));
    for (int i = 0; i < n; ++i) out.push_back(NextItem(kind, n, what));
    if (repLeft_ > 0) {
      repLeft_ = 0;
      Fail(Prefix(rep_), Msg::RepeatPastList, rep_.source, n, what);
    }
    return out;
  }
  Item One(Kind kind, const std::string& what) { return List(kind, 1, what)[0]; }
  int Int(const std::string& what) { return static_cast<int>(One(Kind::Int, what).integer); }
  Item IntItem(const std::string& what) { return One(Kind::Int, what); }

  // An integer within [lo, hi]; `range` says so in words.
  int IntIn(const std::string& what, int lo, int hi, const std::string& range) {
    const Item it = IntItem(what);
    if (it.integer < lo || it.integer > hi)
      Fail(Prefix(it.tok), Msg::IntegerOutOfRange, what, range, it.tok.text);
    return static_cast<int>(it.integer);
  }
  // An option with one supported value.
  int Option(const std::string& what, std::initializer_list<int> allowed, const std::string& note) {
    const Item it = IntItem(what);
    for (int a : allowed)
      if (it.integer == a) return a;
    Fail(Prefix(it.tok), Msg::NotSupported, what, it.tok.text, note);
  }

  void Delimiter(int k) {
    const Token t = lex_.Next();
    if (t.kind != Token::Delimiter || t.delimiter != k)
      Fail(Prefix(t), Msg::ExpectedDelimiter, k, k, Shown(t));
  }

  // A scale factor of -99999 would turn any value into nonsense, or hide a no-value marker.
  void CheckScales(const std::vector<Item>& scales, const std::string& what) {
    for (size_t i = 0; i < scales.size(); ++i)
      if (IsNoValue(scales[i].real))
        Fail(Prefix(scales[i].tok), Msg::NoValue, what + " " + std::to_string(i + 1));
  }

  Item FreeText(const std::string& what) {
    Token t = lex_.NextFreeText();
    if (t.kind != Token::Quoted) FailKind(t, Kind::Name, what);
    Item it;
    it.tok = {t.line, t.col, t.text};
    it.text = t.text;
    return it;
  }

  void Header() {
    Enter(0);
    IntIn("input width", 1, 1000000, "positive");
    IntIn("output width", 1, 1000000, "positive");
    const Token c = lex_.Next();
    if (c.kind != Token::Quoted || c.text.size() != 1 || c.text[0] == ' ' || c.text[0] == '\'' ||
        c.text[0] == '#')
      Fail(Prefix(c), Msg::CommentCharacter, Shown(c));
    lex_.SetCommentChar(c.text[0]);
    lex_.ExpectEndOfLine();
  }

  void Block1() {
    Enter(1);
    for (int i = 0; i < 4; ++i) p_.titles[i] = FreeText("title " + std::to_string(i + 1)).text;
    const Item active = IntItem("number of active substances");
    const Item inactive = IntItem("number of inactive substances");
    if (active.integer != 3 || inactive.integer != 0)
      Fail(Prefix(active.tok), Msg::SubstanceCount, active.integer, inactive.integer);
    At first;
    for (int i = 1; i <= 3; ++i) {
      const Item idx = IntItem("substance index");
      if (i == 1) first = idx.tok;
      if (idx.integer != i) Fail(Prefix(idx.tok), Msg::SubstanceIndex, idx.integer, i);
      p_.substances.push_back(Trim(FreeText("name of substance " + std::to_string(i)).text));
    }
    int sal = -1, ret = -1, cmp = -1, nsal = 0, nret = 0;
    for (int i = 0; i < 3; ++i) {
      const std::string n = Lower(p_.substances[i]);
      if (n == "salinity") sal = i, ++nsal;
      else if (n == "retention") ret = i, ++nret;
      else cmp = i;
    }
    if (nsal != 1 || nret != 1 || cmp < 0) {
      std::string all;
      for (auto& s : p_.substances) all += (all.empty() ? "'" : ", '") + s + "'";
      Fail(Prefix(first), Msg::SubstanceRoles, all);
    }
    p_.role = {sal, cmp, ret};
    Delimiter(1);
  }

  void Block2() {
    Enter(2);
    Int("system clock");
    One(Kind::Name, "first time format");
    One(Kind::Name, "second time format");
    One(Kind::Real, "integration option");
    const Item start = One(Kind::Digits, "start time");
    const Item stop = One(Kind::Digits, "stop time");
    report_.Note("Timers (recorded only, the engine computes the steady state): start " +
                 start.text + ", stop " + stop.text);
    Option("area information flag", {1}, "1 = in this file");
    const Item count = IntItem("number of areas");
    if (count.integer < 0 || count.integer > 100000)
      Fail(Prefix(count.tok), Msg::IntegerOutOfRange, "number of areas", "0 .. 100000", count.tok.text);
    areasAt_ = count.tok;
    const int nareas = static_cast<int>(count.integer);
    for (int a = 0; a < nareas; ++a) {
      Area area;
      const Item name = One(Kind::Name, "name of area " + std::to_string(a + 1));
      area.name = Trim(name.text);
      area.nameTok = name.tok;
      const int n = IntIn("number of segments in area '" + area.name + "'", 0, 10000000,
                          "0 or more");
      area.segments = List(Kind::Int, n, "segments of area '" + area.name + "'");
      areas_.push_back(std::move(area));
    }
    Option("transect option", {2}, "2 = no transects");
    Delimiter(2);
  }

  // The areas are checked once noseg is known (block 3), but their faults belong to block 2.
  void CheckAreas() {
    const int blockSave = block_;
    Enter(2);
    std::set<std::string> seen;
    const Area* estuary = nullptr;
    const Area* marine = nullptr;
    for (const Area& a : areas_) {
      const std::string low = Lower(a.name);
      if (!seen.insert(low).second && (low == "estuary" || low == "marine"))
        Fail(Prefix(a.nameTok), Msg::AreaDuplicate, a.name);
      std::set<int64_t> segs;
      for (const Item& s : a.segments) {
        if (s.integer < 1 || s.integer > p_.noseg)
          Fail(Prefix(s.tok), Msg::AreaSegment, a.name, s.integer, p_.noseg);
        if (!segs.insert(s.integer).second)
          Fail(Prefix(s.tok), Msg::AreaRepeated, a.name, s.integer);
      }
      if (low == "estuary") estuary = &a;
      if (low == "marine") marine = &a;
    }
    if (!estuary) Fail(Prefix(areasAt_), Msg::AreaMissing, "estuary");
    if (!marine) Fail(Prefix(areasAt_), Msg::AreaMissing, "Marine");
    if (marine->segments.size() != 1)
      Fail(Prefix(marine->nameTok), Msg::MarineArea, marine->segments.size());
    if (estuary->segments.empty())
      Fail(Prefix(estuary->nameTok), Msg::IntegerOutOfRange, "number of segments in area 'estuary'",
           "1 or more", 0);
    if (estuary->segments.size() > 500)
      Fail(Prefix(estuary->nameTok), Msg::EstuaryTooLarge, estuary->segments.size());
    p_.marine = static_cast<int>(marine->segments[0].integer);
    for (const Item& s : estuary->segments) {
      if (s.integer == p_.marine) Fail(Prefix(s.tok), Msg::MarineInEstuary, p_.marine);
      p_.estuary.push_back(static_cast<int>(s.integer));
    }
    Enter(blockSave);
  }

  FileBytes Load(const std::string& name, const At& tok) {
    FileBytes f = files_(name);
    if (!f.ok) Fail(Prefix(tok), Msg::CannotOpen, name, f.error);
    return f;
  }

  void Block3() {
    Enter(3);
    p_.noseg = IntIn("number of segments", 1, 1000000, "1 .. 1000000");
    Option("grid layout option", {2}, "2 = no grid layout");
    Int("first reserved integer");
    Int("second reserved integer");
    Option("volume option", {0}, "0 = binary volumes file");
    const Item vol = One(Kind::Name, "volumes file");
    Delimiter(3);
    CheckAreas();
    const std::string name = Trim(vol.text);
    const FileBytes f = Load(name, vol.tok);
    p_.volume = ReadVolumes(name, f.bytes, p_.noseg, report_);
  }

  void Block4() {
    Enter(4);
    int counts[3];
    counts[0] = IntIn("number of exchanges in direction 1", 0, 10000000, "0 or more");
    counts[1] = IntIn("number of exchanges in direction 2", 0, 10000000, "0 or more");
    const Item q3 = IntItem("number of exchanges in direction 3");
    counts[2] = static_cast<int>(q3.integer);
    if (q3.integer < 0 || q3.integer > 10000000)
      Fail(Prefix(q3.tok), Msg::IntegerOutOfRange, "number of exchanges in direction 3",
           "0 or more", q3.tok.text);
    if (static_cast<int64_t>(counts[0]) + counts[1] + counts[2] < 1)
      Fail(Prefix(q3.tok), Msg::CountMismatch, "the grid has no exchanges");
    p_.noq1 = counts[0];
    p_.noq2 = counts[1];
    p_.noq3 = counts[2];
    Option("number of dispersion arrays", {1}, "exactly one dispersion array");
    List(Kind::Name, 1, "dispersion array names");
    for (const Item& it : List(Kind::Int, p_.Nosys(), "dispersion array index per substance"))
      if (it.integer != 1)
        Fail(Prefix(it.tok), Msg::IntegerOutOfRange, "dispersion array index", "1", it.tok.text);
    Option("number of velocity arrays", {0}, "no velocity arrays");
    Option("exchange input form", {2}, "2 = table");
    Option("exchange table option", {-1}, "-1 = table in a named file");
    const Item tab = One(Kind::Name, "exchange table file");
    Delimiter(4);
    const std::string name = Trim(tab.text);
    const FileBytes f = Load(name, tab.tok);
    ExchangeTable t = ReadExchangeTable(name, f.bytes, lex_.CommentChar(), counts, p_.noseg);
    p_.exchanges = std::move(t.exchanges);
    p_.nobnd = t.nobnd;
  }

  void Block5() {
    Enter(5);
    const int nosys = p_.Nosys();
    for (const Item& n : List(Kind::Name, p_.nobnd, "boundary names"))
      p_.boundaryNames.push_back(Trim(n.text));
    Option("time-lag option", {2}, "2 = constant with defaults");
    const Item lag = One(Kind::Digits, "default time lag");
    bool lagged = lag.text.find_first_not_of('0') != std::string::npos;
    const int nlag = IntIn("number of time-lag overridings", 0, p_.nobnd,
                           "0 .. " + std::to_string(p_.nobnd));
    for (int i = 0; i < nlag; ++i) {
      const Item b = IntItem("boundary number of time lag " + std::to_string(i + 1));
      if (b.integer < 1 || b.integer > p_.nobnd)
        Fail(Prefix(b.tok), Msg::BoundaryRow, b.integer, p_.nobnd);
      const Item v = One(Kind::Digits, "time lag of boundary " + std::to_string(b.integer));
      lagged = lagged || v.text.find_first_not_of('0') != std::string::npos;
    }
    if (lagged) report_.Warn("Boundary time lags are not zero; they are ignored in the steady state.");
    Option("boundary information flag", {1}, "1 = in this file");
    Option("boundary option", {2}, "2 = defaults with overridings");
    const std::vector<Item> scales = List(Kind::Real, nosys, "boundary scale factors");
    CheckScales(scales, "boundary scale factor");
    const std::vector<Item> defaults = List(Kind::Real, nosys, "boundary default values");
    std::vector<std::vector<Item>> rows(p_.nobnd, defaults);
    const int nover = IntIn("number of boundary overridings", 0, p_.nobnd,
                            "0 .. " + std::to_string(p_.nobnd));
    std::vector<bool> given(p_.nobnd, false);
    for (int i = 0; i < nover; ++i) {
      const Item b = IntItem("boundary number");
      if (b.integer < 1 || b.integer > p_.nobnd)
        Fail(Prefix(b.tok), Msg::BoundaryRow, b.integer, p_.nobnd);
      if (given[b.integer - 1]) Fail(Prefix(b.tok), Msg::BoundaryTwice, b.integer);
      given[b.integer - 1] = true;
      rows[b.integer - 1] = List(Kind::Real, nosys, "boundary " + std::to_string(b.integer));
    }
    Delimiter(5);
    p_.boundaryValues.assign(p_.nobnd, std::vector<double>(nosys, 0.0));
    for (int b = 0; b < p_.nobnd; ++b) {
      for (int s = 0; s < nosys; ++s) {
        const Item& it = rows[b][s];
        const std::string what =
            p_.substances[s] + " at boundary " + std::to_string(b + 1) + " ('" + p_.boundaryNames[b] + "')";
        if (IsNoValue(it.real)) Fail(Prefix(it.tok), Msg::NoValue, what);
        const double v = it.real * scales[s].real;
        if (!std::isfinite(v)) Fail(Prefix(it.tok), Msg::NumberOutOfRange, it.tok.text);
        if (v < 0) Fail(Prefix(it.tok), Msg::NegativeValue, what, it.tok.text);
        p_.boundaryValues[b][s] = v;
      }
    }
  }

  void Block6() {
    Enter(6);
    const int nosys = p_.Nosys();
    const int nowst = IntIn("number of waste loads", 0, 1000000, "0 or more");
    std::vector<Token> segTok;
    for (int i = 0; i < nowst; ++i) {
      WasteLoad w;
      const Item seg = IntItem("segment of load " + std::to_string(i + 1));
      w.segment = static_cast<int>(seg.integer);
      w.name = Trim(One(Kind::Name, "name of load " + std::to_string(i + 1)).text);
      if (seg.integer < 1 || seg.integer > p_.noseg)
        Fail(Prefix(seg.tok), Msg::LoadSegment, w.name, seg.integer, p_.noseg);
      p_.loads.push_back(std::move(w));
    }
    Option("load information flag", {1}, "1 = in this file");
    const int opt = Option("load option", {1, 2}, "1 = one row per load, 2 = defaults with overridings");
    const std::vector<Item> scales = List(Kind::Real, 1 + nosys, "load scale factors (flow and substances)");
    CheckScales(scales, "load scale factor");
    std::vector<std::vector<Item>> rows(nowst);
    if (opt == 1) {
      for (int i = 0; i < nowst; ++i)
        rows[i] = List(Kind::Real, 1 + nosys, "load '" + p_.loads[i].name + "'");
    } else {
      const std::vector<Item> defaults = List(Kind::Real, 1 + nosys, "load default values");
      for (auto& r : rows) r = defaults;
      const int nover = IntIn("number of load overridings", 0, nowst, "0 .. " + std::to_string(nowst));
      std::vector<bool> given(nowst, false);
      for (int i = 0; i < nover; ++i) {
        const Item n = IntItem("load number");
        if (n.integer < 1 || n.integer > nowst) Fail(Prefix(n.tok), Msg::LoadRow, n.integer, nowst);
        if (given[n.integer - 1]) Fail(Prefix(n.tok), Msg::LoadTwice, n.integer);
        given[n.integer - 1] = true;
        rows[n.integer - 1] = List(Kind::Real, 1 + nosys, "load " + std::to_string(n.integer));
      }
    }
    Delimiter(6);
    for (int i = 0; i < nowst; ++i) {
      WasteLoad& w = p_.loads[i];
      for (int c = 0; c <= nosys; ++c) {
        const Item& it = rows[i][c];
        const std::string what =
            (c == 0 ? std::string("flow") : p_.substances[c - 1]) + " of load '" + w.name + "'";
        if (IsNoValue(it.real)) Fail(Prefix(it.tok), Msg::NoValue, what);
        const double v = it.real * scales[c].real;
        if (!std::isfinite(v)) Fail(Prefix(it.tok), Msg::NumberOutOfRange, it.tok.text);
        if (c == 0) {
          if (v != 0) Fail(Prefix(it.tok), Msg::LoadFlow, w.name, v);
          continue;
        }
        if (c - 1 == p_.role[kSalinity] && v != 0) Fail(Prefix(it.tok), Msg::SaltLoad, w.name, v);
        if (v < 0) Fail(Prefix(it.tok), Msg::NegativeValue, what, it.tok.text);
        w.values.push_back(v);
      }
    }
  }

  void Block7() {
    Enter(7);
    const int nconst = IntIn("number of constants", 0, 100000, "0 or more");
    const std::vector<Item> names = List(Kind::Name, nconst, "constant names");
    const std::vector<Item> scales = List(Kind::Real, nconst, "constant scale factors");
    CheckScales(scales, "constant scale factor");
    const std::vector<Item> values = List(Kind::Real, nconst, "constant values");
    for (int i = 0; i < nconst; ++i) {
      Constant c;
      c.name = Trim(names[i].text);
      c.raw = values[i].real;
      c.scale = scales[i].real;
      c.value = c.raw * c.scale;
      c.line = values[i].tok.line;
      c.col = values[i].tok.col;
      if (!std::isfinite(c.value)) Fail(Prefix(values[i].tok), Msg::NumberOutOfRange, values[i].tok.text);
      p_.constants.push_back(c);
    }
    const int npar = IntIn("number of parameters", 0, 100000, "0 or more");
    p_.parameterCount = npar;
    Option("parameter information flag", {1}, "1 = in this file");
    const std::vector<Item> pnames = List(Kind::Name, npar, "parameter names");
    Option("parameter option", {2}, "2 = defaults with overridings");
    const std::vector<Item> pscales = List(Kind::Real, npar, "parameter scale factors");
    CheckScales(pscales, "parameter scale factor");
    const std::vector<Item> pdefaults = List(Kind::Real, npar, "parameter default values");
    std::map<int, std::vector<Item>> overrides;
    const int nover = IntIn("number of parameter overridings", 0, p_.noseg,
                            "0 .. " + std::to_string(p_.noseg));
    for (int i = 0; i < nover; ++i) {
      const Item s = IntItem("segment number");
      if (s.integer < 1 || s.integer > p_.noseg)
        Fail(Prefix(s.tok), Msg::SegmentOutOfRange, s.integer, p_.noseg);
      if (overrides.count(static_cast<int>(s.integer))) Fail(Prefix(s.tok), Msg::SegmentTwice, s.integer);
      overrides[static_cast<int>(s.integer)] =
          List(Kind::Real, npar, "parameters of segment " + std::to_string(s.integer));
    }
    Option("number of functions", {0}, "time functions are not computed in the steady state");
    Option("number of segment functions", {0}, "segment functions are not computed");
    Delimiter(7);
    ApplyParameters(pnames, pscales, pdefaults, overrides);
  }

  void ApplyParameters(const std::vector<Item>& names, const std::vector<Item>& scales,
                       const std::vector<Item>& defaults,
                       const std::map<int, std::vector<Item>>& overrides) {
    p_.surface = surfaceFromFile_;
    for (size_t j = 0; j < names.size(); ++j) {
      const std::string name = Trim(names[j].text);
      const std::string low = Lower(name);
      auto valueOf = [&](int seg) -> const Item& {
        auto o = overrides.find(seg);
        return o == overrides.end() ? defaults[j] : o->second[j];
      };
      if (low == "surf") {
        int changed = 0;
        for (int s = 1; s <= p_.noseg; ++s) {
          const Item& it = valueOf(s);
          if (IsNoValue(it.real)) Fail(Prefix(it.tok), Msg::NoValue, "parameter 'SURF' of segment " + std::to_string(s));
          const double v = it.real * scales[j].real;
          if (!std::isfinite(v) || v < 0)
            Fail(Prefix(it.tok), Msg::ParameterRange, "SURF", s, v, "0 (keep test.srf) or a positive area in m2");
          if (v > 0) p_.surface[s - 1] = v, ++changed;
        }
        if (changed) report_.Note("SURF overrides the surface of " + std::to_string(changed) + " segment(s).");
      } else if (low == "fdis" || low == "fpoc") {
        bool nonzero = false;
        for (int s = 1; s <= p_.noseg && !nonzero; ++s) nonzero = valueOf(s).real * scales[j].real != 0;
        if (nonzero)
          report_.Warn("Parameter '" + name + "' is not zero; the engine computes the fractions itself and ignores it.");
      } else {
        report_.Warn("Parameter '" + name + "' is not used by the engine.");
      }
    }
  }

  void Block8() {
    Enter(8);
    const int nosys = p_.Nosys();
    Option("initial-condition information flag", {1}, "1 = in this file");
    Option("initial-condition option", {2}, "2 = defaults with overridings");
    List(Kind::Real, nosys, "initial-condition scale factors");
    List(Kind::Real, nosys, "initial-condition default values");
    const int nover = IntIn("number of initial-condition overridings", 0, p_.noseg,
                            "0 .. " + std::to_string(p_.noseg));
    std::set<int64_t> given;
    for (int i = 0; i < nover; ++i) {
      const Item s = IntItem("segment number");
      if (s.integer < 1 || s.integer > p_.noseg)
        Fail(Prefix(s.tok), Msg::SegmentOutOfRange, s.integer, p_.noseg);
      if (!given.insert(s.integer).second) Fail(Prefix(s.tok), Msg::SegmentTwice, s.integer);
      List(Kind::Real, nosys, "initial conditions of segment " + std::to_string(s.integer));
    }
    Delimiter(8);
  }

  void Block9() {
    Enter(9);
    Option("output information flag", {1}, "1 = in this file");
    for (int i = 1; i <= 4; ++i) {
      const std::string k = std::to_string(i);
      const int opt = Option("output option " + k, {0, 1, 2}, "0, 1 or 2");
      if (opt == 2) {
        const int n = IntIn("number of extra variables of output " + k, 0, 100000, "0 or more");
        List(Kind::Name, n, "extra variables of output " + k);
      }
    }
    const char* flags[] = {"binary history file flag", "binary map file flag",
                           "second history file flag", "second map file flag"};
    for (int i = 0; i < 4; ++i) {
      const int f = IntIn(flags[i], 0, 1, "0 or 1");
      if (i == 1 && f == 0)
        report_.Warn("The binary map file is switched off in the input; tulmo.map is written anyway.");
    }
    Delimiter(9);
    const Token t = lex_.Next();
    if (t.kind != Token::End) Fail(Prefix(t), Msg::TrailingText, Shown(t) + " after block 9");
  }

 public:
  // The surfaces file is not named in the input; it is read once noseg is known, and block 7
  // applies the SURF overrides to it.
  Problem RunWithSurfaces(const std::function<std::vector<double>(int noseg)>& surfaces) {
    Header();
    Block1();
    Block2();
    Block3();
    surfaceFromFile_ = surfaces(p_.noseg);
    Block4();
    Block5();
    Block6();
    Block7();
    Block8();
    Block9();
    return std::move(p_);
  }

 private:
  Lexer lex_;
  const FileSource& files_;
  Report& report_;
  Problem p_;
  int block_ = 0;
  Token rep_;
  int repLeft_ = 0;
  int64_t values_ = 0;
  At areasAt_;
  std::vector<Area> areas_;
  std::vector<double> surfaceFromFile_;
};

}  // namespace

Problem ReadInput(const std::string& inputName, std::string_view bytes, const FileSource& files,
                  Report& report) {
  Reader r(inputName, bytes, files, report);
  const std::string srf = "test.srf";
  return r.RunWithSurfaces([&](int noseg) {
    const FileBytes f = files(srf);
    if (!f.ok) Fail("", Msg::CannotOpen, srf, f.error);
    return ReadSurfaces(srf, f.bytes, noseg);
  });
}

}  // namespace engine
