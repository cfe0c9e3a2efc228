// Input as the window system hands it to the program: queued, delivered by the next pass of the
// event loop, and held back by a pump that lets no user input through (ui::DoEvents). An event
// posted with QCoreApplication::postEvent is not held back so, and a sent one is handled at once.
#pragma once
#include <QPoint>
#include <Qt>

class QWidget;

namespace testsupport {
// A left click at `at` (target coordinates), or at the target's centre. False when the point does
// not show the target on the screen (covered, or outside its window): the click would miss it.
bool QueueClick(QWidget* target, QPoint at);
bool QueueClick(QWidget* target);
// A key pressed and released in the target's top-level window.
void QueueKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// The window system's close of the target's top-level window: its close box, or Alt+F4.
void QueueClose(QWidget* target);
}  // namespace testsupport
