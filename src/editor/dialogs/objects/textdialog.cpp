#include "editor/dialogs/objects/textdialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QVBoxLayout>

#include "objects/fields/fields.h"
#include "qt/qimagecanvas.h"
#include "resources/fonts.h"

namespace tavo {

namespace {

constexpr int kResultWidth = 316;
constexpr int kResultHeight = 124;

}  // namespace

Tdialog_textedit::Tdialog_textedit(const ObjectDialogContext& context, const t_objekt& buffer,
                                   QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  setObjectName("Tdialog_textedit");
  SetRecomputeExtent(false);
  const auto& text = static_cast<const ttext&>(buffer);
  Translator& t = translator();
  font_ = text.font();
  cellHeight_ = text.cellHeight();
  cellWidth_ = text.cellWidth();

  QGroupBox* group1 = Group("GroupBox1", txt::kObjTexteingabe);
  auto* layout1 = new QVBoxLayout(group1);
  edit1_ = new QLineEdit(group1);
  edit1_->setObjectName("Edit1");
  edit1_->setToolTip(Tr(t, txt::kObjTextEingeben));
  edit1_->setMaxLength(kMaxTextLength);
  edit1_->setText(Q(text.text()));
  layout1->addWidget(edit1_);

  QGroupBox* group2 = Group("GroupBox2", txt::kObjZeichensatzwahl);
  auto* layout2 = new QVBoxLayout(group2);
  fontbox_ = FontList(group2, "fontbox", text.font());
  fontbox_->setToolTip(Tr(t, txt::kObjZeichensatzWaehlen));
  layout2->addWidget(fontbox_);

  QGroupBox* group3 = Group("GroupBox3", txt::kObjErgebnistext);
  auto* layout3 = new QVBoxLayout(group3);
  bp_ = new QLabel(group3);
  bp_->setObjectName("BP");
  bp_->setToolTip(Tr(t, txt::kObjVorschau));
  bp_->setFixedSize(kResultWidth, kResultHeight);
  layout3->addWidget(bp_);

  auto* right = new QVBoxLayout;
  right->addWidget(group1);
  right->addWidget(group3);
  right->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(group2, 1);
  top->addLayout(right);
  Body()->addLayout(top);

  // The catalogue's cell of the font on opening.
  FontClicked(fontbox_->currentRow());
  connect(fontbox_, &QListWidget::currentRowChanged, this, &Tdialog_textedit::FontClicked);
  connect(edit1_, &QLineEdit::textChanged, this, [this] {
    DrawResult();
    Changed();
  });
  DrawResult();
  AddPreview();
  edit1_->setFocus();
}

void Tdialog_textedit::FontClicked(int row) {
  const FontChoice* chosen = FontAt(row);
  if (!chosen) return;
  font_ = chosen->file;
  cellHeight_ = chosen->height;
  cellWidth_ = chosen->width;
  DrawResult();
  Changed();
}

void Tdialog_textedit::DrawResult() {
  QImageCanvas canvas(kResultWidth, kResultHeight, 0);
  canvas.FillRectColour(0, 0, kResultWidth, kResultHeight, 0);
  const std::string shown = LineText(edit1_->text()).substr(0, kMaxTextLength);
  Context().fonts.DrawTerminalText(canvas, 1, 1, 0xFFFFFF, ToTerminalCharset(shown), font_, false,
                                   0, 1.0);
  bpImage_ = canvas.Image().copy();
  bp_->setPixmap(QPixmap::fromImage(bpImage_));
}

bool Tdialog_textedit::Store(t_objekt& target, bool strict) {
  auto& text = static_cast<ttext&>(target);
  text.SetText(LineText(edit1_->text()));
  if (!CheckFontRow(fontbox_, strict)) {
    if (strict) return false;
  } else if (FontAt(fontbox_->currentRow())) {
    text.SetFont(font_);
  }
  text.SetCell(cellHeight_, cellWidth_);
  if (strict) DrawResult();
  return true;
}

}  // namespace tavo
