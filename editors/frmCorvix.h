// The engine-settings editor: one row of Corvix, twelve free texts stored as typed.
#pragma once
#include <array>

#include "editors/RecordEditor.h"

class frmCorvix : public editors::RecordEditor {
  Q_OBJECT
  Q_PROPERTY(int Corvixid READ Corvixid WRITE SetCorvixid)

 public:
  frmCorvix();
  int Corvixid() const { return Id(); }
  void SetCorvixid(int v) { SetId(v); }

  QLabel* lblCorvixid;
  QLineEdit* txtCorvixid;
  // txtCorvixversion, txtNumericalscheme, txtCxdummy1 .. txtCxdummy10, in column order.
  std::array<QLineEdit*, 12> fields;

 protected:
  bool GetData() override;
  bool CheckFields() override { return true; }
  bool StoreFields() override;
  std::unique_ptr<dao::Recordset> OwnRow() const override;
  void ApplyMode() override;
  void UpdateParent() override;
  void ClearFields() override;
};
