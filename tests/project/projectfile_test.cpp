#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "project/katalog.h"
#include "project/projectfile.h"
#include "project/runwriter.h"
#include "shell/messageboxes.h"
#include "shell/progress.h"
#include "shell/safefile.h"
#include "support/fake_objects.h"
#include "support/filesizelimit.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

using testing::FakeFactory;
using testing::FakeObject;

std::string Crlf(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* l : lines) text += std::string(l) + "\r\n";
  return text;
}

struct Reader {
  t_katalog catalog;
  FakeFactory factory;
  ScriptedMessageBox box;
  ProjectReadContext context;
  Reader() {
    for (const char* dos : {"FIRST.TRM", "VTA_640C.TRM"}) {
      auto t = std::make_unique<t_terminal>();
      t->dosVersion = dos;
      t->terminalName = t->name = std::string("T ") + dos;
      auto area = std::make_unique<t_tastenfeld>();
      area->name = "F01";
      area->right = 20;
      AppendNode(t->keyAreas, std::move(area));
      AppendNode(catalog.terminals, std::move(t));
    }
    for (const char* dos : {"FIRST.KOP", "SPS_DBW.KOP"}) {
      auto c = std::make_unique<t_steuerung>();
      c->dosVersion = dos;
      c->couplingName = c->name = std::string("C ") + dos;
      c->addressFormat = std::string(dos) == "SPS_DBW.KOP" ? 1 : 0;
      AppendNode(catalog.couplings, std::move(c));
    }
    context.catalog = &catalog;
    context.objects = &factory;
    context.messages = &box;
  }
  std::unique_ptr<t_projekt> Read(const std::string& text) {
    return ReadProjectText(text, context).project;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& c : box.Calls()) texts.push_back(c.text);
    return texts;
  }
};

std::string Written(const t_projekt& p) {
  std::string text;
  WriteProjectLines(p, [&](const std::string& l) { text += l + "\r\n"; });
  return text;
}

// The whole file as the writer lays it out, written by hand.
const std::string kCanonical = Crlf({
    "; ------------------------------------------------",
    ";   QVX-Tavo Dex Projectfile Version 5.0.8.0",
    "; ------------------------------------------------",
    "; Kopfdaten",
    "[Head]",
    "-Name         = \"Anlage\"",
    "-Author       = \"Meier\"",
    "-created      = \"01.02.2026\"",
    "-changed      = \"02.02.2026\"",
    "-Info1        = \"eins\"",
    "-Info2        = \"\"",
    "-Info3        = \"drei\"",
    "-Startpicture = \"2\"",
    "",
    "; Plattform",
    "[Terminal]",
    "-DOSVersion    = \"VTA_640C.TRM\"",
    "",
    "; Steuerung",
    "[PLC]",
    "-DOSVersion    = \"SPS_DBW.KOP\"",
    "-TBReadAdr     = \"2565\"",
    "-TBWriteAdr    = \"2816\"",
    "-Alarmsort     = \"1\"",
    "",
    "; Variablen",
    "[Variables]",
    "-Variable(1;003,012;3;2;1;\"Motor \"\"A\"\"\")",
    "-Variable(7;000,000;6;8;0;\"\")",
    "",
    "; Alarmmeldungen",
    "[Alarms]",
    "-Alarm(0;\"S008X016.FON\";1;5;\"St\xF6rung\")",
    "",
    "; Textelisten",
    "[TextList]",
    "-TextList(\"Zustand\";3;Wert)",
    "-Text(\"Aus\";0)",
    "-Text(\"Ein\";1)",
    "-TextListEnd",
    "",
    "; Bilder",
    "[Pictures]",
    "-Picture(1;10;\"Start\";7)",
    "-Key(1;2;\"\")",
    "-Key(14;3;\"x\")",
    "-Object(2;0;0;0;15;1;1;0;1;\"\";1;2;3;4)",
    "-Group(0;0;0;\"G\")",
    "-Object(1;0;0;0;15;1;1;0;1;\"\";5;6;7;8)",
    "-Group(0;0;0;\"inner\")",
    "-Object(3;0;0;0;15;1;1;0;1;\"\";9)",
    "-GroupEnd",
    "-GroupEnd",
    "-PictureEnd",
    "",
    "-Picture(2;11;\"Zwei\";15)",
    "-PictureEnd",
    "",
});

