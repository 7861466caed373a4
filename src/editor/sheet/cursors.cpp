#include "editor/sheet/cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tavo {
namespace {

constexpr std::string_view kNames[SheetCursors::kCount] = {
    "ZoomInCursor",
    "ZoomOutCursor",
    "PfeilCursor",
    "LineCursor",
    "RectCursor",
    "CircCursor",
    "PolyCursor",
    "TextCursor",
    "BarGrafCursor",
    "PlotgrafCursor",
    "TextListCursor",
    "EditListCursor",
    "AusgabeCursor",
    "EingabeCursor",
    "ScalAusgabeCursor",
    "ScalEingabeCursor",
    "BarcodeCursor",
    "ClockAusCursor",
    "DateAusCursor",
    "BM11",
    "BM12",
    "BM13",
    "BM21",
    "BM22",
    "BM23",
    "BM31",
    "BM32",
    "BM33",
    "BitmapCursor",
};

constexpr int kSize = 32;

// Black strokes with a white rim, so that the cursor shows on any picture.
void Stroke(QPainter& p, const QPainterPath& path) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(path);
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(path);
}

void Fill(QPainter& p, const QPainterPath& path) {
  p.setPen(QPen(Qt::white, 1));
  p.setBrush(Qt::black);
  p.drawPath(path);
}

// The symbol of each creation tool, inside the square 17..30.
QPainterPath ToolSymbol(int number) {
  QPainterPath s;
  switch (number) {
    case kLineCursor:
      s.moveTo(17, 30);
      s.lineTo(30, 17);
      break;
    case kRectCursor:
      s.addRect(17, 19, 13, 10);
      break;
    case kCircCursor:
      s.addEllipse(17, 17, 13, 13);
      break;
    case kPolyCursor:
      s.moveTo(17, 29);
      s.lineTo(21, 18);
      s.lineTo(30, 22);
      s.lineTo(26, 30);
      s.closeSubpath();
      break;
    case kTextCursor:
      s.moveTo(18, 18);
      s.lineTo(30, 18);
      s.moveTo(24, 18);
      s.lineTo(24, 30);
      break;
    case kBarGrafCursor:
      s.addRect(18, 24, 3, 6);
      s.addRect(22, 20, 3, 10);
      s.addRect(26, 17, 3, 13);
      break;
    case kPlotgrafCursor:
      s.moveTo(17, 17);
      s.lineTo(17, 30);
      s.lineTo(30, 30);
      s.moveTo(18, 27);
      s.lineTo(22, 21);
      s.lineTo(25, 25);
      s.lineTo(30, 18);
      break;
    case kTextListCursor:
    case kEditListCursor:
      s.addRect(17, 19, 13, 10);
      s.moveTo(19, 22);
      s.lineTo(25, 22);
      s.moveTo(19, 25);
      s.lineTo(25, 25);
      if (number == kEditListCursor) {  // a caret: the field takes input
        s.moveTo(28, 21);
        s.lineTo(28, 27);
      }
      break;
    case kAusgabeCursor:
    case kEingabeCursor:
    case kScalAusgabeCursor:
    case kScalEingabeCursor:
      s.addRect(17, 20, 13, 8);
      s.moveTo(19, 24);
      s.lineTo(24, 24);
      if (number == kEingabeCursor || number == kScalEingabeCursor) {
        s.moveTo(27, 22);
        s.lineTo(27, 26);
      }
      if (number == kScalAusgabeCursor || number == kScalEingabeCursor) {
        for (int x = 18; x <= 30; x += 3) {
          s.moveTo(x, 30);
          s.lineTo(x, 31);
        }
      }
      break;
    case kBarcodeCursor:
      for (int x : {17, 19, 22, 23, 26, 28, 30}) {
        s.moveTo(x, 18);
        s.lineTo(x, 30);
      }
      break;
    case kClockAusCursor:
      s.addEllipse(17, 17, 13, 13);
      s.moveTo(23.5, 23.5);
      s.lineTo(23.5, 19);
      s.moveTo(23.5, 23.5);
      s.lineTo(27, 23.5);
      break;
    case kDateAusCursor:
      s.addRect(17, 18, 13, 12);
      s.moveTo(17, 21);
      s.lineTo(30, 21);
      for (int x : {21, 25}) {
        s.moveTo(x, 21);
        s.lineTo(x, 30);
      }
      s.moveTo(17, 25);
      s.lineTo(30, 25);
      break;
    case kBitmapCursor:
      s.addRect(17, 18, 13, 12);
      s.moveTo(18, 29);
      s.lineTo(22, 23);
      s.lineTo(25, 27);
      s.lineTo(27, 25);
      s.lineTo(29, 29);
      s.addEllipse(25, 19, 3, 3);
      break;
    default:
      break;
  }
  return s;
}

