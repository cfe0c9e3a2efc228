// A list control over QTreeWidget with the row keys, selection and drop-target row that the list
// windows and the list-selection helpers use. Sub-items are counted from 1, as the columns after
// the first.
#pragma once
#include <QIcon>
#include <QTreeWidget>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ui {

class ListView;

class ListItem : public QTreeWidgetItem {
 public:
  explicit ListItem(std::string key) : key_(std::move(key)) {}
  ~ListItem() override;
  const std::string& Key() const { return key_; }
  std::string Text() const { return text(0).toStdString(); }
  void SetText(const std::string& text) { setText(0, QString::fromStdString(text)); }
  std::string SubItem(int index) const { return text(index).toStdString(); }
  void SetSubItem(int index, const std::string& text) { setText(index, QString::fromStdString(text)); }

 private:
  friend class ListView;
  std::string key_;
  ListView* indexedBy_ = nullptr;  // the list whose key index holds this row
};

class ListView : public QTreeWidget {
  Q_OBJECT

 public:
  explicit ListView(const QString& name, QWidget* parent = nullptr);
  ~ListView() override;

  void AddColumn(const std::string& header, double widthTwips);
  // A new row at the end; a key already in the list raises 35602. The sub-items (from 1) and the
  // icon are set before the row joins the list, so that filling a long list stays linear.
  ListItem* Add(const std::string& key, const std::string& text, const std::vector<std::string>& subItems = {},
                const QIcon& icon = {});
  ListItem* Find(std::string_view key) const;
  int Count() const { return topLevelItemCount(); }
  ListItem* Item(int index) const;  // from 1; 35600 outside
  void Remove(ListItem* item);
  void Clear();

  ListItem* SelectedItem() const;
  void SetSelectedItem(ListItem* item);
  ListItem* DropHighlight() const { return drop_; }
  void SetDropHighlight(ListItem* item);
  // Sorts once by the column (0 the first), leaving later rows where they are added.
  void SortOnce(int column, bool ascending = true);
  // Brings a row into view vertically only: a click on a wide column must not scroll the ids away.
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  // The flexible column fills the room the others leave, so a scroll bar across shows only for a text
  // that does not fit; refitted whenever the visible area changes.
  //  Elide: the others are as wide as their whole text and the flexible one cuts its long texts;
  //         where the others alone do not fit, the designed widths stay.
  //  Scroll: the others keep their widths and the flexible one is at least as wide as its texts.
  enum class LongText { Elide, Scroll };
  void FitColumnsTo(int flexColumn, LongText longText = LongText::Elide);

 signals:
  void ItemClick(ui::ListItem* item);
  void DblClick();
  void ColumnClick(int column);

 private:
  friend class ListItem;
  bool viewportEvent(QEvent* event) override;
  void FitColumns();
  void Forget(ListItem* item);

  std::unordered_map<std::string, ListItem*> keys_;  // every row with a key, by its key

  ListItem* drop_ = nullptr;
  int flex_ = -1;
  LongText longText_ = LongText::Elide;
  std::vector<int> designed_;  // widths before the first fit
};

}  // namespace ui
