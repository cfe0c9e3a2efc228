// What the six record classes share: optional arguments, by-reference outputs, the column
// descriptions and the one place where their SQL text is assembled and run. Nothing here keeps
// state between calls; every statement goes to the open scenario database (DAOSupport).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "platform/dao/Dao.h"
#include "runtime/Variant.h"

namespace records {

// A given-or-absent argument. Absent columns are left out of the statement (or the filter).
using Arg = std::optional<vb::Variant>;

enum class ColType { Text, Date, Integer, Long, Single, Double };

// One data column: its name, type and no-value marker (a value whose text equals the marker is
// stored as Null, and a Null is read back as the marker). The two literals are set only where a
// table spells a term in its own way; empty means " T.name = " and " name = ".
struct Column {
  std::string_view name;
  ColType type;
  std::string_view marker;
  std::string_view filterTerm = {};
  std::string_view setTerm = {};
};

// A by-reference output of GetByKey: absent, or bound to a caller's variable. The field is
// converted into the variable's type (text, 16/32-bit integer, Single, Double, Boolean, Date, or
// a Variant that takes it unchanged); a conversion that fails raises like the runtime (13, 6).
class OutRef {
 public:
  OutRef() = default;
  OutRef(std::string& v) : target_(&v) {}
  OutRef(int16_t& v) : target_(&v) {}
  OutRef(int32_t& v) : target_(&v) {}
  OutRef(float& v) : target_(&v) {}
  OutRef(double& v) : target_(&v) {}
  OutRef(bool& v) : target_(&v) {}
  OutRef(vb::Date& v) : target_(&v) {}
  OutRef(vb::Variant& v) : target_(&v) {}

  bool Present() const { return target_.index() != 0; }

  // The value converted for the bound variable; nothing is written yet.
  using Staged = std::variant<std::monostate, std::string, int16_t, int32_t, float, double, bool, vb::Date,
                              vb::Variant>;
  Staged Convert(const vb::Variant& value) const;
  // Writes a value that Convert gave; cannot fail.
  void Commit(const Staged& staged) const noexcept;

 private:
  std::variant<std::monostate, std::string*, int16_t*, int32_t*, float*, double*, bool*, vb::Date*,
               vb::Variant*>
      target_;
};

// A table as its record class sees it.
struct Table {
  std::string_view name;  // also the module name of the error box
  std::string_view key;
  std::span<const Column> columns;  // the data columns, in table order
  bool wholeRowGetAll = false;      // GetAll reads "SELECT T.* FROM [T] T"
  bool wholeRowGetByKey = false;    // GetByKey reads the same
};

// The marker of a column in its column's own type ("-1" as a Long, "" as text, ...).
vb::Variant MarkerValue(const Column& column);

// The SQL pieces. Each converts every value to its column's type first (13 for a text that is no
// number, 6 for a value out of range or not finite), so the text holds exactly one statement.
namespace sql {
// The value text for a written value: "Null" for a Null or a value equal to the marker.
std::string WriteValue(const Column& column, const vb::Variant& value);
// The value text in a filter: "Null" for a Null, else the literal (a marker is compared as itself).
std::string FilterValue(const Column& column, const vb::Variant& value);
// The key in decimal, after conversion to a 32-bit integer.
std::string KeyText(const vb::Variant& key);

std::string GetAll(const Table& t, const Arg& key, std::span<const Arg* const> data);
std::string GetByKey(const Table& t, int32_t key);
// 10000 when no column is given (there would be no statement to run).
std::string Insert(const Table& t, std::span<const Arg* const> data);
std::string Update(const Table& t, const vb::Variant& key, std::span<const Arg* const> data);
std::string Delete(const Table& t, const vb::Variant& key);
}  // namespace sql

// The operations with the failure convention of every record class: errors are reported through
// the error box under the table's name and the operation's name, then the failure value returns.
namespace ops {
// The open scenario database; 91 when there is none.
dao::Database& Db(const std::shared_ptr<dao::Database>& db);

std::unique_ptr<dao::Recordset> GetAll(const Table& t, const Arg& key, std::span<const Arg* const> data);
// True when found; the outputs are written only after the whole row was read and converted.
bool GetByKey(const Table& t, int32_t key, std::span<const OutRef* const> outputs);
// The id of the row this call inserted, -1 when none was inserted or on a failure.
int32_t Add(const Table& t, std::span<const Arg* const> data);
// True when a row with the key was changed.
bool Update(const Table& t, const vb::Variant& key, std::span<const Arg* const> data);
// True when the statement ran (also when no row had the key).
bool Delete(const Table& t, const vb::Variant& key);
}  // namespace ops

}  // namespace records

