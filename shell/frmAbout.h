// The about window: the splash at start-up (closing itself at its timer's second tick) and the
// modal product information of the Help menu.
#pragma once
#include <QLabel>
#include <QPushButton>
#include <string>

#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"

class QFrame;

class frmAbout : public ui::Form {
  Q_OBJECT

 public:
  frmAbout();
  // Starts the timer, 4000 ms a tick.
  Q_INVOKABLE void EnableSplashTimer();
  void tmrSplash_Timer();
  void cmdOK_Click();

  QFrame* fraAbout;
  ui::Timer* tmrSplash;
  QLabel* Picture1;
  QLabel* Picture2;
  QLabel* Picture3;
  QPushButton* cmdOK;
  QLabel* lblProductName;
  QLabel* lblVersion;
  QLabel* lblCopyright;
  ui::Line* Line1;
  std::string TickFlag() const { return tick_; }

 protected:
  void Form_Load() override;
  // Escape closes as the Close button.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::string tick_;
};

// The version line of both splash windows: "Version 1.0.0".
std::string VersionText();
// The estuary picture of the product windows.
QPixmap ProductPicture(int width, int height);
