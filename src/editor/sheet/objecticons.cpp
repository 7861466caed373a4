#include "editor/sheet/objecticons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <cmath>

#include "objects/objectkinds.h"
#include "objects/objekt.h"

namespace tavo {

namespace {

const QColor kInk(0x30, 0x38, 0x48);
const QColor kPaper(0xFA, 0xFA, 0xF5);
const QColor kBlue(0x2E, 0x6E, 0xC8);
const QColor kGreen(0x3A, 0x9A, 0x50);
const QColor kRed(0xC8, 0x3A, 0x3A);
const QColor kAmber(0xF0, 0xB0, 0x20);
const QColor kField(0xDD, 0xEE, 0xFF);

// Every glyph is drawn into an 18 x 12 box at the origin; the object icons
// keep the six columns to its right for the switching mark.
constexpr qreal kGlyphWidth = 18;
constexpr qreal kGlyphHeight = 12;

void Field(QPainter& p, const QColor& fill) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(fill);
  p.drawRect(QRectF(0.5, 1.5, 16, 9));
}

void Label(QPainter& p, const QRectF& box, const QString& text, const QColor& colour) {
  QFont font("Sans");
  font.setPixelSize(8);
  font.setBold(true);
  p.setFont(font);
  p.setPen(colour);
  p.drawText(box, Qt::AlignCenter, text);
}

void Cursor(QPainter& p, qreal x) {
  p.setPen(QPen(kRed, 1));
  p.drawLine(QPointF(x, 3), QPointF(x, 9));
}

void Glyph(QPainter& p, int icon) {
  switch (icon) {
    case 0:  // the list itself
      p.setPen(QPen(kInk, 1));
      for (int row = 0; row < 3; ++row) {
        const qreal y = 2.5 + row * 3.5;
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, y - 1, 2, 2));
        p.drawLine(QPointF(5, y), QPointF(15, y));
      }
      break;
    case 1:  // group: two shapes in one dashed frame
      p.setPen(QPen(kInk, 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(0.5, 0.5, 16, 11));
      p.setPen(QPen(kInk, 1));
      p.setBrush(kField);
      p.drawRect(QRectF(2.5, 2.5, 7, 5));
      p.setBrush(kAmber);
      p.drawEllipse(QRectF(8.5, 4.5, 6, 5));
      break;
    case 2:  // line
      p.setPen(QPen(kInk, 1.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(2, 10), QPointF(15, 2));
      break;
    case 3:  // rectangle
      p.setPen(QPen(kInk, 1));
      p.setBrush(kBlue.lighter(160));
      p.drawRect(QRectF(1.5, 1.5, 14, 9));
      break;
    case 4:  // circle
      p.setPen(QPen(kInk, 1));
      p.setBrush(kAmber);
      p.drawEllipse(QRectF(3.5, 0.5, 11, 11));
      break;
    case 5:  // polygon
      p.setPen(QPen(kInk, 1));
      p.setBrush(kGreen.lighter(150));
      p.drawPolygon(QPolygonF({QPointF(1.5, 10.5), QPointF(5, 1.5), QPointF(10, 6),
                               QPointF(15.5, 2.5), QPointF(13.5, 10.5)}));
      break;
    case 6:  // text
      Label(p, QRectF(0, 0, 17, 12), "Ab", kInk);
      break;
    case 7:  // bar graph
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(0.5, 0.5, 16, 11));
      p.setPen(Qt::NoPen);
      p.setBrush(kBlue);
      p.drawRect(QRectF(3, 6, 3, 5));
      p.drawRect(QRectF(7, 3, 3, 8));
      p.drawRect(QRectF(11, 5, 3, 6));
      break;
    case 8: {  // plot graph
      p.setPen(QPen(kInk, 1));
      p.drawLine(QPointF(1.5, 0.5), QPointF(1.5, 10.5));
      p.drawLine(QPointF(1.5, 10.5), QPointF(16.5, 10.5));
      QPainterPath curve;
      curve.moveTo(2, 8);
      curve.cubicTo(6, 0, 9, 12, 16, 2);
      p.setPen(QPen(kRed, 1.2));
      p.setBrush(Qt::NoBrush);
      p.drawPath(curve);
      break;
    }
    case 9:  // numeric output
      Field(p, kField);
      Label(p, QRectF(0.5, 1.5, 16, 9), "0.0", kInk);
      break;
    case 10:  // numeric input
      Field(p, Qt::white);
      Label(p, QRectF(0.5, 1.5, 13, 9), "12", kBlue);
      Cursor(p, 14);
      break;
    case 11: {  // barcode
      p.setPen(Qt::NoPen);
      p.setBrush(kInk);
      const std::array<qreal, 8> widths{1, 2, 1, 1, 3, 1, 2, 1};
      qreal x = 1;
      for (std::size_t i = 0; i < widths.size(); ++i) {
        if (i % 2 == 0) p.drawRect(QRectF(x, 1, widths[i], 10));
        x += widths[i] + 0.6;
      }
      p.drawRect(QRectF(x, 1, 1, 10));
      break;
    }
    case 12:  // time
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawEllipse(QRectF(3.5, 0.5, 11, 11));
      p.drawLine(QPointF(9, 6), QPointF(9, 2.5));
      p.drawLine(QPointF(9, 6), QPointF(12, 7));
      break;
    case 13:  // date
      p.setPen(QPen(kInk, 1));
      p.setBrush(kPaper);
      p.drawRect(QRectF(3.5, 1.5, 11, 10));
      p.setBrush(kRed);
      p.drawRect(QRectF(3.5, 1.5, 11, 3));
      p.setPen(QPen(kInk, 1));
      for (int col = 0; col < 3; ++col) p.drawPoint(QPointF(6 + col * 3, 7.5));
      for (int col = 0; col < 2; ++col) p.drawPoint(QPointF(6 + col * 3, 9.5));
      break;
    case 14:  // scaled output
      Field(p, kField);
      Label(p, QRectF(0.5, 1.5, 16, 9), "x\u00b7k", kInk);
      break;
    case 15:  // scaled input
      Field(p, Qt::white);
      Label(p, QRectF(0.5, 1.5, 13, 9), "x\u00b7k", kBlue);
      Cursor(p, 14.5);
      break;
    case 16:  // text list input: a choice with its drop-down arrow
      Field(p, Qt::white);
      p.setPen(QPen(kBlue, 1));
      p.drawLine(QPointF(2.5, 4.5), QPointF(9.5, 4.5));
      p.drawLine(QPointF(2.5, 7.5), QPointF(7.5, 7.5));
      p.setPen(Qt::NoPen);
      p.setBrush(kInk);
      p.drawPolygon(QPolygonF({QPointF(11.5, 5), QPointF(15.5, 5), QPointF(13.5, 8)}));
      break;
    case 17:  // text list output: lines of text
      Field(p, kField);
      p.setPen(QPen(kInk, 1));
      for (qreal y : {3.5, 6.0, 8.5}) p.drawLine(QPointF(2.5, y), QPointF(14.5, y));
      break;
    case 19: {  // bitmap
      p.setPen(QPen(kInk, 1));
      p.setBrush(kField);
      p.drawRect(QRectF(1.5, 0.5, 15, 11));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawPolygon(QPolygonF(
          {QPointF(2, 11), QPointF(7, 5), QPointF(10, 8), QPointF(12, 6), QPointF(16, 11)}));
      p.setBrush(kAmber);
      p.drawEllipse(QPointF(12.5, 3), 1.5, 1.5);
      break;
    }
    default:  // no kind uses it: a plain object
      p.setPen(QPen(kInk, 1, Qt::DashLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(2.5, 1.5, 12, 9));
      break;
  }
}

// The switching mark: a small bolt in the given box.
void Bolt(QPainter& p, const QRectF& box) {
  const auto at = [&](qreal x, qreal y) {
    return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
  };
  p.setPen(QPen(kInk, 0.6));
  p.setBrush(kAmber);
  p.drawPolygon(QPolygonF({at(0.55, 0), at(0.05, 0.58), at(0.45, 0.58), at(0.3, 1), at(0.95, 0.38),
                           at(0.55, 0.38), at(0.8, 0)}));
}

template <class Paint>
QIcon Drawn(int width, int height, Paint&& paint) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QPixmap pixmap(width * scale, height * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

// Kind -> `sym_objekte` image of its property button.
struct PropertyImageEntry {
  std::uint8_t kind;
  int image;
};
constexpr PropertyImageEntry kPropertyImages[] = {
    {kKindText, 4},     {kKindEingabe, 12}, {kKindAusgabe, 8},      {kKindBargraf, 5},
    {kKindPlotgraf, 6}, {kKindBarcode, 15}, {kKindSkalEingabe, 13}, {kKindSkalAusgabe, 9},
    {kKindDatum, 11},   {kKindZeit, 7},     {kKindTextListe, 10},   {kKindEditListe, 14},
    {kKindBitmap, 20},
};

}  // namespace

QIcon ObjectIcon(int index) {
  if (index < 0 || index >= 2 * kObjectIconCount) return {};
  const int icon = index / 2;
  const bool switching = index % 2 == 1;
  return Drawn(kObjectIconWidth, kObjectIconHeight, [&](QPainter& p) {
    Glyph(p, icon);
    if (switching) Bolt(p, QRectF(kGlyphWidth + 0.5, 0.5, 5, kGlyphHeight - 1));
  });
}

int ObjectImageIndex(const t_objekt& object) {
  return 2 * object.TreeIcon() + (object.HasSwitching() ? 1 : 0);
}

int PropertyImageIndex(std::uint8_t kind) {
  for (const PropertyImageEntry& e : kPropertyImages)
    if (e.kind == kind) return e.image;
  return -1;
}

QIcon PropertyImage(int index) {
  // The button shows the kind's own tree glyph, a little larger.
  for (const PropertyImageEntry& e : kPropertyImages) {
    if (e.image != index) continue;
    const KindInfo* info = FindKind(e.kind);
    if (!info) return {};
    return Drawn(16, 16, [&](QPainter& p) {
      p.translate(0, 2);
      p.scale(16 / kGlyphWidth * 1.05, 16 / kGlyphWidth * 1.05);
      Glyph(p, info->treeIcon);
    });
  }
  return {};
}

QIcon SwitchingImage() {
  return Drawn(16, 16, [](QPainter& p) { Bolt(p, QRectF(2.5, 0.5, 11, 15)); });
}

}  // namespace tavo
