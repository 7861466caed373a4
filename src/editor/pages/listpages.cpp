#include "editor/pages/listpages.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <array>

#include "app/workspace.h"
#include "document/objectedit.h"
#include "editor/dialogs/alarmdialog.h"
#include "editor/dialogs/alarmpreview.h"
#include "editor/dialogs/infomsg.h"
#include "editor/dialogs/textlistdialog.h"
#include "editor/dialogs/variabledialog.h"
#include "editor/pages/exchangeactions.h"
#include "project/projekt.h"

namespace tavo {

namespace {

const t_liste* FirstOf(const t_projekt& project, RecordList list) {
  switch (list) {
    case RecordList::Variables:
      return project.variables.get();
    case RecordList::Alarms:
      return project.alarms.get();
    case RecordList::TextLists:
      return project.textLists.get();
    case RecordList::Pictures:
      break;
  }
  return project.pictures.get();
}

// What a record would write: an edit that leaves it as it was is no step.
std::string RecordLines(const t_liste& record, const t_steuerung* coupling) {
  std::string text;
  const LineSink sink = [&](const std::string& line) { text += line + "\n"; };
  if (record.kindTag() == kTagVariable)
    static_cast<const t_variable&>(record).WriteProjectLines(sink, coupling);
  else
    record.WriteProjectLines(sink);
  // A text list without texts writes nothing; its name and kind count all
  // the same.
  if (record.kindTag() == kTagTextliste)
    text += record.name + (static_cast<const t_textliste&>(record).valueList ? "W" : "B");
  return text;
}

QIcon ToolIcon(int image) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0x30, 0x38, 0x48), paper(0xFA, 0xFA, 0xF5), red(0xC8, 0x3A, 0x3A),
      green(0x3A, 0x9A, 0x50), blue(0x2E, 0x6E, 0xC8);
  auto sheet = [&](qreal x, qreal y) {
    p.setPen(QPen(ink, 1));
    p.setBrush(paper);
    p.drawRect(QRectF(x + 0.5, y + 0.5, 9, 11));
  };
  switch (image) {
    case 0:  // new
      sheet(3, 2);
      p.setPen(QPen(green, 2));
      p.drawLine(QPointF(8, 5), QPointF(8, 12));
      p.drawLine(QPointF(4.5, 8.5), QPointF(11.5, 8.5));
      break;
    case 1:  // edit
      sheet(2, 2);
      p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(6, 14), QPointF(14, 6));
      break;
    case 2:  // copy
      sheet(1, 1);
      sheet(5, 4);
      break;
    case 5:  // export: a sheet and an arrow out of it
    case 6:  // import: an arrow into a sheet
      sheet(image == 5 ? 1 : 5, 2);
      p.setPen(QPen(image == 5 ? blue : green, 2, Qt::SolidLine, Qt::RoundCap));
      if (image == 5) {
        p.drawLine(QPointF(6, 8.5), QPointF(14.5, 8.5));
        p.drawLine(QPointF(11.5, 5.5), QPointF(14.5, 8.5));
        p.drawLine(QPointF(11.5, 11.5), QPointF(14.5, 8.5));
      } else {
        p.drawLine(QPointF(1.5, 8.5), QPointF(10, 8.5));
        p.drawLine(QPointF(7, 5.5), QPointF(10, 8.5));
        p.drawLine(QPointF(7, 11.5), QPointF(10, 8.5));
      }
      break;
    default:  // delete, delete with references
      if (image == 4) sheet(2, 2);
      p.setPen(QPen(red, 2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(13, 13));
      p.drawLine(QPointF(13, 4), QPointF(4, 13));
      break;
  }
  return QIcon(pixmap);
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

// --- the page --------------------------------------------------------------------------

ListPage::ListPage(Workspace& workspace, Retranslator& texts, const char* objectName,
                   RecordList list, std::vector<TextId> columns, QWidget* parent)
    : QWidget(parent),
      workspace_(workspace),
      texts_(texts),
      list_(list),
      toolBar_(new QToolBar(this)),
      table_(new RecordTable(texts, std::move(columns), this)),
      filter_(new QLineEdit(this)),
      splitter_(new QSplitter(Qt::Vertical, this)) {
  setObjectName(objectName);
  toolBar_->setObjectName(QString(objectName) + "_ToolBar");
  table_->setObjectName(QString(objectName) + "_Liste");
  filter_->setObjectName(QString(objectName) + "_Filter");
  filter_->setClearButtonEnabled(true);
  filter_->setMaximumWidth(240);
  auto* spacer = new QWidget(toolBar_);
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  toolsEnd_ = toolBar_->addWidget(spacer);
  toolBar_->addWidget(filter_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(splitter_, 1);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(table_);
  splitter_->setStretchFactor(0, 1);

  if (list != RecordList::Alarms) {
    auto* panel = new QWidget(this);
    usagePanel_ = panel;
    panel->setObjectName(QString(objectName) + "_VerwendungPanel");
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 2, 0, 0);
    panelLayout->setSpacing(0);
    auto* head = new QHBoxLayout;
    usageCaption_ = new QLabel(panel);
    head->addWidget(usageCaption_, 1);
    if (list != RecordList::Pictures) {
      auto* bar = new QToolBar(panel);
      bar->setIconSize(QSize(16, 16));
      deleteAll_ = bar->addAction(ToolIcon(4), QString(), this, &ListPage::DeleteWithReferences);
      deleteAll_->setObjectName(QString(objectName) + "_MitVerweisenLoeschen");
      head->addWidget(bar);
    }
    panelLayout->addLayout(head);
    usage_ = new QListWidget(panel);
    usage_->setObjectName(QString(objectName) + "_Verwendung");
    panelLayout->addWidget(usage_, 1);
    splitter_->addWidget(panel);
    splitter_->setSizes({400, 120});
    connect(usage_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { UsageChosen(usage_->row(item)); });
  }

  connect(table_, &RecordTable::recordActivated, this, [this] { EditSelected(); });
  connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { CurrentChanged(); });
  connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateToolStates(); });
  connect(filter_, &QLineEdit::textChanged, this, [this](const QString& typed) {
    table_->SetFilterText(typed);
    CurrentChanged();
  });
  texts.Add([this](Translator& tr) {
    filter_->setPlaceholderText(Tr(tr, txt::kFilter));
    if (usageCaption_) usageCaption_->setText(Tr(tr, txt::kVerwendung));
    if (deleteAll_) deleteAll_->setToolTip(Tr(tr, txt::kStepMitVerweisenLoeschen));
  });
  UpdateToolStates();
}

