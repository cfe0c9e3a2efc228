#include "platform/map/MapLayer.h"

#include <shapefil.h>

#include <QString>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>

#include "runtime/VbError.h"

namespace mapctl {

namespace {

// shapelib reports through a hook without user data; the UI thread is the only reader.
std::string gShapelibMessage;
void CatchShapelibMessage(const char* message) {
  if (gShapelibMessage.empty() && message) gShapelibMessage = message;
}

SAHooks QuietHooks() {
  SAHooks hooks;
  SASetupDefaultHooks(&hooks);
  hooks.Error = CatchShapelibMessage;
  return hooks;
}

int ShapeTypeCode(int shpType) {
  switch (shpType) {
    case SHPT_POINT: case SHPT_POINTZ: case SHPT_POINTM:
    case SHPT_MULTIPOINT: case SHPT_MULTIPOINTZ: case SHPT_MULTIPOINTM:
      return kShapeTypePoint;
    case SHPT_ARC: case SHPT_ARCZ: case SHPT_ARCM:
      return kShapeTypeLine;
    case SHPT_POLYGON: case SHPT_POLYGONZ: case SHPT_POLYGONM:
      return kShapeTypePolygon;
    default:
      return 0;
  }
}

Feature ReadFeature(const SHPObject& obj, int typeCode) {
  Feature f;
  auto vertex = [&](int k) { return Point{obj.padfX[k], obj.padfY[k]}; };
  auto finite = [&](int k) { return std::isfinite(obj.padfX[k]) && std::isfinite(obj.padfY[k]); };
  if (typeCode == kShapeTypePoint) {
    for (int k = 0; k < obj.nVertices; ++k)
      if (finite(k)) f.Parts.push_back(Ring{vertex(k)});
  } else {
    int parts = std::max(obj.nParts, 1);
    for (int p = 0; p < parts; ++p) {
      int from = obj.nParts > 0 ? obj.panPartStart[p] : 0;
      int to = (p + 1 < obj.nParts) ? obj.panPartStart[p + 1] : obj.nVertices;
      Ring ring;
      for (int k = std::max(from, 0); k < std::min(to, obj.nVertices); ++k)
        if (finite(k)) ring.push_back(vertex(k));
      if (!ring.empty()) f.Parts.push_back(std::move(ring));
    }
  }
  f.Bounds = BoundsOf(f.Parts);
  return f;
}

vb::Variant ReadAttribute(DBFHandle dbf, int record, int field, DBFFieldType type) {
  if (DBFIsAttributeNULL(dbf, record, field)) return vb::Variant::Null();
  switch (type) {
    case FTInteger:
    case FTDouble: {
      double v = DBFReadDoubleAttribute(dbf, record, field);
      return std::isfinite(v) ? vb::Variant(v) : vb::Variant::Null();
    }
    case FTLogical: {
      const char* s = DBFReadLogicalAttribute(dbf, record, field);
      return vb::Variant(s && (*s == 'T' || *s == 't' || *s == 'Y' || *s == 'y'));
    }
    default: {
      const char* s = DBFReadStringAttribute(dbf, record, field);
      // Attribute tables are single-byte text; kept as UTF-8 like every other string.
      return vb::Variant(QString::fromLatin1(s ? s : "").trimmed().toStdString());
    }
  }
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// -1 when a < b, 0 when equal, 1 when a > b; Null sorts first, numbers before text.
int Compare(const vb::Variant& a, const vb::Variant& b) {
  bool av = !a.IsNull() && !a.IsEmpty(), bv = !b.IsNull() && !b.IsEmpty();
  if (!av || !bv) return static_cast<int>(av) - static_cast<int>(bv);
  bool an = !a.IsString(), bn = !b.IsString();
  if (an != bn) return an ? -1 : 1;
  if (an) {
    double x = vb::CDbl(a), y = vb::CDbl(b);
    return (x > y) - (x < y);
  }
  int c = a.AsString().compare(b.AsString());
  return (c > 0) - (c < 0);
}

// The search expressions of the map: conditions joined by AND, then an optional ordering.
struct Condition {
  std::string field;
  std::string op;
  vb::Variant value;
};
struct Query {
  std::vector<Condition> conditions;
  std::string orderBy;
  bool descending = false;
};

class ExpressionReader {
 public:
  explicit ExpressionReader(std::string_view text) : text_(text) {}

  Query Read() {
    Query q;
    SkipBlanks();
    if (!AtEnd() && !PeekWord("ORDER")) {
      q.conditions.push_back(ReadCondition());
      while (PeekWord("AND")) {
        Word();
        q.conditions.push_back(ReadCondition());
      }
    }
    if (PeekWord("ORDER")) {
      Word();
      if (!SameName(Word(), "BY")) Fail();
      q.orderBy = Word();
      if (q.orderBy.empty()) Fail();
      if (PeekWord("DESC")) {
        Word();
        q.descending = true;
      } else if (PeekWord("ASC")) {
        Word();
      }
    }
    if (!AtEnd()) Fail();
    return q;
  }

 private:
  [[noreturn]] void Fail() {
    vb::Raise(5, "MapLayer", "The search expression '" + std::string(text_) + "' cannot be read.");
  }
  bool AtEnd() { SkipBlanks(); return pos_ >= text_.size(); }
  void SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
  }
  std::string Word() {
    SkipBlanks();
    size_t start = pos_;
    while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_')) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }
  bool PeekWord(std::string_view word) {
    size_t keep = pos_;
    bool match = SameName(Word(), word);
    pos_ = keep;
    return match;
  }
  Condition ReadCondition() {
    Condition c;
    c.field = Word();
    if (c.field.empty()) Fail();
    SkipBlanks();
    for (std::string_view op : {"<>", "<=", ">=", "=", "<", ">"})
      if (text_.substr(pos_, op.size()) == op) {
        c.op = op;
        pos_ += op.size();
        break;
      }
    if (c.op.empty()) Fail();
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '\'') {
      size_t close = text_.find('\'', pos_ + 1);
      if (close == std::string_view::npos) Fail();
      c.value = vb::Variant(std::string(text_.substr(pos_ + 1, close - pos_ - 1)));
      pos_ = close + 1;
    } else {
      double v = 0;
      auto [end, ec] = std::from_chars(text_.data() + pos_, text_.data() + text_.size(), v);
      if (ec != std::errc()) Fail();
      pos_ = static_cast<size_t>(end - text_.data());
      c.value = vb::Variant(v);
    }
    return c;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

bool Holds(const Condition& c, const vb::Variant& v) {
  if (v.IsNull() || v.IsEmpty()) return false;
  int cmp = Compare(v, c.value);
  if (c.op == "=") return cmp == 0;
  if (c.op == "<>") return cmp != 0;
  if (c.op == "<") return cmp < 0;
  if (c.op == ">") return cmp > 0;
  if (c.op == "<=") return cmp <= 0;
  return cmp >= 0;
}

}  // namespace

int LayerData::FieldIndex(std::string_view name) const {
  for (size_t i = 0; i < FieldNames.size(); ++i)
    if (SameName(FieldNames[i], name)) return static_cast<int>(i);
  return -1;
}

Recordset::Recordset(std::shared_ptr<const LayerData> data, std::vector<int> rows)
    : data_(std::move(data)), rows_(std::move(rows)) {}

vb::Variant Recordset::Fields(std::string_view name) const {
  if (Eof()) vb::Raise(3021, "Recordset", "No current record.");
  int field = data_->FieldIndex(name);
  if (field < 0) vb::Raise(3265, "Recordset", "Item not found in this collection.");
  const auto& row = data_->Values[static_cast<size_t>(rows_[pos_])];
  return static_cast<size_t>(field) < row.size() ? row[static_cast<size_t>(field)] : vb::Variant::Null();
}

int Recordset::FeatureId() const {
  if (Eof()) vb::Raise(3021, "Recordset", "No current record.");
  return rows_[pos_];
}

void MapLayer::SetFile(const std::string& path) {
  file_ = path;
  name_ = std::filesystem::path(path).stem().string();
  valid_ = false;
  error_.clear();
  data_ = std::make_shared<LayerData>();
  gShapelibMessage.clear();

  SAHooks hooks = QuietHooks();
  SHPHandle shp = SHPOpenLL(path.c_str(), "rb", &hooks);
  if (!shp) {
    error_ = "Cannot open the layer '" + path + "'" + (gShapelibMessage.empty() ? "." : ": " + gShapelibMessage);
    return;
  }
  int count = 0, type = 0;
  double lo[4], hi[4];
  SHPGetInfo(shp, &count, &type, lo, hi);
  auto data = std::make_shared<LayerData>();
  data->ShapeType = ShapeTypeCode(type);
  if (data->ShapeType == 0) {
    SHPClose(shp);
    error_ = "The layer '" + path + "' holds shapes of type " + std::to_string(type) + ", which the map cannot draw.";
    return;
  }
  int broken = 0;
  for (int i = 0; i < count; ++i) {
    SHPObject* obj = SHPReadObject(shp, i);
    if (!obj) {
      ++broken;
      data->Features.emplace_back();
      data->Features.back().Bounds = Rectangle{0, -1, -1, 0};
      continue;
    }
    data->Features.push_back(ReadFeature(*obj, data->ShapeType));
    SHPDestroyObject(obj);
    data->Extent = data->Extent.United(data->Features.back().Bounds);
  }
  SHPClose(shp);

  DBFHandle dbf = DBFOpenLL(path.c_str(), "rb", &hooks);
  data->Values.assign(data->Features.size(), {});
  if (dbf) {
    int fields = DBFGetFieldCount(dbf);
    std::vector<DBFFieldType> types;
    for (int f = 0; f < fields; ++f) {
      char name[XBASE_FLDNAME_LEN_READ + 1] = {};
      int width = 0, decimals = 0;
      types.push_back(DBFGetFieldInfo(dbf, f, name, &width, &decimals));
      data->FieldNames.emplace_back(name);
    }
    int records = std::min(DBFGetRecordCount(dbf), count);
    for (int r = 0; r < count; ++r) {
      auto& row = data->Values[static_cast<size_t>(r)];
      row.assign(static_cast<size_t>(fields), vb::Variant::Null());
      if (r < records)
        for (int f = 0; f < fields; ++f) row[static_cast<size_t>(f)] = ReadAttribute(dbf, r, f, types[static_cast<size_t>(f)]);
    }
    if (DBFGetRecordCount(dbf) != count)
      Note("The attribute table of '" + path + "' holds " + std::to_string(DBFGetRecordCount(dbf)) +
               " records for " + std::to_string(count) + " shapes.");
    DBFClose(dbf);
  } else {
    Note("The layer '" + path + "' has no attribute table.");
  }
  if (broken > 0)
    Note(std::to_string(broken) + " shape record(s) of '" + path + "' could not be read and are left empty.");
  data_ = std::move(data);
  valid_ = true;
}

void MapLayer::Note(const std::string& text) { error_ += (error_.empty() ? "" : " ") + text; }

vb::Variant MapLayer::Value(int feature, std::string_view field) const {
  int f = data_->FieldIndex(field);
  if (f < 0 || feature < 0 || feature >= FeatureCount()) return vb::Variant::Null();
  return data_->Values[static_cast<size_t>(feature)][static_cast<size_t>(f)];
}

const Symbol& MapLayer::SymbolFor(int feature) const {
  if (!renderer_) return symbol_;
  vb::Variant v = Value(feature, renderer_->Field());
  if (v.IsNull() || v.IsString()) return symbol_;
  return renderer_->ClassSymbol(renderer_->ClassOf(vb::CDbl(v)));
}

Recordset MapLayer::Select(std::string_view expression, const std::vector<bool>* keep) const {
  Query q = ExpressionReader(expression).Read();
  std::vector<int> fieldOf;
  for (const Condition& c : q.conditions) {
    int f = SameName(c.field, "FeatureId") ? -2 : data_->FieldIndex(c.field);
    if (f == -1) vb::Raise(5, "MapLayer", "The layer has no field '" + c.field + "'.");
    fieldOf.push_back(f);
  }
  auto valueOf = [&](int row, int field) {
    return field == -2 ? vb::Variant(static_cast<double>(row)) : data_->Values[static_cast<size_t>(row)][static_cast<size_t>(field)];
  };
  std::vector<int> rows;
  for (int r = 0; r < FeatureCount(); ++r) {
    if (keep && !(*keep)[static_cast<size_t>(r)]) continue;
    bool all = true;
    for (size_t c = 0; c < q.conditions.size() && all; ++c) all = Holds(q.conditions[c], valueOf(r, fieldOf[c]));
    if (all) rows.push_back(r);
  }
  if (!q.orderBy.empty()) {
    int f = SameName(q.orderBy, "FeatureId") ? -2 : data_->FieldIndex(q.orderBy);
    if (f == -1) vb::Raise(5, "MapLayer", "The layer has no field '" + q.orderBy + "'.");
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
      int c = Compare(valueOf(a, f), valueOf(b, f));
      return q.descending ? c > 0 : c < 0;
    });
  }
  return Recordset(data_, std::move(rows));
}

Recordset MapLayer::SearchExpression(std::string_view expression) const { return Select(expression, nullptr); }

Recordset MapLayer::SearchShape(const Point& point, int method, std::string_view expression) const {
  std::vector<bool> keep(static_cast<size_t>(FeatureCount()), false);
  if (method == kSearchPointInPolygon && ShapeType() == kShapeTypePolygon)
    for (int r = 0; r < FeatureCount(); ++r) {
      const Feature& f = FeatureAt(r);
      keep[static_cast<size_t>(r)] = f.Bounds.Contains(point) && RingsContain(f.Parts, point);
    }
  return Select(expression, &keep);
}

Recordset MapLayer::SearchByDistance(const Point& point, double distance, std::string_view expression) const {
  std::vector<bool> keep(static_cast<size_t>(FeatureCount()), false);
  for (int r = 0; r < FeatureCount(); ++r) {
    const Feature& f = FeatureAt(r);
    if (f.Parts.empty()) continue;
    bool polygon = ShapeType() == kShapeTypePolygon;
    keep[static_cast<size_t>(r)] = (polygon && RingsContain(f.Parts, point)) ||
                                   DistanceToRings(f.Parts, point, polygon) <= distance;
  }
  return Select(expression, &keep);
}

}  // namespace mapctl