TEST(ProjectFile, CanonicalFileRoundTripsByteForByte) {
  Reader r;
  auto p = r.Read(kCanonical);
  EXPECT_TRUE(r.Messages().empty());
  EXPECT_EQ(Written(*p), kCanonical);
  EXPECT_FALSE(p->modified);

  EXPECT_EQ(p->terminal->name, "T VTA_640C.TRM");
  EXPECT_EQ(CountNodes(p->terminal->keyAreas.get()), 1);
  EXPECT_NE(p->terminal->keyAreas.get(),
            r.catalog.terminals->next()
                ? static_cast<t_terminal*>(r.catalog.terminals->next())->keyAreas.get()
                : nullptr);
  EXPECT_EQ(p->coupling->readBlockAddress, 2565);
  EXPECT_EQ(p->coupling->alarmSort, 1);
  auto* v = static_cast<t_variable*>(p->variables.get());
  EXPECT_EQ(v->address, 780);
  EXPECT_EQ(v->name, "Motor \"A\"");
  auto* picture = static_cast<t_bild*>(p->pictures.get());
  EXPECT_EQ(picture->Key(14)->value, 3);
  EXPECT_EQ(picture->Key(14)->name, "x");
  auto* group = static_cast<FakeObject*>(picture->objects->next());
  EXPECT_EQ(group->kind, -1);
  EXPECT_EQ(group->extentUpdates, 0);  // the outer group keeps its own extent
  auto* inner = static_cast<FakeObject*>(group->members->next());
  EXPECT_EQ(inner->extentUpdates, 1);  // nested groups are recomputed
}

TEST(ProjectFile, DamagedLinesGiveMessagesInOrderAndKeepGoodLines) {
  Reader r;
  auto p = r.Read(
      Crlf({"-Vorher", "[Head]", "-Name = \"N\"", "-Startpicture = \"x1\"", "[Variables]",
            "-Variable(1;5;3;2;0;\"a\")", "[Pictures]", "-GroupEnd", "-Picture(1;1;\"P\";15)",
            "-Group(0;0;0;\"G\")", "-Object(1;0;0;0;15;1;1;0;1;\"\";1;1;2;2)", "kaputt",
            "-Object(2;0;0;0;15;1;1;0;1;\"\";1;1;2;2)", "-GroupEnd", "-Object(99;x)",
            "-Object(0;x)", "-Object(99;y)", "-PictureEnd"}));
  // Each distinct message once, in the order of first occurrence, with its
  // count; unknown kinds once per kind.
  EXPECT_EQ(r.Messages(),
            (std::vector<std::string>{"Projektfile fehlerhaft ! (2-mal)",
                                      "Projektfile fehlerhaft (Gruppenfehler)! (3-mal)",
                                      "Projektfile fehlerhaft: Objektzeile unbekannter Art 99 \xFC"
                                      "bersprungen (2-mal)",
                                      "Projektfile fehlerhaft: Objektzeile unbekannter Art 0 \xFC"
                                      "bersprungen"}));
  for (const auto& call : r.box.Calls()) {
    EXPECT_EQ(call.kind, MsgKind::Fehler);
    EXPECT_EQ(call.buttons, ButtonSet::Weiter);
  }
  EXPECT_EQ(p->head->name, "N");
  EXPECT_EQ(CountNodes(p->variables.get()), 1);
  auto* picture = static_cast<t_bild*>(p->pictures.get());
  // The group ended at the damaged line and kept its member; the object after
  // it belongs to the picture; the unknown kind is skipped.
  ASSERT_EQ(CountNodes(picture->objects.get()), 2);
  EXPECT_EQ(CountNodes(static_cast<FakeObject*>(picture->objects.get())->members.get()), 1);

  // Every message is a box to confirm: many different ones end in a count.
  std::string many = "[Pictures]\r\n-Picture(1;1;\"P\";15)\r\n";
  for (int kind = 100; kind < 142; ++kind) many += "-Object(" + std::to_string(kind) + ";x)\r\n";
  Reader m;
  m.Read(many + "-PictureEnd\r\n");
  ASSERT_EQ(m.Messages().size(), 13u);
  EXPECT_EQ(m.Messages().back(), "... und 30 weitere Meldungen zu dieser Datei");
}

