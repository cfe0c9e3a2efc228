#include "platform/map/Geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mapctl {

Rectangle Rectangle::FromCorners(const Point& a, const Point& b) {
  return {std::min(a.X, b.X), std::max(a.Y, b.Y), std::max(a.X, b.X), std::min(a.Y, b.Y)};
}

bool Rectangle::Contains(const Point& p) const {
  return p.X >= Left && p.X <= Right && p.Y >= Bottom && p.Y <= Top;
}

void Rectangle::ScaleRectangle(double factor) {
  Point c = Center();
  double hw = Width() * factor / 2, hh = Height() * factor / 2;
  Left = c.X - hw;
  Right = c.X + hw;
  Bottom = c.Y - hh;
  Top = c.Y + hh;
}

void Rectangle::Offset(double dx, double dy) {
  Left += dx;
  Right += dx;
  Top += dy;
  Bottom += dy;
}

Rectangle Rectangle::United(const Rectangle& other) const {
  if (IsNull()) return other;
  if (other.IsNull()) return *this;
  return {std::min(Left, other.Left), std::max(Top, other.Top), std::max(Right, other.Right),
          std::min(Bottom, other.Bottom)};
}

bool RingsContain(const std::vector<Ring>& rings, const Point& p) {
  bool inside = false;
  for (const Ring& ring : rings) {
    size_t n = ring.size();
    if (n < 3) continue;
    // Half-open crossing rule: a point on an edge shared by two cells lies in one of them.
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const Point& a = ring[i];
      const Point& b = ring[j];
      if ((a.Y > p.Y) != (b.Y > p.Y)) {
        double x = a.X + (p.Y - a.Y) * (b.X - a.X) / (b.Y - a.Y);
        if (p.X < x) inside = !inside;
      }
    }
  }
  return inside;
}

double DistanceToSegment(const Point& p, const Point& a, const Point& b) {
  double dx = b.X - a.X, dy = b.Y - a.Y;
  double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.X - (a.X + t * dx), p.Y - (a.Y + t * dy));
}

double DistanceToRings(const std::vector<Ring>& rings, const Point& p, bool closed) {
  double best = std::numeric_limits<double>::max();
  for (const Ring& ring : rings) {
    if (ring.size() == 1) best = std::min(best, std::hypot(p.X - ring[0].X, p.Y - ring[0].Y));
    for (size_t i = 1; i < ring.size(); ++i) best = std::min(best, DistanceToSegment(p, ring[i - 1], ring[i]));
    if (closed && ring.size() > 2) best = std::min(best, DistanceToSegment(p, ring.back(), ring.front()));
  }
  return best;
}

Rectangle BoundsOf(const std::vector<Ring>& rings) {
  Rectangle r{0, -1, -1, 0};  // null until a point is seen
  bool any = false;
  for (const Ring& ring : rings)
    for (const Point& p : ring) {
      if (!any) {
        r = {p.X, p.Y, p.X, p.Y};
        any = true;
      } else {
        r.Left = std::min(r.Left, p.X);
        r.Right = std::max(r.Right, p.X);
        r.Top = std::max(r.Top, p.Y);
        r.Bottom = std::min(r.Bottom, p.Y);
      }
    }
  return r;
}

}  // namespace mapctl
