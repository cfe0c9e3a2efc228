#include "platform/ui/Forms.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace ui {
namespace {

std::vector<QPointer<QWidget>>& Registry() {
  static std::vector<QPointer<QWidget>> forms;
  return forms;
}

void Prune() {
  auto& r = Registry();
  r.erase(std::remove_if(r.begin(), r.end(), [](const QPointer<QWidget>& p) { return p.isNull(); }), r.end());
}

}  // namespace

void RegisterForm(QWidget* form) {
  if (!form || IsLoaded(form)) return;
  Registry().emplace_back(form);
}

std::vector<QWidget*> Forms() {
  Prune();
  std::vector<QWidget*> out;
  for (const auto& p : Registry()) out.push_back(p.data());
  return out;
}

QWidget* FindForm(std::string_view name) {
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  for (QWidget* w : Forms())
    if (w->objectName().compare(wanted, Qt::CaseInsensitive) == 0) return w;
  return nullptr;
}

bool IsLoaded(const QWidget* form) {
  if (!form) return false;
  Prune();
  for (const auto& p : Registry())
    if (p.data() == form) return true;
  return false;
}

bool UnloadForm(QWidget* form) {
  if (!form) return false;
  QPointer<QWidget> guard(form);
  form->setProperty(kUnloadByCode, true);
  const bool closed = form->close();
  if (guard) form->setProperty(kUnloadByCode, QVariant());
  if (!closed && guard) return false;  // its close handler refused
  auto& r = Registry();
  r.erase(std::remove_if(r.begin(), r.end(), [form](const QPointer<QWidget>& p) { return p.data() == form; }),
          r.end());
  if (guard) guard->deleteLater();
  return true;
}

void DoEvents() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace ui