// Cross-hair with its centre at the hot spot (8, 8) plus the tool's symbol.
QCursor ToolCursor(int number) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  QPainterPath cross;
  cross.moveTo(8, 1);
  cross.lineTo(8, 15);
  cross.moveTo(1, 8);
  cross.lineTo(15, 8);
  Stroke(p, cross);
  Stroke(p, ToolSymbol(number));
  p.end();
  return QCursor(pixmap, 8, 8);
}

// A magnifier whose glass centre is the hot spot; plus or minus inside.
QCursor ZoomCursor(bool plus) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath glass;
  glass.addEllipse(QPointF(11, 11), 8, 8);
  glass.moveTo(17, 17);
  glass.lineTo(28, 28);
  glass.moveTo(7, 11);
  glass.lineTo(15, 11);
  if (plus) {
    glass.moveTo(11, 7);
    glass.lineTo(11, 15);
  }
  Stroke(p, glass);
  p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(19, 19, 28, 28);
  p.end();
  return QCursor(pixmap, 11, 11);
}

QCursor ArrowCursor() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  QPainterPath arrow;
  arrow.moveTo(1, 1);
  arrow.lineTo(1, 17);
  arrow.lineTo(5, 13);
  arrow.lineTo(8, 20);
  arrow.lineTo(11, 19);
  arrow.lineTo(8, 12);
  arrow.lineTo(13, 12);
  arrow.closeSubpath();
  Fill(p, arrow);
  p.end();
  return QCursor(pixmap, 1, 1);
}

// A double arrow along (dx, dy) through the centre; the middle handle gets
// arrows in all four directions.
QCursor HandleCursor(int number) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF c(15.5, 15.5);
  auto doubleArrow = [&](QPointF d) {
    QPainterPath path;
    const QPointF a = c - d * 11, b = c + d * 11;
    const QPointF n(-d.y(), d.x());
    path.moveTo(a);
    path.lineTo(b);
    for (const auto& [tip, back] : {std::pair{a, d}, std::pair{b, -d}}) {
      path.moveTo(tip + back * 5 + n * 4);
      path.lineTo(tip);
      path.lineTo(tip + back * 5 - n * 4);
    }
    Stroke(p, path);
  };
  constexpr qreal k = 0.70710678;
  switch (number) {
    case kBM11:
    case kBM33:
      doubleArrow({k, k});
      break;
    case kBM13:
    case kBM31:
      doubleArrow({k, -k});
      break;
    case kBM12:
    case kBM32:
      doubleArrow({0, 1});
      break;
    case kBM21:
    case kBM23:
      doubleArrow({1, 0});
      break;
    default:
      doubleArrow({1, 0});
      doubleArrow({0, 1});
      break;
  }
  p.end();
  return QCursor(pixmap, 15, 15);
}

}  // namespace

SheetCursors::SheetCursors() {
  for (int n = 1; n <= kCount; ++n) {
    QCursor cursor;
    if (n == kZoomInCursor || n == kZoomOutCursor)
      cursor = ZoomCursor(n == kZoomInCursor);
    else if (n == kPfeilCursor)
      cursor = ArrowCursor();
    else if (n >= kBM11 && n <= kBM33)
      cursor = HandleCursor(n);
    else
      cursor = ToolCursor(n);
    cursors_[n - 1] = cursor;
  }
}

QIcon SheetCursors::ToolIcon(int number) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  QPainterPath symbol;
  if (number == kPfeilCursor) {
    symbol.moveTo(4, 1);
    symbol.lineTo(4, 13);
    symbol.lineTo(7, 10);
    symbol.lineTo(9, 15);
    symbol.lineTo(11, 14);
    symbol.lineTo(9, 9);
    symbol.lineTo(13, 9);
    symbol.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(symbol);
  } else {
    // The cursor's symbol lies in the square 17..30.
    symbol = ToolSymbol(number).translated(-16, -16);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(symbol);
  }
  p.end();
  return QIcon(pixmap);
}

const QCursor& SheetCursors::Cursor(int number) const {
  return number >= 1 && number <= kCount ? cursors_[number - 1] : cross_;
}

const QCursor& SheetCursors::Cursor(std::string_view name) const {
  return Cursor(Number(name));
}

std::string_view SheetCursors::Name(int number) {
  return number >= 1 && number <= kCount ? kNames[number - 1] : std::string_view();
}

int SheetCursors::Number(std::string_view name) {
  for (int n = 1; n <= kCount; ++n)
    if (kNames[n - 1] == name) return n;
  return 0;
}

}  // namespace tavo