TEST(ProjectFile, ReaderRules) {
  Reader r;
  auto p = r.Read(Crlf({"[Head]",
                        "-Info1        = \"x\"y\"",
                        "[Terminal]",
                        "-DOSVersion    = \"UNKNOWN\"",
                        "[Variables]",
                        "-Variable(1;1;3;2;0;\"a\")",
                        "[Unknown]",
                        "-Variable(2;1;3;2;0;\"b\")",
                        "[Variables]",
                        "-Variable(3;1;3;2;0;\"c\")",
                        "[TextList]",
                        "-Text(\"verloren\";1)",
                        "-TextList(\"L\";2;Bit)",
                        "-TextListEnd",
                        "[Pictures]",
                        "-Picture(1;1;\"P\";15)",
                        "-Key(300;5;\"\")",
                        "-Key(0;5;\"\")",
                        "-Group(0;0;0;\"a\")",
                        "-Group(0;0;0;\"b\")",
                        "-GroupEnd",
                        "-GroupEnd",
                        "-PictureEnd"}));
  EXPECT_TRUE(r.Messages().empty());
  EXPECT_EQ(p->head->info1, "x");
  EXPECT_EQ(p->terminal->dosVersion, "FIRST.TRM");  // unknown: first catalogue entry
  EXPECT_EQ(CountNodes(p->variables.get()), 3);     // unknown section keeps the current one
  EXPECT_EQ(NameAt(p->variables.get(), 3), "c");
  auto* list = static_cast<t_textliste*>(p->textLists.get());
  EXPECT_EQ(list->texts, nullptr);
  EXPECT_EQ(Written(*p).find("-TextList("), std::string::npos);  // an empty list disappears
  auto* picture = static_cast<t_bild*>(p->pictures.get());
  for (const t_liste* k = picture->keys.get(); k; k = k->next())
    EXPECT_EQ(static_cast<const t_taste*>(k)->value, 0);
  auto* outer = static_cast<FakeObject*>(picture->objects.get());
  ASSERT_EQ(CountNodes(outer->members.get()), 1);
  EXPECT_EQ(static_cast<FakeObject*>(outer->members.get())->kind, -1);
}

TEST(ProjectFile, MissingSectionsGetDefaultsAndNothingIsFatal) {
  Reader r;
  auto p = r.Read("[Pictures]\r\n");
  ASSERT_TRUE(p->head);
  ASSERT_TRUE(p->terminal);
  EXPECT_EQ(p->terminal->dosVersion, "FIRST.TRM");
  EXPECT_FALSE(p->coupling);

  // Arbitrary bytes, long lines, unbalanced quotes, groups never closed.
  std::string junk = "[Pictures]\n-Picture(\"\"\"\n-Group(" + std::string(100000, '"') +
                     "\n-Group(;;;\n\r\r\n\x01\xFF[Head\n-Name\n" +
                     "-Object(4;0;0;0;0;0;0;0;0;\"\";99999999999999999999;1e308;nan)\n";
  auto q = r.Read(junk);
  EXPECT_TRUE(q->head);
}

TEST(ProjectFile, GroupsNestedBeyondTheLimitAreReadFlat) {
  Reader r;
  std::string text = "[Pictures]\r\n-Picture(1;1;\"P\";15)\r\n";
  for (int i = 0; i < 10000; ++i) text += "-Group(0;0;0;\"\")\r\n";
  text += "-Object(1;0;0;0;15;1;1;0;1;\"\";1;2;3;4)\r\n";
  for (int i = 0; i < 10000; ++i) text += "-GroupEnd\r\n";
  text += "-Object(2;0;0;0;15;1;1;0;1;\"\";1;2;3;4)\r\n-PictureEnd\r\n";
  auto p = r.Read(text);
  EXPECT_TRUE(r.Messages().empty());
  auto* picture = static_cast<t_bild*>(p->pictures.get());
  EXPECT_EQ(CountNodes(picture->objects.get()), 2);  // the group and the object after it
}