ListPage::~ListPage() = default;

QAction* ListPage::AddTool(const char* name, const TextId& hint, ToolImage image,
                           void (ListPage::*slot)()) {
  auto* action = new QAction(ToolIcon(static_cast<int>(image)), QString(), this);
  action->setObjectName(name);
  InsertTool(action);
  connect(action, &QAction::triggered, this, slot);
  texts_.Add([action, &hint](Translator& tr) { action->setToolTip(Tr(tr, hint)); });
  return action;
}

void ListPage::AddExchangeTools() {
  const QString base = objectName();
  const std::string exportName = (base + "_Export").toStdString(),
                    importName = (base + "_Import").toStdString();
  AddTool(exportName.c_str(), txt::kExHintExport, ToolImage::Export, &ListPage::ExportSelected);
  AddTool(importName.c_str(), txt::kExHintImport, ToolImage::Import, &ListPage::ImportFile);
}

void ListPage::ExportSelected() {
  if (!document_ || !exchange_) return;
  std::vector<t_liste*> records;
  if (list_ == RecordList::Pictures) {
    if (t_liste* focused = ChosenRecord()) records.push_back(focused);
  } else {
    records = table_->SelectedRecords();
  }
  ExchangeActions(this, workspace_, Box(), *exchange_).Export(document_->Project(), list_, records);
}

void ListPage::ImportFile() {
  if (!document_ || !exchange_) return;
  const std::vector<t_liste*> imported =
      ExchangeActions(this, workspace_, Box(), *exchange_).Import(*document_, list_);
  if (!imported.empty()) table_->SelectRecords(imported);
}

bool ListPage::TakesCommandKeys(const QWidget* focus) const {
  return !(usagePanel_ && focus && (focus == usagePanel_ || usagePanel_->isAncestorOf(focus)));
}

void ListPage::InsertTool(QAction* action) {
  toolBar_->insertAction(toolsEnd_, action);
  if (QWidget* button = toolBar_->widgetForAction(action))
    button->setObjectName(action->objectName());
}

