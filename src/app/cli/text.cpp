// tavodex-cli text: renders a text in a terminal font into a PNG, exactly as
// the editor shows it at the given zoom.

#include <CLI/CLI.hpp>
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

// The terminal's texts carry at most this many characters (one length byte);
// the terminal code page conversion cuts the rest.
constexpr std::size_t kMaxTerminalText = 255;

// Largest picture the command writes; beyond it a typing error in the zoom
// would ask for gigabytes.
constexpr int kMaxSide = 16384;

std::string PaletteIndex(const std::string& text) {
  if (text.empty() || text.size() > 2 ||
      text.find_first_not_of("0123456789") != std::string::npos || std::stoi(text) > 15)
    return "'" + text + "' is not a palette index 0..15";
  return {};
}

struct TextOptions {
  std::string text, font, output, colour = "0", background;
  double zoom = 1;
};

int Text(const TextOptions& o, CliIo& io) {
  const std::string& font = o.font;
  const std::string& output = o.output;
  const double zoom = o.zoom;
  const int colour = std::stoi(o.colour);
  const int background = o.background.empty() ? -1 : std::stoi(o.background);

  const std::string full = Utf8ToCp1252(o.text);
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

}  // namespace

CommandRun DefineText(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli text TEXT --font FILE.FON --output FILE.png [--zoom Z]\n"
          "                        [--colour N] [--background N]\n\n"
          "  Renders TEXT (UTF-8) in the terminal font FILE.FON of the installation's\n"
          "  fonts folder. Z is the zoom (default 1, at most 64). N are palette indexes\n"
          "  0..15: the ink (default 0, black) and, when given, an opaque background\n"
          "  (otherwise the text lies on white). A font that cannot be loaded is\n"
          "  replaced by the built-in 8 x 16 font at zoom 1. Like the terminal, only\n"
          "  the first 255 characters are drawn. A TEXT beginning with '-' follows '--'.\n");
  auto o = std::make_shared<TextOptions>();
  app.add_option("TEXT", o->text, "the text")->required();
  app.add_option("--font", o->font, "the terminal font file")->required();
  app.add_option("--output", o->output, "the PNG file")->required();
  AddNumber(app, "--zoom", o->zoom, 0, 64, "the zoom");
  AddChecked(app, "--colour", o->colour, PaletteIndex, "the ink's palette index");
  AddChecked(app, "--background", o->background, PaletteIndex, "the background's palette index");
  return [o](CliIo& io) { return Text(*o, io); };
}

}  // namespace tavo::cli
