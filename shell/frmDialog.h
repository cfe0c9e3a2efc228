// The level-of-detail dialog: stores the chosen level in gstrLevel and opens the calculation window.
// Reached through its one global instance: ui::Global<frmDialog>().
#pragma once
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "platform/ui/Form.h"

class frmDialog : public ui::Form {
  Q_OBJECT

 public:
  frmDialog();
  void OKButton_Click();
  void CancelButton_Click();

  QPushButton* OKButton;
  QPushButton* CancelButton;
  std::array<QRadioButton*, 3> Option1;

 protected:
  void Form_Load() override;
  // Enter is OK from the options (a focused button takes it itself); Escape is Cancel.
  void keyPressEvent(QKeyEvent* event) override;
};