void ListPage::AddStandardTools(const TextId& newHint, const TextId& editHint,
                                const TextId& copyHint, const TextId& deleteHint) {
  const QString base = objectName();
  const std::string neu = (base + "_Neu").toStdString(), edit = (base + "_Aendern").toStdString(),
                    copy = (base + "_Kopieren").toStdString(),
                    del = (base + "_Loeschen").toStdString();
  AddTool(neu.c_str(), newHint, ToolImage::New, &ListPage::NewRecord);
  editTool_ = AddTool(edit.c_str(), editHint, ToolImage::Edit, &ListPage::EditSelected);
  copyTool_ = AddTool(copy.c_str(), copyHint, ToolImage::Copy, &ListPage::CopySelected);
  deleteTool_ = AddTool(del.c_str(), deleteHint, ToolImage::Delete, &ListPage::DeleteSelected);
  UpdateToolStates();
}

void ListPage::UpdateToolStates() {
  const bool any = document_ && !table_->SelectedRecords().empty();
  for (QAction* tool : {editTool_, copyTool_, deleteTool_, deleteAll_})
    if (tool) tool->setEnabled(any);
}

void ListPage::SetDocument(Document* document) {
  document_ = document;
  if (!document) Fill(nullptr);
  UpdateToolStates();
}

void ListPage::ReplaceTable(QWidget* widget) {
  splitter_->replaceWidget(0, widget);
  splitter_->setStretchFactor(0, 1);
}

void ListPage::SetDetail(QWidget* widget) {
  splitter_->addWidget(widget);
  splitter_->setStretchFactor(1, 0);
}

Translator& ListPage::translator() {
  return workspace_.translator();
}

std::string ListPage::Text(const TextId& id) {
  return translator().Tr(id);
}

MessageBox& ListPage::Box() {
  if (messages_) return *messages_;
  if (!ownBox_) ownBox_ = new TInfo_MSG(translator(), this);
  return *ownBox_;
}

bool ListPage::Succeeded(const EditResult& result) {
  if (!result) Box().Show(MsgKind::Fehler, ButtonSet::Weiter, Text(result.error));
  return result.done;
}

t_liste* ListPage::ChosenRecord() const {
  const std::vector<t_liste*> selected = table_->SelectedRecords();
  if (selected.empty()) return nullptr;
  t_liste* current = table_->CurrentRecord();
  return std::find(selected.begin(), selected.end(), current) != selected.end() ? current
                                                                                : selected.front();
}

bool ListPage::InList(const t_liste* record) const {
  return document_ && record && IndexOfNode(FirstOf(document_->Project(), list_), record) >= 0;
}

void ListPage::Fill(const t_projekt* project) {
  const bool same = project && project == shown_;
  std::vector<t_liste*> keep;
  int sort = -1;
  if (same) {
    keep = table_->SelectedRecords();
    // The focused row first: it stays focused.
    if (t_liste* current = table_->CurrentRecord()) keep.insert(keep.begin(), current);
    sort = table_->SortColumn();
  } else {
    const QSignalBlocker quiet(filter_);
    filter_->clear();
    table_->SetFilterText(QString());
  }
  table_->Clear();
  shown_ = project;
  if (project) {
    table_->BeginFill();
    FillRows(*project);
    table_->EndFill();
  }
  if (sort >= 0) table_->SortByColumn(sort);
  if (!keep.empty()) table_->SelectRecords(keep);
  CurrentChanged();
  UpdateToolStates();
}

void ListPage::CurrentChanged() {
  RefreshUsage();
}

void ListPage::ReferencesChanged() {
  if (!usage_) return;
  if (isVisible())
    RefreshUsage();
  else
    usageStale_ = true;
}

void ListPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (usageStale_) RefreshUsage();
}

void ListPage::RefreshUsage() {
  if (!usage_) return;
  usageStale_ = false;
  references_.clear();
  usage_->clear();
  t_liste* record = table_->CurrentRecord();
  if (!InList(record)) return;
  references_ = FindReferences(document_->Project(), list_, *record);
  for (const Reference& r : references_) usage_->addItem(Q(ReferenceText(r, translator())));
  if (references_.empty()) {
    auto* none = new QListWidgetItem(Tr(translator(), txt::kNichtVerwendet), usage_);
    none->setFlags(Qt::NoItemFlags);
  }
}

void ListPage::UsageChosen(int row) {
  if (!document_ || row < 0 || row >= static_cast<int>(references_.size())) return;
  const Reference& r = references_[static_cast<std::size_t>(row)];
  // The rows follow every change; still, only what is in the project now
  // is shown.
  if (IndexOfNode(document_->Project().pictures.get(), r.picture) < 0) return;
  if (r.object && !PlaceOf(*r.picture, *r.object).top) return;
  emit openReference(r.picture, r.object);
}

