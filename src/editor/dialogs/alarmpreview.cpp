#include "editor/dialogs/alarmpreview.h"

#include <QPixmap>
#include <algorithm>
#include <vector>

#include "project/liste.h"
#include "qt/qimagecanvas.h"
#include "resources/fonts.h"

namespace tavo {

namespace {

constexpr Rgb kDarkBlue = 0x800000;  // blue 128 in the 0xBBGGRR form
constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kGrey = MakeRgb(128, 128, 128);
constexpr int kNoTerminalWidth = 640;
constexpr int kNoTerminalFrame = 541;
constexpr int kMargin = 4;
constexpr int kPadding = 2;
constexpr const char* kClockFont = "3_______.fon";
constexpr const char* kDatePlaceholder = "TT.MM.JJ";
constexpr const char* kTimePlaceholder = "HH:MM:SS";

struct Cell {
  int width;
  int height;
};

Cell CellOf(FontCache& fonts, const std::string& font) {
  if (!font.empty() && fonts.SelectFont(font) && fonts.Current())
    return {std::max(1, int{fonts.FontWidth()}), std::max(1, int{fonts.FontHeight()})};
  return {kFallbackWidth, kFallbackHeight};
}

void Frame(Canvas& canvas, int left, int top, int right, int bottom) {
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.SetPenWidth(1);
  canvas.SetPenColour(kWhite);
  canvas.SetBrushHollow();
  canvas.Rectangle(left, top, right, bottom);
}

}  // namespace

QImage DrawAlarmPreview(const std::string& text, const std::string& font, int terminalWidth,
                        FontCache& fonts) {
  const Cell cell = CellOf(fonts, font);
  const Cell clock = CellOf(fonts, kClockFont);
  const int perLine = AlarmLineLength(terminalWidth, cell.width);
  const std::string shown = ToTerminalCharset(text);
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < shown.size(); at += static_cast<std::size_t>(perLine))
    lines.push_back(shown.substr(at, static_cast<std::size_t>(perLine)));
  if (lines.empty()) lines.emplace_back();

  const int frameWidth = terminalWidth > 0 ? terminalWidth - 99 : kNoTerminalFrame;
  const int frameHeight = static_cast<int>(lines.size()) * cell.height + 2 * kPadding + 1;
  const int boxLeft = kMargin + frameWidth + kMargin;
  const int boxWidth = 8 * clock.width + 2 * kPadding + 1;
  const int boxHeight = 2 * clock.height + 3 * kPadding + 1;
  const int width =
      std::max(terminalWidth > 0 ? terminalWidth : kNoTerminalWidth, boxLeft + boxWidth + kMargin);
  const int height = 2 * kMargin + std::max(frameHeight, boxHeight);

  QImageCanvas canvas(width, height, kDarkBlue);
  canvas.FillRectColour(0, 0, width, height, kDarkBlue);
  Frame(canvas, kMargin, kMargin, kMargin + frameWidth, kMargin + frameHeight);
  const int boxRight = width - kMargin;
  Frame(canvas, boxLeft, kMargin, boxRight, kMargin + boxHeight);
  const int clockLeft = boxLeft + (boxRight - boxLeft - 8 * clock.width) / 2;
  fonts.DrawTerminalText(canvas, clockLeft, kMargin + kPadding, kWhite, kDatePlaceholder,
                         kClockFont, false, kDarkBlue, 1.0);
  fonts.DrawTerminalText(canvas, clockLeft, kMargin + 2 * kPadding + clock.height, kWhite,
                         kTimePlaceholder, kClockFont, false, kDarkBlue, 1.0);
  for (std::size_t i = 0; i < lines.size(); ++i)
    fonts.DrawTerminalText(canvas, kMargin + kPadding + 1,
                           kMargin + kPadding + 1 + static_cast<int>(i) * cell.height, kWhite,
                           lines[i], font, true, kGrey, 1.0);
  return canvas.Image().copy();
}

AlarmPreview::AlarmPreview(FontCache& fonts, QWidget* parent) : QLabel(parent), fonts_(fonts) {
  setObjectName("AlarmVorschau");
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void AlarmPreview::ShowAlarm(const std::string& text, const std::string& font, int terminalWidth) {
  image_ = DrawAlarmPreview(text, font, terminalWidth, fonts_);
  setPixmap(QPixmap::fromImage(image_));
}

void AlarmPreview::ShowNothing() {
  image_ = QImage();
  clear();
}

}  // namespace tavo
