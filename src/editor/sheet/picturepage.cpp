#include "editor/sheet/picturepage.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "app/workspace.h"
#include "document/clipboard.h"
#include "document/edits.h"
#include "editor/dialogs/infomsg.h"
#include "editor/sheet/edittoolbar.h"
#include "editor/sheet/gridsettings.h"
#include "editor/sheet/objecttree.h"
#include "editor/sheet/ruler.h"
#include "editor/sheet/sheettool.h"
#include "editor/sheet/tools/sheettoolbox.h"
#include "editor/uitext.h"
#include "objects/gruppe.h"
#include "objects/picturedraw.h"
#include "objects/rounding.h"
#include "project/projekt.h"
#include "project/records.h"
#include "qt/qimagecanvas.h"
#include "shell/messagebox.h"

namespace tavo {
namespace {

constexpr Rgb kSheetBackground = 0x606060;
constexpr Rgb kWhite = 0xFFFFFF;

enum class IconKind { Centre, Grid, ColourGrey, Ruler, Panel };

// Small images of the page's own tool buttons.
QIcon PageIcon(IconKind kind) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  switch (kind) {
    case IconKind::Centre:
      p.drawRect(1, 3, 13, 9);
      p.drawLine(7, 5, 7, 9);
      p.drawLine(5, 7, 9, 7);
      break;
    case IconKind::Grid:
      for (int y = 2; y < 16; y += 4)
        for (int x = 2; x < 16; x += 4) p.fillRect(x, y, 2, 2, Qt::black);
      break;
    case IconKind::ColourGrey:
      p.fillRect(1, 1, 7, 14, QColor(0xFC, 0, 0));
      p.fillRect(8, 1, 7, 14, QColor(0x80, 0x80, 0x80));
      p.drawRect(0, 0, 15, 15);
      break;
    case IconKind::Ruler:
      p.drawRect(0, 4, 15, 7);
      for (int x = 2; x < 15; x += 3) p.drawLine(x, 5, x, x % 2 ? 7 : 8);
      break;
    case IconKind::Panel:
      p.drawRect(0, 1, 15, 13);
      p.fillRect(10, 2, 5, 12, QColor(0x40, 0x40, 0x40));
      break;
  }
  p.end();
  return QIcon(pixmap);
}

QToolButton* PageButton(const char* name, QWidget* parent, bool checkable) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setCheckable(checkable);
  button->setAutoRaise(true);
  return button;
}

// Zero-padded to four digits; the sign stays in front.
QString Padded(int value) {
  const QString digits = QString::number(std::abs(value)).rightJustified(4, '0');
  return value < 0 ? "-" + digits : digits;
}

// Every object in list order, each group followed by its members.
template <class Fn>
void ForEachObject(t_liste* first, Fn&& fn) {
  for (t_liste* n = first; n; n = n->next()) {
    auto& object = static_cast<t_objekt&>(*n);
    fn(object);
    if (auto* group = dynamic_cast<t_gruppe*>(&object)) ForEachObject(group->FirstMember(), fn);
  }
}

}  // namespace

