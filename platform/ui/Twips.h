// Twips, the unit in which every window keeps its designed geometry, and the screen size in twips.
// Conversion happens only here, at the widget boundary (15 twips per pixel at 96 dpi).
#pragma once
#include <optional>

class QWidget;

namespace ui {

inline constexpr int kTwipsPerPixel = 15;

int ToPixels(double twips);
double ToTwips(int pixels);

// Places a control inside its parent (twips, relative to the parent's client area).
void Place(QWidget* control, double left, double top, double width, double height);
double LeftOf(const QWidget* control);
double TopOf(const QWidget* control);
double WidthOf(const QWidget* control);
double HeightOf(const QWidget* control);
void SetLeft(QWidget* control, double left);
void SetTop(QWidget* control, double top);
void SetWidth(QWidget* control, double width);
void SetHeight(QWidget* control, double height);

struct ScreenSize {
  double width;   // twips
  double height;  // twips
};
// The primary screen in twips; tests may fix it.
ScreenSize Screen();
void SetScreenOverride(std::optional<ScreenSize> size);

}  // namespace ui
