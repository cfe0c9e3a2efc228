// Settings: the registry stand-in keeps values whole, the read routine's limits, the long-name
// conversion, and the application path written back only when fully resolved and changed.
#include <filesystem>

#include "platform/registry/Registry.h"
#include "shell/AppReg.h"
#include "shell/UsefulRegistry.h"
#include "tests/shell/windows_fixture.h"

namespace {

using SettingsTest = ShellTest;
using registry::Root;

Useful::RegistryRoots Machine() {
  Useful::RegistryRoots r;
  r.LocalMachine = true;
  return r;
}

TEST_F(SettingsTest, ValuesComeBackWholeAndTheBufferLimitHolds) {
  const std::string key = AppReg::ApplicationKey();
  EXPECT_EQ(key, "Software\\Company\\Tulmo\\1.0.0");
  const std::string tricky = "C:\\Program Files\\x=y [z]\nsecond line";
  Useful::SaveRegistryKey(key, "Company", tricky, Machine());
  EXPECT_EQ(Useful::GetRegistryKey(key, "Company", Machine()), tricky);
  EXPECT_EQ(Useful::GetRegistryKey("software\\company\\tulmo\\1.0.0", "COMPANY", Machine()), tricky);
  Useful::SaveRegistryKey(key, "Name", std::string(254, 'a'), Machine());
  EXPECT_EQ(Useful::GetRegistryKey(key, "Name", Machine()).size(), 254u);
  Useful::SaveRegistryKey(key, "Name", std::string(255, 'a'), Machine());
  EXPECT_EQ(Useful::GetRegistryKey(key, "Name", Machine()), "");
  Useful::SaveRegistryKey(key, "Empty", "", Machine());
  EXPECT_EQ(Useful::GetRegistryKey(key, "Empty", Machine()), "");
  EXPECT_EQ(Useful::GetRegistryKey(key, "Missing", Machine()), "");
  EXPECT_EQ(Useful::GetRegistryKey("Software\\Nothing", "Company", Machine()), "");
  // No root chosen: nothing read, nothing written.
  Useful::SaveRegistryKey(key, "Other", "x", Useful::RegistryRoots{});
  EXPECT_FALSE(registry::QueryValue(Root::LocalMachine, key, "Other"));
  EXPECT_EQ(Useful::GetRegistryKey(key, "Company", Useful::RegistryRoots{}), "");
  EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(SettingsTest, LongNameConversion) {
  namespace fs = std::filesystem;
  const fs::path base = testsupport::WorkDir() / "Program Files";
  fs::create_directories(base / "Tulmo Data");
  const std::string root = base.string();
  EXPECT_EQ(Useful::ConvertSFNtoLFN("nobackslash"), "");
  EXPECT_EQ(Useful::ConvertSFNtoLFN("/" + std::string(200, 'a')), "");
  EXPECT_EQ(Useful::ConvertSFNtoLFN(root + "/tulmo data/"), root + "/Tulmo Data");
  EXPECT_EQ(Useful::ResolvedLongPath(root + "/missing"), std::nullopt);
}

TEST_F(SettingsTest, StartupAsksForNothingAndTouchesNoFile) {
  std::string fourth = "kept";
  EXPECT_TRUE(AppReg::GetAppRegSettings({.Fourth = &fourth}));
  EXPECT_TRUE(AppReg::GetAppRegSettings());
  EXPECT_EQ(fourth, "kept");
  EXPECT_FALSE(std::filesystem::exists(registry::Folder()));
}

TEST_F(SettingsTest, ApplicationPathIsWrittenBackOnlyWhenResolvedAndChanged) {
  namespace fs = std::filesystem;
  const fs::path dir = testsupport::WorkDir() / "Tulmo~Home";
  fs::create_directories(dir);
  const std::string key = AppReg::ApplicationKey();
  const struct {
    std::string stored, expected, after;
  } cases[] = {
      // Found, but with another letter case: the long form replaces it, in the registry too.
      {testsupport::WorkDir().string() + "/tulmo~home", dir.string(), dir.string()},
      // Not found: left exactly as it was, not erased.
      {testsupport::WorkDir().string() + "/gone~1", testsupport::WorkDir().string() + "/gone~1",
       testsupport::WorkDir().string() + "/gone~1"},
      // No tilde: as read.
      {"/opt/tulmo", "/opt/tulmo", "/opt/tulmo"},
  };
  for (const auto& c : cases) {
    registry::SetValue(Root::LocalMachine, key, "Application Path", c.stored);
    std::string path, help, company;
    EXPECT_TRUE(AppReg::GetAppRegSettings({.Company = &company, .ApplicationPath = &path, .HelpFile = &help}));
    EXPECT_EQ(path, c.expected);
    EXPECT_EQ(*registry::QueryValue(Root::LocalMachine, key, "Application Path"), c.after);
    EXPECT_EQ(company, "");
  }
  EXPECT_TRUE(boxes.boxes().empty());
}

}  // namespace
