#include <QChartView>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>
#include <shapefil.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "modelrun/modTulmo.h"
#include "platform/map/Renderer.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Global.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/TextViewer.h"
#include "platform/ui/Twips.h"
#include "results/ResultLayer.h"
#include "results/RunFiles.h"
#include "results/frmResult.h"
#include "shell/MDIMain.h"
#include "tests/records/ScenarioDb.h"
#include "tests/support/ResultMap.h"
#include "tests/support/TestDir.h"
#include "tests/support/WindowSystemInput.h"
#include "runtime/VbError.h"

using namespace modTulmo;

namespace {

using testsupport::Lines;

// Quantity k in cell s; the last substance is the cell area.
float Value(int k, int s) { return k == 10 ? 1.0f : static_cast<float>(k + 1) * (1.0f + static_cast<float>(s) / 100); }

std::string MapFile() { return testsupport::ResultMap(500, Value); }

void FillGrid() {
  nosys = 11;
  noseg = 500;
  ResultGrid.Resize(11);
  for (int k = 0; k < 11; ++k)
    for (int s = 0; s < 500; ++s) ResultGrid(k, s) = Value(k, s);
}

void SendKey(QWidget* target, int key) {
  QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &e);
}

int CountPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
  int n = 0;
  for (const auto& l : lines) n += l.rfind(prefix, 0) == 0;
  return n;
}

}  // namespace

TEST(Bioaccumulation, AppliesOnlyInsideTheLogKowRangeLimitsIncluded) {
  struct Case {
    float kow;
    bool applies;
  } cases[] = {{4.4f, false}, {4.49f, false}, {4.5f, true}, {6.0f, true}, {8.0f, true}, {8.01f, false}, {8.1f, false}};
  for (const Case& c : cases) EXPECT_EQ(BioaccumulationApplies(c.kow), c.applies) << c.kow;
}

TEST(RunFiles, DataFileHoldsHeadersTitlesAndTenValuesPerTransect) {
  ResetModuleState();
  FillGrid();
  ResultGrid(0, 0) = -2.5f;
  ResultGrid(1, 499) = -9999.0f;
  RunFiles::WriteRunData(12, true);
  auto lines = Lines(testsupport::ReadFile("12-data.txt"));
  ASSERT_EQ(lines.size(), 5u + 10 + 550);
  EXPECT_EQ(lines[0], "Data seperator is ;");
  EXPECT_EQ(lines[4], "Grid data is given per compound");
  EXPECT_EQ(lines[5], "Salinity (psu)");
  EXPECT_EQ(lines[6].substr(0, 22), "-2.500E+00; 1.010E+00;");
  EXPECT_EQ(std::count(lines[6].begin(), lines[6].end(), ';'), 9);
  EXPECT_EQ(lines[56], "Total concentration (ug/l)");
  EXPECT_EQ(lines[106].substr(lines[106].size() - 10), "-9.999E+03");
  EXPECT_EQ(lines[5 + 4 * 51], "Sediment concentration  (ug/g dry weight)");
  // The cell areas follow the last quantity without a title.
  EXPECT_EQ(lines[5 + 10 * 51], "1.000E+00; 1.000E+00;1.000E+00;1.000E+00;1.000E+00;1.000E+00;1.000E+00;1.000E+00;"
                                "1.000E+00;1.000E+00");

  RunFiles::WriteRunData(12, false);
  lines = Lines(testsupport::ReadFile("12-data.txt"));
  EXPECT_EQ(lines.size(), 5u + 5 * 51);
  nosys = 0;
  RunFiles::WriteRunData(12, true);
  EXPECT_EQ(Lines(testsupport::ReadFile("12-data.txt")).size(), 5u);
}

TEST(RunFiles, ReportPlacesValuesAtColumnFiftyAndTransectsByBiotaFlag) {
  ResetModuleState();
  FillGrid();
  CurrentCompound.Cmpdescr = "Lindane";
  CurrentCompound.Cmpname = "gamma-HCH";
  CurrentCompound.Cmpmolmass = 150;
  CurrentCompound.Cmpkow = 6;
  CurrentCompound.Alphawater = 0.5;
  CurrentEstuary.EstLength = 40;
  CurrentEstuary.DispersionOption = 1;
  CurrentEstuary.DispersionX1 = 12;
  auto caption = [](const std::string& label) { return "<" + label + ">"; };
  RunFiles::WriteRunReport(7, true, {CurrentCompound, CurrentEmission, CurrentEstuary}, caption,
                           {"7.shp", "7.shx", "7.dbf"});
  auto lines = Lines(testsupport::ReadFile("7-report.txt"));
  ASSERT_GT(lines.size(), 100u);
  EXPECT_EQ(lines[0], "Report file TULMO model");
  EXPECT_EQ(lines[1].rfind("Creation date : ", 0), 0u);
  auto find = [&](const std::string& prefix) {
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind(prefix, 0) == 0) return i;
    ADD_FAILURE() << prefix;
    return size_t{0};
  };
  EXPECT_EQ(lines[find("Molecular mass ")], "Molecular mass " + std::string(34, ' ') + " : 150 (g/mol)");
  EXPECT_EQ(lines[find("log(Kow) ")].substr(49), " : 6");
  EXPECT_EQ(lines[find("Assimilation efficiency water ")].substr(49), " : 0.5 (-/-)");
  EXPECT_EQ(lines[find("Dispersion option ")].substr(49), " : based on salinity measurements");
  EXPECT_EQ(lines[find("Distance from mouth at first salinity value ")].substr(49), " : 12 (km)");
  size_t marine = find("   in marine coastal zone (suspended and dissolved)");
  EXPECT_EQ(lines[marine], "   in marine coastal zone (suspended and dissolved)");
  EXPECT_EQ(lines[marine + 1], std::string(49, ' ') + " : <lblConcTotMarine> (ug/l)");
  EXPECT_EQ(lines[find("Concentration of ")], "Concentration of gamma-HCH:");
  // Units as the window and the estuary editor give them.
  EXPECT_EQ(lines[find("   in marine coastal zone (suspended matter) avg.")].substr(49), " : <lblConcAdsMarine> (ug/g dw)");
  EXPECT_EQ(lines[find("   in marine coastal zone (sediment) average")].substr(49), " : <lblConcSedMarine> (ug/g dw)");
  for (const char* zone : {"Chlorophyl fresh zone ", "Chlorophyl intermediate zone ", "Chlorophyl saline zone "})
    EXPECT_EQ(lines[find(zone)].substr(49), " : 0 (ug/l)") << zone;
  EXPECT_EQ(lines[find("      in bentic fish (5-percentile)")].substr(49), " : <lblMinDab> (ng/g dw)");
  EXPECT_EQ(lines[find("   7.shp")], "   7.shp");
  EXPECT_EQ(lines[find(" Selection")], " Selection of results: Longitudinal transects in estuary");
  EXPECT_EQ(lines[find("Distance  ")], "Distance       Conc in        Conc along     Conc");
  size_t sal = find("Salinity") + 0;
  while (lines[sal] != "Salinity") ++sal;
  // Row 1: 0.8 km for 40 km; centre of cells 4 and 5, cell 1 and cell 9.
  EXPECT_EQ(lines[sal + 1], "0.8(km) ;      1.045E+00;     1.010E+00;     1.090E+00");
  EXPECT_EQ(lines[sal + 50].substr(0, 10), "40.0(km) ;");
  EXPECT_EQ(CountPrefix(lines, "Concentration in zooplankton"), 1);

  RunFiles::WriteRunReport(7, false, {CurrentCompound, CurrentEmission, CurrentEstuary}, caption, {});
  lines = Lines(testsupport::ReadFile("7-report.txt"));
  EXPECT_EQ(CountPrefix(lines, "Bio-accumulation is only applicable for compound with Kow values 4.5 - 8"), 1);
  EXPECT_EQ(CountPrefix(lines, "   Bioaccumulation in pelagic foodweb:"), 0);
  size_t zoo = find("Concentration in zooplankton");
  EXPECT_EQ(lines[zoo + 1], "Concentration in secundairy consumers");  // titles stand without rows
  EXPECT_EQ(lines.back(), "Concentration in benthic fish");
}

