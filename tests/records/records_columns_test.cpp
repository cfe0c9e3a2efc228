// Every column of every table: the argument named after it reaches that column, comes back at its
// field position and through its output, and its no-value marker is stored as Null.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

#include "platform/ui/MsgBox.h"
#include "records/AdvancedDetail.h"
#include "records/Compounds.h"
#include "records/Corvix.h"
#include "records/Emission.h"
#include "records/Environment.h"
#include "records/Run.h"
#include "services/DAOSupport.h"
#include "tests/records/ScenarioDb.h"

namespace {

// A value that no other column of the row gets, in the column's own type.
vb::Variant Sample(const records::Column& c, std::size_t i) {
  switch (c.type) {
    case records::ColType::Text: return vb::Variant("it's column " + std::to_string(i));
    case records::ColType::Date: return vb::Variant(vb::DateSerial(2026, 12, 10, 9, 30, static_cast<int>(i)));
    case records::ColType::Integer: return vb::Variant(static_cast<int16_t>(2));
    case records::ColType::Long: return vb::Variant(static_cast<int32_t>(1000 + i));
    case records::ColType::Single: return vb::Variant(0.25f + static_cast<float>(i));
    case records::ColType::Double: return vb::Variant(1.125 + static_cast<double>(i));
  }
  return {};
}

// Compares in the column's type, since a row gives its numbers back as the declared type.
void ExpectSame(const records::Column& c, const vb::Variant& want, const vb::Variant& got, const std::string& where) {
  if (c.type == records::ColType::Text)
    EXPECT_EQ(vb::CStr(got), vb::CStr(want)) << where;
  else if (c.type == records::ColType::Date)
    EXPECT_EQ(vb::CDate(got), vb::CDate(want)) << where;
  else
    EXPECT_EQ(vb::CDbl(got), vb::CDbl(want)) << where;
}

template <class T>
class RecordColumns : public testing::Test {};
using Classes = testing::Types<Compounds, Corvix, Emission, AdvancedDetail, Environment, Run>;
TYPED_TEST_SUITE(RecordColumns, Classes);

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return out;
}

std::string TypePrefix(records::ColType type) {
  switch (type) {
    case records::ColType::Text: return "str";
    case records::ColType::Date: return "dte";
    case records::ColType::Integer: return "int";
    case records::ColType::Long: return "lng";
    case records::ColType::Single: return "sin";
    case records::ColType::Double: return "dbl";
  }
  return "?";
}

// Callers bind by these names: each is the direction, the column's type and the column's name.
TYPED_TEST(RecordColumns, ParameterNamesFollowTheirColumns) {
  const auto columns = TypeParam::Columns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const std::string stem = TypePrefix(columns[i].type) + Lower(columns[i].name);
    EXPECT_EQ(Lower(TypeParam::kGivenNames[i]), "v" + stem);
    EXPECT_EQ(Lower(TypeParam::kReturnedNames[i]), "r" + stem);
  }
}

TYPED_TEST(RecordColumns, EachArgumentReachesItsOwnColumn) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  const auto columns = TypeParam::Columns();
  ASSERT_EQ(columns.size(), static_cast<std::size_t>(TypeParam::kColumns));
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const records::Column& c = columns[i];
    const std::string where = std::string(c.name);
    typename TypeParam::Values values;
    *values.Members()[i] = Sample(c, i);
    int32_t id = TypeParam().Add(values, true);
    ASSERT_GT(id, 0) << where;

    // The row read by field position: this column holds the value, every other column is Null.
    typename TypeParam::Fields filter;
    *filter.Members()[0] = id;
    auto rs = TypeParam().GetAll(filter);
    ASSERT_TRUE(blnDataReturned(rs)) << where;
    ASSERT_EQ(rs->FieldCount(), static_cast<int>(columns.size()) + 1);
    EXPECT_EQ(vb::CLng(rs->Fields(0)), id) << where;
    EXPECT_EQ(rs->FieldName(static_cast<int>(i) + 1), c.name);
    ExpectSame(c, Sample(c, i), rs->Fields(static_cast<int>(i) + 1), where);
    for (std::size_t j = 0; j < columns.size(); ++j)
      if (j != i) {
        EXPECT_TRUE(rs->Fields(static_cast<int>(j) + 1).IsNull()) << where << " / " << columns[j].name;
      }

    // Through GetByKey: this output gets the value, the others their column's marker.
    std::vector<vb::Variant> got(columns.size());
    typename TypeParam::Outputs outputs;
    for (std::size_t j = 0; j < columns.size(); ++j) *outputs.Members()[j] = records::OutRef(got[j]);
    ASSERT_TRUE(TypeParam().GetByKey(id, outputs)) << where;
    ExpectSame(c, Sample(c, i), got[i], where);
    for (std::size_t j = 0; j < columns.size(); ++j)
      if (j != i) {
        EXPECT_EQ(vb::CStr(got[j]), columns[j].marker) << where << " / " << columns[j].name;
      }
  }
  EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes().front().prompt;
}

TYPED_TEST(RecordColumns, MarkersAreStoredAsNullAndUpdateRewritesEveryColumn) {
  testdb::OpenScenario db;
  ui::MsgBoxRecorder boxes;
  const auto columns = TypeParam::Columns();
  typename TypeParam::Values markers, samples;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    *markers.Members()[i] = records::MarkerValue(columns[i]);
    *samples.Members()[i] = Sample(columns[i], i);
  }
  int32_t id = TypeParam().Add(samples);
  ASSERT_GT(id, 0);
  ASSERT_TRUE(TypeParam().Update(id, markers));
  auto rs = TypeParam().GetAll();
  ASSERT_TRUE(blnDataReturned(rs));
  for (std::size_t i = 0; i < columns.size(); ++i)
    EXPECT_TRUE(rs->Fields(static_cast<int>(i) + 1).IsNull()) << columns[i].name;

  ASSERT_TRUE(TypeParam().Update(id, samples));
  std::vector<vb::Variant> got(columns.size());
  typename TypeParam::Outputs outputs;
  for (std::size_t j = 0; j < columns.size(); ++j) *outputs.Members()[j] = records::OutRef(got[j]);
  ASSERT_TRUE(TypeParam().GetByKey(id, outputs));
  for (std::size_t i = 0; i < columns.size(); ++i) ExpectSame(columns[i], Sample(columns[i], i), got[i], std::string(columns[i].name));

  EXPECT_TRUE(TypeParam().Delete(id));
  EXPECT_FALSE(TypeParam().GetByKey(id, outputs));
  EXPECT_TRUE(boxes.boxes().empty()) << boxes.boxes().front().prompt;
}

}  // namespace
