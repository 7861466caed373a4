#include "editor/sheet/edittoolbar.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include "app/workspace.h"
#include "document/exchangeimport.h"
#include "editor/dialogs/attributepickers.h"
#include "editor/dialogs/editingoptions.h"
#include "editor/dialogs/infomsg.h"
#include "editor/dialogs/keydialogs.h"
#include "editor/dialogs/pictureinfo.h"
#include "editor/dialogs/symboldialogs.h"
#include "editor/uitext.h"
#include "exchange/symbols.h"
#include "objects/gruppe.h"
#include "shell/settings.h"

namespace tavo {

enum class EditToolBar::Icon {
  Group,
  Ungroup,
  ToFront,
  ToBack,
  OneForward,
  OneBack,
  Mirror,
  Copy,
  Rotate,
  Delete,
  FillColour,
  PenColour,
  PenStyle,
  PenWidth,
  FillPattern,
  Options,
  BaseData,
  FunctionKeys,
  SoftKeys,
  AlignLeft,
  AlignRight,
  AlignTop,
  AlignBottom,
  AlignHCentre,
  AlignVCentre,
  DistributeH,
  DistributeV,
  SameWidth,
  SameHeight,
  Symbol,
};

namespace {

using Icon = EditToolBar::Icon;

const QColor kObject(0x40, 0x70, 0xC0);
const QColor kOther(0xA0, 0xA0, 0xA0);

void Arrow(QPainter& p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
  const QPointF n(-d.y(), d.x());
  QPolygonF head;
  head << to << to - d * 4 + n * 3 << to - d * 4 - n * 3;
  p.setBrush(p.pen().color());
  p.drawPolygon(head);
  p.setBrush(Qt::NoBrush);
}

void KeyCap(QPainter& p, const QString& letter) {
  p.setPen(Qt::black);
  p.setBrush(QColor(0xF0, 0xF0, 0xF0));
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 2, 2);
  QFont font = p.font();
  font.setPixelSize(10);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRect(1, 1, 14, 14), Qt::AlignCenter, letter);
}

