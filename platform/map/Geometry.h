// Map geometry: points and rectangles in map units (y up) and the tests the searches use.
// Plain arithmetic, no widget: the map control and its tests share it.
#pragma once
#include <vector>

namespace mapctl {

struct Point {
  double X = 0;
  double Y = 0;
};

// A rectangle in map units; Top is the larger y (map y points up).
struct Rectangle {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;

  static Rectangle FromCorners(const Point& a, const Point& b);
  double Width() const { return Right - Left; }
  double Height() const { return Top - Bottom; }
  Point Center() const { return {(Left + Right) / 2, (Top + Bottom) / 2}; }
  // No rectangle at all (as the extent of an empty map); a single point is not null.
  bool IsNull() const { return Width() < 0 || Height() < 0; }
  bool Contains(const Point& p) const;
  // Grows (factor > 1) or shrinks the rectangle about its centre.
  void ScaleRectangle(double factor);
  void Offset(double dx, double dy);
  // Smallest rectangle holding both; a null rectangle adds nothing.
  Rectangle United(const Rectangle& other) const;
};

// One shape: points, or the parts of a line or of a polygon (each part a ring).
using Ring = std::vector<Point>;

// Even-odd test over all rings, so holes and either ring direction work alike.
bool RingsContain(const std::vector<Ring>& rings, const Point& p);
double DistanceToSegment(const Point& p, const Point& a, const Point& b);
// Shortest distance from p to any edge of the rings (closed when `closed`).
double DistanceToRings(const std::vector<Ring>& rings, const Point& p, bool closed);
Rectangle BoundsOf(const std::vector<Ring>& rings);

}  // namespace mapctl
