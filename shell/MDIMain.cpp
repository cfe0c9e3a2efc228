#include "shell/MDIMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <algorithm>
#include <string>

#include "platform/ui/Application.h"
#include "platform/ui/CallByName.h"
#include "platform/ui/Form.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Global.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/MsgBox.h"
#include "runtime/Guard.h"
#include "shell/ChildForms.h"
#include "services/DAOSupport.h"
#include "shell/FormMode.h"
#include "shell/MenuEnabling.h"
#include "shell/frmAbout.h"

namespace {

constexpr const char* kModule = "MDIMain";

// What the window registered as, by its name; Kind::None for a window nobody registered.
ChildForms::Kind KindOf(const QWidget* form) {
  const ChildForms::Window* window = ChildForms::Find(form->objectName().toStdString());
  return window ? window->kind : ChildForms::Kind::None;
}

}  // namespace

MDIMain::MDIMain() {
  setObjectName("MDIMain");
  setWindowTitle("Tulmo");
  mdiArea = new QMdiArea(this);
  mdiArea->setObjectName("qt_mdiarea");
  mdiArea->setBackground(MainBackground(mdiArea->viewport()->height()));
  mdiArea->viewport()->installEventFilter(this);
  mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdiArea);
  BuildMenus();
  BuildToolbar();
  prgBar = new ui::ProgressBar("prgBar");
  prgBar->setFixedWidth(260);
  stabarMain = new QStatusBar(this);
  stabarMain->setObjectName("stabarMain");
  stabarMain->addPermanentWidget(prgBar);
  setStatusBar(stabarMain);
  diaMain = new ui::CommonDialog("diaMain", this);
  diaMain->DialogTitle = "Import from other database";
  diaMain->DefaultExt = "*.db";
  diaMain->FileName = "*.db";
  diaMain->Filter = "*.db";
  diaMain->HelpFile = "help/introduction.htm";
  controls_.push_back(tbrMain);
  controls_.push_back(imgMDIMain);
  controls_.push_back(prgBar);
  controls_.push_back(stabarMain);
  controls_.push_back(diaMain);
  ui::SetMdiArea(mdiArea);
}

MDIMain::~MDIMain() {
  *alive_ = false;
  if (ui::MdiArea() == mdiArea) ui::SetMdiArea(nullptr);
}