TEST(ResultLayer, CellGeometryNarrowsFromTheMouth) {
  auto r0 = ResultLayer::CellRing(0, 9, 10, 20, 1000);
  EXPECT_FLOAT_EQ(r0.y[0], 4500);
  EXPECT_FLOAT_EQ(r0.y[2], 5000);
  auto r1 = ResultLayer::CellRing(1, 0, 10, 20, 1000);
  EXPECT_FLOAT_EQ(r1.x[0], 200);
  EXPECT_NEAR(r1.y[2] - r1.y[0], 495.02, 0.01);
  EXPECT_NEAR(r1.y[0], 24.88, 0.01);
  auto last = ResultLayer::CellRing(49, 0, 10, 20, 1000);
  EXPECT_FLOAT_EQ(last.x[1], 10000);
  EXPECT_THROW(ResultLayer::CellRing(1, 0, 10, 0, 1000), vb::VbError);
}

class ResultWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetModuleState();
    db.Raw("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) VALUES ('first run', 1, 1, 1, 1)");
    testsupport::WriteFile("1.map", MapFile());
    ui::SetUrlOpener([this](const QUrl& url) {
      opened.push_back(url.toLocalFile().toStdString());
      return true;
    });
  }
  void TearDown() override {
    ui::UnloadAllForms();
    ui::SetUrlOpener({});
  }
  frmResult& Open() {
    auto* w = new frmResult();
    w->Show();
    return *w;
  }
  testdb::OpenScenario db{true};
  ui::MsgBoxRecorder boxes;
  std::vector<std::string> opened;
};

TEST_F(ResultWindowTest, LoadingSelectsTheLastRunFillsChartsAndWritesTheLayer) {
  frmResult& w = Open();
  ASSERT_EQ(w.lvRun->Count(), 1);
  EXPECT_EQ(w.Caption(), "first run");
  EXPECT_EQ(CurrentRun.RunID, 1);
  // Chart 2, row 1: centre is the mean of cells 4 and 5, south bank cell 1, north bank cell 9.
  chart::MSChart* c = w.MSChart[2];
  EXPECT_EQ(c->RowCount(), 50);
  EXPECT_EQ(c->ColumnLabelAt(1), "North bank");
  EXPECT_NEAR(c->ValueAt(1, 1), Value(2, 9), 1e-6);
  EXPECT_NEAR(c->ValueAt(1, 2), (Value(2, 4) + Value(2, 5)) / 2.0, 1e-6);
  EXPECT_NEAR(c->ValueAt(1, 3), Value(2, 1), 1e-6);
  EXPECT_FALSE(w.LabelCaption("lbl95Sal").empty());
  EXPECT_EQ(w.LabelCaption("lblSalMarine"), "1.50E+00");
  EXPECT_EQ(w.FrontDisplay(), w.MSChart[0]);
  EXPECT_EQ(w.lblHeader->text(), "Salinity");

  for (const auto& b : boxes.boxes()) ADD_FAILURE() << b.prompt;
  SHPHandle shp = SHPOpen("map", "rb");
  ASSERT_NE(shp, nullptr);
  int count = 0, type = 0;
  SHPGetInfo(shp, &count, &type, nullptr, nullptr);
  EXPECT_EQ(count, 500);
  EXPECT_EQ(type, SHPT_POLYGON);
  SHPObject* o = SHPReadObject(shp, 499);
  EXPECT_EQ(o->nVertices, 5);
  SHPDestroyObject(o);
  SHPClose(shp);
  DBFHandle dbf = DBFOpen("map", "rb");
  ASSERT_NE(dbf, nullptr);
  ASSERT_EQ(DBFGetFieldCount(dbf), 10);
  char name[12];
  int width = 0, decimals = 0;
  DBFGetFieldInfo(dbf, 9, name, &width, &decimals);
  EXPECT_STREQ(name, "BENT");
  DBFGetFieldInfo(dbf, 0, name, &width, &decimals);
  EXPECT_STREQ(name, "PSU1");
  EXPECT_EQ(decimals, 4);
  EXPECT_NEAR(DBFReadDoubleAttribute(dbf, 499, 0), Value(0, 499), 1e-4);
  EXPECT_NEAR(DBFReadDoubleAttribute(dbf, 13, 9), Value(9, 13), 1e-6);
  DBFClose(dbf);
  EXPECT_EQ(w.Map1->Layers().Count(), 1);
}

