#pragma once
// The sheet's own mouse cursors, registered once under the numbers 1..29:
// the zoom cursors, the arrow of the selection tool, one cursor per
// creation tool, the nine handle cursors "BM11" ... "BM33" (row digit top
// to bottom, column digit left to right) and the bitmap cursor. The images
// are drawn here in code.

#include <QCursor>
#include <QIcon>
#include <array>
#include <string_view>

namespace tavo {

enum SheetCursorNumber : int {
  kZoomInCursor = 1,
  kZoomOutCursor,
  kPfeilCursor,
  kLineCursor,
  kRectCursor,
  kCircCursor,
  kPolyCursor,
  kTextCursor,
  kBarGrafCursor,
  kPlotgrafCursor,
  kTextListCursor,
  kEditListCursor,
  kAusgabeCursor,
  kEingabeCursor,
  kScalAusgabeCursor,
  kScalEingabeCursor,
  kBarcodeCursor,
  kClockAusCursor,
  kDateAusCursor,
  kBM11,
  kBM12,
  kBM13,
  kBM21,
  kBM22,
  kBM23,
  kBM31,
  kBM32,
  kBM33,
  kBitmapCursor,
};

class SheetCursors {
 public:
  static constexpr int kCount = 29;

  // Needs the GUI application (the images are pixmaps).
  SheetCursors();

  // The cursor registered under `number`; the standard cross for any other
  // number.
  const QCursor& Cursor(int number) const;
  // By name ("ZoomInCursor", "BM23" ...); the standard cross for an unknown
  // name.
  const QCursor& Cursor(std::string_view name) const;

  // Name of cursor `number`, empty outside 1..29.
  static std::string_view Name(int number);
  // Number of the named cursor, 0 when there is none.
  static int Number(std::string_view name);
  // A 16 x 16 image of the tool whose cursor is `number`, for its button.
  static QIcon ToolIcon(int number);

 private:
  std::array<QCursor, kCount> cursors_;
  QCursor cross_{Qt::CrossCursor};
};

}  // namespace tavo
