// The window's project commands: new, open, save, save as, close, the DOS
// import, and the questions before a project or the program is closed.

#include <QCloseEvent>
#include <QCoreApplication>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>

#include "app/workspace.h"
#include "editor/mainwindow.h"
#include "editor/mainwindow_progress.h"
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
  project_ = std::move(project);
  editor_->SetProject(project_.get());
  infoPage_->ShowHead(project_->head.get());
  infoPage_->ShowTerminal(project_->terminal.get());
  infoPage_->ShowCoupling(project_->coupling.get());
  FillLists();
  BuildTree();
  UpdateCommandStates();
  UpdateTitle();
  Timer1Timer();
}

void TmainForm::DropProject() {
  editor_->SetProject(nullptr);
  {
    const QSignalBlocker blocker(baum_);
    baum_->clear();
  }
  infoPage_->Clear();
  alarmPage_->Fill(nullptr);
  variablePage_->Fill(nullptr);
  textPage_->Fill(nullptr);
  picturePage_->Fill(nullptr);
  project_.reset();
  ShowView(kViewStart);
  UpdateCommandStates();
  UpdateTitle();
  Timer1Timer();
}

bool TmainForm::CloseProject() {
  if (!project_) return true;
  if (project_->modified &&
      Box().Show(MsgKind::Abfrage, ButtonSet::JaNein, Text(txt::kProjektNichtGesichert)) ==
          kAnswerJa &&
      !Save()) {
    // The user wanted the project kept: it stays open when it was not saved.
    return false;
  }
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
    ShowView(kViewStart);
    return false;
  }
  read.project->modified = false;
  TakeProject(std::move(read.project));
  ShowView(kViewInfo);
  return true;
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
    if (!project_) ShowView(kViewStart);
    return;
  }
  // An imported project exists only in memory until it is saved.
  if (project->path.empty()) project->modified = true;
  TakeProject(std::move(project));
  ShowView(kViewInfo);
  if (auto* first = static_cast<t_bild*>(project_->pictures.get())) {
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
  if (!project_) return false;
  if (!askForFile && !project_->path.empty()) return WriteProject(project_->path);
  FileDialogRequest request = ProjectFileRequest(txt::kProjektSpeichernUnter, txt::kFilterQvxSave);
  request.proposedName = Q(ProposedProjectFileName(project_->head ? project_->head->name : ""));
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
  if (!SaveProject(*project_, path, &error, &notCopied)) {
    Box().Show(MsgKind::Fehler, ButtonSet::Weiter,
               Text(txt::kFehlerBeiDateizugriff) + "\n" + Utf8ToCp1252(error));
    return false;
  }
  if (!notCopied.empty()) {
    std::string list;
    for (const std::string& file : notCopied) list += "\n" + file;
    Box().Show(MsgKind::Warnung, ButtonSet::Weiter, Text(txt::kBitmapsNichtKopiert) + list);
  }
  project_->modified = false;
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
  if (project_ && project_->modified &&
      Box().Show(MsgKind::Abfrage, ButtonSet::JaNein, Text(txt::kProjektNichtGesichert)) ==
          kAnswerJa &&
      !Save()) {
    return false;  // not saved after all: the program stays open
  }
  return true;
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