std::string ListPage::UsageAppendix(const std::vector<t_liste*>& records) {
  constexpr std::size_t kRecords = 6;
  constexpr std::size_t kLinesEach = 4;
  std::string text;
  const std::size_t shown = std::min(kRecords, records.size());
  for (std::size_t i = 0; i < shown; ++i) {
    const std::vector<Reference> refs = FindReferences(document_->Project(), list_, *records[i]);
    if (refs.empty()) continue;
    text +=
        "\r\r" + Quoted(records[i]->name) + ":\r" + ReferenceLines(refs, translator(), kLinesEach);
  }
  if (shown < records.size()) text += "\r\r" + MoreLine(records.size() - shown, translator());
  return text;
}

// --- copy and delete, as every list does them -----------------------------------

void ListPage::CopySelected() {
  if (!document_) return;
  const std::vector<t_liste*> records = table_->SelectedRecords();
  if (records.empty()) return;
  const CopyOutcome outcome = CopyRecords(*document_, list_, records);
  if (!Succeeded(outcome.result)) return;
  if (!outcome.copies.empty()) table_->SelectRecords(outcome.copies);
  if (outcome.rangeError) Box().Show(MsgKind::Warnung, ButtonSet::Weiter, Text(txt::kRangeError));
}

std::string ListPage::DeleteQuestion(const std::vector<t_liste*>& records) {
  switch (list_) {
    case RecordList::Variables:
      return Text(txt::kFrageVariablenLoeschen);
    case RecordList::Alarms:
      return Text(txt::kFrageAlarmeLoeschen);
    case RecordList::TextLists:
      return Text(txt::kFrageTextlistenLoeschen);
    case RecordList::Pictures:
      break;
  }
  // Keys of the pictures that stay and call a picture that goes lose their
  // function: the question says which.
  std::vector<Reference> calls;
  for (const t_liste* record : records)
    for (Reference& r : FindReferences(document_->Project(), list_, *record))
      if (std::find(records.begin(), records.end(), r.picture) == records.end())
        calls.push_back(std::move(r));
  std::string question = Text(txt::kFrageBilderLoeschen);
  if (!calls.empty()) question += "\r\r" + ReferenceLines(calls, translator());
  return question;
}

void ListPage::DeleteSelected() {
  if (!document_) return;
  const std::vector<t_liste*> records = table_->SelectedRecords();
  if (records.empty()) return;
  if (Box().Show(MsgKind::Abfrage, ButtonSet::JaNein, DeleteQuestion(records)) != kAnswerJa) return;
  const DeleteOutcome outcome = DeleteRecords(*document_, list_, records, UsedRecords::Keep);
  if (!Succeeded(outcome.result) || outcome.kept.empty()) return;
  if (list_ == RecordList::TextLists) {
    // Each list that stays says at once in which picture it is used.
    for (const t_liste* kept : outcome.kept) {
      const std::vector<Reference> refs = FindReferences(document_->Project(), list_, *kept);
      const std::string picture = refs.empty() ? std::string() : refs.front().picture->name;
      Box().Show(MsgKind::Information, ButtonSet::Weiter,
                 Text(txt::kDieTexliste) + " " + Quoted(kept->name) + " " +
                     Text(txt::kKannNichtGeloeschtWerden) + " " + Quoted(picture) + " " +
                     Text(txt::kVerwendetWird));
    }
  }
  const TextId& first =
      list_ == RecordList::TextLists ? txt::kTexlistenKonnten : txt::kVariablenKonnten;
  Box().Show(MsgKind::Information, ButtonSet::Weiter,
             Text(first) + "\r" + Text(txt::kNichtGeloeschtInBildern) + "\r" + Text(txt::kWerden) +
                 UsageAppendix(outcome.kept));
}

void ListPage::DeleteWithReferences() {
  if (!document_ || (list_ != RecordList::Variables && list_ != RecordList::TextLists)) return;
  const std::vector<t_liste*> records = table_->SelectedRecords();
  if (records.empty()) return;
  const TextId& word = list_ == RecordList::Variables ? txt::kDlgVariable : txt::kTypTextliste;
  std::string question;
  for (const t_liste* record : records)
    question += (question.empty() ? "" : ", ") + Quoted(record->name);
  question = Text(word) + " " + question + " " + Text(txt::kMitAllenVerweisenLoeschen) +
             UsageAppendix(records);
  if (Box().Show(MsgKind::Abfrage, ButtonSet::JaNein, question) != kAnswerJa) return;
  Succeeded(DeleteRecords(*document_, list_, records, UsedRecords::DeleteWithReferences).result);
}

