#include "editor/dialogs/pictureinfo.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <climits>

#include "document/operations.h"
#include "editor/dialogs/attributepickers.h"
#include "editor/uitext.h"
#include "objects/tview.h"
#include "project/records.h"
#include "shell/messagebox.h"

namespace tavo {
namespace {

constexpr int kLowestNumber = 1;
constexpr int kHighestNumber = 65535;

QIcon ColourIcon(int colour) {
  QPixmap pixmap(40, 16);
  const Rgb rgb = ColourPalette(colour);  // 255: the colour no palette has
  pixmap.fill(QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)));
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 39, 15);
  return QIcon(pixmap);
}

}  // namespace

TDialog_BildInfo::TDialog_BildInfo(Translator& translator, MessageBox* messages,
                                   const std::string& name, int number, std::uint8_t colour,
                                   QWidget* parent)
    : ToolDialog(translator, messages, parent),
      bildname_(new QLineEdit(this)),
      bildnummer_(new QSpinBox(this)),
      colourButton_(new QToolButton(this)),
      colour_(colour) {
  setObjectName("TDialog_BildInfo");
  setWindowTitle(Tr(translator, txt::kBildInfo));
  auto* panel = new QFrame(this);
  panel->setObjectName("Panel1");
  panel->setToolTip(Tr(translator, txt::kBildInfoDialog));
  auto* grid = new QGridLayout(panel);

  auto label = [&](const char* objectName, const TextId& caption, const TextId& hint,
                   QWidget* buddy) {
    auto* l = new QLabel(Tr(translator, caption), panel);
    l->setObjectName(objectName);
    l->setToolTip(Tr(translator, hint));
    l->setBuddy(buddy);
    buddy->setToolTip(Tr(translator, hint));
    return l;
  };
  bildname_->setObjectName("bildname");
  bildname_->setText(Q(name));
  // No limits of its own: the range is checked on OK, with a message.
  bildnummer_->setObjectName("Bildnummer");
  bildnummer_->setRange(INT_MIN, INT_MAX);
  bildnummer_->setValue(number);
  colourButton_->setObjectName("SpeedButton1");
  colourButton_->setIconSize(QSize(40, 16));
  grid->addWidget(label("LBildname", txt::kBildname, txt::kBildbezeichnung, bildname_), 0, 0);
  grid->addWidget(bildname_, 0, 1);
  grid->addWidget(label("LBildnummer", txt::kBildnummer, txt::kBildnummerReferenz, bildnummer_), 1,
                  0);
  grid->addWidget(bildnummer_, 1, 1);
  grid->addWidget(
      label("Hintergrundfarbe", txt::kHintergrundfarbe, txt::kBildgrundfarbe, colourButton_), 2, 0);
  grid->addWidget(colourButton_, 2, 1, Qt::AlignLeft);
  Body()->addWidget(panel);
  bildname_->setMinimumWidth(200);
  ShowColour();

  choose_ = [this](int start, QPoint topLeft) {
    return RunAttributePicker(this, this->translator(), ObjectAttribute::FillColour, start, topLeft,
                              &txt::kHintergrundfarbe)
        .value_or(start);
  };
  connect(colourButton_, &QToolButton::clicked, this, &TDialog_BildInfo::ChooseColour);
}

void TDialog_BildInfo::ShowColour() {
  colourButton_->setIcon(ColourIcon(colour_));
  colourButton_->setToolTip(PaletteText(translator(), colour_));
}

void TDialog_BildInfo::ChooseColour() {
  const QPoint corner = colourButton_->mapToGlobal(QPoint(0, colourButton_->height()));
  const int chosen = choose_(colour_, corner);
  if (chosen >= 0 && chosen <= 255) colour_ = static_cast<std::uint8_t>(chosen);
  ShowColour();
}

bool TDialog_BildInfo::Apply() {
  bildnummer_->interpretText();
  const int number = bildnummer_->value();
  if (number < kLowestNumber || number > kHighestNumber) {
    Messages().Show(MsgKind::Warnung, ButtonSet::Weiter,
                    translator().Tr(txt::kEingabebereichVerlassen));
    bildnummer_->setFocus();
    bildnummer_->selectAll();
    return false;
  }
  name_ = S(bildname_->text());
  number_ = static_cast<std::uint16_t>(number);
  return true;
}

bool EditPictureBaseData(QWidget* parent, Translator& translator, MessageBox& messages,
                         Document& document, t_bild& picture) {
  TDialog_BildInfo dialog(translator, &messages, picture.name, picture.pictureNumber,
                          picture.backgroundColour, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  EditResult result;
  switch (SetPictureBaseData(document, picture, dialog.Name(), dialog.Number(), dialog.Colour(),
                             &result)) {
    case BaseDataCheck::NameTaken:
      messages.Show(MsgKind::Warnung, ButtonSet::Weiter,
                    translator.Tr(txt::kBildname) + " [" + dialog.Name() + "] " +
                        translator.Tr(txt::kBereitsVorhanden));
      return false;
    case BaseDataCheck::NumberTaken:
      messages.Show(MsgKind::Warnung, ButtonSet::Weiter,
                    translator.Tr(txt::kBildnummer) + " [" + std::to_string(dialog.Number()) +
                        "] " + translator.Tr(txt::kBereitsVorhanden));
      return false;
    case BaseDataCheck::Ok:
      break;
  }
  if (!result) messages.Show(MsgKind::Fehler, ButtonSet::Weiter, translator.Tr(result.error));
  return result.done;
}

}  // namespace tavo