TEST_F(ResultWindowTest, MapColouringAndABadClassCountKeepsThePreviousColouring) {
  frmResult& w = Open();
  w.OptGraph[10]->setChecked(true);
  auto layer = w.Map1->Layers().Item(0);
  auto psu = layer->Renderer();
  ASSERT_TRUE(psu);
  EXPECT_EQ(psu->Field(), "PSU1");
  ASSERT_EQ(psu->BreakCount(), 9);
  EXPECT_DOUBLE_EQ(psu->Break(8), 32);
  EXPECT_EQ(w.FrontDisplay(), w.Map1);

  w.OptGraph[11]->setChecked(true);  // TOT1: 2 .. 11.98, decades from 1 to 100
  auto tot = layer->Renderer();
  EXPECT_EQ(tot->Field(), "TOT1");
  EXPECT_EQ(w.Map1->Layers().Item(0), layer);  // the same layer, recoloured
  EXPECT_DOUBLE_EQ(tot->Break(0), 1);
  EXPECT_EQ(w.lblHeader->text().toStdString(), CurrentCompound.Cmpdescr + " total conc.");

  w.txtClasses->setText("abc");
  w.OptGraph[12]->setChecked(true);
  EXPECT_EQ(layer->Renderer(), tot);
  ASSERT_FALSE(boxes.boxes().empty());
  EXPECT_EQ(boxes.boxes().back().style & ui::vbExclamation, ui::vbExclamation);
  // The options say what the map shows: the refused one is cleared, the shown one set again.
  EXPECT_FALSE(w.OptGraph[12]->isChecked());
  EXPECT_TRUE(w.OptGraph[11]->isChecked());
  // Enter in the class count applies it to the quantity shown; a refused count changes nothing.
  const size_t before = boxes.boxes().size();
  SendKey(w.txtClasses, Qt::Key_Return);
  EXPECT_EQ(boxes.boxes().size(), before + 1);
  EXPECT_EQ(layer->Renderer(), tot);
  w.txtClasses->setText("5");
  SendKey(w.txtClasses, Qt::Key_Return);
  ASSERT_NE(layer->Renderer(), tot);
  EXPECT_EQ(layer->Renderer()->Field(), "TOT1");
  EXPECT_EQ(layer->Renderer()->BreakCount(), 4);
  EXPECT_TRUE(w.OptGraph[11]->isChecked());
  tot = layer->Renderer();
  w.txtClasses->setText("10");
  // The tip still reads the field the map is coloured by: TOT1 of cell 0 is 2.
  mapctl::Point t = w.Map1->FromMapPoint(layer->FeatureAt(0).Bounds.Center());
  w.Map1_MouseMove(0, 0, t.X, t.Y);
  // The form's own timer must tick after a mouse move, or no tip ever shows.
  bool ticked = false;
  QEventLoop loop;
  QObject::connect(w.tmrToolTip, &ui::Timer::Tick, &loop, [&] { ticked = true; loop.quit(); });
  QTimer::singleShot(2000, &loop, &QEventLoop::quit);
  loop.exec();
  ASSERT_TRUE(ticked);
  EXPECT_EQ(w.lblToolTip->text().toStdString(), "Value: 2.00E+00");

  w.txtClasses->setText("1");
  w.OptGraph[13]->setChecked(true);
  EXPECT_EQ(layer->Renderer()->BreakCount(), 0);
  EXPECT_EQ(layer->Renderer()->ClassSymbol(0).Color, mapctl::ClassBreaksRenderer::kDefaultClassColor);
}

TEST_F(ResultWindowTest, EveryOptionAndHeaderStaysClearOfThePanelButtons) {
  frmResult& w = Open();
  for (int i = 0; i < 20; ++i) {
    const QWidget* panelButton = (i % 10) < 5 ? static_cast<QWidget*>(w.cmdBiota) : w.cmdAbiotic;
    EXPECT_FALSE(w.OptGraph[static_cast<size_t>(i)]->geometry().intersects(panelButton->geometry())) << i;
  }
  // Column headers of up to three lines show whole above their units.
  for (int c = 0; c < 5; ++c) {
    auto* head = w.findChild<QLabel*>(QString("lblHead%1").arg(c));
    ASSERT_NE(head, nullptr);
    const QRect need = head->fontMetrics().boundingRect(QRect(0, 0, head->width(), 1000), Qt::TextWordWrap, head->text());
    EXPECT_LE(need.height(), head->height()) << head->text().toStdString();
  }
}

TEST_F(ResultWindowTest, OnlyTheChartInFrontIsDrawnAndNothingOfTheMapShowsBesideIt) {
  ui::Global<MDIMain>().Show();  // a window that is not shown draws nothing
  frmResult& w = Open();
  ui::DoEvents();
  EXPECT_TRUE(w.MSChart[0]->isVisible());
  EXPECT_FALSE(w.MSChart[0]->View()->chart()->series().isEmpty());
  EXPECT_FALSE(w.MSChart[1]->isVisible());
  EXPECT_TRUE(w.MSChart[1]->View()->chart()->series().isEmpty());  // not laid out behind chart 0
  for (QWidget* m : std::initializer_list<QWidget*>{w.Map1, w.legend1, w.Toolbar1, w.txtClasses, w.picXcoor})
    EXPECT_FALSE(m->isVisible()) << m->objectName().toStdString();
  w.OptGraph[1]->setChecked(true);
  EXPECT_TRUE(w.MSChart[1]->isVisible());
  EXPECT_EQ(w.MSChart[1]->View()->chart()->series().size(), 3);
  EXPECT_FALSE(w.MSChart[0]->isVisible());
  // The map comes with its legend, tools and class count; the charts go.
  w.OptGraph[11]->setChecked(true);
  for (QWidget* m : std::initializer_list<QWidget*>{w.Map1, w.legend1, w.Toolbar1, w.txtClasses})
    EXPECT_TRUE(m->isVisible()) << m->objectName().toStdString();
  for (chart::MSChart* c : w.MSChart) EXPECT_FALSE(c->isVisible()) << c->objectName().toStdString();
  // The header clears the class count over the map and spans the chart's top over a chart.
  EXPECT_LT(w.picHeader->geometry().right(), w.txtClasses->geometry().left());
  EXPECT_LE(w.picHeader->geometry().bottom(), w.MSChart[0]->geometry().top() + 22);
}

TEST_F(ResultWindowTest, TheTipAndTheDistanceGoWithThePointer) {
  ui::Global<MDIMain>().Show();  // a window that is not shown draws nothing
  frmResult& w = Open();
  w.OptGraph[11]->setChecked(true);
  EXPECT_FALSE(w.picXcoor->isVisible());  // no empty box before the first move
  auto layer = w.Map1->Layers().Item(0);
  const mapctl::Point at = w.Map1->FromMapPoint(layer->FeatureAt(0).Bounds.Center());
  auto restOnCell = [&] {
    w.Map1_MouseMove(0, 0, at.X, at.Y);
    w.tmrToolTip_Timer();
  };
  restOnCell();
  EXPECT_TRUE(w.picXcoor->isVisible());
  EXPECT_EQ(w.lblXcoor->text().left(19), "distance to mouth: ");
  ASSERT_TRUE(w.picToolTip->isVisible());

  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(w.Map1, &leave);
  EXPECT_FALSE(w.picToolTip->isVisible());
  EXPECT_FALSE(w.picXcoor->isVisible());

  // A press ends the tip and its waiting: after a drag it would speak of the press point.
  restOnCell();
  ASSERT_TRUE(w.picToolTip->isVisible());
  w.Map1_MouseMove(0, 0, at.X + 15, at.Y);  // waiting again
  EXPECT_NE(w.tmrToolTip->Interval(), 0);
  w.Map1_MouseDown(1, 0, at.X + 15, at.Y);
  EXPECT_FALSE(w.picToolTip->isVisible());
  EXPECT_EQ(w.tmrToolTip->Interval(), 0);
  // Chosen a chart, no tip stays over it.
  restOnCell();
  w.OptGraph[1]->setChecked(true);
  EXPECT_FALSE(w.picToolTip->isVisible());
}

