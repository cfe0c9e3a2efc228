// The start panel: the way to a calculation (through the level dialog) and to the results, and the
// descriptions of the compound, emission and estuary last loaded. Reached through its one global
// instance: ui::Global<frmOpen>().
#pragma once
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include "platform/ui/Form.h"

class frmOpen : public ui::Form {
  Q_OBJECT
  Q_PROPERTY(int Mode READ Mode WRITE SetMode)
  Q_PROPERTY(QWidget* frmParent READ frmParent WRITE SetfrmParent)

 public:
  frmOpen();
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
};
