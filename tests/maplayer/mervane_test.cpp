// The map-layer library called directly through its C entry points.
#include "maplayer/Mervane.h"
#include "services/DIOUtils.h"
#include "tests/maplayer/LayerReader.h"
#include "tests/support/TestDir.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <set>

using namespace mervane_codes;
using layertest::ReadLayer;
namespace fs = std::filesystem;

namespace {

struct FieldSpec {
  std::string name, type;
  int32_t width = 10, decimals = 0;
};

// One create call; the buffers are built the way the application builds them.
struct Create {
  std::string layer = "layer";
  std::string shape = "POINT";
  std::vector<FieldSpec> fields;
  int32_t nameWidth = 10;
  int32_t typeWidth = 7;
  std::optional<int32_t> count;  // the field count, when not the number of fields
  std::string types;             // the type buffer after the call
  std::vector<int32_t> numbers;  // field numbers after the call; 77 where untouched

  int32_t Run() {
    std::vector<std::string> names, words;
    std::vector<int32_t> widths, decimals;
    for (const FieldSpec& f : fields) {
      names.push_back(f.name);
      words.push_back(f.type);
      widths.push_back(f.width);
      decimals.push_back(f.decimals);
    }
    const std::string nameBuffer = DIOUtils::JoinFixedWidth(names, nameWidth);
    types = DIOUtils::JoinFixedWidth(words, typeWidth);
    numbers.assign(fields.size() + 1, 77);
    const int32_t n = count.value_or(static_cast<int32_t>(fields.size()));
    int32_t error = -1;
    SHAPEFILECREATE(&error, layer.data(), static_cast<int32_t>(layer.size()), shape.data(),
                    static_cast<int32_t>(shape.size()), nameBuffer.data(), nameWidth, types.data(), typeWidth,
                    widths.data(), decimals.data(), &n, numbers.data());
    return error;
  }
};

struct Values {
  std::vector<float> x{1.0f}, y{2.0f};
  std::optional<int32_t> np;
  std::vector<std::string> strings;
  std::vector<int32_t> stringFields;
  int32_t stringWidth = 8;
  std::vector<int32_t> integers, integerFields;
  std::vector<float> reals;
  std::vector<int32_t> realFields;
  std::vector<double> doubles;
  std::vector<int32_t> doubleFields;
  std::optional<int32_t> ns, ni, nr, nd;
};

int32_t Write(const Values& v) {
  const std::string buffer = DIOUtils::JoinFixedWidth(v.strings, v.stringWidth);
  const int32_t np = v.np.value_or(static_cast<int32_t>(v.x.size()));
  const int32_t ns = v.ns.value_or(static_cast<int32_t>(v.strings.size()));
  const int32_t ni = v.ni.value_or(static_cast<int32_t>(v.integers.size()));
  const int32_t nr = v.nr.value_or(static_cast<int32_t>(v.reals.size()));
  const int32_t nd = v.nd.value_or(static_cast<int32_t>(v.doubles.size()));
  int32_t error = -1;
  SHAPEFILEWRITE(&error, v.x.data(), v.y.data(), &np, buffer.data(), v.stringWidth, v.stringFields.data(), &ns,
                 v.integers.data(), v.integerFields.data(), &ni, v.reals.data(), v.realFields.data(), &nr,
                 v.doubles.data(), v.doubleFields.data(), &nd);
  return error;
}

int32_t Close() {
  int32_t error = 55;
  SHAPEFILECLOSE(&error);
  return error;
}

bool AnyLayerFile(const std::string& base) {
  for (const char* ext : {".shp", ".shx", ".dbf"})
    if (fs::exists(base + ext)) return true;
  return false;
}

// Every test leaves the library with no open layer.
class MervaneTest : public testing::Test {
 protected:
  void TearDown() override { Close(); }
};

TEST_F(MervaneTest, WordChecksGiveTheirCodesAndTouchNoFile) {
  struct Case {
    const char* shape;
    std::vector<std::string> types;
    int32_t expected;
  } cases[] = {
      {"POINT", {"DOUBLE ", "STRING", "INTEGER"}, kOk},
      {"POINT   ", {"DOUBLE"}, kOk},
      {"POLYLINE", {"STRING"}, kOk},
      {"POLYGON", {"INTEGER"}, kOk},
      {"POINTS", {"DOUBLE"}, kUnknownShapeType},
      {"Polygon", {"DOUBLE"}, kUnknownShapeType},
      {" POINT", {"DOUBLE"}, kUnknownShapeType},
      {"POINT", {"STRING", "double"}, kUnknownFieldType},
      {"POINT", {" DOUBLE", "STRING"}, kUnknownFieldType},
      {"POINT", {""}, kUnknownFieldType},
      {"CIRCLE", {"BOOLEAN"}, kUnknownShapeAndFieldType},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.shape) + " / " + c.types.back());
    Create create;
    create.shape = c.shape;
    for (size_t i = 0; i < c.types.size(); ++i) create.fields.push_back({"F" + std::to_string(i), c.types[i]});
    EXPECT_EQ(create.Run(), c.expected);
    EXPECT_EQ(AnyLayerFile("layer"), c.expected == kOk);
    Close();
    fs::remove("layer.shp"), fs::remove("layer.shx"), fs::remove("layer.dbf");
  }
}

