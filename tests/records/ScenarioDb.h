// Scenario databases for record tests: built in the test's working folder from the delivered
// scripts (or a script of the test's own) and opened as the program's database.
#pragma once
#include <filesystem>
#include <string>

namespace testdb {

// Runs SQL text (any number of statements) on a database file, creating it when missing.
void Exec(const std::filesystem::path& file, const std::string& sql);
// The text of a file under data/ in the source tree ("schema.sql", "defaults.sql").
std::string Script(const std::string& name);

// While alive: "tulmo-final.db" in the working folder, built from the schema (and the delivered
// contents when asked), open as gDatabase. Afterwards every database global is reset.
class OpenScenario {
 public:
  explicit OpenScenario(bool withDefaults = false);
  ~OpenScenario();
  OpenScenario(const OpenScenario&) = delete;
  OpenScenario& operator=(const OpenScenario&) = delete;
  // Runs SQL straight on the file, past the record classes (fixtures and checks).
  void Raw(const std::string& sql) const { Exec(file_, sql); }
  // The first column of the first row of a query, as text ("NULL" for a Null).
  std::string Scalar(const std::string& sql) const;
  const std::filesystem::path& file() const { return file_; }

 private:
  std::filesystem::path file_;
};

}  // namespace testdb
