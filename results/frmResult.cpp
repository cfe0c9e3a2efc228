#include "results/frmResult.h"

#include <QActionGroup>
#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>
#include <algorithm>
#include <QCoreApplication>
#include <QMouseEvent>
#include <cmath>
#include <filesystem>
#include <optional>

#include "modelrun/modTulmo.h"
#include "platform/map/Renderer.h"
#include "platform/map/ToolPictures.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Global.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/TextViewer.h"
#include "platform/ui/Twips.h"
#include "records/Run.h"
#include "results/ResultLayer.h"
#include "results/RunFiles.h"
#include "runtime/Files.h"
#include "runtime/Format.h"
#include "runtime/Guard.h"
#include "runtime/Variant.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"
#include "shell/MDIMain.h"
#include "shell/MenuEnabling.h"
#include "shell/Progress.h"
#include "shell/TreeListFunctions.h"
#include "services/Useful.h"
#include "shell/frmOpen.h"

namespace {
constexpr const char* kName = "frmResult";
constexpr int kMaxRuns = 5000;

const char* const kFields[10] = {"PSU1", "TOT1", "DISS", "SUSP", "SEDI", "ZOOP", "SECP", "ROUN", "TELL", "BENT"};
// Header suffixes of the twenty options; index 0 and 10 are salinity alone.
const char* const kHeaderSuffix[20] = {
    "", " total conc.", " dissolved conc.", " conc. in susp. solids", " conc. in sediment",
    " conc. in Zooplankton", " conc. in secondary consumers", " conc. in round fish", "conc. in Tellina",
    "conc. in bentic fish", "", " total conc.", " dissolved conc.", " conc. in susp. solids", " conc. in sediment",
    " conc. in zooplankton", " conc. in sec. consumers", " conc. in round fish", " conc. in Tellina",
    "conc. in Benthic fish"};
// A caption that keeps its whole text in its box: a text that would not fit is drawn smaller,
// word-wrapped when the label wraps, down to a readable size; its tool tip then holds it whole.
class FittedLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect box = contentsRect();
    const int flags = static_cast<int>(alignment()) | (wordWrap() ? Qt::TextWordWrap : 0);
    QFont f = font();
    for (;;) {
      const QRect need = QFontMetrics(f).boundingRect(box, flags, text());
      fits_ = need.width() <= box.width() && need.height() <= box.height();
      if (fits_ || f.pointSizeF() <= 6.5) break;
      f.setPointSizeF(f.pointSizeF() - 0.5);
    }
    p.setFont(f);
    p.setPen(palette().color(foregroundRole()));
    if (fits_ || !wordWrap()) {
      p.drawText(box, fits_ ? flags : (flags & ~Qt::AlignHCenter & ~Qt::AlignRight) | Qt::AlignLeft,
                 fits_ ? text() : QFontMetrics(f).elidedText(text(), Qt::ElideRight, box.width()));
      return;
    }
    // Too long even so: the lines that fit, the last of them ending in an ellipsis, so that no
    // line is drawn half.
    const QFontMetrics m(f);
    QTextLayout layout(text(), f);
    layout.beginLayout();
    int y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(box.width());
      const bool last = y + 2 * m.lineSpacing() > box.height();
      const QString part = last ? m.elidedText(text().mid(line.textStart()), Qt::ElideRight, box.width())
                                : text().mid(line.textStart(), line.textLength());
      p.drawText(QRect(box.left(), box.top() + y, box.width(), m.lineSpacing()), Qt::AlignLeft | Qt::AlignTop, part);
      y += m.lineSpacing();
      if (last) break;
    }
    layout.endLayout();
  }
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ToolTip && toolTip().isEmpty()) {
      if (fits_)
        QToolTip::hideText();
      else
        QToolTip::showText(static_cast<QHelpEvent*>(e)->globalPos(), text(), this);
      return true;
    }
    return QLabel::event(e);
  }

 private:
  bool fits_ = true;
};

// The header sits over the top of the chart or the map, clear of the class count and the tools.
constexpr double kHeaderLeft = 1005, kHeaderTop = 5220, kHeaderHeight = 255;
constexpr double kHeaderWidthOverChart = 7200, kHeaderWidthOverMap = 4800;
}  // namespace

bool BioaccumulationApplies(float logKow) { return logKow >= 4.5f && logKow <= 8.0f; }

const std::array<const char*, 30>& frmResult::StatisticLabels() {
  static const std::array<const char*, 30> names = {
      "lbl95Sal",      "lblAveSal",      "lblMinSal",      "lbl95Conc",    "lblAveConc",    "lblMinConc",
      "lbl95ConcDis",  "lblAveConcDis",  "lblMinConcDis",  "lbl95ConcAds", "lblAveConcAds", "lblMinConcAds",
      "lbl95ConcAdsX", "lblAveConcAdsX", "lblMinConcAdsX", "lbl95Zoo",     "lblAveZoo",     "lblMinZoo",
      "lbl95SecProd",  "lblAveSecProd",  "lblMinSecProd",  "lbl95Round",   "lblAveRound",   "lblMinRound",
      "lbl95Tel",      "lblAveTel",      "lblMinTel",      "lbl95Dab",     "lblAveDab",     "lblMinDab"};
  return names;
}

QLabel* frmResult::AddLabel(QWidget* parent, const char* name, const char* caption, double left, double top,
                            double width, double height, bool fitted) {
  auto* l = fitted ? new FittedLabel(caption, parent) : new QLabel(caption, parent);
  l->setObjectName(name);
  ui::Place(l, left, top, width, height);
  return l;
}

