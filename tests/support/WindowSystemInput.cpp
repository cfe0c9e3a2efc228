#include "tests/support/WindowSystemInput.h"

#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace testsupport {
namespace {
using Queued = QWindowSystemInterface::AsynchronousDelivery;

QWindow* Handle(QWidget* target) {
  QWidget* top = target->window();
  top->winId();  // a window that was never shown has no handle yet
  return top->windowHandle();
}
}  // namespace

bool QueueClick(QWidget* target, QPoint at) {
  QWindow* window = Handle(target);
  const QPointF local = target->mapTo(target->window(), QPointF(at));
  QWidget* hit = target->window()->childAt(local.toPoint());
  const QPointF global = target->mapToGlobal(QPointF(at));
  QWindowSystemInterface::handleMouseEvent<Queued>(window, local, global, Qt::LeftButton, Qt::LeftButton,
                                                   QEvent::MouseButtonPress);
  QWindowSystemInterface::handleMouseEvent<Queued>(window, local, global, Qt::NoButton, Qt::LeftButton,
                                                   QEvent::MouseButtonRelease);
  return window->isVisible() && hit && (hit == target || target->isAncestorOf(hit));
}

bool QueueClick(QWidget* target) { return QueueClick(target, target->rect().center()); }

void QueueKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
  QWindow* window = Handle(target);
  QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyPress, key, modifiers);
  QWindowSystemInterface::handleKeyEvent<Queued>(window, QEvent::KeyRelease, key, modifiers);
}

void QueueClose(QWidget* target) { QWindowSystemInterface::handleCloseEvent<Queued>(Handle(target)); }

}  // namespace testsupport
