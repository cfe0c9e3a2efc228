#include "shell/frmAbout.h"

#include <QFrame>
#include <QKeyEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include "platform/ui/Twips.h"
#include "runtime/Guard.h"
#include "shell/Globals.h"

namespace {
constexpr const char* kName = "frmAbout";
}

std::string VersionText() {
  return "Version " + std::to_string(App::Major()) + "." + std::to_string(App::Minor()) + "." +
         std::to_string(App::Revision());
}

QPixmap ProductPicture(int width, int height) {
  QPixmap pm(width, height);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height);
  sky.setColorAt(0, QColor(170, 205, 235));
  sky.setColorAt(1, QColor(230, 240, 250));
  p.fillRect(pm.rect(), sky);
  // Land on both banks and the estuary widening towards the sea at the right.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 160, 90));
  p.drawRect(QRectF(0, height * 0.45, width, height * 0.55));
  QPainterPath water;
  water.moveTo(0, height * 0.68);
  water.cubicTo(width * 0.4, height * 0.62, width * 0.7, height * 0.50, width, height * 0.48);
  water.lineTo(width, height);
  water.cubicTo(width * 0.7, height * 0.95, width * 0.4, height * 0.80, 0, height * 0.76);
  water.closeSubpath();
  QLinearGradient blue(0, 0, width, 0);
  blue.setColorAt(0, QColor(80, 130, 170));
  blue.setColorAt(1, QColor(30, 80, 140));
  p.setBrush(blue);
  p.drawPath(water);
  return pm;
}

frmAbout::frmAbout() : ui::Form(kName, Kind::TopLevel) {
  setWindowTitle("Product Information");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  SetDesignClientSize(5730, 3900);
  setStyleSheet("frmAbout { background: white; }");
  fraAbout = new QFrame(this);
  fraAbout->setObjectName("fraAbout");
  fraAbout->setFrameShape(QFrame::StyledPanel);
  ui::Place(fraAbout, 120, 60, 5490, 3120);
  tmrSplash = new ui::Timer("tmrSplash", this);
  Picture1 = new QLabel(fraAbout);
  Picture1->setObjectName("Picture1");
  ui::Place(Picture1, 120, 180, 1680, 1680);
  Picture1->setPixmap(ProductPicture(Picture1->width(), Picture1->height()));
  Picture2 = new QLabel(fraAbout);
  Picture2->setObjectName("Picture2");
  ui::Place(Picture2, 120, 1920, 810, 810);
  Picture3 = new QLabel(fraAbout);
  Picture3->setObjectName("Picture3");
  ui::Place(Picture3, 990, 1920, 810, 810);
  lblProductName = new QLabel("<Product Name>", fraAbout);
  lblProductName->setObjectName("lblProductName");
  QFont big = lblProductName->font();
  big.setPointSize(20);
  big.setBold(true);
  lblProductName->setFont(big);
  ui::Place(lblProductName, 2040, 180, 3300, 600);
  lblVersion = new QLabel("Version <Application Version>", fraAbout);
  lblVersion->setObjectName("lblVersion");
  ui::Place(lblVersion, 2040, 840, 3300, 300);
  Line1 = new ui::Line("Line1", fraAbout);
  Line1->SetPoints(2040, 1260, 5340, 1260);
  lblCopyright = new QLabel(fraAbout);
  lblCopyright->setObjectName("lblCopyright");
  lblCopyright->setWordWrap(true);
  lblCopyright->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ui::Place(lblCopyright, 2040, 1380, 3300, 1620);
  cmdOK = new QPushButton("&Close", this);
  cmdOK->setObjectName("cmdOK");
  ui::Place(cmdOK, 4320, 3300, 1290, 420);
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
  connect(tmrSplash, &ui::Timer::Tick, this, &frmAbout::tmrSplash_Timer);
  auto draw = [](QLabel* label, QColor a, QColor b) {
    QPixmap pm(label->size());
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(a);
    p.drawEllipse(pm.rect().adjusted(4, 4, -4, -4));
    p.setBrush(b);
    p.drawEllipse(pm.rect().adjusted(16, 16, -16, -16));
    label->setPixmap(pm);
  };
  draw(Picture2, QColor(30, 80, 140), QColor(170, 205, 235));
  draw(Picture3, QColor(120, 160, 90), QColor(230, 240, 250));
}

void frmAbout::Form_Load() {
  vb::Guard(kName, "Form_Load", [&] {
    lblProductName->setText(App::kProductName);
    lblVersion->setText(QString::fromStdString(VersionText()));
    lblCopyright->setText(
        "Screening the fate of a chemical released into an estuary.\n\n"
        "Copyright (c) the Tulmo developers.\n"
        "Water-quality engine, map layers and charts by the same team.");
    if (QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  });
}

void frmAbout::EnableSplashTimer() {
  vb::Guard(kName, "EnableSplashTimer", [&] {
    tmrSplash->SetEnabled(true);
    tmrSplash->SetInterval(4000);
  });
}

void frmAbout::tmrSplash_Timer() {
  vb::Guard(kName, "tmrSplash_Timer", [&] {
    if (tick_.empty())
      tick_ = "True";
    else
      Unload();
  });
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    cmdOK_Click();
    return;
  }
  ui::Form::keyPressEvent(event);
}

void frmAbout::cmdOK_Click() {
  vb::Guard(kName, "cmdOK_Click", [&] { Unload(); });
}
