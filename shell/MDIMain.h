// The main window: menus, toolbar, progress bar, status panel and file dialog around the MDI area.
// It keeps the active child window and routes every Data command and File Save / Close to it by
// operation name. Reached through its one global instance: ui::Global<MDIMain>().
#pragma once
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/ui/CommonDialog.h"
#include "platform/ui/Controls.h"
#include "records/RecordTables.h"

class QMdiArea;
class QStatusBar;

class MDIMain : public QMainWindow {
  Q_OBJECT
  Q_PROPERTY(QWidget* frmActive READ frmActive WRITE SetfrmActive)

 public:
  MDIMain();
  ~MDIMain() override;

  // The load handler (once): the window joins the loaded forms and shows the no-active-window state.
  void Load();
  void Show();

  // The active child window, or none; a window that has been unloaded counts as none.
  QWidget* frmActive() const;
  // Stores the window (or none) and refreshes the menus and toolbar for it.
  void SetfrmActive(QWidget* vfrmActive);

  // The routed commands.
  Q_INVOKABLE void mnuDataAdd_Click();
  Q_INVOKABLE void mnuDataClear_Click();
  Q_INVOKABLE void mnuDataDelete_Click();
  Q_INVOKABLE void mnuDataProperties_Click();
  Q_INVOKABLE void mnuDataRefresh_Click();
  Q_INVOKABLE void mnuDataSelect_Click();
  Q_INVOKABLE void mnuDataUpdate_Click();
  Q_INVOKABLE void mnuFileClose_Click();
  Q_INVOKABLE void mnuDataCopy_Click();
  Q_INVOKABLE void mnuFileSave_Click();
  // The list openers.
  Q_INVOKABLE void mnuEditCompoundsList_Click();
  Q_INVOKABLE void mnuEditEmissionList_Click();
  Q_INVOKABLE void mnuEditEnvironmentList_Click();
  Q_INVOKABLE void mnuEditCorvixList_Click();
  Q_INVOKABLE void mnuEditAdvancedDetailList_Click();
  Q_INVOKABLE void mnuEditRunList_Click();

  void mnuFileImport();
  void mnuFileExit_Click();
  void mnuHelpAbout_Click();
  void mnuHelpHelp_Click();
  void mnuWindowCascade_Click();
  void mnuWindowTileHorizontally_Click();
  void mnuWindowTileVertically_Click();
  void mnuWindowArrangeIcons_Click();
  void tbrMain_ButtonClick(ui::ToolbarButton* button);

  // Arranges the child windows: 0 cascade, 1 tile horizontally, 2 tile vertically, 3 arrange icons.
  void Arrange(int arrangement);

  // Every control in design order: the menu items, then tbrMain, imgMDIMain, prgBar, stabarMain, diaMain.
  const std::vector<QObject*>& Controls() const { return controls_; }
  QObject* Control(std::string_view name) const;
  ui::MenuItem* Menu(std::string_view name) const;

  ui::Toolbar* tbrMain = nullptr;
  ui::ImageList* imgMDIMain = nullptr;
  ui::ProgressBar* prgBar = nullptr;
  QStatusBar* stabarMain = nullptr;
  ui::CommonDialog* diaMain = nullptr;
  QMdiArea* mdiArea = nullptr;

  // The compound import plugs in here (it lives with the record lists, above the shell).
  static void SetImportHandler(std::function<void(MDIMain&)> handler);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Keeps the background gradient spanning the area as it is resized.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The kinds of window (as they registered with ChildForms) that a routed command goes to.
  enum Accepts { kLists = 1, kEditors = 2 };
  void Route(const char* procedure, const char* operation, int accepts, const char* message);
  // Brings the table's visible list forward, or opens a new one.
  void OpenList(const char* procedure, records::RecordTable table);
  void EnableMenus();
  void EnableMenusforNoActiveForm();
  void BuildMenus();
  void BuildToolbar();
  bool RunGoesOn() const;
  void RefuseCloseDuringRun();

  std::vector<QObject*> controls_;
  QPointer<QWidget> active_;
  QMetaObject::Connection activeGone_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool loaded_ = false;
  bool closing_ = false;
};

// The toolbar's pictures, from the shell's resource: "Save", "Close", "Add", "Update", "Delete", "Properties",
// "Refresh", "Clear", "Help", "Exit".
QIcon ToolbarPicture(const QString& key);
// The main window's background for an area of the given height (pixels), top to bottom.
QBrush MainBackground(int height);
