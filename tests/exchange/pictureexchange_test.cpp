#include "exchange/pictureexchange.h"

#include <gtest/gtest.h>

#include <fstream>

#include "exchange/exchange_fixture.h"
#include "exchange/listexchange.h"
#include "exchange/symbols.h"
#include "objects/gruppe.h"
#include "shell/language.h"
#include "support/tempfolder.h"

namespace tavo {
namespace {

using testing::CollectLines;
using testing::kSiemens;
using testing::ProjectText;
using testing::Records;

// An output field on variable 1, a text list output on variable 5 and list
// 1, a line; keys that call the picture itself and the second picture.
const std::string kVariables =
    "-Variable(1;010,000;3;2;1;\"Temperatur\")\r\n-Variable(2;010,002;3;2;1;\"Druck\")\r\n"
    "-Variable(5;010,008;1;2;1;\"Motor\")\r\n";
const std::string kLists =
    "-TextList(\"Betriebsart\";1;Wert)\r\n-Text(\"Aus\";0)\r\n-Text(\"Hand\";1)\r\n-TextListEnd\r\n"
    "-TextList(\"Ungenutzt\";2;Bit)\r\n-Text(\"x\";1)\r\n-TextListEnd\r\n";
const std::string kObjects =
    "-Object(7;0;0;0;0;1;0;255;0;\"Temp\";20;40;\"S008X016.FON\";1;1;\"###\")\r\n"
    "-Object(15;0;0;0;1;1;0;255;0;\"Modus\";20;180;\"S008X016.FON\";5;1)\r\n"
    "-Object(1;0;0;0;0;1;0;255;0;\"\";0;0;10;10)\r\n";
const std::string kPictures = "-Picture(1;1;\"Start\";15)\r\n-Key(1;1;\"\")\r\n-Key(2;2;\"\")\r\n" +
                              kObjects +
                              "-PictureEnd\r\n\r\n-Picture(2;2;\"Zwei\";15)\r\n-PictureEnd\r\n";

std::vector<std::int16_t> VariablesOf(const t_liste* object) {
  std::vector<std::int16_t> v, l;
  static_cast<const t_objekt*>(object)->CollectReferences(v, l);
  return v;
}
std::vector<std::int16_t> ListsOf(const t_liste* object) {
  std::vector<std::int16_t> v, l;
  static_cast<const t_objekt*>(object)->CollectReferences(v, l);
  return l;
}

class PictureExchange : public ::testing::Test {
 protected:
  std::unique_ptr<t_projekt> Project(const std::string& variables, const std::string& lists,
                                     const std::string& pictures) {
    auto project = installed_.ReadText(ProjectText(kSiemens, variables, "", lists, pictures));
    EXPECT_TRUE(project);
    return project;
  }
  std::string Export(const t_projekt& p, const t_bild& b) {
    return JoinLines(CollectLines([&](const LineSink& s) { WritePictureExchange(p, b, s); }));
  }