frmResult::frmResult() : ui::Form(kName) {
  setWindowTitle("Results");
  SetDesignClientSize(11000, 8600);
  Label22 = AddLabel(this, "Label22", "Run", 525, 0, 495, 255);
  Label1 = AddLabel(this, "Label1", "Information", 6615, 0, 1455, 255);
  lvRun = new ui::ListView("lvRun", this);
  lvRun->AddColumn("ID", 900);
  lvRun->AddColumn("Description", 4600);
  ui::Place(lvRun, 420, 225, 5805, 1770);
  Shape1 = new QFrame(this);
  Shape1->setObjectName("Shape1");
  Shape1->setFrameShape(QFrame::Box);
  ui::Place(Shape1, 6480, 225, 4515, 1785);
  lblRunDescr = AddLabel(this, "lblRunDescr", "Run", 6615, 270, 4230, 435, true);
  lblRunDescr->setWordWrap(true);
  lblRunDescr->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // a long description loses its end, not its start
  Label25 = AddLabel(this, "Label25", " Compound", 6615, 720, 1500, 255);
  LblSelCompound = AddLabel(this, "LblSelCompound", "- not yet selected -", 8190, 720, 2700, 255, true);
  Label24 = AddLabel(this, "Label24", " Environment", 6615, 990, 1500, 255);
  LblSelEnvir = AddLabel(this, "LblSelEnvir", "- not yet selected -", 8190, 990, 2700, 435, true);
  LblSelEnvir->setWordWrap(true);
  Label26 = AddLabel(this, "Label26", " Emission", 6615, 1440, 1500, 255);
  lblEmission = AddLabel(this, "lblEmission", "- not yet selected -", 8190, 1440, 2700, 435, true);
  lblEmission->setWordWrap(true);
  BuildBiotaPanel();
  BuildAbioticPanel();  // the abiotic panel lies in front as designed
  BuildDisplayArea();

  cmdPrint = new QPushButton("Preview report...", this);
  cmdPrint->setObjectName("cmdPrint");
  // Wide enough for its caption; the export button and the message move over by as much.
  ui::Place(cmdPrint, 420, 8055, 1680, 375);
  cmdExport = new QPushButton("Export data", this);
  cmdExport->setObjectName("cmdExport");
  ui::Place(cmdExport, 2160, 8055, 1305, 375);
  lblMessage = AddLabel(this, "lblMessage", "", 3525, 8055, 5325, 435);
  lblMessage->setStyleSheet("color: red; font-weight: bold;");
  lblMessage->setWordWrap(true);
  cmdcancel = new QPushButton("Cancel", this);
  cmdcancel->setObjectName("cmdcancel");
  ui::Place(cmdcancel, 8925, 8055, 975, 375);
  cmdOK = new QPushButton("Close", this);
  cmdOK->setObjectName("cmdOK");
  ui::Place(cmdOK, 10080, 8055, 990, 375);

  // A change of the current row, by mouse or keyboard, is the pick; a click on the row already
  // shown selects it again.
  connect(lvRun, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item, QTreeWidgetItem*) { lvRun_CurrentChanged(static_cast<ui::ListItem*>(item)); });
  connect(lvRun, &QTreeWidget::itemSelectionChanged, this, &frmResult::KeepRowHighlighted);
  connect(lvRun, &ui::ListView::ItemClick, this, [this](ui::ListItem*) {
    if (!mblnPressChangedRow) lvRun_Click();
  });
  lvRun->viewport()->installEventFilter(this);
  connect(lvRun, &ui::ListView::ColumnClick, this, &frmResult::lvRun_ColumnClick);
  connect(cmdAbiotic, &QPushButton::clicked, this, &frmResult::cmdAbiotic_Click);
  connect(cmdBiota, &QPushButton::clicked, this, &frmResult::cmdBiota_Click);
  connect(cmdOK, &QPushButton::clicked, this, &frmResult::cmdOK_Click);
  connect(cmdcancel, &QPushButton::clicked, this, &frmResult::cmdcancel_Click);
  connect(cmdExport, &QPushButton::clicked, this, &frmResult::cmdExport_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &frmResult::cmdPrint_Click);
  for (int i = 0; i < 20; ++i)
    connect(OptGraph[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on) OptGraph_Click(i);
    });
  connect(Toolbar1, &ui::Toolbar::ButtonClick, this, &frmResult::Toolbar1_ButtonClick);
  connect(Map1, &mapctl::Map::MouseDown, this, &frmResult::Map1_MouseDown);
  connect(Map1, &mapctl::Map::MouseMove, this, &frmResult::Map1_MouseMove);
  connect(Map1, &mapctl::Map::MouseLeave, this, &frmResult::Map1_MouseLeave);
  connect(txtClasses, &QLineEdit::returnPressed, this, &frmResult::txtClasses_Enter);
  connect(Map1, &mapctl::Map::BeforeLayerDraw, this, &frmResult::Map1_BeforeLayerDraw);
  connect(Map1, &mapctl::Map::AfterLayerDraw, this, &frmResult::Map1_AfterLayerDraw);
  connect(legend1, &mapctl::Legend::LayerVisibleChanged, this, [this](int, bool) { Map1->Refresh(); });
  connect(tmrToolTip, &ui::Timer::Tick, this, &frmResult::tmrToolTip_Timer);
  modTulmo::SetResultWindow(this);
}

frmResult::~frmResult() {
  if (modTulmo::GetResultWindow() == this) modTulmo::SetResultWindow(nullptr);
  // The run list clears its selection as the base class deletes it; by then this is no frmResult.
  lvRun->disconnect(this);
}