PicturePage::PicturePage(Workspace& workspace, QWidget* parent)
    : QWidget(parent), workspace_(workspace), fonts_(workspace.install()) {
  setObjectName("TabBildedit");
  view_.UseFontCache(fonts_);

  // --- tool buttons and labels ---------------------------------------------
  zoomOut_ = PageButton("ToolButZoomOut", this, true);
  zoomOut_->setIcon(QIcon(cursors_.Cursor(kZoomInCursor).pixmap()));
  zoomIn_ = PageButton("ToolButZoomIn", this, true);
  zoomIn_->setIcon(QIcon(cursors_.Cursor(kZoomOutCursor).pixmap()));
  centre_ = PageButton("ToolButton12", this, false);
  centre_->setIcon(PageIcon(IconKind::Centre));
  grid_ = PageButton("ToolButgrid", this, true);
  grid_->setIcon(PageIcon(IconKind::Grid));
  grid_->installEventFilter(this);  // a right-button release opens the display dialog
  colourGrey_ = PageButton("ToolButCol_BW", this, true);
  colourGrey_->setIcon(PageIcon(IconKind::ColourGrey));
  ruler_ = PageButton("ToolButRuler", this, true);
  ruler_->setIcon(PageIcon(IconKind::Ruler));
  toolPanel_ = PageButton("ButBildToolPanel", this, true);
  toolPanel_->setIcon(PageIcon(IconKind::Panel));
  label12_ = new QLabel(this);
  label12_->setObjectName("Label12");
  label12_->setMinimumWidth(48);
  label21_ = new QLabel(this);
  label21_->setObjectName("Label21");
  label11_ = new QLabel(this);
  label11_->setObjectName("Label11");

  connect(zoomOut_, &QToolButton::clicked, this, &PicturePage::ToolButZoomOutClick);
  connect(zoomIn_, &QToolButton::clicked, this, &PicturePage::ToolButZoomInClick);
  connect(centre_, &QToolButton::clicked, this, &PicturePage::ToolButton12Click);
  connect(grid_, &QToolButton::clicked, this, &PicturePage::ToolButgridClick);
  connect(colourGrey_, &QToolButton::clicked, this, &PicturePage::ToolButCol_BWClick);
  connect(ruler_, &QToolButton::clicked, this, &PicturePage::ToolButRulerClick);
  connect(toolPanel_, &QToolButton::clicked, this, &PicturePage::ButBildToolPanelClick);

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(2, 2, 2, 2);
  buttons->setSpacing(2);
  for (QWidget* w : std::initializer_list<QWidget*>{zoomOut_, zoomIn_, centre_, grid_, colourGrey_,
                                                    ruler_, toolPanel_, label12_})
    buttons->addWidget(w);
  buttons->addSpacing(12);
  buttons->addWidget(label21_, 1);
  buttons->addWidget(label11_);

  // --- the sheet's panel: rulers, sheet, scroll bars (placed by Panel8Resize)
  panel8_ = new QWidget(this);
  panel8_->setObjectName("Panel8");
  panel8_->installEventFilter(this);
  blatt_ = new Sheet(panel8_);
  view_.SetCanvas(&blatt_->canvas());
  hRuler_ = new Ruler(Qt::Horizontal, panel8_);
  hRuler_->setObjectName("hRuler");
  vRuler_ = new Ruler(Qt::Vertical, panel8_);
  vRuler_->setObjectName("vRuler");
  scrollBar1_ = new QScrollBar(Qt::Horizontal, panel8_);
  scrollBar1_->setObjectName("ScrollBar1");
  scrollBar2_ = new QScrollBar(Qt::Vertical, panel8_);
  scrollBar2_->setObjectName("ScrollBar2");
  for (QScrollBar* bar : {scrollBar1_, scrollBar2_}) {
    bar->setRange(sheet::kScrollMin, sheet::kScrollMax);
    bar->setSingleStep(sheet::kScrollSmallStep);
    bar->setPageStep(sheet::kScrollLargeStep);
    bar->setValue(0);
    bar->raise();  // they lie over the sheet's right and bottom edges
  }
  // The square between the two bars lies over the sheet as they do; filled,
  // so that no picture shows through it.
  scrollCorner_ = new QWidget(panel8_);
  scrollCorner_->setObjectName("ScrollCorner");
  scrollCorner_->setAutoFillBackground(true);
  scrollCorner_->raise();
  connect(scrollBar1_, &QScrollBar::valueChanged, this, &PicturePage::ScrollBar1Change);
  connect(scrollBar2_, &QScrollBar::valueChanged, this, &PicturePage::ScrollBar2Change);

  connect(blatt_, &Sheet::surfaceChanged, this, &PicturePage::SheetSurfaceChanged);
  connect(blatt_, &Sheet::mouseDown, this, &PicturePage::SheetMouseDown);
  connect(blatt_, &Sheet::mouseMove, this, &PicturePage::SheetMouseMove);
  connect(blatt_, &Sheet::mouseUp, this, &PicturePage::SheetMouseUp);
  connect(blatt_, &Sheet::click, this, &PicturePage::SheetClick);
  connect(blatt_, &Sheet::doubleClicked, this, &PicturePage::SheetDoubleClick);
  connect(blatt_, &Sheet::mouseLeft, this, &PicturePage::SheetMouseLeft);
  connect(blatt_, &Sheet::wheelTurned, this, [this](QWheelEvent* event) {
    QScrollBar* bar = event->modifiers() & Qt::ShiftModifier ? scrollBar1_ : scrollBar2_;
    QCoreApplication::sendEvent(bar, event);
  });
  connect(blatt_, &Sheet::keyPressed, this, &PicturePage::SheetKey);
  connect(blatt_, &Sheet::keyReleased, this, &PicturePage::SheetKey);

  popupMenu1_ = new QMenu(this);
  popupMenu1_->setObjectName("PopupMenu1");
  displayOptions_ = popupMenu1_->addAction(QString());
  displayOptions_->setObjectName("Darstellungsoptinen1");
  connect(displayOptions_, &QAction::triggered, this, &PicturePage::Darstellungsoptinen1Click);
  connect(blatt_, &Sheet::contextMenuWanted, this,
          [this](const QPoint& globalPos) { popupMenu1_->popup(globalPos); });

  // --- the palette tb_objekte and the tools behind it -----------------------
  toolbox_ = std::make_unique<SheetToolbox>(*this, workspace_);
  SetTool(toolbox_.get());

  // --- the side panel for the object tree ----------------------------------
  panel4_ = new QWidget(this);
  panel4_->setObjectName("Panel4");
  auto* panel4Layout = new QVBoxLayout(panel4_);
  panel4Layout->setContentsMargins(0, 0, 0, 0);
  objectTree_ = new ObjectTreePanel(workspace.translator(), panel4_);
  panel4Layout->addWidget(objectTree_);
  // A node chosen while a rubber band is dragged must not cut the drag's
  // selection short.
  objectTree_->Tree()->rubberBandDragged = [this] { return toolbox_->State().rubberBand; };
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName("PageSplitter");
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(panel8_);
  splitter_->addWidget(panel4_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->handle(1)->setObjectName("Splitter3");
  panel4_->setMinimumWidth(120);
  splitter_->setSizes({800, 220});

  // --- the action bar ----------------------------------------------------------
  arbeitsmittel_ = new EditToolBar(workspace_, this);
  arbeitsmittel_->SetMessageSource([this] { return &Messages(); });
  arbeitsmittel_->AddToContextMenu(popupMenu1_);
  arbeitsmittel_->AddShortcutsTo(this);
  connect(arbeitsmittel_, &EditToolBar::toolReset, this, [this] { SetToolNumber(kToolSelect); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(buttons);
  layout->addWidget(arbeitsmittel_);
  auto* body = new QHBoxLayout;
  body->setContentsMargins(0, 0, 0, 0);
  body->setSpacing(0);
  body->addWidget(toolbox_->Palette());
  body->addWidget(splitter_, 1);
  layout->addLayout(body, 1);

  blatt_->setCursor(cursors_.Cursor(kPfeilCursor));
  Retranslate();
  ApplySettings();
}

PicturePage::~PicturePage() {
  // The children outlive this part of the page: nothing they send while
  // they are taken down may reach it.
  for (QObject* sender : std::initializer_list<QObject*>{blatt_, scrollBar1_, scrollBar2_})
    sender->disconnect(this);
  panel8_->removeEventFilter(this);
  grid_->removeEventFilter(this);
  // The view points at the sheet's canvas, which goes with the sheet.
  view_.SetCanvas(nullptr);
  tool_ = nullptr;  // the toolbox goes before the page's children
}

PictureSettings& PicturePage::Settings() {
  return workspace_.settings().picture;
}

FieldContext PicturePage::Fields() const {
  FieldContext context;
  if (project_) context.textLists = project_->textLists.get();
  return context;
}

QSize PicturePage::SheetSize() const {
  return blatt_->size();
}

// --- project and picture ---------------------------------------------------------

void PicturePage::SetDocument(Document* document) {
  if (tool_) tool_->Cancel();
  subscription_.Reset();
  document_ = document;
  project_ = document ? &document->Project() : nullptr;
  picture_ = nullptr;
  if (document_)
    subscription_ =
        DocumentSubscription(*document_, [this](const Change& change) { DocumentChanged(change); });
  objectTree_->SetDocument(document);
  arbeitsmittel_->SetDocument(document);
  SetToolNumber(kToolSelect);
  emit pictureOpened(nullptr);
  blattPaint();
}

void PicturePage::OpenPictureInEditor(t_bild* picture) {
  if (!document_) return;
  // The document deselects the objects of the picture open so far and
  // tells the page, which then shows the new one.
  document_->SetOpenPicture(picture);
}

void PicturePage::AdoptOpenPicture() {
  // Whatever a tool was doing belonged to the picture open before.
  if (tool_) tool_->Cancel();
  picture_ = nullptr;
  t_bild* picture = document_ ? document_->OpenPicture() : nullptr;
  if (picture) {
    view_.SetZoom(picture->zoom);
    SetScrollPositions(picture->originX, picture->originY);
    // The scroll bars clamp; the view shows what they show.
    view_.SetOffsetX(std::int16_t(-scrollBar1_->value()));
    view_.SetOffsetY(std::int16_t(-scrollBar2_->value()));
  }
  picture_ = picture;
  emit pictureOpened(picture_);
  blattPaint();
}

void PicturePage::DocumentChanged(const Change& change) {
  switch (change.kind) {
    case ChangeKind::OpenPicture:
      AdoptOpenPicture();
      break;
    case ChangeKind::Objects:
      if (change.picture != picture_) break;
      if (tool_) tool_->ObjectsChanged();
      if (change.hasArea)
        RepaintArea(change.area);
      else
        blattPaint();
      break;
    case ChangeKind::Selection:
    case ChangeKind::PictureHead:
    case ChangeKind::Terminal:
    case ChangeKind::Pictures:
      blattPaint();
      break;
    case ChangeKind::List:
      // Text list fields show the texts of their lists.
      if (change.list == RecordList::TextLists) blattPaint();
      break;
    case ChangeKind::Head:
    case ChangeKind::Coupling:
    case ChangeKind::Modified:
    case ChangeKind::History:
      break;
  }
}

void PicturePage::SetScrollPositions(int offsetX, int offsetY) {
  scrollBar1_->setValue(-offsetX);
  scrollBar2_->setValue(-offsetY);
}

void PicturePage::DeselectAll() {
  if (document_) document_->DeselectAll();
}

// --- paint -----------------------------------------------------------------------

void PicturePage::blattPaint() {
  emit aboutToPaint();
  if (paintLock_) return;
  Canvas& canvas = blatt_->canvas();
  if (tool_) tool_->HideRubberBand();
  if (!project_) {
    // Nothing of a closed project stays on the sheet.
    canvas.FillRectColour(0, 0, canvas.Width(), canvas.Height(), kSheetBackground);
    crossAt_.reset();
    blatt_->update();
    return;
  }
  label12_->setText(QString::number(RoundToI32(view_.Zoom() * 100)) + "%");
  HideCrossHair();
  if (picture_) {
    PaintPicture();
  } else {
    label21_->clear();
    canvas.FillRectColour(0, 0, canvas.Width(), canvas.Height(), kSheetBackground);
    crossAt_.reset();
  }
  if (tool_) tool_->ShowRubberBand();
  ShowCrossHair();
  blatt_->update();
}

void PicturePage::RepaintArea(const TermRect& area) {
  if (!project_ || !picture_ || paintLock_) {
    blattPaint();
    return;
  }
  emit aboutToPaint();
  // Handles lie up to 8 window pixels outside an extent, wide pens reach
  // beyond it by up to half their width.
  const int margin = 12 + static_cast<int>(std::ceil(8 * view_.Zoom()));
  const int left = view_.TermToWinX(std::floor(area.left)) - margin;
  const int top = view_.TermToWinY(std::floor(area.top)) - margin;
  const int right = view_.TermToWinX(std::ceil(area.right) + 1) + margin;
  const int bottom = view_.TermToWinY(std::ceil(area.bottom) + 1) + margin;
  const QRect clip = QRect(left, top, right - left, bottom - top).intersected(blatt_->rect());
  if (clip.isEmpty()) return;
  HideCrossHair();
  if (tool_) tool_->HideRubberBand();
  PaintPicture(&clip);
  if (tool_) tool_->ShowRubberBand();
  ShowCrossHair();
  blatt_->update(clip);
}

void PicturePage::PaintPicture(const QRect* clip) {
  const PictureSettings& s = Settings();
  Canvas& canvas = blatt_->canvas();
  const int width = canvas.Width(), height = canvas.Height();
  if (clip) canvas.SetClip(clip->left(), clip->top(), clip->right() + 1, clip->bottom() + 1);
  label21_->setText(Q(picture_->name));
  hRuler_->SetRange(view_.WinToTermX(-sheet::kRulerSize), view_.WinToTermX(width));
  vRuler_->SetRange(view_.WinToTermY(0), view_.WinToTermY(height));

  // The whole sheet, then the terminal's display in the picture's colour.
  view_.SetGrayscale(s.grayscale);
  view_.SetPenMode(PenMode::Copy);
  view_.SetPenStyle(PenStyle::Solid);
  view_.SetPenWidth(1, false);
  view_.SetBrushColour(kSheetBackground);
  view_.SetPenColour(kSheetBackground);
  view_.SetFillPattern(1);
  canvas.SetBrushSolid(kSheetBackground);
  canvas.FillRect(0, 0, width, height);
  // Repainting the whole image removes the cross-hair as well.
  if (!clip) crossAt_.reset();

  const t_terminal* terminal = project_->terminal.get();
  view_.SetBrushColour(PictureBackground(*picture_, view_, s.style == 1));
  view_.SetFillPattern(1);
  if (terminal) {
    // Every pixel of the display, at any zoom.
    view_.FillRectangle(0, 0, terminal->width, terminal->height);
  } else {
    view_.FillRectangle(0, 0, width, height);
  }

  DrawPictureObjects(*picture_, view_, DrawModeForStyle(s.style), Fields());
  ForEachObject(picture_->objects.get(), [this](t_objekt& object) {
    if (object.IsSelected()) object.DrawFrame(view_);
  });
  if (terminal && s.softkeyrect == 1) DrawSoftKeys();
  DrawGrid(s.gridSize, s.gridSize, s.gridStyle == 1);
  if (clip) canvas.ClearClip();
}

void PicturePage::DrawSoftKeys() {
  const PictureSettings& s = Settings();
  const t_terminal& terminal = *project_->terminal;
  Canvas& canvas = blatt_->canvas();
  auto framePen = [&] {
    view_.SetPenColour(kWhite);
    view_.SetPenMode(PenMode::Invert);
    view_.SetPenStyle(PenStyle::Dot);
    view_.SetBrushColour(0);
    view_.SetFillPattern(0);
    view_.SetPenWidth(1, false);
    canvas.SetBrushHollow();
  };
  // Frames run on the window pixels just outside the display, and just
  // around the terminal pixels of each area (their corners are inclusive),
  // whatever the zoom.
  framePen();
  canvas.Rectangle(view_.TermToWinX(0) - 1, view_.TermToWinY(0) - 1,
                   view_.TermToWinX(terminal.width) + 1, view_.TermToWinY(terminal.height) + 1);
  for (const t_liste* n = terminal.keyAreas.get(); n; n = n->next()) {
    const auto& area = static_cast<const t_tastenfeld&>(*n);
    framePen();
    canvas.Rectangle(view_.TermToWinX(area.left), view_.TermToWinY(area.top),
                     view_.TermToWinX(area.right + 1), view_.TermToWinY(area.bottom + 1));
    if (s.softkeytext == 1) {
      view_.SetPenMode(PenMode::Copy);
      view_.SetPenStyle(PenStyle::Solid);
      view_.SetPenWidth(1, false);
      view_.SetFontName(kSoftKeyFont);
      // The name in its colour setting, outlined one window pixel wide in
      // the other one: legible on a light picture as on a dark one.
      const Rgb ink = s.softkeytextcolor == 1 ? kWhite : 0;
      const std::string name = ToTerminalCharset(area.name);
      const std::int16_t offsetX = view_.OffsetX(), offsetY = view_.OffsetY();
      view_.SetPenColour(ink == kWhite ? 0 : kWhite);
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          if (dx == 0 && dy == 0) continue;
          view_.SetOffsetX(static_cast<std::int16_t>(offsetX + dx));
          view_.SetOffsetY(static_cast<std::int16_t>(offsetY + dy));
          view_.Text(area.left + 2, area.top + 2, false, name);
        }
      }
      view_.SetOffsetX(offsetX);
      view_.SetOffsetY(offsetY);
      view_.SetPenColour(ink);
      view_.Text(area.left + 2, area.top + 2, false, name);
    }
  }
  view_.SetPenMode(PenMode::Copy);
}

void PicturePage::DrawGrid(int gx, int gy, bool show) {
  if (!show) return;
  Canvas& canvas = blatt_->canvas();
  const int width = canvas.Width(), height = canvas.Height();
  sheet::ForEachGridDot(view_, width, height, gx, gy, [&](int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    canvas.SetPixel(x, y, canvas.Pixel(x, y) ^ kWhite);
  });
}

void PicturePage::PresentSheet() {
  blatt_->update();
}

// --- cross-hair and inverting drawing ------------------------------------------

void PicturePage::BeginXorDrawing() {
  view_.SetPenMode(PenMode::Invert);
  view_.SetPenStyle(PenStyle::Solid);
  view_.SetPenWidth(1, false);
  view_.SetPenColour(ColourPalette(15));
  view_.SetFontColour(ColourPalette(15));
  view_.SetFillPattern(0);
  view_.SetBrushColour(ColourPalette(0));
  if (view_.canvas()) view_.canvas()->SetBrushHollow();
}

void PicturePage::EndXorDrawing() {
  view_.SetPenMode(PenMode::Copy);
}

void PicturePage::DrawCross() {
  Canvas& canvas = blatt_->canvas();
  const sheet::WinPoint c = *crossAt_;
  BeginXorDrawing();
  canvas.MoveTo(c.x, c.y - 4);
  canvas.LineTo(c.x, c.y + 5);
  canvas.MoveTo(c.x - 4, c.y);
  canvas.LineTo(c.x + 5, c.y);
  EndXorDrawing();
}

void PicturePage::HideCrossHair() {
  if (crossHair_.Hide() && crossAt_) {
    DrawCross();
    crossAt_.reset();
  }
}

void PicturePage::ShowCrossHair() {
  if (!crossHair_.Show()) return;
  if (crossAt_) DrawCross();  // an unbalanced Show: take the old one away first
  crossAt_.reset();
  if (mouseInside_ && picture_ && !paintLock_) {
    crossAt_ = state_.curPos;
    DrawCross();
  }
  blatt_->update();
}

// --- mouse ----------------------------------------------------------------------

sheet::WinPoint PicturePage::SnapPoint(int x, int y) const {
  const PictureSettings& s = workspace_.settings().picture;
  return sheet::SnapPoint(view_, x, y, s.fangStyle == 1, s.fangSize);
}

bool PicturePage::ZoomArmed() const {
  return state_.tool == kToolZoomHalve || state_.tool == kToolZoomDouble;
}

void PicturePage::SetTool(SheetTool* tool) {
  if (tool_ && !ZoomArmed()) tool_->Deactivate();
  tool_ = tool;
  if (tool_ && !ZoomArmed()) tool_->Activate();
}

void PicturePage::SetToolNumber(int number) {
  const bool wasZoom = ZoomArmed();
  state_.tool = number;
  if (number != kToolZoomDouble) zoomOut_->setChecked(false);
  if (number != kToolZoomHalve) zoomIn_->setChecked(false);
  // A zoom mode takes the sheet's events from the tool while it is armed.
  if (tool_ && !wasZoom && ZoomArmed()) tool_->Deactivate();
  if (tool_ && wasZoom && !ZoomArmed()) tool_->Activate();
}

void PicturePage::SheetMouseMove(const SheetMouse& event) {
  HideCrossHair();
  mouseInside_ = true;
  state_.curPos = SnapPoint(event.x, event.y);
  label11_->setText("X:" + Padded(view_.WinToTermX(state_.curPos.x)) +
                    "  Y:" + Padded(view_.WinToTermY(state_.curPos.y)));
  if (tool_ && !ZoomArmed()) tool_->MouseMove(event);
  state_.prevPos = state_.curPos;
  ShowCrossHair();
}

void PicturePage::SheetMouseDown(const SheetMouse& event) {
  HideCrossHair();
  if (event.button == Qt::RightButton) {
    paintLock_ = false;
    if (tool_ && !ZoomArmed()) tool_->MouseDown(event);
    SetToolNumber(kToolAfterContextMenu);
  } else if (ZoomArmed()) {
    if (event.button == Qt::LeftButton) DeselectAll();  // a zoom click starts nothing
  } else if (tool_ && !(state_.tool == kToolAfterContextMenu && event.button == Qt::LeftButton)) {
    tool_->MouseDown(event);
  }
  ShowCrossHair();
}

void PicturePage::SheetMouseUp(const SheetMouse& event) {
  HideCrossHair();
  swallowClick_ = false;
  if (event.button == Qt::LeftButton && state_.tool == kToolAfterContextMenu) {
    // The click that closed the context menu does nothing else.
    SetToolNumber(kToolSelect);
    swallowClick_ = true;
  } else if (tool_ && !ZoomArmed()) {
    tool_->MouseUp(event);
  }
  ShowCrossHair();
}

void PicturePage::SheetClick(const SheetMouse& event) {
  if (swallowClick_) {
    swallowClick_ = false;
    return;
  }
  if (ZoomArmed())
    ZoomStep();
  else if (tool_)
    tool_->Click(event);
}

void PicturePage::SheetDoubleClick(const SheetMouse& event) {
  // Only the selection tool gives a double click a meaning; a zoom click or
  // a creation was completed by the click before.
  if (tool_ && !ZoomArmed() && state_.tool == kToolSelect) tool_->DoubleClick(event);
}

void PicturePage::SheetMouseLeft() {
  HideCrossHair();
  mouseInside_ = false;
  ShowCrossHair();
}

void PicturePage::SheetSurfaceChanged() {
  view_.SetCanvas(&blatt_->canvas());
  crossAt_.reset();  // the new image has no cross, and no rubber band
  if (tool_) tool_->SheetReplaced();
  blattPaint();
}

void PicturePage::SheetKey(QKeyEvent* event) {
  if (ZoomArmed()) {
    // Escape ends a zoom mode as it ends any other tool.
    if (event->type() == QEvent::KeyPress && event->key() == Qt::Key_Escape) {
      blatt_->setCursor(cursors_.Cursor(kPfeilCursor));
      SetToolNumber(kToolSelect);
      event->accept();
    }
    return;
  }
  HideCrossHair();
  if (tool_ && tool_->Key(event)) event->accept();
  ShowCrossHair();
}

// --- editing ----------------------------------------------------------------------

void PicturePage::SelectAllObjects() {
  if (!document_ || !picture_) return;
  std::vector<t_objekt*> all;
  for (t_liste* n = picture_->objects.get(); n; n = n->next())
    all.push_back(static_cast<t_objekt*>(n));
  document_->SetSelection(all);
}

MessageBox& PicturePage::Messages() {
  if (messages_) return *messages_;
  if (!ownMessages_) ownMessages_ = std::make_unique<TInfo_MSG>(workspace_.translator(), this);
  return *ownMessages_;
}

// --- zoom, scroll, centre ----------------------------------------------------------

void PicturePage::ToolButZoomOutClick() {
  if (!sheet::CanDouble(view_.Zoom())) {
    zoomOut_->setChecked(false);
    return;
  }
  blatt_->setCursor(cursors_.Cursor(kZoomInCursor));
  SetToolNumber(kToolZoomDouble);
  zoomOut_->setChecked(true);
}

void PicturePage::ToolButZoomInClick() {
  if (!sheet::CanHalve(view_.Zoom())) {
    zoomIn_->setChecked(false);
    return;
  }
  blatt_->setCursor(cursors_.Cursor(kZoomOutCursor));
  SetToolNumber(kToolZoomHalve);
  zoomIn_->setChecked(true);
}

void PicturePage::ZoomStep() {
  paintLock_ = true;
  const sheet::ZoomResult step =
      sheet::ZoomAbout(view_, state_.curPos.x, state_.curPos.y, state_.tool == kToolZoomDouble);
  view_.SetZoom(step.zoom);
  view_.SetOffsetX(std::int16_t(step.offsetX));
  view_.SetOffsetY(std::int16_t(step.offsetY));
  if (picture_) {
    picture_->originX = std::int16_t(step.offsetX);
    picture_->originY = std::int16_t(step.offsetY);
    picture_->zoom = step.zoom;
  }
  SetScrollPositions(step.offsetX, step.offsetY);
  blatt_->setCursor(Qt::CrossCursor);
  SetToolNumber(kToolSelect);
  paintLock_ = false;
  blattPaint();
}

void PicturePage::ScrollBar1Change(int position) {
  view_.SetOffsetX(std::int16_t(-position));
  if (picture_) picture_->originX = std::int16_t(-position);
  blattPaint();
}

void PicturePage::ScrollBar2Change(int position) {
  view_.SetOffsetY(std::int16_t(-position));
  if (picture_) picture_->originY = std::int16_t(-position);
  blattPaint();
}

void PicturePage::ToolButton12Click() {
  if (!picture_ || !project_ || !project_->terminal) return;
  paintLock_ = true;
  const sheet::Offsets centre =
      sheet::CentreOffsets(blatt_->width(), blatt_->height(), project_->terminal->width,
                           project_->terminal->height, view_.Zoom());
  const int x = -sheet::ClampScroll(-centre.x), y = -sheet::ClampScroll(-centre.y);
  picture_->originX = std::int16_t(x);
  picture_->originY = std::int16_t(y);
  SetScrollPositions(x, y);
  view_.SetOffsetX(std::int16_t(x));
  view_.SetOffsetY(std::int16_t(y));
  paintLock_ = false;
  blattPaint();
}

// --- display buttons ---------------------------------------------------------------

void PicturePage::ToolButgridClick() {
  PictureSettings& s = Settings();
  s.gridStyle = grid_->isChecked() ? 1 : 0;
  if (!project_ || !picture_) return;
  // Inverting the dots once more shows or removes them without a repaint.
  HideCrossHair();
  DrawGrid(s.gridSize, s.gridSize, true);
  ShowCrossHair();
  blatt_->update();
}

void PicturePage::ToolButCol_BWClick() {
  Settings().grayscale = colourGrey_->isChecked();
  blattPaint();
}

void PicturePage::ToolButRulerClick() {
  Settings().scala = ruler_->isChecked();
  Panel8Resize();
  blattPaint();
}

void PicturePage::ButBildToolPanelClick() {
  Settings().panel = !toolPanel_->isChecked();
  UpdateToolPanel();
}

void PicturePage::UpdateToolPanel() {
  const bool hidden = Settings().panel;
  panel4_->setVisible(!hidden);
  splitter_->handle(1)->setVisible(!hidden);
  toolPanel_->setChecked(!hidden);
}

void PicturePage::Panel8Resize() {
  const int w = panel8_->width(), h = panel8_->height();
  const int barHeight = scrollBar1_->sizeHint().height();
  const int barWidth = scrollBar2_->sizeHint().width();
  const int r = sheet::kRulerSize;
  if (Settings().scala) {
    hRuler_->setGeometry(0, 0, w, r);
    vRuler_->setGeometry(0, r, r, std::max(h - r, 0));
    hRuler_->show();
    vRuler_->show();
    blatt_->setGeometry(r, r, std::max(w - r, 1), std::max(h - r, 1));
    scrollBar1_->setGeometry(r, h - barHeight, std::max(w - r - barWidth, 0), barHeight);
    scrollBar2_->setGeometry(w - barWidth, r, barWidth, std::max(h - r - barHeight, 0));
  } else {
    hRuler_->hide();
    vRuler_->hide();
    blatt_->setGeometry(0, 0, std::max(w, 1), std::max(h, 1));
    scrollBar1_->setGeometry(0, h - barHeight, std::max(w - barWidth, 0), barHeight);
    scrollBar2_->setGeometry(w - barWidth, 0, barWidth, std::max(h - barHeight, 0));
  }
  scrollCorner_->setGeometry(w - barWidth, h - barHeight, barWidth, barHeight);
}

// --- display dialog ----------------------------------------------------------------

void PicturePage::ShowDisplaySettings() {
  DisplayDialog(false);
}

void PicturePage::Darstellungsoptinen1Click() {
  DisplayDialog(true);
}

void PicturePage::DisplayDialog(bool fromContextMenu) {
  PictureSettings& s = Settings();
  const bool painted = project_ && picture_;
  // The grid is taken off before and put on after, as the dialog may change
  // its distance; the repaint then draws everything anew.
  HideCrossHair();
  if (painted && s.gridStyle == 1) DrawGrid(s.gridSize, s.gridSize, true);
  TGridSettings::Edit(this, workspace_.translator(), s);
  if (painted && s.gridStyle == 1) DrawGrid(s.gridSize, s.gridSize, true);
  ShowCrossHair();
  grid_->setChecked(s.gridStyle == 1);
  if (fromContextMenu) SetToolNumber(kToolSelect);
  blattPaint();
}

bool PicturePage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == panel8_ && event->type() == QEvent::Resize) {
    Panel8Resize();
  } else if (watched == grid_ && event->type() == QEvent::MouseButtonRelease &&
             static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    ShowDisplaySettings();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// --- settings and texts ---------------------------------------------------------------

void PicturePage::ApplySettings() {
  const PictureSettings& s = Settings();
  grid_->setChecked(s.gridStyle == 1);
  colourGrey_->setChecked(s.grayscale);
  ruler_->setChecked(s.scala);
  UpdateToolPanel();
  Panel8Resize();
  blattPaint();
}

void PicturePage::Retranslate() {
  objectTree_->Retranslate();
  Translator& t = workspace_.translator();
  zoomOut_->setToolTip(Tr(t, txt::kSheetZoomDouble));
  zoomIn_->setToolTip(Tr(t, txt::kSheetZoomHalve));
  centre_->setToolTip(Tr(t, txt::kSheetCentre));
  grid_->setToolTip(Tr(t, txt::kSheetGrid));
  ruler_->setToolTip(Tr(t, txt::kSheetRuler));
  toolPanel_->setToolTip(Tr(t, txt::kSheetToolPanel));
  colourGrey_->setToolTip(Tr(t, txt::kSheetColourGrey));
  displayOptions_->setText(Tr(t, txt::kSheetDisplayOptions));
  toolbox_->Retranslate();
  arbeitsmittel_->Retranslate();
}

// --- objects on the clipboard ----------------------------------------------------------

namespace {
// The clipboard type of object lines; other programs see the plain text.
constexpr const char* kObjectMimeType = "application/x-tavodex-objects";
constexpr int kPasteStep = 10;

std::string NumberList(const std::vector<std::int16_t>& numbers) {
  std::string list;
  for (std::int16_t n : numbers) list += (list.empty() ? " " : ", ") + std::to_string(n);
  return list;
}
}  // namespace

void PicturePage::CopyObjects() {
  if (!document_ || !picture_) return;
  const std::vector<t_objekt*> chosen = OutermostOnly(*picture_, document_->SelectedObjects());
  if (chosen.empty()) return;
  const std::string text = ObjectsToClipboardText(chosen);
  auto data = std::make_unique<QMimeData>();
  data->setData(kObjectMimeType, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  data->setText(Q(text));
  QGuiApplication::clipboard()->setMimeData(data.release());  // the clipboard owns it
  pastes_ = 0;
}

void PicturePage::CutObjects() {
  if (!document_ || !picture_) return;
  const std::vector<t_objekt*> chosen = OutermostOnly(*picture_, document_->SelectedObjects());
  if (chosen.empty()) return;
  CopyObjects();
  pastes_ = -1;  // the first paste puts them back where they were
  const EditResult result = DeleteObjects(*document_, *picture_, chosen, txt::kEditCut);
  if (!result)
    Messages().Show(MsgKind::Fehler, ButtonSet::Weiter, workspace_.translator().Tr(result.error));
}

void PicturePage::PasteObjects() {
  if (!document_ || !picture_) return;
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data) return;
  std::string text;
  if (data->hasFormat(kObjectMimeType)) {
    const QByteArray bytes = data->data(kObjectMimeType);
    text.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  } else if (data->hasText()) {
    text = S(data->text());  // object lines kept in a text file
  }
  ClipboardObjects pasted = ObjectsFromClipboardText(text, workspace_.objects(), *project_);
  if (pasted.objects.empty()) return;
  Translator& tr = workspace_.translator();
  std::string warning;
  if (!pasted.missingVariables.empty())
    warning += tr.Tr(txt::kPasteFehlendeVariablen) + NumberList(pasted.missingVariables);
  if (!pasted.missingTextLists.empty())
    warning += (warning.empty() ? "" : "\n") + tr.Tr(txt::kPasteFehlendeTextlisten) +
               NumberList(pasted.missingTextLists);
  if (pasted.damaged) warning += (warning.empty() ? "" : "\n") + tr.Tr(txt::kPasteUebergangen);
  ++pastes_;
  const int offset = kPasteStep * pastes_;
  const EditResult result =
      tavo::PasteObjects(*document_, *picture_, std::move(pasted), offset, offset);
  if (!result)
    Messages().Show(MsgKind::Fehler, ButtonSet::Weiter, tr.Tr(result.error));
  else if (!warning.empty())
    Messages().Show(MsgKind::Warnung, ButtonSet::Weiter, warning);
}

// --- the action bar's commands of the window ---------------------------------------------

void PicturePage::DeleteSelectedObjects() {
  arbeitsmittel_->Delete();
}

void PicturePage::CopyPictureToClipboard() {
  if (!project_ || !project_->terminal) return;
  const int width = project_->terminal->width, height = project_->terminal->height;
  // A definition file's nonsense size makes no image.
  if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return;
  // A view of its own at zoom 1: the sheet's view keeps its zoom and offsets.
  QImageCanvas canvas(width, height);
  tview view(&canvas);
  view.SetZoom(1);
  view.SetOffsetX(0);
  view.SetOffsetY(0);
  view.UseFontCache(fonts_);
  view.SetGrayscale(false);  // always the colour palette
  if (picture_) {
    canvas.FillRectColour(0, 0, width, height, PictureBackground(*picture_, view, false));
    DrawPictureObjects(*picture_, view, kDrawNormal, Fields());
  }
  QGuiApplication::clipboard()->setImage(canvas.Image());
}

}  // namespace tavo
