// A calculation-window test: the delivered scenario database open, message boxes recorded, the
// program's windows registered, every window unloaded afterwards.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppWindows.h"
#include "modelrun/frmCalc.h"
#include "modelrun/modTulmo.h"
#include "platform/ui/Form.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"
#include "shell/Globals.h"
#include "tests/records/ScenarioDb.h"

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
