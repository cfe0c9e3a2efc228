#include <QHeaderView>
#include <QIcon>
#include <QMouseEvent>
#include <QPixmap>
#include <algorithm>

#include "lists/CompoundImport.h"
#include "lists/RecordLists.h"
#include "platform/dao/Dao.h"
#include "platform/ui/CallByName.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "records/RecordSupport.h"
#include "records/RunUse.h"
#include "runtime/Files.h"
#include "runtime/Format.h"
#include "runtime/Guard.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"
#include "services/DAOSupport.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "shell/Progress.h"
#include "shell/TreeListFunctions.h"
#include "shell/frmOpen.h"

namespace lists {
namespace {

MDIMain& Main() { return ui::Global<MDIMain>(); }

constexpr const char* kBetaNote =
    "This screen will be UNAVAILABLE to the general user. It's implemented for the benifit of the BETA testers "
    "during validation / implementation.";
constexpr const char* kDemoSelect =
    "This was put in only to show you how to use the search screens as select screens. MDIMain should display the "
    "search screens with a mode of 'modMaintain'; not 'modSelectMaintain'.";
constexpr const char* kDeleteQuestion = "Are you sure you wish to delete the selected record";

struct Member {
  const char* name;
  const char* caption;
  const char* editor;
  const char* idProperty;
  bool labelShown;
  bool headersAtLoad;  // the load lays the headers down itself
  bool* changed;       // the table's list-changed flag
  RunColumn runColumn; // the run column that protects a record (group A)
};

const Member& Of(Table t) {
  // In the order of the tables.
  static const Member members[] = {
      {"frmCompoundsList", "Compounds List", "frmCompounds", "Cmpid", false, false, &gblnCompoundsChanged, RunColumn::CompoundID},
      {"frmCorvixList", "Corvix List", "frmCorvix", "Corvixid", true, true, nullptr, RunColumn::EnvirID},
      {"frmEmissionList", "Emission List", "frmEmission", "EmissionID", false, false, &gblnEmissionsChanged, RunColumn::EmisID},
      {"frmAdvancedDetailList", "Advanced detail List", "frmAdvancedDetail", "AdvancedID", true, true, nullptr, RunColumn::EnvirID},
      {"frmEnvironmentList", "Estuaries List", "frmEnvironment", "Id", false, false, &gblnEstuariesChanged, RunColumn::EnvirID},
      {"frmRunList", "Run List", "frmRun", "Runid", false, true, nullptr, RunColumn::EnvirID},
  };
  static_assert(std::size(members) == std::size(records::kRecordTables));
  return members[static_cast<int>(t)];
}

std::string CellText(const vb::Variant& v, const char* picture) {
  if (v.IsNull() || v.IsEmpty()) return {};
  if (picture) return vb::Format(v, picture);
  return vb::CStr(v);
}

// The decorative pictures of the compound, emission and estuary lists, from the lists' resource.
QPixmap Picture(Table t) {
  switch (t) {
    case Table::Compounds:  // a flask
      return QPixmap(":/lists/images/Compounds.png");
    case Table::Emission:  // a pipe discharging into water
      return QPixmap(":/lists/images/Emission.png");
    default:  // an estuary widening towards the sea
      return QPixmap(":/lists/images/Environment.png");
  }
}

// A header without a width of its own takes the list control's default width, or the width of its
// caption where that is wider, so that no column name shows cut off.
void AddHeader(ui::ListView* lvw, const std::string& header, double width) {
  lvw->AddColumn(header, width);
  const int column = lvw->columnCount() - 1;
  if (width <= 0)
    lvw->setColumnWidth(column,
                        std::max(lvw->header()->defaultSectionSize(), lvw->header()->sectionSizeHint(column)));
}

QIcon RowIcon() { return QIcon(":/lists/images/Row.png"); }

// A list refreshes and clears at any time; the record commands follow its mode and selection.
MenuEnabling::Preset MenuTable(bool runList, bool copies, int m, bool s) {
  const bool maintain = m == modMaintain || m == modSelectMaintain;
  const bool select = m == modSelect || m == modSelectMaintain;
  return MenuEnabling::Preset().With({{"mnuDataAdd", !runList && maintain},
                                      {"mnuDataCopy", copies && maintain && s},
                                      {"mnuDataUpdate", !runList && maintain && s},
                                      {"mnuDataDelete", maintain && s},
                                      {"mnuDataProperties", s},
                                      {"mnuDataSelect", !runList && select && s},
                                      {"mnuDataRefresh", true},
                                      {"mnuDataClear", true}});
}

}  // namespace

const std::vector<ListColumn>& Columns(Table table) {
  static const std::vector<ListColumn> compounds{
      {"ID", 1000, 0, "00000"}, {"Description", 3000, 1}, {"Name", 3000, 2}, {"CAS-number", 1440, 30}};
  static const std::vector<ListColumn> emission{{"ID", 800, 0, "00000"}, {"Description", 7000, 1}};
  static const std::vector<ListColumn> environment{
      {"ID", 1000, 0, "0000"}, {"Description", 7000, 1}, {"Type", 1440, 2}};
  static const std::vector<ListColumn> run{{"ID", 1000, 0, "00000"}, {"Description", 6000, 1}, {"Run date", 4000, 4}};
  static const std::vector<ListColumn> corvix = [] {
    std::vector<ListColumn> c{{"Corvixid", 0, 0}, {"Corvixversion", 0, 1}, {"Numericalscheme", 0, 2}};
    for (int i = 1; i <= 10; ++i) c.push_back({"Cxdummy" + std::to_string(i), 0, 2 + i});
    return c;
  }();
  static const std::vector<ListColumn> advanced = [] {
    std::vector<ListColumn> c{{"AdvancedID", 0, 0}};
    for (int i = 1; i <= 15; ++i) c.push_back({"Detail" + std::to_string(i), 0, i});
    const char* rest[] = {"Weight_org2dab",     "Weight_org1pec",     "Weight_org1tel",    "Weight_roundfish",
                          "Weight_secprod",     "Weight_zoopl",       "DietOrg2DabSecProd", "DietOrg2DabOrg1Tel",
                          "DietOrg1TelDet",     "DietOrg1TelPhyto",   "DietRoundSecProd",  "DietSecProdZoo",
                          "DietZooDet",         "DietZooPhyto",       "GrowthRateOrg2Dab", "GrowthRateOrg1Tel",
                          "GrowthRateRound"};
    int field = 16;
    for (const char* h : rest) c.push_back({h, 0, field++});
    return c;
  }();
  switch (table) {
    case Table::Compounds: return compounds;
    case Table::Emission: return emission;
    case Table::Environment: return environment;
    case Table::Corvix: return corvix;
    case Table::AdvancedDetail: return advanced;
    case Table::Run: return run;
  }
  return compounds;
}

int RowLimit(Table table) {
  switch (table) {
    case Table::Compounds: return 5000;
    case Table::Environment:
    case Table::Run: return 10000;
    default: return 100;
  }
}

// ---- the window ----------------------------------------------------------------------------------

RecordList::RecordList(Table table) : ui::Form(Of(table).name), table_(table) {
  const Member& m = Of(table);
  setWindowTitle(m.caption);
  SetDesignClientSize(9000, 5200);

  const char* captions[] = {"&Refresh", "C&lear", GroupA() ? "C&opy" : "&Select", table == Table::Run ? "&Add" : "&New",
                            "&Edit",    "&Delete", "&View", "&Close"};
  auto button = [&](int i, QWidget* parent) {
    auto* b = new QPushButton(captions[i], parent);
    b->setObjectName("cmdList");
    b->setProperty("Index", i);
    cmdList[static_cast<std::size_t>(i)] = b;
    connect(b, &QPushButton::clicked, this, [this, i] { cmdList_Click(i); });
  };
  // Design order: button 2, the frame and its contents, then the rest of the bottom row.
  button(2, this);
  fralist = new QFrame(this);
  fralist->setObjectName("fralist");
  fralist->setFrameShape(QFrame::StyledPanel);
  button(0, fralist);
  button(1, fralist);
  cmdList[0]->setHidden(true);
  cmdList[1]->setHidden(true);
  cmdList[1]->setShortcut(QKeySequence(Qt::Key_Escape));  // the window's cancel button
  lvw = new ui::ListView("lvw", fralist);
  if (GroupA()) {
    Image1 = new QLabel(fralist);
    Image1->setObjectName("Image1");
    Image1->setPixmap(Picture(table));
    ui::Place(Image1, 90, 90, 720, 720);
  }
  Line1 = new ui::Line("Line1", fralist);
  Line2 = new ui::Line("Line2", fralist);
  Label1 = new QLabel(fralist);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  if (m.labelShown) Label1->setText(kBetaNote);
  Label1->setHidden(!m.labelShown);
  ui::Place(Label1, 45, 180, 6000, 700);
  for (int i = 7; i >= 3; --i) button(i, this);
  imglvw = new ui::ImageList("imglvw", this);
  imglvw->Add("SAMPLE", RowIcon());

  if (!m.headersAtLoad)
    for (const ListColumn& c : Columns(table)) AddHeader(lvw, c.header, c.width);

  // Any click on the rows counts, also one on the empty part that clears the selection.
  lvw->viewport()->installEventFilter(this);
  // The selection also moves by keyboard and by rows removed: the active list's commands follow it.
  connect(lvw, &QTreeWidget::itemSelectionChanged, this, [this] {
    if (Loaded() && Main().frmActive() == this) EnableMenus();
  });
  connect(lvw, &ui::ListView::DblClick, this, [this] { lvw_DblClick(); });
  connect(lvw, &ui::ListView::ColumnClick, this, [this](int c) { lvw_ColumnClick(c); });
}

RecordList::~RecordList() {
  // The list control outlives this part of the window; its last signals must not reach it.
  disconnect(lvw, nullptr, this, nullptr);
  lvw->viewport()->removeEventFilter(this);
}

bool RecordList::eventFilter(QObject* watched, QEvent* event) {
  // A filter sees the clicks of a disabled list too; a list whose editor is open must not take
  // the commands back from that editor.
  if (watched == lvw->viewport() && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && lvw->isEnabled())
    lvw_Click();
  return ui::Form::eventFilter(watched, event);
}

const char* RecordList::Name() const { return Of(table_).name; }

bool RecordList::GroupA() const {
  return table_ == Table::Compounds || table_ == Table::Emission || table_ == Table::Environment;
}

void RecordList::Register() { Main().SetfrmActive(this); }

void RecordList::Form_Load() {
  vb::Guard(Name(), "Form_Load", [&] {
    RefreshList();
    Register();
    ProcessMode();
    auto placeRule = [this] {
      const double panel = ui::Global<frmOpen>().Width();
      if (Left() < panel) SetLeft(panel);
    };
    switch (table_) {
      case Table::Compounds:
      case Table::Environment:
        placeRule();
        SetWidth(9000);
        break;
      case Table::Emission:
        SetWidth(8100);
        placeRule();
        break;
      case Table::Run: SetWidth(9000); break;
      default: break;
    }
  });
}

void RecordList::ProcessMode() {
  vb::Guard(Name(), "ProcessMode", [&] {
    auto hide = [this](std::initializer_list<int> indexes) {
      for (int i : indexes) cmdList[static_cast<std::size_t>(i)]->setHidden(true);
    };
    switch (mode_) {
      case modSelect: hide({3, 2, 4, 5}); break;
      case modMaintain: break;
      case modSelectMaintain:
        if (table_ == Table::AdvancedDetail) {
          hide({3, 2, 5});
          cmdList[4]->setHidden(false);
        }
        break;
      default: vb::Raise(vb::kProgrammingError, "", "Programming error. Case not coded. Invalid form mode.");
    }
    if (table_ == Table::Run && lvw->Count() == 1) hide({5});
  });
}

void RecordList::Form_Activate() {
  vb::Guard(Name(), "Form_Activate", [&] { Register(); });
}

bool RecordList::Form_QueryUnload() {
  vb::Guard(Name(), "Form_QueryUnload", [&] {
    lvw->Clear();
    Main().SetfrmActive(nullptr);
  });
  return true;
}

void RecordList::Form_Resize() {
  // Each step on its own: a window made too small skips the steps it cannot take.
  const double W = Width(), H = Height();
  auto step = [](auto&& body) {
    vb::Try(body);
    vb::Err().Clear();
  };
  step([&] {
    if (H - 875 < 0 || W - 135 < 0) vb::Raise(380);
    ui::Place(fralist, 0, -45, W - 135, H - 875);
  });
  const double FH = ui::HeightOf(fralist), FW = ui::WidthOf(fralist);
  step([&] { ui::Place(Label1, 45, 180, ui::WidthOf(Label1), ui::HeightOf(Label1)); });
  step([&] { ui::Place(cmdList[0], FW - 90 - 1100, 180, 1100, 350); });
  step([&] { ui::Place(cmdList[1], ui::LeftOf(cmdList[0]), ui::TopOf(cmdList[0]) + 350 + 45, 1100, 350); });
  step([&] {
    if (FH * 0.75 - 270 < 0 || FW - 90 < 0) vb::Raise(380);
    ui::Place(lvw, 45, FH * 0.25 + 225, FW - 90, FH * 0.75 - 270);
  });
  step([&] {
    Line1->SetX1(ui::LeftOf(lvw) + 45);
    Line1->SetX2(ui::WidthOf(lvw));
    Line1->SetY1(ui::TopOf(lvw) - 180);
    Line1->SetY2(Line1->Y1());
  });
  step([&] {
    Line2->SetX1(Line1->X1());
    Line2->SetX2(Line1->X2());
    Line2->SetY1(Line1->Y1() + 15);
    Line2->SetY2(Line2->Y1());
  });
  if (Image1) step([&] { ui::SetLeft(Image1, ui::LeftOf(lvw) + 45); });
  const double top = table_ == Table::AdvancedDetail ? FH + 45 : FH - 22.5;
  for (int i = 2; i < 8; ++i)
    step([&] { ui::Place(cmdList[static_cast<std::size_t>(i)], FW - (8 - i) * (1100 + 22.5), top, 1100, 350); });
}

void RecordList::cmdList_Click(int index) {
  vb::Guard(Name(), "cmdList_Click", [&] {
    Register();
    MDIMain& main = Main();
    switch (index) {
      case 0: main.mnuDataRefresh_Click(); break;
      case 1: main.mnuDataClear_Click(); break;
      case 2:
        // Without a copy of their own, the lists of the second group select with this button.
        if (GroupA())
          main.mnuDataCopy_Click();
        else
          main.mnuDataSelect_Click();
        break;
      case 3: main.mnuDataAdd_Click(); break;
      case 4: main.mnuDataUpdate_Click(); break;
      case 5: main.mnuDataDelete_Click(); break;
      case 6: main.mnuDataProperties_Click(); break;
      case 7: main.mnuFileClose_Click(); break;
      default: vb::Raise(vb::kProgrammingError, "", "Programming error. Case not coded. Unknown button index.");
    }
  });
}

void RecordList::lvw_Click() {
  vb::Guard(Name(), "lvw_Click", [&] {
    Register();
    if (table_ == Table::Run)
      if (ui::ListItem* item = lvw->SelectedItem()) lvw->setToolTip(QString::fromStdString(item->SubItem(1)));
  });
}

void RecordList::lvw_DblClick() {
  vb::Guard(Name(), "lvw_DblClick", [&] {
    Register();
    if (mode_ == modSelect)
      SelectRecord();
    else
      DisplayRecord();
  });
}

void RecordList::lvw_ColumnClick(int column) {
  vb::Guard(Name(), "lvw_ColumnClick", [&] { lvw->SortOnce(column, true); });
}

std::unique_ptr<dao::Recordset> RecordList::Rows(int& count) const {
  // Only what the list shows: the count of all rows, then the shown columns of the rows up to the
  // limit and one more, which tells that the limit cut the list. A failure is reported as the
  // table's own reading reports it.
  std::unique_ptr<dao::Recordset> rs;
  const char* table = records::TableName(table_);
  vb::Guard(table, "GetAll", [&] {
    std::shared_ptr<dao::Database> db = gDatabase;
    if (table_ == Table::Compounds && gblnImport) {
      gblnImport = false;  // one reading of the import database, as the compound records have it
      db = gImportDatabase;
    }
    const dao::TableLayout* layout = nullptr;
    for (const dao::TableLayout& t : dao::ScenarioLayout())
      if (t.name == table) layout = &t;
    if (!layout) vb::Raise(vb::kProgrammingError, "", "Programming error. Unknown table.");
    dao::Database& d = records::ops::Db(db);
    std::string select;
    for (const ListColumn& c : Columns(table_))
      select += (select.empty() ? "" : ", ") + layout->columns.at(static_cast<std::size_t>(c.field));
    std::unique_ptr<dao::Recordset> counted = d.OpenRecordset(std::string("SELECT COUNT(*) FROM [") + table + "]");
    count = vb::CLng(counted->Fields(0));
    rs = d.OpenRecordset("SELECT " + select + " FROM [" + table + "] LIMIT " + std::to_string(RowLimit(table_) + 1));
  });
  return rs;
}

std::unique_ptr<dao::Recordset> RecordList::RowById(int32_t id) const { return records::RowById(table_, id); }

bool RecordList::Gone(int32_t id) const {
  return blnNoRow(RowById(id));
}

bool RecordList::Delete(int32_t id) const { return records::DeleteById(table_, id); }

void RecordList::RefreshList() {
  vb::Guard(Name(), "RefreshList", [&] {
    const Member& m = Of(table_);
    if (m.changed) *m.changed = true;
    lvw->Clear();
    const std::vector<ListColumn>& columns = Columns(table_);
    if (m.headersAtLoad) {
      lvw->setHeaderItem(new QTreeWidgetItem());
      // The run list sizes its columns after the load.
      for (const ListColumn& c : columns) AddHeader(lvw, c.header, 0);
    }
    int count = 0;
    std::unique_ptr<dao::Recordset> rs = Rows(count);
    // The rows were read one beyond the limit: that one tells that the limit cut the list.
    const int limit = RowLimit(table_);
    TreeListFunctions::FillList(lvw, rs, {count, limit, limit, TreeListFunctions::CapRule::RowBeyond},
                                [&](dao::Recordset& r, TreeListFunctions::ListRow& row) {
                                  const vb::Variant id = r.Fields(0);
                                  row.key = TreeListFunctions::KeyOf(id);
                                  row.text = CellText(id, columns[0].picture);
                                  row.cells.resize(columns.size() - 1);
                                  for (std::size_t c = 1; c < columns.size(); ++c)
                                    row.cells[c - 1] = CellText(r.Fields(static_cast<int>(c)), columns[c].picture);
                                  return true;
                                },
                                imglvw->Image("SAMPLE"));
    if (table_ == Table::Run)
      for (std::size_t c = 0; c < columns.size(); ++c)
        lvw->setColumnWidth(static_cast<int>(c), ui::ToPixels(columns[c].width));
    // The designed widths assume a smaller font: the id column grows until the icon and the whole
    // id fit, so that no id shows cut off.
    if (lvw->Count() > 0) {
      const int fit = static_cast<QAbstractItemView*>(lvw)->sizeHintForColumn(0);
      lvw->setColumnWidth(0, std::max(lvw->columnWidth(0), fit));
    }
    // Ids, names, types and dates show whole; the description gives up its width to them.
    if (columns.size() > 1 && columns[1].header == "Description") lvw->FitColumnsTo(1);
    EnableMenus();
  });
}

void RecordList::OpenEditor(int mode, bool forSelectedRow) {
  if (forSelectedRow) {
    const vb::Variant key = GetSelectedKeyId(0, lvw);
    if (vb::CStr(key).empty()) return;  // no row: nothing to open
    id_ = vb::CLng(key);
    if (!StillExists(id_)) return;
  }
  ShowEditor(mode, forSelectedRow);
}

bool RecordList::StillExists(int32_t id) {
  // A row deleted elsewhere would open as a blank form, and a blank copy would be stored.
  if (!Gone(id)) return true;
  ui::MsgBox(kRecordNoLongerExists);
  return false;
}

void RecordList::ShowEditor(int mode, bool forSelectedRow) {
  ui::Form* editor = ChildForms::New(Of(table_).editor);
  if (forSelectedRow) editor->setProperty(Of(table_).idProperty, id_);
  ui::SetProperty(editor, "frmParent", QVariant::fromValue<QWidget*>(this));
  ui::SetProperty(editor, "Mode", mode);
  editor->Show();
}

void RecordList::DisplayRecord() {
  vb::Guard(Name(), "DisplayRecord", [&] { OpenEditor(modView, true); });
}

void RecordList::AddRecord() {
  vb::Guard(Name(), "AddRecord", [&] { OpenEditor(modAdd, false); });
}

void CopyList::CopyRecord() {
  vb::Guard(Name(), "CopyRecord", [&] { OpenEditor(modCopy, true); });
}

bool RecordList::InRun(int32_t id) {
  // What cannot be checked stays protected: a run may name it.
  bool used = true;
  vb::Guard(Name(), "CheckIfInRun", [&] { used = UsedByRun(Of(table_).runColumn, id); });
  return used;
}

bool CopyList::CheckIfInRun(int id) { return InRun(id); }

void RecordList::UpdateRecord() {
  vb::Guard(Name(), "UpdateRecord", [&] {
    if (!GroupA()) {
      OpenEditor(modEdit, true);
      return;
    }
    id_ = vb::CLng(GetSelectedKeyId(0, lvw));
    if (table_ == Table::Environment) {
      const std::string type = lvw->SelectedItem() ? lvw->SelectedItem()->SubItem(2) : std::string();
      if (GenericEstuaryType(type)) {
        ui::MsgBox(kGenericEstuaryEditRefusal);
        return;
      }
    }
    if (InRun(id_)) {
      ui::MsgBox(EditRefusal(Of(table_).runColumn, id_));
      return;
    }
    if (!StillExists(id_)) return;
    ShowEditor(modEdit, true);
  });
}

void RecordList::DeleteRecord() {
  vb::Guard(Name(), "DeleteRecord", [&] {
    id_ = vb::CLng(GetSelectedKeyId(0, lvw));
    const std::string id = std::to_string(id_);
    if (table_ == Table::Environment) {
      const std::string type = lvw->SelectedItem() ? lvw->SelectedItem()->SubItem(2) : std::string();
      if (GenericEstuaryType(type)) {
        ui::MsgBox("You can't remove or edit default estuaries. ");
        return;
      }
    }
    if (GroupA() && InRun(id_)) {
      switch (table_) {
        case Table::Compounds:
          ui::MsgBox("Compound " + id + " already used in run. Please delete the run first, before you delete this compound");
          break;
        case Table::Emission: ui::MsgBox("Emission already used in run. Please delete the run first"); break;
        default: ui::MsgBox("Environment already used in run. Please remove run before you remove or update this record");
      }
      return;
    }
    ui::Beep();
    if (ui::MsgBox(kDeleteQuestion, ui::vbYesNo + ui::vbQuestion) != ui::vbYes) return;
    // A run's record class removes the row before its files, and answers False when a file
    // resists: the run is gone all the same, and so must be its row and its other files.
    if (!Delete(id_) && !(table_ == Table::Run && Gone(id_))) return;
    ui::ListItem* row = lvw->Find(TreeListFunctions::strGetSelectedKey(lvw));
    // Left alone, the list control would select the next row in the deleted one's place.
    lvw->setCurrentItem(nullptr);
    lvw->clearSelection();
    lvw->Remove(row);
    lvw->viewport()->update();
    if (table_ == Table::Run) DeleteRunFiles(id);
  });
}

void RecordList::DeleteRunFiles(const std::string& id) {
  // The record class removes the map, statistics and report files; the list removes the rest.
  // Every file is tried, and the user learns which ones stayed.
  for (const char* suffix : {".shp", ".shx", ".dbf", "-data.txt", "-stat.txt", ".map"}) {
    const std::string file = id + suffix;
    if (!vb::FileExists(file)) continue;
    vb::Try([&] { vb::Kill(file); });
    vb::Err().Clear();
  }
  std::string stayed;
  for (const char* suffix : {".map", "-stat.txt", "-report.txt", "-data.txt", ".shp", ".shx", ".dbf"})
    if (vb::FileExists(id + suffix)) stayed += (stayed.empty() ? "" : ", ") + id + suffix;
  if (!stayed.empty())
    ui::MsgBox("Run " + id + " is deleted, but these files of it could not be deleted: " + stayed,
               ui::vbOKOnly + ui::vbExclamation);
}

void RecordList::SelectRecord() {
  vb::Guard(Name(), "SelectRecord", [&] {
    id_ = vb::CLng(GetSelectedKeyId(0, lvw));
    if (!parent_) vb::Raise(vb::kProgrammingError, "", "Programming error. Parent form object must be set for select to work.");
    const std::string parent = parent_->objectName().toStdString();
    if (parent != "MDIMain")
      vb::Raise(vb::kProgrammingError, "",
                "Programming error. Do not know how to select records on parent form '" + parent + "'.");
    ui::Beep();
    if (table_ == Table::Compounds)
      ui::MsgBox("The selected compound has id " + std::to_string(id_));
    else
      ui::MsgBox(kDemoSelect, ui::vbOKOnly + ui::vbExclamation);
  });
}

void RecordList::ClearForm() {
  vb::Guard(Name(), "ClearForm", [&] {
    lvw->Clear();
    lvw->viewport()->update();
    EnableMenus();
  });
}

void RecordList::CloseForm() {
  vb::Guard(Name(), "CloseForm", [&] { Unload(); });
}

void RecordList::EnableMenus() {
  vb::Guard(Name(), "EnableMenus", [&] {
    const bool s = lvw->SelectedItem() != nullptr;
    MenuEnabling::SetMainMenus(MenuTable(table_ == Table::Run, GroupA(), mode_, s));
    const char* mirror[] = {"mnuDataRefresh", "mnuDataClear",  "mnuDataCopy",       "mnuDataAdd",
                            "mnuDataUpdate",  "mnuDataDelete", "mnuDataProperties", "mnuFileClose"};
    if (!GroupA()) mirror[2] = "mnuDataSelect";
    for (int i = 0; i < 8; ++i) cmdList[static_cast<std::size_t>(i)]->setEnabled(MenuEnabling::MenuEnabled(mirror[i]));
  });
}

void RegisterLists() {
  MDIMain::SetImportHandler(CompoundImport::Import);
  auto list = [](Table table, ChildForms::Factory make) {
    ChildForms::Register(Of(table).name, ChildForms::Kind::List, table, std::move(make));
  };
  list(Table::Compounds, [] { return new frmCompoundsList(); });
  list(Table::Emission, [] { return new frmEmissionList(); });
  list(Table::Environment, [] { return new frmEnvironmentList(); });
  list(Table::Corvix, [] { return new frmCorvixList(); });
  list(Table::AdvancedDetail, [] { return new frmAdvancedDetailList(); });
  list(Table::Run, [] { return new frmRunList(); });
}

}  // namespace lists