void MDIMain::BuildMenus() {
  QMenuBar* bar = menuBar();
  auto add = [this](ui::MenuItem* item) {
    controls_.push_back(item);
    return item;
  };
  auto click = [this](ui::MenuItem* item, void (MDIMain::*handler)()) {
    connect(item, &ui::MenuItem::Click, this, handler);
  };
  ui::MenuItem* file = add(ui::AddMenu(bar, "mnuFile", "&File"));
  click(add(ui::AddMenuItem(file, "mnuFileImport", "&Import compounds")), &MDIMain::mnuFileImport);
  add(ui::AddMenuItem(file, "mnuFileSep0", "-"));
  click(add(ui::AddMenuItem(file, "mnuFileSave", "&Save")), &MDIMain::mnuFileSave_Click);
  add(ui::AddMenuItem(file, "mnuFileSep1", "-"));
  click(add(ui::AddMenuItem(file, "mnuFileClose", "&Close")), &MDIMain::mnuFileClose_Click);
  add(ui::AddMenuItem(file, "mnuFileSep2", "-"));
  click(add(ui::AddMenuItem(file, "mnuFileExit", "E&xit", QKeySequence(Qt::Key_F3))), &MDIMain::mnuFileExit_Click);

  ui::MenuItem* data = add(ui::AddMenu(bar, "mnuData", "&Data"));
  click(add(ui::AddMenuItem(data, "mnuDataAdd", "&Add ...", QKeySequence(Qt::CTRL | Qt::Key_A))),
        &MDIMain::mnuDataAdd_Click);
  click(add(ui::AddMenuItem(data, "mnuDataCopy", "C&opy ...", QKeySequence(Qt::CTRL | Qt::Key_O))),
        &MDIMain::mnuDataCopy_Click);
  click(add(ui::AddMenuItem(data, "mnuDataUpdate", "&Update ...", QKeySequence(Qt::CTRL | Qt::Key_U))),
        &MDIMain::mnuDataUpdate_Click);
  click(add(ui::AddMenuItem(data, "mnuDataDelete", "&Delete", QKeySequence(Qt::SHIFT | Qt::Key_Delete))),
        &MDIMain::mnuDataDelete_Click);
  add(ui::AddMenuItem(data, "mnuDataSep1", "-"));
  click(add(ui::AddMenuItem(data, "mnuDataProperties", "P&roperties ...", QKeySequence(Qt::Key_F4))),
        &MDIMain::mnuDataProperties_Click);
  add(ui::AddMenuItem(data, "mnuDataSep2", "-"));
  click(add(ui::AddMenuItem(data, "mnuDataSelect", "&Select")), &MDIMain::mnuDataSelect_Click);
  add(ui::AddMenuItem(data, "mnuDataSep3", "-"));
  click(add(ui::AddMenuItem(data, "mnuDataRefresh", "&Refresh")), &MDIMain::mnuDataRefresh_Click);
  click(add(ui::AddMenuItem(data, "mnuDataClear", "&Clear")), &MDIMain::mnuDataClear_Click);

  ui::MenuItem* edit = add(ui::AddMenu(bar, "mnuEdit", "&Edit"));
  click(add(ui::AddMenuItem(edit, "mnuEditCompoundsList", "Compound List ...")), &MDIMain::mnuEditCompoundsList_Click);
  click(add(ui::AddMenuItem(edit, "mnuEditCorvixList", "Corvix List ...")), &MDIMain::mnuEditCorvixList_Click);
  click(add(ui::AddMenuItem(edit, "mnuEditEmissionList", "Emission List ...")), &MDIMain::mnuEditEmissionList_Click);
  click(add(ui::AddMenuItem(edit, "mnuEditAdvancedDetailList", "Advanced detail List ...")),
        &MDIMain::mnuEditAdvancedDetailList_Click);
  click(add(ui::AddMenuItem(edit, "mnuEditEnvironmentList", "Estuary List ...")),
        &MDIMain::mnuEditEnvironmentList_Click);
  click(add(ui::AddMenuItem(edit, "mnuEditRunList", "Run List ...")), &MDIMain::mnuEditRunList_Click);

  ui::MenuItem* window = add(ui::AddMenu(bar, "mnuWindow", "&Window"));
  click(add(ui::AddMenuItem(window, "mnuWindowTileHorizontally", "Tile &Horizontally")),
        &MDIMain::mnuWindowTileHorizontally_Click);
  click(add(ui::AddMenuItem(window, "mnuWindowTileVertically", "Tile &Vertically")),
        &MDIMain::mnuWindowTileVertically_Click);
  click(add(ui::AddMenuItem(window, "mnuWindowCascade", "&Cascade")), &MDIMain::mnuWindowCascade_Click);
  click(add(ui::AddMenuItem(window, "mnuWindowArrangeIcons", "&Arrange Icons")),
        &MDIMain::mnuWindowArrangeIcons_Click);

  ui::MenuItem* help = add(ui::AddMenu(bar, "mnuHelp", "&Help"));
  click(add(ui::AddMenuItem(help, "mnuHelpAbout", "&About ...")), &MDIMain::mnuHelpAbout_Click);
  click(add(ui::AddMenuItem(help, "mnuHelpHelp", "&Help ...")), &MDIMain::mnuHelpHelp_Click);
}

void MDIMain::BuildToolbar() {
  imgMDIMain = new ui::ImageList("imgMDIMain", this);
  for (const char* key : {"Save", "Close", "Add", "Update", "Delete", "Properties", "Refresh", "Clear", "Help", "Exit"})
    imgMDIMain->Add(key, ToolbarPicture(key));
  tbrMain = new ui::Toolbar("tbrMain", this);
  addToolBar(Qt::TopToolBarArea, tbrMain);
  struct Button {
    const char* key;
    const char* tip;
    int image;
  };
  const Button buttons[] = {{"SAVE", "Save Record", 1},
                            {nullptr, nullptr, 0},
                            {"CLOSE", "Close Form", 2},
                            {nullptr, nullptr, 0},
                            {"ADD", "Add New Record", 3},
                            {"EDIT", "Edit Selected Record", 4},
                            {"DELETE", "Delete Selected Record", 5},
                            {"PROPERTIES", "Display Selected Record", 6},
                            {nullptr, nullptr, 0},
                            {"REFRESH", "Refresh List", 7},
                            {"CLEAR", "Clear Form", 8},
                            {nullptr, nullptr, 0},
                            {"HELP", "Help", 9},
                            {nullptr, nullptr, 0},
                            {"EXIT", "Exit Application", 10}};
  for (const Button& b : buttons) {
    if (!b.key)
      tbrMain->AddButton("", ui::tbrSeparator);
    else
      tbrMain->AddButton(b.key, ui::tbrDefault, b.tip, imgMDIMain->Image(b.image));
  }
  connect(tbrMain, &ui::Toolbar::ButtonClick, this, &MDIMain::tbrMain_ButtonClick);
}