// A lost "-GroupEnd" must not make the pictures and sections after it part
// of the group (the project would load, and save, with one picture).
TEST(ProjectFile, LinesThatCannotBelongToAGroupEndIt) {
  struct Case {
    const char* what;
    std::vector<const char*> lines;
  };
  const Case cases[] = {
      {"picture end",
       {"-PictureEnd", "-Picture(2;2;\"B\";15)", "-Object(2;0;0;0;15;1;1;0;1;\"\";1;2;3;4)",
        "-PictureEnd", "[Variables]", "-Variable(1;1;3;2;0;\"a\")"}},
      {"next picture",
       {"-Picture(2;2;\"B\";15)", "-Object(2;0;0;0;15;1;1;0;1;\"\";1;2;3;4)", "-PictureEnd",
        "[Variables]", "-Variable(1;1;3;2;0;\"a\")"}},
      {"section", {"[Variables]", "-Variable(1;1;3;2;0;\"a\")"}},
  };
  for (const Case& c : cases) {
    std::vector<const char*> lines = {"[Pictures]", "-Picture(1;1;\"A\";15)", "-Group(0;0;0;\"G\")",
                                      "-Group(0;0;0;\"H\")",
                                      "-Object(1;0;0;0;15;1;1;0;1;\"\";1;2;3;4)"};
    lines.insert(lines.end(), c.lines.begin(), c.lines.end());
    std::string text;
    for (const char* l : lines) text += std::string(l) + "\r\n";
    Reader r;
    auto p = r.Read(text);
    EXPECT_EQ(r.Messages(), std::vector<std::string>{"Projektfile fehlerhaft (Gruppenfehler)!"})
        << c.what;
    EXPECT_EQ(CountNodes(p->variables.get()), 1) << c.what;
    const auto* first = static_cast<const t_bild*>(p->pictures.get());
    ASSERT_NE(first, nullptr) << c.what;
    // Both open groups ended with what they held, nested as they were.
    ASSERT_EQ(CountNodes(first->objects.get()), 1) << c.what;
    const auto* outer = static_cast<const FakeObject*>(first->objects.get());
    ASSERT_EQ(CountNodes(outer->members.get()), 1) << c.what;
    const auto* inner = static_cast<const FakeObject*>(outer->members.get());
    EXPECT_EQ(inner->kind, -1) << c.what;
    EXPECT_EQ(CountNodes(inner->members.get()), 1) << c.what;
    EXPECT_EQ(inner->extentUpdates, 1) << c.what;
    const std::string written = Written(*p);
    if (c.lines.size() > 2) {
      ASSERT_EQ(CountNodes(p->pictures.get()), 2) << c.what;
      EXPECT_EQ(CountNodes(static_cast<const t_bild*>(first->next())->objects.get()), 1);
      EXPECT_NE(written.find("-Picture(2;2;\"B\";15)"), std::string::npos) << c.what;
    }
    EXPECT_NE(written.find("-Variable(1;"), std::string::npos) << c.what;
  }
}

// An empty file, NUL bytes or some other text must not open as an empty
// project: a save or download would put it in place of the real one.
TEST(ProjectFile, ContentWithoutASectionIsNoProject) {
  const std::string cases[] = {
      "",
      std::string(4096, '\0'),
      "Liebe Kollegen,\r\nanbei das Projekt.\r\n",
      "-Variable(1;1;3;2;0;\"a\")\r\n-Picture(1;1;\"P\";15)\r\n",  // records, no section
      "[Kopf]\r\n-Name = \"x\"\r\n",                               // no known section
      "\x89PNG\r\n\x1a\n\0\0\0\rIHDR",
  };
  for (const std::string& content : cases) {
    Reader r;
    ProjectRead read = ReadProjectText(content, r.context);
    EXPECT_EQ(read.status, ProjectReadStatus::NotAProject) << ::testing::PrintToString(content);
    EXPECT_EQ(read.project, nullptr);
    EXPECT_TRUE(r.Messages().empty()) << ::testing::PrintToString(content);
  }
  Reader r;
  EXPECT_EQ(ReadProjectText("[TextList]", r.context).status, ProjectReadStatus::Read);
}

