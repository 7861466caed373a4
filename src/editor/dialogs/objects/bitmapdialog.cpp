#include "editor/dialogs/objects/bitmapdialog.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/workspace.h"
#include "document/propertyedits.h"
#include "objects/bitmap/bmpfile.h"
#include "objects/bitmap/tqvxbitmap.h"
#include "qt/qimagecanvas.h"
#include "shell/messagebox.h"

namespace tavo {

namespace {

// The preview's ground, 0x00BBGGRR.
constexpr Rgb kPreviewGround = 0x80C0C0;

QLabel* ColourPanel(QWidget* parent, const char* name) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(name);
  panel->setFixedSize(40, 20);
  panel->setFrameShape(QFrame::Box);
  panel->setAutoFillBackground(true);
  return panel;
}

void ShowColour(QLabel* panel, std::int32_t windowsColour) {
  const auto c = static_cast<Rgb>(windowsColour);
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  panel->setPalette(colours);
  panel->setToolTip(QString("R %1  G %2  B %3").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c)));
}

}  // namespace

BitmapPreview::BitmapPreview(QWidget* parent) : QLabel(parent) {
  setObjectName("bmpvorschau");
  setMouseTracking(true);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setFixedSize(TDialog_Bitmap_Obj::kPreviewWidth, TDialog_Bitmap_Obj::kPreviewHeight);
}

void BitmapPreview::mouseMoveEvent(QMouseEvent* event) {
  emit hovered(event->position().toPoint());
}

void BitmapPreview::mousePressEvent(QMouseEvent* event) {
  emit pressed(event->position().toPoint());
}

TDialog_Bitmap_Obj::TDialog_Bitmap_Obj(const ObjectDialogContext& context, const t_objekt& buffer,
                                       QWidget* parent)
    : ObjectDialog(context, buffer, parent) {
  setObjectName("TDialog_Bitmap_Obj");
  setWindowTitle(Tr(translator(), txt::kObjDialogBitmap));
  SetRecomputeExtent(false);
  Translator& t = translator();
  const auto& bitmap = static_cast<const tqvxbitmap&>(buffer);
  file_ = bitmap.file;
  transparent_ = bitmap.transparent;
  colour_ = bitmap.transparentColour;
  natural_ = bitmap.fixedSize();
  hover_ = colour_;

  OkButton()->setObjectName("ToolButton6");
  CancelButton()->setObjectName("ToolButton7");
  auto* choose = new QToolButton(this);
  choose->setObjectName("ToolButton1");
  choose->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
  choose->setToolTip(Tr(t, txt::kObjBmpImportieren));
  ToolBar()->addSeparator();
  ToolBar()->addWidget(choose);

  QGroupBox* settings = Group("Dateiauswahl", txt::kObjEigenschaften);
  settings->setToolTip(Tr(t, txt::kObjDarstellungsEinstellungen));
  auto* grid = new QGridLayout(settings);
  checkBox1_ = new QCheckBox(Tr(t, txt::kObjOrginalgroesse), settings);
  checkBox1_->setObjectName("CheckBox1");
  checkBox1_->setToolTip(Tr(t, txt::kObjGroesseFestlegen));
  checkBox1_->setChecked(natural_);
  checkBox2_ = new QCheckBox(Tr(t, txt::kObjTransparentdarstellung), settings);
  checkBox2_->setObjectName("CheckBox2");
  checkBox2_->setToolTip(Tr(t, txt::kObjTransparentFestlegen));
  checkBox2_->setChecked(transparent_);
  panel4_ = ColourPanel(settings, "Panel4");
  panel4_->setStatusTip(Tr(t, txt::kObjGewaehlteTransparentfarbe));
  label1_ = new QLabel(Tr(t, txt::kObjTransparentfarbe), settings);
  label1_->setObjectName("Label1");
  label1_->setToolTip(Tr(t, txt::kObjGewaehlteTransparentfarbe));
  panel3_ = ColourPanel(settings, "Panel3");
  label4_ = new QLabel(Tr(t, txt::kObjFarbeUnterMaus), settings);
  label4_->setObjectName("Label4");
  label4_->setToolTip(Tr(t, txt::kObjFarbwertUnterMaus));
  grid->addWidget(checkBox1_, 0, 0, 1, 2);
  grid->addWidget(checkBox2_, 1, 0, 1, 2);
  grid->addWidget(panel4_, 2, 0);
  grid->addWidget(label1_, 2, 1);
  grid->addWidget(panel3_, 3, 0);
  grid->addWidget(label4_, 3, 1);
  grid->setRowStretch(4, 1);

  QGroupBox* previewGroup = Group("GroupBox2", txt::kObjVorschau);
  previewGroup->setToolTip(Tr(t, txt::kObjVorschaubereich));
  auto* previewLayout = new QVBoxLayout(previewGroup);
  bmpvorschau_ = new BitmapPreview(previewGroup);
  previewLayout->addWidget(bmpvorschau_);

  auto* row = new QHBoxLayout;
  row->addWidget(settings);
  row->addWidget(previewGroup);
  Body()->addLayout(row);

  panel3_->setEnabled(transparent_);
  label1_->setEnabled(transparent_);
  ShowColour(panel4_, colour_);
  ShowColour(panel3_, hover_);

  chooseFile_ = [this](const QString& folder, const QString& preset) {
    const QString start = preset.isEmpty() ? folder : QDir(folder).filePath(preset);
    return QFileDialog::getOpenFileName(this, Tr(translator(), txt::kObjBmpImportieren), start,
                                        QtFileFilter(Tr(translator(), txt::kObjBitmapFilter)));
  };
  connect(choose, &QToolButton::clicked, this, &TDialog_Bitmap_Obj::ChooseFile);
  connect(checkBox1_, &QCheckBox::toggled, this, [this](bool on) {
    natural_ = on;
    DrawPreview();
  });
  connect(checkBox2_, &QCheckBox::toggled, this, [this](bool on) {
    transparent_ = on;
    panel3_->setEnabled(on);
    label1_->setEnabled(on);
    DrawPreview();
  });
  connect(bmpvorschau_, &BitmapPreview::hovered, this, &TDialog_Bitmap_Obj::Hovered);
  connect(bmpvorschau_, &BitmapPreview::pressed, this, &TDialog_Bitmap_Obj::Pressed);
  DrawPreview();
}

