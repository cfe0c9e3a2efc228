// Point-in-polygon, distances and rectangle arithmetic, and the class-break renderer.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>

#include "platform/map/Colors.h"
#include "platform/map/Geometry.h"
#include "platform/map/Renderer.h"
#include "runtime/VbError.h"
#include "tests/platform/map/ShapeFixture.h"

using mapctl::Point;
using mapctl::Rectangle;

TEST(MapGeometry, PointInRingsAlikeForEitherDirectionAndHoles) {
  struct Case {
    Point p;
    bool inside;
  };
  const Case cases[] = {{{2, 5}, true}, {{0.5, 9.5}, true}, {{-1, 5}, false}, {{11, 5}, false},
                        {{5, 10.01}, false}, {{5, 5}, false} /* in the hole */, {{6.5, 5}, true}};
  for (bool clockwise : {false, true}) {
    std::vector<mapctl::Ring> rings = {fixture::Box(0, 0, 10, 10, clockwise), fixture::Box(4, 4, 6, 6, !clockwise)};
    for (const Case& c : cases)
      EXPECT_EQ(mapctl::RingsContain(rings, c.p), c.inside) << c.p.X << "," << c.p.Y << " clockwise " << clockwise;
  }
  // A triangle, so a slanted edge is crossed too.
  std::vector<mapctl::Ring> tri = {{{0, 0}, {10, 0}, {0, 10}}};
  EXPECT_TRUE(mapctl::RingsContain(tri, {4.9, 5}));
  EXPECT_FALSE(mapctl::RingsContain(tri, {5.1, 5}));
}

TEST(MapGeometry, PointOnSharedEdgeBelongsToExactlyOneCell) {
  std::vector<mapctl::Ring> left = {fixture::Box(0, 0, 10, 10)}, right = {fixture::Box(10, 0, 20, 10, true)};
  for (Point p : {Point{10, 5}, Point{10, 0}, Point{5, 0}, Point{15, 10}}) {
    int hits = mapctl::RingsContain(left, p) + mapctl::RingsContain(right, p);
    EXPECT_LE(hits, 1) << p.X << "," << p.Y;
  }
  EXPECT_EQ(mapctl::RingsContain(left, {10, 5}) + mapctl::RingsContain(right, {10, 5}), 1);
}

TEST(MapGeometry, DistancesToSegmentsAndRings) {
  EXPECT_DOUBLE_EQ(mapctl::DistanceToSegment({5, 3}, {0, 0}, {10, 0}), 3);
  EXPECT_DOUBLE_EQ(mapctl::DistanceToSegment({13, 4}, {0, 0}, {10, 0}), 5);  // past the end
  std::vector<mapctl::Ring> box = {fixture::Box(0, 0, 10, 10)};
  EXPECT_DOUBLE_EQ(mapctl::DistanceToRings(box, {5, 12}, true), 2);
  std::vector<mapctl::Ring> open = {{{0, 0}, {10, 0}, {10, 10}}};  // a line: no closing edge
  EXPECT_DOUBLE_EQ(mapctl::DistanceToRings(open, {0, 5}, false), 5);
  EXPECT_DOUBLE_EQ(mapctl::DistanceToRings(open, {0, 5}, true), std::sqrt(12.5));
}

TEST(MapGeometry, RectangleScaleAboutCentreAndUnion) {
  Rectangle r{0, 100, 200, 0};
  r.ScaleRectangle(1.5);
  EXPECT_DOUBLE_EQ(r.Left, -50);
  EXPECT_DOUBLE_EQ(r.Right, 250);
  EXPECT_DOUBLE_EQ(r.Top, 125);
  EXPECT_DOUBLE_EQ(r.Bottom, -25);
  Rectangle null{0, -1, -1, 0};
  EXPECT_TRUE(null.IsNull());
  Rectangle u = null.United({1, 2, 3, 1}).United({-1, 5, 2, 0});
  EXPECT_DOUBLE_EQ(u.Left, -1);
  EXPECT_DOUBLE_EQ(u.Top, 5);
  EXPECT_DOUBLE_EQ(u.Right, 3);
  EXPECT_DOUBLE_EQ(u.Bottom, 0);
  Rectangle fromCorners = Rectangle::FromCorners({5, 1}, {2, 7});
  EXPECT_DOUBLE_EQ(fromCorners.Left, 2);
  EXPECT_DOUBLE_EQ(fromCorners.Top, 7);
}

