// The run editor: the description and the identifiers a calculation run records. The run's result
// columns are neither loaded nor stored here.
#pragma once
#include <QGroupBox>

#include "editors/RecordEditor.h"

class frmRun : public editors::RecordEditor {
  Q_OBJECT
  Q_PROPERTY(int Runid READ Runid WRITE SetRunid)

 public:
  frmRun();
  int Runid() const { return Id(); }
  void SetRunid(int v) { SetId(v); }

  QLabel *lblRunid, *lblRundescription, *lblCorvixid, *lblTulmoversion, *lblRundate, *lblEnvirid, *lblCompoundid,
      *lblEmisid;
  QLineEdit *txtRunid, *txtRundescription, *txtCorvixid, *txtTulmoversion, *txtDate, *txtEnvirId, *txtCompoundid,
      *txtEmisid;
  // The result fields, never loaded or stored.
  QGroupBox* Frame1;

 protected:
  bool GetData() override;
  bool CheckFields() override { return true; }
  bool StoreFields() override;
  std::unique_ptr<dao::Recordset> OwnRow() const override;
  void ApplyMode() override;
  void UpdateParent() override;
  void ClearFields() override;
};