TEST_F(ResultWindowTest, AllFiveMapToolsShowOnTheNarrowToolBar) {
  frmResult& w = Open();
  w.OptGraph[10]->setChecked(true);
  ui::Place(w.Toolbar1, 6405, 5220, 1650, 390);  // designed 1800 wide, as a smaller screen leaves it
  w.grab();  // lays the tool bar out as when it is first drawn
  ASSERT_EQ(w.Toolbar1->Buttons().size(), 5u);
  for (ui::ToolbarButton* b : w.Toolbar1->Buttons()) {
    QWidget* button = w.Toolbar1->widgetForAction(b->Action());
    ASSERT_NE(button, nullptr) << b->Key();
    EXPECT_TRUE(button->isVisibleTo(w.Toolbar1)) << b->Key();  // not pushed into the overflow menu
    EXPECT_FALSE(b->Action()->icon().isNull()) << b->Key();
  }
}

TEST_F(ResultWindowTest, ExportAndReportWriteTheRunFiles) {
  frmResult& w = Open();
  w.cmdExport_Click();
  ASSERT_FALSE(boxes.boxes().empty());
  EXPECT_EQ(boxes.boxes().back().prompt,
            "Data exported to GIS files 1.dbf , 1.shp and 1.shx\rAscii data available in \";\"-seperated file 1-data.txt"
            "\rFolder: " + std::filesystem::current_path().string());
  EXPECT_FALSE(testsupport::ReadFile("1.shp").empty());
  EXPECT_FALSE(testsupport::ReadFile("1-data.txt").empty());

  std::filesystem::remove("1-data.txt");
  w.cmdPrint_Click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(std::filesystem::path(opened[0]).filename(), "1-report.txt");
  EXPECT_FALSE(testsupport::ReadFile("1-data.txt").empty());

  std::filesystem::remove("map.shx");
  size_t before = boxes.boxes().size();
  w.cmdExport_Click();
  ASSERT_EQ(boxes.boxes().size(), before + 1);
  EXPECT_EQ(boxes.boxes().back().prompt, "Result file map.shx not found, action aborted");
}

TEST_F(ResultWindowTest, MetalsDisableTheBiotaPanelAndLogKowLimitsShowMessages) {
  struct Case {
    int type;
    double kow;
    const char* message;
    bool biota;
  } cases[] = {{2, 4.5, "", true},
               {2, 8.0, "", true},
               {2, 4.4, "Bioaccumulation model not valid when log(Kow) value is below 4.5", true},
               {2, 8.1, "Bioaccumulation model not valid when log(Kow) value is greater than 8.0", true},
               {1, 3, "Bioaccumulation model not valid for metals", false}};
  frmResult& w = Open();
  for (const Case& c : cases) {
    db.Raw("UPDATE Compounds SET CmpIsType = " + std::to_string(c.type) + ", CmpKow = " + std::to_string(c.kow) +
           " WHERE CmpID = 1");
    w.lvRun_Click();
    EXPECT_EQ(w.lblMessage->text().toStdString(), c.message) << c.kow;
    EXPECT_EQ(w.cmdBiota->isEnabled(), c.biota) << c.kow;
  }
}

TEST_F(ResultWindowTest, RunListSortsIdsAsTextAndAnEmptyListClearsTheStatistics) {
  for (int i = 0; i < 9; ++i) db.Raw("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) VALUES "
                                     "('more', 1, 1, 1, 1)");
  frmResult& w = Open();
  ASSERT_EQ(w.lvRun->Count(), 10);
  EXPECT_EQ(w.lvRun->SelectedItem()->Key(), "KY_10");
  w.lvRun_ColumnClick(0);
  EXPECT_EQ(w.lvRun->Item(2)->Text(), "10");  // "1", "10", "2", ...
  EXPECT_EQ(w.lvRun->Item(3)->Text(), "2");

  db.Raw("DELETE FROM Run");
  w.lvRun_Click();
  for (const char* name : frmResult::StatisticLabels()) EXPECT_EQ(w.LabelCaption(name), "") << name;
  EXPECT_EQ(w.lblMessage->text(), "");
}

TEST_F(ResultWindowTest, ARunWithoutItsMapShowsAndExportsNothingOfTheRunBefore) {
  frmResult& w = Open();
  ASSERT_FALSE(w.LabelCaption("lbl95Sal").empty());
  db.Raw("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) VALUES ('no map', 1, 1, 1, 1)");
  w.RefreshRunList();
  w.lvRun->SetSelectedItem(w.lvRun->Item(2));
  boxes.Clear();
  w.lvRun_Click();
  EXPECT_EQ(w.Caption(), "no map");
  ASSERT_FALSE(boxes.boxes().empty());
  EXPECT_EQ(boxes.boxes().front().prompt, "Result file from calculation '2.map' not found");
  for (const char* name : frmResult::StatisticLabels()) EXPECT_EQ(w.LabelCaption(name), "") << name;
  EXPECT_EQ(w.LabelCaption("lblSalMarine"), "");
  EXPECT_EQ(w.LabelCaption("lblEstFilter"), "");
  EXPECT_EQ(w.MSChart[0]->RowCount(), 0);
  EXPECT_EQ(w.Map1->Layers().Count(), 0);
  EXPECT_FALSE(std::filesystem::exists("map.shp"));

  // Neither the export nor the report writes anything for a run whose map was not read: a good
  // report of that run stays as it was.
  EXPECT_FALSE(w.cmdExport->isEnabled());
  EXPECT_FALSE(w.cmdPrint->isEnabled());
  testsupport::WriteFile("2-report.txt", "an earlier report");
  w.cmdExport_Click();
  EXPECT_EQ(boxes.boxes().back().prompt, "The result map of run 2 could not be read; nothing was written.");
  w.cmdPrint_Click();
  EXPECT_EQ(boxes.boxes().back().prompt, "The result map of run 2 could not be read; nothing was written.");
  EXPECT_EQ(testsupport::ReadFile("2-report.txt"), "an earlier report");
  EXPECT_TRUE(opened.empty());
  for (const char* f : {"2.shx", "2.shp", "2.dbf", "2-data.txt"}) EXPECT_FALSE(std::filesystem::exists(f)) << f;

  // Selecting the good run again shows it in full.
  w.lvRun->SetSelectedItem(w.lvRun->Item(1));
  w.lvRun_Click();
  EXPECT_EQ(w.LabelCaption("lblSalMarine"), "1.50E+00");
  EXPECT_EQ(w.MSChart[0]->RowCount(), 50);
  EXPECT_EQ(w.Map1->Layers().Count(), 1);
  EXPECT_TRUE(std::filesystem::exists("map.shp"));
}

