#include "editor/mainwindow_hooks.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStringList>

#include "editor/qtmessagebox.h"

namespace tavo {

QString QtFileFilter(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  return filters.join(";;");
}

namespace {

QString RunFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
  QFileDialog dialog(parent, request.title, request.folder, QtFileFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.proposedName.isEmpty()) dialog.selectFile(request.proposedName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

EditorHooks DefaultEditorHooks() {
  EditorHooks hooks;
  // WIRING: the message box window TInfo_MSG replaces the plain box here:
  //   return std::make_unique<TInfo_MSG>(translator, parent);
  hooks.messageBox = [](QWidget* parent, Translator& translator) -> std::unique_ptr<MessageBox> {
    return std::make_unique<QtMessageBox>(translator, parent);
  };
  // WIRING: the picture editor page replaces the placeholder (the window
  // falls back to it while this entry is empty):
  //   hooks.pictureEditor = [](QWidget* parent, Workspace& ws, tview& view,
  //                            std::function<void()> modified) {
  //     return MakePageLink(new PicturePage(ws, view, parent), std::move(modified));
  //   };
  // WIRING, one line each once the pieces exist:
  //   hooks.programOptions = &RunProgramOptions;
  //   hooks.chooseTerminal = &ChooseTerminal;
  //   hooks.chooseCoupling = &ChooseCoupling;
  //   hooks.download = &RunDownloadCommand;
  //   hooks.dosImport = &RunDosImportCommand;
  //   hooks.print = ...;  (the printout preview TPrintProjectForm, not built yet)
  hooks.printerSetup = [](QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
  };
  hooks.openFile = [](QWidget* parent, const FileDialogRequest& request) {
    return RunFileDialog(parent, request, false);
  };
  hooks.saveFile = [](QWidget* parent, const FileDialogRequest& request) {
    return RunFileDialog(parent, request, true);
  };
  return hooks;
}

}  // namespace tavo
