#include "platform/map/Legend.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/map/Colors.h"
#include "platform/map/Map.h"
#include "runtime/Format.h"

namespace mapctl {

namespace {

constexpr int kMargin = 4;
constexpr int kBox = 12;
constexpr int kIndent = 8;
constexpr int kSwatchWidth = 16;
constexpr int kMinRowHeight = 11;

// Class bounds in the form of the window's figures, 0.00E+00; whole numbers below 1000 (the
// salinity classes, a bound of 0) stay plain.
QString NumberText(double v) {
  if (!std::isfinite(v)) return "-";
  if (v == std::round(v) && std::fabs(v) < 1000) return QString::number(static_cast<int>(v));
  return QString::fromStdString(vb::Format(v, "0.00E+00"));
}

}  // namespace

Legend::Legend(QWidget* parent) : QWidget(parent), bar_(new QScrollBar(Qt::Vertical, this)) {
  bar_->hide();
  connect(bar_, &QScrollBar::valueChanged, this, [this](int value) {
    scroll_ = value;
    update();
  });
}

void Legend::UpdateScrollBar() {
  int total = static_cast<int>(entries_.size()) * RowHeight() + 2 * kMargin;
  int excess = std::max(0, total - height());
  int w = bar_->sizeHint().width();
  bar_->setGeometry(width() - w, 0, w, height());
  bar_->setRange(0, excess);
  bar_->setPageStep(std::max(1, height()));
  bar_->setSingleStep(RowHeight());
  bar_->setVisible(excess > 0);
  scroll_ = bar_->value();
}

void Legend::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateScrollBar();
}

void Legend::SetMapSource(Map* map) {
  map_ = map;
  Refresh(expanded_);
}

void Legend::SetBackColor(uint32_t bgr) {
  back_ = bgr;
  update();
}

QString Legend::RangeText(const ClassBreaksRenderer& renderer, int index, const double* minimum,
                          const double* maximum) {
  int last = renderer.ClassCount() - 1;
  double low = index > 0 ? renderer.Break(index - 1) : (minimum ? *minimum : 0);
  double high = index < last ? renderer.Break(index) : (maximum ? *maximum : 0);
  // An outer class whose data lie beyond its break is shown open rather than as "4 - 3".
  bool hasLow = index > 0 || (minimum && (index == last || *minimum < high));
  bool hasHigh = index < last || (maximum && (index == 0 || *maximum > low));
  if (hasLow && hasHigh) return NumberText(low) + " - " + NumberText(high);
  if (hasHigh) return "<= " + NumberText(high);
  if (hasLow) return "> " + NumberText(low);
  return "all values";
}

void Legend::Refresh(bool expanded) {
  expanded_ = expanded;
  entries_.clear();
  if (map_) {
    const LayerCollection& layers = map_->Layers();
    for (int i = 0; i < layers.Count(); ++i) {
      auto layer = layers.Item(i);
      entries_.push_back({i, true, layer->Visible(), QString::fromStdString(layer->Name()), layer->DefaultSymbol()});
      if (!expanded) continue;
      const auto& renderer = layer->Renderer();
      if (!renderer) {
        entries_.push_back({i, false, true, QString(), layer->DefaultSymbol()});
        continue;
      }
      std::optional<double> lo, hi;
      for (int f = 0; f < layer->FeatureCount(); ++f) {
        vb::Variant v = layer->Value(f, renderer->Field());
        if (v.IsNull() || v.IsString()) continue;
        double d = vb::CDbl(v);
        lo = lo ? std::min(*lo, d) : d;
        hi = hi ? std::max(*hi, d) : d;
      }
      for (int k = 0; k < renderer->ClassCount(); ++k)
        entries_.push_back({i, false, true, RangeText(*renderer, k, lo ? &*lo : nullptr, hi ? &*hi : nullptr),
                            renderer->ClassSymbol(k)});
    }
  }
  UpdateScrollBar();
  update();
}

void Legend::SetLayerVisible(int layer, bool visible) {
  if (!map_ || layer < 0 || layer >= map_->Layers().Count()) return;
  map_->Layers().Item(layer)->SetVisible(visible);
  for (Entry& e : entries_)
    if (e.Header && e.Layer == layer) e.Checked = visible;
  update();
  emit LayerVisibleChanged(layer, visible);
}

