#include "editor/pages/checkpanel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor/uitext.h"

namespace tavo {

namespace {

constexpr int kFindingRole = Qt::UserRole;

QStyle::StandardPixmap SeverityImage(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return QStyle::SP_MessageBoxCritical;
    case Severity::Warning:
      return QStyle::SP_MessageBoxWarning;
    case Severity::Note:
      break;
  }
  return QStyle::SP_MessageBoxInformation;
}

// Enter on a row does what a double click does.
class FindingList : public QTreeWidget {
 public:
  using QTreeWidget::QTreeWidget;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
      emit itemActivated(currentItem(), 0);
      return;
    }
    QTreeWidget::keyPressEvent(event);
  }
};

}  // namespace

CheckPanel::CheckPanel(Retranslator& texts, QWidget* parent) : QWidget(parent), texts_(texts) {
  setObjectName("Pruefergebnis");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 2, 0, 0);
  layout->setSpacing(2);
  caption_ = new QLabel(this);
  caption_->setObjectName("PruefKopf");
  layout->addWidget(caption_);
  list_ = new FindingList(this);
  list_->setObjectName("pruefliste");
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAlternatingRowColors(true);
  list_->setColumnCount(4);
  list_->header()->setStretchLastSection(true);
  layout->addWidget(list_);
  texts_.Add([this](Translator& tr) {
    list_->setHeaderLabels({Tr(tr, txt::kPruefSpalteCode), Tr(tr, txt::kPruefSpalteArt),
                            Tr(tr, txt::kPruefSpalteOrt), Tr(tr, txt::kPruefSpalteMeldung)});
  });
  // Double click and Enter both arrive as an activated row.
  connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
    if (item) emit findingActivated(item->data(0, kFindingRole).toInt());
  });
  hide();
}

void CheckPanel::ShowFindings(std::vector<Finding> findings) {
  findings_ = std::move(findings);
  stale_ = false;
  FillRows();
  show();
}

void CheckPanel::MarkStale() {
  if (stale_ || !isVisibleTo(parentWidget())) return;
  stale_ = true;
  UpdateCaption();
}

void CheckPanel::Clear() {
  findings_.clear();
  stale_ = false;
  list_->clear();
  hide();
}

void CheckPanel::Retranslate() {
  if (!findings_.empty() || !caption_->text().isEmpty()) FillRows();
}

void CheckPanel::FillRows() {
  Translator& tr = texts_.translator();
  list_->setUpdatesEnabled(false);
  list_->clear();
  QList<QTreeWidgetItem*> rows;
  rows.reserve(static_cast<qsizetype>(findings_.size()));
  for (std::size_t i = 0; i < findings_.size(); ++i) {
    const Finding& f = findings_[i];
    auto* row =
        new QTreeWidgetItem({QString::fromLatin1(f.code()), Q(SeverityText(f.severity(), tr)),
                             Q(PlaceText(f.place, tr)), Q(FindingMessage(f, tr))});
    row->setIcon(1, style()->standardIcon(SeverityImage(f.severity())));
    row->setData(0, kFindingRole, static_cast<int>(i));
    rows.push_back(row);
  }
  list_->addTopLevelItems(rows);
  for (int column = 0; column < 3; ++column) list_->resizeColumnToContents(column);
  list_->setUpdatesEnabled(true);
  UpdateCaption();
}

void CheckPanel::UpdateCaption() {
  Translator& tr = texts_.translator();
  QString text = Tr(tr, txt::kPruefErgebnis) + ": " + Q(CheckSummary(findings_, tr));
  if (stale_) text += " (" + Tr(tr, txt::kPruefVeraltet) + ")";
  caption_->setText(text);
}

}  // namespace tavo
