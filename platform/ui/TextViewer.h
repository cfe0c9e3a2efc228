// Shows a text file to the user: in the desktop's application for text files when one starts,
// otherwise in a read-only window of the program's own, so a written file can always be read.
// Never waits for the viewer. The desktop part goes through ui::OpenUrl, which tests replace.
#pragma once
#include <QPlainTextEdit>
#include <string>

namespace ui {

// The program's own viewer: fixed-width, read-only, one window per file, titled by the full path.
class TextWindow : public QPlainTextEdit {
 public:
  // Placed a little inside `near` (the main window) when given.
  TextWindow(const QString& path, const QWidget* near);
  const QString& Path() const { return path_; }
  // Reads the file again, in the code page the program writes its text files in (vb::TextWriter).
  void Reload();

 private:
  QString path_;
};

// Shows the file (a relative path is taken in the working directory).
void ShowTextFile(const std::string& path);

// The program's own window showing this file, or null.
TextWindow* FindTextWindow(const std::string& path);

}  // namespace ui
