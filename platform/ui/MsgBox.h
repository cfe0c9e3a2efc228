// Message boxes and the beep, through a sink that tests replace so that nothing ever blocks.
#pragma once
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// Styles (added together) and answers, with the values the system uses.
enum : int {
  vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
  vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
  vbDefaultButton2 = 256, vbDefaultButton3 = 512,
};
enum : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// The application title shown by default.
inline constexpr const char* kAppTitle = "Tulmo";

// Shows a modal box and returns the answer. Prompts are UTF-8; "\r\n" and "\r" break lines.
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = kAppTitle);
void Beep();

using MsgBoxSink = std::function<int(const std::string& prompt, int style, const std::string& title)>;
using BeepSink = std::function<void()>;
// Replace the sinks; an empty function restores the real dialog (or the real beep). Returns the previous one.
MsgBoxSink SetMsgBoxSink(MsgBoxSink sink);
BeepSink SetBeepSink(BeepSink sink);

// For tests: while alive, records every box and beep instead of showing them, and answers from a
// queue (then with the first button of the style: OK, Abort, Yes or Retry). Restores the previous sinks.
class MsgBoxRecorder {
 public:
  struct Box {
    std::string prompt;
    int style;
    std::string title;
  };
  MsgBoxRecorder();
  ~MsgBoxRecorder();
  MsgBoxRecorder(const MsgBoxRecorder&) = delete;
  MsgBoxRecorder& operator=(const MsgBoxRecorder&) = delete;

  void Answer(int reply) { replies_.push_back(reply); }
  const std::vector<Box>& boxes() const { return boxes_; }
  int beeps() const { return beeps_; }
  // The events in order: "beep" or "box:" followed by the prompt.
  const std::vector<std::string>& events() const { return events_; }
  void Clear();

 private:
  std::vector<Box> boxes_;
  std::vector<std::string> events_;
  std::deque<int> replies_;
  int beeps_ = 0;
  MsgBoxSink previousBox_;
  BeepSink previousBeep_;
};

}  // namespace ui