void frmResult::BuildAbioticPanel() {
  frmAbiotic = new QFrame(this);
  frmAbiotic->setObjectName("frmAbiotic");
  frmAbiotic->setAutoFillBackground(true);
  frmAbiotic->setFrameShape(QFrame::StyledPanel);
  ui::Place(frmAbiotic, 420, 2160, 10695, 5850);
  QWidget* p = frmAbiotic;
  AddLabel(p, "Label2", "Results", 120, 60, 1500, 255);
  const char* heads[5] = {"Salinity (psu)", "Total concentration", "Dissolved concentration",
                          "Conc. in suspended matter", "Conc. in sediment "};
  const char* units[5] = {"", "ug /l", "ug /l", "ug /g dw", "ug /g dw"};
  for (int c = 0; c < 5; ++c) {
    // Headers of two or three lines grow upwards from above their unit, so no line is cut.
    QLabel* h = AddLabel(p, qPrintable(QString("lblHead%1").arg(c)), heads[c], 2640 + c * 1560, 0, 1560, 585);
    h->setWordWrap(true);
    h->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    ui::FitLabelFont(h);
    AddLabel(p, qPrintable(QString("lblUnit%1").arg(c)), units[c], 2640 + c * 1560, 585, 1500, 255);
  }
  const char* rows[4] = {"95 % concentration", "Average concentration", "5% concentration", "Marine concentration"};
  for (int r = 0; r < 4; ++r) AddLabel(p, qPrintable(QString("lblRow%1").arg(r)), rows[r], 120, 840 + r * 255, 2400, 255);
  const auto& stats = StatisticLabels();
  for (int q = 0; q < 5; ++q)
    for (int s = 0; s < 3; ++s) {
      // Rows: 95 percentile, average, 5 percentile.
      AddLabel(p, stats[static_cast<size_t>(q * 3 + s)], "", 2640 + q * 1560, 840 + s * 255, 1500, 255);
    }
  const char* marine[5] = {"lblSalMarine", "lblConcTotMarine", "lblConcDisMarine", "lblConcAdsMarine",
                           "lblConcSedMarine"};
  for (int q = 0; q < 5; ++q) AddLabel(p, marine[q], "", 2640 + q * 1560, 1605, 1500, 255);
  AddLabel(p, "lblFilterRow", "Estuary filtering capacity", 120, 1890, 2400, 255);
  lblEstFilter = AddLabel(p, "lblEstFilter", "", 2640, 1890, 1000, 255);
  Label34 = AddLabel(p, "Label34", "%", 3660, 1890, 300, 255);
  Label34->installEventFilter(this);
  AddLabel(p, "lblGraphRow", "Show line graph", 120, 2190, 2400, 255);
  AddLabel(p, "lblMapRow", "Show spatial map", 120, 2460, 2400, 255);
  for (int c = 0; c < 5; ++c) {
    for (int idx : {c, c + 10}) {
      auto* o = new QRadioButton(p);
      o->setObjectName(QString("OptGraph%1").arg(idx));
      ui::Place(o, 2640 + c * 1560, idx < 10 ? 2190 : 2460, 300, 255);
      OptGraph[static_cast<size_t>(idx)] = o;
    }
  }
  OptGraph[0]->setChecked(true);
  cmdBiota = new QPushButton("View Biota ...", p);
  cmdBiota->setObjectName("cmdBiota");
  // On the filtering-capacity row, clear of the last column's options.
  ui::Place(cmdBiota, 9000, 1860, 1500, 330);
}

void frmResult::BuildBiotaPanel() {
  frmBiota = new QGroupBox("Biota", this);
  frmBiota->setObjectName("frmBiota");
  frmBiota->setAutoFillBackground(true);
  ui::Place(frmBiota, 420, 2160, 10695, 5850);
  QWidget* p = frmBiota;
  AddLabel(p, "Label3", "Results", 120, 300, 1500, 255);  // below the frame's caption
  const char* heads[5] = {"Zooplankton", "Sec. cons.", "Round fish", "Tellina", "Benthic fish (dab)"};
  for (int c = 0; c < 5; ++c) {
    AddLabel(p, qPrintable(QString("lblBHead%1").arg(c)), heads[c], 2640 + c * 1560, 300, 1500, 255);
    AddLabel(p, qPrintable(QString("lblBUnit%1").arg(c)), "ng /g dw", 2640 + c * 1560, 555, 1500, 255);
  }
  const char* rows[3] = {"95 % concentration", "Average concentration", "5% concentration"};
  for (int r = 0; r < 3; ++r) AddLabel(p, qPrintable(QString("lblBRow%1").arg(r)), rows[r], 120, 840 + r * 255, 2400, 255);
  const auto& stats = StatisticLabels();
  for (int q = 5; q < 10; ++q)
    for (int s = 0; s < 3; ++s)
      AddLabel(p, stats[static_cast<size_t>(q * 3 + s)], "", 2640 + (q - 5) * 1560, 840 + s * 255, 1500, 255);
  AddLabel(p, "lblBGraphRow", "Show graph", 120, 2190, 2400, 255);
  AddLabel(p, "lblBMapRow", "Show spatial map", 120, 2460, 2400, 255);
  for (int c = 0; c < 5; ++c) {
    for (int idx : {c + 5, c + 15}) {
      auto* o = new QRadioButton(p);
      o->setObjectName(QString("OptGraph%1").arg(idx));
      ui::Place(o, 2640 + c * 1560, idx < 10 ? 2190 : 2460, 300, 255);
      OptGraph[static_cast<size_t>(idx)] = o;
    }
  }
  cmdAbiotic = new QPushButton("View Abiotic ...", p);
  cmdAbiotic->setObjectName("cmdAbiotic");
  ui::Place(cmdAbiotic, 9000, 1860, 1500, 330);
}

