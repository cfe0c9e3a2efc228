// The two steps as callable functions (the executables' mains only forward to them), so tests
// and the benchmark can run them in-process. Both return the exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace engine {

// corvix1 <input> [-np]: reads and checks the input, writes <stem>.wrk and <stem>.lst.
int RunCorvix1(const std::vector<std::string>& args, std::ostream& err);
// tulmo <stem>: solves the steady state, writes tulmo.map and appends to <stem>.lst.
int RunTulmo(const std::vector<std::string>& args, std::ostream& err);

}  // namespace engine
