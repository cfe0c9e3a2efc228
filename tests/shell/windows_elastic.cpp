// The resizing helper's arithmetic: controls follow the window from their recorded design values,
// the window springs back to half its recorded size, the first resize after Init does nothing,
// and geometry beyond 16 bits is recorded.
#include <QLabel>

#include "platform/ui/Controls.h"
#include "platform/ui/Twips.h"
#include "shell/class_Elastic.h"
#include "tests/shell/windows_fixture.h"

namespace {

class ElasticTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    form = new ui::Form("frmElastic", ui::Form::Kind::TopLevel);
    QFont f = form->font();
    f.setPointSize(9);
    form->setFont(f);
    form->resize(400, 300);  // 6000 x 4500 twips
    label = new QLabel("text", form);
    label->setObjectName("lblText");
    ui::Place(label, 1500, 1500, 3000, 750);
    line = new ui::Line("Line1", form);
    line->SetPoints(150, 300, 4500, 300);
  }
  void TearDown() override {
    delete form;
    ShellTest::TearDown();
  }
  ui::Form* form = nullptr;
  QLabel* label = nullptr;
  ui::Line* line = nullptr;
};

TEST_F(ElasticTest, InitRecordsTheDesignAndKeepsTheSizeOnADesignSizedScreen) {
  class_Elastic e;
  e.Init(form);
  EXPECT_EQ(e.nFormHeight, 5500);
  EXPECT_EQ(e.nFormWidth, 7000);
  EXPECT_EQ(e.nNumControls, 1);
  EXPECT_EQ(e.nTop[0], 1500);
  EXPECT_EQ(e.nWidth[0], 3000);
  EXPECT_EQ(e.nFontSize[0], 9);
  EXPECT_EQ(e.nLeft[1], 150);   // X1 of the line
  EXPECT_EQ(e.nWidth[1], 4500); // X2 of the line
  EXPECT_EQ(form->width(), 400);
  EXPECT_EQ(form->height(), 300);
}

TEST_F(ElasticTest, ControlsScaleFromTheirDesignValues) {
  class_Elastic e;
  e.Init(form);
  e.FormResize(form);  // the first call after Init only clears the flag
  EXPECT_EQ(label->geometry(), QRect(100, 100, 200, 50));
  form->resize(600, 400);  // 9000 x 6000 twips
  e.FormResize(form);
  // HR = (5500 - 400) / (6000 - 400), WR = 7000 / 9000.
  // Top Int(1500 / HR) = 1647, Left Int(1500 / WR) = 1928, Height Int(750 / HR) = 823, Width 3857.
  EXPECT_EQ(label->geometry(), QRect(ui::ToPixels(1928), ui::ToPixels(1647), ui::ToPixels(3857), ui::ToPixels(823)));
  // F = Int(9 / WR) = 11, raised to the even 12.
  EXPECT_EQ(label->font().pointSize(), 12);
  EXPECT_EQ(line->X2(), 5785);  // Int(4500 / WR)
  EXPECT_EQ(line->Y1(), 329);   // Int(300 / HR)
  // Back at the first size the values come from the recorded ones again, not from the scaled:
  // HR = 5100 / 4100, WR = 7000 / 6000.
  form->resize(400, 300);
  e.FormResize(form);
  EXPECT_EQ(label->geometry(), QRect(ui::ToPixels(1285), ui::ToPixels(1205), ui::ToPixels(2571), ui::ToPixels(602)));
}

TEST_F(ElasticTest, AControlBroughtToTheFrontKeepsItsOwnDesign) {
  auto* other = new QLabel("other", form);
  other->setObjectName("lblOther");
  ui::Place(other, 300, 3000, 600, 300);
  class_Elastic e;
  e.Init(form);
  e.FormResize(form);
  label->raise();  // moves it to the end of the form's children
  form->resize(600, 400);
  e.FormResize(form);
  EXPECT_EQ(label->geometry(), QRect(ui::ToPixels(1928), ui::ToPixels(1647), ui::ToPixels(3857), ui::ToPixels(823)));
  EXPECT_EQ(other->x(), ui::ToPixels(385));  // Int(300 / WR)
}

TEST_F(ElasticTest, WindowSpringsBackToHalfItsRecordedSize) {
  class_Elastic e;
  e.Init(form);
  e.FormResize(form);
  form->resize(40, 40);
  e.FormResize(form);
  EXPECT_EQ(form->height(), ui::ToPixels(2750));
  EXPECT_EQ(form->width(), ui::ToPixels(3500));
}

TEST_F(ElasticTest, ScreenSizeAndLargeWindowsFit) {
  ui::SetScreenOverride(ui::ScreenSize{28000, 23000});  // twice the design screen
  class_Elastic e;
  e.Init(form);
  EXPECT_EQ(form->width(), 800);
  EXPECT_EQ(form->height(), 600);
  form->resize(3000, 2700);  // 45000 x 40500 twips: beyond 16 bits
  class_Elastic big;
  big.Init(form);
  EXPECT_EQ(big.nFormHeight, 41500);
  EXPECT_EQ(big.nFormWidth, 46000);
}

}  // namespace
