#include "platform/ui/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/ui/Form.h"

namespace ui {
namespace {

constexpr const char* kContents = "introduction.htm";

class HelpViewer : public QWidget {
 public:
  HelpViewer() {
    setObjectName("HelpWindow");
    setWindowTitle("Tulmo Help");
    // Like the platform's help window it has no owner: it neither keeps the program running nor
    // stays above the main window.
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(720, 760);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    // The program's dialog font is small for reading pages.
    QFont font = browser_->font();
    font.setPointSizeF(10);
    browser_->setFont(font);

    auto* bar = new QToolBar(this);
    bar->setObjectName("HelpToolbar");
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QStyle* style = QApplication::style();
    back_ = bar->addAction(style->standardIcon(QStyle::SP_ArrowBack), "Back");
    back_->setObjectName("HelpBack");
    back_->setShortcut(QKeySequence::Back);
    forward_ = bar->addAction(style->standardIcon(QStyle::SP_ArrowForward), "Forward");
    forward_->setObjectName("HelpForward");
    forward_->setShortcut(QKeySequence::Forward);
    contents_ = bar->addAction(style->standardIcon(QStyle::SP_DirHomeIcon), "Contents");
    contents_->setObjectName("HelpContents");
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(contents_, &QAction::triggered, this, [this] { ShowTopic(kContents); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
  }

  QTextBrowser* Browser() const { return browser_; }

 protected:
  // Escape closes the window, as in every other window of the desktop; the page view passes it on.
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Escape) {
      close();
      return;
    }
    QWidget::keyPressEvent(event);
  }

 public:

  bool ShowTopic(const QString& topic) {
    for (const QString& dir : HelpFolders()) {
      QFileInfo page(QDir(dir).filePath(topic));
      if (!page.isFile()) continue;
      browser_->setSearchPaths({page.absolutePath()});
      const QUrl url = QUrl::fromLocalFile(page.absoluteFilePath());
      if (browser_->source() != url) browser_->setSource(url);
      return true;
    }
    QString folders;
    for (const QString& dir : HelpFolders()) folders += "<li>" + dir.toHtmlEscaped() + "</li>";
    browser_->clear();
    browser_->setHtml("<h2>Help page not found</h2><p>The help page <b>" + topic.toHtmlEscaped() +
                      "</b> was not found. It was looked for in these folders:</p><ul>" + folders + "</ul>");
    return false;
  }

 private:
  QTextBrowser* browser_ = nullptr;
  QAction* back_ = nullptr;
  QAction* forward_ = nullptr;
  QAction* contents_ = nullptr;
};

QPointer<HelpViewer>& Viewer() {
  static QPointer<HelpViewer> viewer;
  return viewer;
}

}  // namespace

QStringList HelpFolders() {
  const QString app = QCoreApplication::applicationDirPath();
  return {QDir::cleanPath(app + "/help"), QDir::cleanPath(app + "/../share/ui-tulmo/help"),
          QDir::cleanPath(QDir::currentPath() + "/help")};
}

bool ShowHelp(const QString& topic) {
  if (!Viewer()) Viewer() = new HelpViewer;
  HelpViewer* viewer = Viewer();
  const bool found = viewer->ShowTopic(topic);
  viewer->show();
  ActivateForm(viewer);
  return found;
}

QWidget* HelpWindow() { return Viewer(); }
QTextBrowser* HelpBrowser() { return Viewer() ? Viewer()->Browser() : nullptr; }

}  // namespace ui
