#include "services/DAOConnect.h"

#include "runtime/Guard.h"
#include "services/DAOSupport.h"

namespace {
constexpr const char* kModule = "DAOConnect.bas";
}

bool DAOConnect::OpenDatabase(const std::string& vstrDBFullPath) {
  bool result = false;
  vb::Guard(kModule, "OpenDatabase", [&] {
    // An import file need only be a database; a missing Compounds table is the import's to report.
    std::shared_ptr<dao::Database> db =
        gblnImport ? dao::Database::OpenAny(vstrDBFullPath) : dao::Database::OpenDatabase(vstrDBFullPath);
    if (gblnImport)
      gImportDatabase = std::move(db);
    else
      gDatabase = std::move(db);
    result = true;
  });
  return result;
}

void DAOConnect::CloseDatabase() {
  vb::GuardWith(
      kModule, "CloseDatabase", [](const vb::ErrObject& e) { return e.Number == dao::kErrAlreadyClosed; },
      [&] {
        if (!gDatabase) vb::Raise(91);
        gDatabase->Close();
        gDatabase.reset();
      });
}

void DAOConnect::BeginTransaction() {
  vb::Guard(kModule, "BeginTransaction", [&] {
    if (!gWorkspace) vb::Raise(91);
    gWorkspace->BeginTrans();
  });
}

void DAOConnect::CommitTransaction() {
  vb::Guard(kModule, "CommitTransaction", [&] {
    if (!gWorkspace) vb::Raise(91);
    gWorkspace->CommitTrans();
  });
}

void DAOConnect::RollbackTransaction() {
  vb::Guard(kModule, "RollbackTransaction", [&] {
    if (!gWorkspace) vb::Raise(91);
    gWorkspace->Rollback();
  });
}
