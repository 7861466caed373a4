#include "editor/dialogs/attributepickers.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

#include "editor/uitext.h"
#include "objects/tview.h"

namespace tavo {
namespace {

constexpr int kNoColour = 255;
constexpr QSize kSwatch(20, 20);
constexpr QSize kStrip(64, 16);

QColor Colour(Rgb rgb) {
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

QIcon SwatchIcon(int index) {
  QPixmap pixmap(kSwatch);
  pixmap.fill(Colour(ColourPalette(index)));
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  p.drawRect(0, 0, kSwatch.width() - 1, kSwatch.height() - 1);
  return QIcon(pixmap);
}

// White with a red diagonal: nothing is drawn.
QIcon NoColourIcon() {
  QPixmap pixmap(kStrip);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  p.drawRect(0, 0, kStrip.width() - 1, kStrip.height() - 1);
  p.setPen(QPen(Qt::red, 2));
  p.drawLine(2, kStrip.height() - 3, kStrip.width() - 3, 2);
  return QIcon(pixmap);
}

// The tile repeated over the strip, black on white, as the view fills.
QIcon PatternIcon(int pattern) {
  QImage image(kStrip, QImage::Format_RGB32);
  image.fill(Qt::white);
  if (const std::uint8_t* tile = PatternTile(pattern))
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (tile[y % 8] & (0x80 >> (x % 8))) image.setPixel(x, y, qRgb(0, 0, 0));
  QPainter p(&image);
  p.setPen(Qt::gray);
  p.drawRect(0, 0, kStrip.width() - 1, kStrip.height() - 1);
  p.end();
  return QIcon(QPixmap::fromImage(image));
}

QIcon LineIcon(int width, Qt::PenStyle style) {
  QPixmap pixmap(kStrip);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setPen(QPen(Qt::black, width, style, Qt::FlatCap));
  p.drawLine(4, kStrip.height() / 2, kStrip.width() - 5, kStrip.height() / 2);
  return QIcon(pixmap);
}

QString ButtonName(int n) {
  return "SpeedButton" + QString::number(n);
}

}  // namespace

AttributePicker::AttributePicker(QWidget* parent, const char* name, const QString& caption)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint),
      grid_(new QGridLayout(this)),
      group_(new QButtonGroup(this)) {
  setObjectName(name);
  setModal(true);
  setWindowTitle(caption);
  grid_->setContentsMargins(2, 2, 2, 2);
  grid_->setSpacing(1);
  grid_->setSizeConstraint(QLayout::SetFixedSize);  // sized to fit its buttons
  group_->setExclusive(true);
}

QToolButton* AttributePicker::AddValueButton(const char* name, int value, const QIcon& icon,
                                             int row, int column, int columnSpan) {
  auto* button = new QToolButton(this);
  button->setObjectName(name);
  button->setCheckable(true);
  button->setAutoRaise(true);
  button->setIcon(icon);
  button->setIconSize(icon.availableSizes().value(0, kSwatch));
  group_->addButton(button);
  grid_->addWidget(button, row, column, 1, columnSpan, Qt::AlignCenter);
  entries_.push_back({value, button});
  connect(button, &QToolButton::clicked, this, [this, value] {
    value_ = value;
    chosen_ = true;
    accept();
  });
  return button;
}

void AttributePicker::AddNeutralButton(const char* name) {
  neutral_ = new QToolButton(this);
  neutral_->setObjectName(name);
  neutral_->setCheckable(true);
  neutral_->hide();
  group_->addButton(neutral_);
}

QToolButton* AttributePicker::ButtonFor(int value) const {
  for (const Entry& e : entries_)
    if (e.value == value) return e.button;
  return nullptr;
}

void AttributePicker::SetValue(int value) {
  value_ = value;
  QToolButton* button = ButtonFor(value);
  (button ? button : neutral_)->setChecked(true);
}

TDia_farbe::TDia_farbe(Translator& translator, QWidget* parent)
    : AttributePicker(parent, "TDia_farbe", QString()) {
  AddValueButton("SpeedButton1", kNoColour, NoColourIcon(), 0, 0, 4);
  for (int colour = 0; colour < kPaletteSize; ++colour) {
    QToolButton* button = AddValueButton(ButtonName(colour + 2).toLatin1().constData(), colour,
                                         SwatchIcon(colour), 1 + colour / 4, colour % 4);
    button->setToolTip(PaletteText(translator, colour));
  }
  AddNeutralButton("SpeedButton18");
}

Tdia_muster::Tdia_muster(Translator& translator, QWidget* parent)
    : AttributePicker(parent, "Tdia_muster", Tr(translator, txt::kFuellmuster)) {
  for (int pattern = 0; pattern <= kPatternCount; ++pattern)
    AddValueButton(ButtonName(pattern + 1).toLatin1().constData(), pattern, PatternIcon(pattern),
                   pattern);
  AddNeutralButton("SpeedButton13");
}

Tdia_stiftbreite::Tdia_stiftbreite(Translator& translator, QWidget* parent)
    : AttributePicker(parent, "Tdia_stiftbreite", Tr(translator, txt::kStiftbreite)) {
  AddValueButton("SpeedButton1", 1, LineIcon(1, Qt::SolidLine), 0);
  AddValueButton("SpeedButton2", 2, LineIcon(3, Qt::SolidLine), 1);
  AddNeutralButton("SpeedButton13");
}

Tdia_Stiftstyle::Tdia_Stiftstyle(Translator& translator, QWidget* parent)
    : AttributePicker(parent, "Tdia_Stiftstyle", Tr(translator, txt::kStifttyp)) {
  const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine};
  for (int style = 0; style < 4; ++style)
    AddValueButton(ButtonName(style + 1).toLatin1().constData(), style, LineIcon(1, styles[style]),
                   style);
  AddNeutralButton("SpeedButton13");
}

std::optional<int> RunAttributePicker(QWidget* parent, Translator& translator,
                                      ObjectAttribute attribute, int start, QPoint topLeft,
                                      const TextId* colourCaption) {
  std::unique_ptr<AttributePicker> picker;
  switch (attribute) {
    case ObjectAttribute::FillColour:
    case ObjectAttribute::PenColour: {
      auto colours = std::make_unique<TDia_farbe>(translator, parent);
      const TextId& caption = colourCaption                              ? *colourCaption
                              : attribute == ObjectAttribute::FillColour ? txt::kFuellfarbe
                                                                         : txt::kStiftfarbe;
      colours->setWindowTitle(Tr(translator, caption));
      picker = std::move(colours);
      break;
    }
    case ObjectAttribute::FillPattern:
      picker = std::make_unique<Tdia_muster>(translator, parent);
      break;
    case ObjectAttribute::PenWidth:
      picker = std::make_unique<Tdia_stiftbreite>(translator, parent);
      break;
    case ObjectAttribute::PenStyle:
      picker = std::make_unique<Tdia_Stiftstyle>(translator, parent);
      break;
  }
  picker->SetValue(start);
  picker->adjustSize();
  picker->move(topLeft);
  picker->exec();
  if (!picker->Chosen()) return std::nullopt;
  return picker->Value();
}

}  // namespace tavo
