#include "editor/pages/recordtable.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QItemSelection>
#include <QPointer>
#include <QStyledItemDelegate>
#include <algorithm>

#include "project/liste.h"

namespace tavo {

namespace {

// Capitals with marks above them (umlauts, accents) reach above the font's
// ascent in common fonts; a row cut to the font's height clipped their
// marks ("Überlauf" read "Uberlauf"). Rows get room for them: the text is
// centred, so what the marks need above is added below as well.
class RowHeightDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const QFontMetrics metrics(option.font);
    const QRect marks = metrics.tightBoundingRect(QString::fromUtf8("ÄÖÜÅÉÂ"));
    const int above = std::max(0, -marks.top() - metrics.ascent());
    size.setHeight(std::max(size.height(), metrics.height() + 2 * above + 2));
    return size;
  }
};

t_liste* RecordOf(const QModelIndex& index) {
  return reinterpret_cast<t_liste*>(index.data(RecordSortModel::kRecordRole).value<quintptr>());
}

}  // namespace

bool RecordSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const QVariant a = left.data(kSortRole);
  const QVariant b = right.data(kSortRole);
  if (a.typeId() == QMetaType::QByteArray && b.typeId() == QMetaType::QByteArray) {
    // Code page 1252 bytes, compared as unsigned character codes.
    return a.toByteArray() < b.toByteArray();
  }
  return a.toLongLong() < b.toLongLong();
}

bool RecordSortModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return !filter_ || filter_->Matches(static_cast<std::size_t>(sourceRow));
}

RecordTable::RecordTable(Retranslator& texts, std::vector<TextId> captions, QWidget* parent)
    : QTreeView(parent),
      translator_(texts.translator()),
      model_(0, static_cast<int>(captions.size())),
      proxy_(this) {
  proxy_.setSourceModel(&model_);
  proxy_.setDynamicSortFilter(false);
  proxy_.SetFilter(&filter_);
  setModel(&proxy_);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSortingEnabled(false);
  header()->setSectionsClickable(true);
  header()->setSortIndicatorShown(false);
  connect(header(), &QHeaderView::sectionClicked, this, &RecordTable::SortByColumn);
  connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
    if (t_liste* record = RecordAtRow(index.row())) emit recordActivated(record);
  });
  connect(&model_, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
    if (filling_ || !renamable_ || item->column() != 0) return;
    t_liste* record = RecordOf(item->index());
    const QString name = item->text();
    // The page rebuilds the rows on the rename; the item editor that wrote
    // this text must have finished with its row first.
    QMetaObject::invokeMethod(
        this, [this, record, name] { emit recordRenamed(record, name); }, Qt::QueuedConnection);
  });
  texts.Add([this, captions](Translator& tr) {
    for (int i = 0; i < static_cast<int>(captions.size()); ++i)
      model_.setHeaderData(i, Qt::Horizontal, Tr(tr, captions[i]));
    for (int i = 0; i < static_cast<int>(hints_.size()); ++i)
      model_.setHeaderData(i, Qt::Horizontal, Tr(tr, hints_[static_cast<std::size_t>(i)]),
                           Qt::ToolTipRole);
  });
  setItemDelegate(new RowHeightDelegate(this));
}

void RecordTable::SetColumnHints(std::vector<TextId> hints) {
  hints_ = std::move(hints);
  for (int i = 0; i < static_cast<int>(hints_.size()); ++i)
    model_.setHeaderData(i, Qt::Horizontal, Tr(translator_, hints_[static_cast<std::size_t>(i)]),
                         Qt::ToolTipRole);
}

void RecordTable::Clear() {
  filling_ = true;
  model_.removeRows(0, model_.rowCount());
  filter_.Clear();
  filling_ = false;
  sortColumn_ = -1;
  proxy_.sort(-1);
  header()->setSortIndicatorShown(false);
}

void RecordTable::BeginFill() {
  filling_ = true;
  // The header forgets its sections with the model: the widths the user or
  // the page gave the columns come back after the fill.
  widths_.clear();
  for (int column = 0; column < header()->count(); ++column)
    widths_.push_back(header()->sectionSize(column));
  // Without a source the proxy does not follow each inserted row.
  proxy_.setSourceModel(nullptr);
}

