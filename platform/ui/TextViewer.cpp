#include "platform/ui/TextViewer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QScreen>
#include <QShortcut>
#include <algorithm>
#include <QUrl>

#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "runtime/Files.h"

namespace ui {
namespace {

QString Absolute(const std::string& path) { return QFileInfo(QString::fromStdString(path)).absoluteFilePath(); }

// Measured, since some monospaced fonts do not say that they are.
bool Monospaced(const QFont& font) {
  const QFontMetrics m(font);
  return m.horizontalAdvance("iiii") == m.horizontalAdvance("MMMM");
}

}  // namespace

TextWindow::TextWindow(const QString& path, const QWidget* near) : path_(path) {
  // As a separate editor would be: no owner, so it neither stays above the main window nor keeps
  // the program running.
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_QuitOnClose, false);
  setObjectName("txtViewer");
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  // The report lines its values up in columns: a fixed-width font keeps them so.
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  if (!Monospaced(font)) {
    font.setFamily("Monospace");
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
  }
  setFont(font);
  setWindowTitle(QDir::toNativeSeparators(path));
  // Wide enough for the report's longest lines, within the screen; a little inside the main window.
  const QRect screen = (near ? near->screen() : QApplication::primaryScreen())->availableGeometry();
  resize(std::min(fontMetrics().horizontalAdvance(QString(130, 'x')) + 40, screen.width()),
         std::min(700, screen.height()));
  if (near) move(near->geometry().topLeft() + QPoint(40, 40));
  new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
  Reload();
}

void TextWindow::Reload() {
  QFile f(path_);
  const QByteArray bytes = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  const std::string text = vb::FromWindows1252(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  setPlainText(QString::fromStdString(text).replace("\r\n", "\n"));
}

TextWindow* FindTextWindow(const std::string& path) {
  const QString wanted = Absolute(path);
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = dynamic_cast<TextWindow*>(w); t && t->Path() == wanted) return t;
  return nullptr;
}

void ShowTextFile(const std::string& path) {
  const QString file = Absolute(path);
  if (OpenUrl(QUrl::fromLocalFile(file))) return;
  // No desktop application started: the program shows the file itself, above the main window.
  TextWindow* w = FindTextWindow(path);
  if (w) {
    w->Reload();
  } else {
    w = new TextWindow(file, MdiArea() ? MdiArea()->window() : nullptr);
  }
  w->show();
  ActivateForm(w);
}

}  // namespace ui