TEST_F(ResultWindowTest, ChoicesSurviveASelectionAndTheFrontPanelsOptionIsRedrawn) {
  frmResult& w = Open();
  EXPECT_EQ(w.frmBiota->title(), "Biota");  // the biota panel's caption is shown
  const std::string name = CurrentCompound.Cmpdescr;
  w.OptGraph[8]->setChecked(true);
  EXPECT_EQ(w.lblHeader->text().toStdString(), name + "conc. in Tellina");
  w.OptGraph[18]->setChecked(true);
  EXPECT_EQ(w.lblHeader->text().toStdString(), name + " conc. in Tellina");
  EXPECT_EQ(w.FrontDisplay(), w.Map1);

  w.OptGraph[12]->setChecked(true);  // the abiotic panel shows a map
  w.cmdBiota_Click();                // the biota panel: option 5, the zooplankton chart
  EXPECT_EQ(w.CheckedOption(false), 12);
  EXPECT_EQ(w.CheckedOption(true), 5);
  w.lvRun_Click();
  EXPECT_EQ(w.FrontDisplay(), w.MSChart[5]);
  EXPECT_EQ(w.lblHeader->text().toStdString(), name + " conc. in Zooplankton");

  w.cmdAbiotic_Click();
  EXPECT_EQ(w.CheckedOption(false), 0);
  EXPECT_EQ(w.FrontDisplay(), w.MSChart[0]);
  EXPECT_EQ(w.lblHeader->text(), "Salinity");
}

TEST_F(ResultWindowTest, RunListHoldsTheNewestFiveThousandAndSetsTheMainMenus) {
  db.Raw("WITH RECURSIVE n(i) AS (SELECT 2 UNION ALL SELECT i + 1 FROM n WHERE i < 5001) "
         "INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) SELECT 'run ' || i, 1, 1, 1, 1 FROM n");
  frmResult& w = Open();
  EXPECT_EQ(w.lvRun->Count(), 5000);
  // Each fill of the list over the cap gives its beep and message.
  const std::string limit =
      "Your query returned more then '5000'. Please change your search criteria to narrow the results.";
  ASSERT_GE(boxes.beeps(), 1);
  EXPECT_EQ(std::count_if(boxes.boxes().begin(), boxes.boxes().end(), [&](const auto& b) { return b.prompt == limit; }),
            boxes.beeps());
  EXPECT_EQ(boxes.boxes().front().prompt, limit);
  // Over the cap the newest runs are listed, oldest first: the last row is the newest run.
  EXPECT_EQ(w.lvRun->Item(1)->Key(), "KY_2");
  EXPECT_EQ(w.lvRun->SelectedItem()->Key(), "KY_5001");
  EXPECT_EQ(w.ShownRunID(), 5001);
  // An activation with nothing changed keeps the list; a run added by a calculation is listed
  // and shown, whatever the cap.
  const int beeps = boxes.beeps();
  ui::NotifyActivated(&w);
  EXPECT_EQ(boxes.beeps(), beeps);
  db.Raw("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) VALUES ('newest', 1, 1, 1, 1)");
  ui::NotifyActivated(&w);
  EXPECT_EQ(w.lvRun->Count(), 5000);
  EXPECT_EQ(w.lvRun->SelectedItem()->Key(), "KY_5002");
  EXPECT_EQ(w.ShownRunID(), 5002);
  EXPECT_EQ(w.Caption(), "newest");
  EXPECT_EQ(w.lvRun->Item(1)->Key(), "KY_3");
  // Only closing, the window menu, help and the four list commands stay available.
  MDIMain& main = ui::Global<MDIMain>();
  for (const char* on : {"mnuFileClose", "mnuData", "mnuWindow", "mnuWindowCascade", "mnuEditRunList", "mnuHelpHelp"})
    EXPECT_TRUE(main.Menu(on)->Enabled()) << on;
  for (const char* off : {"mnuFileSave", "mnuDataAdd", "mnuDataRefresh", "mnuEditCorvixList"})
    EXPECT_FALSE(main.Menu(off)->Enabled()) << off;
  EXPECT_TRUE(main.tbrMain->Button("EXIT")->Enabled());
  EXPECT_FALSE(main.tbrMain->Button("DELETE")->Enabled());
  EXPECT_TRUE(w.cmdOK->isEnabled());
}

TEST_F(ResultWindowTest, AnEmptyDatabaseShowsNoRun) {
  db.Raw("DELETE FROM Run");
  frmResult& w = Open();
  EXPECT_EQ(w.lvRun->Count(), 0);
  EXPECT_EQ(w.Caption(), "Results");
  EXPECT_EQ(w.LblSelCompound->text(), "- not yet selected -");
  EXPECT_TRUE(boxes.boxes().empty());
  EXPECT_EQ(w.FrontDisplay(), w.MSChart[0]);
  // Nothing to report or export: the buttons wait for a run.
  EXPECT_FALSE(w.cmdPrint->isEnabled());
  EXPECT_FALSE(w.cmdExport->isEnabled());
}

TEST_F(ResultWindowTest, ARunWhoseCompoundIsGoneShowsNoneOfTheRunBefore) {
  frmResult& w = Open();
  ASSERT_FALSE(CurrentCompound.Cmpdescr.empty());
  db.Raw("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) VALUES ('orphan', 1, 1, 99, 1)");
  testsupport::WriteFile("2.map", MapFile());
  w.RefreshRunList();
  w.lvRun->SetSelectedItem(w.lvRun->Item(2));
  w.lvRun_Click();
  EXPECT_EQ(w.Caption(), "orphan");
  EXPECT_EQ(CurrentCompound.Cmpdescr, "");
  EXPECT_EQ(w.LblSelCompound->text(), "");
  EXPECT_FALSE(w.LblSelEnvir->text().isEmpty());  // the estuary is still there
}

namespace {

void SendMouse(QWidget* target, QEvent::Type type, const QPoint& at) {
  QMouseEvent e(type, QPointF(at), QPointF(target->mapToGlobal(at)), Qt::LeftButton,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &e);
}

QPoint RowCentre(const frmResult& w, int row) { return w.lvRun->visualItemRect(w.lvRun->Item(row)).center(); }

// The run that the window shows and the row that is highlighted are one run.
void ExpectHighlightedIsShown(const frmResult& w) {
  ASSERT_NE(w.lvRun->SelectedItem(), nullptr);
  EXPECT_EQ(w.lvRun->SelectedItem()->Key(), "KY_" + std::to_string(w.ShownRunID()));
  EXPECT_EQ(w.lvRun->currentItem(), w.lvRun->SelectedItem());
  EXPECT_EQ(CurrentRun.RunID, w.ShownRunID());
}

}  // namespace

class ResultWindowRunsTest : public ResultWindowTest {
 protected:
  void SetUp() override {
    ResultWindowTest::SetUp();
    for (const char* d : {"second run", "third run"}) AddRun(d);
  }
  int AddRun(const std::string& description, int estuary = 1) {
    db.Raw("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) VALUES ('" + description + "', 1, " +
           std::to_string(estuary) + ", 1, 1)");
    const int id = std::stoi(db.Scalar("SELECT MAX(RunID) FROM Run"));
    testsupport::WriteFile(std::to_string(id) + ".map", MapFile());
    return id;
  }
};