void MDIMain::Load() {
  if (loaded_) return;
  loaded_ = true;
  ui::RegisterForm(this);
  vb::Guard(kModule, "MDIForm_Load", [&] { SetfrmActive(nullptr); });
}

void MDIMain::Show() {
  Load();
  if (!isVisible()) {
    QSize size(1180, 860);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      QRect avail = screen->availableGeometry();
      size = size.boundedTo(avail.size() * 0.95);
      move(avail.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    resize(size);
  }
  show();
  raise();
}

QObject* MDIMain::Control(std::string_view name) const {
  for (QObject* c : controls_)
    if (c->objectName().toStdString() == name) return c;
  return nullptr;
}

ui::MenuItem* MDIMain::Menu(std::string_view name) const { return qobject_cast<ui::MenuItem*>(Control(name)); }

QWidget* MDIMain::frmActive() const {
  QWidget* w = active_.data();
  if (w && !ui::IsLoaded(w)) return nullptr;
  return w;
}

void MDIMain::SetfrmActive(QWidget* vfrmActive) {
  vb::Guard(kModule, "Let_frmActive", [&] {
    QObject::disconnect(activeGone_);
    active_ = vfrmActive;
    // A window that goes away while active leaves no active window behind.
    if (auto* form = qobject_cast<ui::Form*>(vfrmActive)) {
      std::weak_ptr<bool> alive = alive_;
      activeGone_ = connect(form, &ui::Form::Unloaded, this, [this, alive, form] {
        auto a = alive.lock();
        if (!a || !*a || closing_) return;
        if (active_.data() == form) {
          active_ = nullptr;
          EnableMenus();
        }
      });
    }
    EnableMenus();
  });
}

void MDIMain::EnableMenus() {
  vb::Guard(kModule, "EnableMenus", [&] {
    QWidget* active = frmActive();
    if (!active) {
      EnableMenusforNoActiveForm();
      return;
    }
    switch (KindOf(active)) {
      case ChildForms::Kind::List:
      case ChildForms::Kind::Editor:
      case ChildForms::Kind::StartPanel:
      case ChildForms::Kind::Calculation:
        ui::CallByName(active, "EnableMenus");
        return;
      case ChildForms::Kind::Result:
      case ChildForms::Kind::None:
        break;
    }
    vb::Raise(vb::kProgrammingError, "",
              "Programming error. Case not coded. Do not know how to enable menus for form '" +
                  active->objectName().toStdString() + "'.");
  });
}

void MDIMain::EnableMenusforNoActiveForm() {
  vb::Guard(kModule, "EnableMenusforNoActiveForm", [&] {
    // Without a window there is nothing to close; compounds are imported only from here.
    MenuEnabling::SetMainMenus(MenuEnabling::Preset().With({{"mnuFileImport", true}, {"mnuFileClose", false}}));
  });
}

void MDIMain::Route(const char* procedure, const char* operation, int accepts, const char* message) {
  vb::Guard(kModule, procedure, [&] {
    QWidget* active = frmActive();
    if (!active) {
      ui::Beep();
      return;
    }
    const ChildForms::Kind kind = KindOf(active);
    const bool ok = ((accepts & kLists) && kind == ChildForms::Kind::List) ||
                    ((accepts & kEditors) && kind == ChildForms::Kind::Editor);
    if (!ok) vb::Raise(vb::kProgrammingError, "", std::string(message) + active->objectName().toStdString() + "'.");
    ui::CallByName(active, operation);
  });
}

void MDIMain::mnuDataAdd_Click() {
  Route("mnuDataAdd_Click", "AddRecord", kLists,
        "Programming error. Case not coded. Do not know how to add a record for form '");
}
void MDIMain::mnuDataCopy_Click() {
  Route("mnuDataCopy_Click", "CopyRecord", kLists,
        "Programming error. Case not coded. Do not know how to copy a record for form '");
}
void MDIMain::mnuDataUpdate_Click() {
  Route("mnuDataUpdate_Click", "UpdateRecord", kLists,
        "Programming error. Case not coded. Do not know how to update a record for form '");
}
void MDIMain::mnuDataDelete_Click() {
  Route("mnuDataDelete_Click", "DeleteRecord", kLists,
        "Programming error. Case not coded. Do not know how to delete a record for form '");
}
void MDIMain::mnuDataProperties_Click() {
  Route("mnuDataProperties_Click", "DisplayRecord", kLists,
        "Programming error. Case not coded. Do not know how to display record properties for form '");
}
void MDIMain::mnuDataSelect_Click() {
  Route("mnuDataSelect_Click", "SelectRecord", kLists,
        "Programming error. Case not coded. Do not know how to select record for form '");
}
void MDIMain::mnuDataRefresh_Click() {
  Route("mnuDataRefresh_Click", "RefreshList", kLists,
        "Programming error. Case not coded. Do not know how to refresh the list of form '");
}
void MDIMain::mnuDataClear_Click() {
  Route("mnuDataClear_Click", "ClearForm", kLists | kEditors,
        "Programming error. Case not coded. Do not know how to clear form '");
}
void MDIMain::mnuFileClose_Click() {
  Route("mnuFileClose_Click", "CloseForm", kLists | kEditors,
        "Programming error. Case not coded. Do not know how to close form '");
}
void MDIMain::mnuFileSave_Click() {
  Route("mnuFileSave_Click", "SaveDetails", kEditors,
        "Programming error. Case not coded. Do not know how to save details for '");
}

void MDIMain::tbrMain_ButtonClick(ui::ToolbarButton* button) {
  vb::Guard(kModule, "tbrMain_ButtonClick", [&] {
    const QString key = QString::fromStdString(button->Key());
    const QString upper = key.toUpper();
    if (upper == "SAVE") mnuFileSave_Click();
    else if (upper == "CLOSE") mnuFileClose_Click();
    else if (upper == "ADD") mnuDataAdd_Click();
    else if (upper == "EDIT") mnuDataUpdate_Click();
    else if (upper == "DELETE") mnuDataDelete_Click();
    else if (upper == "PROPERTIES") mnuDataProperties_Click();
    else if (upper == "REFRESH") mnuDataRefresh_Click();
    else if (upper == "CLEAR") mnuDataClear_Click();
    else if (upper == "HELP") mnuHelpHelp_Click();
    else if (upper == "EXIT") mnuFileExit_Click();
    else
      vb::Raise(vb::kProgrammingError, "",
                "Programming error. Case not coded. Do not have code to handle toolbar button '" + key.toStdString() +
                    "'.");
  });
}

void MDIMain::OpenList(const char* procedure, records::RecordTable table) {
  vb::Guard(kModule, procedure, [&] {
    const std::string formName = ChildForms::NameOf(ChildForms::Kind::List, table);
    for (QWidget* w : ui::Forms()) {
      if (w->objectName().toStdString() != formName) continue;
      if (ui::FormVisible(w)) {
        ui::ActivateForm(w);
        return;
      }
    }
    ui::Form* list = ChildForms::New(formName);
    ui::SetProperty(list, "Mode", modSelectMaintain);
    ui::SetProperty(list, "frmParent", QVariant::fromValue<QWidget*>(this));
    list->Show();
  });
}

void MDIMain::mnuEditCompoundsList_Click() { OpenList("mnuEditCompoundsList_Click", records::RecordTable::Compounds); }
void MDIMain::mnuEditCorvixList_Click() { OpenList("mnuEditCorvixList_Click", records::RecordTable::Corvix); }
void MDIMain::mnuEditEmissionList_Click() { OpenList("mnuEditEmissionList_Click", records::RecordTable::Emission); }
void MDIMain::mnuEditAdvancedDetailList_Click() {
  OpenList("mnuEditAdvancedDetailList_Click", records::RecordTable::AdvancedDetail);
}
void MDIMain::mnuEditEnvironmentList_Click() {
  OpenList("mnuEditEnvironmentList_Click", records::RecordTable::Environment);
}
void MDIMain::mnuEditRunList_Click() { OpenList("mnuEditRunList_Click", records::RecordTable::Run); }

namespace {
std::function<void(MDIMain&)>& ImportHandler() {
  static std::function<void(MDIMain&)> handler;
  return handler;
}
}  // namespace

void MDIMain::SetImportHandler(std::function<void(MDIMain&)> handler) { ImportHandler() = std::move(handler); }

void MDIMain::mnuFileImport() {
  vb::Guard(kModule, "mnuFileImport", [&] {
    if (ImportHandler()) ImportHandler()(*this);
  });
}

void MDIMain::mnuFileExit_Click() {
  vb::Guard(kModule, "mnuFileExit_Click", [&] {
    if (RunGoesOn()) {
      RefuseCloseDuringRun();
      return;
    }
    ui::UnloadForm(this);
    ui::EndApplication();
  });
}

void MDIMain::mnuHelpAbout_Click() {
  vb::Guard(kModule, "mnuHelpAbout_Click", [&] {
    // The splash may still be up: it closes first, so the about window opens fresh and modal.
    if (frmAbout* splash = ui::GlobalIfLoaded<frmAbout>()) splash->Unload();
    ui::Global<frmAbout>().Show(true);
  });
}

void MDIMain::mnuHelpHelp_Click() {
  // The help window says itself when its pages are missing; nothing is reported beyond that.
  vb::Try([&] { ui::ShowHelp("introduction.htm"); });
  vb::Err().Clear();
}

void MDIMain::mnuWindowCascade_Click() {
  vb::Guard(kModule, "mnuWindowCascade_Click", [&] { Arrange(0); });
}
void MDIMain::mnuWindowTileHorizontally_Click() {
  vb::Guard(kModule, "mnuWindowTileHorizontally_Click", [&] { Arrange(1); });
}
void MDIMain::mnuWindowTileVertically_Click() {
  vb::Guard(kModule, "mnuWindowTileVertically_Click", [&] { Arrange(2); });
}
void MDIMain::mnuWindowArrangeIcons_Click() {
  vb::Guard(kModule, "mnuWindowArrangeIcons_Click", [&] { Arrange(3); });
}

void MDIMain::Arrange(int arrangement) {
  // Front-most first, hidden windows left out.
  auto stacked = mdiArea->subWindowList(QMdiArea::StackingOrder);
  std::reverse(stacked.begin(), stacked.end());
  std::vector<QMdiSubWindow*> open, icons;
  for (QMdiSubWindow* sub : stacked) {
    if (!sub->isVisible()) continue;
    (sub->isMinimized() ? icons : open).push_back(sub);
  }
  const QRect area = mdiArea->viewport()->rect();
  const int iconHeight = icons.empty() ? 0 : icons.front()->height();
  switch (arrangement) {
    case 0:
      mdiArea->cascadeSubWindows();
      break;
    case 1:
    case 2: {
      if (open.empty()) break;
      const int n = static_cast<int>(open.size());
      const int height = std::max(1, area.height() - iconHeight);
      for (int i = 0; i < n; ++i) {
        QMdiSubWindow* sub = open[static_cast<std::size_t>(i)];
        if (sub->isMaximized()) sub->showNormal();
        sub->setMinimumSize(0, 0);
        if (arrangement == 1)  // one above the other, each the full width
          sub->setGeometry(0, i * height / n, area.width(), (i + 1) * height / n - i * height / n);
        else  // side by side, each the full height
          sub->setGeometry(i * area.width() / n, 0, (i + 1) * area.width() / n - i * area.width() / n, height);
      }
      break;
    }
    case 3: {
      // Minimised windows lined up along the bottom edge, left to right, in rows upwards.
      int x = 0, y = area.height();
      for (QMdiSubWindow* sub : icons) {
        const QSize s = sub->size();
        if (x > 0 && x + s.width() > area.width()) {
          x = 0;
          y -= s.height();
        }
        sub->move(x, y - s.height());
        x += s.width();
      }
      break;
    }
    default:
      vb::Raise(5);
  }
}

bool MDIMain::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && watched == mdiArea->viewport())
    mdiArea->setBackground(MainBackground(mdiArea->viewport()->height()));
  return QMainWindow::eventFilter(watched, event);
}

