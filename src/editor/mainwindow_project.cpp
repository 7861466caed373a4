// The window's project commands: new, open, save, save as, close, the DOS
// import, and the questions before a project or the program is closed.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>
#include <filesystem>

#include "app/workspace.h"
#include "editor/mainwindow.h"
#include "editor/mainwindow_progress.h"
#include "editor/pages/checkpanel.h"
#include "editor/pages/infopage.h"
#include "editor/pages/listpages.h"
#include "editor/pages/picturelist.h"
#include "editor/uitext.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "project/projectfile.h"
#include "shell/messagebox.h"
#include "shell/settings.h"

namespace tavo {

namespace fs = std::filesystem;

// --- taking and dropping the project -------------------------------------------

void TmainForm::TakeProject(std::unique_ptr<t_projekt> project) {
  const bool changed = project->modified;
  project->modified = false;
  document_ = std::make_unique<Document>(std::move(project));
  if (changed) document_->MarkChangedOutsideHistory();
  subscription_ =
      DocumentSubscription(*document_, [this](const Change& change) { DocumentChanged(change); });
  editor_->SetDocument(document_.get());
  checkPanel_->Clear();
  for (ListPage* page :
       std::initializer_list<ListPage*>{alarmPage_, variablePage_, textPage_, picturePage_})
    page->SetDocument(document_.get());
  infoPage_->ShowHead(Project()->head.get());
  infoPage_->ShowTerminal(Project()->terminal.get());
  infoPage_->ShowCoupling(Project()->coupling.get());
  FollowTerminalGreyScale();
  FillLists();
  BuildTree();
  UpdateCommandStates();
  UpdateTitle();
  Timer1Timer();
}

void TmainForm::DropProject() {
  // Every view lets go of the document before it goes.
  editor_->SetDocument(nullptr);
  {
    const QSignalBlocker blocker(baum_);
    baum_->clear();
  }
  infoPage_->Clear();
  checkPanel_->Clear();
  for (ListPage* page :
       std::initializer_list<ListPage*>{alarmPage_, variablePage_, textPage_, picturePage_})
    page->SetDocument(nullptr);
  subscription_.Reset();
  document_.reset();
  ShowView(kViewStart);
  UpdateCommandStates();
  UpdateTitle();
  Timer1Timer();
}

// The views follow every change of the document.
void TmainForm::DocumentChanged(const Change& change) {
  t_projekt* project = Project();
  if (!project) return;
  if (change.kind != ChangeKind::Selection && change.kind != ChangeKind::OpenPicture &&
      change.kind != ChangeKind::Modified && change.kind != ChangeKind::History)
    checkPanel_->MarkStale();
  switch (change.kind) {
    case ChangeKind::Objects:
      picturesStale_ = true;
      RefreshPictureStatistics();
      // Where variables and text lists are used may have changed.
      variablePage_->ReferencesChanged();
      textPage_->ReferencesChanged();
      break;
    case ChangeKind::PictureHead:
    case ChangeKind::Pictures:
      BuildTree();
      picturePage_->Fill(project);
      picturesStale_ = false;
      variablePage_->ReferencesChanged();
      textPage_->ReferencesChanged();
      break;
    case ChangeKind::List:
      // Only the page of the list that changed: the variable list may be long.
      switch (change.list) {
        case RecordList::Alarms:
          alarmPage_->Fill(project);
          break;
        case RecordList::Variables:
          variablePage_->Fill(project);
          break;
        case RecordList::TextLists:
          textPage_->Fill(project);
          // The thumbnails' text list fields show the lists' texts.
          picturesStale_ = true;
          break;
        case RecordList::Pictures:
          break;
      }
      break;
    case ChangeKind::Head:
      infoPage_->ShowHead(project->head.get());
      Timer1Timer();  // the change date shown follows the modified state
      if (QTreeWidgetItem* root = baum_->topLevelItem(0)) root->setText(0, Q(project->head->name));
      UpdateTitle();
      break;
    case ChangeKind::Terminal:
      infoPage_->ShowTerminal(project->terminal.get());
      // The display size (and kind) changed: the sheet and the thumbnails
      // follow it.
      FollowTerminalGreyScale();
      picturePage_->Fill(project);
      alarmPage_->Fill(project);  // the alarm preview is as wide as the display
      break;
    case ChangeKind::Coupling:
      infoPage_->ShowCoupling(project->coupling.get());
      // Addresses and type names depend on the coupling's address format.
      variablePage_->Fill(project);
      break;
    case ChangeKind::Modified:
      Timer1Timer();
      UpdateTitle();
      break;
    case ChangeKind::Selection:
    case ChangeKind::OpenPicture:
    case ChangeKind::History:
      break;
  }
  UpdateUndoActions();
}

// A grey terminal's pictures are shown grey, a colour terminal's in colour;
// the grey button still switches the display until the project or its
// terminal changes.
void TmainForm::FollowTerminalGreyScale() {
  const t_terminal* terminal = Project() ? Project()->terminal.get() : nullptr;
  if (terminal) workspace_.settings().picture.grayscale = terminal->greyScale;
  editor_->ApplySettings();
}

bool TmainForm::Run(CommandPtr command) {
  if (!document_) return false;
  const EditResult result = document_->Execute(std::move(command));
  if (!result) Box().Show(MsgKind::Fehler, ButtonSet::Weiter, Text(result.error));
  return result.done;
}

// Asked before unsaved changes could be lost: "Ja" saves, "Nein" lets them
// go, "Abbruch" (Escape) takes the command back and the project stays as it
// is. True when the command may go on.
bool TmainForm::AskToSaveChanges() {
  if (!document_ || !document_->IsModified()) return true;
  switch (
      Box().Show(MsgKind::Abfrage, ButtonSet::JaNeinAbbruch, Text(txt::kProjektNichtGesichert))) {
    case kAnswerJa:
      // Not saved after all (the save dialog cancelled, a write failed):
      // the project stays open.
      return Save();
    case kAnswerNein:
      return true;
    default:
      return false;
  }
}

bool TmainForm::CloseProject() {
  if (!Project()) return true;
  if (!AskToSaveChanges()) return false;
  DropProject();
  return true;
}

// --- new -----------------------------------------------------------------------

void TmainForm::Neu1Click() {
  if (!CloseProject()) return;
  auto project = std::make_unique<t_projekt>();
  project->head = std::make_unique<t_kopf>();
  project->terminal = std::make_unique<t_terminal>();
  const t_katalog& catalog = workspace_.catalog();
  // The first terminal and coupling of the catalogue, soft key areas
  // included (as changing the terminal later copies them too).
  const auto* terminal = static_cast<const t_terminal*>(catalog.terminals.get());
  const auto* coupling = static_cast<const t_steuerung*>(catalog.couplings.get());
  if (terminal) project->terminal->CopyFrom(*terminal);
  if (coupling) {
    project->coupling = std::make_unique<t_steuerung>();
    project->coupling->CopyFrom(*coupling);
  }
  if (!terminal || !coupling)
    Box().Show(MsgKind::Warnung, ButtonSet::Weiter, Text(txt::kKeineDefinitionen));
  project->modified = false;
  TakeProject(std::move(project));
  ShowView(kViewInfo);
}

// --- open ----------------------------------------------------------------------

FileDialogRequest TmainForm::ProjectFileRequest(const TextId& title, const TextId& filter) {
  FileDialogRequest request;
  request.title = Tr(workspace_.translator(), title);
  request.filter = Tr(workspace_.translator(), filter);
  request.folder = QString::fromStdString(
      UseFolderSetting(workspace_.settings(), FolderKey::Project, workspace_.install()));
  request.defaultSuffix = "qvx";
  return request;
}

void TmainForm::RememberProjectFolder(const QString& file) {
  workspace_.settings().folders.project = FolderText(fs::path(file.toStdString()).parent_path());
}

void TmainForm::oeffnen1Click() {
  const QString file =
      hooks_.openFile
          ? hooks_.openFile(this, ProjectFileRequest(txt::kProjektOeffnen, txt::kFilterQvxOpen))
          : QString();
  if (!file.isEmpty()) OpenProjectFile(file);
}

bool TmainForm::OpenProjectFile(const QString& path) {
  if (!path.contains(".qvx", Qt::CaseInsensitive)) {
    Box().Show(MsgKind::Fehler, ButtonSet::Weiter, Text(txt::kCannotOpenNoQvx));
    return false;
  }
  if (!CloseProject()) return false;
  RememberProjectFolder(path);
  LoadProgressWindow progress(workspace_.translator(), this);
  progress.Present();
  ProjectReadContext context = workspace_.ReadContext(&Box());
  context.progress = &progress;
  // Pictures without stored offsets get their origin centred on the sheet.
  const QSize sheet = EditorSheetSize();
  context.sheetWidth = sheet.width();
  context.sheetHeight = sheet.height();
  loading_ = true;
  // Bitmaps named without a folder are found where the download finds them,
  // so the sheet and the thumbnails show them.
  ProjectRead read = workspace_.OpenProject(path.toStdString(), context);
  loading_ = false;
  progress.hide();
  if (!read.project) {
    // A file without any section would open as an empty project, which a
    // save or a download would then put in place of the real one.
    const TextId& why = read.status == ProjectReadStatus::NotAProject ? txt::kKeineProjektdatei
                                                                      : txt::kProjektNichtLesbar;
    Box().Show(MsgKind::Fehler, ButtonSet::Weiter, Text(why) + "\n" + S(path));
    // A recent project that is gone is offered no more.
    if (read.status == ProjectReadStatus::CannotOpen) {
      std::erase(workspace_.settings().recentProjects, path.toStdString());
      UpdateRecentMenus();
    }
    ShowView(kViewStart);
    return false;
  }
  read.project->modified = false;
  TakeProject(std::move(read.project));
  RememberRecent(Project()->path);
  ShowView(kViewInfo);
  return true;
}

void TmainForm::RememberRecent(const std::string& file) {
  if (file.empty()) return;
  std::error_code ec;
  const fs::path absolute = fs::absolute(fs::path(file), ec);
  RememberRecentProject(workspace_.settings(), ec ? file : absolute.lexically_normal().string());
  UpdateRecentMenus();
}

// --- a project file dropped on the window ------------------------------------------

namespace {
// The first local project file among what is dragged; empty when none.
QString DroppedProjectFile(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    const QString file = url.toLocalFile();
    if (!file.isEmpty() && file.endsWith(".qvx", Qt::CaseInsensitive)) return file;
  }
  return {};
}
}  // namespace

void TmainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!loading_ && !DroppedProjectFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TmainForm::dropEvent(QDropEvent* event) {
  const QString file = DroppedProjectFile(event->mimeData());
  if (loading_ || file.isEmpty()) return;
  event->acceptProposedAction();
  // The drop ends before the project opens: its questions and the load
  // progress should not run inside the window system's drag.
  QMetaObject::invokeMethod(
      this, [this, file] { OpenProjectFile(file); }, Qt::QueuedConnection);
}

// The sheet has its size only once its page was laid out on the screen.
// Until the editor page was first shown, lay it out now, without painting,
// so that pictures read before get origins centred on the sheet they will
// be shown on.
QSize TmainForm::EditorSheetSize() {
  QWidget* page = editor_->Widget();
  if (!isVisible() || page->isVisible() || editorLaidOut_) return editor_->SheetSize();
  const bool splitterShown = splitter_->isVisible(), pagesShown = pages_->isVisible(),
             treeShown = baum_->isVisible();
  const int index = pages_->currentIndex();
  setUpdatesEnabled(false);
  {
    const QSignalBlocker quiet(pages_);
    splitter_->show();
    pages_->show();
    baum_->show();  // the project views show the tree
    pages_->setCurrentIndex(kPageEditor);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // A splitter inside a splitter (the pages above the check panel) takes
    // its share only when both are settled again.
    splitter_->refresh();
    pageSplitter_->refresh();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  }
  const QSize size = editor_->SheetSize();
  editorLaidOut_ = true;
  {
    const QSignalBlocker quiet(pages_);
    pages_->setCurrentIndex(index);
    baum_->setVisible(treeShown);
    pages_->setVisible(pagesShown);
    splitter_->setVisible(splitterShown);
  }
  setUpdatesEnabled(true);
  return size;
}

