// The process layer over QProcess. The child's standard output goes nowhere (the engine writes its
// own listing file); its error output is kept, as it says why a program refused to work.
#include "platform/process/Process.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <filesystem>
#include <system_error>

namespace process {
namespace {

Runner* g_runner = nullptr;

}  // namespace

// Not QProcess::splitCommand: that drops an empty quoted argument ("") and reads three quotes as
// one literal quote, where a command line here keeps the empty argument and has no escape.
std::vector<std::string> SplitCommandLine(const std::string& commandLine) {
  std::vector<std::string> parts;
  std::string current;
  bool quoted = false, any = false;
  for (char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (any) parts.push_back(current);
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) parts.push_back(current);
  return parts;
}

std::string ApplicationFolder() {
  if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath().toStdString();
  // Qt knows the folder only once the application object exists; the kernel knows it always.
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : self.parent_path().string();
}

std::string FindExecutable(const std::string& name) {
  if (name.empty()) return {};
  const QString program = QString::fromStdString(name);
  if (name.find('/') != std::string::npos) {
    const QFileInfo file(program);
    return file.isFile() && file.isExecutable() ? name : std::string();
  }
  QStringList folders;
  if (const std::string own = ApplicationFolder(); !own.empty()) folders << QString::fromStdString(own);
  if (qEnvironmentVariableIsSet("PATH"))
    // An empty PATH entry means the current directory, as for the shell.
    for (const QString& folder : qEnvironmentVariable("PATH").split(':')) folders << (folder.isEmpty() ? "." : folder);
  // An empty list would make findExecutable search PATH itself.
  if (folders.isEmpty()) return {};
  return QStandardPaths::findExecutable(program, folders).toStdString();
}

Outcome SystemRunner::Run(const std::string& commandLine) {
  Outcome outcome;
  const std::vector<std::string> parts = SplitCommandLine(commandLine);
  if (parts.empty()) {
    outcome.error = "empty command line";
    return outcome;
  }
  const std::string program = FindExecutable(parts.front());
  if (program.empty()) {
    outcome.error = "program '" + parts.front() + "' not found";
    return outcome;
  }
  QStringList arguments;
  for (std::size_t i = 1; i < parts.size(); ++i) arguments << QString::fromStdString(parts[i]);
  QProcess child;
  child.setProgram(QString::fromStdString(program));
  child.setArguments(arguments);
  child.setWorkingDirectory(QString::fromStdString(std::filesystem::current_path().string()));
  child.setStandardInputFile(QProcess::nullDevice());
  child.setStandardOutputFile(QProcess::nullDevice());
  child.setProcessChannelMode(QProcess::SeparateChannels);
  child.start();
  if (!child.waitForStarted(-1)) {
    outcome.error = child.errorString().toStdString();
    return outcome;
  }
  outcome.started = true;
  // The wait runs no event loop: what the user does meanwhile stays queued for the program.
  child.waitForFinished(-1);
  constexpr qint64 kKeptErrorOutput = 4096;
  outcome.errorOutput = child.readAllStandardError().left(kKeptErrorOutput).toStdString();
  outcome.crashed = child.exitStatus() == QProcess::CrashExit;
  outcome.exitCode = outcome.crashed ? -1 : child.exitCode();
  if (outcome.crashed) outcome.error = "program '" + parts.front() + "' ended abnormally";
  return outcome;
}

Runner& CurrentRunner() {
  static SystemRunner system;
  return g_runner ? *g_runner : system;
}

void SetRunner(Runner* runner) { g_runner = runner; }

ScopedRunner::ScopedRunner(Runner& runner) : previous_(g_runner) { g_runner = &runner; }
ScopedRunner::~ScopedRunner() { g_runner = previous_; }

}  // namespace process
