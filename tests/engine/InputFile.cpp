// The blocks are found by the application's own comments ("; nr of loads", "Sal(psu)"), so an
// edit does not depend on line numbers that an earlier edit may have moved.
#include "InputFile.h"

#include <cstdio>
#include <stdexcept>

#include "EngineCase.h"

namespace fixture {

namespace {

bool IsComment(const std::string& line) {
  const size_t p = line.find_first_not_of(" \t");
  return p == std::string::npos || line[p] == ';';
}

std::string Trimmed(const std::string& s) {
  const size_t b = s.find_first_not_of(' '), e = s.find_last_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

// The quoted name of a constant's name line.
std::string QuotedName(const std::string& line) {
  const size_t a = line.find('\''), b = line.find('\'', a + 1);
  return Trimmed(line.substr(a + 1, b - a - 1));
}

// Fields before the comment: [begin, end) of each.
std::vector<std::pair<size_t, size_t>> Fields(const std::string& line) {
  std::vector<std::pair<size_t, size_t>> f;
  size_t i = 0;
  while (i < line.size() && line[i] != ';') {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    const size_t b = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != ';') ++i;
    f.emplace_back(b, i);
  }
  return f;
}

void Need(int line, const std::string& what) {
  if (line == 0) throw std::runtime_error("the input has no " + what);
}

}  // namespace

std::string Num(double v) {
  char b[40];
  std::snprintf(b, sizeof b, "%.10g", v);
  return b;
}

InputFile::InputFile(const std::filesystem::path& path) {
  const std::string text = ReadFile(path);
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines_.push_back(text.substr(start, end - start));
  if (start < text.size()) lines_.push_back(text.substr(start));
}

std::string InputFile::Text() const {
  std::string out;
  for (const auto& l : lines_) out += l + "\r\n";
  return out;
}

void InputFile::Save(const std::filesystem::path& path) const { WriteFile(path, Text()); }

void InputFile::SetField(int n, int k, const std::string& text) {
  std::string& line = lines_.at(n - 1);
  const auto f = Fields(line);
  if (k >= static_cast<int>(f.size())) throw std::runtime_error("line " + std::to_string(n) + " has no field " + std::to_string(k));
  line.replace(f[k].first, f[k].second - f[k].first, text);
}

int InputFile::Find(const std::string& text, int from) const {
  for (int i = from; i <= Lines(); ++i)
    if (Line(i).find(text) != std::string::npos) return i;
  return 0;
}

void InputFile::Replace(int first, int last, const std::vector<std::string>& with) {
  lines_.erase(lines_.begin() + (first - 1), lines_.begin() + last);
  lines_.insert(lines_.begin() + (first - 1), with.begin(), with.end());
}

// Names follow the count, values stand just before "; parameters", the scale factors between.
InputFile::ConstantLines InputFile::Block7() const {
  ConstantLines c;
  c.count = Find("; nr of  constants");
  Need(c.count, "number of constants");
  const int n = std::stoi(Line(c.count));
  for (int i = c.count + 1; static_cast<int>(c.names.size()) < n; ++i)
    if (!IsComment(Line(i))) c.names.push_back(i);
  const int params = Find("; parameters", c.count);
  Need(params, "parameters");
  for (int i = params - 1; static_cast<int>(c.values.size()) < n; --i)
    if (!IsComment(Line(i))) c.values.insert(c.values.begin(), i);
  for (int i = c.names.back() + 1; i < c.values.front(); ++i)
    if (!IsComment(Line(i))) c.scales.push_back(i);
  return c;
}

int InputFile::ConstantIndex(const ConstantLines& c, const std::string& name) const {
  for (size_t i = 0; i < c.names.size(); ++i)
    if (QuotedName(Line(c.names[i])) == Trimmed(name)) return static_cast<int>(i);
  return -1;
}

double InputFile::Constant(const std::string& name) const {
  const ConstantLines c = Block7();
  const int i = ConstantIndex(c, name);
  if (i < 0) throw std::runtime_error("no constant " + name);
  const std::string& line = Line(c.values[i]);
  const auto f = Fields(line);
  return std::stod(line.substr(f[0].first, f[0].second - f[0].first));
}

std::vector<std::pair<std::string, std::string>> InputFile::Constants() const {
  const ConstantLines c = Block7();
  std::vector<std::pair<std::string, std::string>> out;
  for (size_t i = 0; i < c.names.size(); ++i) {
    const std::string& line = Line(c.values[i]);
    const auto f = Fields(line);
    out.emplace_back(QuotedName(Line(c.names[i])), line.substr(f[0].first, f[0].second - f[0].first));
  }
  return out;
}

void InputFile::SetConstant(const std::string& name, const std::string& value) {
  const ConstantLines c = Block7();
  const int i = ConstantIndex(c, name);
  if (i >= 0) return SetField(c.values[i], 0, value);
  // A new constant after the last one, with scale 1.
  lines_.insert(lines_.begin() + c.values.back(), "          " + value + "          ; " + Trimmed(name));
  const std::string& last = Line(c.scales.back());
  const auto f = Fields(last);
  const std::string group = last.substr(f.back().first, f.back().second - f.back().first);
  const size_t star = group.find('*');
  if (star != std::string::npos && group.substr(star + 1) == "1.0")
    SetField(c.scales.back(), static_cast<int>(f.size()) - 1, std::to_string(std::stoi(group) + 1) + "*1.0");
  else
    lines_.at(c.scales.back() - 1).insert(f.back().second, " 1.0");
  lines_.insert(lines_.begin() + c.names.back(), "         '" + Trimmed(name) + "'          ; constant");
  SetField(c.count, 0, std::to_string(c.names.size() + 1));
}

void InputFile::RemoveConstant(const std::string& name) {
  const ConstantLines c = Block7();
  const int i = ConstantIndex(c, name);
  if (i < 0) throw std::runtime_error("no constant " + name);
  // The scale factor of constant i: the group of the scale lines that covers it loses one.
  int seen = 0;
  bool done = false;
  for (int s : c.scales) {
    const auto f = Fields(Line(s));
    for (size_t k = 0; k < f.size() && !done; ++k) {
      const std::string group = Line(s).substr(f[k].first, f[k].second - f[k].first);
      const size_t star = group.find('*');
      const int count = star == std::string::npos ? 1 : std::stoi(group);
      if (i < seen + count) {
        done = true;
        if (count == 1) {
          std::string& line = lines_.at(s - 1);
          line.erase(f[k].first, f[k].second - f[k].first);
        } else {
          SetField(s, static_cast<int>(k), std::to_string(count - 1) + group.substr(star));
        }
      }
      seen += count;
    }
  }
  lines_.erase(lines_.begin() + (c.values[i] - 1));
  lines_.erase(lines_.begin() + (c.names[i] - 1));
  SetField(c.count, 0, std::to_string(c.names.size() - 1));
}

void InputFile::NoProcesses() {
  for (const char* c : {"RWM", "RSM", "He", "Vsed", "Atmos"}) SetConstant(c, "0.00E0");
  SetConstant("CBACK", "0.000E+00");
}

void InputFile::SetBoundaryValues(int b, double salinity, double compound, double retention) {
  const int head = Find("Sal(psu)");
  Need(head, "boundary values");
  SetField(head + b, 1, Num(salinity));
  SetField(head + b, 2, Num(compound));
  SetField(head + b, 3, Num(retention));
}

void InputFile::SetBoundaryCompound(int b, double compound) {
  const int head = Find("Sal(psu)");
  Need(head, "boundary values");
  SetField(head + b, 2, Num(compound));
}

int InputFile::LoadCount() const {
  const int count = Find("; nr of loads");
  Need(count, "number of loads");
  return std::stoi(Line(count));
}

void InputFile::SetLoad(int k, double kgPerYear) {
  const int head = Find(";     flow  sal  load");
  Need(head, "load values");
  SetField(head + k, 2, Num(kgPerYear));
}

void InputFile::SetSegments(int noseg) {
  const int at = Find("; number of segments", Find("third block"));
  Need(at, "number of segments");
  SetField(at, 0, std::to_string(noseg));
}

void InputFile::SetExchangeCounts(int noq1, int noq2, int noq3) {
  const int at = Find("; nr of exchanges in 3 directions");
  Need(at, "exchange counts");
  SetField(at, 0, std::to_string(noq1));
  SetField(at, 1, std::to_string(noq2));
  SetField(at, 2, std::to_string(noq3));
}

void InputFile::SetAreas(const std::vector<Area>& areas) {
  const int first = Find("; number of areas"), last = Find("; no transects") - 1;
  Need(first, "areas");
  std::vector<std::string> with{"  " + std::to_string(areas.size()) + "  ; number of areas"};
  for (size_t a = 0; a < areas.size(); ++a) {
    with.push_back("'" + areas[a].name + "' ; name area number:     " + std::to_string(a + 1));
    with.push_back("   " + std::to_string(areas[a].segments.size()) + " ; number of segments in area");
    std::string line;
    for (size_t i = 0; i < areas[a].segments.size(); ++i) {
      line += (line.empty() ? "" : " ") + std::to_string(areas[a].segments[i]);
      if (i % 10 == 9 || i + 1 == areas[a].segments.size()) with.push_back(line), line.clear();
    }
  }
  Replace(first, last, with);
}

void InputFile::SetBoundaries(const std::vector<Boundary>& bs) {
  const std::string n = std::to_string(bs.size());
  // Values: the overridings' count and one row per boundary.
  const int head = Find("Sal(psu)");
  Need(head, "boundary values");
  int end = head + 1;
  while (!IsComment(Line(end))) ++end;
  std::vector<std::string> rows;
  for (size_t b = 0; b < bs.size(); ++b)
    rows.push_back("      " + std::to_string(b + 1) + "     " + Num(bs[b].salinity) + "  " + Num(bs[b].compound) + " " +
                   Num(bs[b].retention) + "                  ; ug/l " + bs[b].name);
  Replace(head + 1, end - 1, rows);
  SetField(head - 1, 0, n);
  // Time lags: one zero row per boundary.
  const int lags = Find("; Number of overridings");
  Need(lags, "time lags");
  int lagEnd = lags + 1;
  while (Line(lagEnd).find("; Left-right") != std::string::npos) ++lagEnd;
  rows.clear();
  for (size_t b = 0; b < bs.size(); ++b)
    rows.push_back("          " + std::to_string(b + 1) + "     00000000000000   ; Left-right " + std::to_string(b + 1));
  Replace(lags + 1, lagEnd - 1, rows);
  SetField(lags, 0, n);
  // Names.
  const int names = Find("; names of the boundary cells");
  Need(names, "boundary names");
  int namesEnd = names;
  while (Line(namesEnd).find("; names of the boundary cells") != std::string::npos) ++namesEnd;
  rows.clear();
  for (const Boundary& b : bs) rows.push_back("    1*'" + b.name + "' ; names of the boundary cells");
  Replace(names, namesEnd - 1, rows);
}

void InputFile::SetLoads(const std::vector<Load>& loads) {
  const int head = Find(";     flow  sal  load");
  Need(head, "load values");
  std::vector<std::string> rows;
  for (const Load& l : loads) rows.push_back("       0.   0.  " + Num(l.kgPerYear) + " 0.0       ; values (flow, sal, subst[g/s])");
  Replace(head + 1, head + LoadCount(), rows);
  const int count = Find("; nr of loads");
  const int locations = LoadCount();
  rows.clear();
  for (const Load& l : loads) {
    char b[128];
    std::snprintf(b, sizeof b, "       %-4d '%s'           ; location", l.segment, l.name.c_str());
    rows.push_back(b);
  }
  Replace(count + 1, count + locations, rows);
  SetField(count, 0, std::to_string(loads.size()));
}

}  // namespace fixture
