#include "platform/map/Map.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "platform/map/Colors.h"
#include "platform/ui/Twips.h"
#include "runtime/VbError.h"

namespace mapctl {

namespace {

int ButtonCode(Qt::MouseButtons buttons) {
  return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
         (buttons & Qt::MiddleButton ? 4 : 0);
}

int ShiftCode(Qt::KeyboardModifiers mods) {
  return (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
         (mods & Qt::AltModifier ? 4 : 0);
}

// A magnifier with a plus or a minus, hot spot in the lens centre.
QCursor MagnifierCursor(bool plus) {
  QPixmap pm(32, 32);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 4));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.setPen(QPen(Qt::black, 2));
  p.drawEllipse(QPointF(12, 12), 8, 8);
  p.drawLine(QPointF(18, 18), QPointF(28, 28));
  p.drawLine(QPointF(8, 12), QPointF(16, 12));
  if (plus) p.drawLine(QPointF(12, 8), QPointF(12, 16));
  p.end();
  return QCursor(pm, 12, 12);
}

bool Finite(const Rectangle& r) {
  return std::isfinite(r.Left) && std::isfinite(r.Right) && std::isfinite(r.Top) && std::isfinite(r.Bottom);
}

}  // namespace

std::shared_ptr<MapLayer> LayerCollection::Item(int index) const {
  if (index < 0 || index >= Count()) vb::Raise(9, "Map");
  return items_[static_cast<size_t>(index)];
}

bool LayerCollection::Add(std::shared_ptr<MapLayer> layer) {
  if (!layer || !layer->Valid()) return false;
  bool first = items_.empty();
  items_.insert(items_.begin(), std::move(layer));
  owner_.LayersChanged(first);
  return true;
}

void LayerCollection::Remove(int index) {
  if (index < 0 || index >= Count()) vb::Raise(9, "Map");
  items_.erase(items_.begin() + index);
  owner_.LayersChanged(false);
}

void LayerCollection::Clear() {
  items_.clear();
  owner_.LayersChanged(false);
}