// Runs an edit made in a dialog: a new record is appended, an edited copy
// replaces its record unless it writes the same; either is then selected.
void ListPage::Store(t_liste* record, ListPtr edited, const TextId& newName,
                     const TextId& editName) {
  if (!edited || !document_) return;
  t_liste* raw = edited.get();
  EditResult result;
  if (!record) {
    result = AppendRecord(*document_, list_, std::move(edited), newName);
  } else {
    if (!InList(record)) return;
    const t_steuerung* coupling = document_->Project().coupling.get();
    if (RecordLines(*record, coupling) == RecordLines(*edited, coupling)) return;
    result = ReplaceRecord(*document_, list_, *record, std::move(edited), editName);
  }
  if (Succeeded(result)) table_->SelectRecords({raw});
}

// --- alarms ------------------------------------------------------------------

AlarmPage::AlarmPage(Workspace& workspace, Retranslator& texts, QWidget* parent)
    : ListPage(
          workspace, texts, "TabAlarme", RecordList::Alarms,
          {txt::kColNummer, txt::kColText, txt::kColDyn, txt::kColBrk, txt::kColEin, txt::kColAus},
          parent),
      fonts_(workspace.install()),
      preview_(new AlarmPreview(fonts_, this)) {
  table_->setColumnWidth(0, 70);
  table_->setColumnWidth(1, 300);
  // The flags' columns as wide as their headings, in either language: all
  // six columns fit the page of a window of 1024 pixels.
  for (int column = 2; column < 6; ++column)
    table_->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  table_->SetColumnHints({txt::kHintAlarmNummer, txt::kHintAlarmText, txt::kHintAlarmDynamisch,
                          txt::kHintAlarmUnterbrechend, txt::kHintAlarmKommen,
                          txt::kHintAlarmGehen});
  table_->SetFilterColumns({0, 1});  // number and text, not the flags
  AddStandardTools(txt::kStepAlarmNeu, txt::kStepAlarmAendern, txt::kStepAlarmeKopieren,
                   txt::kStepAlarmeLoeschen);
  AddExchangeTools();
  auto* box = new QGroupBox(this);
  box->setObjectName("AlarmVorschauBox");
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(preview_);
  SetDetail(box);
  texts.Add([box](Translator& tr) { box->setTitle(Tr(tr, txt::kAlarmVorschau)); });
}

AlarmPage::~AlarmPage() = default;

void AlarmPage::FillRows(const t_projekt& project) {
  Translator& tr = translator();
  const std::string yes = tr.Tr(txt::kButtonJa);
  const std::string no = tr.Tr(txt::kButtonNein);
  ForEach<t_alarme>(project.alarms, [&](t_alarme& a) {
    auto flag = [&](std::uint8_t bit) { return RecordCell::Text(a.flags & bit ? yes : no); };
    table_->AddRow(&a, {RecordCell::Number(a.number), RecordCell::Text(a.name),
                        flag(t_alarme::kDynamic), flag(t_alarme::kInterrupting),
                        flag(t_alarme::kHistoryComes), flag(t_alarme::kHistoryGoes)});
  });
}

void AlarmPage::CurrentChanged() {
  const t_liste* record = table_->CurrentRecord();
  if (!InList(record)) {
    preview_->ShowNothing();
    return;
  }
  const auto& alarm = static_cast<const t_alarme&>(*record);
  const t_projekt& project = document_->Project();
  preview_->ShowAlarm(alarm.name, alarm.font, project.terminal ? project.terminal->width : 0);
}

void AlarmPage::NewRecord() {
  if (!document_) return;
  const t_projekt& project = document_->Project();
  auto fresh = t_alarme::NewInEditor(project.alarms.get());
  Store(nullptr, EditAlarm(this, workspace_, fonts_, project, *fresh, true, &Box()),
        txt::kStepAlarmNeu, txt::kStepAlarmAendern);
}

void AlarmPage::EditSelected() {
  t_liste* record = ChosenRecord();
  if (!InList(record)) return;
  Store(record,
        EditAlarm(this, workspace_, fonts_, document_->Project(),
                  static_cast<const t_alarme&>(*record), false, &Box()),
        txt::kStepAlarmNeu, txt::kStepAlarmAendern);
}

// --- variables ---------------------------------------------------------------