TEST(ClassBreaks, ValueOnABreakBelongsToTheLowerClass) {
  mapctl::ClassBreaksRenderer r;
  r.SetBreakCount(3);
  for (int i = 0; i < 3; ++i) r.SetBreak(i, i * 4.0);  // 0, 4, 8: four classes
  struct Case {
    double value;
    int cls;
  };
  for (Case c : {Case{-1, 0}, Case{0, 0}, Case{0.001, 1}, Case{4, 1}, Case{4.5, 2}, Case{8, 2}, Case{8.01, 3}, Case{1e9, 3}})
    EXPECT_EQ(r.ClassOf(c.value), c.cls) << c.value;
}

TEST(ClassBreaks, RampRunsFromStartToEndAndOneClassKeepsTheDefault) {
  mapctl::ClassBreaksRenderer r;
  r.SetBreakCount(2);
  r.RampColors(0xFF0000, 0x00FFFF);  // blue to yellow
  EXPECT_EQ(r.ClassSymbol(0).Color, 0xFF0000u);
  EXPECT_EQ(r.ClassSymbol(1).Color, 0x808080u);  // halfway: round(127.5) = 128 each
  EXPECT_EQ(r.ClassSymbol(2).Color, 0x00FFFFu);

  mapctl::ClassBreaksRenderer one;
  one.SetBreakCount(0);
  EXPECT_EQ(one.ClassCount(), 1);
  EXPECT_EQ(one.ClassSymbol(0).Color, mapctl::ClassBreaksRenderer::kDefaultClassColor);
  EXPECT_EQ(one.ClassOf(123), 0);
}

TEST(ClassBreaks, RefusesBreakCountsAndIndicesOutOfRange) {
  mapctl::ClassBreaksRenderer r;
  r.SetBreakCount(255);
  EXPECT_EQ(r.ClassCount(), 256);
  for (int bad : {-1, 256, 32000}) {
    try {
      r.SetBreakCount(bad);
      ADD_FAILURE() << bad;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.number, 380);
    }
  }
  EXPECT_EQ(r.BreakCount(), 255);  // unchanged by the refusals
  EXPECT_THROW(r.Break(255), vb::VbError);
  EXPECT_THROW(r.ClassSymbol(256), vb::VbError);
}

TEST(ClassBreaks, ClassCountTextMustBeAWholeNumberFrom1To256) {
  struct Good {
    const char* text;
    int count;
  };
  for (Good g : {Good{"10", 10}, Good{" 1 ", 1}, Good{"2.5", 2}, Good{"3.5", 4}, Good{"256", 256}, Good{"1E1", 10}})
    EXPECT_EQ(mapctl::ClassCountFromText(g.text), g.count) << g.text;
  for (const char* bad : {"", "abc", "10a", "0", "0.4", "-3", "257", "1e9", "40000"}) {
    try {
      mapctl::ClassCountFromText(bad);
      ADD_FAILURE() << bad;
    } catch (const vb::VbError& e) {
      EXPECT_EQ(e.number, 380) << bad;
      EXPECT_EQ(e.source, "Validation");
      EXPECT_EQ(e.description, "The number of classes must be a whole number from 1 to 256.");
    }
  }
}

TEST(MapColors, BlueIsTheMostSignificantByteAndTopBitNamesSystemColours) {
  EXPECT_EQ(mapctl::ColorFromBGR(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(mapctl::ColorFromBGR(0x00FF00), QColor(0, 255, 0));
  EXPECT_EQ(mapctl::ColorFromBGR(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(mapctl::BGRFromColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
  EXPECT_EQ(mapctl::ColorFromBGR(mapctl::kToolTipBackground), QApplication::palette().color(QPalette::ToolTipBase));
  EXPECT_EQ(mapctl::ColorFromBGR(mapctl::kToolTipText), QApplication::palette().color(QPalette::ToolTipText));
}
