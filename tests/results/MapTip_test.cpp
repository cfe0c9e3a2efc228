// The map value tip driven through a test clock: when it shows, what it says, where it sits.
#include <gtest/gtest.h>
#include <shapefil.h>

#include <QEventLoop>
#include <QLabel>
#include <QTimer>
#include <functional>

#include "platform/map/Colors.h"
#include "platform/ui/Twips.h"
#include "results/MapTip.h"
#include "runtime/VbError.h"
#include "tests/platform/map/ShapeFixture.h"

namespace {

// A timer on a test clock: Advance() lets time pass and ticks while the interval is set.
class ClockTimer : public TipTimer {
 public:
  std::function<void()> onTick;
  int Interval() const override { return interval_; }
  void SetInterval(int ms) override {
    if (ms != interval_) phase_ = 0;
    interval_ = ms;
  }
  void Advance(int ms) {
    while (ms > 0 && interval_ > 0) {
      int step = std::min(ms, interval_ - phase_);
      phase_ += step;
      ms -= step;
      if (phase_ == interval_) {
        phase_ = 0;
        onTick();
      }
    }
  }

 private:
  int interval_ = 0;
  int phase_ = 0;
};

// The result window's pieces: the map Map1 with a layer of three cells, the box and its label.
struct ResultForm {
  QWidget form;
  mapctl::Map* map = new mapctl::Map(&form);
  QWidget* pic = new QWidget(&form);
  QLabel* lbl = new QLabel(pic);
  ClockTimer timer;
  MapTip tip;
  std::shared_ptr<mapctl::MapLayer> layer;

  explicit ResultForm(bool withLayer = true) {
    form.setObjectName("frmResult");
    form.resize(733, 600);
    map->setObjectName("Map1");
    map->setGeometry(63, 345, 300, 100);  // 945, 5175 twips
    pic->setGeometry(0, 0, 40, 17);
    timer.onTick = [this] { tip.Timer(); };
    if (!withLayer) return;
    fixture::WriteLayer("cells.shp", SHPT_POLYGON,
                        {{fixture::Box(0, 0, 10, 10)}, {fixture::Box(10, 0, 20, 10, true)}, {fixture::Box(20, 0, 30, 10)}},
                        {{"V", {0, -1234.5, 0.000123}}});
    layer = std::make_shared<mapctl::MapLayer>("cells.shp");
    map->Layers().Add(layer);
    map->SetExtent({0, 10, 30, 0});  // 0.1 units a pixel
    tip.Initialize(map, &timer, pic, lbl);
    tip.SetLayer(layer, "V");
  }
  // Pointer position in twips of a map point.
  void MoveTo(double x, double y) {
    mapctl::Point t = map->FromMapPoint({x, y});
    tip.MouseMove(static_cast<float>(t.X), static_cast<float>(t.Y), &form);
  }
};

}  // namespace

TEST(MapTip, RestingOnACellShowsItsValueInScientificForm) {
  struct Case {
    double x;
    const char* text;
  };
  for (Case c : {Case{5, "Value: 0.00E+00"}, Case{15, "Value: -1.23E+03"}, Case{25, "Value: 1.23E-04"}}) {
    ResultForm f;
    EXPECT_TRUE(f.pic->isHidden());
    f.MoveTo(c.x, 5);
    EXPECT_EQ(f.timer.Interval(), 100);
    EXPECT_TRUE(f.pic->isHidden());
    f.timer.Advance(99);
    EXPECT_TRUE(f.pic->isHidden());
    f.timer.Advance(1);  // one full period at rest
    EXPECT_FALSE(f.pic->isHidden());
    EXPECT_EQ(f.lbl->text().toStdString(), c.text);
    EXPECT_EQ(f.timer.Interval(), 0);  // showing: the timer is stopped
  }
}

TEST(MapTip, BoxSitsBelowRightOfThePointerInTipColours) {
  ResultForm f;
  f.tip.MouseMove(1500, 750, &f.form);  // twips inside the map: 100, 50 pixels
  f.timer.Advance(100);
  ASSERT_FALSE(f.pic->isHidden());
  EXPECT_EQ(f.lbl->pos(), QPoint(ui::ToPixels(50), 0));
  EXPECT_EQ(f.pic->x(), ui::ToPixels(945 + 1500));
  EXPECT_EQ(f.pic->y(), ui::ToPixels(5175 + 750 + 290));
  EXPECT_EQ(f.pic->width(), ui::ToPixels(ui::ToTwips(f.lbl->width()) + 100));
  EXPECT_EQ(f.pic->height(), 17);  // as designed
  EXPECT_GE(f.lbl->width(), f.lbl->fontMetrics().horizontalAdvance(f.lbl->text()));
  EXPECT_TRUE(f.pic->autoFillBackground());
  EXPECT_FALSE(f.lbl->autoFillBackground());
  EXPECT_EQ(f.pic->palette().color(QPalette::Window), mapctl::ColorFromBGR(mapctl::kToolTipBackground));
  EXPECT_EQ(f.lbl->palette().color(QPalette::WindowText), mapctl::ColorFromBGR(mapctl::kToolTipText));
}