VariablePage::VariablePage(Workspace& workspace, Retranslator& texts, QWidget* parent)
    : ListPage(workspace, texts, "TabVariablen", RecordList::Variables,
               {txt::kColName, txt::kColIndex, txt::kColAdresse, txt::kColLaenge, txt::kColTyp},
               parent) {
  table_->setColumnWidth(0, 260);
  table_->SetRenamable(true);
  table_->SetFilterColumns({0, 1, 2});  // name, number and address
  AddStandardTools(txt::kStepVariableNeu, txt::kStepVariableAendern, txt::kStepVariablenKopieren,
                   txt::kStepVariablenLoeschen);
  AddExchangeTools();
  connect(table_, &RecordTable::recordRenamed, this, [this](t_liste* record, const QString& name) {
    if (InList(record)) Succeeded(RenameRecord(*document_, list_, *record, S(name)));
  });
}

void VariablePage::FillRows(const t_projekt& project) {
  Translator& tr = translator();
  const t_steuerung* coupling = project.coupling.get();
  const bool siemens = coupling && coupling->addressFormat == 1;
  // The few type names are looked up once per fill, not once per row.
  std::array<std::string, kVarTypeCount> typeNames;
  for (int t = 0; t < kVarTypeCount; ++t)
    typeNames[static_cast<std::size_t>(t)] =
        tr.Tr(siemens ? txt::kVarTypeNamesSiemens[t] : txt::kVarTypeNamesIntel[t]);
  ForEach<t_variable>(project.variables, [&](t_variable& v) {
    // A type outside the table (a damaged file) shows its number.
    const std::string type =
        v.type < kVarTypeCount ? typeNames[v.type] : "? " + std::to_string(v.type);
    table_->AddRow(&v, {RecordCell::Text(v.name), RecordCell::Number(v.number),
                        RecordCell::Number(Q(VariableAddressText(v.address, coupling)), v.address),
                        RecordCell::Number(v.length), RecordCell::Text(type)});
  });
}

void VariablePage::NewRecord() {
  if (!document_) return;
  const t_projekt& project = document_->Project();
  auto fresh = t_variable::NewInEditor(project.variables.get());
  Store(nullptr, EditVariable(this, translator(), *fresh, project.coupling.get(), &Box()),
        txt::kStepVariableNeu, txt::kStepVariableAendern);
}

void VariablePage::EditSelected() {
  t_liste* record = ChosenRecord();
  if (!InList(record)) return;
  Store(record,
        EditVariable(this, translator(), static_cast<const t_variable&>(*record),
                     document_->Project().coupling.get(), &Box()),
        txt::kStepVariableNeu, txt::kStepVariableAendern);
}

// --- text lists --------------------------------------------------------------

TextListPage::TextListPage(Workspace& workspace, Retranslator& texts, QWidget* parent)
    : ListPage(workspace, texts, "TabTexte", RecordList::TextLists,
               {txt::kColIndex, txt::kColText, txt::kColArt}, parent) {
  table_->setColumnWidth(1, 320);
  table_->SetFilterColumns({0, 1});  // number and name
  AddStandardTools(txt::kStepTextlisteNeu, txt::kStepTextlisteAendern, txt::kStepTextlistenKopieren,
                   txt::kStepTextlistenLoeschen);
  AddExchangeTools();
}

void TextListPage::FillRows(const t_projekt& project) {
  Translator& tr = translator();
  const QString wert = Tr(tr, txt::kArtWert);
  const QString bit = Tr(tr, txt::kArtBit);
  ForEach<t_textliste>(project.textLists, [&](t_textliste& l) {
    // Bit lists sort before value lists.
    table_->AddRow(&l, {RecordCell::Number(l.number), RecordCell::Text(l.name),
                        RecordCell::Number(l.valueList ? wert : bit, l.valueList ? 1 : 0)});
  });
}

void TextListPage::NewRecord() {
  if (!document_) return;
  auto fresh = NewTextList(document_->Project().textLists.get());
  Store(nullptr, EditTextList(this, translator(), *fresh, &Box()), txt::kStepTextlisteNeu,
        txt::kStepTextlisteAendern);
}

void TextListPage::EditSelected() {
  t_liste* record = ChosenRecord();
  if (!InList(record)) return;
  Store(record, EditTextList(this, translator(), static_cast<const t_textliste&>(*record), &Box()),
        txt::kStepTextlisteNeu, txt::kStepTextlisteAendern);
}

}  // namespace tavo
