#include "platform/ui/Controls.h"

#include <QLabel>
#include <QLayout>
#include <QResizeEvent>

#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "platform/ui/Twips.h"
#include "runtime/VbError.h"

namespace ui {

MenuItem::MenuItem(const QString& name, QAction* action, QMenu* menu, QObject* parent)
    : QObject(parent),
      caption_(action->isSeparator() ? std::string(1, '-') : action->text().toStdString()),
      action_(action),
      menu_(menu) {
  setObjectName(name);
  if (!menu) connect(action, &QAction::triggered, this, [this] { emit Click(); });
}

bool MenuItem::Enabled() const { return action_->isEnabled(); }
void MenuItem::SetEnabled(bool enabled) { action_->setEnabled(enabled); }
bool MenuItem::Visible() const { return action_->isVisible(); }
void MenuItem::SetVisible(bool visible) { action_->setVisible(visible); }
QString MenuItem::Shortcut() const { return action_->shortcut().toString(); }

MenuItem* AddMenu(QMenuBar* bar, const QString& name, const QString& caption) {
  QMenu* menu = bar->addMenu(caption);
  menu->setObjectName(name + "_menu");
  return new MenuItem(name, menu->menuAction(), menu, bar);
}

MenuItem* AddMenuItem(MenuItem* parent, const QString& name, const QString& caption, const QKeySequence& shortcut) {
  QMenu* menu = parent->Menu();
  QAction* action = caption == "-" ? menu->addSeparator() : menu->addAction(caption);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return new MenuItem(name, action, nullptr, parent->parent());
}

ToolbarButton::ToolbarButton(const QString& key, int style, QAction* action, QObject* parent)
    : QObject(parent), key_(key), style_(style), action_(action) {
  setObjectName(key);
}

void FitLabelFont(QLabel* label) {
  QFont f = label->font();
  auto fits = [&] {
    const QFontMetrics m(f);
    for (const QString& word : label->text().split(' '))
      if (m.horizontalAdvance(word) > label->width()) return false;
    const QRect need = m.boundingRect(QRect(0, 0, label->width(), 10000), Qt::TextWordWrap, label->text());
    return need.height() <= label->height();
  };
  while (!fits() && f.pointSizeF() > 6.0) f.setPointSizeF(f.pointSizeF() - 0.5);
  label->setFont(f);
}

Toolbar::Toolbar(const QString& name, QWidget* parent) : QToolBar(parent) {
  setObjectName(name);
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(16, 16));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Buttons sit edge to edge, as designed in twips.
  layout()->setSpacing(0);
  layout()->setContentsMargins(0, 0, 0, 0);
}

void Toolbar::resizeEvent(QResizeEvent* event) {
  // A bar placed narrower than its buttons need (a scaled-down window) takes smaller pictures
  // rather than pushing its last tools into the overflow menu.
  const auto buttons = std::count_if(buttons_.begin(), buttons_.end(),
                                     [](const ToolbarButton* b) { return b->Style() != tbrSeparator; });
  if (buttons > 0 && orientation() == Qt::Horizontal) {
    const int icon = std::clamp(event->size().width() / static_cast<int>(buttons) - 8, 10, 16);
    if (iconSize().width() != icon) setIconSize(QSize(icon, icon));
  }
  QToolBar::resizeEvent(event);
}

ToolbarButton* Toolbar::AddButton(const QString& key, int style, const QString& toolTip, const QIcon& icon) {
  QAction* action = style == tbrSeparator ? addSeparator() : addAction(icon, toolTip);
  if (style != tbrSeparator) action->setToolTip(toolTip);
  auto* button = new ToolbarButton(key, style, action, this);
  if (style != tbrSeparator) connect(action, &QAction::triggered, this, [this, button] { emit ButtonClick(button); });
  buttons_.push_back(button);
  return button;
}

ToolbarButton* Toolbar::Button(std::string_view key) const {
  for (ToolbarButton* b : buttons_)
    if (b->Key() == key) return b;
  return nullptr;
}

ImageList::ImageList(const QString& name, QObject* parent) : QObject(parent) { setObjectName(name); }

void ImageList::Add(const QString& key, const QIcon& image) { images_.emplace_back(key, image); }

QIcon ImageList::Image(int index) const {
  if (index < 1 || index > Count()) vb::Raise(35600);
  return images_[static_cast<std::size_t>(index - 1)].second;
}

QIcon ImageList::Image(std::string_view key) const {
  for (const auto& [k, icon] : images_)
    if (k.toStdString() == key) return icon;
  vb::Raise(35601);
}

std::string ImageList::Key(int index) const {
  if (index < 1 || index > Count()) vb::Raise(35600);
  return images_[static_cast<std::size_t>(index - 1)].first.toStdString();
}

ProgressBar::ProgressBar(const QString& name, QWidget* parent) : QProgressBar(parent) {
  setObjectName(name);
  setTextVisible(false);
  Sync();
}

void ProgressBar::SetMin(float v) {
  min_ = v;
  if (value_ < min_) value_ = min_;
  Sync();
}

void ProgressBar::SetMax(float v) {
  max_ = v;
  if (value_ > max_) value_ = max_;
  Sync();
}

void ProgressBar::SetValue(float v) {
  if (v < min_ || v > max_) vb::Raise(380, "", "Invalid property value");
  value_ = v;
  Sync();
}

void ProgressBar::Sync() {
  int lo = static_cast<int>(std::lround(min_));
  int hi = static_cast<int>(std::lround(max_));
  if (hi <= lo) hi = lo + 1;  // an empty range would show the busy animation
  const int value = std::clamp(static_cast<int>(std::lround(value_)), lo, hi);
  if (lo == minimum() && hi == maximum() && value == this->value()) return;  // nothing moves
  // The bar would paint at once on a new value, flushing every pending paint of its window; it
  // asks for its own paint instead, handled with the others.
  const bool updates = updatesEnabled();
  setUpdatesEnabled(false);
  setRange(lo, hi);
  setValue(value);
  setUpdatesEnabled(updates);
  if (updates) update();
}

Timer::Timer(const QString& name, QObject* parent) : QObject(parent) {
  setObjectName(name);
  connect(&timer_, &QTimer::timeout, this, [this] { emit Tick(); });
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Sync();
}

void Timer::SetInterval(int ms) {
  interval_ = ms;
  Sync();
}

void Timer::Sync() {
  if (enabled_ && interval_ > 0)
    timer_.start(interval_);
  else
    timer_.stop();
}

Line::Line(const QString& name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::SetPoints(double x1, double y1, double x2, double y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  Sync();
}

void Line::Sync() {
  int l = ToPixels(std::min(x1_, x2_)), t = ToPixels(std::min(y1_, y2_));
  int r = ToPixels(std::max(x1_, x2_)), b = ToPixels(std::max(y1_, y2_));
  setGeometry(l, t, r - l + 1, b - t + 1);
  update();
}

void Line::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(color_, 1));
  QPoint origin = pos();
  p.drawLine(QPoint(ToPixels(x1_), ToPixels(y1_)) - origin, QPoint(ToPixels(x2_), ToPixels(y2_)) - origin);
}

}  // namespace ui
