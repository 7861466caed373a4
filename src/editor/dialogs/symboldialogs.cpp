#include "editor/dialogs/symboldialogs.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QToolBar>

#include "app/workspace.h"
#include "objects/objekt.h"
#include "objects/tview.h"
#include "qt/qimagecanvas.h"
#include "resources/fonts.h"
#include "shell/messagebox.h"

namespace tavo {

namespace fs = std::filesystem;

namespace {

constexpr int kPreviewWidth = 640;
constexpr int kPreviewHeight = 480;
// The preview's background, 80C0C0: blue 80, green C0, red C0, as Rgb holds it.
constexpr Rgb kPreviewPaper = 0x80C0C0;

}  // namespace

SymbolSaveDialog::SymbolSaveDialog(Translator& translator, MessageBox* messages, fs::path folder,
                                   const std::string& proposed, QWidget* parent)
    : ToolDialog(translator, messages, parent),
      folder_(std::move(folder)),
      name_(new QLineEdit(this)) {
  setObjectName("TSymbolSichern");
  setWindowTitle(Tr(translator, txt::kExSymbolSichern));
  name_->setObjectName("SymbolName");
  auto* label = new QLabel(Tr(translator, txt::kExSymbolname), this);
  label->setBuddy(name_);
  Body()->addWidget(label);
  Body()->addWidget(name_);
  name_->setText(Q(proposed));
  name_->selectAll();
}

bool SymbolSaveDialog::Apply() {
  const std::string name = TrimSymbolName(S(name_->text()));
  if (name.empty()) {
    Messages().Show(MsgKind::Warnung, ButtonSet::Weiter, translator().Tr(txt::kExKeinSymbolname));
    return false;
  }
  std::error_code error;
  if (fs::exists(SymbolFilePath(folder_, name), error)) {
    Messages().Show(MsgKind::Warnung, ButtonSet::Weiter,
                    translator().Tr(txt::kExSymbolnameVergeben));
    return false;
  }
  chosen_ = name;
  return true;
}

SymbolLoadDialog::SymbolLoadDialog(Workspace& workspace, MessageBox* messages, fs::path folder,
                                   QWidget* parent)
    : ToolDialog(workspace.translator(), messages, parent),
      workspace_(workspace),
      folder_(std::move(folder)),
      entries_(ListSymbols(folder_)),
      list_(new QListWidget(this)),
      preview_(new QLabel(this)) {
  Translator& tr = workspace.translator();
  setObjectName("TSymbolLaden");
  setWindowTitle(Tr(tr, txt::kExSymbolLaden));
  list_->setObjectName("SymbolListe");
  preview_->setObjectName("SymbolVorschau");
  preview_->setFixedSize(kPreviewWidth / 2, kPreviewHeight / 2);
  preview_->setScaledContents(true);
  auto* choice = new QGroupBox(Tr(tr, txt::kExSymbolauswahl), this);
  (new QVBoxLayout(choice))->addWidget(list_);
  auto* previewBox = new QGroupBox(Tr(tr, txt::kExVorschau), this);
  (new QVBoxLayout(previewBox))->addWidget(preview_);
  auto* row = new QHBoxLayout;
  row->addWidget(choice, 1);
  row->addWidget(previewBox);
  Body()->addLayout(row);
  for (const SymbolEntry& e : entries_)
    list_->addItem(Q(e.caption) + "  (" + QString::fromStdString(e.path.filename().string()) + ")");
  auto* remove = new QAction(Tr(tr, txt::kEditDelete), this);
  remove->setObjectName("SymbolLoeschen");
  ToolBar()->addAction(remove);
  connect(remove, &QAction::triggered, this, &SymbolLoadDialog::DeleteSelected);
  connect(list_, &QListWidget::currentRowChanged, this, &SymbolLoadDialog::ShowPreview);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Confirm(); });
  if (!entries_.empty()) list_->setCurrentRow(0);
}

void SymbolLoadDialog::ShowPreview(int row) {
  QImageCanvas canvas(kPreviewWidth, kPreviewHeight, kPreviewPaper);
  if (row >= 0 && row < static_cast<int>(entries_.size())) {
    FontCache fonts(workspace_.install());
    tview view(&canvas);
    view.SetZoom(1);
    view.UseFontCache(fonts);
    ExchangeContent content =
        ReadSymbolFile(entries_[row].path, workspace_.objects(), workspace_.translator());
    for (const t_liste* o = content.objects.get(); o; o = o->next())
      static_cast<const t_objekt*>(o)->Draw(view, kDrawNormal);
  }
  preview_->setPixmap(QPixmap::fromImage(canvas.Image()));
}

void SymbolLoadDialog::DeleteSelected() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  if (Messages().Show(MsgKind::Abfrage, ButtonSet::JaNein,
                      translator().Tr(txt::kExSymbolLoeschen)) != kAnswerJa)
    return;
  std::error_code error;
  fs::remove(entries_[row].path, error);
  entries_.erase(entries_.begin() + row);
  delete list_->takeItem(row);
  ShowPreview(-1);
}

bool SymbolLoadDialog::Apply() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(entries_.size())) return false;
  chosen_ = entries_[row].path;
  return true;
}

std::optional<std::string> AskSymbolName(QWidget* parent, Translator& translator,
                                         MessageBox* messages, const fs::path& folder,
                                         const std::string& proposed) {
  SymbolSaveDialog dialog(translator, messages, folder, proposed, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Name();
}

std::optional<fs::path> ChooseSymbol(QWidget* parent, Workspace& workspace, MessageBox* messages,
                                     const fs::path& folder) {
  SymbolLoadDialog dialog(workspace, messages, folder, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

}  // namespace tavo
