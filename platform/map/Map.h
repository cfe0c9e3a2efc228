// The map control: draws its layers with QPainter in map units (y up), keeps the visible
// extent at the widget's aspect ratio, converts control positions (twips) to map units,
// tracks zoom rectangles and pans, and tells its form before and after each layer is drawn.
#pragma once
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/map/Geometry.h"
#include "platform/map/MapLayer.h"

class QEventLoop;

namespace mapctl {

class Map;

// Mouse pointer codes of the map.
constexpr int kPointerDefault = 0;
constexpr int kPointerHourglass = 11;
constexpr int kPointerZoomIn = 51;
constexpr int kPointerZoomOut = 52;
constexpr int kPointerPan = 53;

// The map's layers. Item 0 is drawn last, on top; a new layer goes in at position 0.
class LayerCollection {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises 9 for a position outside 0 .. Count() - 1.
  std::shared_ptr<MapLayer> Item(int index) const;
  // Adds a valid layer; a missing or invalid one is refused (false) and nothing changes.
  bool Add(std::shared_ptr<MapLayer> layer);
  void Remove(int index);
  void Clear();

 private:
  friend class Map;
  explicit LayerCollection(Map& owner) : owner_(owner) {}
  Map& owner_;
  std::vector<std::shared_ptr<MapLayer>> items_;
};

class Map : public QWidget {
  Q_OBJECT
  Q_PROPERTY(int MousePointer READ MousePointer WRITE SetMousePointer)

 public:
  explicit Map(QWidget* parent = nullptr);
  ~Map() override;

  LayerCollection& Layers() { return layers_; }
  const LayerCollection& Layers() const { return layers_; }

  // The visible extent: the extent last set, widened to the widget's aspect ratio about its
  // centre. Null while nothing was set and the map has no layer.
  Rectangle Extent() const;
  // Sets (and redraws) the visible extent; a null or non-finite rectangle is ignored.
  void SetExtent(const Rectangle& extent);
  // Union of the layers' extents; null for an empty map.
  Rectangle FullExtent() const;
  Q_INVOKABLE void Refresh();

  // Control positions and distances are in twips from the control's top left corner.
  Point ToMapPoint(double x, double y) const;
  double ToMapDistance(double distance) const;
  Point FromMapPoint(const Point& point) const;
  double FromMapDistance(double distance) const;

  // Called from a MouseDown handler: lets the user drag a rectangle until the button is
  // released and returns it in map units; nothing for a click without a drag or Escape.
  std::optional<Rectangle> TrackRectangle();
  // Called from a MouseDown handler: the map follows the pointer until the button is
  // released, then the extent is moved by the drag.
  void Pan();

  int MousePointer() const { return pointer_; }
  void SetMousePointer(int code);
  uint32_t BackColor() const { return back_; }
  void SetBackColor(uint32_t bgr);

  // Geometry in twips within the parent, as the forms place things.
  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;

 signals:
  // Layers are drawn from the highest index down to 0.
  void BeforeLayerDraw(int index);
  void AfterLayerDraw(int index, bool canceled);
  // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
  void MouseDown(int button, int shift, double x, double y);
  void MouseMove(int button, int shift, double x, double y);
  void MouseUp(int button, int shift, double x, double y);
  // The pointer left the map.
  void MouseLeave();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  friend class LayerCollection;
  enum class Mode { Idle, Tracking, Panning };

  void LayersChanged(bool firstLayer);
  double UnitsPerPixel() const;
  QPointF ToPixel(const Point& p, const Rectangle& visible, double scale) const;
  void DrawLayers(QPainter& painter, bool notify);
  void DrawLayer(QPainter& painter, const MapLayer& layer, const Rectangle& visible, double scale) const;
  void RunInteraction(Mode mode);
  void EndInteraction();

  LayerCollection layers_{*this};
  Rectangle requested_{0, -1, -1, 0};
  int pointer_ = kPointerDefault;
  uint32_t back_ = 0xFFFFFF;
  bool painting_ = false;
  bool pressed_ = false;
  QPoint pressAt_;
  Mode mode_ = Mode::Idle;
  QPoint dragTo_;
  bool canceled_ = false;
  QPixmap panImage_;
  QEventLoop* loop_ = nullptr;
};

}  // namespace mapctl
