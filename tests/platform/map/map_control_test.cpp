// The map widget: extents at the widget's aspect ratio, conversions after zoom and pan, the
// interactive tools, the draw notifications, the legend, and a rendering of the result grid.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <shapefil.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>
#include <filesystem>

#include "platform/map/Colors.h"
#include "platform/map/Legend.h"
#include "platform/map/Map.h"
#include "platform/map/ToolPictures.h"
#include "runtime/VbError.h"
#include "tests/platform/map/ShapeFixture.h"
#include "tests/support/TestDir.h"

using mapctl::Map;
using mapctl::Point;
using mapctl::Rectangle;

namespace {

std::shared_ptr<mapctl::MapLayer> Square(const std::string& name, double size) {
  fixture::WriteLayer(name + ".shp", SHPT_POLYGON, {{fixture::Box(0, 0, size, size)}}, {{"V", {1}}});
  return std::make_shared<mapctl::MapLayer>(name + ".shp");
}

void SendMouse(QWidget& w, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  QMouseEvent e(type, QPointF(at), QPointF(w.mapToGlobal(at)), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                held, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

// Presses at `from`; once the map runs its own loop, drags to `to` and lets go.
void Drag(Map& map, QPoint from, QPoint to) {
  QTimer::singleShot(0, &map, [&map, to] {
    SendMouse(map, QEvent::MouseMove, to, Qt::LeftButton);
    SendMouse(map, QEvent::MouseButtonRelease, to, Qt::NoButton);
  });
  SendMouse(map, QEvent::MouseButtonPress, from, Qt::LeftButton);
}

void ExpectRect(const Rectangle& r, double left, double top, double right, double bottom) {
  EXPECT_NEAR(r.Left, left, 1e-9);
  EXPECT_NEAR(r.Top, top, 1e-9);
  EXPECT_NEAR(r.Right, right, 1e-9);
  EXPECT_NEAR(r.Bottom, bottom, 1e-9);
}

// The class-break colouring the result window gives a field.
std::shared_ptr<mapctl::ClassBreaksRenderer> ResultRenderer(const mapctl::MapLayer& layer, const std::string& field,
                                                            int classes) {
  auto r = std::make_shared<mapctl::ClassBreaksRenderer>();
  r->SetBreakCount(classes - 1);
  r->SetField(field);
  for (int i = 0; i < classes; ++i) r->ClassSymbol(i).Outline = false;
  mapctl::Recordset rs = layer.SearchExpression("FeatureId > -1 order by " + field);
  rs.MoveFirst();
  double lo = vb::CDbl(rs.Fields(field)), hi = lo;
  for (; !rs.Eof(); rs.MoveNext()) hi = vb::CDbl(rs.Fields(field));
  double top = hi == 0 ? 0 : std::nearbyint(std::log10(hi) + 0.5);
  double bottom = lo == 0 ? top - 5 : std::nearbyint(std::log10(lo) - 0.5);
  for (int i = 0; i < r->BreakCount(); ++i) {
    if (field == "PSU1") {
      r->SetBreak(i, i * 4);
      r->RampColors(0xFF0000, 0xFFFF00);
    } else {
      r->SetBreak(i, std::pow(10.0, bottom + (top - bottom) * i / r->BreakCount()));
      r->RampColors(0xFF0000, 0x00FFFF);
    }
  }
  return r;
}

QPoint PixelOf(const Map& map, const Point& p) {
  Point t = map.FromMapPoint(p);
  return {static_cast<int>(t.X / 15), static_cast<int>(t.Y / 15)};
}

}  // namespace

TEST(MapControl, ExtentKeepsTheAspectRatioAndConversionsFollowZoomAndScale) {
  Map map;
  map.resize(200, 100);
  EXPECT_TRUE(map.Extent().IsNull());
  ASSERT_TRUE(map.Layers().Add(Square("sq", 1000)));
  ExpectRect(map.FullExtent(), 0, 1000, 1000, 0);
  // 1000 x 1000 into 200 x 100 pixels: 10 units a pixel, widened about the centre.
  ExpectRect(map.Extent(), -500, 1000, 1500, 0);
  Point origin = map.ToMapPoint(0, 0);
  EXPECT_DOUBLE_EQ(origin.X, -500);
  EXPECT_DOUBLE_EQ(origin.Y, 1000);
  Point centre = map.ToMapPoint(100 * 15, 50 * 15);  // twips
  EXPECT_DOUBLE_EQ(centre.X, 500);
  EXPECT_DOUBLE_EQ(centre.Y, 500);  // y grows upwards
  EXPECT_DOUBLE_EQ(map.ToMapDistance(150), 100);

  map.SetExtent({0, 100, 100, 0});
  ExpectRect(map.Extent(), -50, 100, 150, 0);
  EXPECT_DOUBLE_EQ(map.ToMapPoint(1500, 750).X, 50);
  EXPECT_DOUBLE_EQ(map.ToMapDistance(100), 100.0 / 15);

  Rectangle out = map.Extent();
  out.ScaleRectangle(1.5);
  map.SetExtent(out);
  ExpectRect(map.Extent(), -100, 125, 200, -25);
  Point back = map.FromMapPoint(map.ToMapPoint(321, 123));
  EXPECT_NEAR(back.X, 321, 1e-9);
  EXPECT_NEAR(back.Y, 123, 1e-9);

  map.SetExtent({0, -1, -1, 0});  // null: ignored
  map.SetExtent({0, NAN, 1, 0});  // non-finite: ignored
  ExpectRect(map.Extent(), -100, 125, 200, -25);
  map.resize(100, 100);  // a resize keeps the extent asked for, refitted
  ExpectRect(map.Extent(), -100, 200, 200, -100);
}

TEST(MapControl, LayerCollectionAddsInFrontRefusesInvalidAndRaisesOutOfRange) {
  Map map;
  EXPECT_FALSE(map.Layers().Add(std::make_shared<mapctl::MapLayer>("missing.shp")));
  EXPECT_FALSE(map.Layers().Add(nullptr));
  EXPECT_EQ(map.Layers().Count(), 0);
  auto a = Square("a", 10), b = Square("b", 20);
  map.Layers().Add(a);
  map.Layers().Add(b);
  EXPECT_EQ(map.Layers().Item(0), b);
  ExpectRect(map.FullExtent(), 0, 20, 20, 0);
  map.Layers().Remove(0);
  EXPECT_EQ(map.Layers().Item(0), a);
  EXPECT_THROW(map.Layers().Item(1), vb::VbError);
  EXPECT_THROW(map.Layers().Remove(-1), vb::VbError);
  map.Layers().Clear();
  EXPECT_EQ(map.Layers().Count(), 0);
}

TEST(MapControl, DraggedRectangleAndPanFromAMouseDownHandler) {
  Map map;
  map.resize(200, 100);
  map.show();
  map.Layers().Add(Square("sq", 1000));  // extent -500..1500 x 0..1000, 10 units a pixel
  std::optional<Rectangle> tracked;
  bool pan = false;
  QObject::connect(&map, &Map::MouseDown, [&](int button, int, double x, double y) {
    EXPECT_EQ(button, 1);
    EXPECT_GE(x, 0);
    EXPECT_GE(y, 0);
    if (pan)
      map.Pan();
    else
      tracked = map.TrackRectangle();
  });

  Drag(map, {50, 20}, {150, 70});
  ASSERT_TRUE(tracked);
  ExpectRect(*tracked, 0, 800, 1000, 300);
  Drag(map, {50, 20}, {50, 21});  // a click is no rectangle
  EXPECT_FALSE(tracked);

  map.SetExtent({0, 1000, 1000, 0});
  Point grabbed = map.ToMapPoint(100 * 15, 50 * 15);
  pan = true;
  Drag(map, {100, 50}, {130, 30});
  Point under = map.ToMapPoint(130 * 15, 30 * 15);  // the grabbed point followed the pointer
  EXPECT_NEAR(under.X, grabbed.X, 1e-9);
  EXPECT_NEAR(under.Y, grabbed.Y, 1e-9);
  ExpectRect(map.Extent(), -800, 800, 1200, -200);  // dragged right and up: we look left and down
}

TEST(MapControl, LayersAreDrawnFromTheHighestIndexDownWithNotifications) {
  Map map;
  map.resize(50, 50);
  map.Layers().Add(Square("a", 10));
  map.Layers().Add(Square("b", 10));
  std::vector<std::string> events;
  QObject::connect(&map, &Map::BeforeLayerDraw, [&](int i) { events.push_back("before " + std::to_string(i)); });
  QObject::connect(&map, &Map::AfterLayerDraw, [&](int i, bool) { events.push_back("after " + std::to_string(i)); });
  map.grab();
  EXPECT_EQ(events, (std::vector<std::string>{"before 1", "after 1", "before 0", "after 0"}));
}

TEST(MapControl, MouseNotificationsCarryTwipsButtonsAndShiftButNotWhileDragging) {
  Map map;
  map.resize(200, 100);
  map.show();
  map.Layers().Add(Square("sq", 1000));
  std::vector<std::string> events;
  auto record = [&](const char* what) {
    return [&events, what](int button, int shift, double x, double y) {
      events.push_back(std::string(what) + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
                       std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
    };
  };
  QObject::connect(&map, &Map::MouseDown, record("down"));
  QObject::connect(&map, &Map::MouseMove, record("move"));
  QObject::connect(&map, &Map::MouseUp, record("up"));

  QMouseEvent move(QEvent::MouseMove, QPointF(10, 20), QPointF(map.mapToGlobal(QPoint(10, 20))), Qt::NoButton,
                   Qt::NoButton, Qt::ShiftModifier | Qt::ControlModifier);
  QApplication::sendEvent(&map, &move);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 40), QPointF(map.mapToGlobal(QPoint(30, 40))),
                    Qt::RightButton, Qt::RightButton, Qt::AltModifier);
  QApplication::sendEvent(&map, &press);
  SendMouse(map, QEvent::MouseMove, {31, 41}, Qt::RightButton);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(31, 41), QPointF(map.mapToGlobal(QPoint(31, 41))),
                      Qt::RightButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&map, &release);
  EXPECT_EQ(events, (std::vector<std::string>{"move 0 3 150 300", "down 2 4 450 600", "move 2 0 465 615",
                                              "up 2 0 465 615"}));

