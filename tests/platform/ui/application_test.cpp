// The window layer's own promises: ending works before and inside the event loop, the hourglass
// comes back on every way out, list rows are found by key and the progress bar keeps its range.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QScrollBar>
#include <QLockFile>
#include <QTimer>
#include <filesystem>

#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Forms.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MsgBox.h"
#include "runtime/VbError.h"
#include "tests/support/TestDir.h"
#include "tests/support/Undeletable.h"

namespace {

// Only a lock held by a living instance means another one runs; a lock file that cannot be made
// is named with the system's reason, and the program is not taken for running.
TEST(Application, OnlyALockHeldByAnotherInstanceCountsAsOneRunning) {
  namespace fs = std::filesystem;
  ui::SetPrevInstanceCheck({});
  fs::create_directory("run");
  ui::SetInstanceLockFolder("run");
  EXPECT_FALSE(ui::PrevInstance());
  EXPECT_EQ(ui::InstanceLockProblem(), "");

  QLockFile holder("run/ui-tulmo.lock");
  ui::SetInstanceLockFolder("run");  // drops our own lock
  ASSERT_TRUE(holder.tryLock(0));
  EXPECT_TRUE(ui::PrevInstance());
  EXPECT_EQ(ui::InstanceLockProblem(), "");
  holder.unlock();

  testsupport::WriteFile("plain", "a file, not a folder");
  fs::create_directory("ro");
  testsupport::Immutable frozen("ro");
  const struct {
    const char* folder;
    const char* reason;
  } cases[] = {{"plain/run", "the folder does not exist and could not be made"},
               {"ro", frozen.ok() ? "Operation not permitted" : nullptr}};
  for (const auto& c : cases) {
    if (!c.reason) continue;
    SCOPED_TRACE(c.folder);
    ui::SetInstanceLockFolder(c.folder);
    EXPECT_FALSE(ui::PrevInstance());
    EXPECT_EQ(ui::InstanceLockProblem(),
              "The program could not create its instance lock file '" + (fs::current_path() / c.folder).string() +
                  "/ui-tulmo.lock' (" + c.reason +
                  "), so it cannot tell whether it is already running. It starts anyway: do not start it a second "
                  "time.");
  }
  ui::SetInstanceLockFolder("");
}

TEST(Application, EndBeforeTheLoopIsSeenAndInsideTheLoopStopsIt) {
  ui::SetEndHandler({});
  ui::EndApplication();  // no loop yet: only noted, for main() to see
  EXPECT_TRUE(ui::ApplicationEnded());
  ui::SetEndHandler({});
  EXPECT_FALSE(ui::ApplicationEnded());
  bool ranAfter = false;
  QTimer::singleShot(0, [] { ui::EndApplication(); });
  QTimer guard;  // a loop that did not stop would fail here instead of hanging
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    ranAfter = true;
    QCoreApplication::exit(1);
  });
  guard.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(ranAfter);
  EXPECT_TRUE(ui::ApplicationEnded());
  ui::SetEndHandler({});
}

TEST(Application, HourglassIsRestoredOnEveryWayOut) {
  EXPECT_FALSE(ui::HourglassShown());
  try {
    ui::WaitCursor outer;
    {
      ui::WaitCursor inner;
      EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_TRUE(ui::HourglassShown());
    vb::Raise(5);
  } catch (const vb::VbError&) {
  }
  EXPECT_FALSE(ui::HourglassShown());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Application, DecimalPointAndInstanceChecksCanBeReplaced) {
  ui::SetDecimalPointSource([] { return std::string(","); });
  EXPECT_EQ(ui::LocaleDecimalPoint(), ",");
  ui::SetDecimalPointSource({});
  EXPECT_EQ(ui::LocaleDecimalPoint().size(), 1u);
  ui::SetPrevInstanceCheck([] { return true; });
  EXPECT_TRUE(ui::PrevInstance());
  ui::SetPrevInstanceCheck({});
}

TEST(Controls, ListRowsByKeyAndProgressRange) {
  ui::ListView list("lvw");
  list.AddColumn("Id", 900);
  list.AddColumn("Description", 3000);
  ui::ListItem* row = list.Add("KY_7", "7");
  row->SetSubItem(1, "seven");
  EXPECT_EQ(list.Find("KY_7"), row);
  EXPECT_EQ(list.Find("KY_8"), nullptr);
  EXPECT_THROW(list.Add("KY_7", "again"), vb::VbError);

  ui::ProgressBar bar("prgBar");
  bar.SetMax(500);
  bar.SetValue(250);
  EXPECT_EQ(bar.Value(), 250);
  EXPECT_THROW(bar.SetValue(501), vb::VbError);  // outside Min..Max
  EXPECT_EQ(bar.Value(), 250);
}

// The key index follows every way a row leaves the list, so a key can be listed again.
TEST(Controls, RowKeysStayUniqueAfterRemoveDeleteAndClear) {
  ui::ListView list("lvw");
  list.AddColumn("Id", 900);
  list.AddColumn("Description", 3000);
  ui::ListItem* one = list.Add("KY_1", "1", {"one"});
  EXPECT_EQ(one->SubItem(1), "one");
  list.Add("KY_2", "2");
  list.Add("KY_3", "3");
  list.Remove(one);
  EXPECT_EQ(list.Find("KY_1"), nullptr);
  EXPECT_NE(list.Add("KY_1", "1 again"), nullptr);
  delete list.Find("KY_2");  // a row deleted by itself
  EXPECT_EQ(list.Find("KY_2"), nullptr);
  EXPECT_EQ(list.Count(), 2);
  list.Add("KY_2", "2 again");
  EXPECT_EQ(list.Find("KY_2")->Text(), "2 again");
  list.SortOnce(0, false);
  EXPECT_EQ(list.Find("KY_3")->Text(), "3");
  EXPECT_THROW(list.Add("KY_3", "twice"), vb::VbError);
  list.Clear();
  EXPECT_EQ(list.Find("KY_3"), nullptr);
  EXPECT_EQ(list.Add("KY_3", "3")->Key(), "KY_3");
  // Rows without a key are not unique by key; the first of them is found by the empty key.
  ui::ListItem* blank = list.Add("", "a");
  list.Add("", "b");
  EXPECT_EQ(list.Find(""), blank);
}

// A bar paints with the window's other paints and only when it moves: painting at once on each
// step would flush every pending paint of the window.
TEST(Controls, AProgressBarStepAsksForAPaintWithoutPaintingAtOnce) {
  QWidget window;
  auto* bar = new ui::ProgressBar("prgBar", &window);
  bar->resize(260, 20);
  window.resize(300, 60);
  window.show();
  QApplication::processEvents();
  struct Counter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++paints;
      return false;
    }
  } counter;
  bar->installEventFilter(&counter);
  bar->SetMax(10);
  bar->SetValue(5);
  EXPECT_EQ(counter.paints, 0);
  QApplication::processEvents();
  EXPECT_GT(counter.paints, 0);
  EXPECT_EQ(bar->value(), 5);
  counter.paints = 0;
  bar->SetValue(5);
  bar->SetMax(10);
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 0);
}

