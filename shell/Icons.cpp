// The main window's pictures, drawn in code so the program ships no image files of others.
#include <QBrush>
#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>

#include "shell/MDIMain.h"

namespace {

QPixmap Blank() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  return pm;
}

void Cross(QPainter& p, QRectF r, const QColor& c, qreal width) {
  p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomLeft());
}

}  // namespace

QIcon ToolbarPicture(const QString& key) {
  QPixmap pm = Blank();
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor dark(40, 40, 60);
  if (key == "Save") {  // a diskette
    p.setPen(QPen(dark, 1));
    p.setBrush(QColor(50, 90, 170));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 2, 8, 5));
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(4.5, 9.5, 7, 5));
  } else if (key == "Close") {  // a window with a red cross
    p.setPen(QPen(dark, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.fillRect(QRectF(2, 3, 12, 3), QColor(60, 100, 180));
    Cross(p, QRectF(5, 7.5, 6, 5), QColor(200, 30, 30), 2);
  } else if (key == "Add") {  // a green plus
    p.setPen(QPen(QColor(20, 130, 40), 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 2.5), QPointF(8, 13.5));
    p.drawLine(QPointF(2.5, 8), QPointF(13.5, 8));
  } else if (key == "Update") {  // a pencil
    QPainterPath body;
    body.moveTo(3, 11);
    body.lineTo(11, 3);
    body.lineTo(13, 5);
    body.lineTo(5, 13);
    body.closeSubpath();
    p.setPen(QPen(dark, 1));
    p.setBrush(QColor(240, 190, 40));
    p.drawPath(body);
    QPainterPath tip;
    tip.moveTo(3, 11);
    tip.lineTo(5, 13);
    tip.lineTo(1.5, 14.5);
    tip.closeSubpath();
    p.setBrush(QColor(90, 60, 40));
    p.drawPath(tip);
  } else if (key == "Delete") {  // a bin
    p.setPen(QPen(dark, 1));
    p.setBrush(QColor(170, 170, 180));
    p.drawRect(QRectF(3.5, 4.5, 9, 10));
    p.drawRect(QRectF(2.5, 2.5, 11, 2));
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    p.drawLine(QPointF(6, 6.5), QPointF(6, 13));
    p.drawLine(QPointF(10, 6.5), QPointF(10, 13));
  } else if (key == "Properties") {  // a sheet with lines
    p.setPen(QPen(dark, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(QPen(QColor(60, 100, 180), 1.2));
    for (int y = 4; y <= 12; y += 3) p.drawLine(QPointF(4.5, y + 0.5), QPointF(11.5, y + 0.5));
  } else if (key == "Refresh") {  // a turning arrow
    p.setPen(QPen(QColor(20, 120, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(2.5, 2.5, 11, 11), 60 * 16, 280 * 16);
    QPainterPath head;
    head.moveTo(10, 0.8);
    head.lineTo(14.5, 3.5);
    head.lineTo(9.5, 6.2);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 120, 60));
    p.drawPath(head);
  } else if (key == "Clear") {  // an eraser
    p.translate(8, 8);
    p.rotate(-40);
    p.setPen(QPen(dark, 1));
    p.setBrush(QColor(240, 130, 150));
    p.drawRect(QRectF(-6, -3, 8, 6));
    p.setBrush(QColor(80, 110, 200));
    p.drawRect(QRectF(2, -3, 4, 6));
  } else if (key == "Help") {  // a question mark in a blue disc
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 100, 200));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(12);
    p.setFont(f);
    p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, "?");
  } else if (key == "Exit") {  // a door and an arrow out
    p.setPen(QPen(dark, 1));
    p.setBrush(QColor(150, 100, 60));
    p.drawRect(QRectF(2.5, 1.5, 7, 13));
    p.setPen(QPen(QColor(200, 30, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(12, 5.5), QPointF(14.5, 8));
    p.drawLine(QPointF(12, 10.5), QPointF(14.5, 8));
  }
  p.end();
  return QIcon(pm);
}

QBrush MainBackground(int height) {
  // Water from the river to the sea, the estuary's colours. In the area's own coordinates: the
  // area repaints piece by piece, and each piece must take its colours from the same gradient.
  QLinearGradient g(0, 0, 0, std::max(1, height));
  g.setColorAt(0.0, QColor(196, 214, 226));
  g.setColorAt(1.0, QColor(120, 156, 186));
  return QBrush(g);
}
