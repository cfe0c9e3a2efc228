#include "platform/map/ToolPictures.h"

#include <QFile>

namespace mapctl {

QIcon ToolPicture(const QString& key) {
  // A key is a plain file name of the resource; anything else is not a tool.
  if (key.isEmpty() || key.contains('/')) return {};
  const QString file = ":/map/images/" + key + ".png";
  return QFile::exists(file) ? QIcon(file) : QIcon();
}

}  // namespace mapctl
