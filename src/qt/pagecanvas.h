#pragma once
// The printout's pages on a QPainter: the preview, the printer and PDF
// files all draw through QPainterPageCanvas. Millimetres of the page map
// onto a target rectangle of the painter's device; pixel blocks are drawn
// off-screen with the terminal fonts and scaled into their place smoothly.

#include <QRectF>
#include <string>

#include "printing/blockpaint.h"
#include "printing/printout.h"

class QPainter;
class QImage;

namespace tavo {

class QPainterPageCanvas : public PageCanvas {
 public:
  // `target`: where the whole page goes on the painter's device (device
  // units; its width stands for the page's width).
  QPainterPageCanvas(QPainter& painter, const QRectF& target, BlockPainter& blocks);

  // Device units of x millimetres on the page: the target's width divided by
  // the page's width, times x.
  double MM(double x) const { return x * scale_; }

  void StartPage(const PageGeometry& page) override;
  void Title(const PageTitle& title) override;
  void Note(const PageNote& note) override;
  void Frame(const PageFrame& frame) override;
  void Block(const PixelBlock& block, const MmRect& place) override;
  void EndPage() override;

 private:
  QPointF Point(double x, double y) const;
  QRectF Rect(const MmRect& r) const;

  QPainter& painter_;
  QRectF target_;
  BlockPainter& blocks_;
  double scale_ = 1;
};

// The block as an image of its own size.
QImage RenderBlock(const PixelBlock& block, BlockPainter& blocks);

// Writes every page of the printout as a PDF file, one page per page, the
// page size of the printout's geometry. The file is complete before it
// takes the place of `path`; on failure nothing is left there and `error`
// says why.
bool WritePrintoutPdf(const Printout& printout, BlockPainter& blocks, const std::string& path,
                      std::string* error);

}  // namespace tavo
