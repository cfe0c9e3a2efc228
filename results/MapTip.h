// The value tip of the result map: once the pointer rests on a cell for one timer period,
// a small box below and to the right of it shows the shown field's value in that cell.
// Positions are in twips (the map's own units); the boxes are placed in pixels.
#pragma once
#include <QLabel>
#include <QPointer>
#include <memory>
#include <string>

#include "platform/map/Map.h"
#include "platform/ui/Controls.h"

// The tip's timer as the form's timer control: interval 0 stops it, any other runs it.
// Tests put a clock of their own behind it.
class TipTimer {
 public:
  virtual ~TipTimer() = default;
  virtual int Interval() const = 0;
  virtual void SetInterval(int milliseconds) = 0;
};

class MapTip {
 public:
  static constexpr int kRestInterval = 100;  // milliseconds

  // Stores the controls; styles the box and the label and hides the tip. The form's timer
  // (enabled as designed, interval 0) has its Tick forwarded to Timer() by the form.
  void Initialize(mapctl::Map* map, ui::Timer* tmr, QWidget* pic, QLabel* lbl);
  void Initialize(mapctl::Map* map, TipTimer* tmr, QWidget* pic, QLabel* lbl);
  // Every mouse move over the map, in twips, with the form that holds the map.
  void MouseMove(float X, float Y, QWidget* myForm);
  void SetLayer(std::shared_ptr<mapctl::MapLayer> layer, std::string fld);
  // Every tick of the timer.
  void Timer();
  // Stops waiting and hides the box: the pointer left the map or pressed a button on it.
  void Hide();

 private:
  mapctl::Recordset FindFeature();
  void ShowTip(const std::string& text);

  float msinX = 0;
  float msinY = 0;
  float msinRestX = 0;
  float msinRestY = 0;
  QPointer<mapctl::Map> mobjMap;
  TipTimer* mtmrTip = nullptr;
  std::unique_ptr<TipTimer> mformTimer;  // wraps the form's timer control
  QPointer<QWidget> mpicTip;
  QPointer<QLabel> mlblTip;
  std::shared_ptr<mapctl::MapLayer> mlyrLayer;
  std::string mstrField;
};
