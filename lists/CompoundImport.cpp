#include "lists/CompoundImport.h"

#include "platform/dao/Dao.h"
#include "platform/ui/CommonDialog.h"
#include "platform/ui/MsgBox.h"
#include "records/Compounds.h"
#include "runtime/Guard.h"
#include "runtime/VbError.h"
#include "shell/DAOSupport.h"
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

  std::unique_ptr<dao::Recordset> rs = reader.GetAll();
  if (!rs) vb::Raise(91);  // GetAll has reported why
  if (rs->RecordCount() == 0) {
    CloseRecordset(rs);
    ui::MsgBox(kNothingToImport, ui::vbInformation, "Tulmo");
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
