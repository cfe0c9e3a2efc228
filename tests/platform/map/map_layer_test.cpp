// Reading layers from shapefiles and the searches the result map uses.
#include <gtest/gtest.h>
#include <shapefil.h>

#include <filesystem>

#include "platform/map/MapLayer.h"
#include "runtime/VbError.h"
#include "tests/platform/map/ShapeFixture.h"
#include "tests/support/TestDir.h"

using mapctl::MapLayer;

namespace {

// Three cells in a row, the middle one written clockwise.
void WriteThreeCells(const std::string& path) {
  fixture::WriteLayer(path, SHPT_POLYGON,
                      {{fixture::Box(0, 0, 10, 10)}, {fixture::Box(10, 0, 20, 10, true)}, {fixture::Box(20, 0, 30, 10)}},
                      {{"V", {5, -2, 0.5}}});
}

std::vector<int> Ids(mapctl::Recordset rs) {
  std::vector<int> ids;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) ids.push_back(rs.FeatureId());
  return ids;
}

int ErrorNumber(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::VbError& e) {
    return e.number;
  }
  return 0;
}

}  // namespace

TEST(MapLayer, ReadsPolygonsLinesAndPointsWithTheirShapeTypeExtentAndValues) {
  WriteThreeCells("cells.shp");
  fixture::WriteLayer("lines.shp", SHPT_ARC, {{{{0, 0}, {10, 10}}}}, {{"V", {1}}});
  fixture::WriteLayer("points.shp", SHPT_POINT, {{{{3, 4}}}, {{{-1, 2}}}}, {{"V", {7, 8}}});

  MapLayer cells("cells.shp"), lines("lines.shp"), points("points.shp");
  ASSERT_TRUE(cells.Valid()) << cells.LastError();
  EXPECT_TRUE(cells.LastError().empty());
  EXPECT_EQ(cells.Name(), "cells");
  EXPECT_EQ(cells.ShapeType(), mapctl::kShapeTypePolygon);
  EXPECT_EQ(lines.ShapeType(), mapctl::kShapeTypeLine);
  EXPECT_EQ(points.ShapeType(), mapctl::kShapeTypePoint);
  EXPECT_EQ(cells.FeatureCount(), 3);
  EXPECT_DOUBLE_EQ(cells.Extent().Right, 30);
  EXPECT_DOUBLE_EQ(cells.Extent().Top, 10);
  EXPECT_DOUBLE_EQ(points.Extent().Left, -1);
  EXPECT_DOUBLE_EQ(vb::CDbl(cells.Value(1, "v")), -2);  // field names without regard to case
  EXPECT_TRUE(cells.Value(1, "W").IsNull());
}

TEST(MapLayer, MissingOrBrokenFilesLeaveTheLayerNotValidWithAReason) {
  MapLayer missing("nowhere.shp");
  EXPECT_FALSE(missing.Valid());
  EXPECT_NE(missing.LastError().find("nowhere.shp"), std::string::npos);

  testsupport::WriteFile("junk.shp", std::string(40, 'x'));
  testsupport::WriteFile("junk.shx", std::string(40, 'x'));
  EXPECT_FALSE(MapLayer("junk.shp").Valid());

  // Without its attribute table the shapes still draw; the reason is kept.
  WriteThreeCells("bare.shp");
  std::filesystem::remove("bare.dbf");
  MapLayer bare("bare.shp");
  EXPECT_TRUE(bare.Valid());
  EXPECT_EQ(bare.FeatureCount(), 3);
  EXPECT_NE(bare.LastError().find("no attribute table"), std::string::npos);
  EXPECT_TRUE(bare.Value(0, "V").IsNull());

  // A shape file cut short: the records before the cut are kept, the broken one is empty.
  WriteThreeCells("cut.shp");
  std::filesystem::resize_file("cut.shp", std::filesystem::file_size("cut.shp") - 20);
  MapLayer cut("cut.shp");
  ASSERT_TRUE(cut.Valid()) << cut.LastError();
  EXPECT_EQ(cut.FeatureCount(), 3);
  EXPECT_FALSE(cut.FeatureAt(1).Parts.empty());
  EXPECT_TRUE(cut.FeatureAt(2).Parts.empty());
  EXPECT_NE(cut.LastError().find("could not be read"), std::string::npos);
  EXPECT_DOUBLE_EQ(cut.Extent().Right, 20);
  EXPECT_TRUE(cut.SearchShape({25, 5}, mapctl::kSearchPointInPolygon, "").Eof());
}