// The small images of the bar's buttons, drawn rather than shipped.
QIcon BarIcon(Icon icon) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::black);
  switch (icon) {
    case Icon::Group:
    case Icon::Ungroup:
      p.fillRect(3, 3, 5, 4, kObject);
      p.fillRect(8, 9, 5, 4, kObject);
      p.setPen(QPen(Qt::black, 1, icon == Icon::Group ? Qt::DashLine : Qt::DotLine));
      if (icon == Icon::Group) {
        p.drawRect(QRectF(0.5, 0.5, 14, 14));
      } else {
        p.drawLine(1, 1, 5, 1);
        p.drawLine(1, 1, 1, 5);
        p.drawLine(14, 14, 10, 14);
        p.drawLine(14, 14, 14, 10);
      }
      break;
    case Icon::ToFront:
    case Icon::OneForward:
      p.fillRect(1, 6, 8, 8, kOther);
      p.fillRect(4, 3, 8, 8, kObject);
      p.setPen(QPen(Qt::black, 1.2));
      Arrow(p, {13.5, 14}, {13.5, 3});
      if (icon == Icon::ToFront) p.drawLine(QPointF(11, 1), QPointF(16, 1));
      break;
    case Icon::ToBack:
    case Icon::OneBack:
      p.fillRect(4, 3, 8, 8, kOther);
      p.fillRect(1, 6, 8, 8, kObject);
      p.setPen(QPen(Qt::black, 1.2));
      Arrow(p, {13.5, 2}, {13.5, 13});
      if (icon == Icon::ToBack) p.drawLine(QPointF(11, 15), QPointF(16, 15));
      break;
    case Icon::Mirror: {
      QPolygonF left, right;
      left << QPointF(1, 13) << QPointF(7, 13) << QPointF(7, 3);
      right << QPointF(15, 13) << QPointF(9, 13) << QPointF(9, 3);
      p.setBrush(kObject);
      p.drawPolygon(left);
      p.setBrush(Qt::NoBrush);
      p.drawPolygon(right);
      p.setPen(QPen(Qt::black, 1, Qt::DotLine));
      p.drawLine(8, 0, 8, 16);
      break;
    }
    case Icon::Copy:
      p.drawRect(QRectF(1.5, 1.5, 8, 8));
      p.fillRect(6, 6, 9, 9, kObject);
      p.drawRect(QRectF(6.5, 6.5, 8, 8));
      break;
    case Icon::Rotate:
      p.setPen(QPen(Qt::black, 1.5));
      p.drawArc(QRectF(2, 2, 12, 12), 90 * 16, 270 * 16);
      Arrow(p, {8, 2}, {12, 2});
      break;
    case Icon::Delete:
      p.setPen(QPen(QColor(0xC0, 0, 0), 2.5));
      p.drawLine(3, 3, 13, 13);
      p.drawLine(13, 3, 3, 13);
      break;
    case Icon::FillColour:
      p.setBrush(QColor(0x30, 0xB0, 0x60));
      p.drawRect(QRectF(1.5, 4.5, 13, 10));
      break;
    case Icon::PenColour:
      p.setPen(QPen(QColor(0xD0, 0x20, 0x20), 2.5));
      p.drawLine(2, 14, 14, 2);
      break;
    case Icon::PenStyle:
      p.setPen(QPen(Qt::black, 1.5, Qt::DashLine));
      p.drawLine(1, 4, 15, 4);
      p.setPen(QPen(Qt::black, 1.5, Qt::DotLine));
      p.drawLine(1, 8, 15, 8);
      p.setPen(QPen(Qt::black, 1.5, Qt::DashDotLine));
      p.drawLine(1, 12, 15, 12);
      break;
    case Icon::PenWidth:
      for (int i = 0; i < 3; ++i) p.fillRect(1, 2 + i * 5, 14, i + 1, Qt::black);
      break;
    case Icon::FillPattern:
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.setClipRect(2, 2, 12, 12);
      for (int x = -12; x < 16; x += 4) p.drawLine(x, 15, x + 14, 1);
      break;
    case Icon::Options:
      for (int i = 0; i < 3; ++i) {
        const int y = 3 + i * 5;
        p.drawLine(1, y, 15, y);
        p.setBrush(kObject);
        p.drawRect(QRectF(3 + i * 4, y - 2, 3, 4));
        p.setBrush(Qt::NoBrush);
      }
      break;
    case Icon::BaseData:
      p.setBrush(QColor(0xFF, 0xF0, 0xC0));
      p.drawRect(QRectF(1.5, 1.5, 13, 13));
      p.fillRect(7, 3, 2, 2, Qt::black);
      p.fillRect(7, 6, 2, 7, Qt::black);
      break;
    case Icon::Symbol:  // a valve: two triangles tip to tip
      p.setBrush(kObject);
      p.drawPolygon(QPolygonF({QPointF(2, 4), QPointF(8, 8), QPointF(2, 12)}));
      p.drawPolygon(QPolygonF({QPointF(14, 4), QPointF(8, 8), QPointF(14, 12)}));
      p.drawLine(QPointF(8, 8), QPointF(8, 2));
      break;
    case Icon::FunctionKeys:
      KeyCap(p, "F");
      break;
    case Icon::SoftKeys:
      KeyCap(p, "S");
      break;
    case Icon::AlignLeft:
    case Icon::AlignRight:
    case Icon::AlignHCentre: {
      const int x = icon == Icon::AlignLeft ? 1 : icon == Icon::AlignRight ? 14 : 8;
      const int wide = 12, narrow = 7;
      auto left = [&](int w) {
        return icon == Icon::AlignLeft ? x + 1 : icon == Icon::AlignRight ? x - w : x - w / 2;
      };
      p.fillRect(left(wide), 3, wide, 4, kObject);
      p.fillRect(left(narrow), 9, narrow, 4, kObject);
      p.drawLine(x, 0, x, 16);
      break;
    }
    case Icon::AlignTop:
    case Icon::AlignBottom:
    case Icon::AlignVCentre: {
      const int y = icon == Icon::AlignTop ? 1 : icon == Icon::AlignBottom ? 14 : 8;
      const int tall = 12, low = 7;
      auto top = [&](int h) {
        return icon == Icon::AlignTop ? y + 1 : icon == Icon::AlignBottom ? y - h : y - h / 2;
      };
      p.fillRect(3, top(tall), 4, tall, kObject);
      p.fillRect(9, top(low), 4, low, kObject);
      p.drawLine(0, y, 16, y);
      break;
    }
    case Icon::DistributeH:
      for (int i = 0; i < 3; ++i) p.fillRect(1 + i * 5, 4, 3, 8, kObject);
      break;
    case Icon::DistributeV:
      for (int i = 0; i < 3; ++i) p.fillRect(4, 1 + i * 5, 8, 3, kObject);
      break;
    case Icon::SameWidth:
      p.fillRect(2, 2, 12, 4, kObject);
      p.fillRect(2, 10, 12, 4, kObject);
      p.drawLine(1, 8, 15, 8);
      break;
    case Icon::SameHeight:
      p.fillRect(2, 2, 4, 12, kObject);
      p.fillRect(10, 2, 4, 12, kObject);
      p.drawLine(8, 1, 8, 15);
      break;
  }
  p.end();
  return QIcon(pixmap);
}

