// The calculation window: the user picks one compound, one emission and one estuary of the chosen
// level and starts the run. Reached through its one global instance, ChildForms::Global("frmCalc").
#pragma once
#include <QLabel>
#include <QPushButton>
#include <cstdint>
#include <string>

#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "shell/class_Elastic.h"

class frmCalc : public ui::Form {
  Q_OBJECT
  Q_PROPERTY(bool Running READ Running)

 public:
  frmCalc();

  Q_INVOKABLE void RefreshCompoundList();
  Q_INVOKABLE void RefreshEmissionList();
  Q_INVOKABLE void RefreshEstuaryList();
  Q_INVOKABLE void EnableMenus();
  Q_INVOKABLE void DisplayCompRecordbyKey(int32_t myCompoundID);
  Q_INVOKABLE void DisplayEmisRecordbyKey(int32_t myEmisID);
  Q_INVOKABLE void DisplayEstRecordbyKey(int32_t myEnvironmentID);

  // The window's events, callable as the window system would.
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  bool Form_QueryUnload() override;
  void lvCompounds_Click();
  void lvEmissions_Click();
  void lvEstuary_Click();
  void lvCompounds_ColumnClick(int column);
  void lvEmissions_ColumnClick(int column);
  void lvEstuary_ColumnClick(int column);
  void cmdCompounds_Click();
  void cmdEmissions_Click();
  void cmdEstuary_Click();
  void cmdRun_Click();
  void cmdCancel_Click();

  // 11 the hourglass while a run goes on, else 0.
  int MousePointer() const { return mousePointer_; }
  // True from the press of Run until the run has ended: nothing of the window acts meanwhile.
  bool Running() const { return running_; }

  QLabel* lblCompound;
  ui::ListView* lvCompounds;
  QPushButton* cmdCompounds;
  QLabel* lblEmission;
  ui::ListView* lvEmissions;
  QPushButton* cmdEmissions;
  QLabel* Label1;
  ui::ListView* lvEstuary;
  QPushButton* cmdEstuary;
  QPushButton* cmdRun;
  QPushButton* cmdCancel;

 private:
  class RunInProgress;
  void SetMousePointer(int pointer);
  void SortColumn(ui::ListView* list, int column, const char* procedure);
  void OpenEditor(const char* editor, const char* idProperty, int32_t id);
  // A change of a list's current row, by mouse or keyboard, is a pick.
  void WatchCurrentRow(ui::ListView* list, void (frmCalc::*pick)());
  // After a reload: highlights the picked row, or (with `pick`) picks the first row when the pick is
  // not listed.
  void ShowPick(ui::ListView* list, int32_t picked, void (frmCalc::*pick)());
  // Reloads a list changed elsewhere and highlights the pick again; a pick whose record went away
  // is dropped (the id becomes 0), and the user learns which record it was.
  void ReloadKeepingPick(ui::ListView* list, int32_t& picked, void (frmCalc::*reload)(), const std::string& what);
  void BringToFrontWhileActive();

  class_Elastic elastic_;
  int mousePointer_ = 0;
  bool running_ = false;
  // The level whose estuaries lvEstuary holds.
  std::string estuaryLevel_;
};

// Makes the level dialog and the shell open this window as frmCalc.
void RegisterCalcWindow();