  testing::Installed installed_;
  GermanTranslator german_;
};

TEST_F(PictureExchange, ExportWritesThePictureWithTheVariablesAndListsItUses) {
  auto p = Project(kVariables, kLists, kPictures);
  const auto& start = static_cast<const t_bild&>(*p->pictures);
  EXPECT_EQ(Export(*p, start),
            ";----------------------------------------\r\n"
            "; QVX-Tavo-Dex-Export File f\xFCr Bilddaten \r\n"
            ";----------------------------------------\r\n"
            "\r\n"
            "; im Bild verwendete Variablen\r\n"
            "[Variables]\r\n"
            "-Variable(1;010,000;3;2;1;\"Temperatur\")\r\n"
            "-Variable(5;010,008;1;2;1;\"Motor\")\r\n"
            "\r\n"
            "; im Bild verwendete Textlisten\r\n"
            "[TextList]\r\n"
            "-TextList(\"Betriebsart\";1;Wert)\r\n-Text(\"Aus\";0)\r\n-Text(\"Hand\";1)\r\n"
            "-TextListEnd\r\n"
            "\r\n"
            "; Bilddaten\r\n"
            "[Pictures]\r\n"
            "-Picture(1;1;\"Start\";15)\r\n-Key(1;1;\"\")\r\n-Key(2;2;\"\")\r\n" +
                kObjects + "-PictureEnd\r\n\r\n");
  // A picture without variables still writes its section headers.
  const auto& second = static_cast<const t_bild&>(*p->pictures->next());
  const std::string empty = Export(*p, second);
  EXPECT_NE(empty.find("[Variables]\r\n\r\n; im Bild verwendete Textlisten\r\n[TextList]\r\n\r\n"),
            std::string::npos);
}

TEST_F(PictureExchange, ImportReusesEqualRecordsAndNumbersTheOthersWithoutChaining) {
  auto source = Project(kVariables, kLists, kPictures);
  const std::string file = Export(*source, static_cast<const t_bild&>(*source->pictures));

  // «Motor» is equal to the target's variable 2; «Temperatur» differs in its
  // address from the target's 1, so it becomes 5: the object that used 1
  // now uses 5, the one that used 5 uses 2 (not 5 -> 2 after 1 -> 5).
  auto target = Project(
      "-Variable(1;010,001;3;2;1;\"Temperatur\")\r\n-Variable(2;010,008;1;2;1;\"Motor\")\r\n"
      "-Variable(3;0;3;2;1;\"c\")\r\n-Variable(4;0;3;2;1;\"d\")\r\n",
      "-TextList(\"Betriebsart\";1;Wert)\r\n-Text(\"Aus\";0)\r\n-Text(\"Hand\";1)\r\n-"
      "TextListEnd\r\n",
      "-Picture(1;1;\"Da\";15)\r\n-PictureEnd\r\n");
  ExchangeContent content = ReadPictureExchange(file, *installed_.objects);
  ASSERT_TRUE(content.readable);
  EXPECT_TRUE(content.messages.empty());
  MergePlan plan = PlanMerge(*target, std::move(content));
  ASSERT_EQ(plan.variables.size(), 1u);
  EXPECT_EQ(plan.variables[0]->number, 5);
  EXPECT_EQ(plan.variables[0]->name, "Temperatur");
  EXPECT_TRUE(plan.textLists.empty());  // the equal list is reused
  ASSERT_EQ(plan.pictures.size(), 1u);
  const auto& picture = static_cast<const t_bild&>(*plan.pictures[0]);
  EXPECT_EQ(picture.number, 2);
  EXPECT_EQ(picture.pictureNumber, 2);
  const t_liste* temp = picture.objects.get();
  EXPECT_EQ(VariablesOf(temp), std::vector<std::int16_t>{5});
  EXPECT_EQ(VariablesOf(temp->next()), std::vector<std::int16_t>{2});
  EXPECT_EQ(ListsOf(temp->next()), std::vector<std::int16_t>{1});
  // Key 1 called the picture itself (now second in the target); key 2
  // called a picture that did not come along.
  EXPECT_EQ(picture.Key(1)->value, 2);
  EXPECT_EQ(picture.Key(2)->value, 0);
  ASSERT_EQ(plan.clearedKeys.size(), 1u);
  EXPECT_EQ(plan.clearedKeys[0].key, 2);
  EXPECT_EQ(plan.clearedKeys[0].picture, "Start");
}

TEST_F(PictureExchange, SwappedNumbersAreRenumberedOnce) {
  // The file's 1 becomes 2 and its 2 becomes 1: applied one after the other,
  // both references would end on the same number.
  auto target =
      Project("-Variable(1;010,000;3;2;1;\"B\")\r\n-Variable(2;010,002;3;2;1;\"A\")\r\n", "", "");
  const std::string file =
      ";x\r\n[Variables]\r\n-Variable(1;010,002;3;2;1;\"A\")\r\n-Variable(2;010,000;3;2;1;\"B\")"
      "\r\n"
      "[Pictures]\r\n-Picture(9;9;\"P\";15)\r\n"
      "-Object(9;0;0;0;0;1;0;15;1;\"V\";100;300;260;420;0;200;0;2;2;4;1;1)\r\n"
      "-Object(7;0;0;0;0;1;0;255;0;\"T\";20;40;\"S008X016.FON\";1;2;\"###\")\r\n-PictureEnd\r\n";
  ExchangeContent content = ReadPictureExchange(file, *installed_.objects);
  ASSERT_TRUE(content.pictures);
  const std::vector<std::int16_t> before =
      VariablesOf(static_cast<t_bild&>(*content.pictures).objects.get());
  ASSERT_EQ(before.size(), 2u);  // the plot graph's two variables
  MergePlan plan = PlanMerge(*target, std::move(content));
  EXPECT_TRUE(plan.variables.empty());
  const auto& picture = static_cast<const t_bild&>(*plan.pictures[0]);
  std::vector<std::int16_t> after = VariablesOf(picture.objects.get());
  std::vector<std::int16_t> expected = before;
  for (std::int16_t& n : expected) n = static_cast<std::int16_t>(3 - n);
  EXPECT_EQ(after, expected);
  EXPECT_EQ(VariablesOf(picture.objects->next()), std::vector<std::int16_t>{1});
}

TEST_F(PictureExchange, TextListsAreEqualWhenNameKindAndEveryTextAre) {
  auto p = Project("", kLists, "");
  const auto lists = Records<t_textliste>(p->textLists);
  EXPECT_TRUE(EqualTextLists(*lists[0], *lists[0]));
  EXPECT_FALSE(EqualTextLists(*lists[0], *lists[1]));
  auto q = Project("",
                   "-TextList(\"Betriebsart\";1;Bit)\r\n-Text(\"Aus\";0)\r\n-Text(\"Hand\";1)\r\n"
                   "-TextListEnd\r\n-TextList(\"Betriebsart\";2;Wert)\r\n-Text(\"Aus\";0)\r\n"
                   "-TextListEnd\r\n-TextList(\"Betriebsart\";3;Wert)\r\n-Text(\"Aus\";0)\r\n"
                   "-Text(\"Hand\";2)\r\n-TextListEnd\r\n",
                   "");
  for (const t_textliste* other : Records<t_textliste>(q->textLists))
    EXPECT_FALSE(EqualTextLists(*lists[0], *other)) << other->number;
  t_textliste emptyA, emptyB;
  EXPECT_TRUE(EqualTextLists(emptyA, emptyB));
}

TEST_F(PictureExchange, SymbolFilesAreWrittenAndReadBack) {
  auto p = Project(kVariables, kLists,
                   "-Picture(1;1;\"Start\";15)\r\n" + kObjects +
                       "-Group(0;0;0;\"\")\r\n-Object(1;0;0;0;0;1;0;255;0;\"\";1;1;5;5)\r\n"
                       "-GroupEnd\r\n-PictureEnd\r\n");
  const auto& picture = static_cast<const t_bild&>(*p->pictures);
  std::vector<const t_objekt*> selected;
  for (const t_liste* o = picture.objects->next(); o; o = o->next())
    selected.push_back(static_cast<const t_objekt*>(o));
  const std::string name = TrimSymbolName("  Ventil \"A\" ");
  EXPECT_EQ(SymbolFilePath("lib", name).filename().string(), "Ventil \"A\".txt");
  const std::string file =
      JoinLines(CollectLines([&](const LineSink& s) { WriteSymbolFile(*p, selected, name, s); }));
  EXPECT_EQ(file,
            ";----------------------------------------\r\n"
            "; QVX-Tavo-Dex-Symbol-File\r\n"
            ";----------------------------------------\r\n"
            "\r\n"
            "; im Symbol verwendete Variablen\r\n[Variables]\r\n"
            "-Variable(5;010,008;1;2;1;\"Motor\")\r\n\r\n"
            "; im Symbol verwendete Textlisten\r\n[TextList]\r\n"
            "-TextList(\"Betriebsart\";1;Wert)\r\n-Text(\"Aus\";0)\r\n-Text(\"Hand\";1)\r\n"
            "-TextListEnd\r\n\r\n"
            "; Objektdaten\r\n[Symbol]\r\n"
            "-Symbol(\"Ventil \"\"A\"\"\")\r\n"
            "-Object(15;0;0;0;1;1;0;255;0;\"Modus\";20;180;\"S008X016.FON\";5;1)\r\n"
            "-Object(1;0;0;0;0;1;0;255;0;\"\";0;0;10;10)\r\n"
            "-Group(0;0;0;\"\")\r\n-Object(1;0;0;0;0;1;0;255;0;\"\";1;1;5;5)\r\n-GroupEnd\r\n"
            "-SymbolEnd\r\n\r\n");
  std::string caption;
  ASSERT_TRUE(SymbolNameOfText(file, caption));
  EXPECT_EQ(caption, "Ventil \"A\"");

  ExchangeContent content = ReadSymbolText(file, *installed_.objects);
  ASSERT_TRUE(content.readable);
  EXPECT_EQ(content.symbolName, "Ventil \"A\"");
  EXPECT_EQ(CountNodes(content.objects.get()), 3);
  EXPECT_EQ(LastNode(content.objects.get())->name, "Ventil \"A\"");  // the unnamed group
  EXPECT_EQ(CountNodes(content.variables.get()), 1);
  EXPECT_EQ(CountNodes(content.textLists.get()), 1);
}

std::string BinarySymbol(const std::string& name, const std::string& body) {
  std::string bytes = "QVX_SymFile";
  bytes += static_cast<char>(name.size());
  bytes += name + std::string(30 - name.size(), ' ');
  return bytes + body;
}

// A line 10,20 - 30,40 without switching rule, as the older editor wrote it.
const std::string kLineRecord = std::string("\x01\x00\x01\x00\xFF\x00", 6) +
                                std::string("\x0A\x00\x14\x00\x1E\x00\x28\x00", 8) +
                                std::string("\x00\x00", 2);

TEST_F(PictureExchange, BinarySymbolsGiveOneGroupNamedAfterTheSymbol) {
  const std::string bytes =
      BinarySymbol("  Pumpe\x01", std::string(1, '\0') + kLineRecord + kLineRecord + "\xFF");
  EXPECT_EQ(SymbolNameOfBinary(bytes), "Pumpe");
  ExchangeContent content = ReadSymbolBinary(bytes, german_);
  ASSERT_TRUE(content.readable);
  EXPECT_TRUE(content.messages.empty());
  ASSERT_TRUE(content.objects);
  EXPECT_EQ(content.objects->next(), nullptr);
  auto& group = static_cast<t_gruppe&>(*content.objects);
  ASSERT_TRUE(group.IsGroup());
  EXPECT_EQ(group.name, "Pumpe");
  EXPECT_EQ(group.MemberCount(), 2);
  EXPECT_EQ(group.ExtentRight(), 30);

  for (const std::string& bad :
       {std::string("QVX_SymFil"), std::string("XVX_SymFile") + std::string(40, ' '),
        BinarySymbol("a", std::string(1, '\0') + kLineRecord.substr(0, 9))}) {
    ExchangeContent damaged = ReadSymbolBinary(bad, german_);
    EXPECT_FALSE(damaged.messages.empty());
  }
}

TEST_F(PictureExchange, TheLibraryListsBinarySymbolsFirstThenTextSymbols) {
  testing::TempFolder folder;
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
  };
  write("b.sym", BinarySymbol("Zwei", std::string(1, '\0') + "\xFF"));
  write("a.SYM", BinarySymbol("Eins", std::string(1, '\0') + "\xFF"));
  write("kein.sym", "QVX_Sym");
  write("0.txt", "[Symbol]\r\n-Symbol(\" Tank \")\r\n");
  write("notiz.txt", "nur Text\r\n");
  std::filesystem::create_directory(folder / "ordner.txt");
  std::vector<std::string> listed;
  for (const SymbolEntry& e : ListSymbols(folder.path()))
    listed.push_back(e.caption + "|" + e.path.filename().string());
  EXPECT_EQ(listed, (std::vector<std::string>{"Eins|a.SYM", "Zwei|b.sym", "Tank|0.txt"}));
  EXPECT_TRUE(ListSymbols(folder / "fehlt").empty());
}

// Damaged lines are reported with their line number and skipped; the
// reader never stops half way or crashes.
TEST_F(PictureExchange, DamagedPictureFilesAreReportedLineByLine) {
  struct Case {
    const char* name;
    std::string file;
    int pictures, variables;
    std::vector<std::pair<int, std::uint16_t>> messages;
  };
  const Case cases[] = {
      {"record before any section",
       "-Variable(1;0;3;2;1;\"a\")\r\n[Pictures]\r\n-Picture(1;1;\"P\";15)\r\n",
       1,
       0,
       {{1, txt::kProjektfileFehlerhaft.entry}}},
      {"number that is none",
       "[Variables]\r\n-Variable(x;0;3;2;1;\"a\")\r\n-Variable(2;0;3;2;1;\"b\")\r\n"
       "[Pictures]\r\n-Picture(1;1;\"P\";15)\r\n",
       1,
       1,
       {{2, txt::kKeinIntegerwert.entry}}},
      {"group end without group",
       "[Pictures]\r\n-Picture(1;1;\"P\";15)\r\n-GroupEnd\r\n-PictureEnd\r\n",
       1,
       0,
       {{3, txt::kProjektfileGruppenfehler.entry}}},
      {"file ends in a group",
       "[Pictures]\r\n-Picture(1;1;\"P\";15)\r\n-Group(0;0;0;\"g\")\r\n",
       1,
       0,
       {{3, txt::kEndeInGruppe.entry}}},
      {"no picture at all", "[Variables]\r\n-Variable(1;0;3;2;1;\"a\")\r\n", 0, 1, {}},
      {"rubbish",
       std::string(1, '\0') + "\xFF[\r\n-(\r\n[Pictures\r\n-Picture(;;;\r\n",
       0,
       0,
       {{2, txt::kProjektfileFehlerhaft.entry}, {4, txt::kKeinIntegerwert.entry}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExchangeContent content = ReadPictureExchange(c.file, *installed_.objects);
    EXPECT_EQ(CountNodes(content.pictures.get()), c.pictures);
    EXPECT_EQ(CountNodes(content.variables.get()), c.variables);
    EXPECT_EQ(content.readable, c.pictures > 0);
    std::vector<std::pair<int, std::uint16_t>> got;
    for (const ExchangeMessage& m : content.messages) got.emplace_back(m.line, m.id.entry);
    EXPECT_EQ(got, c.messages);
  }
}

}  // namespace
}  // namespace tavo
