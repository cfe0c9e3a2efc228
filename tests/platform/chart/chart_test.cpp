#include <gtest/gtest.h>

#include <QCategoryAxis>
#include <QCoreApplication>
#include <QChartView>
#include <QLineSeries>

#include "platform/chart/MSChart.h"
#include "runtime/VbError.h"

TEST(MSChart, CurrentCellCarriesLabelsAndValuesAndResizingKeepsThem) {
  chart::MSChart c("MSChart0");
  c.SetRowCount(50);
  c.SetColumnCount(3);
  c.SetRow(2);
  c.SetRowLabel("1.6");
  c.SetColumn(3);
  c.SetColumnLabel("South bank");
  c.SetData("1.25E-03");
  EXPECT_EQ(c.RowLabelAt(2), "1.6");
  EXPECT_EQ(c.ColumnLabelAt(3), "South bank");
  EXPECT_DOUBLE_EQ(c.ValueAt(2, 3), 0.00125);
  EXPECT_EQ(c.Data(), "0.00125");
  c.SetData("not a number");
  EXPECT_EQ(c.ValueAt(2, 3), 0);
  c.SetData("1.5");
  c.SetRowCount(10);  // shrinking keeps what stays inside
  EXPECT_DOUBLE_EQ(c.ValueAt(2, 3), 1.5);
  for (int bad : {0, 11}) EXPECT_THROW(c.SetRow(bad), vb::VbError) << bad;
  EXPECT_THROW(c.SetColumn(4), vb::VbError);

  c.Rebuild();
  auto series = c.View()->chart()->series();
  ASSERT_EQ(series.size(), 3);
  EXPECT_EQ(series[2]->name(), "South bank");
  auto* line = qobject_cast<QLineSeries*>(series[2]);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->count(), 10);
  EXPECT_DOUBLE_EQ(line->at(1).y(), 1.5);
}

TEST(MSChart, EveryTenthRowIsLabelledAndTheTitleKeepsItsEnds) {
  chart::MSChart c("MSChart0");
  c.resize(650, 180);
  c.SetRowCount(50);
  c.SetColumnCount(3);
  for (int r = 1; r <= 50; ++r) {
    c.SetRow(r);
    c.SetRowLabel(std::to_string(r * 8 / 10) + "." + std::to_string(r * 8 % 10));
  }
  const std::string title = "Sea" + std::string(57, ' ') + "(km from mouth)" + std::string(66, ' ') + "River";
  c.SetXAxisTitle(title);
  c.Rebuild();
  c.Rebuild();  // the axes are kept, not stacked
  const auto axes = c.View()->chart()->axes(Qt::Horizontal);
  ASSERT_EQ(axes.size(), 1);
  EXPECT_EQ(c.View()->chart()->axes().size(), 2);
  auto* x = qobject_cast<QCategoryAxis*>(axes[0]);
  ASSERT_NE(x, nullptr);
  EXPECT_EQ(x->categoriesLabels(), (QStringList{"8.0", "16.0", "24.0", "32.0", "40.0"}));
  const QString shown = x->titleText();
  EXPECT_TRUE(shown.startsWith("Sea")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("River")) << shown.toStdString();
  EXPECT_FALSE(shown.contains(' '));  // a plain blank run would fold into one
  EXPECT_EQ(c.XAxisTitle(), title);
}

// A chart behind others is not laid out at every change; it is drawn once it is shown.
TEST(MSChart, AHiddenChartIsDrawnWhenItIsShown) {
  QWidget window;
  window.resize(700, 200);
  auto* c = new chart::MSChart("MSChart1", &window);
  c->resize(650, 180);
  window.show();
  c->hide();
  c->SetRowCount(5);
  c->SetColumnCount(2);
  c->SetData("3");
  QCoreApplication::processEvents();
  EXPECT_TRUE(c->View()->chart()->series().isEmpty());
  c->show();
  ASSERT_EQ(c->View()->chart()->series().size(), 2);
  EXPECT_DOUBLE_EQ(qobject_cast<QLineSeries*>(c->View()->chart()->series()[0])->at(0).y(), 3);
  // Shown, it follows its changes on the next turn of the event loop.
  c->SetColumnCount(3);
  QCoreApplication::processEvents();
  EXPECT_EQ(c->View()->chart()->series().size(), 3);
}
