#include "platform/chart/MSChart.h"

#include <QBarCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "runtime/Variant.h"
#include "runtime/VbError.h"

namespace chart {

namespace {
constexpr int kInvalidPropertyValue = 380;
// North bank, centre, south bank and any further column.
const QColor kColumnColors[] = {QColor(0, 0, 192), QColor(0, 160, 0), QColor(192, 0, 0), QColor(128, 128, 0)};
}  // namespace

MSChart::MSChart(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new QChartView(this);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->chart()->legend()->setAlignment(Qt::AlignRight);
  view_->chart()->setMargins(QMargins(2, 2, 2, 2));
  layout->addWidget(view_);
  setAutoFillBackground(true);
}

void MSChart::SetRowCount(int rows) {
  if (rows < 0) vb::Raise(kInvalidPropertyValue);
  rowLabels_.resize(static_cast<size_t>(rows));
  values_.resize(static_cast<size_t>(rows), std::vector<double>(columnLabels_.size(), 0.0));
  row_ = std::clamp(row_, 1, std::max(rows, 1));
  Changed();
}

void MSChart::SetColumnCount(int columns) {
  if (columns < 0) vb::Raise(kInvalidPropertyValue);
  columnLabels_.resize(static_cast<size_t>(columns));
  for (auto& r : values_) r.resize(static_cast<size_t>(columns), 0.0);
  column_ = std::clamp(column_, 1, std::max(columns, 1));
  Changed();
}

void MSChart::CheckRow(int row) const {
  if (row < 1 || row > RowCount()) vb::Raise(kInvalidPropertyValue);
}
void MSChart::CheckColumn(int column) const {
  if (column < 1 || column > ColumnCount()) vb::Raise(kInvalidPropertyValue);
}

void MSChart::SetRow(int row) {
  CheckRow(row);
  row_ = row;
}
void MSChart::SetColumn(int column) {
  CheckColumn(column);
  column_ = column;
}

std::string MSChart::RowLabel() const { return RowLabelAt(row_); }
void MSChart::SetRowLabel(const std::string& label) {
  CheckRow(row_);
  rowLabels_[static_cast<size_t>(row_ - 1)] = label;
  Changed();
}
std::string MSChart::ColumnLabel() const { return ColumnLabelAt(column_); }
void MSChart::SetColumnLabel(const std::string& label) {
  CheckColumn(column_);
  columnLabels_[static_cast<size_t>(column_ - 1)] = label;
  Changed();
}

std::string MSChart::Data() const { return vb::DoubleText(ValueAt(row_, column_)); }
void MSChart::SetData(const std::string& value) {
  CheckRow(row_);
  CheckColumn(column_);
  double v = 0;
  if (!vb::ParseNumber(value, v) || !std::isfinite(v)) v = 0;
  values_[static_cast<size_t>(row_ - 1)][static_cast<size_t>(column_ - 1)] = v;
  Changed();
}

void MSChart::SetXAxisTitle(const std::string& title) {
  xTitle_ = title;
  Changed();
}

double MSChart::ValueAt(int row, int column) const {
  CheckRow(row);
  CheckColumn(column);
  return values_[static_cast<size_t>(row - 1)][static_cast<size_t>(column - 1)];
}
std::string MSChart::RowLabelAt(int row) const {
  CheckRow(row);
  return rowLabels_[static_cast<size_t>(row - 1)];
}
std::string MSChart::ColumnLabelAt(int column) const {
  CheckColumn(column);
  return columnLabels_[static_cast<size_t>(column - 1)];
}

void MSChart::Changed() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (pending_) Rebuild();
  });
}

void MSChart::Rebuild() {
  pending_ = false;
  QChart* c = view_->chart();
  c->removeAllSeries();
  for (QAbstractAxis* axis : c->axes()) {
    c->removeAxis(axis);
    delete axis;
  }
  auto* x = new QBarCategoryAxis();
  QStringList categories;
  for (size_t i = 0; i < rowLabels_.size(); ++i) {
    // Category names must differ; an unlabelled row gets its number.
    QString text = QString::fromStdString(rowLabels_[i]);
    if (text.isEmpty() || categories.contains(text)) text = QString("%1.").arg(i + 1);
    categories << text;
  }
  x->append(categories);
  x->setTitleText(QString::fromStdString(xTitle_));
  // Horizontal labels turn only when they would not fit otherwise.
  x->setLabelsAngle(!xLabel_.Auto && xLabel_.TextLayout.Orientation == 0 ? 0 : -90);
  QFont small = x->labelsFont();
  small.setPointSizeF(6.5);
  x->setLabelsFont(small);
  auto* y = new QValueAxis();
  y->setLabelFormat("%.3g");
  y->setLabelsFont(small);
  c->addAxis(x, Qt::AlignBottom);
  c->addAxis(y, Qt::AlignLeft);
  double lo = std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::lowest();
  for (size_t col = 0; col < columnLabels_.size(); ++col) {
    auto* s = new QLineSeries();
    s->setName(QString::fromStdString(columnLabels_[col]));
    s->setPen(QPen(kColumnColors[std::min<size_t>(col, 3)], 1.5));
    for (size_t r = 0; r < values_.size(); ++r) {
      double v = values_[r][col];
      s->append(static_cast<double>(r), v);
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    c->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
  }
  if (lo <= hi) {
    if (lo == hi) {
      lo -= 1;
      hi += 1;
    }
    y->setRange(lo, hi);
  }
}

}  // namespace chart
