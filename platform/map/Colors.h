// Colour values as the forms store them: &HBBGGRR (blue in the most significant byte),
// or, with the top bit set, the index of a system colour taken from the palette.
#pragma once
#include <QColor>
#include <cstdint>

namespace mapctl {

constexpr uint32_t kSystemColorFlag = 0x80000000u;
constexpr uint32_t kToolTipText = 0x80000017u;
constexpr uint32_t kToolTipBackground = 0x80000018u;

// &HBBGGRR or a system colour -> QColor. Unknown system indices give the window colour.
QColor ColorFromBGR(uint32_t value);
// QColor -> &HBBGGRR (never a system colour).
uint32_t BGRFromColor(const QColor& color);

}  // namespace mapctl