  // While a rectangle is tracked the moves belong to the tracking, not to the form.
  events.clear();
  QObject::connect(&map, &Map::MouseDown, [&](int, int, double, double) { map.TrackRectangle(); });
  Drag(map, {50, 20}, {150, 70});
  EXPECT_EQ(events, (std::vector<std::string>{"down 1 0 750 300"}));
}

// The five tool pictures are distinct 16 by 16 images from the map's resource; any other key has none.
TEST(MapControl, ToolPicturesComeFromTheResource) {
  std::vector<QImage> seen;
  for (const char* key : {"Select", "ZoomIn", "ZoomOut", "Pan", "FullExt"}) {
    SCOPED_TRACE(key);
    const QIcon icon = mapctl::ToolPicture(key);
    ASSERT_FALSE(icon.isNull());
    const QImage im = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(im.size(), QSize(16, 16));
    int opaque = 0;
    for (int y = 0; y < im.height(); ++y)
      for (int x = 0; x < im.width(); ++x) opaque += qAlpha(im.pixel(x, y)) == 255;
    EXPECT_GT(opaque, 0);
    for (const QImage& other : seen) EXPECT_NE(im, other);
    seen.push_back(im);
  }
  for (const char* key : {"", "select", "Zoom", "../map/images/Pan", "Pan.png"})
    EXPECT_TRUE(mapctl::ToolPicture(key).isNull()) << key;
}