void frmResult::BuildDisplayArea() {
  const std::string axisTitle = "Sea" + std::string(57, ' ') + "(km from mouth)" + std::string(66, ' ') + "River";
  Map1 = new mapctl::Map(this);
  Map1->setObjectName("Map1");
  ui::Place(Map1, 945, 5175, 7335, 2655);
  legend1 = new mapctl::Legend(this);
  legend1->setObjectName("legend1");
  ui::Place(legend1, 8280, 5175, 2415, 2655);
  Toolbar1 = new ui::Toolbar("Toolbar1", this);
  auto* group = new QActionGroup(Toolbar1);
  for (const char* key : {"Select", "ZoomIn", "ZoomOut", "Pan", "FullExt"}) {
    ui::ToolbarButton* b = Toolbar1->AddButton(key, 0, key, mapctl::ToolPicture(key));
    b->Action()->setText(key);
    if (std::string(key) != "FullExt") {
      b->Action()->setCheckable(true);
      group->addAction(b->Action());
    }
  }
  ui::Place(Toolbar1, 6405, 5220, 1800, 390);
  txtClasses = new QLineEdit("10", this);
  txtClasses->setObjectName("txtClasses");
  ui::Place(txtClasses, 5835, 5220, 540, 315);
  for (int k = 0; k < 10; ++k) {
    auto* c = new chart::MSChart(QString("MSChart%1").arg(k), this);
    c->SetXAxisTitle(axisTitle);
    // The plot starts below the header box.
    c->SetTopMargin(ui::ToPixels(kHeaderTop + kHeaderHeight - 5175) + 4);
    ui::Place(c, 960, 5175, 9735, 2655);
    MSChart[static_cast<size_t>(k)] = c;
  }
  picXcoor = new QFrame(this);
  picXcoor->setObjectName("picXcoor");
  picXcoor->setAutoFillBackground(true);
  picXcoor->hide();  // shown with a distance, while the pointer is over the map
  ui::Place(picXcoor, 3255, 7560, 2475, 255);
  lblXcoor = AddLabel(picXcoor, "lblXcoor", "", 0, 0, 2475, 255);
  picHeader = new QFrame(this);
  picHeader->setObjectName("picHeader");
  picHeader->setAutoFillBackground(true);
  ui::Place(picHeader, kHeaderLeft, kHeaderTop, kHeaderWidthOverChart, kHeaderHeight);
  lblHeader = AddLabel(picHeader, "lblHeader", "Salinity", 0, 0, kHeaderWidthOverChart, kHeaderHeight, true);
  picToolTip = new QFrame(this);
  picToolTip->setObjectName("picToolTip");
  picToolTip->hide();
  lblToolTip = new QLabel(picToolTip);
  lblToolTip->setObjectName("lblToolTip");
  tmrToolTip = new ui::Timer("tmrToolTip", this);
  tmrToolTip->SetEnabled(true);  // stays on: the tip starts and stops it through its interval
  BringToFront(MSChart[0]);
  BringToFront(picHeader);
}

bool frmResult::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label34 && event->type() == QEvent::MouseButtonPress) Label34_Click();
  if (watched == lvRun->viewport() && event->type() == QEvent::MouseButtonPress) mblnPressChangedRow = false;
  return ui::Form::eventFilter(watched, event);
}

void frmResult::BringToFront(QWidget* w) {
  // Only the chart in front is shown: a chart covered by another chart or by the map and its
  // legend is not laid out at each selection, but when it comes to the front.
  // The map's controls are hidden under a chart too, so that no edge of them shows beside it.
  const bool chart = std::find(MSChart.begin(), MSChart.end(), w) != MSChart.end();
  if (chart || w == Map1)
    for (chart::MSChart* c : MSChart)
      if (c != w) c->hide();
  if (chart) {
    for (QWidget* m : std::initializer_list<QWidget*>{Map1, legend1, Toolbar1, txtClasses, picXcoor}) m->hide();
    if (mobjMapTip) mobjMapTip->Hide();
    PlaceHeader(false);
    w->show();
  } else if (w == Map1) {
    PlaceHeader(true);
  }
  if (w == Map1 || w == legend1 || w == Toolbar1 || w == txtClasses) w->show();
  if (w == picXcoor) picXcoor->setVisible(!lblXcoor->text().isEmpty() && Map1->underMouse());
  w->raise();
  if (w == Map1 || w == legend1 || w == Toolbar1 || w == txtClasses || w == picXcoor) {
    if (w == Map1) front_ = Map1;
  } else if (w != picHeader && w != picToolTip && w != frmAbiotic && w != frmBiota) {
    front_ = w;
  }
}

QWidget* frmResult::FrontDisplay() const { return front_; }

void frmResult::PlaceHeader(bool overMap) {
  const double width = overMap ? kHeaderWidthOverMap : kHeaderWidthOverChart;
  // Under a rescaled window the box keeps the scale the window has now.
  const double scale = static_cast<double>(picHeader->height()) / ui::ToPixels(kHeaderHeight);
  picHeader->resize(static_cast<int>(ui::ToPixels(width) * (scale > 0 ? scale : 1.0)), picHeader->height());
  lblHeader->resize(picHeader->size());
  // Over a chart the chart's own background shows behind the text; over the map the box has one.
  picHeader->setAutoFillBackground(overMap);
}

std::string frmResult::LabelCaption(const std::string& label) const {
  auto* l = findChild<QLabel*>(QString::fromStdString(label));
  return l ? l->text().toStdString() : std::string();
}

// ---------------------------------------------------------------- loading, list

void frmResult::Form_Load() {
  mblnLoading = true;
  vb::Guard(kName, "Form_Load", [&] {
    frmOpen::PlaceBesidePanel(*this);
    SetWidth(11000);
    SetHeight(9000);
    if (!mobjElastic) mobjElastic = std::make_unique<class_Elastic>();
    mobjElastic->Init(this);
    RefreshRunList();
    if (lvRun->Count() > 0) SelectLastRow();
    else ShowNoRun();
    legend1->SetMapSource(Map1);
  });
  mblnLoading = false;
}

void frmResult::ShowRunButtons() {
  // Only a run whose results were read has files to report or export.
  const bool can = shown_.RunID != 0 && shown_.MapRead;
  cmdPrint->setEnabled(can);
  cmdExport->setEnabled(can);
}

void frmResult::SelectLastRow() {
  mblnListByProgram = true;
  lvRun->SetSelectedItem(lvRun->Item(lvRun->Count()));
  mblnListByProgram = false;
  lvRun_Click();
}

void frmResult::Form_Activate() {
  vb::Guard(kName, "Form_Activate", [&] {
    if (std::optional<ListedRuns> stored = StoredRunsIfChanged()) {
      FillRunList(stored);
      if (lvRun->Count() > 0)
        SelectLastRow();
      else
        ShowNoRun();
    }
  });
}