Map::Map(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

Map::~Map() {
  if (loop_) loop_->quit();
}

void Map::LayersChanged(bool firstLayer) {
  if (firstLayer) requested_ = FullExtent();
  update();
}

Rectangle Map::FullExtent() const {
  Rectangle all{0, -1, -1, 0};
  for (const auto& layer : layers_.items_) all = all.United(layer->Extent());
  return all;
}

double Map::UnitsPerPixel() const {
  if (requested_.IsNull()) return 1.0;
  double w = std::max(QWidget::width(), 1), h = std::max(QWidget::height(), 1);
  double rw = requested_.Width(), rh = requested_.Height();
  if (rw <= 0 && rh <= 0) rw = rh = 1.0;  // a single point: one map unit around it
  return std::max(rw / w, rh / h);
}

Rectangle Map::Extent() const {
  if (requested_.IsNull()) return requested_;
  double scale = UnitsPerPixel();
  Point c = requested_.Center();
  double hw = std::max(QWidget::width(), 1) * scale / 2, hh = std::max(QWidget::height(), 1) * scale / 2;
  return {c.X - hw, c.Y + hh, c.X + hw, c.Y - hh};
}

void Map::SetExtent(const Rectangle& extent) {
  if (extent.IsNull() || !Finite(extent)) return;
  requested_ = extent;
  Refresh();
}

void Map::Refresh() {
  if (isVisible() && !painting_)
    repaint();
  else
    update();
}

Point Map::ToMapPoint(double x, double y) const {
  Rectangle v = Extent();
  double scale = UnitsPerPixel();
  if (v.IsNull()) v = {0, 0, 0, 0};
  return {v.Left + x / ui::kTwipsPerPixel * scale, v.Top - y / ui::kTwipsPerPixel * scale};
}

double Map::ToMapDistance(double distance) const { return distance / ui::kTwipsPerPixel * UnitsPerPixel(); }

Point Map::FromMapPoint(const Point& point) const {
  Rectangle v = Extent();
  double scale = UnitsPerPixel();
  if (v.IsNull()) v = {0, 0, 0, 0};
  return {(point.X - v.Left) / scale * ui::kTwipsPerPixel, (v.Top - point.Y) / scale * ui::kTwipsPerPixel};
}

double Map::FromMapDistance(double distance) const { return distance / UnitsPerPixel() * ui::kTwipsPerPixel; }

void Map::SetMousePointer(int code) {
  pointer_ = code;
  switch (code) {
    case kPointerHourglass: setCursor(Qt::WaitCursor); break;
    case kPointerZoomIn: setCursor(MagnifierCursor(true)); break;
    case kPointerZoomOut: setCursor(MagnifierCursor(false)); break;
    case kPointerPan: setCursor(Qt::OpenHandCursor); break;
    default: unsetCursor(); break;
  }
}

void Map::SetBackColor(uint32_t bgr) {
  back_ = bgr;
  update();
}

double Map::Left() const { return ui::ToTwips(x()); }
double Map::Top() const { return ui::ToTwips(y()); }
double Map::Width() const { return ui::ToTwips(QWidget::width()); }
double Map::Height() const { return ui::ToTwips(QWidget::height()); }

QPointF Map::ToPixel(const Point& p, const Rectangle& visible, double scale) const {
  return {(p.X - visible.Left) / scale, (visible.Top - p.Y) / scale};
}

void Map::DrawLayer(QPainter& painter, const MapLayer& layer, const Rectangle& visible, double scale) const {
  for (int i = 0; i < layer.FeatureCount(); ++i) {
    const Feature& f = layer.FeatureAt(i);
    if (f.Parts.empty() || f.Bounds.Right < visible.Left || f.Bounds.Left > visible.Right ||
        f.Bounds.Top < visible.Bottom || f.Bounds.Bottom > visible.Top)
      continue;
    const Symbol& s = layer.SymbolFor(i);
    QColor fill = ColorFromBGR(s.Color);
    QPen outline = s.Outline ? QPen(ColorFromBGR(s.OutlineColor), 0) : QPen(Qt::NoPen);
    switch (layer.ShapeType()) {
      case kShapeTypePolygon: {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        for (const Ring& ring : f.Parts) {
          QPolygonF poly;
          for (const Point& p : ring) poly << ToPixel(p, visible, scale);
          path.addPolygon(poly);
          path.closeSubpath();
        }
        painter.setPen(outline);
        painter.setBrush(fill);
        painter.drawPath(path);
        break;
      }
      case kShapeTypeLine:
        painter.setPen(QPen(fill, std::max(s.Size, 1)));
        for (const Ring& ring : f.Parts) {
          QPolygonF poly;
          for (const Point& p : ring) poly << ToPixel(p, visible, scale);
          painter.drawPolyline(poly);
        }
        break;
      default: {
        double r = 3.0 * std::max(s.Size, 1);
        painter.setPen(outline);
        painter.setBrush(fill);
        for (const Ring& ring : f.Parts) painter.drawEllipse(ToPixel(ring.front(), visible, scale), r, r);
        break;
      }
    }
  }
}

void Map::DrawLayers(QPainter& painter, bool notify) {
  painter.fillRect(rect(), ColorFromBGR(back_));
  Rectangle visible = Extent();
  double scale = UnitsPerPixel();
  for (int i = layers_.Count() - 1; i >= 0; --i) {
    if (notify) emit BeforeLayerDraw(i);
    if (i >= layers_.Count()) continue;  // a handler removed layers
    const MapLayer& layer = *layers_.items_[static_cast<size_t>(i)];
    if (layer.Visible() && !visible.IsNull()) DrawLayer(painter, layer, visible, scale);
    if (notify) emit AfterLayerDraw(i, false);
  }
}

void Map::paintEvent(QPaintEvent*) {
  painting_ = true;
  QPainter painter(this);
  if (mode_ == Mode::Panning) {
    painter.fillRect(rect(), ColorFromBGR(back_));
    painter.drawPixmap(dragTo_ - pressAt_, panImage_);
  } else {
    DrawLayers(painter, true);
    if (mode_ == Mode::Tracking) {
      painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
      painter.setBrush(Qt::NoBrush);
      painter.drawRect(QRect(pressAt_, dragTo_).normalized());
    }
  }
  painting_ = false;
}

void Map::mousePressEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  pressed_ = true;
  pressAt_ = dragTo_ = at;
  if (mode_ != Mode::Idle) return;
  emit MouseDown(ButtonCode(event->button()), ShiftCode(event->modifiers()), ui::ToTwips(at.x()),
                 ui::ToTwips(at.y()));
}

