#include "platform/map/Colors.h"

#include <QApplication>
#include <QPalette>

namespace mapctl {

namespace {

QPalette::ColorRole SystemRole(uint32_t index, QPalette::ColorGroup& group) {
  group = QPalette::Active;
  switch (index) {
    case 0x05: return QPalette::Base;             // window background
    case 0x06: return QPalette::Shadow;           // window frame
    case 0x08: return QPalette::Text;             // window text
    case 0x0D: return QPalette::Highlight;
    case 0x0E: return QPalette::HighlightedText;
    case 0x0F: return QPalette::Button;           // button face
    case 0x10: return QPalette::Dark;             // button shadow
    case 0x11: group = QPalette::Disabled; return QPalette::Text;  // grey text
    case 0x12: return QPalette::ButtonText;
    case 0x14: return QPalette::Light;            // button highlight
    case 0x17: return QPalette::ToolTipText;
    case 0x18: return QPalette::ToolTipBase;
    default: return QPalette::Window;
  }
}

}  // namespace

QColor ColorFromBGR(uint32_t value) {
  if (value & kSystemColorFlag) {
    QPalette::ColorGroup group;
    QPalette::ColorRole role = SystemRole(value & 0xFFu, group);
    return QApplication::palette().color(group, role);
  }
  return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                static_cast<int>((value >> 16) & 0xFFu));
}

uint32_t BGRFromColor(const QColor& color) {
  return static_cast<uint32_t>(color.red()) | (static_cast<uint32_t>(color.green()) << 8) |
         (static_cast<uint32_t>(color.blue()) << 16);
}

}  // namespace mapctl
