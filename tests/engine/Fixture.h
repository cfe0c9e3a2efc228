// Test fixtures for the engine: writes grid files (test.vol, test.srf, test.tab) and an engine
// input file laid out line for line as the application writes them, for the default estuary and
// for small hand-made grids. Also small helpers to edit lines and run both steps in a folder.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/Model.h"
#include "engine/Problem.h"

namespace fixture {

struct Exch {
  int from = 0, to = 0, fm1 = 0, tp1 = 0;
  double D = 0, A = 0, F = 0, L1 = 0, L2 = 0;
};

struct Grid {
  int noq[3] = {0, 0, 0};
  std::vector<double> V, S;  // per segment 1..noseg (written as float32)
  std::vector<Exch> ex;
  int Noseg() const { return static_cast<int>(V.size()); }
};

// The estuary record fields the grid writer uses (units as the estuary editor gives them).
struct Estuary {
  double Tidalperiod = 12.42;  // h
  double Flowriveravg = 500;   // m3/s
  double estdepth = 10;        // m
  double Widthmouth = 5000;    // m
  double WidthAtX = 1000;      // m
  double Tideavg = 4;          // m
  double XfromMouth = 40;      // km
  double EstLength = 100;      // km
  double Salinitysea = 32;     // psu
  double EnvMarineLength = 30000, EnvMarineWidth = 30000, EnvMarineDepth = 20;  // m
  double EnvMarineCurrent = 0.1;  // m/s
};

// What the default grid's derivation gives, for tests that compare with theory.
struct GridDerived {
  double a = 0;      // convergence length, m (as rounded by the writer)
  double D1 = 0;     // dispersion at the mouth, m2/s (rounded)
  double Dc = 0;     // unrounded
  double beta = 0;
  double K = 0;      // Van der Burgh coefficient
  double dx = 0;     // cell length, m
  double A0 = 0;
};

Grid DefaultEstuaryGrid(const Estuary& e = {}, GridDerived* derived = nullptr);

struct Area {
  std::string name;  // as written between the quotes (padding included)
  std::vector<int> segments;
};

struct Load {
  int segment = 0;
  std::string name;
  double kgPerYear = 0;
};

struct Input {
  std::string description = "Testine, a PCB-like compound";
  std::string compound = "Testine";
  int noseg = 0;
  int noq[3] = {0, 0, 0};
  std::vector<Area> areas;
  std::vector<std::string> boundaryNames;
  // Per boundary: salinity (psu), compound (ug/l), Retention.
  std::vector<std::array<double, 3>> boundaries;
  std::vector<Load> loads;
  // The 61 constants in file order: name and the value text as written.
  std::vector<std::pair<std::string, std::string>> constants;
  bool defaultLayout = false;  // the 27 areas of the application's file
};

// The 61 constants of an organic compound in the default estuary (values as text).
std::vector<std::pair<std::string, std::string>> DefaultConstants();
// Sets a constant's value text (adds it when absent).
void SetConstant(Input& in, const std::string& name, const std::string& value);
void RemoveConstant(Input& in, const std::string& name);

// The application's input for the default estuary and grid (376 lines).
Input DefaultInput(const Grid& g, const Estuary& e = {});
std::string PirselText(const Input& in);

void WriteGridFiles(const std::filesystem::path& dir, const Grid& g);
void WriteInput(const std::filesystem::path& dir, const Input& in);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// Line n (1-based) of a text with CRLF line ends; replacing keeps the ends.
std::string LineOf(const std::string& text, int n);
std::string ReplaceLine(const std::string& text, int n, const std::string& line);

// Number pictures as the application writes them.
std::string Sci(double v);      // "0.00##E-#0"
std::string SciPlus(double v);  // "0.00##E+00"
std::string Fixed(double v, int decimals);

// A fresh temporary folder, removed on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Runs a step in-process in `dir` (the working folder is changed for the call).
struct StepResult {
  int code = 0;
  std::string err;
};
StepResult RunStep1(const std::filesystem::path& dir, const std::vector<std::string>& args = {"pirsel.inp", "-np"});
StepResult RunStep2(const std::filesystem::path& dir, const std::vector<std::string>& args = {"pirsel"});

// A small grid's input: areas "estuary" and "Marine", boundaries b1..bn with the given values
// (salinity psu, compound ug/l, Retention), no loads, the default constants.
Input GenericInput(const Grid& g, const std::vector<int>& estuary, int marine,
                   const std::vector<std::array<double, 3>>& boundaries);
// Switches off degradation, volatilisation, settling, deposition and background.
void NoProcesses(Input& in);

// Step 1 in `dir`, then the model on the work file, in double precision.
struct Solved {
  int code = 0;
  std::string err;
  engine::Problem problem;
  engine::ModelResult result;
  std::vector<std::string> warnings;
};
Solved Solve(const std::filesystem::path& dir);

// The map as the application's reader sees it.
struct Map {
  int nosys = 0, noseg = 0, time = 0;
  std::vector<std::string> titles, names;
  std::vector<std::vector<float>> values;  // [segment][substance]
  std::array<float, 6> marine{};
  size_t bytes = 0;
};
bool ReadMap(const std::filesystem::path& path, Map& m);

}  // namespace fixture
