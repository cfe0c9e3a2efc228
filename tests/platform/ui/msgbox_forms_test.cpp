#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QWidget>
#include <memory>

#include "platform/ui/Forms.h"
#include "platform/ui/MsgBox.h"

namespace {

TEST(MsgBoxRecorder, RecordsAnswersAndRestoresTheOuterSink) {
  ui::MsgBoxRecorder outer;
  {
    ui::MsgBoxRecorder inner;
    inner.Answer(ui::vbNo);
    ui::Beep();
    EXPECT_EQ(ui::MsgBox("Delete?", ui::vbYesNo + ui::vbQuestion), ui::vbNo);
    EXPECT_EQ(ui::MsgBox("Again?", ui::vbYesNo), ui::vbYes);  // queue empty: first button
    EXPECT_EQ(ui::MsgBox("Done"), ui::vbOK);
    ASSERT_EQ(inner.boxes().size(), 3u);
    EXPECT_EQ(inner.boxes()[0].style, ui::vbYesNo + ui::vbQuestion);
    EXPECT_EQ(inner.boxes()[0].title, "Tulmo");
    EXPECT_EQ(inner.beeps(), 1);
    EXPECT_EQ(inner.events().front(), "beep");
    EXPECT_EQ(inner.events()[1], "box:Delete?");
  }
  ui::MsgBox("after", ui::vbCritical, "Other");
  ASSERT_EQ(outer.boxes().size(), 1u);
  EXPECT_EQ(outer.boxes()[0].title, "Other");
  EXPECT_EQ(outer.beeps(), 0);
}

class Refusing : public QWidget {
 protected:
  void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

TEST(Forms, RegistryInLoadOrderSearchedWithoutCase) {
  auto a = std::make_unique<QWidget>();
  a->setObjectName("frmSplash");
  auto b = std::make_unique<QWidget>();
  b->setObjectName("MDIMain");
  ui::RegisterForm(a.get());
  ui::RegisterForm(b.get());
  ui::RegisterForm(a.get());  // once only
  ASSERT_EQ(ui::Forms().size(), 2u);
  EXPECT_EQ(ui::Forms()[0], a.get());
  EXPECT_EQ(ui::FindForm("FRMSPLASH"), a.get());
  EXPECT_EQ(ui::FindForm("frmOpen"), nullptr);

  b.reset();  // a destroyed form leaves the collection
  EXPECT_EQ(ui::Forms().size(), 1u);

  QWidget* raw = a.release();
  EXPECT_TRUE(ui::UnloadForm(raw));
  EXPECT_FALSE(ui::IsLoaded(raw));
  EXPECT_TRUE(ui::Forms().empty());
  ui::DoEvents();
}

TEST(Forms, UnloadRefusedByTheCloseHandlerKeepsTheForm) {
  Refusing w;
  w.setObjectName("frmEnvironment");
  ui::RegisterForm(&w);
  EXPECT_FALSE(ui::UnloadForm(&w));
  EXPECT_TRUE(ui::IsLoaded(&w));
}

}  // namespace
