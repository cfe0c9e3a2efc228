// A map layer read from a shapefile (shapes from .shp/.shx, attributes from .dbf), held in
// memory, with its symbol, its renderer and the searches the result map needs.
#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/map/Geometry.h"
#include "platform/map/Renderer.h"
#include "runtime/Variant.h"

namespace mapctl {

// Shape type codes as the forms test them.
constexpr int kShapeTypePoint = 21;
constexpr int kShapeTypeLine = 22;
constexpr int kShapeTypePolygon = 23;
// Search method: the features that contain the point.
constexpr int kSearchPointInPolygon = 12;

struct Feature {
  std::vector<Ring> Parts;  // rings of a polygon, paths of a line, one point per part otherwise
  Rectangle Bounds;         // null for a null shape
};

struct LayerData {
  int ShapeType = 0;
  std::vector<Feature> Features;
  std::vector<std::string> FieldNames;
  std::vector<std::vector<vb::Variant>> Values;  // [feature][field]
  Rectangle Extent{0, -1, -1, 0};
  int FieldIndex(std::string_view name) const;  // -1 when the layer has no such field
};

// The features a search found, in the order it asked for.
class Recordset {
 public:
  Recordset() = default;
  Recordset(std::shared_ptr<const LayerData> data, std::vector<int> rows);

  int RecordCount() const { return static_cast<int>(rows_.size()); }
  // End of the records (EOF is a C macro, hence the spelling, as in the data-access layer).
  bool Eof() const { return pos_ >= rows_.size(); }
  void MoveFirst() { pos_ = 0; }
  void MoveNext() {
    if (pos_ < rows_.size()) ++pos_;
  }
  // Value of a field of the current record (name without regard to case): a Double for
  // numbers, a String for text, a Boolean for logicals, Null for a missing value. Raises
  // 3021 at the end, 3265 for a field the layer does not have.
  vb::Variant Fields(std::string_view name) const;
  // Record number of the current feature in its layer, from 0.
  int FeatureId() const;

 private:
  std::shared_ptr<const LayerData> data_;
  std::vector<int> rows_;
  size_t pos_ = 0;
};

class MapLayer {
 public:
  MapLayer() = default;
  explicit MapLayer(const std::string& file) { SetFile(file); }

  // Reads the layer; a file that cannot be read leaves the layer not valid, with the reason
  // in LastError(). Broken single records are kept as null shapes and noted there too.
  void SetFile(const std::string& path);
  const std::string& File() const { return file_; }
  bool Valid() const { return valid_; }
  const std::string& LastError() const { return error_; }

  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }

  int ShapeType() const { return data_->ShapeType; }
  Rectangle Extent() const { return data_->Extent; }
  int FeatureCount() const { return static_cast<int>(data_->Features.size()); }
  const Feature& FeatureAt(int index) const { return data_->Features.at(static_cast<size_t>(index)); }
  const std::vector<std::string>& FieldNames() const { return data_->FieldNames; }
  vb::Variant Value(int feature, std::string_view field) const;  // Null when none

  Symbol& DefaultSymbol() { return symbol_; }
  const Symbol& DefaultSymbol() const { return symbol_; }
  const std::shared_ptr<ClassBreaksRenderer>& Renderer() const { return renderer_; }
  void SetRenderer(std::shared_ptr<ClassBreaksRenderer> renderer) { renderer_ = std::move(renderer); }
  // The symbol a feature is drawn with: its class under the renderer, else the default.
  const Symbol& SymbolFor(int feature) const;

  // Expression: [condition [AND condition ...]] [ORDER BY field [ASC|DESC]], where a
  // condition is `field op value` (op one of = <> < > <= >=, value a number or 'text') and
  // the field FeatureId is the record number. Empty selects every feature in record order.
  // A malformed expression raises 5.
  Recordset SearchExpression(std::string_view expression) const;
  // Features that contain the point (method 12); other methods and non-polygon layers find none.
  Recordset SearchShape(const Point& point, int method, std::string_view expression) const;
  // Features within `distance` of the point (a polygon that contains it counts as 0).
  Recordset SearchByDistance(const Point& point, double distance, std::string_view expression) const;

 private:
  Recordset Select(std::string_view expression, const std::vector<bool>* keep) const;
  void Note(const std::string& text);

  std::string file_;
  std::string name_;
  std::string error_;
  bool valid_ = false;
  bool visible_ = true;
  Symbol symbol_{0x00A000, true};
  std::shared_ptr<ClassBreaksRenderer> renderer_;
  std::shared_ptr<LayerData> data_ = std::make_shared<LayerData>();
};

}  // namespace mapctl