TEST_F(ResultWindowRunsTest, KeysClicksAndARefillOnActivationKeepTheHighlightedRowTheRunShown) {
  frmResult& w = Open();
  ASSERT_EQ(w.ShownRunID(), 3);
  QWidget* rows = w.lvRun->viewport();

  // An arrow key moves the current row: that row is the pick.
  SendKey(w.lvRun, Qt::Key_Up);
  EXPECT_EQ(w.ShownRunID(), 2);
  EXPECT_EQ(w.Caption(), "second run");
  ExpectHighlightedIsShown(w);

  // A click on a row.
  SendMouse(rows, QEvent::MouseButtonPress, RowCentre(w, 1));
  SendMouse(rows, QEvent::MouseButtonRelease, RowCentre(w, 1));
  EXPECT_EQ(w.ShownRunID(), 1);
  ExpectHighlightedIsShown(w);

  // A click on the row shown reads its run again.
  std::filesystem::remove("map.shp");
  SendMouse(rows, QEvent::MouseButtonPress, RowCentre(w, 1));
  SendMouse(rows, QEvent::MouseButtonRelease, RowCentre(w, 1));
  EXPECT_TRUE(std::filesystem::exists("map.shp"));
  EXPECT_EQ(w.ShownRunID(), 1);

  // A run added elsewhere: the press on row 2 activates the window, whose refill selects the new
  // last run between the press and the release.
  AddRun("fourth run");
  SendMouse(rows, QEvent::MouseButtonPress, RowCentre(w, 2));
  ui::NotifyActivated(&w);
  SendMouse(rows, QEvent::MouseButtonRelease, RowCentre(w, 2));
  ASSERT_EQ(w.lvRun->Count(), 4);
  EXPECT_EQ(w.ShownRunID(), 4);
  ExpectHighlightedIsShown(w);

  // After the refill, clicks and keys pick as before.
  SendMouse(rows, QEvent::MouseButtonPress, RowCentre(w, 2));
  SendMouse(rows, QEvent::MouseButtonRelease, RowCentre(w, 2));
  EXPECT_EQ(w.ShownRunID(), 2);
  SendKey(w.lvRun, Qt::Key_Down);
  EXPECT_EQ(w.ShownRunID(), 3);
  ExpectHighlightedIsShown(w);

  // What is exported is the run shown.
  w.cmdExport_Click();
  EXPECT_TRUE(std::filesystem::exists("3-data.txt"));
  EXPECT_FALSE(std::filesystem::exists("4-data.txt"));
}

TEST_F(ResultWindowRunsTest, ARunDeletedElsewhereAndANewOneOfTheSameCountShowTheNewRun) {
  frmResult& w = Open();
  w.lvRun->SetSelectedItem(w.lvRun->Item(2));
  ASSERT_EQ(w.ShownRunID(), 2);
  // Run 1 deleted from the run list, then a calculation adds run 4: as many runs as listed.
  db.Raw("DELETE FROM Run WHERE RunID = 1");
  const int added = AddRun("fourth run");
  ui::NotifyActivated(&w);
  ASSERT_EQ(w.lvRun->Count(), 3);
  EXPECT_EQ(w.lvRun->Item(1)->Key(), "KY_2");
  EXPECT_EQ(w.lvRun->Item(3)->Key(), "KY_" + std::to_string(added));
  EXPECT_EQ(w.ShownRunID(), added);
  EXPECT_EQ(w.Caption(), "fourth run");
  ExpectHighlightedIsShown(w);
  // Nothing changed since: an activation keeps the run the user picked.
  w.lvRun->SetSelectedItem(w.lvRun->Item(1));
  ASSERT_EQ(w.ShownRunID(), 2);
  ui::NotifyActivated(&w);
  EXPECT_EQ(w.ShownRunID(), 2);
}

TEST_F(ResultWindowRunsTest, ClicksDuringTheMapReadingActOnceTheSelectionHasEnded) {
  // The window system hands input only to a window on the screen, and to a button inside it.
  ui::Global<MDIMain>().Show();
  frmResult& w = Open();
  ui::Global<MDIMain>().resize(1400, 950);
  w.SubWindow()->resize(800, 700);
  QWidget* rows = w.lvRun->viewport();
  // The reader pumps messages to repaint; a row clicked meanwhile is not read inside the selection
  // but after it, on the window as the selection left it.
  bool queued = false;
  QTimer::singleShot(0, &w, [&] {
    queued = true;
    EXPECT_TRUE(testsupport::QueueClick(rows, RowCentre(w, 1)));
    ui::DoEvents();
    EXPECT_EQ(w.ShownRunID(), 2) << "a second selection ran inside the first";
    EXPECT_FALSE(w.cmdExport->isEnabled());  // no files of a run while it is read
  });
  w.lvRun->SetSelectedItem(w.lvRun->Item(2));
  ASSERT_TRUE(queued);
  EXPECT_EQ(w.ShownRunID(), 2);
  ExpectHighlightedIsShown(w);
  EXPECT_TRUE(w.cmdExport->isEnabled());
  QCoreApplication::processEvents();
  EXPECT_EQ(w.ShownRunID(), 1);
  ExpectHighlightedIsShown(w);

  // Another row and Close clicked while a map is read: the window stays for the selection, then
  // reads the clicked row's run and closes.
  QPointer<frmResult> alive(&w);
  queued = false;
  QTimer::singleShot(0, &w, [&] {
    queued = true;
    EXPECT_TRUE(testsupport::QueueClick(rows, RowCentre(w, 2)));
    EXPECT_TRUE(testsupport::QueueClick(w.cmdOK));
    ui::DoEvents();
  });
  w.lvRun->SetSelectedItem(w.lvRun->Item(3));
  ASSERT_TRUE(queued);
  ASSERT_TRUE(alive && ui::IsLoaded(&w));
  EXPECT_EQ(w.ShownRunID(), 3);
  ExpectHighlightedIsShown(w);
  QCoreApplication::processEvents();
  ui::FlushDeletes();
  EXPECT_FALSE(alive && ui::IsLoaded(alive));
  EXPECT_EQ(CurrentRun.RunID, 2);
}

