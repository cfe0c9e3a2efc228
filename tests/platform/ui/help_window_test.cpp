// The program's own help window: it opens the pages beside the program without any desktop launcher,
// follows their links with Back and Forward, applies their style sheet, and every page it ships is
// reachable from the contents and links only to pages that exist.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <functional>
#include <set>

#include "platform/ui/Application.h"
#include "platform/ui/HelpWindow.h"
#include "platform/ui/TextViewer.h"
#include "tests/support/TestDir.h"

namespace {

class HelpWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    ui::SetUrlOpener([this](const QUrl& url) {
      launched.push_back(url.toString().toStdString());
      return false;  // a machine without a launcher
    });
  }
  void TearDown() override {
    delete ui::HelpWindow();
    ui::SetUrlOpener({});
  }
  static QString Shown() { return QFileInfo(ui::HelpBrowser()->source().toLocalFile()).fileName(); }
  static QAction* Action(const char* name) { return ui::HelpWindow()->findChild<QAction*>(name); }
  // The link targets of the page on view, as written in its anchors.
  static std::set<QString> Links() {
    std::set<QString> links;
    for (QTextBlock b = ui::HelpBrowser()->document()->begin(); b.isValid(); b = b.next())
      for (auto it = b.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isAnchor()) links.insert(it.fragment().charFormat().anchorHref());
    return links;
  }
  // Clicks the first link to the target as a user does: press and release on its text.
  static bool Click(const QString& target) {
    QTextBrowser* browser = ui::HelpBrowser();
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next())
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().anchorHref() != target) continue;
        QTextCursor cursor(browser->document());
        cursor.setPosition(it.fragment().position() + 1);
        browser->setTextCursor(cursor);
        browser->ensureCursorVisible();
        const QPoint at = browser->cursorRect(cursor).center();
        const QPointF global = browser->viewport()->mapToGlobal(QPointF(at));
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(browser->viewport(), &press);
        QCoreApplication::sendEvent(browser->viewport(), &release);
        return true;
      }
    return false;
  }
  static QString HelpDir() { return QString::fromStdString((testsupport::BinaryDir() / "bin" / "help").string()); }

  std::vector<std::string> launched;
};

TEST_F(HelpWindowTest, OpensTheContentsInOneWindowOfItsOwnAndBringsItBack) {
  EXPECT_EQ(ui::HelpWindow(), nullptr);
  ASSERT_TRUE(ui::ShowHelp("introduction.htm"));
  QWidget* window = ui::HelpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(Shown(), "introduction.htm");
  EXPECT_TRUE(ui::HelpBrowser()->toPlainText().contains("Getting started"));
  EXPECT_TRUE(launched.empty());

  ui::HelpBrowser()->setSource(ui::HelpBrowser()->source().resolved(QUrl("frmresult.htm")));
  window->hide();
  ASSERT_TRUE(ui::ShowHelp("introduction.htm"));  // asked again: the same window, in front, at the contents
  EXPECT_EQ(ui::HelpWindow(), window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(Shown(), "introduction.htm");
}

// The program's two windows of their own, asked for again while minimised, come back on the desktop.
TEST_F(HelpWindowTest, HelpAndTheTextViewerAskedForAgainComeBackFromMinimised) {
  testsupport::WriteFile("1-report.txt", "Report file TULMO model\r\n");
  const std::function<QWidget*()> shows[] = {
      [] { return ui::ShowHelp("introduction.htm") ? ui::HelpWindow() : nullptr; },
      [] {
        ui::ShowTextFile("1-report.txt");
        return ui::FindTextWindow("1-report.txt");
      }};
  for (const auto& show : shows) {
    QWidget* window = show();
    ASSERT_NE(window, nullptr);
    window->showMinimized();
    ASSERT_TRUE(window->isMinimized());
    EXPECT_EQ(show(), window);
    EXPECT_FALSE(window->isMinimized()) << window->objectName().toStdString();
    EXPECT_TRUE(window->isVisible());
  }
  delete ui::FindTextWindow("1-report.txt");
}

// The program writes its text files in its single-byte code page: the viewer reads them so, and a
// compound named with an en dash or a euro sign shows as typed.
TEST_F(HelpWindowTest, TheTextViewerReadsTheCodePageTheProgramWrites) {
  testsupport::WriteFile("1-report.txt", "Compound : Lindane \x96 batch \x80" "5\r\n");
  ui::ShowTextFile("1-report.txt");
  ui::TextWindow* viewer = ui::FindTextWindow("1-report.txt");
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(viewer->toPlainText().toStdString(), "Compound : Lindane \u2013 batch \u20ac" "5\n");
  delete viewer;
}

TEST_F(HelpWindowTest, AnOpenHelpWindowDoesNotKeepTheProgramRunningOnceTheMainWindowCloses) {
  QWidget main;
  main.show();
  ui::ShowHelp("introduction.htm");
  bool timedOut = false;
  QTimer::singleShot(0, &main, &QWidget::close);
  QTimer guard;  // a loop that did not stop would fail here instead of hanging
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timedOut = true;
    QCoreApplication::exit(1);
  });
  guard.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timedOut);
}

