// The SQL text of the record classes and the failure convention they share.
#include "records/RecordSupport.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>
#include <vector>

#include "runtime/Guard.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"

namespace records {

namespace {

std::string Trim(std::string s) {
  std::size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(' ');
  return s.substr(b, e - b + 1);
}

bool EndsWith(const std::string& s, std::string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

void DropLast(std::string& s, std::size_t n) { s.erase(s.size() >= n ? s.size() - n : 0); }

// A double-precision value that the database can store: finite, else refused.
double FiniteDouble(const vb::Variant& value) {
  double d = vb::CDbl(value);
  if (std::isnan(d)) vb::Raise(5);
  if (std::isinf(d)) vb::Raise(6);
  return d;
}

// The literal of a non-Null value, converted to the column's type first.
std::string Literal(const Column& c, const vb::Variant& value) {
  switch (c.type) {
    case ColType::Text: {
      const std::string text = vb::CStr(value);
      // The engine reads a statement only up to a NUL, so such a text could never be stored whole.
      if (text.find('\0') != std::string::npos)
        vb::Raise(13, "Validation",
                  "The text for '" + std::string(c.name) +
                      "' holds a NUL character (character code 0), which cannot be stored. Remove it and try again.");
      return "'" + strQuotes(vb::Variant(text)) + "'";
    }
    case ColType::Date: {
      if (value.IsString() && value.AsString().empty()) return "''";
      std::string text = strSQLDate(vb::Variant(vb::CDate(value)));
      if (text.empty()) vb::Raise(13);
      return text;
    }
    case ColType::Integer:
      return std::to_string(vb::CInt(value));
    case ColType::Long:
      return std::to_string(vb::CLng(value));
    case ColType::Single:
      FiniteDouble(value);
      return vb::SingleText(vb::CSng(value));
    case ColType::Double: {
      // At 15 digits a value next to the largest double rounds up past it, and its text would
      // be stored as Infinity.
      const std::string text = vb::DoubleText(FiniteDouble(value));
      double back = 0;
      if (!vb::ParseNumber(text, back)) vb::Raise(6);
      return text;
    }
  }
  vb::Raise(vb::kProgrammingError, {}, "Programming error. Case not coded. Column type.");
}

// The text form that the marker rule compares: the text itself, or the number's text.
bool IsMarker(const Column& c, const vb::Variant& value, const std::string& literal) {
  switch (c.type) {
    case ColType::Text:
      return vb::CStr(value) == c.marker;
    case ColType::Date:
      return value.IsEmpty() || (value.IsString() && value.AsString() == c.marker);
    default:
      return literal == c.marker;
  }
}

std::string FilterTerm(const Table& t, const Column& c) {
  if (!c.filterTerm.empty()) return std::string(c.filterTerm);
  return " " + std::string(t.name) + "." + std::string(c.name) + " = ";
}

std::string SetTerm(const Column& c) {
  if (!c.setTerm.empty()) return std::string(c.setTerm);
  return " " + std::string(c.name) + " = ";
}

std::string SelectList(const Table& t, std::string_view indent) {
  std::string s = "SELECT " + std::string(t.name) + "." + std::string(t.key) + " ";
  for (const Column& c : t.columns) s += std::string(indent) + "," + std::string(t.name) + "." + std::string(c.name) + " ";
  s += "  FROM [" + std::string(t.name) + "] " + std::string(t.name);
  return s;
}

std::string WholeRow(const Table& t) {
  return "SELECT " + std::string(t.name) + ".* FROM [" + std::string(t.name) + "] " + std::string(t.name);
}

constexpr int64_t kLargestKey = std::numeric_limits<int32_t>::max();

// The key the database gives the next row: past the largest key, and past every key an
// auto-numbered table has ever handed out.
int64_t NextKey(dao::Database& db, const Table& t) {
  int64_t last = 0;
  auto largest = [&](const std::string& query) {
    std::unique_ptr<dao::Recordset> rs;
    try {
      rs = db.OpenRecordset(query);
    } catch (const vb::VbError& e) {
      // The lock keeps the row out: say so as the insert would.
      if (e.number == dao::kErrLocked) dao::RaiseLocked(true);
      throw;
    }
    if (rs->Eof()) return;
    const vb::Variant v = rs->Fields(0);
    if (!v.IsNull()) last = std::max(last, static_cast<int64_t>(vb::CDbl(v)));
  };
  largest("SELECT MAX(" + std::string(t.key) + ") FROM [" + std::string(t.name) + "]");
  if (db.HasTable("sqlite_sequence"))
    largest("SELECT seq FROM sqlite_sequence WHERE name = '" + std::string(t.name) + "'");
  return last + 1;
}

[[noreturn]] void RaiseNoKeyLeft(const Table& t, int64_t key, const std::string& outcome) {
  vb::Raise(6, {},
            "The table '" + std::string(t.name) + "' has no record id left: the next id would be " +
                std::to_string(key) + ", beyond the largest the program can hold (" + std::to_string(kLargestKey) +
                "). " + outcome);
}

void CheckCount(const Table& t, std::size_t n) {
  if (n != t.columns.size())
    vb::Raise(vb::kProgrammingError, {}, "Programming error. Argument list does not match the table " + std::string(t.name) + ".");
}

}  // namespace

vb::Variant MarkerValue(const Column& c) {
  std::string m(c.marker);
  switch (c.type) {
    case ColType::Text:
    case ColType::Date:
      return vb::Variant(m);
    case ColType::Integer:
      return vb::Variant(vb::CInt(vb::Variant(m)));
    case ColType::Long:
      return vb::Variant(vb::CLng(vb::Variant(m)));
    case ColType::Single:
      return vb::Variant(vb::CSng(vb::Variant(m)));
    case ColType::Double:
      return vb::Variant(vb::CDbl(vb::Variant(m)));
  }
  return vb::Variant(m);
}

OutRef::Staged OutRef::Convert(const vb::Variant& value) const {
  struct Visitor {
    const vb::Variant& v;
    Staged operator()(std::monostate) const { return {}; }
    Staged operator()(std::string*) const { return vb::CStr(v); }
    Staged operator()(int16_t*) const { return vb::CInt(v); }
    Staged operator()(int32_t*) const { return vb::CLng(v); }
    Staged operator()(float*) const { return vb::CSng(v); }
    Staged operator()(double*) const { return vb::CDbl(v); }
    Staged operator()(bool*) const { return vb::CBool(v); }
    Staged operator()(vb::Date*) const { return vb::CDate(v); }
    Staged operator()(vb::Variant*) const { return v; }
  };
  return std::visit(Visitor{value}, target_);
}

void OutRef::Commit(const Staged& staged) const noexcept {
  std::visit(
      [&](auto target) {
        using P = decltype(target);
        if constexpr (!std::is_same_v<P, std::monostate>) {
          using T = std::remove_pointer_t<P>;
          if (const T* value = std::get_if<T>(&staged)) *target = *value;
        }
      },
      target_);
}

namespace sql {

std::string WriteValue(const Column& c, const vb::Variant& value) {
  if (value.IsNull()) return "Null";
  std::string literal;
  if (c.type == ColType::Date && IsMarker(c, value, literal)) return "Null";
  literal = Literal(c, value);
  return IsMarker(c, value, literal) ? "Null" : literal;
}

std::string FilterValue(const Column& c, const vb::Variant& value) {
  if (value.IsNull()) return "Null";
  return Literal(c, value);
}

std::string KeyText(const vb::Variant& key) { return std::to_string(vb::CLng(key)); }

std::string GetAll(const Table& t, const Arg& key, std::span<const Arg* const> data) {
  CheckCount(t, data.size());
  std::string s = (t.wholeRowGetAll ? WholeRow(t) : SelectList(t, "          ")) + " WHERE ";
  if (key) {
    Column keyColumn{t.key, ColType::Long, ""};
    s += FilterTerm(t, keyColumn) + FilterValue(keyColumn, *key) + " AND ";
  }
  for (std::size_t i = 0; i < data.size(); ++i)
    if (*data[i]) s += FilterTerm(t, t.columns[i]) + FilterValue(t.columns[i], **data[i]) + " AND ";
  s = Trim(std::move(s));
  if (EndsWith(s, "WHERE")) DropLast(s, 5);
  if (EndsWith(s, "AND")) DropLast(s, 3);
  return s;
}

std::string GetByKey(const Table& t, int32_t key) {
  std::string s = (t.wholeRowGetByKey ? WholeRow(t) : SelectList(t, "           ")) + " WHERE ";
  s += " " + std::string(t.name) + "." + std::string(t.key) + " = " + std::to_string(key) + " AND ";
  s = Trim(std::move(s));
  if (EndsWith(s, "AND")) DropLast(s, 3);
  return s;
}

std::string Insert(const Table& t, std::span<const Arg* const> data) {
  CheckCount(t, data.size());
  std::string columns, values;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (!*data[i]) continue;
    columns += " " + std::string(t.columns[i].name) + ",";
    values += WriteValue(t.columns[i], **data[i]) + ",";
  }
  if (columns.empty())
    vb::Raise(vb::kProgrammingError, {}, "Programming error. No column given to add to " + std::string(t.name) + ".");
  DropLast(columns, 1);
  DropLast(values, 1);
  return "INSERT INTO " + std::string(t.name) + "(" + columns + " ) VALUES (" + values + ")";
}

std::string Update(const Table& t, const vb::Variant& key, std::span<const Arg* const> data) {
  CheckCount(t, data.size());
  std::string keyText = KeyText(key);
  std::string s = "UPDATE " + std::string(t.name) + "   SET ";
  bool any = false;
  for (std::size_t i = 0; i < data.size(); ++i) {
    if (!*data[i]) continue;
    s += SetTerm(t.columns[i]) + WriteValue(t.columns[i], **data[i]) + ",";
    any = true;
  }
  if (!any)
    vb::Raise(vb::kProgrammingError, {}, "Programming error. No column given to update in " + std::string(t.name) + ".");
  s = Trim(std::move(s));
  DropLast(s, 1);
  s += " WHERE  " + std::string(t.key) + " = " + keyText;
  return s;
}

std::string Delete(const Table& t, const vb::Variant& key) {
  return "DELETE FROM " + std::string(t.name) + " WHERE  " + std::string(t.key) + " = " + KeyText(key);
}

}  // namespace sql

namespace ops {

dao::Database& Db(const std::shared_ptr<dao::Database>& db) {
  if (!db) vb::Raise(91);
  return *db;
}

std::unique_ptr<dao::Recordset> GetAll(const Table& t, const Arg& key, std::span<const Arg* const> data) {
  std::unique_ptr<dao::Recordset> rs;
  vb::Guard(t.name, "GetAll", [&] { rs = Db(gDatabase).OpenRecordset(sql::GetAll(t, key, data)); });
  return rs;
}

bool GetByKey(const Table& t, int32_t key, std::span<const OutRef* const> outputs) {
  bool found = false;
  vb::Guard(t.name, "GetByKey", [&] {
    if (outputs.size() != t.columns.size())
      vb::Raise(vb::kProgrammingError, {}, "Programming error. Output list does not match the table " + std::string(t.name) + ".");
    std::unique_ptr<dao::Recordset> rs = Db(gDatabase).OpenRecordset(sql::GetByKey(t, key));
    if (rs->Bof() || rs->Eof()) return;
    rs->MoveFirst();
    // Everything is read and converted before any output changes, so a failure leaves them all.
    std::vector<OutRef::Staged> staged(outputs.size());
    for (std::size_t k = 0; k < outputs.size(); ++k) {
      if (!outputs[k]->Present()) continue;
      vb::Variant field = rs->Fields(static_cast<int>(k) + 1);
      try {
        staged[k] = outputs[k]->Convert(field.IsNull() ? MarkerValue(t.columns[k]) : field);
      } catch (const vb::VbError& e) {
        // A row whose column holds what its type cannot take: say where, not that it is missing.
        if (e.number != 13 && e.number != 6) throw;
        vb::Raise(e.number, "Validation",
                  "The " + std::string(t.name) + " record " + std::to_string(key) + " holds \"" + vb::CStr(field) +
                      "\" in its column " + std::string(t.columns[k].name) +
                      ", which is no value of that column's type. Correct the record in the database.");
      }
    }
    rs->Close();
    for (std::size_t k = 0; k < outputs.size(); ++k) outputs[k]->Commit(staged[k]);
    found = true;
  });
  return found;
}

int32_t Add(const Table& t, std::span<const Arg* const> data) {
  int32_t id = -1;
  vb::Guard(t.name, "Add", [&] {
    dao::Database& db = Db(gDatabase);
    const std::string text = sql::Insert(t, data);
    // Refused before the insert: a row stored under an id that no caller can hold would be
    // reported as a failure and still be there.
    if (const int64_t next = NextKey(db, t); next > kLargestKey) RaiseNoKeyLeft(t, next, "Nothing was added.");
    db.Execute(text);
    if (db.RecordsAffected() < 1) return;
    const int64_t last = db.LastInsertId();
    if (last < std::numeric_limits<int32_t>::min() || last > kLargestKey) {
      // Only another program inserting in between gets here: the row goes again, so the failure
      // reported is the whole truth.
      const std::string key = std::to_string(last);
      bool removed = vb::Try([&] { db.Execute("DELETE FROM " + std::string(t.name) + " WHERE  " + std::string(t.key) + " = " + key); }) &&
                     db.RecordsAffected() == 1;
      RaiseNoKeyLeft(t, last,
                     removed ? "Nothing was added."
                             : "The row was stored under that id and could not be removed again: remove it outside the program.");
    }
    id = static_cast<int32_t>(last);
  });
  return id;
}

bool Update(const Table& t, const vb::Variant& key, std::span<const Arg* const> data) {
  bool changed = false;
  vb::Guard(t.name, "Update", [&] {
    dao::Database& db = Db(gDatabase);
    db.Execute(sql::Update(t, key, data));
    changed = db.RecordsAffected() > 0;
  });
  return changed;
}

bool Delete(const Table& t, const vb::Variant& key) {
  bool ran = false;
  vb::Guard(t.name, "Delete", [&] {
    Db(gDatabase).Execute(sql::Delete(t, key));
    ran = true;
  });
  return ran;
}

}  // namespace ops

}  // namespace records
