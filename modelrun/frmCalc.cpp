// The calculation window: pick lists, editor openers, menus while active, and the run button,
// which hands the run to modTulmo::RunCalculation and shows the result window after it.
#include "modelrun/frmCalc.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMdiArea>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "modelrun/calc_run.h"
#include "modelrun/modTulmo.h"
#include "platform/dao/Dao.h"
#include "platform/ui/CallByName.h"
#include "platform/ui/Global.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "records/Compounds.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/RecordSupport.h"
#include "runtime/Format.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"
#include "shell/ChildForms.h"
#include "services/DAOSupport.h"
#include "shell/FormMode.h"
#include "shell/Globals.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "shell/Progress.h"
#include "shell/TreeListFunctions.h"
#include "shell/frmOpen.h"

namespace {

constexpr const char* kName = "frmCalc";

MDIMain& Main() { return ui::Global<MDIMain>(); }

ui::ListView* MakeList(const char* name, const char* tip, double descriptionWidth, QWidget* parent) {
  auto* list = new ui::ListView(name, parent);
  list->AddColumn("ID", 1235);
  list->AddColumn("Description", descriptionWidth);
  list->setToolTip(tip);
  return list;
}

QLabel* MakeLabel(const char* name, const char* caption, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  return label;
}

QPushButton* MakeButton(const char* name, const char* caption, const char* tip, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  if (tip) button->setToolTip(tip);
  return button;
}


// The run pumps messages only to repaint (ui::DoEvents) and waits for the engine without any: the
// user's clicks and keys meanwhile wait in the queue. They were aimed at windows that took nothing
// then; handed over once the run has ended they would act on what the run left (a second run, a
// pick, an editor opened), so the run drops them before the window acts again. A close asked for
// meanwhile is not dropped: it reaches its window, which refuses it while the run is on.
void DropInputQueuedDuringRun() {
  class Drop : public QObject {
   protected:
    bool eventFilter(QObject*, QEvent* event) override {
      switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
          return true;
        default:
          return false;
      }
    }
  } drop;
  qApp->installEventFilter(&drop);
  // Until the queue is empty: the window system's input comes through in more than one pass.
  QCoreApplication::processEvents(QEventLoop::AllEvents, 200);
  qApp->removeEventFilter(&drop);
}

// The first `columns` columns of a table, the rows up to `limit` (0: all), with the count of all its
// rows: a pick list shows the id and the description only. A failure is reported as the table's
// own reading reports it, and gives no rows.
std::unique_ptr<dao::Recordset> PickRows(const char* table, int columns, int limit, int64_t& count) {
  std::unique_ptr<dao::Recordset> rs;
  count = 0;
  vb::Guard(table, "GetAll", [&] {
    const dao::TableLayout* layout = nullptr;
    for (const dao::TableLayout& t : dao::ScenarioLayout())
      if (t.name == table) layout = &t;
    if (!layout) vb::Raise(vb::kProgrammingError, "", "Programming error. Unknown table.");
    dao::Database& db = records::ops::Db(gDatabase);
    std::string select;
    for (int c = 0; c < columns; ++c) select += (c ? ", " : "") + layout->columns.at(static_cast<std::size_t>(c));
    count = vb::CLng(db.OpenRecordset(std::string("SELECT COUNT(*) FROM [") + table + "]")->Fields(0));
    rs = db.OpenRecordset("SELECT " + select + " FROM [" + table + "]" +
                          (limit > 0 ? " LIMIT " + std::to_string(limit) : std::string()));
  });
  return rs;
}

