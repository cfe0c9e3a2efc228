#include "results/MapTip.h"

#include "platform/map/Colors.h"
#include "platform/ui/Twips.h"
#include "runtime/Format.h"
#include "runtime/VbError.h"

namespace {

// A control that was never handed over is the runtime's "object variable not set".
template <class T>
T& Need(T* object) {
  if (!object) vb::Raise(91);
  return *object;
}

// The form's timer control seen as the tip's timer.
class ControlTimer : public TipTimer {
 public:
  explicit ControlTimer(ui::Timer& timer) : timer_(&timer) {}
  int Interval() const override { return Need(timer_.data()).Interval(); }
  void SetInterval(int milliseconds) override { Need(timer_.data()).SetInterval(milliseconds); }

 private:
  QPointer<ui::Timer> timer_;
};

}  // namespace

void MapTip::Initialize(mapctl::Map* map, ui::Timer* tmr, QWidget* pic, QLabel* lbl) {
  mformTimer = std::make_unique<ControlTimer>(Need(tmr));
  Initialize(map, mformTimer.get(), pic, lbl);
}

void MapTip::Initialize(mapctl::Map* map, TipTimer* tmr, QWidget* pic, QLabel* lbl) {
  mobjMap = map;
  mtmrTip = tmr;
  mpicTip = pic;
  mlblTip = lbl;

  QWidget& box = Need(pic);
  box.hide();
  box.setAutoFillBackground(true);
  QPalette boxColours = box.palette();
  boxColours.setColor(QPalette::Window, mapctl::ColorFromBGR(mapctl::kToolTipBackground));
  box.setPalette(boxColours);

  QLabel& label = Need(lbl);
  QPalette textColours = label.palette();
  textColours.setColor(QPalette::WindowText, mapctl::ColorFromBGR(mapctl::kToolTipText));
  label.setPalette(textColours);
  label.setAutoFillBackground(false);  // the box's colour shows behind the text
  label.setWordWrap(false);
  label.adjustSize();
}

void MapTip::SetLayer(std::shared_ptr<mapctl::MapLayer> layer, std::string fld) {
  mlyrLayer = std::move(layer);
  mstrField = std::move(fld);
}

void MapTip::MouseMove(float X, float Y, QWidget* myForm) {
  // The result window drives a fresh tip before it has a layer; stay idle until it has one.
  if (myForm && myForm->objectName() == "frmResult") {
    auto* map1 = myForm->findChild<mapctl::Map*>("Map1");
    if (!map1) vb::Raise(438);
    if (map1->Layers().Count() < 1) return;
  }
  msinX = X;
  msinY = Y;
  TipTimer& timer = Need(mtmrTip);
  if (timer.Interval() != 0) {
    Need(mpicTip.data()).hide();
  } else {
    msinRestX = X;
    msinRestY = Y;
    timer.SetInterval(kRestInterval);
  }
}

void MapTip::Timer() {
  TipTimer& timer = Need(mtmrTip);
  if (msinX == msinRestX && msinY == msinRestY) {
    timer.SetInterval(0);
    mapctl::Recordset found = FindFeature();
    if (found.Eof())
      Need(mpicTip.data()).hide();
    else
      ShowTip("Value: " + vb::Format(found.Fields(mstrField), "0.00E+00"));
  } else {
    msinRestX = msinX;
    msinRestY = msinY;
  }
}

void MapTip::Hide() {
  if (mtmrTip) mtmrTip->SetInterval(0);
  if (mpicTip) mpicTip->hide();
}

mapctl::Recordset MapTip::FindFeature() {
  mapctl::Map& map = Need(mobjMap.data());
  mapctl::MapLayer& layer = Need(mlyrLayer.get());
  mapctl::Point point = map.ToMapPoint(msinX, msinY);
  if (layer.ShapeType() == mapctl::kShapeTypePolygon)
    return layer.SearchShape(point, mapctl::kSearchPointInPolygon, "");
  return layer.SearchByDistance(point, map.ToMapDistance(100), "");
}

void MapTip::ShowTip(const std::string& text) {
  QLabel& label = Need(mlblTip.data());
  QWidget& box = Need(mpicTip.data());
  mapctl::Map& map = Need(mobjMap.data());
  label.setText(QString::fromStdString(text));
  label.adjustSize();
  label.move(ui::ToPixels(50), ui::ToPixels(0));
  double left = map.Left() + msinX;
  double top = map.Top() + msinY + 290;
  double width = ui::ToTwips(label.width()) + 100;
  box.setGeometry(ui::ToPixels(left), ui::ToPixels(top), ui::ToPixels(width), box.height());
  box.show();
}