void frmResult::lvRun_CurrentChanged(ui::ListItem* item) {
  if (mblnListByProgram || !item) return;
  mblnPressChangedRow = true;
  if (!item->isSelected()) {
    mblnListByProgram = true;
    lvRun->SetSelectedItem(item);
    mblnListByProgram = false;
  }
  lvRun_Click();
}

void frmResult::KeepRowHighlighted() {
  // The current row stays highlighted (a control-click would clear it while its run is shown).
  if (mblnListByProgram || lvRun->SelectedItem() || !lvRun->currentItem()) return;
  mblnListByProgram = true;
  lvRun->SetSelectedItem(static_cast<ui::ListItem*>(lvRun->currentItem()));
  mblnListByProgram = false;
}

void frmResult::Form_Resize() {
  if (mblnLoading) return;
  if (!mobjElastic) mobjElastic = std::make_unique<class_Elastic>();
  mobjElastic->FormResize(this);
}

void frmResult::RefreshRunList() { FillRunList({}); }

void frmResult::FillRunList(std::optional<ListedRuns> stored) {
  mblnListByProgram = true;
  vb::Guard(kName, "RefreshRunList", [&] {
    lvRun->Clear();
    listed_ = ListedRuns{};
    ::Run runs;
    if (!stored) stored = ListedRuns{runs.Count(), runs.HighestId()};
    const int32_t count = stored->Count;
    const int32_t highest = stored->HighestId;
    // Over the cap the newest runs are listed, so a run just computed is always among them.
    std::unique_ptr<dao::Recordset> rs = count > 0 ? runs.GetNewest(kMaxRuns) : nullptr;
    TreeListFunctions::FillList(lvRun, rs, {count, kMaxRuns, kMaxRuns, TreeListFunctions::CapRule::CapFull},
                                [](dao::Recordset& r, TreeListFunctions::ListRow& row) {
                                  const vb::Variant id = r.Fields(0), descr = r.Fields(1);
                                  row.key = TreeListFunctions::KeyOf(id);
                                  row.text = id.IsNull() ? "" : vb::CStr(id);
                                  row.cells.assign(1, descr.IsNull() ? "" : vb::CStr(descr));
                                  return true;
                                });
    listed_ = ListedRuns{count, highest};
    EnableMenus();
  });
  mblnListByProgram = false;
}

int32_t frmResult::CountRunList() {
  int32_t count = 0;
  vb::Guard(kName, "CountRunList", [&] {
    count = ::Run().Count();
    if (count < 0) count = 0;
  });
  return count;
}

std::optional<frmResult::ListedRuns> frmResult::StoredRunsIfChanged() {
  // Ids are never given twice: a run added shows in the highest id, one deleted in the count.
  ::Run runs;
  const ListedRuns stored{runs.Count(), runs.HighestId()};
  if (stored.Count >= 0 && stored.Count == listed_.Count && stored.HighestId == listed_.HighestId) return {};
  return stored;
}

void frmResult::EnableMenus() {
  vb::Guard(kName, "EnableMenus", [&] {
    MenuEnabling::SetMainMenus(MenuEnabling::Preset());
    cmdOK->setEnabled(true);
    cmdcancel->setEnabled(true);
  });
}

void frmResult::lvRun_ColumnClick(int column) {
  vb::Guard(kName, "lvrun_ColumnClick", [&] { lvRun->SortOnce(column, true); });
}

void frmResult::lvRun_Click() {
  // The selection pumps messages to repaint; a click or key of the user meanwhile (another row,
  // Close, Export) waits for it to end and then acts on the run it has shown.
  vb::Guard(kName, "lvRun_Click", [&] { SelectRun(); });
  unsetCursor();
  ShowRunButtons();
}

void frmResult::SelectRun() {
  using namespace modTulmo;
  cmdBiota->setEnabled(true);
  KeepAcceptedClassCount();
  if (!::Run().Any()) {
    ShowNoRun();
  } else {
    shown_ = ShownRun{};
    ShowRunButtons();  // no files of a run while it is being read
    int32_t id = vb::CLng(GetSelectedKeyId(0, lvRun));
    // A record that is gone shows empty, never as the record of the run shown before.
    if (!GetRunData(id)) CurrentRun = RunRecord{};
    CurrentRun.RunID = id;
    lblRunDescr->setText(QString::fromStdString(CurrentRun.RunDescription));
    lblRunDescr->setToolTip(lblRunDescr->text());
    SetCaption(CurrentRun.RunDescription);
    if (!GetData(CurrentRun.CompoundID)) CurrentCompound = CompoundRecord{};
    LblSelCompound->setText(QString::fromStdString(CurrentCompound.Cmpdescr));
    if (!GetEnvironmentData(CurrentRun.EnvirID)) CurrentEstuary = EstuaryRecord{};
    LblSelEnvir->setText(QString::fromStdString(CurrentEstuary.Description));
    if (!GetEmissionData(CurrentRun.EmisID)) CurrentEmission = EmissionRecord{};
    lblEmission->setText(QString::fromStdString(CurrentEmission.Description));
    shown_.RunID = id;
    shown_.Records = {CurrentCompound, CurrentEmission, CurrentEstuary};
    setCursor(Qt::WaitCursor);
    lblMessage->setText("RECALCULATING STATISTICS , please be patient");
    // ReadMap has said why it failed; what the grid still holds belongs to another run.
    shown_.MapRead = ReadMap(id);
    if (shown_.MapRead)
      CreateShape();
    else
      DiscardResults();
    lblMessage->setText("");
    const CompoundRecord& c = shown_.Records.Compound;
    if (c.Cmpkow < 4.5f)
      lblMessage->setText("Bioaccumulation model not valid when log(Kow) value is below 4.5");
    else if (c.Cmpkow > 8.0f)
      lblMessage->setText("Bioaccumulation model not valid when log(Kow) value is greater than 8.0");
    if (c.Cmpistype == 1) {
      cmdBiota->setEnabled(false);
      lblMessage->setText("Bioaccumulation model not valid for metals");
    } else {
      cmdBiota->setEnabled(true);
    }
    unsetCursor();
  }
  // What is shown is what the ticked option of the panel in front says.
  int option = CheckedOption(BiotaPanelInFront());
  for (int i = 0; i < 20 && option < 0; ++i)
    if (OptGraph[static_cast<size_t>(i)]->isChecked()) option = i;
  if (option >= 0) OptGraph_Click(option);
}