// True while the calculation window runs a calculation. Closing then would unload the windows and
// close the database under the run, or hide the window with the program running on unseen.
bool MDIMain::RunGoesOn() const {
  for (QWidget* w : ui::Forms())
    if (KindOf(w) == ChildForms::Kind::Calculation) return w->property("Running").toBool();
  return false;
}

void MDIMain::RefuseCloseDuringRun() {
  ui::Beep();
  stabarMain->showMessage("A calculation is running: the program can be closed when it has ended", 10000);
}

void MDIMain::closeEvent(QCloseEvent* event) {
  if (closing_) {
    event->accept();
    return;
  }
  if (RunGoesOn()) {
    event->ignore();
    RefuseCloseDuringRun();
    return;
  }
  closing_ = true;
  active_ = nullptr;
  {
    // The child windows go first, the last opened first, while the database is still open: each
    // unload brings another child to the front, and that one's activation work (which reads the
    // database) is not run now.
    ui::ActivationPause pause;
    auto forms = ui::Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
      auto* form = qobject_cast<ui::Form*>(*it);
      if (form && form->SubWindow()) ui::UnloadForm(form);
    }
    mdiArea->closeAllSubWindows();
  }
  vb::Guard(kModule, "MDIForm_QueryUnload", [&] {
    if (gDAOConnect) gDAOConnect->CloseDatabase();
    gDAOConnect.reset();
    // Files are opened and closed inside one procedure each, so none is left open here.
  });
  event->accept();
  if (ui::IsLoaded(this)) ui::UnloadForm(this);
}