TEST(ProjectFile, FileCutShortSaysWhere) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> messages;
  };
  const std::string picture = "[Pictures]\r\n-Picture(1;1;\"P\";15)\r\n";
  const std::string object = "-Object(1;0;0;0;15;1;1;0;1;\"\";1;2;3;4)";
  const Case cases[] = {
      {"in a group",
       picture + "-Group(0;0;0;\"G\")\r\n-Group(0;0;0;\"H\")\r\n" + object + "\r\n",
       {"Projektfile unvollst\xE4ndig: die Datei endet innerhalb einer Gruppe"}},
      {"in a picture",
       picture + object + "\r\n",
       {"Projektfile unvollst\xE4ndig: die Datei endet innerhalb eines Bildes"}},
      {"in an object line",
       picture + "-Object(1;0;0;0;15;1;1;0;1;\"\";1;2",
       {"Projektfile unvollst\xE4ndig: die Datei endet innerhalb eines Bildes",
        "Projektfile unvollst\xE4ndig: die letzte Zeile ist abgeschnitten"}},
      {"in a variable",
       "[Variables]\r\n-Variable(1;1;3;2;0;\"Mo",
       {"Projektfile unvollst\xE4ndig: die letzte Zeile ist abgeschnitten"}},
      {"in a head value",
       "[Head]\r\n-Name         = \"Anl",
       {"Projektfile unvollst\xE4ndig: die letzte Zeile ist abgeschnitten"}},
      {"complete, last line without its end", picture + "-PictureEnd", {}},
      {"complete head value without its end", "[Head]\r\n-Name         = \"Anlage\"", {}},
  };
  for (const Case& c : cases) {
    Reader r;
    auto p = r.Read(c.text);
    ASSERT_NE(p, nullptr) << c.what;
    EXPECT_EQ(r.Messages(), c.messages) << c.what;
  }
  // What was read up to the cut is kept: the group with its nested group.
  Reader r;
  auto p = r.Read(cases[0].text);
  const auto* group =
      static_cast<const FakeObject*>(static_cast<const t_bild*>(p->pictures.get())->objects.get());
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(CountNodes(static_cast<const FakeObject*>(group->members.get())->members.get()), 1);
}

// A text editor may save the file as UTF-8; its umlauts would read as two
// characters each. Code page 1252 text must never be taken for UTF-8.
TEST(ProjectFile, Utf8IsConvertedAndSaidCodePage1252IsLeftAlone) {
  const std::string converted =
      "Die Projektdatei ist in UTF-8 gespeichert (von einem Texteditor?) und wurde in den "
      "Windows-Zeichensatz 1252 umgewandelt.";
  struct Case {
    const char* what;
    std::string text;
    std::string name, alarm;
    std::vector<std::string> messages;
  };
  const std::string head = "[Head]\r\n-Name         = \"";
  const std::string alarms = "\"\r\n[Alarms]\r\n-Alarm(0;\"F.FON\";1;0;\"";
  const Case cases[] = {
      {"UTF-8 with byte order mark",
       "\xEF\xBB\xBF" + head + "Kl\xC3\xA4ranlage" + alarms + "x\")",
       "Kl\xE4ranlage",
       "x",
       {converted}},
      {"byte order mark, ASCII only",
       "\xEF\xBB\xBF" + head + "Anlage" + alarms + "x\")",
       "Anlage",
       "x",
       {converted}},
      {"UTF-8 without mark",
       head + "Kl\xC3\xA4ranlage" + alarms + "\xE2\x82\xAC 5 \xCE\xA9 \xC3\x9C" + "ber\")",
       "Kl\xE4ranlage",
       "\x80 5 ? \xDC"
       "ber",
       {converted +
        " 1 Zeichen ohne Entsprechung in diesem Zeichensatz wurden durch '?' ersetzt."}},
      {"code page 1252",
       head + "Kl\xE4ranlage" + alarms +
           "\xDC"
           "berlauf Stra\xDF"
           "e\")",
       "Kl\xE4ranlage",
       "\xDC"
       "berlauf Stra\xDF"
       "e",
       {}},
      {"code page 1252, umlaut before a symbol",
       head + "\xC4\xA7 3" + alarms +
           "\xB0"
           "C\")",
       "\xC4\xA7 3",
       "\xB0"
       "C",
       {}},
  };
  for (const Case& c : cases) {
    Reader r;
    auto p = r.Read(c.text);
    ASSERT_NE(p, nullptr) << c.what;
    EXPECT_EQ(p->head->name, c.name) << c.what;
    ASSERT_NE(p->alarms, nullptr) << c.what;
    EXPECT_EQ(p->alarms->name, c.alarm) << c.what;
    EXPECT_EQ(r.Messages(), c.messages) << c.what;
    for (const auto& call : r.box.Calls()) EXPECT_EQ(call.kind, MsgKind::Information);
  }
}

