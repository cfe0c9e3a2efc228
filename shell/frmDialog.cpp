#include "shell/frmDialog.h"

#include <QButtonGroup>
#include <QKeyEvent>

#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "shell/ChildForms.h"
#include "shell/Globals.h"
#include "shell/frmOpen.h"

namespace {
constexpr const char* kName = "frmDialog";
}

frmDialog::frmDialog() : ui::Form(kName) {
  setWindowTitle("Select calculation detail level");
  SetFixedDialogBorder(true);
  SetDesignClientSize(5040, 3195);
  OKButton = new QPushButton("OK", this);
  OKButton->setObjectName("OKButton");
  ui::Place(OKButton, 3600, 360, 1215, 375);
  OKButton->setDefault(true);
  CancelButton = new QPushButton("Cancel", this);
  CancelButton->setObjectName("CancelButton");
  ui::Place(CancelButton, 3600, 840, 1215, 375);
  const char* captions[] = {"Generic estuaries - yearly avg", "Generic estuaries - seasonally",
                            "User defined estuaries"};
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (int i = 0; i < 3; ++i) {
    Option1[static_cast<std::size_t>(i)] = new QRadioButton(captions[i], this);
    Option1[static_cast<std::size_t>(i)]->setObjectName("Option1");
    ui::Place(Option1[static_cast<std::size_t>(i)], 480, 360 + 600 * i, 2775, 375);
    group->addButton(Option1[static_cast<std::size_t>(i)], i);
  }
  Option1[0]->setChecked(true);
  setTabOrder(OKButton, CancelButton);
  setTabOrder(CancelButton, Option1[0]);
  connect(OKButton, &QPushButton::clicked, this, &frmDialog::OKButton_Click);
  connect(CancelButton, &QPushButton::clicked, this, &frmDialog::CancelButton_Click);
}

void frmDialog::Form_Load() {
  vb::Guard(kName, "Form_Load", [&] { frmOpen::PlaceBesidePanel(*this); });
}

void frmDialog::OKButton_Click() {
  vb::Guard(kName, "OKButton_Click", [&] {
    gstrLevel = "EASY";
    int chosen = -1;
    for (int i = 0; i < 3; ++i)
      if (Option1[static_cast<std::size_t>(i)]->isChecked()) chosen = i;
    switch (chosen) {
      case 0: gstrLevel = "EASY"; break;
      case 1: gstrLevel = "INTERMEDIATE"; break;
      case 2: gstrLevel = "ADVANCED"; break;
      default: ui::MsgBox("programming error frmdialog", ui::vbOKOnly);
    }
    ui::Form& calc = ChildForms::Global("frmCalc");
    calc.Show();
    calc.ZOrder(1);
    Unload();
  });
}

void frmDialog::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled())
      button->click();
    else
      OKButton_Click();
    return;
  }
  if (key == Qt::Key_Escape) {
    CancelButton_Click();
    return;
  }
  ui::Form::keyPressEvent(event);
}

void frmDialog::CancelButton_Click() {
  vb::Guard(kName, "CancelButton_Click", [&] { Unload(); });
}
