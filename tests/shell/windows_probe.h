// A child window that records which of its operations the main window calls by name.
#pragma once
#include <string>
#include <vector>

#include "platform/ui/Form.h"

class ProbeForm : public ui::Form {
  Q_OBJECT

 public:
  explicit ProbeForm(const QString& name) : ui::Form(name) {}
  Q_INVOKABLE void AddRecord() { calls.push_back("AddRecord"); }
  Q_INVOKABLE void UpdateRecord() { calls.push_back("UpdateRecord"); }
  Q_INVOKABLE void DeleteRecord() { calls.push_back("DeleteRecord"); }
  Q_INVOKABLE void DisplayRecord() { calls.push_back("DisplayRecord"); }
  Q_INVOKABLE void SelectRecord() { calls.push_back("SelectRecord"); }
  Q_INVOKABLE void RefreshList() { calls.push_back("RefreshList"); }
  Q_INVOKABLE void ClearForm() { calls.push_back("ClearForm"); }
  Q_INVOKABLE void CloseForm() { calls.push_back("CloseForm"); }
  Q_INVOKABLE bool SaveDetails() {
    calls.push_back("SaveDetails");
    return true;
  }
  Q_INVOKABLE void EnableMenus() { calls.push_back("EnableMenus"); }
  std::vector<std::string> calls;
};
