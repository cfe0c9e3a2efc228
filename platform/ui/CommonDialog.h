// The file-open dialog control of the main window, over a replaceable dialog so tests never block.
#pragma once
#include <QObject>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace ui {

class FileOpenDialog {
 public:
  virtual ~FileOpenDialog() = default;
  // The chosen file, or nothing when the user cancelled.
  virtual std::optional<std::string> Open(QWidget* parent, const std::string& title, const std::string& filter,
                                          const std::string& fileName, const std::string& defaultExt) = 0;
};
// Replaces the dialog (nullptr restores the real one); returns the previous one.
std::shared_ptr<FileOpenDialog> SetFileOpenDialog(std::shared_ptr<FileOpenDialog> dialog);

class CommonDialog : public QObject {
  Q_OBJECT

 public:
  explicit CommonDialog(const QString& name, QObject* parent = nullptr);
  std::string DialogTitle, DefaultExt, FileName, Filter, HelpFile;
  // Shows the open dialog; true and FileName set when a file was chosen.
  bool ShowOpen(QWidget* parent = nullptr);
};

}  // namespace ui
