#include "platform/ui/Application.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
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

bool RealPrevInstance() {
  // The lock lives for the whole process; a lock left by a crashed instance is taken over.
  static std::unique_ptr<QLockFile> lock;
  static bool other = false;
  if (lock) return other;
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  QDir().mkpath(dir);
  lock = std::make_unique<QLockFile>(dir + "/ui-tulmo.lock");
  lock->setStaleLockTime(0);
  other = !lock->tryLock(0);
  return other;
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

std::string LocaleDecimalPoint() {
  if (DecimalSource()) return DecimalSource()();
  return QLocale::system().decimalPoint().toStdString();
}
void SetDecimalPointSource(std::function<std::string()> source) { DecimalSource() = std::move(source); }

bool OpenUrl(const QUrl& url) { return Opener() ? Opener()(url) : QDesktopServices::openUrl(url); }
void SetUrlOpener(std::function<bool(const QUrl&)> opener) { Opener() = std::move(opener); }

}  // namespace ui
