// The compound editor: one row of Compounds, its two types (metal, organic) with their own fields,
// the Henry and Koc estimation panels, the food-chain parameter estimate and the validity label.
#pragma once
#include <QGroupBox>
#include <QRadioButton>
#include <array>

#include "editors/RecordEditor.h"

class frmCompounds : public editors::RecordEditor {
  Q_OBJECT
  Q_PROPERTY(int Cmpid READ Cmpid WRITE SetCmpid)

 public:
  frmCompounds();
  int Cmpid() const { return Id(); }
  void SetCmpid(int v) { SetId(v); }

  // True while the Henry panel, the Koc panel is open.
  bool QSARHe = false;
  bool QSARKow = false;

  QGroupBox *Frame2, *frmProperties, *frmEstHenry, *frmEstKoc, *Frame1, *frmOverig;
  QLineEdit *txtCmpdescr, *txtCmpname, *txtCASnr;
  std::array<QRadioButton*, 2> OptType;
  QLineEdit *txtCmpmolmass, *txtCmpkow, *txtCmpkd, *txtCmpHe, *txtCmpkoc;
  QPushButton *cmdEstHenry, *cmdQSARKoc;
  QLineEdit *txtCmpdegrbiowater, *txtCmpdegrhydwater, *txtCmpdegrphowater;
  QLineEdit *txtCmpdegrbiosed, *txtCmpdegrhydsed, *txtCmpdegrphosed;
  QLineEdit *txtBioTransZoo, *txtBioTransSecProd, *txtBioTransRound, *txtBioTransOrg1Tel, *txtBioTransOrg2Dab;
  QLineEdit *txtCmpvappress, *txtCmpsol;
  QPushButton *cmdSetEstHenry, *cmdCancelEstHenry;
  QLineEdit* txtCmppka;
  QLabel *lblCmppka, *lblQsarMethod;
  std::array<QRadioButton*, 2> optKocMethod;
  QPushButton *cmdSetKoc, *cmdCancelEstKoc;
  QLineEdit *txtAlphaWater, *txtBetaPrey, *txtBetaDet;
  QLabel* Label24;
  QLabel* lblCmpid;
  QLineEdit *txtCmpid, *txtCmpkdoc, *txtCmpbcf, *txtCmptmelt, *txtBioTransform, *txtCmpistype;

  // The estimation handlers.
  void cmdEstHenry_Click();
  void cmdSetEstHenry_Click();
  void cmdCancelEstHenry_Click();
  void cmdQSARKoc_Click();
  void cmdSetKoc_Click();
  void cmdCancelEstKoc_Click();
  void optKocMethod_Click(int index);
  void txtCmpkow_Change();
  void txtCmpkow_LostFocus();
  void CalcBioParameters();
  void OptType_Click(int index);

  static constexpr int kYellow = 65535;
  static constexpr int kWhite = 16777215;
  // The background colour of a text field (colour value).
  static int BackColor(const QWidget* field);

 protected:
  void BeforeLoad() override;
  void OnActivate() override;
  bool GetData() override;
  bool CheckFields() override;
  bool StoreFields() override;
  std::unique_ptr<dao::Recordset> OwnRow() const override;
  bool RefusesEdit() override;
  void ApplyMode() override;
  void UpdateParent() override;
  void ClearFields() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void SetBackColor(QWidget* field, int colour);
  std::vector<QLineEdit*> ClearedFields() const;
};
