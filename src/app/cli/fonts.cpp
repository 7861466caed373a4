// tavodex-cli fonts: the catalogue of terminal fonts as the property dialogs
// offer it, with what a script needs to pick one.

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iomanip>
#include <iostream>

#include "app/cli/commands.h"
#include "app/workspace.h"
#include "resources/fontcatalog.h"
#include "shell/codepage.h"

namespace tavo::cli {
namespace {

int Fonts(CliIo& io) {
  std::vector<const t_fonteintrag*> fonts;
  std::size_t fileWidth = 4;
  for (const t_liste* n = io.workspace->catalog().fonts.get(); n; n = n->next()) {
    const auto* font = static_cast<const t_fonteintrag*>(n);
    fonts.push_back(font);
    fileWidth = std::max(fileWidth, Cp1252ToUtf8(font->fileName).size());
  }
  const auto file = [&](const std::string& text) {
    return text + std::string(fileWidth + 2 - text.size(), ' ');
  };
  io.out << file("File") << "   Cell      Bytes  Name\n";
  for (const t_fonteintrag* font : fonts) {
    const std::string cell = std::to_string(font->width) + " x " + std::to_string(font->height);
    io.out << file(Cp1252ToUtf8(font->fileName)) << std::setw(7) << cell << std::setw(11)
           << font->fileSize << "  " << Cp1252ToUtf8(font->name) << "\n";
  }
  io.out << fonts.size() << (fonts.size() == 1 ? " font" : " fonts") << " in "
         << io.install.Resolve("fonts\\").string() << "\n";
  return 0;
}

}  // namespace

CommandRun DefineFonts(CLI::App& app) {
  SetHelp(app,
          "usage: tavodex-cli fonts\n\n"
          "Lists the terminal fonts of the installation's fonts folder in the catalogue's\n"
          "order (by file name), as the property dialogs offer them: the file, the cell\n"
          "size in pixels (width x height), the file size in bytes and the display name.\n"
          "A file that is no readable font is listed with its file name as its name and\n"
          "the built-in font's 8 x 16 cell, which is what texts in it are drawn with.\n");
  return [](CliIo& io) { return Fonts(io); };
}

}  // namespace tavo::cli
