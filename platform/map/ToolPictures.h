// Pictures of the map tools (select, zoom in, zoom out, pan, full extent), 16 by 16 pixels so that
// a form's narrow map tool bar shows all five buttons. They come from the map's resource
// (platform/map/images/<key>.png).
#pragma once
#include <QIcon>
#include <QString>

namespace mapctl {

// Key as the result window names its map tool buttons; an unknown key gives a null icon.
QIcon ToolPicture(const QString& key);

}  // namespace mapctl
