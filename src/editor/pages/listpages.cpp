#include "editor/pages/listpages.h"

#include <QVBoxLayout>

#include "project/projekt.h"

namespace tavo {

ListPage::ListPage(Retranslator& texts, const char* objectName, std::vector<TextId> columns,
                   QWidget* parent)
    : QWidget(parent),
      texts_(texts),
      toolBar_(new QToolBar(this)),
      table_(new RecordTable(texts, std::move(columns), this)) {
  setObjectName(objectName);
  toolBar_->setObjectName(QString(objectName) + "_ToolBar");
  table_->setObjectName(QString(objectName) + "_Liste");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(toolBar_);
  layout->addWidget(table_);
  connect(table_, &RecordTable::recordActivated, this, [this] { EditSelected(); });
}

// --- alarms ------------------------------------------------------------------

AlarmPage::AlarmPage(Retranslator& texts, QWidget* parent)
    : ListPage(
          texts, "TabAlarme",
          {txt::kColNummer, txt::kColText, txt::kColDyn, txt::kColBrk, txt::kColEin, txt::kColAus},
          parent) {
  table_->setColumnWidth(0, 70);
  table_->setColumnWidth(1, 420);
}

void AlarmPage::Fill(const t_projekt* project) {
  table_->Clear();
  if (!project) return;
  Translator& tr = texts_.translator();
  const std::string yes = tr.Tr(txt::kButtonJa);
  const std::string no = tr.Tr(txt::kButtonNein);
  ForEach<t_alarme>(project->alarms, [&](t_alarme& a) {
    auto flag = [&](std::uint8_t bit) { return RecordCell::Text(a.flags & bit ? yes : no); };
    table_->AddRow(&a, {RecordCell::Number(a.number), RecordCell::Text(a.name),
                        flag(t_alarme::kDynamic), flag(t_alarme::kInterrupting),
                        flag(t_alarme::kHistoryComes), flag(t_alarme::kHistoryGoes)});
  });
}

// --- variables ---------------------------------------------------------------

std::string VariableAddressText(std::int32_t address, const t_steuerung* coupling) {
  if (coupling && coupling->addressFormat == 1)
    return "DB" + std::to_string((address >> 8) & 0xFF) + " DW" + std::to_string(address & 0xFF);
  return std::to_string(address);
}

VariablePage::VariablePage(Retranslator& texts, QWidget* parent)
    : ListPage(texts, "TabVariablen",
               {txt::kColName, txt::kColIndex, txt::kColAdresse, txt::kColLaenge, txt::kColTyp},
               parent) {
  table_->setColumnWidth(0, 260);
}

void VariablePage::Fill(const t_projekt* project) {
  table_->Clear();
  if (!project) return;
  Translator& tr = texts_.translator();
  const t_steuerung* coupling = project->coupling.get();
  const bool siemens = coupling && coupling->addressFormat == 1;
  ForEach<t_variable>(project->variables, [&](t_variable& v) {
    // A type outside the table (a damaged file) shows its number.
    const std::string type =
        v.type < kVarTypeCount
            ? tr.Tr(siemens ? txt::kVarTypeNamesSiemens[v.type] : txt::kVarTypeNamesIntel[v.type])
            : "? " + std::to_string(v.type);
    table_->AddRow(&v, {RecordCell::Text(v.name), RecordCell::Number(v.number),
                        RecordCell::Number(Q(VariableAddressText(v.address, coupling)), v.address),
                        RecordCell::Number(v.length), RecordCell::Text(type)});
  });
}

// --- text lists --------------------------------------------------------------

TextListPage::TextListPage(Retranslator& texts, QWidget* parent)
    : ListPage(texts, "TabTexte", {txt::kColIndex, txt::kColText, txt::kColArt}, parent) {
  table_->setColumnWidth(1, 320);
}

void TextListPage::Fill(const t_projekt* project) {
  table_->Clear();
  if (!project) return;
  Translator& tr = texts_.translator();
  const QString wert = Tr(tr, txt::kArtWert);
  const QString bit = Tr(tr, txt::kArtBit);
  ForEach<t_textliste>(project->textLists, [&](t_textliste& l) {
    // Bit lists sort before value lists.
    table_->AddRow(&l, {RecordCell::Number(l.number), RecordCell::Text(l.name),
                        RecordCell::Number(l.valueList ? wert : bit, l.valueList ? 1 : 0)});
  });
}

}  // namespace tavo
