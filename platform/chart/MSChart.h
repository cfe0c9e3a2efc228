// A chart control driven like a data grid: a current row and column (both from 1), a label per
// row and per column and a value per cell. Each column is drawn as one line over the rows, the
// row labels along the x axis. Drawing is rebuilt once the event loop runs after a change, or,
// for a hidden chart, when it is shown.
#pragma once
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QCategoryAxis;
class QChart;
class QChartView;
class QValueAxis;

namespace chart {

// Layout of the labels of an axis: 0 horizontal; vertical alignment 0 top, 1 bottom, 2 centred.
struct TextLayout {
  int Orientation = 0;
  int VertAlignment = 0;
  bool WordWrap = false;
};

struct AxisLabel {
  bool Auto = true;
  chart::TextLayout TextLayout;
};

class MSChart : public QWidget {
  Q_OBJECT

 public:
  explicit MSChart(const QString& name, QWidget* parent = nullptr);

  int RowCount() const { return static_cast<int>(rowLabels_.size()); }
  // Keeps the cells and labels that stay inside the new size; new cells hold 0.
  void SetRowCount(int rows);
  int ColumnCount() const { return static_cast<int>(columnLabels_.size()); }
  void SetColumnCount(int columns);

  // The current cell; 380 outside 1 .. count.
  int Row() const { return row_; }
  void SetRow(int row);
  int Column() const { return column_; }
  void SetColumn(int column);

  // Of the current row, column and cell.
  std::string RowLabel() const;
  void SetRowLabel(const std::string& label);
  std::string ColumnLabel() const;
  void SetColumnLabel(const std::string& label);
  // Values cross as decimal text ("." as the point); a text that is not a number counts as 0.
  std::string Data() const;
  void SetData(const std::string& value);

  // The first label of the x axis.
  AxisLabel& XAxisLabel() { return xLabel_; }
  void SetXAxisTitle(const std::string& title);
  // Room above the plot, in pixels, for a caption laid over the chart's top.
  void SetTopMargin(int pixels);
  std::string XAxisTitle() const { return xTitle_; }

  // Any cell or label, without moving the current cell (1-based).
  double ValueAt(int row, int column) const;
  std::string RowLabelAt(int row) const;
  std::string ColumnLabelAt(int column) const;

  // Draws the table now instead of on the next turn of the event loop.
  void Rebuild();
  QChartView* View() const { return view_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Changed();
  // Spreads the x-axis title over the width its axis has now.
  void PlaceXTitle();
  void CheckRow(int row) const;
  void CheckColumn(int column) const;

  std::vector<std::string> rowLabels_;
  std::vector<std::string> columnLabels_;
  std::vector<std::vector<double>> values_;  // [row][column]
  int row_ = 1;
  int column_ = 1;
  AxisLabel xLabel_;
  std::string xTitle_;
  bool pending_ = false;
  QChartView* view_ = nullptr;
  QCategoryAxis* x_ = nullptr;  // owned by the chart
  QValueAxis* y_ = nullptr;
};

}  // namespace chart