TEST_F(ResultWindowRunsTest, ExportAndReportRefuseARunThatWasDeleted) {
  frmResult& w = Open();
  ASSERT_EQ(w.ShownRunID(), 3);
  db.Raw("DELETE FROM Run WHERE RunID = 3");
  w.cmdExport_Click();
  EXPECT_EQ(boxes.boxes().back().prompt, "Run 3 no longer exists; nothing was written.");
  w.cmdPrint_Click();
  EXPECT_EQ(boxes.boxes().back().prompt, "Run 3 no longer exists; nothing was written.");
  for (const char* f : {"3.shx", "3-data.txt", "3-report.txt"}) EXPECT_FALSE(std::filesystem::exists(f)) << f;

  // Every run deleted: the activation empties the list and the window shows no run at all.
  db.Raw("DELETE FROM Run");
  ui::NotifyActivated(&w);
  EXPECT_EQ(w.lvRun->Count(), 0);
  EXPECT_EQ(w.ShownRunID(), 0);
  EXPECT_EQ(w.Caption(), "Results");
  EXPECT_EQ(w.lblRunDescr->text(), "Run");
  EXPECT_EQ(w.LblSelEnvir->text(), "- not yet selected -");
  EXPECT_EQ(w.LabelCaption("lblSalMarine"), "");
  EXPECT_EQ(w.Map1->Layers().Count(), 0);
  EXPECT_FALSE(std::filesystem::exists("map.shp"));
  EXPECT_FALSE(w.cmdExport->isEnabled());
  w.cmdPrint_Click();
  EXPECT_EQ(boxes.boxes().back().prompt, "No run is shown; nothing was written.");
  EXPECT_TRUE(opened.empty());
}

TEST_F(ResultWindowRunsTest, TheReportAndExportReadTheShownRunsOwnRecords) {
  const int other = AddRun("on estuary 2", 2);
  frmResult& w = Open();
  ASSERT_EQ(w.ShownRunID(), other);
  w.lvRun->SetSelectedItem(w.lvRun->Item(1));
  ASSERT_EQ(w.ShownRunID(), 1);
  const std::string estuary1 = CurrentEstuary.Description;
  const float kow = CurrentCompound.Cmpkow;
  // Another estuary and compound come into the current records, as a calculation or an editor
  // would put them there.
  ASSERT_TRUE(GetEnvironmentData(2));
  ASSERT_NE(CurrentEstuary.Description, estuary1);
  CurrentCompound.Cmpkow = BioaccumulationApplies(kow) ? 2.0f : 6.0f;
  CurrentCompound.Cmpdescr = "not this compound";
  w.cmdPrint_Click();
  const auto report = Lines(testsupport::ReadFile("1-report.txt"));
  auto line = [&](const std::string& label) {
    for (const auto& l : report)
      if (l.rfind(label, 0) == 0) return l;
    return std::string();
  };
  EXPECT_EQ(line("Description "), "Description " + std::string(37, ' ') + " : " + estuary1);
  EXPECT_EQ(line("Compound ").find("not this compound"), std::string::npos);
  const size_t quantities = BioaccumulationApplies(kow) ? 10 : 5;
  const auto data = Lines(testsupport::ReadFile("1-data.txt"));
  EXPECT_EQ(data.size(), 5 + quantities * 51 + (quantities == 10 ? 50 : 0));
  // A header chosen now names the compound of the run shown.
  w.OptGraph[1]->setChecked(true);
  EXPECT_EQ(w.lblHeader->text().toStdString().find("not this compound"), std::string::npos);
}

TEST_F(ResultWindowTest, WithoutADesktopEditorTheReportShowsInAWindowOfItsOwnAndEveryStepRuns) {
  ui::SetUrlOpener([this](const QUrl& url) {
    opened.push_back(url.toLocalFile().toStdString());
    return false;  // no desktop application starts
  });
  frmResult& w = Open();
  w.cmdPrint_Click();
  ui::TextWindow* viewer = ui::FindTextWindow("1-report.txt");
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isReadOnly());
  const QFontMetrics metrics(viewer->font());
  EXPECT_EQ(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("MMMM"));  // fixed width
  EXPECT_EQ(viewer->windowTitle().toStdString(), (std::filesystem::current_path() / "1-report.txt").string());
  EXPECT_EQ(viewer->toPlainText().toStdString().rfind("Report file TULMO model\n", 0), 0u);
  for (const auto& b : boxes.boxes()) ADD_FAILURE() << b.prompt;
  for (const char* f : {"1.shx", "1.shp", "1.dbf", "1-data.txt"}) EXPECT_TRUE(std::filesystem::exists(f)) << f;

  // A second report refreshes the same window; a missing layer file is reported, and the data
  // file is still written.
  std::filesystem::remove("1-data.txt");
  std::filesystem::remove("map.dbf");
  w.cmdPrint_Click();
  EXPECT_EQ(ui::FindTextWindow("1-report.txt"), viewer);
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_NE(boxes.boxes()[0].prompt.find("'frmResult' at procedure 'cmdPrint_Click'"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists("1-data.txt"));
  viewer->close();
}

namespace {
// The result map with one value of cell 0 replaced.
std::string MapWithCell0(int quantity, float value) {
  std::string map = MapFile();
  std::memcpy(&map[160 + 8 + 220 + 4 + 4 * quantity], &value, 4);
  return map;
}
}  // namespace

TEST_F(ResultWindowTest, ARefusedLayerIsReportedAndLeavesAnEmptyMap) {
  struct Case {
    const char* what;
    std::function<void()> arrange;
    int code;
    const char* says;
  } cases[] = {
      // The library cannot make the shape file: a folder holds its name.
      {"create", [] { std::filesystem::create_directories("Map.shp/keep"); }, 201, "SHAPEFILECREATE"},
      // A total concentration whose whole part is wider than its field would read as another number.
      {"write", [] { testsupport::WriteFile("1.map", MapWithCell0(1, 1e25f)); }, 504, "A value of field TOT1"},
  };
  frmResult& w = Open();
  for (const Case& c : cases) {
    c.arrange();
    boxes.Clear();
    w.lvRun_Click();
    ASSERT_EQ(boxes.boxes().size(), 1u) << c.what;
    const std::string& prompt = boxes.boxes()[0].prompt;
    EXPECT_NE(prompt.find("'frmResult' at procedure 'CreateShape'"), std::string::npos) << prompt;
    EXPECT_NE(prompt.find("Error Number: " + std::to_string(c.code)), std::string::npos) << prompt;
    EXPECT_NE(prompt.find(c.says), std::string::npos) << prompt;
    EXPECT_EQ(w.Map1->Layers().Count(), 0) << c.what;
    for (const char* f : {"map.shx", "map.dbf", "Map.shx", "Map.dbf"}) EXPECT_FALSE(std::filesystem::exists(f)) << f;
    EXPECT_FALSE(w.LabelCaption("lbl95Sal").empty());  // the statistics of the run still show
    std::filesystem::remove_all("Map.shp");
    testsupport::WriteFile("1.map", MapFile());
  }
  w.lvRun_Click();
  EXPECT_EQ(w.Map1->Layers().Count(), 1);
}

