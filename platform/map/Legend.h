// The legend bound to a map: per layer a visibility switch and its name, then one swatch
// and range text per class of its renderer (or one swatch for its default symbol).
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

class QScrollBar;
#include <cstdint>
#include <vector>

#include "platform/map/Renderer.h"

class QPainter;

namespace mapctl {

class Map;

class Legend : public QWidget {
  Q_OBJECT

 public:
  struct Entry {
    int Layer = 0;
    bool Header = false;  // the layer's row with its switch and name
    bool Checked = true;
    QString Text;
    Symbol Swatch;
  };

  explicit Legend(QWidget* parent = nullptr);

  void SetMapSource(Map* map);
  Map* MapSource() const { return map_; }
  // Rebuilds the entries from the map's layers and renderers. With `expanded` false only
  // the layer rows are listed.
  Q_INVOKABLE void Refresh(bool expanded = true);
  const std::vector<Entry>& Entries() const { return entries_; }
  // Turns a layer on or off as a click on its switch does.
  void SetLayerVisible(int layer, bool visible);

  uint32_t BackColor() const { return back_; }
  void SetBackColor(uint32_t bgr);

  // Range text of a class, "low - high": the outer classes run to the smallest and largest
  // value of the field, or read "<= b" / "> b" when the data do not reach past their break.
  static QString RangeText(const ClassBreaksRenderer& renderer, int index, const double* minimum,
                           const double* maximum);

 signals:
  // A switch changed a layer's visibility; the form redraws the map.
  void LayerVisibleChanged(int layer, bool visible);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;  // the whole text of a row as its tool tip

 private:
  int RowHeight() const;
  void DrawFitted(QPainter& p, const QRect& box, const QString& text) const;
  void UpdateScrollBar();

  QPointer<Map> map_;
  std::vector<Entry> entries_;
  uint32_t back_ = 0xFFFFFF;
  bool expanded_ = true;
  int scroll_ = 0;
  QScrollBar* bar_ = nullptr;  // shown when the entries are taller than the legend
};

}  // namespace mapctl