void frmResult::ShowNoRun() {
  // With no run left, nothing of a deleted run stays on show or on disk as the layer.
  shown_ = ShownRun{};
  for (const char* name : StatisticLabels()) SetLabelCaption(name, "");
  lblMessage->setText("");
  DiscardResults();
  lblRunDescr->setText("Run");
  lblRunDescr->setToolTip({});
  SetCaption("Results");
  for (QLabel* l : {LblSelCompound, LblSelEnvir, lblEmission}) l->setText("- not yet selected -");
  ShowRunButtons();
}

bool frmResult::RunFilesAllowed() {
  const std::string id = std::to_string(shown_.RunID);
  std::string refusal;
  if (shown_.RunID == 0)
    refusal = "No run is shown; nothing was written.";
  else if (!::Run().GetByKey(shown_.RunID, {}))
    refusal = "Run " + id + " no longer exists; nothing was written.";
  else if (!shown_.MapRead)
    refusal = "The result map of run " + id + " could not be read; nothing was written.";
  if (refusal.empty()) return true;
  ui::MsgBox(refusal, ui::vbExclamation | ui::vbOKOnly);
  return false;
}

void frmResult::DiscardResults() {
  // Neither the window, nor the layer, nor an export or report may carry the numbers of the run
  // shown before under the id of a run whose map could not be read.
  modTulmo::nosys = 0;
  modTulmo::noseg = 0;
  modTulmo::ResultGrid.Resize(0);
  for (const char* name : StatisticLabels()) SetLabelCaption(name, "");
  for (const char* name : {"lblSalMarine", "lblConcTotMarine", "lblConcDisMarine", "lblConcAdsMarine",
                           "lblConcSedMarine", "lblEstFilter"})
    SetLabelCaption(name, "");
  for (chart::MSChart* c : MSChart) c->SetRowCount(0);
  Map1->Layers().Clear();
  mobjMapTip.reset();
  for (const char* f : {"map.dbf", "map.shp", "map.shx"}) {
    std::error_code ec;
    std::filesystem::remove(f, ec);
  }
  Map1->Refresh();
  legend1->Refresh(true);
}

// ---------------------------------------------------------------- options and panels

void frmResult::SetOption(int index) {
  QRadioButton* o = OptGraph[static_cast<size_t>(index)];
  if (!o->isChecked()) o->setChecked(true);
}

int frmResult::CheckedOption(bool biota) const {
  for (int i = 0; i < 20; ++i) {
    if (IsBiotaOption(i) == biota && OptGraph[static_cast<size_t>(i)]->isChecked()) return i;
  }
  return -1;
}

void frmResult::OptGraph_Click(int index) {
  // A failure here (a bad class count, say) is reported and the window stays as it was.
  const bool shown = vb::Guard(kName, "OptGraph_Click", [&] {
    if (index >= 0 && index < 20) {
      std::string header = index % 10 == 0 ? "Salinity"
                                           : shown_.Records.Compound.Cmpdescr + kHeaderSuffix[index];
      if (index < 10) {
        BringToFront(MSChart[static_cast<size_t>(index)]);
        lblHeader->setText(QString::fromStdString(header));
      } else {
        ShowMap(kFields[index - 10]);
        shownMapOption_ = index;
        lblHeader->setText(QString::fromStdString(header));
        BringToFront(Toolbar1);
        BringToFront(txtClasses);
        BringToFront(picXcoor);
      }
    }
  });
  if (index >= 0 && index < 20) {
    const size_t panel = IsBiotaOption(index) ? 1 : 0;
    if (shown)
      appliedOption_[panel] = index;
    else
      RestoreOption(index, appliedOption_[panel]);
  }
  BringToFront(picHeader);
}

bool frmResult::IsBiotaOption(int index) { return (index >= 5 && index <= 9) || index >= 15; }

void frmResult::RestoreOption(int refused, int applied) {
  // The options say what the display shows: the one that could not be shown is cleared and the
  // one shown before is set again, without running its handler.
  QRadioButton* o = OptGraph[static_cast<size_t>(refused)];
  if (applied >= 0 && applied != refused) {
    QRadioButton* back = OptGraph[static_cast<size_t>(applied)];
    const QSignalBlocker block(back);
    back->setChecked(true);
  } else if (applied < 0) {
    const QSignalBlocker block(o);
    o->setAutoExclusive(false);
    o->setChecked(false);
    o->setAutoExclusive(true);
  }
}

bool frmResult::BiotaPanelInFront() const {
  // Siblings stack in the order of their parent's children: the later one lies on top.
  return children().indexOf(frmBiota) > children().indexOf(frmAbiotic);
}

void frmResult::cmdAbiotic_Click() {
  frmBiota->lower();
  SetOption(0);
  BringToFront(MSChart[0]);
  BringToFront(picHeader);
}

void frmResult::cmdBiota_Click() {
  frmAbiotic->lower();
  SetOption(5);
  BringToFront(MSChart[5]);
  BringToFront(picHeader);
}

void frmResult::Label34_Click() { BringToFront(MSChart[0]); }
void frmResult::cmdOK_Click() { Unload(); }
void frmResult::cmdcancel_Click() { Unload(); }

// ---------------------------------------------------------------- filled by the result reading