struct Recorder : ProgressDisplay {
  std::vector<int> percents;
  std::vector<std::string> labels;
  void SetPercent(int p) override { percents.push_back(p); }
  void SetLabel(const std::string& l) override { labels.push_back(l); }
};

TEST(ProjectFile, ProgressChangesOnlyWithTheRoundedPercentage) {
  Reader r;
  Recorder progress;
  r.context.progress = &progress;
  r.Read(kCanonical);
  ASSERT_FALSE(progress.percents.empty());
  EXPECT_EQ(progress.percents.back(), 100);
  for (std::size_t i = 1; i < progress.percents.size(); ++i)
    EXPECT_LT(progress.percents[i - 1], progress.percents[i]);
  EXPECT_EQ(progress.labels, (std::vector<std::string>{"Variables", "Alarms", "Textlists",
                                                       "Pictures", "Start", "Zwei"}));
}

TEST(ProjectFile, RunFileOrder) {
  Reader r;
  auto p = r.Read(kCanonical);
  std::vector<std::string> lines;
  UsedFileTable used;
  RunWriter out([&](const std::string& l) { lines.push_back(l); }, used);
  p->WriteRunFile(out);
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], "-(Version;\"Version 5.0.8.0\")");
  EXPECT_EQ(lines[1], "-(Startbild;2)");
  EXPECT_EQ(lines[lines.size() - 2], "-(Picture;10;7)");
  EXPECT_EQ(lines.back(), "-(Picture;11;15)");
  EXPECT_EQ(lines[lines.size() - 3], "-(TextListEnd)");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("-(Picture;", 0) == 0; }),
            2);
  EXPECT_TRUE(used.Contains("S008X016.FON"));
}

class SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("tavo_save_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  fs::path dir;
};

TEST_F(SaveTest, PreviousFileBecomesBackupAndFolderIsCreated) {
  Reader r;
  auto p = r.Read(kCanonical);
  const fs::path file = dir / "anlage.qvx";
  std::ofstream(file, std::ios::binary) << "old";
  p->modified = true;
  ASSERT_TRUE(WriteProjectFile(*p, file.string()));
  EXPECT_EQ(Slurp(dir / "anlage.BAK"), "old");
  EXPECT_EQ(Slurp(file), kCanonical);
  EXPECT_TRUE(fs::is_directory(dir / "anlage"));
  EXPECT_EQ(p->folderName, "anlage");
  EXPECT_EQ(p->path, file.string());
  EXPECT_FALSE(p->modified);
  EXPECT_FALSE(fs::exists(dir / "anlage.qvx.tmp~"));
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  EXPECT_EQ(names.size(), 3u);
}