// Fills a pick list from a record set: the row key, the id in the picture, the description.
// `count` is the table's row count; a full `limit` stops the reading with a message (0: no limit);
// `keep` chooses the rows shown.
void FillPickList(ui::ListView* list, std::unique_ptr<dao::Recordset> rs, int64_t count, const char* picture,
                  int limit, int progressCap, const std::function<bool(dao::Recordset&)>& keep) {
  // Filling changes no pick: the window highlights the picked row afterwards.
  const QSignalBlocker quiet(list);
  list->Clear();
  TreeListFunctions::FillList(list, rs, {count, progressCap, limit, TreeListFunctions::CapRule::CapFull},
                              [&](dao::Recordset& r, TreeListFunctions::ListRow& row) {
                                if (keep && !keep(r)) return false;
                                const vb::Variant id = r.Fields(0);
                                const vb::Variant text = r.Fields(1);
                                row.key = TreeListFunctions::KeyOf(id);
                                row.text = id.IsNull() ? std::string() : vb::Format(vb::CLng(id), picture);
                                row.cells.assign(1, text.IsNull() ? std::string() : vb::CStr(text));
                                return true;
                              });
  // The description fills the list; a long one scrolls rather than losing its end.
  list->FitColumnsTo(1, ui::ListView::LongText::Scroll);
}

// Highlights a row without picking it.
void Highlight(ui::ListView* list, ui::ListItem* row) {
  const QSignalBlocker quiet(list);
  list->SetSelectedItem(row);
  if (row) list->scrollToItem(row);
}

// The estuary type that a level offers; empty for an unknown level.
std::string LevelType(const std::string& level) {
  if (level == "EASY") return "defaultavg";
  if (level == "INTERMEDIATE") return "default";
  if (level == "ADVANCED") return "user";
  return {};
}

const char* Article(const std::string& noun) { return noun.find_first_of("aeiou") == 0 ? "an" : "a"; }

int32_t SelectedId(ui::ListView* list) { return vb::CLng(GetSelectedKeyId(0, list)); }

// Selects the first row and picks it, or says that the table is empty and opens its list window.
template <class Pick, class Open>
void PickFirstOrOpen(ui::ListView* list, Pick pick, const char* message, Open open) {
  if (list->Count() > 0) {
    Highlight(list, list->Item(1));
    pick();
  } else {
    ui::MsgBox(message);
    open();
  }
}

}  // namespace

