// The start panel: the way to a calculation (through the level dialog) and to the results, and the
// descriptions of the compound, emission and estuary last loaded, which the loaders write through
// the model run's start-panel interface while the panel is loaded. Reached through its one global
// instance: ui::Global<frmOpen>().
#pragma once
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "services/StartPanel.h"
#include "platform/ui/Form.h"

class frmOpen : public ui::Form, public services::StartPanel {
  Q_OBJECT
  Q_PROPERTY(int Mode READ Mode WRITE SetMode)
  Q_PROPERTY(QWidget* frmParent READ frmParent WRITE SetfrmParent)

 public:
  frmOpen();
  ~frmOpen() override;
  Q_INVOKABLE void EnableMenus();
  // The panel has no parent and is always in view mode: both are accepted and not kept.
  QWidget* frmParent() const;
  void SetfrmParent(QWidget* parent);
  int Mode() const;
  void SetMode(int mode);

  void Command2_Click();
  void Command3_Click();

  // Places a window to the right of the panel, its top level with the panel's.
  static void PlaceBesidePanel(ui::Form& window);

  // The start panel's descriptions: Label1, lblEmission, lblEnvironment.
  void ShowCompound(const std::string& description) override;
  void ShowEmission(const std::string& description) override;
  void ShowEstuary(const std::string& description) override;

  QPushButton* Command2;
  QPushButton* Command3;
  QGroupBox* Frame1;
  QLabel* Label1;
  QLabel* lblEmission;
  QLabel* lblEnvironment;

 protected:
  void Form_Load() override;
  // The panel stays while the application runs: only the main window's unloading takes it away.
  bool Form_QueryUnload() override;
  void Form_Unload() override;
};

// Registers the start panel with the shell's child windows, as the window that sets the menus for
// no record.
void RegisterStartPanel();
