#include "editor/projectwindow.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QStatusBar>
#include <QTreeWidget>

#include "app/workspace.h"
#include "editor/dialogs/infomsg.h"
#include "project/projectfile.h"
#include "shell/codepage.h"

namespace tavo {

namespace {
QString Q(const std::string& cp1252) {
  return QString::fromStdString(Cp1252ToUtf8(cp1252));
}
}  // namespace

ProjectWindow::ProjectWindow(Workspace& workspace, QWidget* parent)
    : QMainWindow(parent), workspace_(workspace), tree_(new QTreeWidget(this)) {
  setObjectName("TmainForm");
  setWindowTitle("Tavo Dex");
  tree_->setObjectName("TreeView1");
  tree_->setHeaderLabels({"Projekt", ""});
  setCentralWidget(tree_);
  QMenu* file = menuBar()->addMenu(Q(workspace_.translator().Tr(txt::kMenuDatei)));
  QAction* open = file->addAction(Q(workspace_.translator().Tr(txt::kMenuOeffnen)));
  connect(open, &QAction::triggered, this, &ProjectWindow::OpenClick);
  resize(900, 650);
}

ProjectWindow::~ProjectWindow() = default;

void ProjectWindow::OpenClick() {
  const QString path = QFileDialog::getOpenFileName(
      this, Q(workspace_.translator().Tr(txt::kProjektOeffnen)),
      QString::fromStdString((workspace_.install().BaseFolder() / "Projects").string()),
      "QVX-Tavo-Dex Datei (*.qvx)");
  if (!path.isEmpty()) OpenProject(path);
}

bool ProjectWindow::OpenProject(const QString& path) {
  TInfo_MSG window(workspace_.translator(), this);
  MessageBox& box = messages_ ? *messages_ : window;
  if (!path.toLower().contains(".qvx")) {
    box.Show(MsgKind::Fehler, ButtonSet::Weiter, workspace_.translator().Tr(txt::kCannotOpenNoQvx));
    return false;
  }
  ProjectReadContext context = workspace_.ReadContext(&box);
  auto project = ReadProjectFile(path.toStdString(), context);
  if (!project) return false;
  project_ = std::move(project);
  Fill();
  return true;
}

void ProjectWindow::Fill() {
  tree_->clear();
  const t_projekt& p = *project_;
  setWindowTitle("Tavo Dex - " + Q(p.head->name));
  auto* root = new QTreeWidgetItem(tree_, {Q(p.head->name), QString::fromStdString(p.path)});
  auto add = [](QTreeWidgetItem* parent, const QString& a, const QString& b = {}) {
    return new QTreeWidgetItem(parent, {a, b});
  };
  add(root, "Terminal",
      Q(p.terminal->terminalName) +
          QString(" (%1 x %2)").arg(p.terminal->width).arg(p.terminal->height));
  add(root, "Steuerung", p.coupling ? Q(p.coupling->couplingName) : "none");
  QTreeWidgetItem* vars = add(root, "Variablen", QString::number(CountNodes(p.variables.get())));
  ForEach<t_variable>(
      p.variables, [&](const t_variable& v) { add(vars, QString::number(v.number), Q(v.name)); });
  QTreeWidgetItem* alarms = add(root, "Alarme", QString::number(CountNodes(p.alarms.get())));
  ForEach<t_alarme>(p.alarms,
                    [&](const t_alarme& a) { add(alarms, QString::number(a.number), Q(a.name)); });
  QTreeWidgetItem* lists = add(root, "Texte", QString::number(CountNodes(p.textLists.get())));
  ForEach<t_textliste>(
      p.textLists, [&](const t_textliste& l) { add(lists, QString::number(l.number), Q(l.name)); });
  QTreeWidgetItem* pictures = add(root, "Bilder", QString::number(CountNodes(p.pictures.get())));
  ForEach<t_bild>(p.pictures, [&](const t_bild& b) {
    add(pictures, QString::number(b.pictureNumber), Q(b.name));
  });
  tree_->expandToDepth(0);
  tree_->resizeColumnToContents(0);
  statusBar()->showMessage(QString::fromStdString(p.path));
}

}  // namespace tavo
