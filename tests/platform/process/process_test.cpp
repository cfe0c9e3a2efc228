// The process layer: command-line splitting, the executable search order, and what a run reports
// for a program that works, fails or is missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/process/Process.h"
#include "tests/support/TestDir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::WorkDir;
using testsupport::WriteFile;

// PATH as given (unset for nullopt), the inherited one restored afterwards.
class ScopedPath {
 public:
  explicit ScopedPath(const std::optional<std::string>& value) {
    const char* old = std::getenv("PATH");
    had_ = old != nullptr;
    if (old) old_ = old;
    if (value)
      ::setenv("PATH", value->c_str(), 1);
    else
      ::unsetenv("PATH");
  }
  ~ScopedPath() {
    if (had_)
      ::setenv("PATH", old_.c_str(), 1);
    else
      ::unsetenv("PATH");
  }
  ScopedPath(const ScopedPath&) = delete;
  ScopedPath& operator=(const ScopedPath&) = delete;

 protected:
  bool had_ = false;
  std::string old_;
};

// A PATH that holds one folder in front of the inherited one, restored afterwards.
class PathFolder : public ScopedPath {
 public:
  explicit PathFolder(const fs::path& folder) : ScopedPath(Value(folder)) {}

 private:
  static std::string Value(const fs::path& folder) {
    fs::create_directories(folder);
    const char* old = std::getenv("PATH");
    return folder.string() + (old ? ":" + std::string(old) : std::string());
  }
};

void WriteScript(const fs::path& file, const std::string& body) {
  WriteFile(file, "#!/bin/sh\n" + body + "\n");
  fs::permissions(file, fs::perms::owner_all);
}

TEST(ProcessTest, SplitsAtBlanksAndKeepsQuotedParts) {
  using V = std::vector<std::string>;
  EXPECT_EQ(process::SplitCommandLine("corvix1 pirsel.inp -np"), (V{"corvix1", "pirsel.inp", "-np"}));
  EXPECT_EQ(process::SplitCommandLine("  tulmo   pirsel "), (V{"tulmo", "pirsel"}));
  EXPECT_EQ(process::SplitCommandLine("a \"b c\" \"\""), (V{"a", "b c", ""}));
  EXPECT_TRUE(process::SplitCommandLine("   ").empty());
}

TEST(ProcessTest, FindsOnPathButNotAPlainFileOrAFolder) {
  const fs::path bin = WorkDir() / "tools";
  PathFolder path(bin);
  WriteScript(bin / "engine-step", "exit 0");
  WriteFile(bin / "not-executable", "data");
  fs::create_directories(bin / "a-folder");
  EXPECT_EQ(process::FindExecutable("engine-step"), (bin / "engine-step").string());
  EXPECT_EQ(process::FindExecutable("not-executable"), "");
  EXPECT_EQ(process::FindExecutable("a-folder"), "");
  EXPECT_EQ(process::FindExecutable("no-such-program-here"), "");
}

TEST(ProcessTest, OwnFolderComesBeforePath) {
  // The test program's own folder is searched first: a name that exists there (the test itself)
  // is found there even when PATH holds another program of that name.
  const fs::path self = fs::read_symlink("/proc/self/exe");
  const fs::path bin = WorkDir() / "tools";
  PathFolder path(bin);
  WriteScript(bin / self.filename(), "exit 0");
  EXPECT_EQ(process::FindExecutable(self.filename().string()), self.string());
}