// Rows close up, down to a readable height, so that every class shows without scrolling; only
// when they would be smaller still does the scroll bar come.
int Legend::RowHeight() const {
  const int natural = std::max(fontMetrics().height(), kBox) + 4;
  const int rows = static_cast<int>(entries_.size());
  if (rows == 0 || rows * natural + 2 * kMargin <= height()) return natural;
  return std::max(kMinRowHeight, (height() - 2 * kMargin) / rows);
}

void Legend::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ColorFromBGR(back_));
  int h = RowHeight();
  int y = kMargin - scroll_;
  for (const Entry& e : entries_) {
    int right = bar_->isHidden() ? width() : bar_->x();
    QRect row(kMargin, y, right - 2 * kMargin, h);
    y += h;
    if (row.bottom() < 0 || row.top() > height()) continue;
    int mid = row.center().y();
    const int boxSize = std::min(kBox, h - 2);
    if (e.Header) {
      QRect box(row.left(), mid - boxSize / 2, boxSize, boxSize);
      p.setPen(palette().color(QPalette::Text));
      p.setBrush(palette().color(QPalette::Base));
      p.drawRect(box);
      if (e.Checked) {
        p.setPen(QPen(palette().color(QPalette::Text), 2));
        p.drawLine(box.left() + 2, mid, box.left() + boxSize / 2 - 1, box.bottom() - 2);
        p.drawLine(box.left() + boxSize / 2 - 1, box.bottom() - 2, box.right() - 2, box.top() + 2);
      }
      p.setPen(palette().color(QPalette::Text));
      DrawFitted(p, row.adjusted(boxSize + 6, 0, 0, 0), e.Text);
    } else {
      QRect swatch(row.left() + kIndent, mid - boxSize / 2, kSwatchWidth, boxSize);
      p.setPen(QPen(ColorFromBGR(e.Swatch.Outline ? e.Swatch.OutlineColor : e.Swatch.Color), 0));
      p.setBrush(ColorFromBGR(e.Swatch.Color));
      p.drawRect(swatch);
      p.setPen(palette().color(QPalette::Text));
      DrawFitted(p, row.adjusted(kIndent + kSwatchWidth + 6, 0, 0, 0), e.Text);
    }
  }
}

// Range texts of small numbers run long in the narrow legend: a text that does not fit is drawn
// smaller, down to a readable size, and only then cut; its tool tip keeps it whole.
void Legend::DrawFitted(QPainter& p, const QRect& box, const QString& text) const {
  QFont f = font();
  const double size = f.pointSizeF() > 0 ? f.pointSizeF() : 8.0;
  double scale = 1.0;
  const double need = QFontMetricsF(f).horizontalAdvance(text);
  if (need > box.width() && need > 0) scale = box.width() / need;
  // Rows closed up take a font that fits their height.
  const double high = QFontMetricsF(f).height();
  if (high > box.height() && high > 0) scale = std::min(scale, box.height() / high);
  if (scale < 1.0) f.setPointSizeF(std::max(6.0, size * scale));
  p.save();
  p.setFont(f);
  p.drawText(box, Qt::AlignVCenter | Qt::AlignLeft, QFontMetrics(f).elidedText(text, Qt::ElideRight, box.width()));
  p.restore();
}

bool Legend::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int row = (help->pos().y() + scroll_ - kMargin) / RowHeight();
    if (row >= 0 && row < static_cast<int>(entries_.size()))
      QToolTip::showText(help->globalPos(), entries_[static_cast<size_t>(row)].Text, this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

void Legend::mousePressEvent(QMouseEvent* event) {
  int h = RowHeight();
  int row = (static_cast<int>(event->position().y()) + scroll_ - kMargin) / h;
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  const Entry& e = entries_[static_cast<size_t>(row)];
  if (e.Header && event->position().x() < kMargin + kBox + 6) SetLayerVisible(e.Layer, !e.Checked);
}

void Legend::wheelEvent(QWheelEvent* event) { bar_->setValue(bar_->value() - event->angleDelta().y() / 4); }

}  // namespace mapctl