TEST_F(MervaneTest, NegativeFieldCountGives104AndTouchesNoFile) {
  Create create;
  create.fields = {{"A", "DOUBLE"}};
  create.count = -1;
  EXPECT_EQ(create.Run(), kNegativeFieldCount);
  EXPECT_FALSE(AnyLayerFile("layer"));
}

TEST_F(MervaneTest, RealIsRewrittenAsDoubleInTheCallersBuffer) {
  struct Case {
    std::string shape;
    std::vector<std::string> types;
    int32_t typeWidth;
    int32_t expected;
    std::string typesAfter;
  } cases[] = {
      {"POINT", {"REAL", "STRING"}, 6, kOk, "DOUBLESTRING"},
      {"POINT", {"REAL", "real"}, 6, kUnknownFieldType, "DOUBLEreal  "},
      {"LINE", {"REAL"}, 6, kUnknownShapeType, "DOUBLE"},
      {"POINT", {"REAL"}, 8, kOk, "DOUBLE  "},
      {"POINT", {"REAL", "REAL"}, 4, kFieldTypeCut, "DOUBDOUB"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.typesAfter);
    Create create;
    create.shape = c.shape;
    create.typeWidth = c.typeWidth;
    for (const std::string& t : c.types) create.fields.push_back({"F", t, 12, t == "REAL" ? 2 : 0});
    EXPECT_EQ(create.Run(), c.expected);
    EXPECT_EQ(create.types, c.typesAfter);
    EXPECT_EQ(AnyLayerFile("layer"), c.expected == kOk);
    Close();
    fs::remove("layer.shp"), fs::remove("layer.shx"), fs::remove("layer.dbf");
  }
}

TEST_F(MervaneTest, FieldNameElementsWiderThanTenGive203WithoutFiles) {
  Create create;
  create.fields = {{"A", "DOUBLE"}, {"B", "STRING"}};
  create.nameWidth = 11;
  EXPECT_EQ(create.Run(), kFieldNameTooWide);
  EXPECT_FALSE(AnyLayerFile("layer"));
  EXPECT_EQ(create.numbers, (std::vector<int32_t>{77, 77, 77}));
  EXPECT_EQ(Write({}), kNoOpenLayer);
}

// The third field is refused: 203 + 3, the first two are defined, the layer is open.
TEST_F(MervaneTest, RefusedFieldGives203PlusItsNumberAndStopsTheFields) {
  const FieldSpec refused[] = {{"C", "INTEGER", 8, 2}, {"C", "STRING", 8, 2}, {"C", "DOUBLE", 0, 0}};
  for (const FieldSpec& third : refused) {
    SCOPED_TRACE(third.type);
    Create create;
    create.fields = {{"A", "DOUBLE", 12, 3}, {"B", "STRING", 6, 0}, third, {"D", "INTEGER", 5, 0}};
    EXPECT_EQ(create.Run(), 206);
    EXPECT_EQ(create.numbers, (std::vector<int32_t>{0, 1, -1, 77, 77}));
    Values v;
    v.doubles = {1.5};
    v.doubleFields = {0};
    EXPECT_EQ(Write(v), kOk);
    EXPECT_EQ(Close(), kOk);
    const auto layer = ReadLayer("layer");
    ASSERT_EQ(layer.fields.size(), 2u);
    EXPECT_EQ(layer.fields[1].name, "B         ");
    EXPECT_EQ(layer.shapes.size(), 1u);
  }
}

