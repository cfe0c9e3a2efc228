// The main window's pictures. The toolbar's come from the shell's resource, one file per key
// (shell/images/<key>.png), made for this program.
#include <QBrush>
#include <QFile>
#include <QIcon>
#include <QLinearGradient>
#include <QPixmap>
#include <algorithm>

#include "shell/MDIMain.h"

QIcon ToolbarPicture(const QString& key) {
  const QString file = ":/shell/images/" + key + ".png";
  if (QFile::exists(file)) return QIcon(file);
  // An unknown key still takes a toolbar place: an empty picture of the toolbar's size.
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  return QIcon(blank);
}

QBrush MainBackground(int height) {
  // Water from the river to the sea, the estuary's colours. In the area's own coordinates: the
  // area repaints piece by piece, and each piece must take its colours from the same gradient.
  QLinearGradient g(0, 0, 0, std::max(1, height));
  g.setColorAt(0.0, QColor(196, 214, 226));
  g.setColorAt(1.0, QColor(120, 156, 186));
  return QBrush(g);
}
