// The food-chain detail editor: one row of AdvancedDetail, 32 numbers typed as text and converted
// when saved.
#pragma once
#include <array>

#include "editors/RecordEditor.h"

class frmAdvancedDetail : public editors::RecordEditor {
  Q_OBJECT
  Q_PROPERTY(int AdvancedID READ AdvancedID WRITE SetAdvancedID)

 public:
  frmAdvancedDetail();
  int AdvancedID() const { return Id(); }
  void SetAdvancedID(int v) { SetId(v); }

  QLabel* lblAdvancedID;
  QLineEdit* txtAdvancedID;
  // txtDetail1 .. txtGrowthRateRound, in column order.
  std::array<QLineEdit*, 32> fields;

 protected:
  bool GetData() override;
  bool CheckFields() override { return true; }
  bool StoreFields() override;
  std::unique_ptr<dao::Recordset> OwnRow() const override;
  void ApplyMode() override;
  void UpdateParent() override;
  void ClearFields() override;
};
