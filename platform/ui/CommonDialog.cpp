#include "platform/ui/CommonDialog.h"

#include <QFileDialog>
#include <QStringList>

namespace ui {
namespace {

// "Text|*.db|All|*.*" pairs become Qt's "Text (*.db);;All (*.*)"; a lone pattern stays as it is.
QString QtFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split('|');
  if (parts.size() < 2) return QString::fromStdString(filter);
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) out << parts[i] + " (" + parts[i + 1] + ")";
  return out.join(";;");
}

class QtFileOpenDialog : public FileOpenDialog {
 public:
  std::optional<std::string> Open(QWidget* parent, const std::string& title, const std::string& filter,
                                  const std::string& fileName, const std::string&) override {
    QString start = fileName.find('*') == std::string::npos ? QString::fromStdString(fileName) : QString();
    QString chosen = QFileDialog::getOpenFileName(parent, QString::fromStdString(title), start, QtFilter(filter));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toStdString();
  }
};

std::shared_ptr<FileOpenDialog>& Current() {
  static std::shared_ptr<FileOpenDialog> dialog;
  return dialog;
}

}  // namespace

std::shared_ptr<FileOpenDialog> SetFileOpenDialog(std::shared_ptr<FileOpenDialog> dialog) {
  return std::exchange(Current(), std::move(dialog));
}

CommonDialog::CommonDialog(const QString& name, QObject* parent) : QObject(parent) { setObjectName(name); }

bool CommonDialog::ShowOpen(QWidget* parent) {
  if (!Current()) Current() = std::make_shared<QtFileOpenDialog>();
  auto chosen = Current()->Open(parent, DialogTitle, Filter, FileName, DefaultExt);
  if (!chosen) return false;
  FileName = *chosen;
  return true;
}

}  // namespace ui