void RecordTable::EndFill() {
  proxy_.setSourceModel(&model_);
  for (int column = 0; column < static_cast<int>(widths_.size()); ++column)
    setColumnWidth(column, widths_[static_cast<std::size_t>(column)]);
  filter_.SetText(S(filterText_));
  if (sortColumn_ >= 0) proxy_.sort(sortColumn_, Qt::AscendingOrder);
  filling_ = false;
}

void RecordTable::AddRow(t_liste* record, const std::vector<RecordCell>& cells) {
  QList<QStandardItem*> row;
  std::vector<std::string> texts;
  texts.reserve(cells.size());
  for (const RecordCell& cell : cells) {
    auto* item = new QStandardItem(cell.icon, cell.text);
    item->setData(cell.sortKey, RecordSortModel::kSortRole);
    item->setEditable(renamable_ && row.empty());
    if (row.empty())
      item->setData(QVariant::fromValue(reinterpret_cast<quintptr>(record)),
                    RecordSortModel::kRecordRole);
    const int column = static_cast<int>(row.size());
    if (filterColumns_.empty() ||
        std::find(filterColumns_.begin(), filterColumns_.end(), column) != filterColumns_.end())
      texts.push_back(S(cell.text));
    row << item;
  }
  filter_.AddRow(texts);
  const bool was = filling_;
  filling_ = true;
  model_.appendRow(row);  // the model owns the items
  filling_ = was;
}

t_liste* RecordTable::RecordAtRow(int viewRow) const {
  const QModelIndex index = proxy_.index(viewRow, 0);
  if (!index.isValid()) return nullptr;
  return RecordOf(index);
}

QString RecordTable::TextAt(int viewRow, int column) const {
  return proxy_.index(viewRow, column).data().toString();
}

std::vector<t_liste*> RecordTable::SelectedRecords() const {
  // A row counts by its first cell: a view that shows only that cell (the
  // picture list's icons) selects no other.
  std::vector<t_liste*> records;
  for (int row = 0; row < proxy_.rowCount(); ++row)
    if (selectionModel()->isSelected(proxy_.index(row, 0))) records.push_back(RecordAtRow(row));
  return records;
}

t_liste* RecordTable::CurrentRecord() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? RecordAtRow(index.row()) : nullptr;
}

void RecordTable::SelectRecords(const std::vector<t_liste*>& records) {
  QItemSelection selection;
  QModelIndex first;
  for (int row = 0; row < proxy_.rowCount(); ++row) {
    const QModelIndex index = proxy_.index(row, 0);
    if (std::find(records.begin(), records.end(), RecordOf(index)) == records.end()) continue;
    selection.select(index, proxy_.index(row, proxy_.columnCount() - 1));
    if (!first.isValid() || RecordOf(index) == records.front()) first = index;
  }
  selectionModel()->clearSelection();
  if (first.isValid()) {
    selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    scrollTo(first);
  }
  selectionModel()->select(selection, QItemSelectionModel::Select);
}

int RecordTable::SourceRowOf(const t_liste* record) const {
  for (int row = 0; row < model_.rowCount(); ++row)
    if (RecordOf(model_.index(row, 0)) == record) return row;
  return -1;
}

void RecordTable::SortByColumn(int column) {
  sortColumn_ = column;
  proxy_.sort(column, Qt::AscendingOrder);
  header()->setSortIndicatorShown(column >= 0);
  if (column >= 0) header()->setSortIndicator(column, Qt::AscendingOrder);
}

void RecordTable::SetFilterText(const QString& typed) {
  filterText_ = typed;
  filter_.SetText(S(typed));
  proxy_.Refilter();
}

void RecordTable::SetRenamable(bool renamable) {
  renamable_ = renamable;
  setEditTriggers(renamable ? QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed
                            : QAbstractItemView::NoEditTriggers);
}

}  // namespace tavo
