// What the program asks of the desktop as a whole: ending at once, the hourglass, whether another
// instance runs, the locale's decimal point and opening a document in the desktop's viewer. Each
// service that reaches outside the process can be replaced in tests.
#pragma once
#include <QUrl>
#include <functional>
#include <string>

namespace ui {

// Ends the application at once: inside the event loop the loop stops; before it, main() sees
// ApplicationEnded() and does not start one. The caller returns right after.
void EndApplication();
bool ApplicationEnded();
// Tests: replaces what ending does (an empty function restores the real one) and resets the flag.
void SetEndHandler(std::function<void()> handler);

// The hourglass pointer while alive; the previous pointer comes back on every way out.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};
bool HourglassShown();

// True when another instance of the program holds the instance lock; the first call takes it.
bool PrevInstance();
void SetPrevInstanceCheck(std::function<bool()> check);  // empty: the real lock file
// After PrevInstance: why the lock file could not be made (a sentence naming the file and the
// system's reason), in which case PrevInstance said false. Empty when the lock was taken or is
// held by another instance.
std::string InstanceLockProblem();
// Tests: drops the lock taken so far and puts the next one in this folder (empty: the desktop's
// runtime folder).
void SetInstanceLockFolder(const std::string& folder);

// The decimal point of the user's locale, as one character of text.
std::string LocaleDecimalPoint();
void SetDecimalPointSource(std::function<std::string()> source);  // empty: the real locale

// Opens a document or page in the desktop's viewer; false when that failed.
bool OpenUrl(const QUrl& url);
void SetUrlOpener(std::function<bool(const QUrl&)> opener);  // empty: the desktop's

}  // namespace ui