TEST_F(ResultWindowTest, AValueTooLargeForItsDecimalsKeepsTheLayerAndIsToldOnce) {
  // 1E15 and 1E19 keep their whole part in a field of width 20 and lose only decimals.
  testsupport::WriteFile("1.map", MapWithCell0(1, 1e15f));
  {
    std::string map = testsupport::ReadFile("1.map");
    const float v = 1e19f;
    std::memcpy(&map[160 + 8 + 220 + 4 + 4 * 11 + 4 * 2], &v, 4);  // cell 1, DISS
    testsupport::WriteFile("1.map", map);
  }
  frmResult& w = Open();
  ASSERT_EQ(boxes.boxes().size(), 1u);
  EXPECT_EQ(boxes.boxes()[0].prompt,
            "Some values of fields TOT1, DISS are too large for all their decimals; the result layer holds them with "
            "fewer decimals.");
  EXPECT_EQ(boxes.boxes()[0].style & ui::vbInformation, ui::vbInformation);
  EXPECT_EQ(w.Map1->Layers().Count(), 1);
  DBFHandle dbf = DBFOpen("map", "rb");
  ASSERT_NE(dbf, nullptr);
  EXPECT_EQ(DBFGetRecordCount(dbf), 500);
  EXPECT_DOUBLE_EQ(DBFReadDoubleAttribute(dbf, 0, 1), static_cast<double>(1e15f));
  EXPECT_DOUBLE_EQ(DBFReadDoubleAttribute(dbf, 1, 2), static_cast<double>(1e19f));
  EXPECT_NEAR(DBFReadDoubleAttribute(dbf, 2, 1), Value(1, 2), 1e-6);  // the other values keep every decimal
  DBFClose(dbf);
  // The map of the field shows, and the layer is exported.
  w.OptGraph[11]->setChecked(true);
  EXPECT_EQ(w.FrontDisplay(), w.Map1);
  ASSERT_TRUE(w.Map1->Layers().Item(0)->Renderer());
  EXPECT_EQ(w.Map1->Layers().Item(0)->Renderer()->Field(), "TOT1");
  w.cmdExport_Click();
  EXPECT_EQ(boxes.boxes().back().prompt.rfind("Data exported to GIS files 1.dbf", 0), 0u);
  EXPECT_EQ(boxes.boxes().size(), 2u);
}

TEST_F(ResultWindowTest, TheReportNamesOnlyTheShapeFilesThatWereWritten) {
  frmResult& w = Open();
  auto shapeLines = [] {
    std::vector<std::string> out;
    const auto lines = Lines(testsupport::ReadFile("1-report.txt"));
    for (size_t i = 0; i < lines.size(); ++i)
      if (lines[i].rfind("Results are", 0) == 0) {
        out.push_back(lines[i]);
        for (size_t j = i + 1; j < lines.size() && lines[j].rfind("   1.", 0) == 0; ++j) out.push_back(lines[j]);
      }
    return out;
  };
  w.cmdPrint_Click();
  EXPECT_EQ(shapeLines(), (std::vector<std::string>{"Results are available as GIS shape files:", "   1.shp", "   1.shx",
                                                    "   1.dbf"}));
  std::filesystem::remove("map.dbf");
  std::filesystem::remove("1.dbf");
  w.cmdPrint_Click();
  EXPECT_EQ(shapeLines(), (std::vector<std::string>{"Results are available as GIS shape files:", "   1.shp", "   1.shx"}));
  EXPECT_FALSE(std::filesystem::exists("1.dbf"));

  // A refused layer leaves no layer to copy: the report says so and names none.
  std::filesystem::create_directories("Map.shp/keep");
  w.lvRun_Click();
  std::filesystem::remove_all("Map.shp");
  ASSERT_EQ(w.Map1->Layers().Count(), 0);
  boxes.Clear();
  w.cmdPrint_Click();
  EXPECT_EQ(shapeLines(), (std::vector<std::string>{"Results are not available as GIS shape files."}));
  ASSERT_EQ(boxes.boxes().size(), 1u);  // the missing layer file, after the report shows
  EXPECT_NE(boxes.boxes()[0].prompt.find("'cmdPrint_Click'"), std::string::npos);
  EXPECT_TRUE(std::filesystem::exists("1-data.txt"));
}

TEST_F(ResultWindowTest, ARefusedClassCountLeftInTheBoxGivesANewRunItsOwnMapAndLegend) {
  db.Raw("INSERT INTO Run (RunDescription, CorvixID, EnvirID, CompoundID, EmisID) VALUES ('second run', 1, 1, 1, 1)");
  testsupport::WriteFile("2.map", MapFile());
  frmResult& w = Open();
  ASSERT_EQ(w.ShownRunID(), 2);
  w.OptGraph[11]->setChecked(true);
  for (const char* accepted : {"10", "5"}) {
    w.txtClasses->setText(accepted);
    SendKey(w.txtClasses, Qt::Key_Return);  // the map, coloured with the accepted count
    const int breaks = std::stoi(accepted) - 1;
    ASSERT_EQ(w.Map1->Layers().Item(0)->Renderer()->BreakCount(), breaks);
    w.txtClasses->setText("abc");
    SendKey(w.txtClasses, Qt::Key_Return);  // refused: the map stays as it was
    boxes.Clear();
    const int other = w.ShownRunID() == 2 ? 1 : 2;
    w.lvRun->SetSelectedItem(w.lvRun->Item(other));
    EXPECT_EQ(w.ShownRunID(), other) << accepted;
    for (const auto& b : boxes.boxes()) ADD_FAILURE() << b.prompt;
    ASSERT_EQ(w.Map1->Layers().Count(), 1) << accepted;
    auto renderer = w.Map1->Layers().Item(0)->Renderer();
    ASSERT_TRUE(renderer) << accepted;
    EXPECT_EQ(renderer->Field(), "TOT1");
    EXPECT_EQ(renderer->BreakCount(), breaks);
    EXPECT_EQ(w.txtClasses->text().toStdString(), accepted);
    EXPECT_EQ(w.FrontDisplay(), w.Map1);
    EXPECT_TRUE(w.OptGraph[11]->isChecked());
  }
}

TEST_F(ResultWindowTest, AfterASelectionTheChartShownIsTheTickedOptionOfThePanelInFront) {
  frmResult& w = Open();
  const std::string name = CurrentCompound.Cmpdescr;
  w.cmdBiota_Click();  // zooplankton graph
  w.cmdAbiotic_Click();
  w.OptGraph[11]->setChecked(true);  // the abiotic panel: total concentration map
  ASSERT_EQ(w.CheckedOption(true), 5);
  w.lvRun_Click();
  EXPECT_EQ(w.CheckedOption(false), 11);
  EXPECT_EQ(w.FrontDisplay(), w.Map1);
  EXPECT_EQ(w.Map1->Layers().Item(0)->Renderer()->Field(), "TOT1");
  EXPECT_EQ(w.lblHeader->text().toStdString(), name + " total conc.");
  // The biota panel in front again: its own option shows after a selection.
  w.cmdBiota_Click();
  w.OptGraph[17]->setChecked(true);
  w.lvRun_Click();
  EXPECT_EQ(w.Map1->Layers().Item(0)->Renderer()->Field(), "ROUN");
  EXPECT_EQ(w.lblHeader->text().toStdString(), name + " conc. in round fish");
}
