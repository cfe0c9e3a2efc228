// The estuary editor: one estuary with its dimensions, tide and river, dispersion method, zone
// properties and marine box, and the hydraulic characteristics computed from what is typed.
#pragma once
#include <QGroupBox>
#include <QRadioButton>
#include <array>
#include <memory>

#include "editors/RecordEditor.h"
#include "shell/class_Elastic.h"

namespace ui {
class Line;
}

class frmEnvironment : public editors::RecordEditor {
  Q_OBJECT
  Q_PROPERTY(int Id READ Id WRITE SetId)

 public:
  frmEnvironment();

  // True while the opening steps run.
  bool m_IsLoading = false;

  // Recomputes the hydraulic characteristics from the input texts; decides whether Save is enabled.
  Q_INVOKABLE void CalcUitvoer();

  void optDispersion_Click(int index);
  void cmdEstPhyto_Click();
  void cmdCreateGrid_Click() {}
  void txtDispersionSalinity2_LostFocus();

  QGroupBox *frmDescription, *frmShape, *frmChemPhys, *frmMixing, *Frame1;
  QLineEdit *txtDescription, *txtId;
  QLabel* lblId;
  // Dimensions and mixing.
  QLineEdit *txtWidthmouth, *txtWidthAtX, *txtXfromMouth, *txtEstLength, *txtEstDepth, *txtFlowriveravg, *txtTideavg,
      *txtTidalperiod, *txtEnvMarineCurrent, *txtTempavg;
  // Dispersion method and salinity points.
  std::array<QRadioButton*, 2> optDispersion;
  QLabel *lblDispersion, *lblDispersionMouth, *lblDispersionX, *lblDispersionSalinity;
  QLabel *lblSalinitysea, *lblDispersionx1, *lblDispersionx2, *lblDispersionX0, *Label34, *Label35, *Label32;
  QLineEdit *txtSalinitysea, *txtDispersionX1, *txtDispersionX2, *txtDispersionSalinity1, *txtDispersionSalinity2;
  QLabel *lblDispersionavg, *lblCalcdispersion2, *lblCalcdispersion3;
  QLineEdit* txtSedimentationVelocityAvg;
  // The zone grid: fresh, intermediate, saline, marine box.
  QLineEdit *txtSilt1, *txtSilt2, *txtSilt3, *txtSilt4;
  QLineEdit *txtPoc1, *txtPoc2, *txtPoc3, *txtPOC4;
  QLineEdit *txtDOC1, *txtDOC2, *txtDOC3, *txtDOC4;
  QLineEdit *txtFocSed1, *txtFocSed2, *txtFocSed3, *txtFocSed4;
  QLineEdit *txtThickLayer1, *txtThickLayer2, *txtThickLayer3, *txtThickLayer4;
  QLineEdit *txtChlorophylConc1, *txtChlorophylConc2, *txtChlorophylConc3;
  QLineEdit *txtPhytoBiomass1, *txtPhytoBiomass2, *txtPhytoBiomass3;
  QLineEdit *txtZooBiomass1, *txtZooBiomass2, *txtZooBiomass3;
  QLineEdit *txtDissolvedO21, *txtDissolvedO22, *txtDissolvedO23;
  QPushButton* cmdEstPhyto;
  QLabel* lblWarning;
  // Calculated hydraulic characteristics.
  QLabel *lblCalcConvergence, *lblCalcSaltIntrusion, *lblCalcTidalExcursion, *lblCalcVolume, *lblCalcRefreshTime,
      *lblCalcArea, *lblCalcTidalPrism, *lblCalcEstLength, *lblWidthFraction;
  // Stored or loaded but never shown.
  QLineEdit *txtType, *txtEnvMarineLength, *txtEnvMarineWidth, *txtEnvMarineDepth, *txtphsea, *txtconvergencelength,
      *txtSaltintrusionlengthavg;
  QLabel *lblDfix0, *lblDfix1, *lblDfix2, *lblBeta, *lblDtra;
  QPushButton* cmdCreateGrid;

  // The controls enabled together when "Salinity" is the method.
  std::vector<QWidget*> SalinityGroup() const;

 protected:
  void BeforeLoad() override;
  void AfterGetData() override;
  void AfterLoad() override;
  bool GetData() override;
  bool CheckFields() override;
  bool StoreFields() override;
  std::unique_ptr<dao::Recordset> OwnRow() const override;
  bool RefusesEdit() override;
  void ApplyMode() override;
  void UpdateParent() override;
  void ClearFields() override;
  void ResizeControls() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool SaveAllowed() const override { return computedSave_; }

 private:
  void EnableSalinityGroup(bool enabled);
  bool InSalinityGroup(const QWidget* w) const;
  // What the last computation decided for Save.
  bool computedSave_ = true;
  std::unique_ptr<class_Elastic> elastic_;
};
