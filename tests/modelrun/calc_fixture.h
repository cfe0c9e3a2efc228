// A calculation-window test: the delivered scenario database open, message boxes recorded, the
// program's windows registered, every window unloaded afterwards; and an engine that tests stand in
// with.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "modelrun/frmCalc.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/Form.h"
#include "platform/process/Process.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"
#include "shell/Globals.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/ResultMap.h"
#include "tests/support/TestDir.h"

namespace calctest {

// Records each command line and answers with the action given for its program.
struct FakeEngine : process::Runner {
  std::vector<std::string> commands;
  std::map<std::string, std::function<process::Outcome()>> actions;
  process::Outcome Run(const std::string& cmd) override {
    commands.push_back(cmd);
    const std::string program = cmd.substr(0, cmd.find(' '));
    auto it = actions.find(program);
    if (it == actions.end()) return {false, -1, false, "not found", {}};
    return it->second();
  }
};

inline process::Outcome Ok() { return {true, 0, false, {}, {}}; }
inline process::Outcome Refused(int exitCode, const std::string& errorOutput = {}) { return {true, exitCode, false, {}, errorOutput}; }

// A result map that the reader takes, every value 1, and `tail` bytes after it (which the reader
// ignores).
inline std::string ReadableMap(std::size_t tail = 0) {
  return testsupport::ResultMap(500, [](int, int) { return 1.0f; }) + std::string(tail, 'T');
}

inline FakeEngine WorkingEngine(const std::string& map = ReadableMap()) {
  FakeEngine e;
  e.actions["corvix1"] = [] {
    testsupport::WriteFile(testsupport::WorkDir() / "pirsel.wrk", "work");
    return Ok();
  };
  e.actions["tulmo"] = [map] {
    testsupport::WriteFile(testsupport::WorkDir() / "tulmo.map", map);
    return Ok();
  };
  return e;
}

}  // namespace calctest

class CalcTest : public testing::Test {
 protected:
  void SetUp() override {
    AppWindows::RegisterWindows();
    modTulmo::ResetModuleState();
    gblnCompoundsChanged = gblnEmissionsChanged = gblnEstuariesChanged = true;
    gstrLevel.clear();
    vb::Err().Clear();
  }
  void TearDown() override {
    ui::UnloadAllForms();
    gstrLevel.clear();
  }
  frmCalc& Open(const std::string& level) {
    gstrLevel = level;
    return static_cast<frmCalc&>(ChildForms::Global("frmCalc"));
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes.boxes()) out.push_back(b.prompt);
    return out;
  }

  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
};