// A save that cannot complete must leave the previous file as it was.
TEST_F(SaveTest, FailedWriteKeepsThePreviousFile) {
  Reader r;
  auto p = r.Read(kCanonical);
  p->modified = true;
  const fs::path file = dir / "locked" / "anlage.qvx";
  std::string error;
  EXPECT_FALSE(WriteProjectFile(*p, file.string(), &error));  // folder missing
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(p->modified);
  EXPECT_TRUE(p->path.empty());

  // A full disk: the write fails halfway. The previous file, the previous
  // backup and the project's state stay; no temporary and no project folder
  // are left.
  const fs::path target = dir / "full.qvx";
  std::ofstream(target, std::ios::binary) << "old";
  std::ofstream(dir / "full.BAK", std::ios::binary) << "older";
  {
    testing::FileSizeLimit full(100);
    EXPECT_FALSE(WriteProjectFile(*p, target.string(), &error));
  }
  EXPECT_NE(error.find("File too large"), std::string::npos) << error;
  EXPECT_EQ(Slurp(target), "old");
  EXPECT_EQ(Slurp(dir / "full.BAK"), "older");
  EXPECT_TRUE(p->modified);
  EXPECT_TRUE(p->path.empty());
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  EXPECT_EQ(names.size(), 2u);
}

