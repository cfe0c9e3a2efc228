// Engine tests work on a copy of what the application writes for a calculation: the golden input
// and grid files under tests/modelrun/golden/ (see InputFile.h for editing the copy, SmallGrid.h
// for the few hand-made grids). Here: the working folder, the copy, both steps in-process and the
// map as the application reads it.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/Model.h"
#include "engine/Problem.h"

namespace fixture {

// A fresh temporary folder, removed on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The folder of a golden case ("default": the delivered default scenario, an organic compound;
// "user-salinity-metal": a user estuary with the salinity method and cadmium).
std::filesystem::path GoldenDir(const std::string& name = "default");
// Copies the case's pirsel.inp and grid files into `dir`.
void CopyGolden(const std::filesystem::path& dir, const std::string& name = "default");

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
std::string ReadFile(const std::filesystem::path& path);

// Line n (1-based) of a text with CRLF line ends; replacing keeps the ends.
std::string LineOf(const std::string& text, int n);
std::string ReplaceLine(const std::string& text, int n, const std::string& line);

// Runs a step in-process in `dir` (the working folder is changed for the call).
struct StepResult {
  int code = 0;
  std::string err;
};
StepResult RunStep1(const std::filesystem::path& dir, const std::vector<std::string>& args = {"pirsel.inp", "-np"});
StepResult RunStep2(const std::filesystem::path& dir, const std::vector<std::string>& args = {"pirsel"});

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

// The river flow of a solved problem: what enters over the river boundary, m3/s.
double RiverFlow(const engine::Problem& p);

}  // namespace fixture
