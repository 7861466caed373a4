#pragma once
// The pages of the project printout as drawing commands. Most of a page is
// pixel blocks: small off-screen images drawn as the terminal would draw
// them (terminal fonts, whole pixels) and then scaled onto a millimetre
// rectangle of the page. The rest is vector work in millimetres: section
// titles, notes, frames. The layout (printproject.h) builds the pages
// without any platform; a PageCanvas (the preview, the printer, PDF)
// replays them.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "printing/printoptions.h"
#include "resources/canvas.h"

namespace tavo {

class t_bild;

// --- pixel blocks, in the block's own pixels ------------------------------

// Plain colour; right and bottom exclusive.
struct BlockFill {
  int left, top, right, bottom;
  Rgb colour;
};
// Outline one pixel wide; right and bottom exclusive.
struct BlockFrame {
  int left, top, right, bottom;
  Rgb colour;
};
struct BlockLine {
  int x1, y1, x2, y2;
  Rgb colour;
  int width;
};
// A text in a terminal font (file name as in the installation), code page
// 1252: the painter converts it to the terminal's code page. With a clip
// (right > left), nothing is drawn outside it.
struct BlockText {
  int x, y;
  std::string font;
  Rgb ink;
  std::string text;
  int clipLeft = 0, clipTop = 0, clipRight = 0, clipBottom = 0;
};
// A picture as the sheet draws it (its background colour, then every object
// in normal drawing mode), its terminal origin at (x, y), zoom 1. The
// picture belongs to the project, which must outlive the printout.
struct BlockPicture {
  const t_bild* picture;
  int x, y;
  int width, height;  // the terminal area painted in the background colour
};

using BlockOp = std::variant<BlockFill, BlockFrame, BlockLine, BlockText, BlockPicture>;

struct PixelBlock {
  int width = 0;
  int height = 0;
  std::vector<BlockOp> ops;
};

// --- page items, in millimetres from the page's top-left corner -----------

struct MmRect {
  double x, y, width, height;
};

// Section titles: "Courier New", 4.5 mm high, bold italic, black; (x, y) is
// the top of the text.
struct PageTitle {
  double x, y;
  std::string text;  // code page 1252
};
// A note in a plain sans-serif font `size` mm high.
struct PageNote {
  double x, y;
  double size;
  Rgb colour;
  std::string text;  // code page 1252
};
// An outline `penMm` thick; dashed when asked.
struct PageFrame {
  MmRect rect;
  Rgb colour;
  double penMm;
  bool dashed;
};
struct PageBlock {
  MmRect place;
  PixelBlock block;
};

using PageItem = std::variant<PageTitle, PageNote, PageFrame, PageBlock>;

struct PrintPage {
  std::vector<PageItem> items;
};

struct Printout {
  PageGeometry page;
  std::vector<PrintPage> pages;
};

// Where the pages go. Every page is white when started.
class PageCanvas {
 public:
  virtual ~PageCanvas() = default;
  virtual void StartPage(const PageGeometry& page) = 0;
  virtual void Title(const PageTitle& title) = 0;
  virtual void Note(const PageNote& note) = 0;
  virtual void Frame(const PageFrame& frame) = 0;
  virtual void Block(const PixelBlock& block, const MmRect& place) = 0;
  virtual void EndPage() = 0;
};

// Sends page `index` (0-based) to the canvas; nothing for an index outside.
void ReplayPage(const Printout& printout, std::size_t index, PageCanvas& canvas);

}  // namespace tavo
