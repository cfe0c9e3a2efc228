// What a step tells the user besides its result: warnings and listing notes, collected in
// order and written to the listing at the end. Errors travel as EngineError instead.
#pragma once

#include <string>
#include <vector>

namespace engine {

struct Report {
  std::vector<std::string> warnings;
  std::vector<std::string> notes;

  void Warn(std::string text) { warnings.push_back(std::move(text)); }
  void Note(std::string text) { notes.push_back(std::move(text)); }
};

}  // namespace engine
