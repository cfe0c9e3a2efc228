// The result window: the recorded runs, the statistics of the selected run, ten charts along the
// estuary and a map of the result cells coloured by one quantity; the export and the report of
// the run shown. Reached through its one global instance (ChildForms::Global("frmResult")); the
// result reading fills it through modTulmo::ResultWindow.
#pragma once
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "modelrun/ResultWindow.h"
#include "modelrun/modTulmo.h"
#include "platform/chart/MSChart.h"
#include "platform/map/Legend.h"
#include "platform/map/Map.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/ListView.h"
#include "results/MapTip.h"
#include "results/RunFiles.h"
#include "shell/class_Elastic.h"

class frmResult : public ui::Form, public modTulmo::ResultWindow {
  Q_OBJECT

 public:
  frmResult();
  ~frmResult() override;

  // Public operations.
  Q_INVOKABLE void RefreshRunList();
  Q_INVOKABLE void EnableMenus();
  int32_t CountRunList();
  void ShowMap(const std::string& field);
  void CreateShape();

  // Event handlers.
  void lvRun_Click();
  void lvRun_ColumnClick(int column);
  void OptGraph_Click(int index);
  void cmdAbiotic_Click();
  void cmdBiota_Click();
  void cmdOK_Click();
  void cmdcancel_Click();
  void Label34_Click();
  void cmdExport_Click();
  void cmdPrint_Click();
  void Toolbar1_ButtonClick(ui::ToolbarButton* button);
  void Map1_MouseDown(int button, int shift, double x, double y);
  void Map1_MouseMove(int button, int shift, double x, double y);
  void Map1_MouseLeave();
  void txtClasses_Enter();
  void Map1_BeforeLayerDraw(int index);
  void Map1_AfterLayerDraw(int index, bool canceled);
  void tmrToolTip_Timer();

  // Sets an option as a user's click would: its handler runs when it was not set before.
  void SetOption(int index);
  // The option that is set in a panel, -1 for none.
  int CheckedOption(bool biota) const;
  // The control brought to the front last among the charts, the map and the panels' display.
  QWidget* FrontDisplay() const;
  // The caption of a label of the window by its control name ("" when there is none).
  std::string LabelCaption(const std::string& label) const;
  // The run the window shows (0 for none) and whether its result map was read.
  int32_t ShownRunID() const { return shown_.RunID; }
  bool ShownMapRead() const { return shown_.MapRead; }

  // modTulmo::ResultWindow
  void PrepareChart(int chart, int rows, int columns) override;
  void SetChartRowLabel(int chart, int row, const std::string& label) override;
  void SetChartColumnLabel(int chart, int column, const std::string& label) override;
  void SetChartData(int chart, int row, int column, const std::string& value) override;
  void SetLabelCaption(const std::string& label, const std::string& caption) override;
  void ShowWindow() override;

  // Controls, by their design names.
  ui::ListView* lvRun;
  QLabel* Label22;
  QLabel* Label1;
  QFrame* Shape1;
  QLabel* lblRunDescr;
  QLabel* Label25;
  QLabel* LblSelCompound;
  QLabel* Label24;
  QLabel* LblSelEnvir;
  QLabel* Label26;
  QLabel* lblEmission;
  QFrame* frmAbiotic;
  QGroupBox* frmBiota;  // a frame with its caption
  std::array<QRadioButton*, 20> OptGraph{};
  QPushButton* cmdBiota;
  QPushButton* cmdAbiotic;
  QLabel* Label34;
  QLabel* lblEstFilter;
  std::array<chart::MSChart*, 10> MSChart{};
  mapctl::Map* Map1;
  mapctl::Legend* legend1;
  ui::Toolbar* Toolbar1;
  QLineEdit* txtClasses;
  QFrame* picHeader;
  QLabel* lblHeader;
  QFrame* picXcoor;
  QLabel* lblXcoor;
  QFrame* picToolTip;
  QLabel* lblToolTip;
  ui::Timer* tmrToolTip;
  QPushButton* cmdPrint;
  QPushButton* cmdExport;
  QLabel* lblMessage;
  QPushButton* cmdcancel;
  QPushButton* cmdOK;

  // The value tip of the map; made by ShowMap, released by CreateShape.
  std::unique_ptr<MapTip> mobjMapTip;

  // The thirty statistic labels, quantity by quantity: 95 percentile, average, 5 percentile.
  static const std::array<const char*, 30>& StatisticLabels();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Resize() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The run shown, as its selection loaded it; the export and the report write this run, never
  // what the program's current records hold by the time they are pressed.
  // The runs stored as the list knows them: their number and the highest id.
  struct ListedRuns {
    int32_t Count = -1;
    int32_t HighestId = -1;
  };
  // The runs stored now when they are no longer those the list was filled from.
  std::optional<ListedRuns> StoredRunsIfChanged();
  // Fills the list; `stored` is what was just read of the runs stored, when it was.
  void FillRunList(std::optional<ListedRuns> stored);
  struct ShownRun {
    int32_t RunID = 0;  // 0: no run shown
    bool MapRead = false;
    RunFiles::RunRecords Records;
  };
  void SelectRun();
  void ShowNoRun();
  void lvRun_CurrentChanged(ui::ListItem* item);
  void KeepRowHighlighted();
  // False, after saying why, when there is no shown run whose files may be written.
  bool RunFilesAllowed();

  bool RenderLayer(const std::string& field);
  void KeepAcceptedClassCount();
  // Empties the result grid, the labels, the charts and the layer after a failed reading.
  void DiscardResults();
  void BuildAbioticPanel();
  void BuildBiotaPanel();
  void BuildDisplayArea();
  // `fitted`: a caption whose text is drawn smaller where it would not fit its box.
  QLabel* AddLabel(QWidget* parent, const char* name, const char* caption, double left, double top, double width,
                   double height, bool fitted = false);
  // The header box is as wide as the chart's top, or stops short of the map's class count.
  void PlaceHeader(bool overMap);
  void BringToFront(QWidget* w);
  void ShowRunButtons();
  void SelectLastRow();
  MapTip& Tip();
  static bool IsBiotaOption(int index);
  bool BiotaPanelInFront() const;
  void RestoreOption(int refused, int applied);

  bool mblnLoading = false;
  std::unique_ptr<class_Elastic> mobjElastic;
  QWidget* front_ = nullptr;
  // The option whose chart or map each panel last showed (abiotic, biota); -1 for none.
  std::array<int, 2> appliedOption_{0, -1};
  // The map option shown last, which Enter in the class count redraws.
  int shownMapOption_ = -1;
  ShownRun shown_;
  int acceptedClasses_ = 10;  // the class count the map was last coloured with
  // What was stored when the list was filled.
  ListedRuns listed_;
  bool mblnListByProgram = false;  // rows filled or highlighted by the window itself: no pick
  bool mblnPressChangedRow = false;
};

// The five biota quantities apply to a compound whose log Kow lies in 4.5 .. 8.0 (limits included).
bool BioaccumulationApplies(float logKow);
