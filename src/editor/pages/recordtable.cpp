#include "editor/pages/recordtable.h"

#include <QHeaderView>

#include "project/liste.h"

namespace tavo {

bool RecordSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  const QVariant a = left.data(kSortRole);
  const QVariant b = right.data(kSortRole);
  if (a.typeId() == QMetaType::QByteArray && b.typeId() == QMetaType::QByteArray) {
    // Code page 1252 bytes, compared as unsigned character codes.
    return a.toByteArray() < b.toByteArray();
  }
  return a.toLongLong() < b.toLongLong();
}

RecordTable::RecordTable(Retranslator& texts, std::vector<TextId> captions, QWidget* parent)
    : QTreeView(parent), model_(0, static_cast<int>(captions.size())), proxy_(this) {
  proxy_.setSourceModel(&model_);
  proxy_.setDynamicSortFilter(false);
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
  texts.Add([this, captions](Translator& tr) {
    for (int i = 0; i < static_cast<int>(captions.size()); ++i)
      model_.setHeaderData(i, Qt::Horizontal, Tr(tr, captions[i]));
  });
}

void RecordTable::Clear() {
  model_.removeRows(0, model_.rowCount());
  proxy_.sort(-1);
  header()->setSortIndicatorShown(false);
}

void RecordTable::AddRow(t_liste* record, const std::vector<RecordCell>& cells) {
  QList<QStandardItem*> row;
  for (const RecordCell& cell : cells) {
    auto* item = new QStandardItem(cell.icon, cell.text);
    item->setData(cell.sortKey, RecordSortModel::kSortRole);
    item->setData(QVariant::fromValue(reinterpret_cast<quintptr>(record)),
                  RecordSortModel::kRecordRole);
    item->setEditable(false);
    row << item;
  }
  model_.appendRow(row);  // the model owns the items
}

t_liste* RecordTable::RecordAtRow(int viewRow) const {
  const QModelIndex index = proxy_.index(viewRow, 0);
  if (!index.isValid()) return nullptr;
  return reinterpret_cast<t_liste*>(index.data(RecordSortModel::kRecordRole).value<quintptr>());
}

QString RecordTable::TextAt(int viewRow, int column) const {
  return proxy_.index(viewRow, column).data().toString();
}

std::vector<t_liste*> RecordTable::SelectedRecords() const {
  std::vector<t_liste*> records;
  for (int row = 0; row < proxy_.rowCount(); ++row)
    if (selectionModel()->isRowSelected(row, QModelIndex())) records.push_back(RecordAtRow(row));
  return records;
}

t_liste* RecordTable::CurrentRecord() const {
  const QModelIndex index = currentIndex();
  return index.isValid() ? RecordAtRow(index.row()) : nullptr;
}

int RecordTable::SourceRowOf(const t_liste* record) const {
  for (int row = 0; row < model_.rowCount(); ++row)
    if (reinterpret_cast<const t_liste*>(
            model_.item(row, 0)->data(RecordSortModel::kRecordRole).value<quintptr>()) == record)
      return row;
  return -1;
}

void RecordTable::SortByColumn(int column) {
  proxy_.sort(column, Qt::AscendingOrder);
  header()->setSortIndicatorShown(true);
  header()->setSortIndicator(column, Qt::AscendingOrder);
}

}  // namespace tavo
