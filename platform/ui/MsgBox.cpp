#include "platform/ui/MsgBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

namespace ui {
namespace {

MsgBoxSink& BoxSink() {
  static MsgBoxSink sink;
  return sink;
}
BeepSink& TheBeepSink() {
  static BeepSink sink;
  return sink;
}

int ShowDialog(const std::string& prompt, int style, const std::string& title) {
  QString text = QString::fromStdString(prompt);
  text.replace("\r\n", "\n").replace('\r', '\n');
  QMessageBox box(QApplication::activeWindow());
  box.setWindowTitle(QString::fromStdString(title));
  box.setText(text);
  switch (style & 0x70) {
    case vbCritical: box.setIcon(QMessageBox::Critical); break;
    case vbQuestion: box.setIcon(QMessageBox::Question); break;
    case vbExclamation: box.setIcon(QMessageBox::Warning); break;
    case vbInformation: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  struct Button {
    QMessageBox::StandardButton button;
    int answer;
  };
  std::vector<Button> buttons;
  switch (style & 0x7) {
    case vbOKCancel: buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
    case vbAbortRetryIgnore:
      buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
      break;
    case vbYesNoCancel:
      buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
      break;
    case vbYesNo: buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
    case vbRetryCancel: buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}}; break;
    default: buttons = {{QMessageBox::Ok, vbOK}}; break;
  }
  QMessageBox::StandardButtons all;
  for (const Button& b : buttons) all |= b.button;
  box.setStandardButtons(all);
  std::size_t def = (style & vbDefaultButton3) ? 2 : (style & vbDefaultButton2) ? 1 : 0;
  if (def < buttons.size()) box.setDefaultButton(buttons[def].button);
  int clicked = box.exec();
  for (const Button& b : buttons)
    if (clicked == b.button) return b.answer;
  // Closed by the window's close box: the Cancel answer where there is one, else the first.
  for (const Button& b : buttons)
    if (b.answer == vbCancel) return vbCancel;
  return buttons.front().answer;
}

int FirstAnswer(int style) {
  switch (style & 0x7) {
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNoCancel:
    case vbYesNo: return vbYes;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
  }
}

}  // namespace

int MsgBox(const std::string& prompt, int style, const std::string& title) {
  if (BoxSink()) return BoxSink()(prompt, style, title);
  return ShowDialog(prompt, style, title);
}

void Beep() {
  if (TheBeepSink())
    TheBeepSink()();
  else
    QApplication::beep();
}

MsgBoxSink SetMsgBoxSink(MsgBoxSink sink) { return std::exchange(BoxSink(), std::move(sink)); }
BeepSink SetBeepSink(BeepSink sink) { return std::exchange(TheBeepSink(), std::move(sink)); }

MsgBoxRecorder::MsgBoxRecorder() {
  previousBox_ = SetMsgBoxSink([this](const std::string& prompt, int style, const std::string& title) {
    boxes_.push_back({prompt, style, title});
    events_.push_back("box:" + prompt);
    if (!replies_.empty()) {
      int r = replies_.front();
      replies_.pop_front();
      return r;
    }
    return FirstAnswer(style);
  });
  previousBeep_ = SetBeepSink([this] {
    ++beeps_;
    events_.push_back("beep");
  });
}

MsgBoxRecorder::~MsgBoxRecorder() {
  SetMsgBoxSink(std::move(previousBox_));
  SetBeepSink(std::move(previousBeep_));
}

void MsgBoxRecorder::Clear() {
  boxes_.clear();
  events_.clear();
  replies_.clear();
  beeps_ = 0;
}

}  // namespace ui
