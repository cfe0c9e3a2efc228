// The emission editor: one emission scenario (loads along the estuary, at sea and from the air,
// river and sea concentrations, the historical sediment concentration).
#pragma once
#include <QGroupBox>
#include <array>

#include "editors/RecordEditor.h"

class frmEmission : public editors::RecordEditor {
  Q_OBJECT
  Q_PROPERTY(int EmissionID READ EmissionID WRITE SetEmissionID)

 public:
  frmEmission();
  int EmissionID() const { return Id(); }
  void SetEmissionID(int v) { SetId(v); }

  QLabel* lblEmissionid;
  QLineEdit *txtEmissionid, *txtDescription;
  QLineEdit *txtLoad1, *txtLoad2, *txtLoad3, *txtLoad4, *txtLoad5, *txtLoadatmos;
  QLineEdit *txtEmRiverConc, *txtEmSeaConc, *txtSedBack;
  // Never shown: loaded, cleared and stored like the others.
  QGroupBox* Frame1;
  std::array<QLineEdit*, 5> txtGridnr;
  QLineEdit *txtEmdummy4, *txtEmdummy5;
  QLabel* Image1;

 protected:
  bool GetData() override;
  bool CheckFields() override { return true; }
  bool StoreFields() override;
  std::unique_ptr<dao::Recordset> OwnRow() const override;
  bool RefusesEdit() override;
  void ApplyMode() override;
  void UpdateParent() override;
  void ClearFields() override;

 private:
  // The sixteen numeric boxes in column order: GridNr1..5, Load1..5, LoadAtmos, EmRiverConc,
  // EmSeaConc, SedBack, EmDummy4, EmDummy5.
  std::array<QLineEdit*, 16> NumericFields() const;
};