TEST(MapLayer, ExpressionSearchOrdersAndFilters) {
  WriteThreeCells("cells.shp");
  MapLayer layer("cells.shp");
  EXPECT_EQ(Ids(layer.SearchExpression("FeatureId > -1 order by V")), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(Ids(layer.SearchExpression("featureid > -1 ORDER BY v DESC")), (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(Ids(layer.SearchExpression("")), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Ids(layer.SearchExpression("V >= 0.5 and V <> 5")), (std::vector<int>{2}));
  EXPECT_EQ(Ids(layer.SearchExpression("FeatureId = 7")), std::vector<int>{});

  mapctl::Recordset rs = layer.SearchExpression("FeatureId > -1 order by V");
  EXPECT_EQ(rs.RecordCount(), 3);
  EXPECT_DOUBLE_EQ(vb::CDbl(rs.Fields("V")), -2);

  EXPECT_EQ(ErrorNumber([&] { layer.SearchExpression("V >"); }), 5);
  EXPECT_EQ(ErrorNumber([&] { layer.SearchExpression("order V"); }), 5);
  EXPECT_EQ(ErrorNumber([&] { layer.SearchExpression("W > 1"); }), 5);
  EXPECT_EQ(ErrorNumber([&] { rs.Fields("W"); }), 3265);
  rs.MoveNext(), rs.MoveNext(), rs.MoveNext();
  EXPECT_EQ(ErrorNumber([&] { rs.Fields("V"); }), 3021);
}

TEST(MapLayer, PointSearchFindsTheCellWhateverItsRingDirection) {
  WriteThreeCells("cells.shp");
  MapLayer layer("cells.shp");
  EXPECT_EQ(Ids(layer.SearchShape({5, 5}, mapctl::kSearchPointInPolygon, "")), std::vector<int>{0});
  EXPECT_EQ(Ids(layer.SearchShape({15, 5}, mapctl::kSearchPointInPolygon, "")), std::vector<int>{1});
  EXPECT_TRUE(layer.SearchShape({15, 11}, mapctl::kSearchPointInPolygon, "").Eof());
  EXPECT_TRUE(layer.SearchShape({15, 5}, 1, "").Eof());  // only method 12 is known
  EXPECT_TRUE(layer.SearchShape({5, 5}, mapctl::kSearchPointInPolygon, "V < 0").Eof());
}

TEST(MapLayer, DistanceSearchOnPointsLinesAndPolygons) {
  fixture::WriteLayer("points.shp", SHPT_POINT, {{{{0, 0}}}, {{{10, 0}}}, {{{3, 4}}}}, {{"V", {1, 2, 3}}});
  fixture::WriteLayer("lines.shp", SHPT_ARC, {{{{0, 0}, {10, 0}}}, {{{0, 5}, {10, 5}}}}, {{"V", {1, 2}}});
  WriteThreeCells("cells.shp");
  EXPECT_EQ(Ids(MapLayer("points.shp").SearchByDistance({0, 0}, 5, "")), (std::vector<int>{0, 2}));
  EXPECT_EQ(Ids(MapLayer("points.shp").SearchByDistance({0, 0}, 4.99, "")), (std::vector<int>{0}));
  EXPECT_EQ(Ids(MapLayer("lines.shp").SearchByDistance({5, 1}, 1, "")), (std::vector<int>{0}));
  EXPECT_EQ(Ids(MapLayer("lines.shp").SearchByDistance({5, 2.5}, 3, "")), (std::vector<int>{0, 1}));
  EXPECT_EQ(Ids(MapLayer("cells.shp").SearchByDistance({15, 5}, 1, "")), (std::vector<int>{1}));
  EXPECT_EQ(Ids(MapLayer("cells.shp").SearchByDistance({31, 5}, 1.5, "")), (std::vector<int>{2}));
}

TEST(MapLayer, SymbolForFollowsTheRendererAndFallsBackToTheDefault) {
  WriteThreeCells("cells.shp");
  MapLayer layer("cells.shp");
  layer.DefaultSymbol().Color = 0x00FF00;
  EXPECT_EQ(layer.SymbolFor(0).Color, 0x00FF00u);
  auto r = std::make_shared<mapctl::ClassBreaksRenderer>();
  r->SetField("V");
  r->SetBreakCount(1);
  r->SetBreak(0, 0.5);
  r->RampColors(0xFF0000, 0x0000FF);
  layer.SetRenderer(r);
  EXPECT_EQ(layer.SymbolFor(0).Color, 0x0000FFu);  // 5 > 0.5
  EXPECT_EQ(layer.SymbolFor(2).Color, 0xFF0000u);  // 0.5 on the break: lower class
  r->SetField("W");                                // a field the layer lacks
  EXPECT_EQ(layer.SymbolFor(0).Color, 0x00FF00u);
}