// Texts are read by their length words only: what follows them in the caller's buffer is not
// part of the text, and no terminator is needed.
TEST_F(MervaneTest, TextsEndAtTheirLengthWords) {
  const char layer[] = {'l', 'a', 'y', 'e', 'r', '.', 'x'};
  const char shape[] = {'P', 'O', 'I', 'N', 'T', 'S'};
  const char names[] = {'A', 'B', 'C', 'D'};
  char types[] = {'S', 'T', 'R', 'I', 'N', 'G', 'S', 'T', 'R', 'I', 'N', 'G'};
  const int32_t widths[2] = {10, 10}, decimals[2] = {0, 0}, n = 2;
  int32_t numbers[2] = {-5, -5};
  int32_t error = -1;
  SHAPEFILECREATE(&error, layer, 5, shape, 5, names, 2, types, 6, widths, decimals, &n, numbers);
  ASSERT_EQ(error, kOk);
  const float x = 1, y = 2;
  const char strings[] = {'a', 'b', 'c', 'd'};
  const int32_t fields[2] = {0, 1}, one = 1, two = 2, zero = 0;
  SHAPEFILEWRITE(&error, &x, &y, &one, strings, 2, fields, &two, nullptr, nullptr, &zero, nullptr, nullptr, &zero,
                 nullptr, nullptr, &zero);
  ASSERT_EQ(error, kOk);
  ASSERT_EQ(Close(), kOk);
  const auto read = ReadLayer("layer");
  ASSERT_TRUE(read.shpOpened);
  EXPECT_EQ(read.shapeType, SHPT_POINT);
  ASSERT_EQ(read.fields.size(), 2u);
  EXPECT_EQ(read.fields[0].name, "AB");
  EXPECT_EQ(read.fields[1].name, "CD");
  ASSERT_EQ(read.records, 1);
  EXPECT_EQ(read.values[0], (std::vector<std::string>{"ab", "cd"}));
}

TEST_F(MervaneTest, FieldNamesKeepTheirTrailingBlanks) {
  Create create;
  create.fields = {{"PS", "DOUBLE", 12, 4}};
  ASSERT_EQ(create.Run(), kOk);
  ASSERT_EQ(Close(), kOk);
  // The stored name is the whole 10-character element.
  const std::string dbf = testsupport::ReadFile("layer.dbf");
  ASSERT_GE(dbf.size(), 64u);
  EXPECT_EQ(dbf.substr(32, 11), std::string("PS        \0", 11));
}

TEST_F(MervaneTest, NoFieldsStillMakesTheThreeFiles) {
  Create create;
  create.shape = "POLYGON";
  EXPECT_EQ(create.Run(), kOk);
  EXPECT_EQ(Close(), kOk);
  for (const char* ext : {".shp", ".shx", ".dbf"}) EXPECT_TRUE(fs::exists(std::string("layer") + ext)) << ext;
  const auto layer = ReadLayer("layer");
  EXPECT_EQ(layer.shapeType, SHPT_POLYGON);
  EXPECT_TRUE(layer.fields.empty());
}

TEST_F(MervaneTest, UnwritableFolderGives201AndKeepsNoLayer) {
  Create create;
  create.layer = (testsupport::WorkDir() / "missing" / "layer").string();
  create.fields = {{"A", "DOUBLE"}};
  EXPECT_EQ(create.Run(), kCannotCreateFiles);
  EXPECT_EQ(create.numbers, (std::vector<int32_t>{77, 77}));
  EXPECT_EQ(Write({}), kNoOpenLayer);
}

TEST_F(MervaneTest, CallsOutOfOrder) {
  // Write and close without a layer.
  EXPECT_EQ(Write({}), kNoOpenLayer);
  EXPECT_FALSE(AnyLayerFile("layer"));
  EXPECT_EQ(Close(), kOk);

  // A second create finishes the first layer, which keeps its shape.
  Create first;
  first.layer = "first";
  first.fields = {{"N", "INTEGER", 5, 0}};
  ASSERT_EQ(first.Run(), kOk);
  Values v;
  v.integers = {42};
  v.integerFields = {0};
  ASSERT_EQ(Write(v), kOk);
  Create second;
  second.layer = "second";
  ASSERT_EQ(second.Run(), kOk);
  EXPECT_EQ(Close(), kOk);
  EXPECT_EQ(Close(), kOk);
  const auto layer = ReadLayer("first");
  ASSERT_EQ(layer.shapes.size(), 1u);
  ASSERT_EQ(layer.records, 1);
  EXPECT_EQ(layer.values[0][0], "42");
  EXPECT_TRUE(ReadLayer("second").shpOpened);
}

