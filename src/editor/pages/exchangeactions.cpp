#include "editor/pages/exchangeactions.h"

#include <filesystem>

#include "app/workspace.h"
#include "document/exchangeimport.h"
#include "document/listoperations.h"
#include "editor/uitext.h"
#include "exchange/symbols.h"
#include "shell/messagebox.h"
#include "shell/settings.h"

namespace tavo {

namespace fs = std::filesystem;

namespace {

struct ListTexts {
  FolderKey folder;
  TextId exportTitle, importTitle, exported, step;
  const char* exportSuffix;
  const char* importSuffix;
};

ListTexts TextsOf(RecordList list) {
  switch (list) {
    case RecordList::Alarms:
      return {FolderKey::Alarme,
              txt::kExAlarmExport,
              txt::kExAlarmImport,
              txt::kExAlarmeExportiert,
              txt::kExStepAlarme,
              "txt",
              "TXT"};
    case RecordList::Variables:
      return {FolderKey::Variablen,
              txt::kExVariablenExport,
              txt::kExVariablenImport,
              txt::kExVariablenExportiert,
              txt::kExStepVariablen,
              "txt",
              "txt"};
    case RecordList::TextLists:
      return {FolderKey::Texte,
              txt::kExTextlistenExport,
              txt::kExTextlistenImport,
              txt::kExTextlistenExportiert,
              txt::kExStepTextlisten,
              "TXT",
              "TXT"};
    case RecordList::Pictures:
      break;
  }
  return {FolderKey::Bilder,
          txt::kExBildExport,
          txt::kExBildImport,
          txt::kExBildExportiert,
          txt::kExStepBild,
          "TXT",
          "TXT"};
}

template <class T>
std::vector<const T*> As(const std::vector<t_liste*>& records) {
  std::vector<const T*> typed;
  for (const t_liste* r : records) typed.push_back(static_cast<const T*>(r));
  return typed;
}

std::vector<std::string> Lines(const std::function<void(const LineSink&)>& write) {
  std::vector<std::string> lines;
  write([&](const std::string& line) { lines.push_back(line); });
  return lines;
}

}  // namespace

std::string ExchangeActions::Text(const TextId& id) {
  return workspace_.translator().Tr(id);
}

void ExchangeActions::Report(MsgKind kind, const std::string& text) {
  if (!text.empty()) box_.Show(kind, ButtonSet::Weiter, text);
}

FileDialogRequest ExchangeActions::Request(RecordList list, bool save) {
  const ListTexts texts = TextsOf(list);
  FileDialogRequest request;
  request.title = Q(Text(save ? texts.exportTitle : texts.importTitle));
  request.filter = Q(Text(txt::kExFilterText));
  request.defaultSuffix = save ? texts.exportSuffix : texts.importSuffix;
  request.folder = QString::fromStdString(
      UseFolderSetting(workspace_.settings(), texts.folder, workspace_.install()));
  return request;
}

bool ExchangeActions::ConfirmOverwrite(const QString& file) {
  std::error_code error;
  if (!fs::exists(fs::path(file.toStdString()), error)) return true;
  return box_.Show(MsgKind::Abfrage, ButtonSet::JaNein,
                   Text(txt::kExFileVorhanden) + "\r" + Text(txt::kExUeberschreiben)) == kAnswerJa;
}

void ExchangeActions::Export(const t_projekt& project, RecordList list,
                             const std::vector<t_liste*>& records) {
  if (records.empty() || !dialogs_.saveFile) return;
  FileDialogRequest request = Request(list, true);
  const std::string head = project.head ? project.head->name : std::string();
  switch (list) {
    case RecordList::Alarms:
      request.proposedName = Q(head + Text(txt::kExNameAlarme));
      break;
    case RecordList::Variables:
      request.proposedName = Q(head + " " + Text(txt::kExNameVariablen));
      break;
    case RecordList::TextLists:
      request.proposedName = Q(head + Text(txt::kExNameTextlisten));
      break;
    case RecordList::Pictures:
      request.proposedName = Q(head + " - " + records.front()->name);
      break;
  }
  const QString file = dialogs_.saveFile(parent_, request);
  if (file.isEmpty()) return;
  const fs::path path(file.toStdString());
  workspace_.settings().Folder(TextsOf(list).folder) = FolderText(path.parent_path());
  if (!ConfirmOverwrite(file)) return;

  std::vector<std::string> lines;
  switch (list) {
    case RecordList::Alarms:
      lines = Lines([&](const LineSink& s) { WriteAlarmFile(As<t_alarme>(records), s); });
      break;
    case RecordList::Variables:
      lines = Lines([&](const LineSink& s) {
        WriteVariableFile(As<t_variable>(records), project.coupling.get(), s);
      });
      break;
    case RecordList::TextLists:
      lines = Lines([&](const LineSink& s) { WriteTextListFile(As<t_textliste>(records), s); });
      break;
    case RecordList::Pictures:
      lines = Lines([&](const LineSink& s) {
        WritePictureExchange(project, static_cast<const t_bild&>(*records.front()), s);
      });
      break;
  }
  if (!WriteExchangeFile(path, lines)) {
    Report(MsgKind::Fehler, Text(txt::kFehlerBeiDateizugriff));
    return;
  }
  Report(MsgKind::Information, Text(TextsOf(list).exported));
}

std::vector<t_liste*> ExchangeActions::Import(Document& document, RecordList list) {
  std::vector<t_liste*> imported;
  if (!dialogs_.openFile) return imported;
  const QString file = dialogs_.openFile(parent_, Request(list, false));
  if (file.isEmpty()) return imported;
  const fs::path path(file.toStdString());
  workspace_.settings().Folder(TextsOf(list).folder) = FolderText(path.parent_path());
  std::string bytes;
  if (!ReadExchangeFile(path, bytes)) {
    Report(MsgKind::Fehler, Text(txt::kExNichtLesbar));
    return imported;
  }
  Translator& translator = workspace_.translator();
  const t_projekt& project = document.Project();

  if (list == RecordList::Pictures) {
    ExchangeContent content = ReadPictureExchange(bytes, workspace_.objects());
    std::vector<ExchangeMessage> messages = content.messages;
    if (!content.readable) {
      messages.push_back({0, txt::kExNichtsImportiert, {}});
      Report(MsgKind::Fehler, ExchangeMessageLines(messages, translator));
      return imported;
    }
    const QSize sheet = dialogs_.sheetSize ? dialogs_.sheetSize() : QSize();
    MergePlan plan = PlanMerge(project, std::move(content), sheet.width(), sheet.height());
    for (const auto& p : plan.pictures) imported.push_back(p.get());
    // One line per picture that lost key functions, naming the keys.
    std::string keys;
    const std::string* lastPicture = nullptr;
    for (const ClearedKey& k : plan.clearedKeys) {
      if (!lastPicture || *lastPicture != k.picture)
        keys += (keys.empty() ? "" : "\r") + FillIn(Text(txt::kExTasteGeloescht), k.picture);
      lastPicture = &k.picture;
      keys += " " + KeyName(k.key);
    }
    const EditResult result = ApplyPictureImport(document, plan);
    if (!result) {
      Report(MsgKind::Fehler, Text(result.error));
      return {};
    }
    std::string text = ExchangeMessageLines(messages, translator);
    if (!keys.empty()) text += (text.empty() ? "" : "\r") + keys;
    Report(MsgKind::Warnung, text);
    return imported;
  }

  RecordImportPlan plan;
  switch (list) {
    case RecordList::Alarms:
      plan = PlanAlarmImport(project, bytes, box_, translator);
      break;
    case RecordList::Variables:
      plan = PlanVariableImport(project, bytes, box_, translator);
      break;
    default:
      plan = PlanTextListImport(project, bytes);
      break;
  }
  if (plan.status == ImportStatus::NoHeader)
    plan.messages.push_back({0, txt::kExKeineKopfzeile, {}});
  for (auto& [old, copy] : plan.replaced) imported.push_back(copy.get());
  for (const ListPtr& record : plan.added) imported.push_back(record.get());
  const EditResult result = ApplyRecordImport(document, list, plan, TextsOf(list).step);
  if (!result) {
    Report(MsgKind::Fehler, Text(result.error));
    return {};
  }
  const bool refused =
      plan.status == ImportStatus::NoHeader || plan.status == ImportStatus::OtherKind;
  Report(refused ? MsgKind::Fehler : MsgKind::Warnung,
         ExchangeMessageLines(plan.messages, translator));
  return imported;
}

}  // namespace tavo