TEST(MapTip, MovingOnNeverShowsAndStoppingShowsWithinTwoPeriods) {
  ResultForm f;
  for (int step = 0; step < 40; ++step) {
    f.MoveTo(1 + step * 0.5, 5);
    f.timer.Advance(50);
    ASSERT_TRUE(f.pic->isHidden()) << step;
  }
  f.timer.Advance(200);
  EXPECT_FALSE(f.pic->isHidden());
  EXPECT_EQ(f.lbl->text().toStdString(), "Value: 1.23E-04");  // stopped at x = 20.5, in cell 2

  // While the tip shows, the first move starts the timer again and the next one hides the tip.
  f.MoveTo(5, 5);
  EXPECT_FALSE(f.pic->isHidden());
  EXPECT_EQ(f.timer.Interval(), 100);
  f.MoveTo(5.5, 5);
  EXPECT_TRUE(f.pic->isHidden());
}

TEST(MapTip, RestingOutsideAllCellsLeavesTheBoxHiddenAndTheTimerStopped) {
  ResultForm f;
  f.MoveTo(15, 5);
  f.timer.Advance(100);
  ASSERT_FALSE(f.pic->isHidden());
  f.MoveTo(15, 12);  // above the cells; first move keeps the box
  f.MoveTo(15, 12.5);
  f.timer.Advance(300);
  EXPECT_TRUE(f.pic->isHidden());
  EXPECT_EQ(f.timer.Interval(), 0);
}

TEST(MapTip, StaysIdleWhileTheResultMapIsEmpty) {
  ResultForm f(false);
  // As the window leaves it when the layer file is missing: initialised, the layer not added.
  f.tip.Initialize(f.map, &f.timer, f.pic, f.lbl);
  f.tip.SetLayer(std::make_shared<mapctl::MapLayer>("missing.shp"), "V");
  MapTip fresh;  // not initialised: no timer, box or layer yet
  for (float x : {10.f, 20.f, 30.f}) {
    fresh.MouseMove(x, 5, &f.form);
    f.tip.MouseMove(x, 5, &f.form);
  }
  EXPECT_EQ(f.timer.Interval(), 0);
  EXPECT_TRUE(f.pic->isHidden());

  // Another form is not looked at, so an instance without a timer fails as an unset object.
  QWidget other;
  try {
    fresh.MouseMove(1, 1, &other);
    ADD_FAILURE();
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.number, 91);
  }
}

TEST(MapTip, PointLayersAreSearchedWithinOneHundredTwips) {
  ResultForm f(false);
  fixture::WriteLayer("points.shp", SHPT_POINT, {{{{15, 5}}}}, {{"V", {42}}});
  auto points = std::make_shared<mapctl::MapLayer>("points.shp");
  f.map->Layers().Add(points);
  f.map->SetExtent({0, 10, 30, 0});  // 0.1 units a pixel: 100 twips are about 0.67 units
  f.tip.Initialize(f.map, &f.timer, f.pic, f.lbl);
  f.tip.SetLayer(points, "V");
  f.MoveTo(15.6, 5);
  f.timer.Advance(100);
  EXPECT_FALSE(f.pic->isHidden());
  EXPECT_EQ(f.lbl->text().toStdString(), "Value: 4.20E+01");
  f.MoveTo(15.8, 5);
  f.MoveTo(15.8, 5.1);
  f.timer.Advance(200);
  EXPECT_TRUE(f.pic->isHidden());
}

TEST(MapTip, RunsOnTheFormsTimerControl) {
  ResultForm f;
  ui::Timer tmrToolTip("tmrToolTip");
  tmrToolTip.SetEnabled(true);  // as designed: enabled, interval 0
  f.tip.Initialize(f.map, &tmrToolTip, f.pic, f.lbl);
  QEventLoop loop;
  QObject::connect(&tmrToolTip, &ui::Timer::Tick, [&] {
    f.tip.Timer();
    if (tmrToolTip.Interval() == 0) loop.quit();
  });
  f.MoveTo(25, 5);
  EXPECT_EQ(tmrToolTip.Interval(), 100);
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);  // only a guard against a hang
  loop.exec();
  EXPECT_EQ(tmrToolTip.Interval(), 0);
  EXPECT_FALSE(f.pic->isHidden());
  EXPECT_EQ(f.lbl->text().toStdString(), "Value: 1.23E-04");
}
