#include "platform/ui/Form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <algorithm>

#include "platform/ui/Forms.h"
#include "platform/ui/Twips.h"
#include "runtime/Guard.h"

namespace ui {
namespace {

QPointer<QMdiArea>& Area() {
  static QPointer<QMdiArea> area;
  return area;
}

bool IsInternalName(const QString& name) { return name.isEmpty() || name.startsWith("qt_"); }

constexpr const char* kSeenOrder = "_tulmoSeenOrder";

void CollectControls(const QObject* parent, std::vector<QObject*>& out) {
  for (QObject* child : parent->children()) {
    if (qobject_cast<QMdiSubWindow*>(child)) continue;
    if (!IsInternalName(child->objectName())) out.push_back(child);
    // A named control's own parts are not controls of the form.
    if (IsInternalName(child->objectName()) || child->inherits("QGroupBox") || child->inherits("QFrame") ||
        child->inherits("QTabWidget"))
      if (!child->inherits("QAbstractScrollArea") && !child->inherits("QLabel")) CollectControls(child, out);
  }
}

}  // namespace

namespace {
int& Pauses() {
  static int pauses = 0;
  return pauses;
}
}  // namespace

ActivationPause::ActivationPause() { ++Pauses(); }
ActivationPause::~ActivationPause() { --Pauses(); }
bool ActivationsPaused() { return Pauses() > 0; }

QRect FitInto(const QRect& frame, const QSize& room, bool keepPlace) {
  auto fit = [keepPlace](int pos, int size, int roomSize, int& outPos, int& outSize) {
    outSize = std::min(size, roomSize);
    outPos = std::max(0, pos);
    if (outPos + outSize <= roomSize) return;
    if (keepPlace && roomSize - outPos >= roomSize / 2)
      outSize = roomSize - outPos;  // stays beside what lies before it
    else
      outPos = roomSize - outSize;
  };
  int x, w, y, h;
  fit(frame.x(), frame.width(), room.width(), x, w);
  fit(frame.y(), frame.height(), room.height(), y, h);
  return QRect(x, y, std::max(1, w), std::max(1, h));
}

void SetMdiArea(QMdiArea* area) {
  Area() = area;
  if (!area) return;
  QObject::connect(area, &QMdiArea::subWindowActivated, area, [](QMdiSubWindow* sub) {
    if (sub && sub->widget()) NotifyActivated(sub->widget());
  });
}

QMdiArea* MdiArea() { return Area().data(); }

void NotifyActivated(QWidget* widget) {
  if (auto* form = qobject_cast<Form*>(widget)) form->Activated();
}

Form::Form(const QString& name, Kind kind) : QWidget(nullptr), kind_(kind) {
  setObjectName(name);
  setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form() = default;

void Form::Load() {
  if (loaded_) return;
  loaded_ = true;
  RegisterForm(this);
  loading_ = true;
  Form_Load();
  loading_ = false;
}

void Form::EnsureFrame() {
  if (kind_ != Kind::MdiChild || sub_ || !MdiArea()) return;
  Qt::WindowFlags flags = Qt::SubWindow;
  if (fixedBorder_) flags |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (!controlBox_) flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  sub_ = MdiArea()->addSubWindow(this, flags);
  sub_->setAttribute(Qt::WA_DeleteOnClose, true);
  sub_->setWindowTitle(windowTitle());
  if (fixedBorder_) sub_->setOption(QMdiSubWindow::RubberBandResize, false);
  sub_->adjustSize();
  // A window that placed itself keeps its place and gives up width; one that did not is moved.
  const bool placed = pendingLeft_ >= 0 || pendingTop_ >= 0;
  applying_ = true;
  ApplyPendingGeometry();
  applying_ = false;
  FitIntoArea(placed);
  if (fixedBorder_) sub_->setFixedSize(sub_->size());
}

// Whatever size a window asks for, it opens inside the main window's area, close box in view.
void Form::FitIntoArea(bool keepPlace) {
  QMdiArea* area = MdiArea();
  if (!sub_ || !area || !area->isVisible() || applying_) return;
  const QRect fitted = FitInto(sub_->geometry(), area->viewport()->size(), keepPlace);
  if (fitted != sub_->geometry()) sub_->setGeometry(fitted);
}

void Form::ApplyPendingGeometry() {
  QWidget* f = Frame();
  if (pendingWidth_ >= 0) SetWidth(pendingWidth_);
  if (pendingHeight_ >= 0) SetHeight(pendingHeight_);
  if (pendingLeft_ >= 0 || pendingTop_ >= 0)
    f->move(pendingLeft_ >= 0 ? ToPixels(pendingLeft_) : f->x(), pendingTop_ >= 0 ? ToPixels(pendingTop_) : f->y());
  pendingLeft_ = pendingTop_ = pendingWidth_ = pendingHeight_ = -1;
}

void Form::Show(bool modal) {
  Load();
  if (!loaded_ || unloading_) return;
  if (modal) {
    setWindowModality(Qt::ApplicationModal);
    QPointer<Form> self(this);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    connect(this, &Form::Unloaded, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (self && isVisible()) loop.exec();
    return;
  }
  EnsureFrame();
  if (sub_) {
    QWidget::show();
    sub_->show();
    // The area places a window it shows for the first time; one placed partly outside is moved in.
    FitIntoArea(false);
    sub_->raise();
    if (MdiArea()) MdiArea()->setActiveSubWindow(sub_);
  } else {
    show();
    raise();
  }
}

void Form::Hide() {
  if (sub_)
    sub_->hide();
  else
    hide();
}

bool Form::Unload() { return UnloadForm(this); }

void Form::ZOrder(int position) {
  QWidget* f = Frame();
  if (position == 0) {
    f->raise();
    if (sub_ && MdiArea()) MdiArea()->setActiveSubWindow(sub_);
  } else {
    f->lower();
  }
}

bool Form::Visible() const { return sub_ ? sub_->isVisible() : isVisible(); }

QWidget* Form::Frame() const {
  if (sub_) return sub_.data();
  return const_cast<Form*>(this);
}

double Form::Left() const {
  if (!sub_ && kind_ == Kind::MdiChild && pendingLeft_ >= 0) return pendingLeft_;
  return ToTwips(Frame()->x());
}
double Form::Top() const {
  if (!sub_ && kind_ == Kind::MdiChild && pendingTop_ >= 0) return pendingTop_;
  return ToTwips(Frame()->y());
}
double Form::Width() const {
  if (!sub_ && kind_ == Kind::MdiChild && pendingWidth_ >= 0) return pendingWidth_;
  return ToTwips(Frame()->width());
}
double Form::Height() const {
  if (!sub_ && kind_ == Kind::MdiChild && pendingHeight_ >= 0) return pendingHeight_;
  return ToTwips(Frame()->height());
}

// A child form without its sub-window yet keeps the frame geometry until it gets one.
void Form::SetLeft(double twips) {
  if (!sub_ && kind_ == Kind::MdiChild && MdiArea()) {
    pendingLeft_ = twips;
    return;
  }
  Frame()->move(ToPixels(twips), Frame()->y());
}
void Form::SetTop(double twips) {
  if (!sub_ && kind_ == Kind::MdiChild && MdiArea()) {
    pendingTop_ = twips;
    return;
  }
  Frame()->move(Frame()->x(), ToPixels(twips));
}
void Form::SetWidth(double twips) {
  if (!sub_ && kind_ == Kind::MdiChild && MdiArea()) {
    pendingWidth_ = twips;
    return;
  }
  QWidget* f = Frame();
  if (f->minimumWidth() > ToPixels(twips) && f == this) setMinimumWidth(0);
  f->resize(std::max(1, ToPixels(twips)), f->height());
  FitIntoArea(true);
}
void Form::SetHeight(double twips) {
  if (!sub_ && kind_ == Kind::MdiChild && MdiArea()) {
    pendingHeight_ = twips;
    return;
  }
  QWidget* f = Frame();
  f->resize(f->width(), std::max(1, ToPixels(twips)));
  FitIntoArea(true);
}

double Form::ScaleWidth() const { return ToTwips(width()); }
double Form::ScaleHeight() const { return ToTwips(height()); }
bool Form::Maximized() const { return Frame()->isMaximized(); }

std::string Form::Caption() const { return windowTitle().toStdString(); }
void Form::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
  if (sub_) sub_->setWindowTitle(windowTitle());
}

std::vector<QObject*> Form::Controls() const {
  std::vector<QObject*> out;
  CollectControls(this, out);
  // Bringing a control to the front moves it to the end of its parent's children; the collection
  // keeps the order in which each control was first seen, so callers that match controls by
  // position (the resizing helper) still find each one in its place.
  static qint64 seen = 0;
  for (QObject* o : out)
    if (!o->property(kSeenOrder).isValid()) o->setProperty(kSeenOrder, ++seen);
  std::stable_sort(out.begin(), out.end(), [](const QObject* a, const QObject* b) {
    return a->property(kSeenOrder).toLongLong() < b->property(kSeenOrder).toLongLong();
  });
  return out;
}

void Form::SetDesignClientSize(double width, double height) {
  designSize_ = QSize(ToPixels(width), ToPixels(height));
  resize(designSize_);
}

QSize Form::sizeHint() const { return designSize_.isValid() ? designSize_ : QWidget::sizeHint(); }

void Form::closeEvent(QCloseEvent* event) {
  if (unloading_) {
    event->accept();
    return;
  }
  // An event that fails without a handler of its own is reported under the window, never passed
  // on into the event loop.
  const std::string name = objectName().toStdString();
  unloadMode_ = property(kUnloadByCode).toBool() ? vbFormCode : vbFormControlMenu;
  bool keep = false;
  vb::Guard(name, "Form_QueryUnload", [&] { keep = !Form_QueryUnload(); });
  if (keep) {
    event->ignore();
    return;
  }
  unloading_ = true;
  event->accept();
  vb::Guard(name, "Form_Unload", [&] { Form_Unload(); });
  emit Unloaded();
  if (IsLoaded(this)) UnloadForm(this);
  if (sub_) {
    sub_->hide();
    sub_->close();
  }
}

void Form::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (loaded_ && !unloading_) vb::Guard(objectName().toStdString(), "Form_Resize", [&] { Form_Resize(); });
}

bool Form::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !sub_ && loaded_) Activated();
  return QWidget::event(e);
}

void Form::Activated() {
  if (loaded_ && !unloading_ && !loading_ && !ActivationsPaused())
    vb::Guard(objectName().toStdString(), "Form_Activate", [&] { Form_Activate(); });
}

bool FormVisible(const QWidget* form) {
  if (auto* f = qobject_cast<const Form*>(form)) return f->Visible();
  return form && form->isVisible();
}

void ActivateForm(QWidget* form) {
  if (auto* f = qobject_cast<Form*>(form)) {
    f->ZOrder(0);
    f->setFocus();
    return;
  }
  if (form) {
    // A window of its own on the desktop may lie minimised: raising it would leave it there.
    if (form->isWindow() && form->isMinimized()) form->showNormal();
    form->raise();
    form->activateWindow();
  }
}

void UnloadAllForms() {
  auto forms = Forms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    QPointer<QWidget> w(*it);
    if (w) UnloadForm(w);
    if (w && IsLoaded(w)) w->deleteLater();
  }
  FlushDeletes();
}

void FlushDeletes() {
  for (int i = 0; i < 3; ++i) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace ui
