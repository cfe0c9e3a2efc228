// The engine input the application wrote, edited in place for a test: a line, a field of a line,
// a constant, a boundary row, the loads; for a hand-made grid also the segment and exchange
// counts, the areas and the boundaries. Everything else stays as the application wrote it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace fixture {

struct Area {
  std::string name;
  std::vector<int> segments;
};

struct Boundary {
  std::string name;
  double salinity = 0, compound = 0, retention = 0;  // psu, ug/l, as written
};

struct Load {
  int segment = 0;
  std::string name;
  double kgPerYear = 0;
};

class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& path);  // a pirsel.inp with CRLF line ends
  void Save(const std::filesystem::path& path) const;
  std::string Text() const;

  int Lines() const { return static_cast<int>(lines_.size()); }
  const std::string& Line(int n) const { return lines_.at(n - 1); }  // 1-based
  void SetLine(int n, const std::string& line) { lines_.at(n - 1) = line; }
  // Replaces the k-th blank-separated field (0-based) before the line's comment.
  void SetField(int n, int k, const std::string& text);
  // First line (1-based) at or after `from` that contains `text`; 0 when none.
  int Find(const std::string& text, int from = 1) const;

  // Block 7 constants by trimmed name: the value as a number, its text replaced (added with scale
  // 1 when absent), or the name, value and scale removed.
  double Constant(const std::string& name) const;
  void SetConstant(const std::string& name, const std::string& value);
  void RemoveConstant(const std::string& name);
  std::vector<std::pair<std::string, std::string>> Constants() const;  // name and value text

  // Boundary row b (1-based) of block 5 and the load values of block 6 (1-based).
  void SetBoundaryValues(int b, double salinity, double compound, double retention);
  void SetBoundaryCompound(int b, double compound);
  void SetLoad(int k, double kgPerYear);
  int LoadCount() const;

  // Whole lists, for grids of another size.
  void SetSegments(int noseg);
  void SetExchangeCounts(int noq1, int noq2, int noq3);
  void SetAreas(const std::vector<Area>& areas);
  void SetBoundaries(const std::vector<Boundary>& boundaries);
  void SetLoads(const std::vector<Load>& loads);

  // Degradation, volatilisation, settling, deposition and background off.
  void NoProcesses();

 private:
  struct ConstantLines {
    int count = 0;                // line of the number of constants
    std::vector<int> names, values, scales;
  };
  ConstantLines Block7() const;
  int ConstantIndex(const ConstantLines& c, const std::string& name) const;
  void Replace(int first, int last, const std::vector<std::string>& with);  // lines first..last

  std::vector<std::string> lines_;
};

// A number as an input value ("%.10g").
std::string Num(double v);

}  // namespace fixture
