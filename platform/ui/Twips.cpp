#include "platform/ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace ui {
namespace {
std::optional<ScreenSize>& Override() {
  static std::optional<ScreenSize> size;
  return size;
}
}  // namespace

int ToPixels(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
double ToTwips(int pixels) { return static_cast<double>(pixels) * kTwipsPerPixel; }

void Place(QWidget* control, double left, double top, double width, double height) {
  control->setGeometry(ToPixels(left), ToPixels(top), std::max(0, ToPixels(width)),
                       std::max(0, ToPixels(height)));
}

double LeftOf(const QWidget* control) { return ToTwips(control->x()); }
double TopOf(const QWidget* control) { return ToTwips(control->y()); }
double WidthOf(const QWidget* control) { return ToTwips(control->width()); }
double HeightOf(const QWidget* control) { return ToTwips(control->height()); }
void SetLeft(QWidget* control, double left) { control->move(ToPixels(left), control->y()); }
void SetTop(QWidget* control, double top) { control->move(control->x(), ToPixels(top)); }
void SetWidth(QWidget* control, double width) { control->resize(std::max(0, ToPixels(width)), control->height()); }
void SetHeight(QWidget* control, double height) {
  control->resize(control->width(), std::max(0, ToPixels(height)));
}

ScreenSize Screen() {
  if (Override()) return *Override();
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {ToTwips(1024), ToTwips(768)};
  QRect g = screen->geometry();
  return {ToTwips(g.width()), ToTwips(g.height())};
}

void SetScreenOverride(std::optional<ScreenSize> size) { Override() = size; }

}  // namespace ui