// --- DOS import ----------------------------------------------------------------

void TmainForm::ToolButton36Click() {
  if (!hooks_.dosImport) return;
  // The open project is closed only once a file was chosen, so cancelling
  // the file dialog keeps it.
  std::unique_ptr<t_projekt> project =
      hooks_.dosImport(this, workspace_, Box(), [this] { return CloseProject(); });
  if (!project) {
    if (!Project()) ShowView(kViewStart);
    return;
  }
  // An imported project exists only in memory until it is saved.
  if (project->path.empty()) project->modified = true;
  TakeProject(std::move(project));
  ShowView(kViewInfo);
  if (auto* first = static_cast<t_bild*>(Project()->pictures.get())) {
    editor_->OpenPictureInEditor(first);
    ShowView(kViewEditor);
  }
}

// --- save ----------------------------------------------------------------------

void TmainForm::ToolButton33Click() {
  Save(false);
}

void TmainForm::ToolButton21Click() {
  Save(true);
}

bool TmainForm::Save(bool askForFile) {
  if (!Project()) return false;
  if (!askForFile && !Project()->path.empty()) return WriteProject(Project()->path);
  FileDialogRequest request = ProjectFileRequest(txt::kProjektSpeichernUnter, txt::kFilterQvxSave);
  if (Project()->path.empty()) {
    request.proposedName = Q(ProposedProjectFileName(Project()->head ? Project()->head->name : ""));
  } else {
    // A project with a file is saved under another name starting from its
    // own, beside it.
    const fs::path file(Project()->path);
    request.proposedName = QString::fromStdString(file.filename().string());
    request.folder = QString::fromStdString(FolderText(file.parent_path()));
  }
  const QString file = hooks_.saveFile ? hooks_.saveFile(this, request) : QString();
  // Cancelled: the project keeps its file (also after "save as") and stays
  // modified.
  if (file.isEmpty()) return false;
  RememberProjectFolder(file);
  return WriteProject(file.toStdString());
}

