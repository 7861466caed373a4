// The symbols shipped in the installation's library (data/Lib/Symbols) are
// what the symbol writer makes of their objects, and read back whole. Run
// with TAVO_WRITE_SYMBOLS=1 to write them again after a change here.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "exchange/exchange_fixture.h"
#include "exchange/listexchange.h"
#include "exchange/symbols.h"
#include "shell/language.h"

namespace tavo {
namespace {

struct Shipped {
  const char* name;
  const char* variables;  // the project's variables the symbol's fields use
  const char* objects;    // the picture's object lines, all of them the symbol
};

// Black outlines (pen 0), light grey fill (colour 7, solid); 0,0 at the
// top left of each symbol.
const Shipped kSymbols[] = {
    {"Ventil", "",
     "-Group(0;0;0;\"Ventil\")\r\n"
     "-Object(4;0;0;0;0;1;0;7;1;\"\";3;0;10;20;20;0;30)\r\n"
     "-Object(4;0;0;0;0;1;0;7;1;\"\";3;40;10;20;20;40;30)\r\n"
     "-Object(1;0;0;0;0;1;0;255;0;\"\";20;20;20;5)\r\n"
     "-Object(2;0;0;0;0;1;0;7;1;\"\";12;0;28;0;28;5;12;5)\r\n"
     "-GroupEnd\r\n"},
    {"Pumpe", "",
     "-Group(0;0;0;\"Pumpe\")\r\n"
     "-Object(4;0;0;0;0;1;0;7;1;\"\";8;12;0;28;0;40;12;40;28;28;40;12;40;0;28;0;12)\r\n"
     "-Object(4;0;0;0;0;1;0;0;1;\"\";3;14;8;34;20;14;32)\r\n"
     "-Object(1;0;0;0;0;1;0;255;0;\"\";40;20;52;20)\r\n"
     "-GroupEnd\r\n"},
    {"Tank", "",
     "-Group(0;0;0;\"Tank\")\r\n"
     "-Object(2;0;0;0;0;1;0;7;1;\"\";0;10;60;10;60;90;0;90)\r\n"
     "-Object(4;0;0;0;0;1;0;7;1;\"\";4;0;10;15;0;45;0;60;10)\r\n"
     "-Object(1;0;0;0;0;1;0;255;0;\"\";10;90;10;100)\r\n"
     "-Object(1;0;0;0;0;1;0;255;0;\"\";50;90;50;100)\r\n"
     "-GroupEnd\r\n"},
    {"Motor", "",
     "-Group(0;0;0;\"Motor\")\r\n"
     "-Object(4;0;0;0;0;1;0;7;1;\"\";8;12;0;28;0;40;12;40;28;28;40;12;40;0;28;0;12)\r\n"
     "-Object(5;0;0;0;0;1;0;255;0;\"\";16;12;\"M\";\"S008X016.FON\")\r\n"
     "-Object(2;0;0;0;0;1;0;0;1;\"\";40;17;52;17;52;23;40;23)\r\n"
     "-GroupEnd\r\n"},
    {"Pfeil rechts", "",
     "-Object(4;0;0;0;0;1;0;0;1;\"Pfeil rechts\";7;0;6;24;6;24;0;36;10;24;20;24;14;0;14)\r\n"},
    {"Pfeil links", "",
     "-Object(4;0;0;0;0;1;0;0;1;\"Pfeil links\";7;36;6;12;6;12;0;0;10;12;20;12;14;36;14)\r\n"},
    {"Fuellstand", "-Variable(1;0;3;2;1;\"Fuellstand\")\r\n",
     "-Group(0;0;0;\"Fuellstand\")\r\n"
     "-Object(2;0;0;0;0;1;0;15;1;\"\";0;0;30;0;30;100;0;100)\r\n"
     "-Object(8;0;0;0;0;1;0;9;1;\"Fuellstand\";4;4;26;96;3;0;100;1)\r\n"
     "-GroupEnd\r\n"},
};

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ShippedSymbols, AreWhatTheWriterMakesAndReadBackWhole) {
  testing::Installed installed;
  const std::filesystem::path folder = std::filesystem::path(TAVO_DATA_DIR) / "Lib" / "Symbols";
  const bool write = std::getenv("TAVO_WRITE_SYMBOLS") != nullptr;
  for (const Shipped& s : kSymbols) {
    SCOPED_TRACE(s.name);
    auto project = installed.ReadText(testing::ProjectText(
        testing::kIntel, s.variables, "", "",
        std::string("-Picture(1;1;\"Symbole\";15)\r\n") + s.objects + "-PictureEnd\r\n"));
    ASSERT_TRUE(project);
    std::vector<const t_objekt*> objects;
    for (const t_liste* o = static_cast<t_bild&>(*project->pictures).objects.get(); o;
         o = o->next())
      objects.push_back(static_cast<const t_objekt*>(o));
    const std::string text = JoinLines(testing::CollectLines(
        [&](const LineSink& sink) { WriteSymbolFile(*project, objects, s.name, sink); }));
    const std::filesystem::path file = SymbolFilePath(folder, s.name);
    if (write) std::ofstream(file, std::ios::binary) << text;
    EXPECT_EQ(Bytes(file), text);

    ExchangeContent content = ReadSymbolText(text, *installed.objects);
    EXPECT_TRUE(content.readable);
    EXPECT_TRUE(content.messages.empty());
    EXPECT_EQ(CountNodes(content.objects.get()), static_cast<int>(objects.size()));
  }
  std::vector<std::string> listed;
  for (const SymbolEntry& e : ListSymbols(folder)) listed.push_back(e.caption);
  EXPECT_EQ(listed.size(), std::size(kSymbols));
}

}  // namespace
}  // namespace tavo
