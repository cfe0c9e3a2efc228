// The stand-in windows. A list shows its table's rows (id and description) and forwards its
// buttons to the main window; an editor shows the record id it was opened with.
#pragma once
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "shell/class_Elastic.h"

namespace dao {
class Recordset;
}

namespace Standins {

struct ListSpec {
  const char* name;        // "frmCompoundsList"
  const char* caption;     // "Compounds"
  const char* editor;      // "frmCompounds"
  const char* idProperty;  // the editor's record id property, "Cmpid"
  bool* changedFlag;       // the table's list-changed flag, or nullptr
  std::function<std::unique_ptr<dao::Recordset>()> rows;  // GetAll without arguments
  bool runList = false;
};

class StandinList : public ui::Form {
  Q_OBJECT
  Q_PROPERTY(int Mode READ Mode WRITE SetMode)
  Q_PROPERTY(QWidget* frmParent READ frmParent WRITE SetfrmParent)

 public:
  explicit StandinList(ListSpec spec);
  int Mode() const { return mode_; }
  void SetMode(int mode);
  QWidget* frmParent() const { return parent_; }
  void SetfrmParent(QWidget* parent) { parent_ = parent; }

  Q_INVOKABLE void RefreshList();
  Q_INVOKABLE void AddRecord();
  Q_INVOKABLE void UpdateRecord();
  Q_INVOKABLE void DeleteRecord();
  Q_INVOKABLE void DisplayRecord();
  Q_INVOKABLE void SelectRecord();
  Q_INVOKABLE void ClearForm();
  Q_INVOKABLE void CloseForm();
  Q_INVOKABLE void EnableMenus();

  ui::ListView* lvw;
  std::array<QPushButton*, 8> cmdList;

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  bool Form_QueryUnload() override;
  void OpenEditor(int mode, bool withId);
  const char* Name() const { return spec_.name; }

 private:
  ListSpec spec_;
  int mode_ = 4;
  QPointer<QWidget> parent_;
};

// The compound, emission and estuary lists also copy.
class StandinCopyList : public StandinList {
  Q_OBJECT

 public:
  using StandinList::StandinList;
  Q_INVOKABLE void CopyRecord();
};

class StandinEditor : public ui::Form {
  Q_OBJECT
  Q_PROPERTY(int Mode READ Mode WRITE SetMode)
  Q_PROPERTY(QWidget* frmParent READ frmParent WRITE SetfrmParent)

 public:
  StandinEditor(const char* name, const char* caption, const char* idProperty);
  int Mode() const { return mode_; }
  void SetMode(int mode) { mode_ = mode; }
  QWidget* frmParent() const { return parent_; }
  void SetfrmParent(QWidget* parent) { parent_ = parent; }

  Q_INVOKABLE void ClearForm();
  Q_INVOKABLE void CloseForm();
  Q_INVOKABLE bool SaveDetails();
  Q_INVOKABLE void EnableMenus();

  QPushButton* cmdOK;
  QPushButton* cmdCancel;
  QLabel* lblInfo;

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  bool Form_QueryUnload() override;

 private:
  std::string name_, caption_, idProperty_;
  int mode_ = 0;
  QPointer<QWidget> parent_;
};

class StandinCalc : public ui::Form {
  Q_OBJECT

 public:
  StandinCalc();
  Q_INVOKABLE void EnableMenus();
  QLabel* lblLevel;
  class_Elastic elastic;

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  bool Form_QueryUnload() override;
};

class StandinResult : public ui::Form {
  Q_OBJECT

 public:
  StandinResult();
  QLabel* lblInfo;
  class_Elastic elastic;

 protected:
  void Form_Load() override;
  void Form_Resize() override;
};

}  // namespace Standins
