#pragma once
// The view of a list page: one row per record, in list order, with column
// headings; a click on a heading sorts the rows ascending by that column
// (there is no descending order). Sorting changes only the view, never the
// record list. Each cell carries its sort key: a number, or the text's code
// page 1252 bytes compared by character code. A typed filter hides the rows
// none of whose texts contain it; the name column may be renamed in place.

#include <QIcon>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVariant>
#include <vector>

#include "document/listoperations.h"
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

  // Rows the filter hides are left out; null shows every row.
  void SetFilter(const RowFilter* filter) { filter_ = filter; }
  void Refilter() { invalidateRowsFilter(); }

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  const RowFilter* filter_ = nullptr;
};

class RecordTable : public QTreeView {
  Q_OBJECT
 public:
  // `captions`: the column headings, translated on every Retranslate().
  RecordTable(Retranslator& texts, std::vector<TextId> captions, QWidget* parent);

  // Empties the view and forgets the sort order (rows come back in list order).
  void Clear();
  void AddRow(t_liste* record, const std::vector<RecordCell>& cells);
  // Between BeginFill and EndFill rows are added without the view following
  // each one: a list of thousands of records fills in one go.
  void BeginFill();
  void EndFill();
  int RowCount() const { return model_.rowCount(); }

  // What is shown, in view order (after sorting and filtering).
  int ShownRowCount() const { return proxy_.rowCount(); }
  t_liste* RecordAtRow(int viewRow) const;
  QString TextAt(int viewRow, int column) const;
  // The selected records in view order; the focused one.
  std::vector<t_liste*> SelectedRecords() const;
  t_liste* CurrentRecord() const;
  // Selects exactly these records (those shown), the first one focused.
  void SelectRecords(const std::vector<t_liste*>& records);
  // Source-model access for in-place updates of one row's cells.
  QStandardItemModel& SourceModel() { return model_; }
  int SourceRowOf(const t_liste* record) const;

  // Ascending by `column`, as a click on its heading does; -1 for list order.
  void SortByColumn(int column);
  int SortColumn() const { return sortColumn_; }

  // Shows only the rows one of whose texts contains `typed`. Only the
  // columns given to SetFilterColumns are searched (every column until then).
  void SetFilterText(const QString& typed);
  // The columns whose texts the filter searches; set before rows are added.
  void SetFilterColumns(std::vector<int> columns) { filterColumns_ = std::move(columns); }
  QString FilterText() const { return filterText_; }

  // The name column (0) can be edited in place (a click on the focused
  // row's name, or F2); what was typed arrives as recordRenamed.
  void SetRenamable(bool renamable);
  // Hints of the column headings, translated with the captions.
  void SetColumnHints(std::vector<TextId> hints);

 signals:
  void recordActivated(t_liste* record);
  // Arrives after the edit has ended; the row still shows the typed text
  // until the page fills again.
  void recordRenamed(t_liste* record, const QString& name);

 private:
  Translator& translator_;
  QStandardItemModel model_;
  RecordSortModel proxy_;
  RowFilter filter_;
  QString filterText_;
  std::vector<int> filterColumns_;
  std::vector<TextId> hints_;
  std::vector<int> widths_;  // the columns' widths while the rows are refilled
  int sortColumn_ = -1;
  bool renamable_ = false;
  bool filling_ = false;
};

}  // namespace tavo
