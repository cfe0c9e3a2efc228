// A second, self-closing splash window above all others; the program never shows it, and the
// error box closes it when it is loaded.
#pragma once
#include <QLabel>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

class QFrame;

class frmSplash : public ui::Form {
  Q_OBJECT

 public:
  frmSplash();
  // Starts the timer, 1000 ms a tick.
  Q_INVOKABLE void EnableSplashTimer();
  void tmrSplash_Timer();

  QFrame* fraAbout;
  ui::Timer* tmrSplash;
  QLabel* picAbout;
  QLabel* lblProductName;
  QLabel* lblVersion;
  QLabel* lblCopyright;
  ui::Line* Line1;

 protected:
  void Form_Load() override;

 private:
  std::string tick_;
};
