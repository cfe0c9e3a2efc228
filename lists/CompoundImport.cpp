#include "lists/CompoundImport.h"

#include <QString>
#include <string>
#include <vector>

#include "platform/dao/Dao.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/MsgBox.h"
#include "records/Compounds.h"
#include "runtime/Guard.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"
#include "shell/MDIMain.h"

namespace CompoundImport {
namespace {

// The import connection is dropped and the flag lowered, so the next compound list reads the
// scenario database again.
void ReleaseImport() {
  if (gImportDatabase && gImportDatabase->IsOpen()) vb::Try([] { gImportDatabase->Close(); });
  gImportDatabase.reset();
  gImportDAOConnect.reset();
  gblnImport = false;
}

// Lowers the import state however the import ends.
struct ImportScope {
  ~ImportScope() { ReleaseImport(); }
};

// The texts a compound keeps whole, by field position in the row read: the editor holds no more
// and would cut a longer text on its next save.
struct TextLimit {
  int field;
  const char* caption;
  int limit;
};
constexpr TextLimit kTextLimits[] = {{1, "Description", 100}, {2, "Name", 100}, {30, "CAS nr.", 50}};
constexpr const char* kSuffix = " import";

std::string TextOf(const vb::Variant& v) { return v.IsNull() ? std::string() : vb::CStr(v); }

// Counted in characters, as the editor counts them, not in bytes.
int Length(const std::string& text) { return static_cast<int>(QString::fromStdString(text).size()); }

std::string Shortened(const std::string& text) {
  const QString q = QString::fromStdString(text);
  return q.size() > 40 ? (q.left(37) + "...").toStdString() : text;
}

// What keeps each row of the import from being stored as it stands: one line per text, naming the
// compound and the field.
std::vector<std::string> TextProblems(dao::Recordset& rs) {
  std::vector<std::string> problems;
  for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
    const std::string descr = TextOf(rs.Fields(1));
    std::string record = "Compound " + TextOf(rs.Fields(0));
    if (!descr.empty() && descr.find('\0') == std::string::npos) record += " \"" + Shortened(descr) + "\"";
    for (const TextLimit& t : kTextLimits) {
      std::string text = TextOf(rs.Fields(t.field));
      if (text.find('\0') != std::string::npos) {
        problems.push_back(record + ": the " + t.caption +
                           " holds a NUL character (character code 0), which cannot be stored.");
        continue;
      }
      const bool suffixed = t.field == 1;
      if (suffixed) text += kSuffix;
      const int length = Length(text);
      if (length > t.limit)
        problems.push_back(record + ": the " + t.caption + (suffixed ? " with \" import\"" : "") + " has " +
                           std::to_string(length) + " characters, where at most " + std::to_string(t.limit) + " fit.");
    }
  }
  return problems;
}

std::string ProblemText(const std::vector<std::string>& problems) {
  constexpr std::size_t kShown = 10;
  std::string text = kTextsRefused;
  for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) text += "\r\n" + problems[i];
  if (problems.size() > kShown) text += "\r\n... and " + std::to_string(problems.size() - kShown) + " more.";
  return text + "\r\n\r\nShorten or mend these texts in the import database and import again.";
}

// A file without the compound table, or with a column missing, is answered in one message of its
// own: the read would fail inside the record class with the engine's words.
bool HasCompoundColumns(const std::string& file) {
  if (!gImportDatabase->HasTable("Compounds")) {
    ui::MsgBox("The database '" + file + "' holds no table 'Compounds': there was nothing to import.",
               ui::vbExclamation, "Tulmo");
    return false;
  }
  const std::vector<std::string> found = gImportDatabase->Columns("Compounds");
  std::string missing;
  for (const dao::TableLayout& table : dao::ScenarioLayout()) {
    if (table.name != "Compounds") continue;
    for (const std::string& column : table.columns) {
      bool present = false;
      for (const std::string& f : found) present = present || QString::fromStdString(f).compare(QString::fromStdString(column), Qt::CaseInsensitive) == 0;
      if (!present) missing += (missing.empty() ? "'" : ", '") + column + "'";
    }
  }
  if (missing.empty()) return true;
  ui::MsgBox("The table 'Compounds' of the database '" + file + "' lacks the column " + missing +
                 ": nothing was imported.",
             ui::vbExclamation, "Tulmo");
  return false;
}

}  // namespace

void Import(MDIMain& main) {
  Compounds writer;
  Compounds reader;

  ui::CommonDialog& dialog = *main.diaMain;
  dialog.DialogTitle = "Import compounds from other TULMO - database";
  // Cancel is the user's choice, not a failure: nothing to report.
  if (!dialog.ShowOpen(&main)) return;

  ImportScope scope;
  gblnImport = true;
  gImportDAOConnect = std::make_unique<DAOConnect>();
  if (!gImportDAOConnect->OpenDatabase(dialog.FileName)) {
    ui::Beep();
    ui::MsgBox("There was a problem connecting to the database - " + vb::Err().Description, ui::vbCritical, "Tulmo");
    return;
  }

  if (!HasCompoundColumns(dialog.FileName)) return;
  std::unique_ptr<dao::Recordset> rs = reader.GetAll();
  if (!rs) return;  // GetAll has said why, once
  if (rs->RecordCount() == 0) {
    CloseRecordset(rs);
    ui::MsgBox(kNothingToImport, ui::vbInformation, "Tulmo");
    return;
  }
  // Every row is checked before the first is added, so a refusal leaves nothing half imported.
  if (const std::vector<std::string> problems = TextProblems(*rs); !problems.empty()) {
    CloseRecordset(rs);
    ui::MsgBox(ProblemText(problems), ui::vbExclamation, "Tulmo");
    return;
  }
  rs->MoveFirst();
  while (!rs->Eof()) {
    const vb::Variant descr = rs->Fields(1);
    ui::MsgBox(descr.IsNull() ? std::string() : vb::CStr(descr));
    Compounds::Values values;
    auto members = values.Members();
    for (std::size_t i = 0; i < members.size(); ++i) *members[i] = rs->Fields(static_cast<int>(i) + 1);
    values.vstrCmpdescr = vb::Variant((descr.IsNull() ? std::string() : vb::CStr(descr)) + " import");
    if (writer.Add(values, true) == -1) return;
    rs->MoveNext();
  }
  CloseRecordset(rs);
}

}  // namespace CompoundImport
