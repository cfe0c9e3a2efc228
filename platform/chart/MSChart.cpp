#include "platform/chart/MSChart.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
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
constexpr int kMaxXLabels = 5;
// North bank, centre, south bank and any further column.
const QColor kColumnColors[] = {QColor(0, 0, 192), QColor(0, 160, 0), QColor(192, 0, 0), QColor(128, 128, 0)};
// Runs of blanks in a title place its words along the axis ("Sea" at one end, "River" at the
// other). Rich text would fold each run into one blank, so they become fixed blanks, shortened
// all alike until the title fits the width.
QString SpreadTitle(const QString& title, const QFontMetricsF& metrics, double width) {
  const QChar fixed(0x00A0);
  QString out = QString(title).replace(' ', fixed);
  for (double scale = 0.9; metrics.horizontalAdvance(out) > width && scale > 0.05; scale -= 0.05) {
    out.clear();
    int run = 0;
    for (int i = 0; i <= title.size(); ++i) {
      if (i < title.size() && title[i] == ' ') {
        ++run;
        continue;
      }
      if (run > 0) out += QString(std::max(1, static_cast<int>(run * scale)), fixed);
      run = 0;
      if (i < title.size()) out += title[i];
    }
  }
  return out;
}

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

void MSChart::SetTopMargin(int pixels) {
  QMargins m = view_->chart()->margins();
  m.setTop(pixels);
  view_->chart()->setMargins(m);
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

void MSChart::PlaceXTitle() {
  if (!x_) return;
  // The title spans the plot area, which the legend beside it narrows; a little is left over,
  // since the chart cuts a title that touches the area's ends.
  const QRectF plot = view_->chart()->plotArea();
  const double width = plot.width() > 0 ? plot.width() * 0.9 : view_->width() * 0.6;
  x_->setTitleText(SpreadTitle(QString::fromStdString(xTitle_), QFontMetricsF(x_->titleFont()), width));
}

void MSChart::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The plot area follows the new size only once the chart has laid itself out again.
  if (isVisible()) QTimer::singleShot(0, this, [this] { PlaceXTitle(); });
}

void MSChart::showEvent(QShowEvent* event) {
  // A hidden chart only notes its changes; it is drawn when it is shown.
  if (pending_) Rebuild();
  QWidget::showEvent(event);
  QTimer::singleShot(0, this, [this] { PlaceXTitle(); });
}

void MSChart::Changed() {
  if (pending_) return;
  pending_ = true;
  if (!isVisible()) return;
  QTimer::singleShot(0, this, [this] {
    if (pending_ && isVisible()) Rebuild();
  });
}

void MSChart::Rebuild() {
  pending_ = false;
  QChart* c = view_->chart();
  c->removeAllSeries();
  // The axes live as long as the chart: an axis deleted and made anew leaves its old title drawn.
  if (!x_) {
    x_ = new QCategoryAxis();
    x_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    y_ = new QValueAxis();
    // Ticks in the one scientific form of the window's figures, 0.00E+00.
    y_->setLabelFormat("%.2E");
    QFont small = x_->labelsFont();
    small.setPointSizeF(6.5);
    x_->setLabelsFont(small);
    y_->setLabelsFont(small);
    c->addAxis(x_, Qt::AlignBottom);
    c->addAxis(y_, Qt::AlignLeft);
  }
  QCategoryAxis* x = x_;
  QValueAxis* y = y_;
  for (const QString& label : x->categoriesLabels()) x->remove(label);
  // Fifty row labels side by side would each be cut to nothing, so every few rows is labelled,
  // the last one always.
  const int rows = RowCount();
  const int step = std::max(1, (rows + kMaxXLabels - 1) / kMaxXLabels);
  QStringList used;
  for (int r = 1; r <= rows; ++r) {
    if (r % step != 0 && r != rows) continue;
    // Category labels must differ; an unlabelled row gets its number.
    QString text = QString::fromStdString(rowLabels_[static_cast<size_t>(r - 1)]);
    if (text.isEmpty() || used.contains(text)) text = QString("%1.").arg(r);
    used << text;
    x->append(text, r - 1);
  }
  x->setRange(0, std::max(rows - 1, 1));
  PlaceXTitle();
  // Horizontal labels turn only when they would not fit otherwise.
  x->setLabelsAngle(!xLabel_.Auto && xLabel_.TextLayout.Orientation == 0 ? 0 : -90);
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
    y->applyNiceNumbers();  // ticks on round values
  }
}

}  // namespace chart
