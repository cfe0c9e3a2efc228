// An editor test: the delivered scenario database open, message boxes recorded, the record lists
// as parents and the editors registered; every window unloaded afterwards.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/Editors.h"
#include "lists/RecordLists.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"
#include "tests/records/ScenarioDb.h"

class EditorTest : public testing::Test {
 public:
  void SetUp() override {
    lists::RegisterLists();
    editors::RegisterEditors();
    vb::Err().Clear();
  }
  void TearDown() override { ui::UnloadAllForms(); }

  // A list in maintain mode, as the Edit menu opens it, with the row of the id selected (0: none).
  lists::RecordList* OpenList(const char* name, int selectId = 0) {
    auto* list = static_cast<lists::RecordList*>(ChildForms::New(name));
    list->SetMode(modMaintain);
    list->Show();
    if (selectId) list->lvw->SetSelectedItem(list->lvw->Find("KY_" + std::to_string(selectId)));
    return list;
  }
  template <class T>
  T* Editor(const char* name) {
    return qobject_cast<T*>(ui::FindForm(name));
  }
  std::vector<std::string> Prompts() const {
    std::vector<std::string> out;
    for (const auto& b : boxes.boxes()) out.push_back(b.prompt);
    return out;
  }

  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
};
