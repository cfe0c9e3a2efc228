// The six record list windows, built from one template: a list control with one row per record,
// a row of eight buttons that forward to the main window's commands, the command-state table, and
// the editor of the table opened for a selected row. Each window adds its columns, its id property
// and its own edit, delete and select rules.
#pragma once
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "records/Tables.h"

namespace dao {
class Recordset;
}

namespace lists {

// Form modes shared by lists and editors.
enum Mode : int32_t {
  modView = 0,
  modEdit = 1,
  modAdd = 2,
  modSelect = 3,
  modMaintain = 4,
  modSelectMaintain = 5,
  modCopy = 6
};

using Table = records::TableId;

struct ListColumn {
  std::string header;
  double width = 0;         // twips; 0 keeps the list control's default width
  int field = 0;            // position in the GetAll recordset
  const char* picture = nullptr;  // number picture of the cell, or the plain text
};

class RecordList : public ui::Form {
  Q_OBJECT
  Q_PROPERTY(int Mode READ Mode WRITE SetMode)
  Q_PROPERTY(QWidget* frmParent READ frmParent WRITE SetfrmParent)
  Q_PROPERTY(int Result READ Result WRITE SetResult)

 public:
  explicit RecordList(Table table);
  ~RecordList() override;

  int Mode() const { return mode_; }
  void SetMode(int vMode) { mode_ = vMode; }
  QWidget* frmParent() const { return parent_; }
  void SetfrmParent(QWidget* rfrmParent) { parent_ = rfrmParent; }
  int Result() const { return result_; }
  void SetResult(int vResult) { result_ = vResult; }
  int32_t RecordId() const { return id_; }
  void SetRecordId(int vlngData) { id_ = vlngData; }

  Q_INVOKABLE void RefreshList();
  Q_INVOKABLE void CloseForm();
  Q_INVOKABLE void ClearForm();
  Q_INVOKABLE void DisplayRecord();
  Q_INVOKABLE void UpdateRecord();
  Q_INVOKABLE void DeleteRecord();
  Q_INVOKABLE void AddRecord();
  Q_INVOKABLE void SelectRecord();
  Q_INVOKABLE void EnableMenus();

  Table table() const { return table_; }
  const char* Name() const;
  // The window's button click, as the user gives it.
  void cmdList_Click(int index);

  QPushButton* cmdListButton(int index) const { return cmdList.at(static_cast<std::size_t>(index)); }

  ui::ListView* lvw;
  std::array<QPushButton*, 8> cmdList{};
  QFrame* fralist;
  QLabel* Image1 = nullptr;
  ui::Line* Line1;
  ui::Line* Line2;
  QLabel* Label1;
  ui::ImageList* imglvw;

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  bool Form_QueryUnload() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  bool GroupA() const;
  // Opens the table's editor: for the selected row (not for a new record) with its id.
  void OpenEditor(int mode, bool forSelectedRow);
  // True when a run names the id in its compound, emission or estuary column, and also when the
  // runs cannot be read.
  bool InRun(int32_t id);
  // Shows the table's editor (the selected row's id already in the record id).
  void ShowEditor(int mode, bool forSelectedRow);
  // False, after saying so, when no row has the id any more.
  bool StillExists(int32_t id);

 private:
  void ProcessMode();
  void lvw_Click();
  void lvw_DblClick();
  void lvw_ColumnClick(int column);
  void Register();
  // The rows to list, with the count of all rows of the table; no rows after a reported failure.
  std::unique_ptr<dao::Recordset> Rows(int& count) const;
  bool Delete(int32_t id) const;
  std::unique_ptr<dao::Recordset> RowById(int32_t id) const;
  // True when the table was read and holds no row with the id.
  bool Gone(int32_t id) const;
  void DeleteRunFiles(const std::string& id);

  Table table_;
  int mode_ = 0;
  int result_ = 0;
  int32_t id_ = 0;
  QPointer<QWidget> parent_;
};

// The compound, emission and estuary lists: they copy, and refuse records that a run uses.
class CopyList : public RecordList {
  Q_OBJECT

 public:
  using RecordList::RecordList;
  Q_INVOKABLE void CopyRecord();
  Q_INVOKABLE bool CheckIfInRun(int id);
};

class frmCompoundsList : public CopyList {
  Q_OBJECT
  Q_PROPERTY(int Cmpid READ RecordId WRITE SetRecordId)
 public:
  frmCompoundsList() : CopyList(Table::Compounds) {}
};

class frmEmissionList : public CopyList {
  Q_OBJECT
  Q_PROPERTY(int EmissionID READ RecordId WRITE SetRecordId)
 public:
  frmEmissionList() : CopyList(Table::Emission) {}
};

class frmEnvironmentList : public CopyList {
  Q_OBJECT
  Q_PROPERTY(int Id READ RecordId WRITE SetRecordId)
 public:
  frmEnvironmentList() : CopyList(Table::Environment) {}
};

class frmCorvixList : public RecordList {
  Q_OBJECT
  Q_PROPERTY(int Corvixid READ RecordId WRITE SetRecordId)
 public:
  frmCorvixList() : RecordList(Table::Corvix) {}
};

class frmAdvancedDetailList : public RecordList {
  Q_OBJECT
  Q_PROPERTY(int AdvancedID READ RecordId WRITE SetRecordId)
 public:
  frmAdvancedDetailList() : RecordList(Table::AdvancedDetail) {}
};

class frmRunList : public RecordList {
  Q_OBJECT
  Q_PROPERTY(int Runid READ RecordId WRITE SetRecordId)
 public:
  frmRunList() : RecordList(Table::Run) {}
};

// The columns a list shows, in list order.
const std::vector<ListColumn>& Columns(Table table);
// The most rows a list loads.
int RowLimit(Table table);

// Registers the six lists with the shell.
void RegisterLists();

}  // namespace lists