TEST_F(HelpWindowTest, LinksBackForwardAndContents) {
  ui::ShowHelp("introduction.htm");
  QAction* back = Action("HelpBack");
  QAction* forward = Action("HelpForward");
  QAction* contents = Action("HelpContents");
  ASSERT_TRUE(back && forward && contents);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  ASSERT_TRUE(Click("frmopen.htm"));
  EXPECT_EQ(Shown(), "frmopen.htm");
  ASSERT_TRUE(Click("frmdialog.htm"));
  EXPECT_EQ(Shown(), "frmdialog.htm");
  EXPECT_TRUE(back->isEnabled());
  back->trigger();
  EXPECT_EQ(Shown(), "frmopen.htm");
  EXPECT_TRUE(forward->isEnabled());
  forward->trigger();
  EXPECT_EQ(Shown(), "frmdialog.htm");
  EXPECT_FALSE(forward->isEnabled());
  contents->trigger();
  EXPECT_EQ(Shown(), "introduction.htm");
  back->trigger();
  EXPECT_EQ(Shown(), "frmdialog.htm");
}

TEST_F(HelpWindowTest, PagesCarryTheirStyleSheet) {
  ui::ShowHelp("introduction.htm");
  const QTextBlock heading = ui::HelpBrowser()->document()->begin();
  ASSERT_EQ(heading.text(), "Tulmo");
  EXPECT_EQ(heading.begin().fragment().charFormat().foreground().color(), QColor("#1e5080"));  // h1 in tulmo.css
}

TEST_F(HelpWindowTest, AMissingPageIsSaidInTheWindowWithTheFoldersLookedIn) {
  EXPECT_FALSE(ui::ShowHelp("nosuchpage.htm"));
  ASSERT_NE(ui::HelpWindow(), nullptr);
  EXPECT_TRUE(ui::HelpWindow()->isVisible());
  const QString text = ui::HelpBrowser()->toPlainText();
  EXPECT_TRUE(text.contains("nosuchpage.htm"));
  for (const QString& dir : ui::HelpFolders()) EXPECT_TRUE(text.contains(dir)) << dir.toStdString();
  EXPECT_TRUE(ui::ShowHelp("introduction.htm"));  // the window recovers once the page is there
  EXPECT_EQ(Shown(), "introduction.htm");
}

TEST_F(HelpWindowTest, EveryPageIsReachableFromTheContentsAndEveryLinkLeadsToAPage) {
  const QStringList shipped = QDir(HelpDir()).entryList({"*.htm"}, QDir::Files);
  ASSERT_GE(shipped.size(), 19);
  ui::ShowHelp("introduction.htm");
  std::set<QString> reached{"introduction.htm"};
  std::vector<QString> todo{"introduction.htm"};
  while (!todo.empty()) {
    const QString page = todo.back();
    todo.pop_back();
    ui::HelpBrowser()->setSource(QUrl::fromLocalFile(HelpDir() + "/" + page));
    ASSERT_EQ(Shown(), page);
    EXPECT_FALSE(ui::HelpBrowser()->documentTitle().isEmpty()) << page.toStdString();
    for (const QString& link : Links()) {
      const QString target = link.section('#', 0, 0);
      EXPECT_TRUE(shipped.contains(target)) << page.toStdString() << " links to " << link.toStdString();
      if (shipped.contains(target) && reached.insert(target).second) todo.push_back(target);
    }
  }
  for (const QString& page : shipped) EXPECT_EQ(reached.count(page), 1u) << page.toStdString() << " is not linked";
}

}  // namespace
