#include "platform/ui/Application.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <memory>

namespace ui {
namespace {

bool& Ended() {
  static bool ended = false;
  return ended;
}
std::function<void()>& EndHandler() {
  static std::function<void()> handler;
  return handler;
}
std::function<bool()>& InstanceCheck() {
  static std::function<bool()> check;
  return check;
}
std::function<std::string()>& DecimalSource() {
  static std::function<std::string()> source;
  return source;
}
std::function<bool(const QUrl&)>& Opener() {
  static std::function<bool(const QUrl&)> opener;
  return opener;
}
int& WaitDepth() {
  static int depth = 0;
  return depth;
}

// The instance lock lives for the whole process; a lock left by a crashed instance is taken over.
struct InstanceLock {
  std::unique_ptr<QLockFile> file;
  bool other = false;
  std::string problem;
  QString folder;  // empty: the desktop's runtime folder
};
InstanceLock& Instance() {
  static InstanceLock lock;
  return lock;
}

// Why a file cannot be made in the folder, in the system's words.
QString CreateFailure(const QString& dir) {
  if (!QFileInfo(dir).isDir()) return "the folder does not exist and could not be made";
  QFile probe(dir + "/ui-tulmo.lock.probe");
  if (probe.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
    probe.close();
    probe.remove();
    return "the lock file could not be written";
  }
  return probe.errorString();
}

bool RealPrevInstance() {
  InstanceLock& lock = Instance();
  if (lock.file) return lock.other;
  QString dir = lock.folder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : lock.folder;
  if (dir.isEmpty()) dir = QDir::tempPath();
  QDir().mkpath(dir);
  const QString path = QDir(dir).absoluteFilePath("ui-tulmo.lock");
  lock.file = std::make_unique<QLockFile>(path);
  lock.file->setStaleLockTime(0);
  lock.other = false;
  if (lock.file->tryLock(0)) return false;
  if (lock.file->error() == QLockFile::LockFailedError) return lock.other = true;
  // Only a lock held by a living instance means one runs; a lock that cannot be made answers
  // nothing either way, and the user must learn what failed and where.
  lock.problem = "The program could not create its instance lock file '" + path.toStdString() + "' (" +
                 CreateFailure(dir).toStdString() +
                 "), so it cannot tell whether it is already running. It starts anyway: do not start it a second "
                 "time.";
  return false;
}

}  // namespace

void EndApplication() {
  Ended() = true;
  if (EndHandler()) {
    EndHandler()();
    return;
  }
  if (QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
}

bool ApplicationEnded() { return Ended(); }

void SetEndHandler(std::function<void()> handler) {
  EndHandler() = std::move(handler);
  Ended() = false;
}

WaitCursor::WaitCursor() {
  ++WaitDepth();
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
  --WaitDepth();
  QApplication::restoreOverrideCursor();
}

bool HourglassShown() { return WaitDepth() > 0; }

bool PrevInstance() { return InstanceCheck() ? InstanceCheck()() : RealPrevInstance(); }
void SetPrevInstanceCheck(std::function<bool()> check) { InstanceCheck() = std::move(check); }
std::string InstanceLockProblem() { return InstanceCheck() ? std::string() : Instance().problem; }
void SetInstanceLockFolder(const std::string& folder) {
  Instance() = InstanceLock{};
  Instance().folder = QString::fromStdString(folder);
}

std::string LocaleDecimalPoint() {
  if (DecimalSource()) return DecimalSource()();
  return QLocale::system().decimalPoint().toStdString();
}
void SetDecimalPointSource(std::function<std::string()> source) { DecimalSource() = std::move(source); }

bool OpenUrl(const QUrl& url) { return Opener() ? Opener()(url) : QDesktopServices::openUrl(url); }
void SetUrlOpener(std::function<bool(const QUrl&)> opener) { Opener() = std::move(opener); }

}  // namespace ui
