#pragma once
// The exchange operations of the list pages: export of the selected alarms,
// variables or text lists (or of the focused picture) to a text file, and
// import of such a file, with the file dialogs, the questions and the
// messages the user sees. The files themselves are exchange/'s; every
// import is one step of the document (document/exchangeimport.h).

#include <QSize>
#include <QString>
#include <functional>
#include <vector>

#include "document/change.h"
#include "editor/mainwindow_hooks.h"
#include "shell/messagebox.h"

class QWidget;

namespace tavo {

class Document;
class MessageBox;
class Workspace;
class t_liste;
class t_projekt;

// The window's file dialogs and the sheet's size (to centre imported
// pictures), as the pages get them.
struct ExchangeDialogs {
  std::function<QString(QWidget* parent, const FileDialogRequest&)> openFile;
  std::function<QString(QWidget* parent, const FileDialogRequest&)> saveFile;
  std::function<QSize()> sheetSize;
};

class ExchangeActions {
 public:
  ExchangeActions(QWidget* parent, Workspace& workspace, MessageBox& box,
                  const ExchangeDialogs& dialogs)
      : parent_(parent), workspace_(workspace), box_(box), dialogs_(dialogs) {}

  // Alarms, variables and text lists: the records in the order given (the
  // view's); pictures: the first record, the focused picture. Nothing
  // happens without records.
  void Export(const t_projekt& project, RecordList list, const std::vector<t_liste*>& records);
  // The records the import added or overwrote (the pictures it added), for
  // the page to select; empty when nothing was imported.
  std::vector<t_liste*> Import(Document& document, RecordList list);

 private:
  std::string Text(const TextId& id);
  FileDialogRequest Request(RecordList list, bool save);
  bool ConfirmOverwrite(const QString& file);
  void Report(MsgKind kind, const std::string& text);

  QWidget* parent_;
  Workspace& workspace_;
  MessageBox& box_;
  const ExchangeDialogs& dialogs_;
};

}  // namespace tavo