TEST(ProcessTest, AnEmptyPathEntryIsTheCurrentDirectoryAndNoPathLeavesOnlyTheOwnFolder) {
  WriteScript(WorkDir() / "here-step", "exit 0");
  for (const char* value : {"", ":/no/such/folder", "/no/such/folder:", "/no/such/folder::/nor/this"}) {
    ScopedPath path(std::string{value});
    const std::string found = process::FindExecutable("here-step");
    ASSERT_FALSE(found.empty()) << "PATH=" << value;
    EXPECT_TRUE(fs::equivalent(found, WorkDir() / "here-step")) << "PATH=" << value;
  }
  ScopedPath some(std::string("/no/such/folder"));
  EXPECT_EQ(process::FindExecutable("here-step"), "");
  // Without PATH the program's own folder is still searched, the current directory is not.
  const fs::path self = fs::read_symlink("/proc/self/exe");
  ScopedPath none(std::nullopt);
  EXPECT_EQ(process::FindExecutable("here-step"), "");
  EXPECT_EQ(process::FindExecutable(self.filename().string()), self.string());
}

TEST(ProcessTest, ANameWithASlashIsTakenAsItIsAndMayBeQuotedWithBlanks) {
  const fs::path folder = WorkDir() / "engine steps";
  fs::create_directories(folder);
  WriteScript(folder / "writer", "echo \"$1\" > out.txt\nexit 0");
  WriteFile(folder / "plain", "data");
  ScopedPath none(std::nullopt);
  EXPECT_EQ(process::FindExecutable((folder / "writer").string()), (folder / "writer").string());
  EXPECT_EQ(process::FindExecutable("./engine steps/writer"), "./engine steps/writer");
  EXPECT_EQ(process::FindExecutable((folder / "plain").string()), "");
  EXPECT_EQ(process::FindExecutable(folder.string()), "");
  process::SystemRunner runner;
  EXPECT_TRUE(runner.Run("\"" + (folder / "writer").string() + "\" \"two words\"").Succeeded());
  EXPECT_EQ(ReadFile(WorkDir() / "out.txt"), "two words\n");
}

TEST(ProcessTest, RunsInTheWorkingDirectoryAndWaitsForTheEnd) {
  const fs::path bin = WorkDir() / "tools";
  PathFolder path(bin);
  // The file is written after a pause: it exists only if the run waited for the end.
  WriteScript(bin / "writer", "sleep 0.2\necho \"$1|$2\" > out.txt\nexit 0");
  process::SystemRunner runner;
  const process::Outcome o = runner.Run("writer pirsel.inp \"two words\"");
  EXPECT_TRUE(o.started);
  EXPECT_TRUE(o.Succeeded());
  EXPECT_EQ(ReadFile(WorkDir() / "out.txt"), "pirsel.inp|two words\n");
}

TEST(ProcessTest, NonZeroExitAndMissingProgramAreNotSuccess) {
  const fs::path bin = WorkDir() / "tools";
  PathFolder path(bin);
  // What it says on its error output is kept: it tells why it refused.
  WriteScript(bin / "failing", "echo 'on the terminal'\necho 'failing: constant KPOC is missing' >&2\nexit 3");
  process::SystemRunner runner;
  const process::Outcome failed = runner.Run("failing");
  EXPECT_TRUE(failed.started);
  EXPECT_EQ(failed.exitCode, 3);
  EXPECT_EQ(failed.errorOutput, "failing: constant KPOC is missing\n");
  EXPECT_FALSE(failed.Succeeded());
  const process::Outcome missing = runner.Run("no-such-program-here pirsel");
  EXPECT_FALSE(missing.started);
  EXPECT_FALSE(missing.Succeeded());
  EXPECT_NE(missing.error.find("no-such-program-here"), std::string::npos);
  EXPECT_FALSE(runner.Run("").Succeeded());
}

TEST(ProcessTest, ScopedRunnerReplacesAndRestores) {
  struct Fake : process::Runner {
    std::string seen;
    process::Outcome Run(const std::string& cmd) override {
      seen = cmd;
      return {true, 0, false, {}, {}};
    }
  } fake;
  process::Runner* before = &process::CurrentRunner();
  {
    process::ScopedRunner scope(fake);
    EXPECT_TRUE(process::CurrentRunner().Run("tulmo pirsel").Succeeded());
  }
  EXPECT_EQ(fake.seen, "tulmo pirsel");
  EXPECT_EQ(&process::CurrentRunner(), before);
}

}  // namespace