void Map::mouseMoveEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  if (mode_ != Mode::Idle) {
    dragTo_ = at;
    update();
    return;
  }
  emit MouseMove(ButtonCode(event->buttons()), ShiftCode(event->modifiers()), ui::ToTwips(at.x()),
                 ui::ToTwips(at.y()));
}

void Map::mouseReleaseEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  pressed_ = false;
  if (mode_ != Mode::Idle) {
    dragTo_ = at;
    EndInteraction();
    return;
  }
  emit MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()), ui::ToTwips(at.x()),
               ui::ToTwips(at.y()));
}

void Map::keyPressEvent(QKeyEvent* event) {
  if (mode_ != Mode::Idle && event->key() == Qt::Key_Escape) {
    canceled_ = true;
    EndInteraction();
    return;
  }
  QWidget::keyPressEvent(event);
}

void Map::hideEvent(QHideEvent* event) {
  if (mode_ != Mode::Idle) {
    canceled_ = true;
    EndInteraction();
  }
  QWidget::hideEvent(event);
}

void Map::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (mode_ == Mode::Idle) emit MouseLeave();
}

void Map::EndInteraction() {
  if (loop_) loop_->quit();
}

// Runs a nested event loop until the button goes up, so that a MouseDown handler can call
// TrackRectangle or Pan and act on the outcome when it returns, as the forms expect.
void Map::RunInteraction(Mode mode) {
  mode_ = mode;
  canceled_ = false;
  QPointer<Map> alive(this);
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  if (!alive) return;
  loop_ = nullptr;
  mode_ = Mode::Idle;
}

std::optional<Rectangle> Map::TrackRectangle() {
  if (!pressed_ || mode_ != Mode::Idle) return std::nullopt;
  QPointer<Map> alive(this);
  RunInteraction(Mode::Tracking);
  if (!alive) return std::nullopt;
  update();
  QPoint d = dragTo_ - pressAt_;
  if (canceled_ || (std::abs(d.x()) < 2 && std::abs(d.y()) < 2)) return std::nullopt;
  Point a = ToMapPoint(ui::ToTwips(pressAt_.x()), ui::ToTwips(pressAt_.y()));
  Point b = ToMapPoint(ui::ToTwips(dragTo_.x()), ui::ToTwips(dragTo_.y()));
  return Rectangle::FromCorners(a, b);
}

void Map::Pan() {
  if (!pressed_ || mode_ != Mode::Idle) return;
  panImage_ = QPixmap(size());
  {
    QPainter painter(&panImage_);
    DrawLayers(painter, false);
  }
  QCursor before = cursor();
  setCursor(Qt::ClosedHandCursor);
  QPointer<Map> alive(this);
  RunInteraction(Mode::Panning);
  if (!alive) return;
  setCursor(before);
  panImage_ = QPixmap();
  QPoint d = dragTo_ - pressAt_;
  if (canceled_ || d.isNull() || requested_.IsNull()) {
    update();
    return;
  }
  double scale = UnitsPerPixel();
  Rectangle moved = Extent();
  moved.Offset(-d.x() * scale, d.y() * scale);
  SetExtent(moved);
}

}  // namespace mapctl
