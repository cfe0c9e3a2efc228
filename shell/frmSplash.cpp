#include "shell/frmSplash.h"

#include <QFrame>

#include "platform/ui/Forms.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "shell/Globals.h"
#include "shell/frmAbout.h"

namespace {
constexpr const char* kName = "frmSplash";
// Loading goes on past a failing statement.
template <class F>
void Step(F&& f) {
  vb::Try(std::forward<F>(f));
  vb::Err().Clear();
}
}  // namespace

frmSplash::frmSplash() : ui::Form(kName, Kind::TopLevel) {
  setWindowTitle("Splash");
  setWindowFlags(Qt::SplashScreen | Qt::WindowStaysOnTopHint);
  SetDesignClientSize(5730, 3300);
  fraAbout = new QFrame(this);
  fraAbout->setObjectName("fraAbout");
  fraAbout->setFrameShape(QFrame::StyledPanel);
  ui::Place(fraAbout, 60, 60, 5610, 3180);
  tmrSplash = new ui::Timer("tmrSplash", this);
  picAbout = new QLabel(fraAbout);
  picAbout->setObjectName("picAbout");
  ui::Place(picAbout, 120, 180, 1680, 1680);
  picAbout->setPixmap(ProductPicture(picAbout->width(), picAbout->height()));
  lblProductName = new QLabel("<Product Name>", fraAbout);
  lblProductName->setObjectName("lblProductName");
  ui::Place(lblProductName, 2040, 180, 3300, 600);
  lblVersion = new QLabel("Version <Application Version>", fraAbout);
  lblVersion->setObjectName("lblVersion");
  ui::Place(lblVersion, 2040, 840, 3300, 300);
  Line1 = new ui::Line("Line1", fraAbout);
  Line1->SetPoints(2040, 1260, 5340, 1260);
  lblCopyright = new QLabel(fraAbout);
  lblCopyright->setObjectName("lblCopyright");
  ui::Place(lblCopyright, 2040, 1380, 3300, 600);
  connect(tmrSplash, &ui::Timer::Tick, this, &frmSplash::tmrSplash_Timer);
}

void frmSplash::Form_Load() {
  Step([&] { lblProductName->setText(App::kProductName); });
  Step([&] { lblVersion->setText(QString::fromStdString(VersionText())); });
  Step([&] { lblCopyright->setText("Copyright (c) the Tulmo developers."); });
  Step([&] { raise(); });  // above all other windows (its window flags keep it there)
  Step([&] { ui::DoEvents(); });
  Step([&] { ui::DoEvents(); });
}

void frmSplash::EnableSplashTimer() {
  vb::Guard(kName, "EnableSplashTimer", [&] {
    tmrSplash->SetEnabled(true);
    tmrSplash->SetInterval(1000);
  });
}

void frmSplash::tmrSplash_Timer() {
  vb::Guard(kName, "tmrSplash_Timer", [&] {
    if (tick_.empty())
      tick_ = "True";
    else
      Unload();
  });
}