void frmResult::PrepareChart(int chart, int rows, int columns) {
  chart::MSChart* c = MSChart.at(static_cast<size_t>(chart));
  c->SetRowCount(rows);
  c->SetColumnCount(columns);
  c->SetColumn(1);
  chart::AxisLabel& l = c->XAxisLabel();
  l.Auto = false;
  l.TextLayout.Orientation = 0;
  l.TextLayout.VertAlignment = 2;
  l.TextLayout.WordWrap = true;
}

void frmResult::SetChartRowLabel(int chart, int row, const std::string& label) {
  chart::MSChart* c = MSChart.at(static_cast<size_t>(chart));
  c->SetRow(row);
  c->SetRowLabel(label);
}

void frmResult::SetChartColumnLabel(int chart, int column, const std::string& label) {
  chart::MSChart* c = MSChart.at(static_cast<size_t>(chart));
  c->SetColumn(column);
  c->SetColumnLabel(label);
}

void frmResult::SetChartData(int chart, int row, int column, const std::string& value) {
  chart::MSChart* c = MSChart.at(static_cast<size_t>(chart));
  c->SetRow(row);
  c->SetColumn(column);
  c->SetData(value);
}

void frmResult::SetLabelCaption(const std::string& label, const std::string& caption) {
  auto* l = findChild<QLabel*>(QString::fromStdString(label));
  if (!l) vb::Raise(438, kName, "Object doesn't support this property or method: " + label);
  l->setText(QString::fromStdString(caption));
}

void frmResult::ShowWindow() { Show(); }

// ---------------------------------------------------------------- map view

void frmResult::CreateShape() {
  bool written = false;
  vb::Guard(kName, "CreateShape", [&] {
    const int layers = Map1->Layers().Count();
    for (int i = 0; i < layers; ++i) Map1->Layers().Remove(0);
    Map1->Layers().Clear();
    mobjMapTip.reset();
    ResultLayer::RemoveFiles();
    const std::vector<std::string> fewerDecimals = ResultLayer::Write(modTulmo::ResultGrid, shown_.Records.Estuary);
    written = true;
    ShowMap("PSU1");
    if (!fewerDecimals.empty()) {
      std::string fields;
      for (const std::string& f : fewerDecimals) fields += (fields.empty() ? "" : ", ") + f;
      ui::MsgBox("Some values of " + std::string(fewerDecimals.size() == 1 ? "field " : "fields ") + fields +
                     " are too large for all their decimals; the result layer holds them with fewer decimals.",
                 ui::vbInformation | ui::vbOKOnly);
    }
  });
  // After a refused layer the map stays empty rather than showing another run's cells.
  if (!written) {
    Map1->Refresh();
    legend1->Refresh(true);
  }
}

MapTip& frmResult::Tip() {
  if (!mobjMapTip) mobjMapTip = std::make_unique<MapTip>();
  return *mobjMapTip;
}

void frmResult::ShowMap(const std::string& field) {
  // A refused class count leaves the map, its colouring and its tip's field as they were.
  mapctl::ClassCountFromText(txtClasses->text().toStdString());
  std::shared_ptr<mapctl::MapLayer> layer;
  if (Map1->Layers().Count() < 1) {
    // The layer writer puts the files into the working directory, so the map reads them there.
    layer = std::make_shared<mapctl::MapLayer>("map.shp");
    if (layer->Valid()) {
      layer->DefaultSymbol().Color = 0xFF00;
      layer->DefaultSymbol().Outline = false;
      Map1->Layers().Add(layer);
    }
  } else {
    layer = Map1->Layers().Item(0);
  }
  Map1->SetBackColor(0xC0C0C0);
  legend1->SetBackColor(0xC0C0C0);
  Tip().Initialize(Map1, tmrToolTip, picToolTip, lblToolTip);
  Tip().SetLayer(layer, field);
  if (!RenderLayer(field)) ui::MsgBox("Failed to render layer", ui::vbExclamation | ui::vbOKOnly);
  BringToFront(Map1);
  BringToFront(legend1);
  BringToFront(picToolTip);
}

void frmResult::KeepAcceptedClassCount() {
  // A count the map refused stays in the box only until the next selection: a new run shows its
  // own map and legend, with the count accepted last.
  try {
    mapctl::ClassCountFromText(txtClasses->text().toStdString());
  } catch (const std::exception&) {
    txtClasses->setText(QString::number(acceptedClasses_));
  }
}

bool frmResult::RenderLayer(const std::string& field) {
  // The class count is checked before the present colouring is removed, so a bad count keeps it.
  const int classes = mapctl::ClassCountFromText(txtClasses->text().toStdString());
  Map1->SetMousePointer(mapctl::kPointerHourglass);
  for (int i = 0; i < Map1->Layers().Count(); ++i) Map1->Layers().Item(i)->SetRenderer(nullptr);
  if (Map1->Layers().Count() < 1) {
    Map1->SetMousePointer(mapctl::kPointerDefault);
    return false;
  }
  acceptedClasses_ = classes;
  auto renderer = std::make_shared<mapctl::ClassBreaksRenderer>();
  std::shared_ptr<mapctl::MapLayer> layer = Map1->Layers().Item(0);
  renderer->SetBreakCount(classes - 1);
  renderer->SetField(field);
  for (int i = 0; i < classes; ++i) renderer->ClassSymbol(i).Outline = false;
  mapctl::Recordset rs = layer->SearchExpression("FeatureId > -1 order by " + field);
  rs.MoveFirst();
  double minimum = vb::CDbl(rs.Fields(field)), maximum = minimum;
  while (!rs.Eof()) {
    maximum = vb::CDbl(rs.Fields(field));
    rs.MoveNext();
  }
  rs.MoveFirst();
  double top = maximum == 0 ? 0 : std::nearbyint(Useful::Log10(maximum) + 0.5);
  double bottom = minimum == 0 ? top - 5 : std::nearbyint(Useful::Log10(minimum) - 0.5);
  double span = top - bottom;
  const int breaks = renderer->BreakCount();
  for (int i = 0; i < breaks; ++i) {
    if (field == "PSU1") {
      renderer->SetBreak(i, i * 4.0);
      renderer->RampColors(0xFF0000, 0xFFFF00);
    } else {
      renderer->SetBreak(i, std::pow(10.0, bottom + span * i / breaks));
      renderer->RampColors(0xFF0000, 0x00FFFF);
    }
  }
  layer->SetRenderer(renderer);
  Map1->SetExtent(Map1->FullExtent());
  Map1->Refresh();
  legend1->Refresh(true);
  Map1->SetMousePointer(mapctl::kPointerDefault);
  return true;
}