TEST(MapControl, PointersBackColourAndTwipsGeometry) {
  QWidget form;
  Map map(&form);
  map.setGeometry(63, 345, 489, 177);
  EXPECT_DOUBLE_EQ(map.Left(), 945);
  EXPECT_DOUBLE_EQ(map.Top(), 5175);
  EXPECT_DOUBLE_EQ(map.Width(), 7335);
  struct Pointer {
    int code;
    Qt::CursorShape shape;
  };
  for (Pointer p : {Pointer{mapctl::kPointerHourglass, Qt::WaitCursor}, Pointer{mapctl::kPointerZoomIn, Qt::BitmapCursor},
                    Pointer{mapctl::kPointerZoomOut, Qt::BitmapCursor}, Pointer{mapctl::kPointerPan, Qt::OpenHandCursor},
                    Pointer{mapctl::kPointerDefault, Qt::ArrowCursor}}) {
    map.SetMousePointer(p.code);
    EXPECT_EQ(map.MousePointer(), p.code);
    EXPECT_EQ(map.property("MousePointer").toInt(), p.code);
    EXPECT_EQ(map.cursor().shape(), p.shape) << p.code;
  }
  EXPECT_FALSE(map.testAttribute(Qt::WA_SetCursor));  // default: no cursor of its own
  map.SetBackColor(0xC0C0C0);
  EXPECT_EQ(map.grab().toImage().pixelColor(5, 5), QColor(0xC0, 0xC0, 0xC0));
}

