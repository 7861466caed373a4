#include "printing/blockpaint.h"

#include "objects/picturedraw.h"
#include "objects/tview.h"
#include "project/liste.h"
#include "resources/fonts.h"

namespace tavo {

namespace {

struct OpPainter {
  Canvas& canvas;
  BlockPainter& painter;

  void Pen(Rgb colour, int width) {
    canvas.SetPenMode(PenMode::Copy);
    canvas.SetPenStyle(PenStyle::Solid);
    canvas.SetPenWidth(width < 1 ? 1 : width);
    canvas.SetPenColour(colour);
  }

  void operator()(const BlockFill& f) {
    canvas.FillRectColour(f.left, f.top, f.right, f.bottom, f.colour);
  }
  void operator()(const BlockFrame& f) {
    Pen(f.colour, 1);
    canvas.SetBrushHollow();
    canvas.Rectangle(f.left, f.top, f.right, f.bottom);
  }
  void operator()(const BlockLine& l) {
    Pen(l.colour, l.width);
    canvas.MoveTo(l.x1, l.y1);
    canvas.LineTo(l.x2, l.y2);
  }
  void operator()(const BlockText& t) {
    const bool clipped = t.clipRight > t.clipLeft && t.clipBottom > t.clipTop;
    if (clipped) canvas.SetClip(t.clipLeft, t.clipTop, t.clipRight, t.clipBottom);
    painter.fonts.DrawTerminalText(canvas, t.x, t.y, t.ink, ToTerminalCharset(t.text), t.font,
                                   false, 0xFFFFFF, 1.0);
    if (clipped) canvas.ClearClip();
  }
  void operator()(const BlockPicture& p) {
    if (!p.picture) return;
    ViewBorrow borrow(painter.view, &canvas, 1.0, static_cast<std::int16_t>(p.x),
                      static_cast<std::int16_t>(p.y));
    canvas.SetClip(p.x, p.y, p.x + p.width, p.y + p.height);
    canvas.FillRectColour(p.x, p.y, p.x + p.width, p.y + p.height,
                          PictureBackground(*p.picture, painter.view, false));
    DrawPictureObjects(*p.picture, painter.view, DrawModeForStyle(0), painter.fields);
    canvas.ClearClip();
  }
};

}  // namespace

void PaintBlock(const PixelBlock& block, Canvas& canvas, BlockPainter& painter) {
  OpPainter op{canvas, painter};
  for (const BlockOp& o : block.ops) std::visit(op, o);
}

void ReplayPage(const Printout& printout, std::size_t index, PageCanvas& canvas) {
  if (index >= printout.pages.size()) return;
  canvas.StartPage(printout.page);
  struct Visitor {
    PageCanvas& canvas;
    void operator()(const PageTitle& t) { canvas.Title(t); }
    void operator()(const PageNote& n) { canvas.Note(n); }
    void operator()(const PageFrame& f) { canvas.Frame(f); }
    void operator()(const PageBlock& b) { canvas.Block(b.block, b.place); }
  };
  for (const PageItem& item : printout.pages[index].items) std::visit(Visitor{canvas}, item);
  canvas.EndPage();
}

}  // namespace tavo
