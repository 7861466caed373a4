#pragma once
// The main window's command "Import DOS-Projekte" (ToolButton36): asks for
// a DOS-generation project file, imports it with the progress window
// TFortschritt1 and hands the new project over.
//
// Contract with the main window (ToolButton36Click):
//   1. It calls RunDosImportCommand with hooks.closeOpenProject set to its
//      close command. The hook runs only after the user has chosen a file
//      (cancelling the dialog changes nothing): it asks "Projekt noch nicht
//      gesichert, nun sichern ?" for a modified project, saves on "Ja",
//      releases the project and clears the project views.
//   2. A non-null result is the new open project (not modified, no path);
//      the command has said what it imported (ImportSummary).
//      The main window then opens its first picture in the picture editor,
//      repaints the sheet, rebuilds the project tree, refills the project
//      information, alarm, variable, text list and picture views and
//      switches to the project views. A null result (cancelled, or the file
//      could not be imported; the reason was shown) leaves no project open
//      when the hook has run.
//   3. The chosen file's folder is stored in the "Import" folder setting of
//      the workspace; the main window writes the settings at exit as usual.

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "project/projekt.h"

class QWidget;

namespace tavo {

class MessageBox;
class Translator;
class Workspace;
struct DosImportResult;

struct DosImportHooks {
  // Closes the open project (see above); null: there is nothing to close.
  // False: the project stays open (the user's save failed or was
  // cancelled) and the import is abandoned.
  std::function<bool()> closeOpenProject;
  // Replaces the file dialog (tests): title, initial folder and Qt filter in,
  // the chosen file out (empty: cancelled). Null: the standard open dialog.
  std::function<QString(const QString& title, const QString& folder, const QString& filter)>
      chooseFile;
};

std::unique_ptr<t_projekt> RunDosImportCommand(QWidget* parent, Workspace& workspace,
                                               MessageBox& messages,
                                               const DosImportHooks& hooks = {});

// "Import abgeschlossen: 3 Alarme, ...", with the damaged pictures and the
// number of messages when there were any.
std::string ImportSummary(Translator& translator, const DosImportResult& result);

}  // namespace tavo
