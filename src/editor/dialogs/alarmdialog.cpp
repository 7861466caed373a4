#include "editor/dialogs/alarmdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "app/workspace.h"
#include "document/listoperations.h"
#include "editor/dialogs/alarmpreview.h"
#include "project/projekt.h"
#include "resources/fontcatalog.h"
#include "resources/fonts.h"
#include "shell/messagebox.h"

namespace tavo {

namespace {

void CopyAlarm(const t_alarme& from, t_alarme& to) {
  to.name = from.name;
  to.number = from.number;
  to.bitMask = from.bitMask;
  to.font = from.font;
  to.flags = from.flags;
}

}  // namespace

TAlarmDialog::TAlarmDialog(Workspace& workspace, FontCache& fonts, const t_projekt& project,
                           const t_alarme& alarm, bool isNew, MessageBox* messages, QWidget* parent)
    : ToolDialog(workspace.translator(), messages, parent),
      project_(project),
      original_(alarm),
      isNew_(isNew),
      number_(new QLineEdit(this)),
      text_(new QLineEdit(this)),
      fontList_(new QListWidget(this)),
      preview_(new AlarmPreview(fonts, this)) {
  setObjectName("TAlarmDialog");
  setWindowTitle(Tr(translator(), txt::kDlgAlarm));
  CopyAlarm(alarm, working_);

  auto* numberText = new QGroupBox(Tr(translator(), txt::kNummerText), this);
  numberText->setObjectName("NummerText");
  auto* numberRow = new QHBoxLayout(numberText);
  number_->setObjectName("AlarmNummer");
  number_->setMaximumWidth(60);
  text_->setObjectName("AlarmText");
  numberRow->addWidget(number_);
  numberRow->addWidget(text_, 1);
  number_->setText(QString::number(working_.number));
  text_->setText(Q(working_.name));

  auto* fontBox = new QGroupBox(Tr(translator(), txt::kZeichensatz), this);
  fontBox->setObjectName("Zeichensatz");
  auto* fontLayout = new QVBoxLayout(fontBox);
  fontList_->setObjectName("ZeichensatzListe");
  fontLayout->addWidget(fontList_);
  ForEach<t_fonteintrag>(workspace.catalog().fonts, [&](const t_fonteintrag& f) {
    fontFiles_.push_back(f.fileName);
    fontList_->addItem(Q(f.name));
    if (FontNamesMatch(f.fileName, working_.font) && fontList_->currentRow() < 0)
      fontList_->setCurrentRow(fontList_->count() - 1);
  });

  auto group = [&](const TextId& caption, const char* name,
                   std::initializer_list<std::pair<std::uint8_t, const TextId*>> boxes) {
    auto* box = new QGroupBox(Tr(translator(), caption), this);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    for (const auto& [flag, text] : boxes) {
      auto* check = new QCheckBox(Tr(translator(), *text), box);
      check->setChecked(working_.flags & flag);
      layout->addWidget(check);
      flags_.emplace_back(flag, check);
    }
    return box;
  };
  QGroupBox* behaviour = group(
      txt::kAlarmverhalten, "Alarmverhalten",
      {{t_alarme::kDynamic, &txt::kDynamisch}, {t_alarme::kInterrupting, &txt::kUnterbrechend}});
  QGroupBox* history = group(
      txt::kHistoryeintrag, "Historyeintrag",
      {{t_alarme::kHistoryComes, &txt::kBeimKommen}, {t_alarme::kHistoryGoes, &txt::kBeimGehen}});
  FlagBox(t_alarme::kDynamic)->setObjectName("Dynamisch");
  FlagBox(t_alarme::kInterrupting)->setObjectName("Unterbrechend");
  FlagBox(t_alarme::kHistoryComes)->setObjectName("BeimKommen");
  FlagBox(t_alarme::kHistoryGoes)->setObjectName("BeimGehen");

  auto* previewBox = new QGroupBox(Tr(translator(), txt::kAlarmVorschau), this);
  previewBox->setObjectName("AlarmVorschauBox");
  auto* previewLayout = new QVBoxLayout(previewBox);
  previewLayout->addWidget(preview_);

  auto* flagsColumn = new QVBoxLayout;
  flagsColumn->addWidget(behaviour);
  flagsColumn->addWidget(history);
  flagsColumn->addStretch();
  auto* middle = new QHBoxLayout;
  middle->addWidget(fontBox, 1);
  middle->addLayout(flagsColumn);
  Body()->addWidget(numberText);
  Body()->addLayout(middle);
  Body()->addWidget(previewBox);

  connect(fontList_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row < 0 || row >= static_cast<int>(fontFiles_.size())) return;
    working_.font = fontFiles_[static_cast<std::size_t>(row)];
    Redraw();
  });
  connect(text_, &QLineEdit::textChanged, this, [this] {
    working_.name = S(text_->text());
    Redraw();
  });
  Redraw();
  text_->setFocus();
}

QCheckBox* TAlarmDialog::FlagBox(std::uint8_t flag) const {
  for (const auto& [bit, box] : flags_)
    if (bit == flag) return box;
  return nullptr;
}

void TAlarmDialog::Redraw() {
  preview_->ShowAlarm(working_.name, working_.font,
                      project_.terminal ? project_.terminal->width : 0);
}

bool TAlarmDialog::Apply() {
  const std::optional<std::int32_t> number = IntegerField(number_);
  if (!number) return false;
  if (*number < 0 || *number > kLastAlarmNumber) {
    Messages().Show(MsgKind::Warnung, ButtonSet::Weiter, translator().Tr(txt::kRangeError));
    number_->setFocus();
    number_->selectAll();
    return false;
  }
  const auto chosen = static_cast<std::uint16_t>(*number);
  const bool renumbered = isNew_ || chosen != original_.number;
  // Two alarms with one number would share the terminal's alarm bit.
  if (renumbered) {
    for (const t_liste* a = project_.alarms.get(); a; a = a->next())
      if (a != &original_ && a->number == chosen) {
        RefuseField(number_, txt::kNummerVergeben);
        return false;
      }
  }
  working_.number = chosen;
  working_.name = S(text_->text());
  working_.flags = 0;
  for (const auto& [bit, box] : flags_)
    if (box->isChecked()) working_.flags = static_cast<std::uint8_t>(working_.flags | bit);
  // The mask belongs to the number: it follows a new number, and an alarm
  // that keeps its number keeps the mask it has.
  if (renumbered) working_.bitMask = AlarmBitMask(chosen);
  return true;
}

std::unique_ptr<t_alarme> EditAlarm(QWidget* parent, Workspace& workspace, FontCache& fonts,
                                    const t_projekt& project, const t_alarme& alarm, bool isNew,
                                    MessageBox* messages) {
  TAlarmDialog dialog(workspace, fonts, project, alarm, isNew, messages, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return CloneRecord(dialog.Alarm());
}

}  // namespace tavo