TEST(Controls, SelectingARowNeverScrollsTheIdsOutOfView) {
  ui::ListView list("lvw");
  list.AddColumn("Id", 900);
  list.AddColumn("Description", 30000);  // far wider than the list
  for (int i = 1; i <= 40; ++i) list.Add("KY_" + std::to_string(i), std::to_string(i))->SetSubItem(1, "text");
  list.resize(300, 120);
  list.show();
  QApplication::processEvents();
  ui::ListItem* last = list.Item(40);
  list.scrollToItem(last);  // as a click on the row's wide description cell does
  list.setCurrentItem(last, 1);
  QApplication::processEvents();
  EXPECT_EQ(list.horizontalScrollBar()->value(), 0);
  EXPECT_GT(list.verticalScrollBar()->value(), 0);  // the row itself came into view
}

// A window whose events fail without a handler of their own.
class FailingForm : public ui::Form {
 public:
  FailingForm() : ui::Form("frmFailing", Kind::TopLevel) {}

 protected:
  void Form_Resize() override { vb::Raise(11); }
  bool Form_QueryUnload() override { vb::Raise(5); }
  void Form_Unload() override { vb::Raise(6); }
};

TEST(Forms, AnEventFailingWithoutItsOwnHandlerIsReportedUnderTheWindow) {
  ui::MsgBoxRecorder boxes;
  auto* form = new FailingForm();
  form->Load();
  form->resize(300, 200);
  form->show();
  form->resize(320, 220);
  ui::UnloadForm(form);  // the failing close handler does not keep the window
  ui::FlushDeletes();
  EXPECT_TRUE(ui::Forms().empty());
  std::vector<std::string> where;
  for (const auto& b : boxes.boxes()) {
    const auto at = b.prompt.find("at procedure '");
    where.push_back(b.prompt.substr(at + 14, b.prompt.find('\'', at + 14) - at - 14));
    EXPECT_NE(b.prompt.find("'frmFailing'"), std::string::npos);
  }
  ASSERT_GE(where.size(), 3u);
  EXPECT_EQ(where.front(), "Form_Resize");
  EXPECT_EQ(std::vector<std::string>(where.end() - 2, where.end()),
            (std::vector<std::string>{"Form_QueryUnload", "Form_Unload"}));
}

TEST(Forms, AWindowIsFittedIntoTheRoomThatHoldsIt) {
  const QSize room(1000, 700);
  const struct {
    QRect asked;
    bool keepPlace;
    QRect fitted;
  } cases[] = {
      {{100, 50, 400, 300}, true, {100, 50, 400, 300}},    // fits: untouched
      {{200, 0, 1300, 900}, true, {200, 0, 800, 700}},     // beside what lies left of it: narrowed
      {{200, 0, 1300, 900}, false, {0, 0, 1000, 700}},     // placed by the area: moved back
      {{700, 500, 600, 400}, true, {400, 300, 600, 400}},  // too little room left of the edge: moved
      {{-20, -10, 300, 200}, false, {0, 0, 300, 200}},     // never above or left of the room
  };
  for (const auto& c : cases) EXPECT_EQ(ui::FitInto(c.asked, room, c.keepPlace), c.fitted) << c.asked.x() << "," << c.asked.width();
}

// The user's close box and an unload by code are told apart, so a window can refuse the first.
TEST(Forms, QueryUnloadTellsTheUsersCloseFromAnUnloadByCode) {
  struct Sticky : ui::Form {
    Sticky() : ui::Form("frmSticky", Kind::TopLevel) {}
    std::vector<int> modes;
    bool Form_QueryUnload() override {
      modes.push_back(QueryUnloadMode());
      return QueryUnloadMode() == ui::vbFormCode;
    }
  };
  auto* form = new Sticky();
  form->Load();
  form->show();
  form->close();
  EXPECT_TRUE(ui::IsLoaded(form));
  QPointer<Sticky> alive(form);
  EXPECT_TRUE(ui::UnloadForm(form));
  EXPECT_EQ(alive->modes, (std::vector<int>{ui::vbFormControlMenu, ui::vbFormCode}));
  ui::FlushDeletes();
  EXPECT_TRUE(alive.isNull());
}

}  // namespace
