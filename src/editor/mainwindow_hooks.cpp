#include "editor/mainwindow_hooks.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStringList>
#include <QUrl>

#include "editor/dialogs/couplingdialog.h"
#include "editor/dialogs/infomsg.h"
#include "editor/dialogs/objects/objectdialogs.h"
#include "editor/dialogs/optionsdialog.h"
#include "editor/dialogs/terminaldialog.h"
#include "editor/download/downloadcommand.h"
#include "editor/import/dosimportcommand.h"
#include "editor/print/printprojectform.h"
#include "editor/sheet/picturepage.h"
#include "editor/simulator/simulatecommand.h"
#include "editor/uitext.h"

namespace tavo {

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
  hooks.messageBox = [](QWidget* parent, Translator& translator) -> std::unique_ptr<MessageBox> {
    return std::make_unique<TInfo_MSG>(translator, parent);
  };
  // The page keeps a view of its own: thumbnails drawn with the window's
  // view never disturb the zoom and offsets of the open picture.
  hooks.pictureEditor = [](QWidget* parent, Workspace& workspace, tview&) {
    auto* page = new PicturePage(workspace, parent);
    InstallObjectDialogs(*page);
    return MakePageLink(page);
  };
  hooks.programOptions = &RunProgramOptions;
  hooks.chooseTerminal = &ChooseTerminal;
  hooks.chooseCoupling = [](QWidget* parent, Workspace& workspace, const t_projekt& project) {
    return ChooseCoupling(parent, workspace, project);
  };
  hooks.download = [](QWidget* parent, Workspace& workspace, t_projekt& project,
                      MessageBox& messages) {
    RunDownloadCommand(parent, workspace, project, messages);
  };
  hooks.simulate = [](QWidget* parent, Workspace& workspace, t_projekt& project,
                      MessageBox& messages) {
    RunSimulateCommand(parent, workspace, project, messages);
  };
  hooks.dosImport = [](QWidget* parent, Workspace& workspace, MessageBox& messages,
                       std::function<bool()> closeProject) {
    DosImportHooks importHooks;
    importHooks.closeOpenProject = std::move(closeProject);
    return RunDosImportCommand(parent, workspace, messages, importHooks);
  };
  hooks.print = [](QWidget* parent, Workspace& workspace, t_projekt& project, QPrinter& printer) {
    RunPrintCommand(parent, workspace, project, printer);
  };
  hooks.printerSetup = [](QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
  };
  hooks.showDocument = [](const QString& file) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file));
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
