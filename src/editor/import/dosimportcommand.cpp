#include "editor/import/dosimportcommand.h"

#include <QFile>
#include <QFileDialog>
#include <QStringList>
#include <filesystem>

#include "app/workspace.h"
#include "editor/import/tfortschritt1.h"
#include "editor/uitext.h"
#include "legacy/dosimport.h"
#include "shell/codepage.h"
#include "shell/messagebox.h"
#include "shell/settings.h"
#include "shell/textvalues.h"

namespace tavo {

namespace {

QString AskForFile(QWidget* parent, const QString& title, const QString& folder,
                   const QString& filter) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix("PRJ");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace

std::unique_ptr<t_projekt> RunDosImportCommand(QWidget* parent, Workspace& workspace,
                                               MessageBox& messages, const DosImportHooks& hooks) {
  Translator& tr = workspace.translator();
  // A stored folder that no longer exists falls back to "Projects\demos\".
  const std::string& folder =
      UseFolderSetting(workspace.settings(), FolderKey::Import, workspace.install());
  const QString title = Q(tr.Tr(txt::kImportDialogTitel));
  const QString filter = QtFileFilter(Q(tr.Tr(txt::kImportFilter)));
  const QString initial = QString::fromStdString(folder);
  const QString chosen = hooks.chooseFile ? hooks.chooseFile(title, initial, filter)
                                          : AskForFile(parent, title, initial, filter);
  if (chosen.isEmpty()) return nullptr;

  // Created before the open project is closed, shown once reading begins.
  TFortschritt1 window(tr, parent);
  if (hooks.closeOpenProject && !hooks.closeOpenProject()) return nullptr;

  const std::filesystem::path file(QFile::encodeName(chosen).toStdString());
  workspace.settings().Folder(FolderKey::Import) = FolderText(file.parent_path());

  DosImportContext context;
  context.catalog = &workspace.catalog();
  context.messages = &messages;
  context.translator = &tr;
  context.overall = &window.Projekt();
  context.part = &window.Teil();
  DosImportResult result = ImportDosProject(file.string(), context);
  if (result.project) {
    window.hide();
    messages.Show(MsgKind::Information, ButtonSet::Weiter, ImportSummary(tr, result));
  }
  return std::move(result.project);
}

// What was imported, in the counts the command line prints, and what went
// wrong on the way.
std::string ImportSummary(Translator& translator, const DosImportResult& result) {
  std::string text = WithValues(translator.Tr(txt::kImportZusammenfassung),
                                {std::to_string(result.alarms), std::to_string(result.variables),
                                 std::to_string(result.textLists), std::to_string(result.pictures),
                                 std::to_string(result.objects)});
  if (result.damagedPictures > 0)
    text += "\n" + WithValues(translator.Tr(txt::kImportBeschaedigt),
                              {std::to_string(result.damagedPictures)});
  if (result.messages > 0)
    text +=
        "\n" + WithValues(translator.Tr(txt::kImportMeldungen), {std::to_string(result.messages)});
  return text;
}

}  // namespace tavo