// Only a regular file or a free name becomes the project file; anything else
// in its place is refused before anything (the project folder included) is
// created, and stays what it was.
TEST_F(SaveTest, NothingButAFileOrAFreeNameIsWritten) {
  Reader r;
  auto p = r.Read(kCanonical);
  ::mkfifo((dir / "pipe.qvx").c_str(), 0600);
  fs::create_symlink("/dev/null", dir / "null.qvx");
  std::ofstream(dir / "taken.qvx", std::ios::binary) << "old";
  fs::create_directory(dir / "taken.BAK");
  struct Case {
    std::string file;
    std::string reason;
  };
  const Case cases[] = {
      {"pipe.qvx", "is a named pipe (FIFO), not a file"},
      {"null.qvx", "is a device, not a file"},
      {"Anlage", "the name needs an extension (.qvx)"},
      {"taken.qvx", "cannot keep the previous file as " + (dir / "taken.BAK").string()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string path = (dir / c.file).string();
    std::string error;
    EXPECT_FALSE(WriteProjectFile(*p, path, &error));
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(WhyNotSavable(path), error);
  }
  EXPECT_EQ(KindOfPath(dir / "pipe.qvx"), PathKind::Pipe);
  EXPECT_TRUE(fs::is_symlink(dir / "null.qvx"));
  EXPECT_EQ(Slurp(dir / "taken.qvx"), "old");
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  EXPECT_EQ(names.size(), 4u);
  EXPECT_TRUE(p->path.empty());
}

// A folder where the file should be is neither read nor replaced.
TEST_F(SaveTest, FolderInPlaceOfTheFileIsLeftAlone) {
  Reader r;
  auto p = r.Read(kCanonical);
  const fs::path folder = dir / "anlage.qvx";
  fs::create_directories(folder / "inside");
  std::string error;
  EXPECT_FALSE(WriteProjectFile(*p, folder.string(), &error));
  EXPECT_NE(error.find("is a folder"), std::string::npos);
  EXPECT_TRUE(fs::is_directory(folder / "inside"));
  EXPECT_FALSE(fs::exists(dir / "anlage.BAK"));
  ProjectReadContext context;
  EXPECT_EQ(ReadProjectFile(folder.string(), context).project, nullptr);
}

TEST(ProjectFile, LinesEndWithCrLfLfOrCrAlone) {
  const char* lines[] = {
      "[Variables]", "-Variable(1;1;3;2;0;\"a\")",   "", "-Variable(2;1;3;2;0;\"b\")",
      "[Alarms]",    "-Alarm(0;\"F.FON\";1;0;\"c\")"};
  for (const char* end : {"\r\n", "\n", "\r", "\n\r", "\r\r\n"}) {
    std::string text;
    for (const char* l : lines) text += std::string(l) + end;
    text.resize(text.size() - std::string(end).size());  // and the last line without one
    Reader r;
    auto p = r.Read(text);
    EXPECT_EQ(CountNodes(p->variables.get()), 2) << ::testing::PrintToString(end);
    EXPECT_EQ(NameAt(p->variables.get(), 2), "b") << ::testing::PrintToString(end);
    ASSERT_NE(p->alarms, nullptr) << ::testing::PrintToString(end);
    EXPECT_EQ(p->alarms->name, "c") << ::testing::PrintToString(end);
    EXPECT_TRUE(r.Messages().empty());
  }
}

using ReadFileTest = SaveTest;

TEST_F(ReadFileTest, FileLargerThanOneReadBlockIsReadWhole) {
  std::string text = "[Variables]\r\n";
  for (int i = 1; i <= 4000; ++i)
    text +=
        "-Variable(" + std::to_string(i) + ";1;3;2;0;\"Variable " + std::to_string(i) + "\")\r\n";
  ASSERT_GT(text.size(), 2u * 65536u);
  const fs::path file = dir / "gross.qvx";
  std::ofstream(file, std::ios::binary) << text;
  Reader r;
  auto p = ReadProjectFile(file.string(), r.context).project;
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(CountNodes(p->variables.get()), 4000);
  EXPECT_EQ(NameAt(p->variables.get(), 4000), "Variable 4000");
  EXPECT_NE(Written(*p).find("-Variable(4000;1;3;2;0;\"Variable 4000\")\r\n"), std::string::npos);
  EXPECT_EQ(p->folderName, "gross");
  EXPECT_EQ(ReadProjectFile((dir / "fehlt.qvx").string(), r.context).status,
            ProjectReadStatus::CannotOpen);
  // A pipe named like a project is refused at once instead of waiting for a writer.
  const fs::path pipe = dir / "pipe.qvx";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(ReadProjectFile(pipe.string(), r.context).status, ProjectReadStatus::CannotOpen);
}

// Reads `other` the first time the outer read reports its progress, as a
// progress display that lets the user's events through could.
struct ReadsAnotherFile : ProgressDisplay {
  ReadsAnotherFile(std::string other, ProjectReadContext& context)
      : other(std::move(other)), context(context) {}
  void SetPercent(int) override {
    if (inner || other.empty()) return;
    ProjectReadContext plain = context;
    plain.progress = nullptr;
    inner = ReadProjectFile(other, plain).project;
  }
  std::string other;
  ProjectReadContext& context;
  std::unique_ptr<t_projekt> inner;
};

TEST_F(ReadFileTest, EachReadSeesOnlyItsOwnFile) {
  auto variables = [](int count, const std::string& prefix) {
    std::string text = "[Variables]\r\n";
    for (int i = 1; i <= count; ++i)
      text +=
          "-Variable(" + std::to_string(i) + ";1;3;2;0;\"" + prefix + std::to_string(i) + "\")\r\n";
    return text;
  };
  const fs::path large = dir / "gross.qvx", small = dir / "klein.qvx";
  std::ofstream(large, std::ios::binary) << variables(300, "Gross ");
  std::ofstream(small, std::ios::binary) << variables(2, "Klein ");
  Reader r;

  // One after the other: the smaller file after the larger one.
  ASSERT_EQ(CountNodes(ReadProjectFile(large.string(), r.context).project->variables.get()), 300);
  auto p = ReadProjectFile(small.string(), r.context).project;
  EXPECT_EQ(CountNodes(p->variables.get()), 2);
  EXPECT_EQ(NameAt(p->variables.get(), 2), "Klein 2");

  // One within the other.
  ReadsAnotherFile progress(small.string(), r.context);
  r.context.progress = &progress;
  p = ReadProjectFile(large.string(), r.context).project;
  ASSERT_NE(progress.inner, nullptr);
  EXPECT_EQ(CountNodes(progress.inner->variables.get()), 2);
  EXPECT_EQ(NameAt(progress.inner->variables.get(), 2), "Klein 2");
  EXPECT_EQ(CountNodes(p->variables.get()), 300);
  for (int i : {1, 2, 300}) EXPECT_EQ(NameAt(p->variables.get(), i), "Gross " + std::to_string(i));
  EXPECT_TRUE(r.Messages().empty());
}

TEST(ProjectFile, BackupAndFolderNames) {
  EXPECT_EQ(BackupPath("/p/Anlage.qvx"), "/p/Anlage.BAK");
  EXPECT_EQ(ProjectFolderName("/p/Anlage.v2.qvx"), "Anlage");
}

}  // namespace
}  // namespace tavo