TEST_F(MervaneTest, PolygonRingIsWrittenAsGiven) {
  Create create;
  create.shape = "POLYGON";
  create.fields = {{"N", "INTEGER", 5, 0}};
  ASSERT_EQ(create.Run(), kOk);
  Values closed;
  closed.x = {0, 1, 1, 0, 0};
  closed.y = {0, 0, 1, 1, 0};
  closed.integers = {1};
  closed.integerFields = {0};
  Values open = closed;
  open.x.pop_back(), open.y.pop_back();
  ASSERT_EQ(Write(closed), kOk);
  ASSERT_EQ(Write(open), kOk);
  ASSERT_EQ(Close(), kOk);
  const auto layer = ReadLayer("layer");
  ASSERT_EQ(layer.shapes.size(), 2u);
  for (const auto& shape : layer.shapes) EXPECT_EQ(shape.parts, 1);
  EXPECT_EQ(layer.shapes[0].x, (std::vector<double>{0, 1, 1, 0, 0}));
  EXPECT_EQ(layer.shapes[0].y, (std::vector<double>{0, 0, 1, 1, 0}));
  EXPECT_EQ(layer.shapes[1].x, (std::vector<double>{0, 1, 1, 0}));
}

TEST_F(MervaneTest, PointTakesTheFirstPointAndRealsAreWidenedSingles) {
  Create create;
  create.fields = {{"R", "REAL", 14, 10}};
  ASSERT_EQ(create.Run(), kOk);
  Values v;
  v.x = {0.1f, 5, 6};
  v.y = {-2.5f, 7, 8};
  v.reals = {0.1f};
  v.realFields = {0};
  ASSERT_EQ(Write(v), kOk);
  ASSERT_EQ(Close(), kOk);
  const auto layer = ReadLayer("layer");
  ASSERT_EQ(layer.shapes.size(), 1u);
  EXPECT_EQ(layer.shapes[0].x, std::vector<double>{static_cast<double>(0.1f)});
  EXPECT_EQ(layer.shapes[0].y, std::vector<double>{-2.5});
  EXPECT_EQ(layer.values[0][0], "0.1000000015");
}

TEST_F(MervaneTest, FieldNumbersOutsideTheLayerAreSkippedWith502) {
  Create create;
  create.fields = {{"S", "STRING", 8, 0}, {"N", "INTEGER", 6, 0}, {"D", "DOUBLE", 10, 2}};
  ASSERT_EQ(create.Run(), kOk);
  Values v;
  v.strings = {"kept", "lost"};
  v.stringFields = {0, -1};
  v.integers = {7, 8};
  v.integerFields = {3, 1};
  v.doubles = {2.25};
  v.doubleFields = {99};
  EXPECT_EQ(Write(v), kBadFieldNumber);
  ASSERT_EQ(Close(), kOk);
  const auto layer = ReadLayer("layer");
  ASSERT_EQ(layer.shapes.size(), 1u);
  ASSERT_EQ(layer.records, 1);
  EXPECT_EQ(layer.values[0], (std::vector<std::string>{"kept", "8", ""}));
}

// A number written into a text column, or a text into a numeric one, would be read by shapelib
// as raw memory: such a value is skipped like one with an unknown field number.
TEST_F(MervaneTest, ValuesForAFieldOfTheOtherKindAreSkippedWith502) {
  Create create;
  create.fields = {{"S", "STRING", 12, 0}, {"N", "INTEGER", 6, 0}, {"D", "DOUBLE", 10, 2}};
  ASSERT_EQ(create.Run(), kOk);
  Values v;
  v.strings = {"text"};
  v.stringFields = {2};
  v.doubles = {3.14159};
  v.doubleFields = {0};
  v.reals = {2.5f};
  v.realFields = {0};
  v.integers = {9};
  v.integerFields = {1};
  EXPECT_EQ(Write(v), kBadFieldNumber);
  ASSERT_EQ(Close(), kOk);
  const auto layer = ReadLayer("layer");
  ASSERT_EQ(layer.records, 1);
  EXPECT_EQ(layer.values[0], (std::vector<std::string>{"", "9", ""}));
}

