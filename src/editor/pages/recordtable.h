#pragma once
// The view of a list page: one row per record, in list order, with column
// headings; a click on a heading sorts the rows ascending by that column
// (there is no descending order). Sorting changes only the view, never the
// record list. Each cell carries its sort key: a number, or the text's code
// page 1252 bytes compared by character code.

#include <QIcon>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVariant>
#include <vector>

#include "editor/uitext.h"

namespace tavo {

class t_liste;

struct RecordCell {
  QString text;
  QVariant sortKey;  // qlonglong, or QByteArray (code page 1252 bytes)
  QIcon icon;

  static RecordCell Number(qlonglong value) {
    return {QString::number(value), QVariant(value), {}};
  }
  static RecordCell Number(const QString& shown, qlonglong value) {
    return {shown, QVariant(value), {}};
  }
  // `cp1252` is shown converted and sorted by its bytes.
  static RecordCell Text(const std::string& cp1252) {
    return {Q(cp1252), QVariant(QByteArray::fromStdString(cp1252)), {}};
  }
};

class RecordSortModel : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  static constexpr int kSortRole = Qt::UserRole + 1;
  static constexpr int kRecordRole = Qt::UserRole + 2;

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

class RecordTable : public QTreeView {
  Q_OBJECT
 public:
  // `captions`: the column headings, translated on every Retranslate().
  RecordTable(Retranslator& texts, std::vector<TextId> captions, QWidget* parent);

  // Empties the view and forgets the sort order (rows come back in list order).
  void Clear();
  void AddRow(t_liste* record, const std::vector<RecordCell>& cells);
  int RowCount() const { return model_.rowCount(); }

  // What is shown, in view order (after sorting).
  t_liste* RecordAtRow(int viewRow) const;
  QString TextAt(int viewRow, int column) const;
  // The selected records in view order; the focused one.
  std::vector<t_liste*> SelectedRecords() const;
  t_liste* CurrentRecord() const;
  // Source-model access for in-place updates of one row's cells.
  QStandardItemModel& SourceModel() { return model_; }
  int SourceRowOf(const t_liste* record) const;

  // Ascending by `column`, as a click on its heading does.
  void SortByColumn(int column);

 signals:
  void recordActivated(t_liste* record);

 private:
  QStandardItemModel model_;
  RecordSortModel proxy_;
};

}  // namespace tavo
