// A window of the program: loaded once (its load handler runs and it joins the collection of loaded
// forms), shown modeless inside the main window's MDI area or modal on its own, unloaded when closed.
// Geometry is in twips and refers to the window's frame (its MDI sub-window once it has one).
#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include <QMdiArea>
#include <QMdiSubWindow>

namespace ui {

// Runs the activation handler of a form that became the active child window.
void NotifyActivated(QWidget* form);

// While one lives, no form runs its activation handler: the main window unloads its children
// with it, and each unload brings another child to the front whose activation work has no
// business running then.
class ActivationPause {
 public:
  ActivationPause();
  ~ActivationPause();
  ActivationPause(const ActivationPause&) = delete;
  ActivationPause& operator=(const ActivationPause&) = delete;
};
bool ActivationsPaused();

// Why a form is being closed, as its query-unload handler sees it.
enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1 };

class Form : public QWidget {
  Q_OBJECT

 public:
  enum class Kind { MdiChild, TopLevel };
  explicit Form(const QString& name, Kind kind = Kind::MdiChild);
  ~Form() override;

  // Runs the load handler once and adds the form to the collection of loaded forms.
  void Load();
  bool Loaded() const { return loaded_; }
  // True while the load handler runs.
  bool Loading() const { return loading_; }

  // Modeless: inside the MDI area for a child form (on its own when there is no MDI area).
  // Modal: on its own, returning when the form has been unloaded or hidden.
  void Show(bool modal = false);
  void Hide();
  bool Unload();
  // 0 brings the form to the front and activates it, 1 sends it to the back.
  void ZOrder(int position);
  bool Visible() const;

  // The frame: the MDI sub-window once the form lives in one, else the form itself.
  QWidget* Frame() const;
  QMdiSubWindow* SubWindow() const { return sub_; }

  double Left() const;
  double Top() const;
  double Width() const;
  double Height() const;
  void SetLeft(double twips);
  void SetTop(double twips);
  void SetWidth(double twips);
  void SetHeight(double twips);
  // The client area (twips).
  double ScaleWidth() const;
  double ScaleHeight() const;
  bool Maximized() const;

  std::string Caption() const;
  void SetCaption(const std::string& caption);

  // The form's controls in design order: every named descendant, menus and timers included.
  virtual std::vector<QObject*> Controls() const;

  // A fixed frame without minimise and maximise buttons (dialog border).
  void SetFixedDialogBorder(bool fixed) { fixedBorder_ = fixed; }
  // Without its control box the frame has a caption only: no system menu, no buttons.
  void SetControlBox(bool shown) { controlBox_ = shown; }

  // The designed client size, which the frame is first fitted to.
  QSize sizeHint() const override;

 signals:
  void Unloaded();

 protected:
  // The window events. Each guards itself; a failure that still escapes Resize, Activate,
  // QueryUnload or Unload is reported under the window's name and that event. A failure in Load
  // reaches the code that loaded the window.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Resize() {}
  // False keeps the form loaded. QueryUnloadMode() tells the user's close from an unload by code.
  virtual bool Form_QueryUnload() { return true; }
  UnloadMode QueryUnloadMode() const { return unloadMode_; }
  virtual void Form_Unload() {}

  // Sets the client size the form was designed with (twips).
  void SetDesignClientSize(double width, double height);

  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  friend void NotifyActivated(QWidget* form);
  void EnsureFrame();
  void ApplyPendingGeometry();
  void FitIntoArea(bool keepPlace);
  void Activated();

  Kind kind_;
  bool loaded_ = false;
  bool loading_ = false;
  bool unloading_ = false;
  bool fixedBorder_ = false;
  bool controlBox_ = true;
  bool applying_ = false;
  UnloadMode unloadMode_ = vbFormCode;
  QPointer<QMdiSubWindow> sub_;
  // Frame geometry asked for before the form had its sub-window (twips).
  QSize designSize_;
  double pendingLeft_ = -1, pendingTop_ = -1, pendingWidth_ = -1, pendingHeight_ = -1;
};

// The MDI area in which child forms are shown (set by the main window).
void SetMdiArea(QMdiArea* area);
QMdiArea* MdiArea();
// A frame of this size at this place, made to fit inside a room of the given size: no larger than
// the room, and moved back towards the room's origin as far as it must. With keepPlace it stays
// where it is and gives up width or height instead, as long as it keeps at least half the room.
QRect FitInto(const QRect& frame, const QSize& room, bool keepPlace);

// Any loaded window: visible on screen (for a child form: its sub-window).
bool FormVisible(const QWidget* form);
// Brings any loaded window to the front and gives it the focus; a minimised top-level window is
// restored.
void ActivateForm(QWidget* form);

// For tests: unloads every loaded form (last loaded first) and deletes them now.
void UnloadAllForms();
// Deletes now the windows whose deletion is pending.
void FlushDeletes();

}  // namespace ui