// shapelib cuts a number that does not fit its column; the value is still written and the
// caller learns of it through 504. A skipped value (502) outranks a cut one.
TEST_F(MervaneTest, NumberTooWideForItsFieldIsWrittenCutWith504) {
  struct Case {
    const char* what;
    std::vector<int32_t> integers, integerFields;
    std::vector<float> reals;
    std::vector<int32_t> realFields;
    std::vector<double> doubles;
    std::vector<int32_t> doubleFields;
    int32_t expected;
    std::vector<std::string> read;
  } cases[] = {
      {"fits exactly", {-9999}, {0}, {}, {}, {-99.99}, {1}, kOk, {"-9999", "-99.99"}},
      {"integer", {123456}, {0}, {}, {}, {}, {}, kValueTooWide, {"12345", ""}},
      {"double", {}, {}, {}, {}, {123456.5}, {1}, kValueTooWide, {"", "123456"}},
      {"real", {}, {}, {-1000.0f}, {1}, {}, {}, kValueTooWide, {"", "-1000."}},
      {"integer into the double field", {1000}, {1}, {}, {}, {}, {}, kValueTooWide, {"", "1000.0"}},
      {"cut and skipped", {123456, 1}, {0, 5}, {}, {}, {}, {}, kBadFieldNumber, {"12345", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Create create;
    create.fields = {{"I", "INTEGER", 5, 0}, {"D", "DOUBLE", 6, 2}};
    ASSERT_EQ(create.Run(), kOk);
    Values v;
    v.integers = c.integers, v.integerFields = c.integerFields;
    v.reals = c.reals, v.realFields = c.realFields;
    v.doubles = c.doubles, v.doubleFields = c.doubleFields;
    EXPECT_EQ(Write(v), c.expected);
    // The layer goes on: a later shape is written in full.
    Values next;
    next.integers = {7};
    next.integerFields = {0};
    EXPECT_EQ(Write(next), kOk);
    ASSERT_EQ(Close(), kOk);
    const auto layer = ReadLayer("layer");
    ASSERT_EQ(layer.records, 2);
    EXPECT_EQ(layer.values[0], c.read);
    EXPECT_EQ(layer.values[1][0], "7");
  }
}

TEST_F(MervaneTest, NegativeCountsCountAsZero) {
  Create create;
  create.fields = {{"N", "INTEGER", 6, 0}};
  ASSERT_EQ(create.Run(), kOk);
  Values v;
  v.np = -4;
  v.integers = {3};
  v.integerFields = {0};
  v.ns = -1, v.nr = -2, v.nd = -3;
  EXPECT_EQ(Write(v), kOk);
  ASSERT_EQ(Close(), kOk);
  const auto layer = ReadLayer("layer");
  ASSERT_EQ(layer.shapes.size(), 1u);
  EXPECT_EQ(layer.shapes[0].type, SHPT_NULL);
  EXPECT_EQ(layer.values[0][0], "3");
}

// A shape without values gets an empty record, so later records stay paired with their shapes.
TEST_F(MervaneTest, ShapeWithoutValuesKeepsRecordsInStep) {
  Create create;
  create.fields = {{"N", "INTEGER", 6, 0}, {"D", "DOUBLE", 10, 2}};
  ASSERT_EQ(create.Run(), kOk);
  ASSERT_EQ(Write({}), kOk);
  Values v;
  v.integers = {5};
  v.integerFields = {0};
  v.doubles = {NAN};
  v.doubleFields = {1};
  ASSERT_EQ(Write(v), kOk);
  ASSERT_EQ(Close(), kOk);
  const auto layer = ReadLayer("layer");
  ASSERT_EQ(layer.shapes.size(), 2u);
  ASSERT_EQ(layer.records, 2);
  EXPECT_TRUE(layer.nulls[0][0]);
  EXPECT_EQ(layer.values[1][0], "5");
  EXPECT_TRUE(layer.nulls[1][1]) << "no NaN text in the file";
}

TEST(MervaneExports, OnlyTheThreeEntryPoints) {
  FILE* pipe = popen("nm -D --defined-only " MERVANE_LIBRARY, "r");
  ASSERT_NE(pipe, nullptr);
  std::set<std::string> names;
  char line[512];
  while (fgets(line, sizeof line, pipe)) {
    std::string text(line);
    text.erase(text.find_last_not_of("\r\n") + 1);
    names.insert(text.substr(text.rfind(' ') + 1));
  }
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_EQ(names, (std::set<std::string>{"SHAPEFILECREATE", "SHAPEFILEWRITE", "SHAPEFILECLOSE"}));
}

}  // namespace

// The layer's files are written out when it is closed; a disk that takes only part of them must
// not pass for a written layer.
TEST_F(MervaneTest, FilesThatCannotBeWrittenOutGive505AtClose) {
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = before;
  small.rlim_cur = 2000;  // room for the headers, not for fifty shapes
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  Create create;
  create.shape = "POLYGON";
  create.fields = {{"N", "INTEGER", 5, 0}};
  const int32_t created = create.Run();
  int32_t written = kOk;
  Values v;
  v.x = {0, 1, 1, 0, 0};
  v.y = {0, 0, 1, 1, 0};
  v.integers = {7};
  v.integerFields = {0};
  for (int i = 0; i < 50; ++i) written = std::max(written, Write(v));
  const int32_t closed = Close();
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(created, kOk);
  EXPECT_EQ(written, kOk);
  EXPECT_EQ(closed, kCannotWriteFiles);
  // The next layer starts clean.
  Create next;
  next.layer = "next";
  ASSERT_EQ(next.Run(), kOk);
  EXPECT_EQ(Close(), kOk);
}

namespace {

// Hostile callers: each is refused at once with its code, and no file is made or left open.
TEST_F(MervaneTest, NullArraysWithAPositiveCountAreRefusedBeforeAnyFile) {
  const std::string names = "A         ", words = "INTEGER";
  int32_t widths[] = {5}, decimals[] = {0}, numbers[] = {77};
  const int32_t one = 1;
  struct Case {
    const char* name;
    const char *layer, *shape, *fieldNames;
    char* fieldTypes;
    const int32_t *w, *d;
    int32_t* numbers;
  };
  std::string types = words;
  const Case cases[] = {
      {"layer name", nullptr, "POINT", names.data(), types.data(), widths, decimals, numbers},
      {"shape word", "layer", nullptr, names.data(), types.data(), widths, decimals, numbers},
      {"field names", "layer", "POINT", nullptr, types.data(), widths, decimals, numbers},
      {"field types", "layer", "POINT", names.data(), nullptr, widths, decimals, numbers},
      {"widths", "layer", "POINT", names.data(), types.data(), nullptr, decimals, numbers},
      {"decimals", "layer", "POINT", names.data(), types.data(), widths, nullptr, numbers},
      {"field numbers", "layer", "POINT", names.data(), types.data(), widths, decimals, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    int32_t error = -1;
    SHAPEFILECREATE(&error, c.layer, 5, c.shape, 5, c.fieldNames, 10, c.fieldTypes, 7, c.w, c.d, &one, c.numbers);
    EXPECT_EQ(error, kMissingArray);
    EXPECT_FALSE(AnyLayerFile("layer"));
    EXPECT_EQ(Write({}), kNoOpenLayer);
  }
  EXPECT_EQ(numbers[0], 77);

  Create create;
  create.fields = {{"N", "INTEGER", 6, 0}, {"S", "STRING", 4, 0}, {"D", "DOUBLE", 10, 2}};
  ASSERT_EQ(create.Run(), kOk);
  const float xy[] = {1, 2};
  const int32_t zero = 0, field0[] = {0}, field1[] = {1}, field2[] = {2}, seven[] = {7};
  const float real[] = {1.5f};
  const double dbl[] = {2.5};
  struct WriteCase {
    const char* name;
    const float *x, *y;
    const int32_t* np;
    const char* strings;
    const int32_t *stringFields, *ns, *ints, *intFields, *ni;
    const float* reals;
    const int32_t *realFields, *nr;
    const double* doubles;
    const int32_t *doubleFields, *nd;
  } writes[] = {
      {"x", nullptr, xy, &one, "abcd", field1, &one, seven, field0, &one, real, field2, &one, dbl, field2, &one},
      {"y", xy, nullptr, &one, "abcd", field1, &one, seven, field0, &one, real, field2, &one, dbl, field2, &one},
      {"strings", xy, xy, &one, nullptr, field1, &one, seven, field0, &one, real, field2, &one, dbl, field2, &one},
      {"string fields", xy, xy, &one, "abcd", nullptr, &one, seven, field0, &one, real, field2, &one, dbl, field2, &one},
      {"integers", xy, xy, &one, "abcd", field1, &one, nullptr, field0, &one, real, field2, &one, dbl, field2, &one},
      {"integer fields", xy, xy, &one, "abcd", field1, &one, seven, nullptr, &one, real, field2, &one, dbl, field2, &one},
      {"reals", xy, xy, &one, "abcd", field1, &one, seven, field0, &one, nullptr, field2, &one, dbl, field2, &one},
      {"real fields", xy, xy, &one, "abcd", field1, &one, seven, field0, &one, real, nullptr, &one, dbl, field2, &one},
      {"doubles", xy, xy, &one, "abcd", field1, &one, seven, field0, &one, real, field2, &one, nullptr, field2, &one},
      {"double fields", xy, xy, &one, "abcd", field1, &one, seven, field0, &one, real, field2, &one, dbl, nullptr, &one},
  };
  for (const WriteCase& c : writes) {
    SCOPED_TRACE(c.name);
    int32_t error = -1;
    SHAPEFILEWRITE(&error, c.x, c.y, c.np, c.strings, 4, c.stringFields, c.ns, c.ints, c.intFields, c.ni, c.reals,
                   c.realFields, c.nr, c.doubles, c.doubleFields, c.nd);
    EXPECT_EQ(error, kMissingValues);
  }
  // Null arrays with a count of 0 are no fault.
  int32_t error = -1;
  SHAPEFILEWRITE(&error, xy, xy, &one, nullptr, 4, nullptr, &zero, seven, field0, &one, nullptr, nullptr, &zero,
                 nullptr, nullptr, &zero);
  EXPECT_EQ(error, kOk);
  ASSERT_EQ(Close(), kOk);
  const auto layer = ReadLayer("layer");
  ASSERT_EQ(layer.shapes.size(), 1u) << "the refused writes appended nothing";
  EXPECT_EQ(layer.values[0][0], "7");
}

TEST_F(MervaneTest, LayerNamesThatWouldMakeHiddenOrCutFilesGive106) {
  const std::string cases[] = {"", "   ", std::string("la\0yer", 6), "sub/", "."};
  fs::create_directory("sub");
  for (const std::string& name : cases) {
    SCOPED_TRACE(testing::PrintToString(name));
    Create create;
    create.layer = name;
    create.fields = {{"A", "DOUBLE"}};
    EXPECT_EQ(create.Run(), kBadLayerName);
    EXPECT_EQ(create.numbers, (std::vector<int32_t>{77, 77}));
    EXPECT_EQ(Write({}), kNoOpenLayer);
  }
  EXPECT_TRUE(fs::is_empty(testsupport::WorkDir() / "sub"));
  for (const auto& entry : fs::directory_iterator(testsupport::WorkDir()))
    EXPECT_EQ(entry.path().filename(), "sub");
}

TEST_F(MervaneTest, AFieldCountBeyondWhatADbfHoldsIsRefusedAtOnce) {
  for (const int32_t count : {2047, std::numeric_limits<int32_t>::max()}) {
    SCOPED_TRACE(count);
    Create create;
    create.fields = {{"A", "DOUBLE"}};
    create.count = count;
    EXPECT_EQ(create.Run(), kTooManyFields);
    EXPECT_FALSE(AnyLayerFile("layer"));
  }
}

// A create that fails on a full disk says so itself; the next call starts clean.
TEST_F(MervaneTest, AFailedCreateLeavesNoCodeForTheNextCall) {
  rlimit before{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
  void (*handler)(int) = std::signal(SIGXFSZ, SIG_IGN);
  rlimit none = before;
  none.rlim_cur = 10;  // not even a header fits
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &none), 0);
  Create create;
  create.fields = {{"A", "DOUBLE"}};
  const int32_t created = create.Run();
  setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, handler);
  EXPECT_EQ(created, kCannotCreateFiles);
  EXPECT_EQ(Write({}), kNoOpenLayer);
  EXPECT_EQ(Close(), kOk);
}

}  // namespace