TEST(MapControl, LegendListsLayerAndClassesAndSwitchesVisibility) {
  fixture::WriteResultGrid("map.shp");
  Map map;
  auto layer = std::make_shared<mapctl::MapLayer>("map.shp");
  map.Layers().Add(layer);
  layer->SetRenderer(ResultRenderer(*layer, "PSU1", 10));
  mapctl::Legend legend;
  legend.resize(160, 300);
  legend.SetMapSource(&map);
  legend.Refresh(true);
  const auto& e = legend.Entries();
  ASSERT_EQ(e.size(), 11u);
  EXPECT_TRUE(e[0].Header);
  EXPECT_EQ(e[0].Text, "map");
  EXPECT_EQ(e[1].Text, "<= 0");  // the salinity minimum 0 lies on the first break
  EXPECT_EQ(e[2].Text, "0 - 4");
  EXPECT_EQ(e[9].Text, "28 - 32");
  // Bounds that are not small whole numbers read as the window's figures do.
  mapctl::ClassBreaksRenderer r;
  r.SetBreakCount(2);
  r.SetBreak(0, 0.000359);
  r.SetBreak(1, 0.0129);
  const double lo = 1.5e-5, hi = 1234.5;
  EXPECT_EQ(mapctl::Legend::RangeText(r, 1, &lo, &hi), "3.59E-04 - 1.29E-02");
  EXPECT_EQ(mapctl::Legend::RangeText(r, 2, &lo, &hi), "1.29E-02 - 1.23E+03");
  EXPECT_EQ(e[10].Text, "> 32");  // the maximum 30 does not reach past the last break
  EXPECT_EQ(e[1].Swatch.Color, 0xFF0000u);
  EXPECT_EQ(e[10].Swatch.Color, 0xFFFF00u);

  std::vector<bool> seen;
  QObject::connect(&legend, &mapctl::Legend::LayerVisibleChanged, [&](int i, bool v) {
    EXPECT_EQ(i, 0);
    seen.push_back(v);
  });
  int row = legend.fontMetrics().height() + 4;
  SendMouse(legend, QEvent::MouseButtonPress, {8, 4 + row / 2}, Qt::LeftButton);  // the switch
  EXPECT_FALSE(layer->Visible());
  SendMouse(legend, QEvent::MouseButtonPress, {100, 4 + row / 2}, Qt::LeftButton);  // the name: no switch
  legend.SetLayerVisible(0, true);
  EXPECT_TRUE(layer->Visible());
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));

  legend.Refresh(false);
  EXPECT_EQ(legend.Entries().size(), 1u);
}

TEST(MapControl, RendersTheResultGridInItsClassColours) {
  fixture::WriteResultGrid("map.shp");
  QWidget panel;
  panel.resize(650, 177);  // the result window's map and legend, 7335 + 2415 by 2655 twips
  Map* map = new Map(&panel);
  map->setGeometry(0, 0, 489, 177);
  mapctl::Legend* legend = new mapctl::Legend(&panel);
  legend->setGeometry(489, 0, 161, 177);
  auto layer = std::make_shared<mapctl::MapLayer>("map.shp");
  ASSERT_TRUE(layer->Valid());
  layer->DefaultSymbol().Color = 0xFF00;
  layer->DefaultSymbol().Outline = false;
  map->Layers().Add(layer);
  map->SetBackColor(0xC0C0C0);
  legend->SetBackColor(0xC0C0C0);
  legend->SetMapSource(map);

  auto out = testsupport::BinaryDir() / "test-output";
  std::filesystem::create_directories(out);
  for (std::string field : {"PSU1", "TOT1"}) {
    auto renderer = ResultRenderer(*layer, field, 10);
    layer->SetRenderer(renderer);
    map->SetExtent(map->FullExtent());
    legend->Refresh(true);
    QImage image = panel.grab().toImage();
    ASSERT_TRUE(image.save(QString::fromStdString((out / ("map-" + field + ".png")).string())));
    for (int r : {0, 5, 249, 495, 499}) {
      double v = vb::CDbl(layer->Value(r, field));
      QColor want = mapctl::ColorFromBGR(renderer->ClassSymbol(renderer->ClassOf(v)).Color);
      EXPECT_EQ(image.pixelColor(PixelOf(*map, fixture::CellCentre(r))), want) << field << " cell " << r;
    }
    EXPECT_EQ(image.pixelColor(2, 2), QColor(0xC0, 0xC0, 0xC0));  // outside the estuary
    // Ten classes and the layer's row fit the legend as designed, the highest class included.
    EXPECT_TRUE(legend->findChild<QScrollBar*>()->isHidden()) << field;
    const QColor top = mapctl::ColorFromBGR(renderer->ClassSymbol(9).Color);
    bool highestShown = false;
    for (int y = 0; y < 177 && !highestShown; ++y) highestShown = image.pixelColor(489 + 20, y) == top;
    EXPECT_TRUE(highestShown) << field;
    if (field == "PSU1") {
      // Salinity 30 at the mouth is in class 8 (28 - 32); 0 at the river end is on break 0.
      EXPECT_EQ(layer->SymbolFor(0).Color, renderer->ClassSymbol(8).Color);
      EXPECT_EQ(layer->SymbolFor(499).Color, 0xFF0000u);
    }
  }
}
