// What the result reading needs of the result window: its ten charts, its labels and showing it.
// The result window implements this and registers itself; the model run never sees a widget.
#pragma once
#include <string>

namespace modTulmo {

class ResultWindow {
 public:
  virtual ~ResultWindow() = default;

  // Chart `chart` (0..9, the window's MSChart0..MSChart9) gets `rows` rows and `columns` columns,
  // its current column is 1, and the first label of its x axis is laid out by hand: horizontal,
  // vertically centred, word-wrapped.
  virtual void PrepareChart(int chart, int rows, int columns) = 0;
  // Rows and columns count from 1, as the chart control counts them. Values arrive as decimal text.
  virtual void SetChartRowLabel(int chart, int row, const std::string& label) = 0;
  virtual void SetChartColumnLabel(int chart, int column, const std::string& label) = 0;
  virtual void SetChartData(int chart, int row, int column, const std::string& value) = 0;
  // The caption of the label with this control name (e.g. "lbl95Sal").
  virtual void SetLabelCaption(const std::string& label, const std::string& caption) = 0;
  // Shows the window modeless.
  virtual void ShowWindow() = 0;
};

// The window that ReadMap fills; null means none (the reading then fills nothing but the grid and
// the files). The window registers itself when it is created and clears this when it goes away.
void SetResultWindow(ResultWindow* window);
ResultWindow* GetResultWindow();

}  // namespace modTulmo
