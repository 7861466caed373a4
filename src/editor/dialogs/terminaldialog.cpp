#include "editor/dialogs/terminaldialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "project/projekt.h"

namespace tavo {
namespace {

constexpr const char* kTerminalFolder = "system\\terminals\\";
constexpr QSize kPictureBox(260, 200);

QString InfoLines(const std::array<std::string, 5>& info) {
  QStringList lines;
  for (const std::string& line : info) lines << Q(line);
  return lines.join('\n');
}

}  // namespace

TTerminalDialog::TTerminalDialog(Workspace& workspace, const t_terminal* current, QWidget* parent)
    : ToolDialog(workspace.translator(), nullptr, parent),
      workspace_(workspace),
      list_(new QListWidget(this)),
      picture_(new QLabel(this)),
      info_(new QPlainTextEdit(this)) {
  setObjectName("TTerminalDialog");
  setWindowTitle(Tr(translator(), txt::kTerminalDialog));

  auto* choice = new QGroupBox(Tr(translator(), txt::kTerminalauswahl), this);
  choice->setObjectName("Terminalauswahl");
  auto* choiceLayout = new QVBoxLayout(choice);
  list_->setObjectName("TerminalListe");
  choiceLayout->addWidget(list_);

  picture_->setObjectName("TerminalBild");
  picture_->setAlignment(Qt::AlignCenter);
  picture_->setMinimumSize(kPictureBox);
  picture_->setFrameShape(QFrame::StyledPanel);
  info_->setObjectName("TerminalInfo");
  info_->setReadOnly(true);
  FitLines(info_, 6);
  auto* right = new QVBoxLayout;
  right->addWidget(picture_, 1);
  right->addWidget(info_);
  auto* row = new QHBoxLayout;
  row->addWidget(choice);
  row->addLayout(right, 1);
  Body()->addLayout(row);

  ForEach<t_terminal>(workspace_.catalog().terminals, [&](const t_terminal& t) {
    entries_.push_back(&t);
    list_->addItem(Q(t.name));
  });
  FitWidth(list_);

  // The entry shown first is the project's terminal, found by its name or
  // its terminal name. Without one nothing is selected, and confirming
  // changes nothing.
  if (current) {
    working_.CopyFrom(*current);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i]->name == current->name || entries_[i]->name == current->terminalName) {
        list_->setCurrentRow(static_cast<int>(i));
        break;
      }
    }
  }
  Select(list_->currentRow());
  connect(list_, &QListWidget::currentRowChanged, this, &TTerminalDialog::Select);
  connect(list_, &QListWidget::itemDoubleClicked, this, &ToolDialog::Confirm);
  list_->setFocus();
  resize(620, sizeHint().height());
}

const t_terminal* TTerminalDialog::Selected() const {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(entries_.size())) return nullptr;
  return entries_[static_cast<std::size_t>(row)];
}

void TTerminalDialog::Select(int) {
  if (const t_terminal* entry = Selected()) working_.CopyFrom(*entry);
  OkButton()->setEnabled(Selected() != nullptr);
  ShowTerminal(working_);
}

void TTerminalDialog::ShowTerminal(const t_terminal& terminal) {
  ShowInstallationPicture(picture_, workspace_.install(), kTerminalFolder, terminal.bitmap,
                          kPictureBox);
  info_->setPlainText(InfoLines(terminal.info));
}

std::unique_ptr<t_terminal> ChooseTerminal(QWidget* parent, Workspace& workspace,
                                           const t_projekt& project) {
  TTerminalDialog dialog(workspace, project.terminal.get(), parent);
  if (dialog.exec() != QDialog::Accepted || !dialog.Selected()) return nullptr;
  return CloneRecord(dialog.WorkingCopy());
}

}  // namespace tavo
