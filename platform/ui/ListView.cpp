#include "platform/ui/ListView.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>

#include "platform/ui/Twips.h"
#include "runtime/VbError.h"

namespace ui {

void ListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  const int across = horizontalScrollBar()->value();
  QTreeWidget::scrollTo(index, hint);
  horizontalScrollBar()->setValue(across);
}

ListView::ListView(const QString& name, QWidget* parent) : QTreeWidget(parent) {
  setObjectName(name);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setColumnCount(0);
  header()->setSectionsClickable(true);
  header()->setStretchLastSection(false);
  connect(header(), &QHeaderView::sectionClicked, this, [this](int c) { emit ColumnClick(c); });
  connect(this, &QTreeWidget::itemClicked, this,
          [this](QTreeWidgetItem* item, int) { emit ItemClick(static_cast<ListItem*>(item)); });
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem*, int) { emit DblClick(); });
}

void ListView::FitColumnsTo(int flexColumn, LongText longText) {
  if (flex_ != flexColumn || static_cast<int>(designed_.size()) != columnCount()) {
    designed_.clear();
    for (int c = 0; c < columnCount(); ++c) designed_.push_back(columnWidth(c));
  }
  flex_ = flexColumn;
  longText_ = longText;
  FitColumns();
}

void ListView::FitColumns() {
  const int n = columnCount();
  if (flex_ < 0 || flex_ >= n || static_cast<int>(designed_.size()) != n) return;
  std::vector<int> widths(designed_);
  int fixed = 0;
  for (int c = 0; c < n; ++c) {
    if (c == flex_) continue;
    if (longText_ == LongText::Elide) {
      widths[c] = header()->sectionSizeHint(c);
      if (Count() > 0) widths[c] = std::max(widths[c], sizeHintForColumn(c));
    }
    fixed += widths[c];
  }
  const int room = viewport()->width() - fixed;
  if (longText_ == LongText::Scroll) {
    widths[flex_] = std::max(room, Count() > 0 ? sizeHintForColumn(flex_) : 0);
  } else if (room < header()->sectionSizeHint(flex_)) {
    widths = designed_;
  } else {
    widths[flex_] = room;
  }
  for (int c = 0; c < n; ++c) setColumnWidth(c, widths[c]);
}

bool ListView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Resize && flex_ >= 0) FitColumns();
  return QTreeWidget::viewportEvent(event);
}

void ListView::AddColumn(const std::string& header, double widthTwips) {
  int n = columnCount();
  setColumnCount(n + 1);
  QTreeWidgetItem* h = headerItem();
  h->setText(n, QString::fromStdString(header));
  setColumnWidth(n, ToPixels(widthTwips));
}

ListItem::~ListItem() {
  if (indexedBy_) indexedBy_->Forget(this);
}

ListView::~ListView() {
  // The rows go while the key index they leave is still there.
  Clear();
}

ListItem* ListView::Add(const std::string& key, const std::string& text, const std::vector<std::string>& subItems,
                        const QIcon& icon) {
  if (!key.empty() && Find(key)) vb::Raise(35602, "", "Key is not unique in collection");
  auto* item = new ListItem(key);
  item->SetText(text);
  for (std::size_t i = 0; i < subItems.size(); ++i) item->SetSubItem(static_cast<int>(i) + 1, subItems[i]);
  if (!icon.isNull()) item->setIcon(0, icon);
  addTopLevelItem(item);
  if (!key.empty()) {
    ListItem*& indexed = keys_[key];
    if (indexed) indexed->indexedBy_ = nullptr;  // a row taken out of the list by hand
    indexed = item;
    item->indexedBy_ = this;
  }
  return item;
}

ListItem* ListView::Find(std::string_view key) const {
  if (key.empty()) {
    for (int i = 0; i < topLevelItemCount(); ++i) {
      auto* item = static_cast<ListItem*>(topLevelItem(i));
      if (item->Key().empty()) return item;
    }
    return nullptr;
  }
  const auto found = keys_.find(std::string(key));
  if (found == keys_.end() || found->second->treeWidget() != this) return nullptr;
  return found->second;
}

void ListView::Forget(ListItem* item) {
  const auto found = keys_.find(item->Key());
  if (found != keys_.end() && found->second == item) keys_.erase(found);
  item->indexedBy_ = nullptr;
}

ListItem* ListView::Item(int index) const {
  if (index < 1 || index > Count()) vb::Raise(35600, "", "Index out of bounds");
  return static_cast<ListItem*>(topLevelItem(index - 1));
}

void ListView::Remove(ListItem* item) {
  if (!item) return;
  if (item == drop_) drop_ = nullptr;
  delete takeTopLevelItem(indexOfTopLevelItem(item));
}

void ListView::Clear() {
  drop_ = nullptr;
  for (auto& [key, item] : keys_) item->indexedBy_ = nullptr;
  keys_.clear();
  clear();
}

ListItem* ListView::SelectedItem() const {
  auto items = selectedItems();
  if (items.isEmpty()) return nullptr;
  return static_cast<ListItem*>(items.front());
}

void ListView::SetSelectedItem(ListItem* item) {
  clearSelection();
  if (item) {
    item->setSelected(true);
    setCurrentItem(item);
  }
}

void ListView::SetDropHighlight(ListItem* item) { drop_ = item; }

void ListView::SortOnce(int column, bool ascending) {
  sortItems(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

}  // namespace ui
