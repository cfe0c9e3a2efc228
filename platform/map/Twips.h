// Twips <-> pixels at the widget boundary: the designed geometry and the map's mouse
// positions are in twips, Qt works in pixels. 15 twips per pixel (96 dpi).
#pragma once
#include <cmath>

namespace mapctl {

constexpr double kTwipsPerPixel = 15.0;

inline int TwipsToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline double PixelsToTwips(double pixels) { return pixels * kTwipsPerPixel; }

}  // namespace mapctl
