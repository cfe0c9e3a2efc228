// The connector of a scenario database: opens it into gDatabase (or gImportDatabase while
// gblnImport is set) and closes it. Reports under the module name "DAOConnect.bas".
#pragma once
#include <string>

class DAOConnect {
 public:
  // True when the file was opened; on failure the error box and False, the target keeps what it held.
  bool OpenDatabase(const std::string& vstrDBFullPath);
  // Closes gDatabase and sets it to no object; a database already closed (3704) leaves silently.
  void CloseDatabase();
  // On gWorkspace, which the program never sets: without one they report error 91.
  void BeginTransaction();
  void CommitTransaction();
  void RollbackTransaction();
};
