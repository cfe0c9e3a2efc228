// Reads a written layer back with shapelib's own reader, for the map-layer tests.
#pragma once
#include <shapefil.h>

#include <string>
#include <vector>

namespace layertest {

struct Shape {
  int type = 0;
  int parts = 0;
  std::vector<double> x, y;
};

struct Field {
  std::string name;  // as stored, trailing blanks included
  DBFFieldType type = FTInvalid;
  int width = 0;
  int decimals = 0;
};

struct Layer {
  bool shpOpened = false;
  bool dbfOpened = false;
  int shapeType = 0;
  std::vector<Shape> shapes;
  std::vector<Field> fields;
  int records = 0;
  // values[record][field]: shapelib's text of the value; empty for a null value.
  std::vector<std::vector<std::string>> values;
  std::vector<std::vector<bool>> nulls;
};

inline Layer ReadLayer(const std::string& base) {
  Layer layer;
  if (SHPHandle shp = SHPOpen(base.c_str(), "rb")) {
    layer.shpOpened = true;
    int count = 0;
    SHPGetInfo(shp, &count, &layer.shapeType, nullptr, nullptr);
    for (int i = 0; i < count; ++i) {
      SHPObject* o = SHPReadObject(shp, i);
      Shape s;
      s.type = o->nSHPType;
      s.parts = o->nParts;
      s.x.assign(o->padfX, o->padfX + o->nVertices);
      s.y.assign(o->padfY, o->padfY + o->nVertices);
      layer.shapes.push_back(s);
      SHPDestroyObject(o);
    }
    SHPClose(shp);
  }
  if (DBFHandle dbf = DBFOpen(base.c_str(), "rb")) {
    layer.dbfOpened = true;
    for (int f = 0; f < DBFGetFieldCount(dbf); ++f) {
      char name[XBASE_FLDNAME_LEN_READ + 1] = {};
      Field field;
      field.type = DBFGetFieldInfo(dbf, f, name, &field.width, &field.decimals);
      field.name = name;
      layer.fields.push_back(field);
    }
    layer.records = DBFGetRecordCount(dbf);
    for (int r = 0; r < layer.records; ++r) {
      layer.values.emplace_back();
      layer.nulls.emplace_back();
      for (int f = 0; f < DBFGetFieldCount(dbf); ++f) {
        const bool null = DBFIsAttributeNULL(dbf, r, f);
        layer.nulls.back().push_back(null);
        layer.values.back().push_back(null ? std::string() : DBFReadStringAttribute(dbf, r, f));
      }
    }
    DBFClose(dbf);
  }
  return layer;
}

}  // namespace layertest
