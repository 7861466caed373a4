// tavodex-cli text: renders a text in a terminal font into a PNG, exactly as
// the editor shows it at the given zoom.

#include <QImage>
#include <QString>
#include <algorithm>
#include <cmath>
#include <ostream>

#include "app/cli/commands.h"
#include "objects/tview.h"
#include "project/liste.h"
#include "qt/qimagecanvas.h"
#include "resources/fonts.h"
#include "shell/codepage.h"

namespace tavo::cli {
namespace {

constexpr const char* kUsage =
    "usage: tavodex-cli text TEXT --font FILE.FON --output FILE.png [--zoom Z]\n"
    "                        [--colour N] [--background N]\n"
    "  Renders TEXT (UTF-8) in the terminal font FILE.FON of the installation's\n"
    "  fonts folder. Z is the zoom (default 1, at most 64). N are palette indexes\n"
    "  0..15: the ink (default 0, black) and, when given, an opaque background\n"
    "  (otherwise the text lies on white). A font that cannot be loaded is\n"
    "  replaced by the built-in 8 x 16 font at zoom 1. Like the terminal, only\n"
    "  the first 255 characters are drawn.\n";

// The terminal's texts carry at most this many characters (one length byte);
// the terminal code page conversion cuts the rest.
constexpr std::size_t kMaxTerminalText = 255;

// Largest picture the command writes; beyond it a typing error in the zoom
// would ask for gigabytes.
constexpr int kMaxSide = 16384;

bool ParseNumber(const std::string& text, double& value) {
  try {
    std::size_t used = 0;
    value = std::stod(text, &used);
    return used == text.size() && std::isfinite(value);
  } catch (const std::exception&) {
    return false;
  }
}

bool ParsePaletteIndex(const std::string& text, int& index) {
  double value = 0;
  if (!ParseNumber(text, value) || value != std::floor(value) || value < 0 || value > 15)
    return false;
  index = static_cast<int>(value);
  return true;
}

}  // namespace

int CmdText(const Args& arguments, CliIo& io) {
  if (WantsHelp(arguments)) {
    io.out << kUsage;
    return 0;
  }
  Args args = arguments;
  std::string font, zoomText = "1", output, colourText = "0", backgroundText;
  if (!TakeOption(args, "--font", font) || !TakeOption(args, "--zoom", zoomText) ||
      !TakeOption(args, "--output", output) || !TakeOption(args, "--colour", colourText) ||
      !TakeOption(args, "--background", backgroundText)) {
    io.err << kUsage;
    return 2;
  }
  if (args.size() != 1 || font.empty() || output.empty()) {
    io.err << (args.size() > 1 ? "tavodex-cli text: unexpected argument '" + args[1] + "'\n"
                               : std::string())
           << kUsage;
    return 2;
  }
  double zoom = 1;
  if (!ParseNumber(zoomText, zoom) || zoom <= 0 || zoom > 64) {
    io.err << "tavodex-cli text: zoom '" << zoomText << "' is not a number in (0, 64]\n";
    return 2;
  }
  int colour = 0, background = -1;
  if (!ParsePaletteIndex(colourText, colour) ||
      (!backgroundText.empty() && !ParsePaletteIndex(backgroundText, background))) {
    io.err << "tavodex-cli text: colours are palette indexes 0..15\n";
    return 2;
  }

  const std::string full = Utf8ToCp1252(args[0]);
  if (full.size() > kMaxTerminalText) {
    io.err << "tavodex-cli text: the text has " << full.size() << " characters; only the first "
           << kMaxTerminalText << " are drawn, as on the terminal\n";
  }
  const std::string text = ToTerminalCharset(full);
  std::string fontProblem;
  FontCache cache(io.install);
  cache.SetProblemSink(
      [&](const std::string&, const std::string& problem) { fontProblem = problem; });
  const bool haveFont = cache.SelectFont(font);
  if (!haveFont) {
    io.err << "tavodex-cli text: font '" << font << "' " << fontProblem
           << "; using the built-in 8 x 16 font\n";
  } else if (!fontProblem.empty()) {
    io.err << "warning: font '" << font << "': " << fontProblem << "\n";
  }
  const double z = haveFont ? zoom : 1.0;
  const double w = haveFont ? cache.FontWidth() : kFallbackWidth;
  const double h = haveFont ? cache.FontHeight() : kFallbackHeight;
  const double side = z > 1 ? std::nearbyint(z) : 1;
  const double n = static_cast<double>(text.size());
  // The cells, and the squares of the last column and row, which may reach
  // beyond them at fractional zooms.
  const double width = std::max({1.0, n * std::trunc(w * z), std::trunc((n * w - 1) * z) + side});
  const double height = std::max({1.0, std::trunc(h * z), std::trunc((h - 1) * z) + side});
  if (width > kMaxSide || height > kMaxSide) {
    io.err << "tavodex-cli text: the picture would be " << width << " x " << height
           << " pixels; at most " << kMaxSide << " on each side\n";
    return 2;
  }

  QImageCanvas canvas(static_cast<int>(width), static_cast<int>(height), 0xFFFFFF);
  const bool opaque = background >= 0;
  cache.DrawTerminalText(canvas, 0, 0, ColourPalette(colour), text, haveFont ? font : "", opaque,
                         opaque ? ColourPalette(background) : 0xFFFFFF, z);
  std::string error;
  if (!SavePng(canvas.Image(), output, &error)) {
    io.err << "tavodex-cli text: " << error << "\n";
    return 1;
  }
  io.out << output << ": " << canvas.Width() << " x " << canvas.Height() << "\n";
  return 0;
}

}  // namespace tavo::cli