bool TmainForm::WriteProject(const std::string& path) {
  std::vector<std::string> notCopied;
  std::string error;
  // The change date is today's when the file changes; it is set only now,
  // so that undoing back to the saved state leaves the project as it was.
  t_kopf* head = Project()->head.get();
  const std::string changedBefore = head ? head->changed : std::string();
  if (head && document_->IsModified()) head->changed = TodayText();
  if (!SaveProject(*Project(), path, &error, &notCopied)) {
    if (head) head->changed = changedBefore;
    Box().Show(MsgKind::Fehler, ButtonSet::Weiter,
               Text(txt::kFehlerBeiDateizugriff) + "\n" + Utf8ToCp1252(error));
    return false;
  }
  document_->MarkSaved();
  RememberRecent(path);
  infoPage_->ShowHead(head);
  if (!notCopied.empty()) {
    std::string list;
    for (const std::string& file : notCopied) list += "\n" + file;
    Box().Show(MsgKind::Warnung, ButtonSet::Weiter, Text(txt::kBitmapsNichtKopiert) + list);
  }
  UpdateTitle();
  Timer1Timer();
  return true;
}

// --- close ---------------------------------------------------------------------

void TmainForm::schliessenClick() {
  if (CloseProject()) ShowView(kViewStart);
}

bool TmainForm::FormCloseQuery() {
  const std::string question = std::string(kProductName) + " " + Text(txt::kWirklichBeenden);
  if (Box().Show(MsgKind::Abfrage, ButtonSet::JaNein, question) != kAnswerJa) return false;
  return AskToSaveChanges();
}

void TmainForm::closeEvent(QCloseEvent* event) {
  // The progress display lets window events through while a file is read;
  // closing must wait until the reader is done.
  if (loading_ || !FormCloseQuery()) {
    event->ignore();
    return;
  }
  workspace_.SaveSettings();  // errors while writing the settings are not reported
  DropProject();              // shows the start view and clears the tree
  markerVariables_.reset();
  markerAlarms_.reset();
  markerPictures_.reset();
  event->accept();
}

}  // namespace tavo