frmCalc::frmCalc() : ui::Form(kName) {
  setWindowTitle("Start calculation - easy level");
  SetDesignClientSize(6380, 8580);
  lblCompound = MakeLabel("lblCompound", "Compound", this);
  lvCompounds = MakeList("lvCompounds", "Select one compound", 6527, this);
  cmdCompounds = MakeButton("cmdCompounds", "View details..", "View details, to edit select menu edit - compound list", this);
  lblEmission = MakeLabel("lblEmission", "Emission", this);
  lvEmissions = MakeList("lvEmissions", "Select an emission scenario", 6527, this);
  cmdEmissions = MakeButton("cmdEmissions", "View details ..", "View details, to edit select menu edit - emission list", this);
  Label1 = MakeLabel("Label1", "Estuary", this);
  lvEstuary = MakeList("lvEstuary", "Select an estuary", 6526, this);
  cmdEstuary = MakeButton("cmdEstuary", "View details..", "View details, to edit select menu edit - estuary list", this);
  cmdRun = MakeButton("cmdRun", "Run", "Run calculation", this);
  cmdCancel = MakeButton("cmdCancel", "Cancel", nullptr, this);

  // Three bands of label, list and button, then the run and cancel buttons.
  const double width = 6140;
  double top = 120;
  for (auto [label, list, button] : {std::tuple{static_cast<QWidget*>(lblCompound), lvCompounds, cmdCompounds},
                                     std::tuple{static_cast<QWidget*>(lblEmission), lvEmissions, cmdEmissions},
                                     std::tuple{static_cast<QWidget*>(Label1), lvEstuary, cmdEstuary}}) {
    ui::Place(label, 120, top, 2400, 255);
    ui::Place(list, 120, top + 300, width, 1815);
    ui::Place(button, 120 + width - 1695, top + 2175, 1695, 375);
    top += 2700;
  }
  ui::Place(cmdRun, 120 + width - 2 * 1695 - 120, top + 60, 1695, 375);
  ui::Place(cmdCancel, 120 + width - 1695, top + 60, 1695, 375);

  connect(lvCompounds, &ui::ListView::ItemClick, this, [this] { lvCompounds_Click(); });
  connect(lvEmissions, &ui::ListView::ItemClick, this, [this] { lvEmissions_Click(); });
  connect(lvEstuary, &ui::ListView::ItemClick, this, [this] { lvEstuary_Click(); });
  WatchCurrentRow(lvCompounds, &frmCalc::lvCompounds_Click);
  WatchCurrentRow(lvEmissions, &frmCalc::lvEmissions_Click);
  WatchCurrentRow(lvEstuary, &frmCalc::lvEstuary_Click);
  connect(lvCompounds, &ui::ListView::ColumnClick, this, [this](int c) { lvCompounds_ColumnClick(c); });
  connect(lvEmissions, &ui::ListView::ColumnClick, this, [this](int c) { lvEmissions_ColumnClick(c); });
  connect(lvEstuary, &ui::ListView::ColumnClick, this, [this](int c) { lvEstuary_ColumnClick(c); });
  connect(cmdCompounds, &QPushButton::clicked, this, [this] { cmdCompounds_Click(); });
  connect(cmdEmissions, &QPushButton::clicked, this, [this] { cmdEmissions_Click(); });
  connect(cmdEstuary, &QPushButton::clicked, this, [this] { cmdEstuary_Click(); });
  connect(cmdRun, &QPushButton::clicked, this, [this] { cmdRun_Click(); });
  connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

// ---- loading, activation, resizing, unloading ------------------------------------------------

void frmCalc::Form_Load() {
  vb::Guard(kName, "Form_Load", [&] {
    frmOpen::PlaceBesidePanel(*this);
    SetWidth(6500);
    SetHeight(9000);
    elastic_.Init(this);
    RefreshCompoundList();
    PickFirstOrOpen(lvCompounds, [&] { lvCompounds_Click(); }, "You must first define a compound",
                    [] { Main().mnuEditCompoundsList_Click(); });
    RefreshEmissionList();
    PickFirstOrOpen(lvEmissions, [&] { lvEmissions_Click(); }, "You must first define an emission",
                    [] { Main().mnuEditEmissionList_Click(); });
    RefreshEstuaryList();
    PickFirstOrOpen(lvEstuary, [&] { lvEstuary_Click(); }, "You must first define a estuary",
                    [] { Main().mnuEditEnvironmentList_Click(); });
    Main().SetfrmActive(nullptr);
  });
}

void frmCalc::Form_Activate() {
  // A run's message boxes hand the activation back to the window: lists stay as the run found them.
  if (running_) return;
  vb::Guard(kName, "Form_Activate", [&] {
    // Another level chosen since the estuaries were listed: those of the new level, and no pick of
    // an estuary that it does not offer.
    if (estuaryLevel_ != gstrLevel) {
      RefreshEstuaryList();
      if (lvEstuary->Count() > 0) {
        ShowPick(lvEstuary, modTulmo::CalcSelection.EstuaryID, &frmCalc::lvEstuary_Click);
      } else {
        modTulmo::CalcSelection.EstuaryID = 0;
        ui::MsgBox("You must first define a estuary");
        Main().mnuEditEnvironmentList_Click();
      }
    }
    cmdRun->setEnabled(true);
    if (lvCompounds->Count() == 0 || lvEmissions->Count() == 0 || lvEstuary->Count() == 0) {
      cmdRun->setEnabled(false);
      return;
    }
    // A reload keeps the picked ids and the current records as they are, and highlights the picks.
    if (gblnCompoundsChanged) {
      ReloadKeepingPick(lvCompounds, modTulmo::CalcSelection.CompoundID, &frmCalc::RefreshCompoundList, "compound");
      gblnCompoundsChanged = false;
    }
    if (gblnEmissionsChanged) {
      ReloadKeepingPick(lvEmissions, modTulmo::CalcSelection.EmissionID, &frmCalc::RefreshEmissionList, "emission");
      gblnEmissionsChanged = false;
    }
    if (gblnEstuariesChanged) {
      ReloadKeepingPick(lvEstuary, modTulmo::CalcSelection.EstuaryID, &frmCalc::RefreshEstuaryList, "estuary");
      gblnEstuariesChanged = false;
    }
    modTulmo::GetAdvancedDetailData(1);
    BringToFrontWhileActive();
    EnableMenus();
    if (gstrLevel == "EASY")
      SetCaption("TULMO - easy level : yearly averaged , default estuaries");
    else if (gstrLevel == "INTERMEDIATE")
      SetCaption("TULMO - intermediate level : seasonally averaged , default estuaries");
    else if (gstrLevel == "ADVANCED")
      SetCaption("TULMO - advanced level : user defined estuaries");
  });
}

// Activation brings the window to the front, also when the code that activated it sends it back
// before it returns (the level dialog's OK): the raise is done again once that code is through. A
// window opened or activated in between keeps the front.
void frmCalc::BringToFrontWhileActive() {
  const auto raiseWhileCurrent = [this] {
    QMdiArea* area = ui::MdiArea();
    if (!SubWindow() || !area)
      Frame()->raise();
    else if (area->currentSubWindow() == SubWindow())
      SubWindow()->raise();
  };
  raiseWhileCurrent();
  QTimer::singleShot(0, this, raiseWhileCurrent);
}

void frmCalc::Form_Resize() {
  if (!Loading()) elastic_.FormResize(this);
}

bool frmCalc::Form_QueryUnload() {
  // The run goes on inside this window: it stays until the run has ended.
  if (running_) {
    ui::Beep();
    return false;
  }
  vb::Guard(kName, "Form_QueryUnload", [&] { Main().SetfrmActive(nullptr); });
  return true;
}

// ---- pick lists -------------------------------------------------------------------------------

void frmCalc::RefreshCompoundList() {
  vb::Guard(kName, "RefreshCompoundsList", [&] {
    int64_t count = 0;
    auto rs = PickRows("Compounds", 2, 9000, count);
    FillPickList(lvCompounds, std::move(rs), count, "0000", 9000, 9000, {});
  });
}

void frmCalc::RefreshEmissionList() {
  vb::Guard(kName, "RefreshEmissionList", [&] {
    int64_t count = 0;
    auto rs = PickRows("Emission", 2, 1000, count);
    FillPickList(lvEmissions, std::move(rs), count, "00000", 1000, 1000, {});
  });
}

void frmCalc::RefreshEstuaryList() {
  vb::Guard(kName, "RefreshEstuaryList", [&] {
    const std::string type = LevelType(gstrLevel);
    int64_t count = 0;
    auto rows = PickRows("Environment", 3, 0, count);
    FillPickList(lvEstuary, std::move(rows), count, "00000", 0, 9000, [&](dao::Recordset& rs) {
      const vb::Variant t = rs.Fields(2);
      return !type.empty() && !t.IsNull() && vb::CStr(t) == type;
    });
    estuaryLevel_ = gstrLevel;
    EnableMenus();
  });
}

void frmCalc::WatchCurrentRow(ui::ListView* list, void (frmCalc::*pick)()) {
  connect(list, &QTreeWidget::currentItemChanged, this, [this, list, pick](QTreeWidgetItem* current, QTreeWidgetItem*) {
    if (!current || running_) return;
    // A current row moved with Ctrl and an arrow key is not highlighted by itself.
    if (!current->isSelected()) Highlight(list, static_cast<ui::ListItem*>(current));
    (this->*pick)();
  });
  // The current row is the pick: it keeps its highlight (Ctrl and a click would take it away).
  connect(list, &QTreeWidget::itemSelectionChanged, this, [list] {
    if (QTreeWidgetItem* current = list->currentItem(); current && list->selectedItems().isEmpty())
      Highlight(list, static_cast<ui::ListItem*>(current));
  });
}

void frmCalc::ShowPick(ui::ListView* list, int32_t picked, void (frmCalc::*pick)()) {
  if (ui::ListItem* row = list->Find(TreeListFunctions::KeyOf(picked))) {
    Highlight(list, row);
  } else if (pick && list->Count() > 0) {
    Highlight(list, list->Item(1));
    (this->*pick)();
  }
}

void frmCalc::ReloadKeepingPick(ui::ListView* list, int32_t& picked, void (frmCalc::*reload)(),
                                const std::string& what) {
  // The row as it was listed: once reloaded, a deleted record has nothing left to name it by.
  std::string was = std::to_string(picked);
  if (const ui::ListItem* row = list->Find(TreeListFunctions::KeyOf(picked)))
    was = row->Text() + " \"" + row->SubItem(1) + "\"";
  (this->*reload)();
  if (ui::ListItem* row = list->Find(TreeListFunctions::KeyOf(picked))) {
    Highlight(list, row);
    return;
  }
  // Never another record in its place: a run would compute what the user did not choose.
  Highlight(list, nullptr);
  if (picked == 0) return;
  picked = 0;
  ui::MsgBox("The " + what + " " + was + " chosen for the calculation no longer exists. Choose " + Article(what) +
             " " + what + " in the list.");
}

void frmCalc::lvCompounds_Click() {
  if (running_) return;
  const int32_t id = SelectedId(lvCompounds);
  modTulmo::CalcSelection.CompoundID = id;
  modTulmo::GetData(id);
}

void frmCalc::lvEmissions_Click() {
  if (running_) return;
  const int32_t id = SelectedId(lvEmissions);
  modTulmo::CalcSelection.EmissionID = id;
  modTulmo::GetEmissionData(id);
}

void frmCalc::lvEstuary_Click() {
  if (running_) return;
  const int32_t id = SelectedId(lvEstuary);
  modTulmo::CalcSelection.EstuaryID = id;
  modTulmo::GetEnvironmentData(id);
  modTulmo::CurrentRun.EnvirID = id;
}

void frmCalc::SortColumn(ui::ListView* list, int column, const char* procedure) {
  if (running_) return;
  vb::Guard(kName, procedure, [&] { list->SortOnce(column, true); });
}

void frmCalc::lvCompounds_ColumnClick(int column) { SortColumn(lvCompounds, column, "lvCompounds_ColumnClick"); }
void frmCalc::lvEmissions_ColumnClick(int column) { SortColumn(lvEmissions, column, "lvemissions_ColumnClick"); }
void frmCalc::lvEstuary_ColumnClick(int column) { SortColumn(lvEstuary, column, "lvEstuary_ColumnClick"); }

// ---- editors ------------------------------------------------------------------------------------

// A list without a selected row has no id to show: the buttons then do nothing.
void frmCalc::cmdCompounds_Click() {
  if (running_) return;
  if (lvCompounds->SelectedItem() || lvCompounds->DropHighlight()) DisplayCompRecordbyKey(SelectedId(lvCompounds));
}

void frmCalc::cmdEmissions_Click() {
  if (running_) return;
  if (lvEmissions->SelectedItem() || lvEmissions->DropHighlight()) DisplayEmisRecordbyKey(SelectedId(lvEmissions));
}

void frmCalc::cmdEstuary_Click() {
  if (running_) return;
  if (!lvEstuary->SelectedItem() && !lvEstuary->DropHighlight()) return;
  const int32_t id = SelectedId(lvEstuary);
  modTulmo::CalcSelection.EstuaryID = id;
  DisplayEstRecordbyKey(id);
}

void frmCalc::OpenEditor(const char* editor, const char* idProperty, int32_t id) {
  ui::Form* form = ChildForms::New(editor);
  form->setProperty(idProperty, id);
  ui::SetProperty(form, "frmParent", QVariant::fromValue<QWidget*>(this));
  ui::SetProperty(form, "Mode", modView);
  form->Show();
}

void frmCalc::DisplayCompRecordbyKey(int32_t myCompoundID) {
  vb::Guard(kName, "DisplayRecord", [&] {
    modTulmo::CalcSelection.CompoundID = myCompoundID;
    OpenEditor("frmCompounds", "Cmpid", myCompoundID);
  });
}

void frmCalc::DisplayEmisRecordbyKey(int32_t myEmisID) {
  vb::Guard(kName, "DisplayRecord", [&] {
    modTulmo::CalcSelection.EmissionID = myEmisID;
    OpenEditor("frmEmission", "EmissionID", myEmisID);
  });
}

void frmCalc::DisplayEstRecordbyKey(int32_t myEnvironmentID) {
  vb::Guard(kName, "DisplayRecord", [&] { OpenEditor("frmEnvironment", "Id", myEnvironmentID); });
}

// ---- menus --------------------------------------------------------------------------------------

void frmCalc::EnableMenus() {
  vb::Guard(kName, "EnableMenus", [&] {
    // The calculation window offers no Data commands and no arranging of windows.
    MenuEnabling::SetMainMenus(MenuEnabling::Preset().With({{"mnuData", false},
                                                             {"mnuWindow", false},
                                                             {"mnuWindowTileHorizontally", false},
                                                             {"mnuWindowTileVertically", false},
                                                             {"mnuWindowCascade", false},
                                                             {"mnuWindowArrangeIcons", false}}));
  });
}

// ---- run and cancel -----------------------------------------------------------------------------

void frmCalc::SetMousePointer(int pointer) {
  mousePointer_ = pointer;
  if (pointer == 11)
    setCursor(Qt::WaitCursor);
  else
    unsetCursor();
}

// From the press of Run until the run has ended: the window and its controls are disabled, the
// program takes no input but in message boxes (the run's pumps let none through, and the input that
// waited meanwhile is dropped at its end), and the pointer is the hourglass. Every way out of the
// run undoes it; the picks are highlighted again as the run recorded them.
class frmCalc::RunInProgress {
 public:
  explicit RunInProgress(frmCalc& window) : window_(window) {
    window_.running_ = true;
    window_.setEnabled(false);
    window_.SetMousePointer(11);
  }
  ~RunInProgress() {
    DropInputQueuedDuringRun();
    window_.SetMousePointer(0);
    window_.setEnabled(true);
    window_.running_ = false;
    window_.ShowPick(window_.lvCompounds, modTulmo::CalcSelection.CompoundID, nullptr);
    window_.ShowPick(window_.lvEmissions, modTulmo::CalcSelection.EmissionID, nullptr);
    window_.ShowPick(window_.lvEstuary, modTulmo::CalcSelection.EstuaryID, nullptr);
  }
  RunInProgress(const RunInProgress&) = delete;
  RunInProgress& operator=(const RunInProgress&) = delete;

 private:
  frmCalc& window_;
};

void frmCalc::cmdRun_Click() {
  // A second press during the message runs would start a second run over the same files.
  if (running_) return;
  // A pick dropped because its record went away: nothing is computed in its place.
  for (const auto& [id, what] : {std::pair{modTulmo::CalcSelection.CompoundID, "compound"},
                                 std::pair{modTulmo::CalcSelection.EmissionID, "emission"},
                                 std::pair{modTulmo::CalcSelection.EstuaryID, "estuary"}}) {
    if (id != 0) continue;
    ui::MsgBox(std::string("Choose ") + Article(what) + " " + what + " for the calculation.");
    return;
  }
  RunInProgress run(*this);
  vb::Guard(kName, "cmdRun_Click", [] {
    if (modTulmo::RunCalculation()) ChildForms::Global("frmResult").Show();
  });
}

void frmCalc::cmdCancel_Click() {
  if (running_) {
    ui::Beep();
    return;
  }
  Unload();
}

void RegisterCalcWindow() {
  ChildForms::Register("frmCalc", ChildForms::Kind::Calculation, [] { return new frmCalc(); });
}
