// A shell test: message boxes recorded, ending the application recorded, one instance, a "."
// locale, a private registry folder, a fixed screen and the program's windows registered. Every
// window is unloaded afterwards.
#pragma once
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "app/AppWindows.h"
#include "platform/dao/Dao.h"
#include "platform/registry/Registry.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"
#include "runtime/VbError.h"
#include "services/DAOSupport.h"
#include "shell/Globals.h"
#include "tests/support/TestDir.h"

class ShellTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::SetEndHandler([this] { ++ends; });
    ui::SetPrevInstanceCheck([] { return false; });
    ui::SetDecimalPointSource([] { return std::string("."); });
    ui::SetUrlOpener([this](const QUrl& url) {
      opened.push_back(url.toLocalFile().toStdString());
      return true;
    });
    ui::SetScreenOverride(ui::ScreenSize{14000, 11500});
    registry::SetFolder(testsupport::WorkDir() / "registry");
    AppWindows::RegisterWindows();
    gstrLevel.clear();
    vb::Err().Clear();
  }
  void TearDown() override {
    ui::UnloadAllForms();
    gDAOConnect.reset();
    gDatabase.reset();
    ui::SetEndHandler({});
    ui::SetPrevInstanceCheck({});
    ui::SetDecimalPointSource({});
    ui::SetUrlOpener({});
    ui::SetScreenOverride(std::nullopt);
    registry::SetFolder({});
  }
  // The delivered database, copied into the test's working folder.
  static void CopyDatabase() {
    std::filesystem::copy_file(testsupport::BinaryDir() / "bin" / "tulmo-final.db",
                               testsupport::WorkDir() / "tulmo-final.db");
  }
  // The delivered database, copied and opened, for the windows that read it.
  static void OpenDatabase() {
    CopyDatabase();
    gDatabase = dao::Database::OpenDatabase("tulmo-final.db");
  }
  // The text the error box shows for an error under a module and procedure.
  static std::string ErrorBoxText(const std::string& module, const std::string& procedure, int number,
                                  const std::string& description) {
    return "An error has occurred in the application in module\r\n '" + module + "' at procedure '" + procedure +
           "'.\r\n\r\nError Number: " + std::to_string(number) + "\r\n\r\n" + description +
           "\r\n\r\nPlease contact your system's administrator.";
  }

  ui::MsgBoxRecorder boxes;
  int ends = 0;
  std::vector<std::string> opened;
};