void frmResult::Toolbar1_ButtonClick(ui::ToolbarButton* button) {
  vb::Guard(kName, "Toolbar1_ButtonClick", [&] {
    const std::string key = button->Key();
    if (key == "Select") Map1->SetMousePointer(mapctl::kPointerDefault);
    else if (key == "ZoomIn") Map1->SetMousePointer(mapctl::kPointerZoomIn);
    else if (key == "ZoomOut") Map1->SetMousePointer(mapctl::kPointerZoomOut);
    else if (key == "Pan") Map1->SetMousePointer(mapctl::kPointerPan);
    else if (key == "FullExt") {
      Map1->SetMousePointer(mapctl::kPointerDefault);
      Map1->SetExtent(Map1->FullExtent());
    }
  });
}

void frmResult::Map1_MouseDown(int, int, double, double) {
  // A press ends the tip: after a drag or a zoom it would speak of the press point.
  if (mobjMapTip) mobjMapTip->Hide();
  vb::Guard(kName, "Map1_MouseDown", [&] {
    int tool = 0;
    const auto& buttons = Toolbar1->Buttons();
    for (size_t i = 0; i < buttons.size(); ++i)
      if (buttons[i]->Action()->isChecked()) tool = static_cast<int>(i) + 1;
    if (tool == 2) {
      if (std::optional<mapctl::Rectangle> r = Map1->TrackRectangle()) Map1->SetExtent(*r);
    } else if (tool == 3) {
      mapctl::Rectangle r = Map1->Extent();
      r.ScaleRectangle(1.5);
      Map1->SetExtent(r);
    } else if (tool == 4) {
      Map1->Pan();
    }
  });
}

void frmResult::Map1_MouseMove(int, int, double x, double y) {
  vb::Guard(kName, "Map1_MouseMove", [&] {
    Tip().MouseMove(static_cast<float>(x), static_cast<float>(y), this);
    mapctl::Point p = Map1->ToMapPoint(x, y);
    lblXcoor->setText(QString::fromStdString("distance to mouth: " + vb::Format(p.X / 1000, "0.0") + " km"));
    picXcoor->show();
  });
}

void frmResult::Map1_MouseLeave() {
  // Neither a value nor a distance stays for a pointer that has left the map.
  if (mobjMapTip) mobjMapTip->Hide();
  picXcoor->hide();
}

void frmResult::txtClasses_Enter() {
  // Enter applies the class count to the quantity on the map.
  if (FrontDisplay() == Map1 && shownMapOption_ >= 10) OptGraph_Click(shownMapOption_);
}

void frmResult::Map1_BeforeLayerDraw(int index) {
  if (index == Map1->Layers().Count() - 1) Map1->SetMousePointer(mapctl::kPointerHourglass);
}

void frmResult::Map1_AfterLayerDraw(int index, bool) {
  if (index == 0) Map1->SetMousePointer(mapctl::kPointerDefault);
}

void frmResult::tmrToolTip_Timer() {
  vb::Guard(kName, "tmrToolTip_Timer", [&] { Tip().Timer(); });
}

// ---------------------------------------------------------------- the run's files

namespace {
// The working directory, where the run's files are written.
std::string Folder() { return QDir::toNativeSeparators(QDir::currentPath()).toStdString(); }
}  // namespace

void frmResult::cmdExport_Click() {
  if (!RunFilesAllowed()) return;
  vb::Guard(kName, "cmdExport_Click", [&] {
    const int32_t runid = shown_.RunID;
    const std::string id = std::to_string(runid);
    for (const char* ext : {".shx", ".shp", ".dbf"}) {
      const std::string file = std::string("map") + ext;
      if (!modTulmo::FileExists(file)) {
        ui::MsgBox("Result file " + file + " not found, action aborted", ui::vbOKOnly);
        return;
      }
      vb::FileCopy(file, id + ext);
    }
    RunFiles::WriteRunData(runid, BioaccumulationApplies(shown_.Records.Compound.Cmpkow));
    ui::MsgBox("Data exported to GIS files " + id + ".dbf , " + id + ".shp and " + id + ".shx" + "\r" +
                   "Ascii data available in \";\"-seperated file " + id + "-data.txt" + "\r" + "Folder: " + Folder(),
               ui::vbOKOnly);
  });
}

void frmResult::cmdPrint_Click() {
  if (!RunFilesAllowed()) return;
  const int32_t runid = shown_.RunID;
  const bool biota = BioaccumulationApplies(shown_.Records.Compound.Cmpkow);
  const std::string report = std::to_string(runid) + "-report.txt";
  // Each step runs whatever became of the one before. The layer is copied first so that the
  // report names only the copies that exist; a copy that failed is reported once the report
  // shows.
  const RunFiles::LayerCopy copy = RunFiles::CopyLayer(runid);
  vb::Guard(kName, "cmdPrint_Click", [&] {
    RunFiles::WriteRunReport(runid, biota, shown_.Records, [this](const std::string& l) { return LabelCaption(l); },
                             copy.Written);
    ui::DoEvents();
    ui::DoEvents();
    if (modTulmo::FileExists(report)) ui::ShowTextFile(report);
  });
  vb::Guard(kName, "cmdPrint_Click", [&] {
    if (copy.Failure) std::rethrow_exception(copy.Failure);
  });
  vb::Guard(kName, "cmdPrint_Click", [&] { RunFiles::WriteRunData(runid, biota); });
}