// Column lists are written once per table as X(column, type, marker, given name, returned name);
// these expand them into the argument structs, the output structs and the column tables.
#define TULMO_ARG_MEMBER(col, type, marker, v, r) ::records::Arg v{};
#define TULMO_OUT_MEMBER(col, type, marker, v, r) ::records::OutRef r{};
#define TULMO_ARG_ADDRESS(col, type, marker, v, r) &v,
#define TULMO_OUT_ADDRESS(col, type, marker, v, r) &r,
#define TULMO_COLUMN_COUNT(col, type, marker, v, r) +1
#define TULMO_COLUMN_ENTRY(col, type, marker, v, r) ::records::Column{#col, ::records::ColType::type, marker},
#define TULMO_GIVEN_NAME(col, type, marker, v, r) #v,
#define TULMO_RETURNED_NAME(col, type, marker, v, r) #r,

// The three structs of a record class. Members carry the parameter names, so callers bind by
// name with designated initialisers, in table order: `Run().Add({.vstrRundescription = d, ...})`.
#define TULMO_RECORD_STRUCTS(COLUMNS, keyArg)                                                       \
  static constexpr int kColumns = 0 COLUMNS(TULMO_COLUMN_COUNT);                                    \
  /* The parameter names, in table order, as callers that bind by name spell them. */             \
  static constexpr std::array<std::string_view, kColumns> kGivenNames{COLUMNS(TULMO_GIVEN_NAME)};   \
  static constexpr std::array<std::string_view, kColumns> kReturnedNames{COLUMNS(TULMO_RETURNED_NAME)}; \
  /* The key and every data column: the filters of GetAll and the arguments of IsValid. */         \
  struct Fields {                                                                                  \
    ::records::Arg keyArg{};                                                                       \
    COLUMNS(TULMO_ARG_MEMBER)                                                                      \
    std::array<const ::records::Arg*, kColumns + 1> Members() const {                               \
      return {&keyArg, COLUMNS(TULMO_ARG_ADDRESS)};                                                \
    }                                                                                              \
    std::array<::records::Arg*, kColumns + 1> Members() { return {&keyArg, COLUMNS(TULMO_ARG_ADDRESS)}; } \
  };                                                                                               \
  /* The data columns: the values of Add and Update. */                                            \
  struct Values {                                                                                  \
    COLUMNS(TULMO_ARG_MEMBER)                                                                      \
    std::array<const ::records::Arg*, kColumns> Members() const { return {COLUMNS(TULMO_ARG_ADDRESS)}; } \
    std::array<::records::Arg*, kColumns> Members() { return {COLUMNS(TULMO_ARG_ADDRESS)}; }       \
  };                                                                                               \
  /* The outputs of GetByKey, bound to the caller's variables. */                                  \
  struct Outputs {                                                                                 \
    COLUMNS(TULMO_OUT_MEMBER)                                                                      \
    std::array<const ::records::OutRef*, kColumns> Members() const { return {COLUMNS(TULMO_OUT_ADDRESS)}; } \
    std::array<::records::OutRef*, kColumns> Members() { return {COLUMNS(TULMO_OUT_ADDRESS)}; }    \
  };
