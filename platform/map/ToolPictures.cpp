#include "platform/map/ToolPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace mapctl {

namespace {

void Magnifier(QPainter& p, bool plus) {
  const QColor dark(40, 40, 60);
  p.setPen(QPen(dark, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
  p.setPen(QPen(dark, 1.4));
  p.setBrush(QColor(225, 240, 255));
  p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
  p.setPen(QPen(dark, 1.4));
  p.drawLine(QPointF(4, 6.5), QPointF(9, 6.5));
  if (plus) p.drawLine(QPointF(6.5, 4), QPointF(6.5, 9));
}

}  // namespace

QIcon ToolPicture(const QString& key) {
  if (key != "Select" && key != "ZoomIn" && key != "ZoomOut" && key != "Pan" && key != "FullExt") return {};
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor dark(40, 40, 60);
  if (key == "Select") {  // an arrow pointer
    QPainterPath arrow;
    arrow.moveTo(4, 1.5);
    arrow.lineTo(4, 13);
    arrow.lineTo(6.8, 10.3);
    arrow.lineTo(8.8, 14.5);
    arrow.lineTo(10.6, 13.6);
    arrow.lineTo(8.6, 9.5);
    arrow.lineTo(12.2, 9.5);
    arrow.closeSubpath();
    p.setPen(QPen(dark, 1));
    p.setBrush(Qt::white);
    p.drawPath(arrow);
  } else if (key == "ZoomIn" || key == "ZoomOut") {
    Magnifier(p, key == "ZoomIn");
  } else if (key == "Pan") {  // four arrows from the centre
    p.setPen(QPen(dark, 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 2), QPointF(8, 14));
    p.drawLine(QPointF(2, 8), QPointF(14, 8));
    p.setBrush(dark);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(8, 0.5), QPointF(5.5, 3.5), QPointF(10.5, 3.5)}));
    p.drawPolygon(QPolygonF({QPointF(8, 15.5), QPointF(5.5, 12.5), QPointF(10.5, 12.5)}));
    p.drawPolygon(QPolygonF({QPointF(0.5, 8), QPointF(3.5, 5.5), QPointF(3.5, 10.5)}));
    p.drawPolygon(QPolygonF({QPointF(15.5, 8), QPointF(12.5, 5.5), QPointF(12.5, 10.5)}));
  } else {  // full extent: a green land mass inside a frame
    p.setPen(QPen(dark, 1));
    p.setBrush(QColor(190, 220, 250));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 160, 60));
    p.drawEllipse(QRectF(3.5, 5, 9, 6));
  }
  p.end();
  return QIcon(pm);
}

}  // namespace mapctl
