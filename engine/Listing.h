// The listing <stem>.lst: step 1 rewrites it, step 2 appends. It is the engine's full report:
// what was read, warnings, budgets, invariants, phase times and errors. Plain text, LF ends.
#pragma once

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/Model.h"
#include "engine/Problem.h"
#include "engine/Report.h"

namespace engine {

class Listing {
 public:
  Listing(const std::string& path, bool append);
  bool Ok() const { return static_cast<bool>(out_); }

  void Heading(const std::string& text);
  void Line(const std::string& text);
  void Error(const std::string& text);
  void Problem(const engine::Problem& p);
  void Results(const engine::Problem& p, const ModelResult& r);
  void Notes(const Report& r);
  void Phases(const std::vector<std::pair<std::string, double>>& phases);

 private:
  std::ofstream out_;
  bool notesDone_ = false;
};

}  // namespace engine
