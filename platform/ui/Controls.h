// The controls of the designed windows that Qt has no exact match for: menu items and toolbar
// buttons reachable by name and key, an image list, a progress bar with Min/Max/Value, a timer
// and a line. Each keeps the properties the program sets by name.
#pragma once
#include <QAction>
#include <QIcon>
#include <QObject>
#include <QProgressBar>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

class QMenu;
class QMenuBar;

class QLabel;

namespace ui {

// A menu item, a top-level menu or a separator (caption "-").
class MenuItem : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
  Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

 public:
  MenuItem(const QString& name, QAction* action, QMenu* menu, QObject* parent);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  std::string Caption() const { return caption_; }
  QString Shortcut() const;
  bool IsSeparator() const { return caption_ == "-"; }
  QAction* Action() const { return action_; }
  QMenu* Menu() const { return menu_; }  // the item's submenu, for a top-level menu

 signals:
  void Click();

 private:
  std::string caption_;
  QAction* action_;
  QMenu* menu_;
};

// Builds a menu bar's items: top-level menus and their items, with the stored captions.
MenuItem* AddMenu(QMenuBar* bar, const QString& name, const QString& caption);
MenuItem* AddMenuItem(MenuItem* menu, const QString& name, const QString& caption,
                      const QKeySequence& shortcut = {});

enum ButtonStyle : int { tbrDefault = 0, tbrCheck = 1, tbrButtonGroup = 2, tbrSeparator = 3, tbrPlaceholder = 4 };

// A wrapped caption that does not fit its label (a word wider than the label, or more lines than its
// height holds) takes a smaller font, down to 6 points, so that it shows whole.
void FitLabelFont(QLabel* label);

class ToolbarButton : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)

 public:
  ToolbarButton(const QString& key, int style, QAction* action, QObject* parent);
  std::string Key() const { return key_.toStdString(); }
  int Style() const { return style_; }
  bool Enabled() const { return action_->isEnabled(); }
  void SetEnabled(bool enabled) { action_->setEnabled(enabled); }
  std::string ToolTipText() const { return action_->toolTip().toStdString(); }
  QAction* Action() const { return action_; }

 private:
  QString key_;
  int style_;
  QAction* action_;
};

class Toolbar : public QToolBar {
  Q_OBJECT

 public:
  explicit Toolbar(const QString& name, QWidget* parent = nullptr);
  ToolbarButton* AddButton(const QString& key, int style, const QString& toolTip = {}, const QIcon& icon = {});
  const std::vector<ToolbarButton*>& Buttons() const { return buttons_; }
  // The first button with this key, exactly; nullptr when none.
  ToolbarButton* Button(std::string_view key) const;

 signals:
  void ButtonClick(ui::ToolbarButton* button);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::vector<ToolbarButton*> buttons_;
};

class ImageList : public QObject {
  Q_OBJECT

 public:
  explicit ImageList(const QString& name, QObject* parent = nullptr);
  void Add(const QString& key, const QIcon& image);
  int Count() const { return static_cast<int>(images_.size()); }
  QIcon Image(int index) const;  // from 1
  QIcon Image(std::string_view key) const;
  std::string Key(int index) const;

 private:
  std::vector<std::pair<QString, QIcon>> images_;
};

// Min, Max and Value as single-precision numbers; a Value outside Min..Max raises 380.
class ProgressBar : public QProgressBar {
  Q_OBJECT
  Q_PROPERTY(float Min READ Min WRITE SetMin)
  Q_PROPERTY(float Max READ Max WRITE SetMax)
  Q_PROPERTY(float Value READ Value WRITE SetValue)

 public:
  explicit ProgressBar(const QString& name, QWidget* parent = nullptr);
  float Min() const { return min_; }
  float Max() const { return max_; }
  float Value() const { return value_; }
  void SetMin(float v);
  void SetMax(float v);
  void SetValue(float v);

 private:
  void Sync();
  float min_ = 0, max_ = 100, value_ = 0;
};

// Ticks every Interval milliseconds while Enabled and Interval > 0.
class Timer : public QObject {
  Q_OBJECT
  Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
  Q_PROPERTY(int Interval READ Interval WRITE SetInterval)

 public:
  explicit Timer(const QString& name, QObject* parent = nullptr);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int ms);

 signals:
  void Tick();

 private:
  void Sync();
  QTimer timer_;
  bool enabled_ = false;
  int interval_ = 0;
};

// A straight line between two points of its parent (twips).
class Line : public QWidget {
  Q_OBJECT
  Q_PROPERTY(double X1 READ X1 WRITE SetX1)
  Q_PROPERTY(double Y1 READ Y1 WRITE SetY1)
  Q_PROPERTY(double X2 READ X2 WRITE SetX2)
  Q_PROPERTY(double Y2 READ Y2 WRITE SetY2)

 public:
  Line(const QString& name, QWidget* parent);
  double X1() const { return x1_; }
  double Y1() const { return y1_; }
  double X2() const { return x2_; }
  double Y2() const { return y2_; }
  void SetX1(double v) { x1_ = v; Sync(); }
  void SetY1(double v) { y1_ = v; Sync(); }
  void SetX2(double v) { x2_ = v; Sync(); }
  void SetY2(double v) { y2_ = v; Sync(); }
  void SetPoints(double x1, double y1, double x2, double y2);
  void SetColor(const QColor& c) { color_ = c; update(); }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  void Sync();
  double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
  QColor color_ = Qt::darkGray;
};

}  // namespace ui