std::string TDialog_Bitmap_Obj::Resolved() const {
  return ResolveBitmapFile(file_, ProjectBitmapFolder(Context().project)).string();
}

void TDialog_Bitmap_Obj::ChooseFile() {
  const QString folder = Q(Context().workspace.settings().Folder(FolderKey::Bitmaps));
  const QString preset = Q(std::filesystem::path(file_).filename().string());
  const QString chosen = chooseFile_(folder, preset);
  if (!chosen.isEmpty()) file_ = S(chosen);
  DrawPreview();
}

void TDialog_Bitmap_Obj::DrawPreview() {
  const std::string path = Resolved();
  if (path.empty()) {
    image_ = QImage();
    bmpvorschau_->clear();
    return;
  }
  if (path != loadedPath_) {
    loadedPath_ = path;
    loaded_ = Image16{};
    loadedOk_ = LoadBmp16(path, loaded_);
  }
  QImageCanvas canvas(kPreviewWidth, kPreviewHeight, kPreviewGround);
  canvas.FillRectColour(0, 0, kPreviewWidth, kPreviewHeight, kPreviewGround);
  if (loadedOk_) {
    const int w = loaded_.width, h = loaded_.height;
    if (natural_)
      canvas.DrawImage(loaded_, (kPreviewWidth - w) / 2, (kPreviewHeight - h) / 2,
                       (kPreviewWidth + w) / 2, (kPreviewHeight + h) / 2, transparent_,
                       Pack16(colour_));
    else
      canvas.DrawImage(loaded_, 0, 0, kPreviewWidth, kPreviewHeight, transparent_, Pack16(colour_));
  }
  image_ = canvas.Image().copy();
  bmpvorschau_->setPixmap(QPixmap::fromImage(image_));
}

void TDialog_Bitmap_Obj::Hovered(QPoint at) {
  if (image_.isNull() || !image_.rect().contains(at)) return;
  const QRgb pixel = image_.pixel(at);
  hover_ = static_cast<std::int32_t>(MakeRgb(static_cast<std::uint8_t>(qRed(pixel)),
                                             static_cast<std::uint8_t>(qGreen(pixel)),
                                             static_cast<std::uint8_t>(qBlue(pixel))));
  ShowColour(panel3_, hover_);
}

void TDialog_Bitmap_Obj::Pressed(QPoint at) {
  if (image_.isNull() || !image_.rect().contains(at)) return;
  Hovered(at);
  colour_ = hover_;
  ShowColour(panel4_, colour_);
  DrawPreview();
}

void TDialog_Bitmap_Obj::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

bool TDialog_Bitmap_Obj::Store(t_objekt& target, bool strict) {
  auto& bitmap = static_cast<tqvxbitmap&>(target);
  bitmap.file = file_;
  bitmap.transparent = transparent_;
  bitmap.transparentColour = colour_;
  bitmap.SetFixedSize(natural_);
  if (!natural_) return true;
  std::string error;
  if (TakeNaturalSize(bitmap, Resolved(), &error)) return true;
  if (strict)
    Messages().Show(MsgKind::Fehler, ButtonSet::Weiter,
                    translator().Tr(txt::kObjBitmapNichtLesbar) + " " + file_ + " (" + error + ")");
  return false;
}

}  // namespace tavo