bool IsGroupSelected(const t_bild& picture) {
  for (const t_liste* n = picture.objects.get(); n; n = n->next()) {
    const auto& o = static_cast<const t_objekt&>(*n);
    if (o.IsSelected() && o.IsGroup()) return true;
  }
  return false;
}

}  // namespace

EditToolBar::EditToolBar(Workspace& workspace, QWidget* parent)
    : QToolBar(parent),
      workspace_(workspace),
      texts_(std::make_unique<Retranslator>(workspace.translator())) {
  setObjectName("tb_arbeitsmittel");
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(16, 16));
  setContextMenuPolicy(Qt::PreventContextMenu);

  AddAction("ToolButmakegruppe", txt::kHintGruppieren, Icon::Group, [this] {
    Group();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
  AddAction("ToolButbreakegruppe", txt::kHintGruppeAufloesen, Icon::Ungroup, [this] {
    Ungroup();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G));
  AddAction("ToolButinfront", txt::kHintVordergrund, Icon::ToFront, [this] {
    Order(DrawingOrder::ToFront);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
  AddAction("ToolButinback", txt::kHintHintergrund, Icon::ToBack, [this] {
    Order(DrawingOrder::ToBack);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
  AddAction("ToolButonefront", txt::kHintEinsVor, Icon::OneForward, [this] {
    Order(DrawingOrder::OneForward);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp));
  AddAction("ToolButoneback", txt::kHintEinsZurueck, Icon::OneBack, [this] {
    Order(DrawingOrder::OneBack);
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown));
  AddAction("ToolButmirror", txt::kHintSpiegeln, Icon::Mirror, [this] { Mirror(); });
  AddAction("ToolButcopy", txt::kHintKopieren, Icon::Copy, [this] {
    Copy();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
  AddAction("ToolButton4", txt::kHintDrehen, Icon::Rotate, [this] { Rotate(); });
  AddAction("ToolButton6", txt::kHintLoeschen, Icon::Delete, [this] { Delete(); });
  addSeparator();
  AddAction("ToolButton13", txt::kHintFuellfarbe, Icon::FillColour,
            [this] { PickAttribute(ObjectAttribute::FillColour); });
  AddAction("ToolButton15", txt::kHintStiftfarbe, Icon::PenColour,
            [this] { PickAttribute(ObjectAttribute::PenColour); });
  AddAction("ToolButton16", txt::kHintStiftmuster, Icon::PenStyle,
            [this] { PickAttribute(ObjectAttribute::PenStyle); });
  AddAction("ToolButton17", txt::kHintStiftbreite, Icon::PenWidth,
            [this] { PickAttribute(ObjectAttribute::PenWidth); });
  AddAction("ToolButton14", txt::kHintFuellmuster, Icon::FillPattern,
            [this] { PickAttribute(ObjectAttribute::FillPattern); });
  AddAction("ToolButoptionen", txt::kHintZeichenoptionen, Icon::Options, [this] { EditOptions(); });
  addSeparator();
  AddAction("ToolButton18", txt::kHintBildGrunddaten, Icon::BaseData, [this] { BaseData(); });
  AddAction("ToolButton20", txt::kHintFTasten, Icon::FunctionKeys, [this] { FunctionKeys(); });
  AddAction("ToolButton11", txt::kHintSTasten, Icon::SoftKeys, [this] { SoftKeys(); });
  AddAction("ToolButSymbol", txt::kExHintSymbol, Icon::Symbol, [this] { Symbol(); });
  addSeparator();
  AddAction("ToolButAlignLeft", txt::kAlignLeft, Icon::AlignLeft,
            [this] { Align(Alignment::Left); });
  AddAction("ToolButAlignHCentre", txt::kAlignHCentre, Icon::AlignHCentre,
            [this] { Align(Alignment::HorizontalCentre); });
  AddAction("ToolButAlignRight", txt::kAlignRight, Icon::AlignRight,
            [this] { Align(Alignment::Right); });
  AddAction("ToolButAlignTop", txt::kAlignTop, Icon::AlignTop, [this] { Align(Alignment::Top); });
  AddAction("ToolButAlignVCentre", txt::kAlignVCentre, Icon::AlignVCentre,
            [this] { Align(Alignment::VerticalCentre); });
  AddAction("ToolButAlignBottom", txt::kAlignBottom, Icon::AlignBottom,
            [this] { Align(Alignment::Bottom); });
  AddAction("ToolButDistributeH", txt::kDistributeH, Icon::DistributeH,
            [this] { Distribute(Distribution::Horizontal); });
  AddAction("ToolButDistributeV", txt::kDistributeV, Icon::DistributeV,
            [this] { Distribute(Distribution::Vertical); });
  AddAction("ToolButSameWidth", txt::kSameWidth, Icon::SameWidth,
            [this] { MatchSize(SizeMatch::Width); });
  AddAction("ToolButSameHeight", txt::kSameHeight, Icon::SameHeight,
            [this] { MatchSize(SizeMatch::Height); });

  // The menu entry of the editing options, for the sheet's context menu.
  auto* options = new QAction(this);
  options->setObjectName("Edidieroptonen1");
  connect(options, &QAction::triggered, this, [this] { EditOptions(); });
  texts_->Add([options](Translator& tr) { options->setText(Tr(tr, txt::kMenuEdidieroptionen)); });

  prompts_.confirmDelete = [this] {
    return Messages().Show(MsgKind::Abfrage, ButtonSet::JaNein,
                           workspace_.translator().Tr(txt::kLoeschenFrage)) == kAnswerJa;
  };
  prompts_.pickAttribute = [this](ObjectAttribute attribute, int start, QPoint topLeft) {
    return RunAttributePicker(this, workspace_.translator(), attribute, start, topLeft);
  };
  prompts_.editOptions = [this](EditingOptions& options) {
    return EditEditingOptions(this, workspace_.translator(),
                              messageSource_ ? messageSource_() : nullptr, options);
  };
  prompts_.editKeys = [this](Document& document, t_bild& picture, bool softKeys) {
    EditPictureKeys(this, workspace_.translator(), Messages(), document, picture, softKeys);
  };
  prompts_.editBaseData = [this](Document& document, t_bild& picture) {
    EditPictureBaseData(this, workspace_.translator(), Messages(), document, picture);
  };
  prompts_.symbolName = [this](const std::string& proposed, const std::filesystem::path& folder) {
    return AskSymbolName(this, workspace_.translator(), &Messages(), folder, proposed);
  };
  prompts_.chooseSymbol = [this](const std::filesystem::path& folder) {
    return ChooseSymbol(this, workspace_, &Messages(), folder);
  };
  UpdateStates();
}

EditToolBar::~EditToolBar() = default;

QAction* EditToolBar::AddAction(const char* name, const TextId& hint, Icon icon,
                                std::function<void()> run) {
  QAction* action = addAction(BarIcon(icon), QString());
  action->setObjectName(name);
  if (QWidget* button = widgetForAction(action)) button->setObjectName(name);
  connect(action, &QAction::triggered, this, std::move(run));
  // The hint names the shortcut, whenever one is set.
  texts_->Add([action, &hint](Translator& tr) {
    QString text = Tr(tr, hint);
    action->setText(text);
    if (!action->shortcut().isEmpty())
      text += " (" + action->shortcut().toString(QKeySequence::NativeText) + ")";
    action->setToolTip(text);
    action->setStatusTip(Tr(tr, hint));
  });
  return action;
}

QAction* EditToolBar::Action(const char* name) const {
  return findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
}

void EditToolBar::AddToContextMenu(QMenu* menu) {
  menu->addAction(Action("Edidieroptonen1"));
  menu->addSeparator();
  for (const char* name : {"ToolButmakegruppe", "ToolButbreakegruppe"})
    menu->addAction(Action(name));
  QMenu* order = menu->addMenu(QString());
  order->setObjectName("Reihenfolge1");
  for (const char* name : {"ToolButinfront", "ToolButonefront", "ToolButoneback", "ToolButinback"})
    order->addAction(Action(name));
  QMenu* align = menu->addMenu(QString());
  align->setObjectName("Ausrichten1");
  for (const char* name :
       {"ToolButAlignLeft", "ToolButAlignHCentre", "ToolButAlignRight", "-", "ToolButAlignTop",
        "ToolButAlignVCentre", "ToolButAlignBottom", "-", "ToolButDistributeH",
        "ToolButDistributeV", "-", "ToolButSameWidth", "ToolButSameHeight"}) {
    if (name[0] == '-')
      align->addSeparator();
    else
      align->addAction(Action(name));
  }
  texts_->Add([order, align](Translator& tr) {
    order->setTitle(Tr(tr, txt::kMenuReihenfolge));
    align->setTitle(Tr(tr, txt::kMenuAusrichten));
  });
}

void EditToolBar::AddShortcutsTo(QWidget* scope) {
  for (QAction* action : actions()) {
    if (action->shortcut().isEmpty()) continue;
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    scope->addAction(action);
  }
}

void EditToolBar::Retranslate() {
  texts_->Apply();
}

// --- document ---------------------------------------------------------------------------

void EditToolBar::SetDocument(Document* document) {
  subscription_.Reset();
  document_ = document;
  if (document_)
    subscription_ = DocumentSubscription(*document_, [this](const Change& change) {
      switch (change.kind) {
        case ChangeKind::Objects:
        case ChangeKind::Selection:
        case ChangeKind::OpenPicture:
          UpdateStates();
          break;
        default:
          break;
      }
    });
  UpdateStates();
}

t_bild* EditToolBar::Picture() const {
  return document_ ? document_->OpenPicture() : nullptr;
}

// The buttons are available exactly when they would do something.
void EditToolBar::UpdateStates() {
  const t_bild* picture = Picture();
  std::size_t top = 0, any = 0;
  bool group = false;
  if (picture) {
    top = document_->SelectedTopLevel().size();
    any = document_->SelectedObjects().size();
    group = IsGroupSelected(*picture);
  }
  auto enable = [this](std::initializer_list<const char*> names, bool on) {
    for (const char* name : names) Action(name)->setEnabled(on);
  };
  enable({"ToolButmakegruppe", "ToolButAlignLeft", "ToolButAlignHCentre", "ToolButAlignRight",
          "ToolButAlignTop", "ToolButAlignVCentre", "ToolButAlignBottom", "ToolButSameWidth",
          "ToolButSameHeight"},
         top >= 2);
  enable({"ToolButDistributeH", "ToolButDistributeV"}, top >= 3);
  enable({"ToolButbreakegruppe"}, group);
  enable({"ToolButinfront", "ToolButinback", "ToolButonefront", "ToolButoneback", "ToolButton6"},
         any > 0);
  enable({"ToolButmirror", "ToolButcopy", "ToolButton4"}, top > 0);
  enable({"ToolButton18", "ToolButton20", "ToolButton11", "ToolButSymbol"}, picture != nullptr);
}

// --- reporting ---------------------------------------------------------------------------

MessageBox& EditToolBar::Messages() {
  if (messageSource_)
    if (MessageBox* box = messageSource_()) return *box;
  if (!ownMessages_) ownMessages_ = std::make_unique<TInfo_MSG>(workspace_.translator(), this);
  return *ownMessages_;
}

void EditToolBar::Report(const EditResult& result) {
  if (!result)
    Messages().Show(MsgKind::Fehler, ButtonSet::Weiter, workspace_.translator().Tr(result.error));
}

// --- the operations ---------------------------------------------------------------------

EditingOptions EditToolBar::Options() const {
  const PictureSettings& s = workspace_.settings().picture;
  EditingOptions o;
  o.copyMoveX = s.copyMoveX;
  o.copyMoveY = s.copyMoveY;
  o.mirrorX = s.mirrorX;
  o.mirrorY = s.mirrorY;
  o.mirrorCopy = s.mirrorCopy;
  o.angle = s.angle;
  o.rotateCopy = s.rotateCopy;
  return o;
}

void EditToolBar::Group() {
  if (t_bild* picture = Picture()) Report(GroupSelection(*document_, *picture));
}

void EditToolBar::Ungroup() {
  if (t_bild* picture = Picture()) Report(UngroupSelection(*document_, *picture));
}

void EditToolBar::Order(DrawingOrder order) {
  if (t_bild* picture = Picture()) Report(ChangeDrawingOrder(*document_, *picture, order));
}

void EditToolBar::Copy() {
  if (t_bild* picture = Picture()) Report(CopySelection(*document_, *picture, Options()));
}

void EditToolBar::Mirror() {
  if (t_bild* picture = Picture()) Report(MirrorSelection(*document_, *picture, Options()));
}

void EditToolBar::Rotate() {
  if (t_bild* picture = Picture()) Report(RotateSelection(*document_, *picture, Options()));
}

void EditToolBar::Delete() {
  t_bild* picture = Picture();
  if (!picture || document_->SelectedObjects().empty()) return;
  if (!prompts_.confirmDelete()) return;
  Report(DeleteSelection(*document_, *picture));
}

std::uint8_t& EditToolBar::Current(ObjectAttribute attribute) {
  return store_ ? store_(attribute) : own_[attribute];
}

QPoint EditToolBar::BelowButton(QAction* action) const {
  QWidget* button = widgetForAction(action);
  if (!button || !button->isVisible()) return QCursor::pos();
  return button->mapToGlobal(QPoint(0, button->height()));
}

void EditToolBar::PickAttribute(ObjectAttribute attribute) {
  static constexpr const char* kButtons[] = {"ToolButton13", "ToolButton15", "ToolButton14",
                                             "ToolButton17", "ToolButton16"};
  t_bild* picture = Picture();
  std::uint8_t& current = Current(attribute);
  const int start = PickerStartValue(picture, attribute, current);
  const std::optional<int> picked = prompts_.pickAttribute(
      attribute, start, BelowButton(Action(kButtons[static_cast<int>(attribute)])));
  // Closed without a choice: nothing changes, neither the objects nor the
  // current attribute.
  if (!picked) return;
  Report(ApplyPickedAttribute(document_, picture, attribute, *picked, current));
}

void EditToolBar::EditOptions() {
  EditingOptions options = Options();
  if (prompts_.editOptions(options)) {
    PictureSettings& s = workspace_.settings().picture;
    s.copyMoveX = options.copyMoveX;
    s.copyMoveY = options.copyMoveY;
    s.mirrorX = options.mirrorX;
    s.mirrorY = options.mirrorY;
    s.mirrorCopy = options.mirrorCopy;
    s.angle = options.angle;
    s.rotateCopy = options.rotateCopy;
  }
  emit toolReset();
}

void EditToolBar::Align(Alignment alignment) {
  if (t_bild* picture = Picture()) Report(AlignSelection(*document_, *picture, alignment));
}

void EditToolBar::Distribute(Distribution distribution) {
  if (t_bild* picture = Picture()) Report(DistributeSelection(*document_, *picture, distribution));
}

void EditToolBar::MatchSize(SizeMatch match) {
  if (t_bild* picture = Picture()) Report(MatchSelectionSize(*document_, *picture, match));
}

void EditToolBar::FunctionKeys() {
  if (t_bild* picture = Picture()) prompts_.editKeys(*document_, *picture, false);
}

void EditToolBar::SoftKeys() {
  if (t_bild* picture = Picture()) prompts_.editKeys(*document_, *picture, true);
}

void EditToolBar::BaseData() {
  if (t_bild* picture = Picture()) prompts_.editBaseData(*document_, *picture);
}

void EditToolBar::Symbol() {
  t_bild* picture = Picture();
  if (!document_ || !picture) return;
  Translator& translator = workspace_.translator();
  const std::filesystem::path folder =
      UseFolderSetting(workspace_.settings(), FolderKey::Symbol, workspace_.install());
  const std::vector<t_objekt*> selected = document_->SelectedTopLevel();
  if (!selected.empty()) {
    if (!prompts_.symbolName) return;
    const std::optional<std::string> name = prompts_.symbolName(selected.front()->name, folder);
    if (!name) return;
    std::vector<const t_objekt*> objects(selected.begin(), selected.end());
    std::vector<std::string> lines;
    WriteSymbolFile(document_->Project(), objects, *name,
                    [&](const std::string& line) { lines.push_back(line); });
    if (!WriteExchangeFile(SymbolFilePath(folder, *name), lines))
      Messages().Show(MsgKind::Fehler, ButtonSet::Weiter,
                      translator.Tr(txt::kFehlerBeiDateizugriff));
    return;
  }
  if (!prompts_.chooseSymbol) return;
  const std::optional<std::filesystem::path> file = prompts_.chooseSymbol(folder);
  if (!file) return;
  ExchangeContent content = ReadSymbolFile(*file, workspace_.objects(), translator);
  std::vector<ExchangeMessage> messages = content.messages;
  if (!content.readable || !content.objects) {
    messages.push_back({0, txt::kExNichtsImportiert, {}});
    Messages().Show(MsgKind::Fehler, ButtonSet::Weiter, ExchangeMessageLines(messages, translator));
    return;
  }
  MergePlan plan = PlanMerge(document_->Project(), std::move(content));
  Report(InsertSymbol(*document_, *picture, plan));
  if (!messages.empty())
    Messages().Show(MsgKind::Warnung, ButtonSet::Weiter,
                    ExchangeMessageLines(messages, translator));
}

}  // namespace tavo
