// The project check on small projects: one fixture per finding, each made
// from one clean project by a few edits, and the exact findings it gives.

#include "check/projectcheck.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/objekt.h"
#include "project/projekt.h"
#include "support/demoprojects.h"
#include "support/tempfolder.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;
using tavo::testing::Installed;
using tavo::testing::TempFolder;

// Every variable and text list is used, every key leads to a picture, every
// object lies on the 640 x 480 display of the terminal. The %...% marks are
// where the cases insert lines.
constexpr const char* kCleanProject =
    "[Head]\r\n"
    "-Name         = \"Pruefling\"\r\n"
    "-Startpicture = \"1\"\r\n"
    "[Terminal]\r\n"
    "-DOSVersion    = \"VTA_640C.TRM\"\r\n"
    "[PLC]\r\n"
    "-DOSVersion    = \"SPS_DBW.KOP\"\r\n"
    "[Variables]\r\n"
    "-Variable(1;010,000;3;2;1;\"Wert\")\r\n"
    "-Variable(2;010,002;6;8;1;\"Charge\")\r\n"
    "%VARIABLES%"
    "[Alarms]\r\n"
    "-Alarm(0;\"S008X016.FON\";1;5;\"Pumpe St\xF6rung\")\r\n"
    "%ALARMS%"
    "[TextList]\r\n"
    "-TextList(\"Zustand\";1;Wert)\r\n"
    "-Text(\"Aus\";0)\r\n"
    "-Text(\"Ein\";1)\r\n"
    "-TextListEnd\r\n"
    "%TEXTLISTS%"
    "[Pictures]\r\n"
    "-Picture(1;1;\"Start\";15)\r\n"
    "-Key(1;2;\"\")\r\n"
    "-Object(7;0;0;0;0;1;0;255;0;\"Wert\";20;40;\"S008X016.FON\";1;1;\"####\")\r\n"
    "-Object(10;0;0;0;0;1;0;255;0;\"Charge\";20;60;\"S008X016.FON\";1;2;\"$$$$$$$$\")\r\n"
    "-Object(16;0;0;0;0;1;0;15;1;\"Zustand\";20;80;\"S008X016.FON\";1;1)\r\n"
    "-Object(2;0;0;0;0;1;0;15;1;\"Rahmen\";0;0;639;0;639;479;0;479)\r\n"
    "%OBJECTS%"
    "-PictureEnd\r\n"
    "\r\n"
    "-Picture(2;2;\"Zwei\";15)\r\n"
    "-Key(1;1;\"\")\r\n"
    "-Object(20;0;0;0;\"Pumpe\";60;104;92;136;\"PUMPE.BMP\";TRUE;TRUE;1;65280)\r\n"
    "-PictureEnd\r\n"
    "%PICTURES%";

using Edits = std::vector<std::pair<std::string, std::string>>;

struct Expected {
  std::string code;
  std::string place;
  bool operator==(const Expected&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Expected& e) {
  return os << e.code << " at " << e.place;
}

struct Case {
  const char* name;
  Edits edits;
  std::vector<Expected> expected;
};

std::string Object(const std::string& fields) {
  return "-Object(" + fields + ")\r\n";
}

// 1,000 more pictures: with the run file, the two pictures, the fonts and
// the installation's files, drive D holds more than the terminal takes.
std::string ThousandPictures() {
  std::string lines;
  for (int i = 3; i <= 1002; ++i)
    lines += "-Picture(" + std::to_string(i) + ";" + std::to_string(i) + ";\"B\";15)\r\n" +
             "-PictureEnd\r\n";
  return lines;
}

const std::string kStart = "Bild 1 \"Start\"";

const Case kCases[] = {
    {"clean", {}, {}},
    // --- references
    {"field on a missing variable",
     {{"%OBJECTS%", Object("7;0;0;0;0;1;0;255;0;\"Neu\";20;100;\"S008X016.FON\";1;9;\"####\"")}},
     {{"E101", kStart + ", Ausgabefeld \"Neu\""}}},
    {"switching rule of a group on a missing variable",
     {{"%OBJECTS%", "-Group(3;9;1;\"G\")\r\n" +
                        Object("2;0;0;0;0;1;0;15;1;\"Innen\";10;10;20;10;20;20;10;20") +
                        "-GroupEnd\r\n"}},
     {{"E101", kStart + ", Gruppe \"G\""}}},
    {"variable of a field inside a group",
     {{"%OBJECTS%", "-Group(0;0;0;\"G\")\r\n" +
                        Object("7;0;0;0;0;1;0;255;0;\"Tief\";20;100;\"S008X016.FON\";1;8;\"#\"") +
                        "-GroupEnd\r\n"}},
     {{"E101", kStart + ", Ausgabefeld \"Tief\""}}},
    {"text list field on a missing list",
     {{"%OBJECTS%", Object("15;0;0;0;0;1;0;15;1;\"Liste\";20;100;\"S008X016.FON\";1;7")}},
     {{"E102", kStart + ", Textlistenausgabe \"Liste\""}}},
    {"text list field on a list without texts",
     {{"%TEXTLISTS%", "-TextList(\"Leer\";3;Wert)\r\n-TextListEnd\r\n"},
      {"%OBJECTS%", Object("15;0;0;0;0;1;0;15;1;\"Liste\";20;100;\"S008X016.FON\";1;3")}},
     {{"E103", kStart + ", Textlistenausgabe \"Liste\""}, {"W507", "Textliste 3 \"Leer\""}}},
    {"key to a picture that does not exist",
     {{"-Key(1;2;\"\")", "-Key(1;2;\"\")\r\n-Key(14;5;\"\")"}},
     {{"E104", kStart + ", Taste Shift+F2"}}},
    {"start picture missing",
     {{"\"1\"\r\n[Terminal]", "\"7\"\r\n[Terminal]"}},
     {{"E105", "Projekt"}}},
    {"key the terminal model lacks",
     {{"VTA_640C.TRM", "VTA_2MBM.TRM"},
      {"-Object(2;0;0;0;0;1;0;15;1;\"Rahmen\";0;0;639;0;639;479;0;479)", ""},
      {"-Key(1;2;\"\")", "-Key(49;2;\"\")"}},
     {{"W106", kStart + ", Taste F13"}}},
    {"first generation calls pictures by their base number",
     {{"VTA_640C.TRM", "VTA_Q320.TRM"},
      {"-Object(2;0;0;0;0;1;0;15;1;\"Rahmen\";0;0;639;0;639;479;0;479)", ""},
      {"-Picture(2;2;", "-Picture(5;2;"}},
     {{"W107", kStart + ", Taste F1"}}},
    {"variable number twice",
     {{"%VARIABLES%", "-Variable(1;010,004;3;2;1;\"Doppelt\")\r\n"}},
     {{"E110", "Variable 1 \"Doppelt\""}}},
    {"text list number twice",
     {{"%TEXTLISTS%", "-TextList(\"Doppelt\";1;Bit)\r\n-Text(\"a\";1)\r\n-TextListEnd\r\n"}},
     {{"E111", "Textliste 1 \"Doppelt\""}}},
    {"picture number twice",
     {{"%PICTURES%", "-Picture(3;1;\"Drei\";15)\r\n-PictureEnd\r\n"}},
     {{"E112", "Bild 1 \"Drei\""}}},
    // --- the display
    {"object wholly outside",
     {{"%OBJECTS%", Object("2;0;0;0;0;1;0;15;1;\"Weg\";700;10;750;10;750;20;700;20")}},
     {{"E201", kStart + ", Rechteck \"Weg\""}}},
    {"object partly outside",
     {{"%OBJECTS%", Object("1;0;0;0;0;1;0;15;1;\"Lang\";600;10;640;10")}},
     {{"W202", kStart + ", Linie \"Lang\""}}},
    {"field one pixel too far right",
     {{"%OBJECTS%", Object("7;0;0;0;0;1;0;255;0;\"Rand\";609;100;\"S008X016.FON\";1;1;\"####\"")}},
     {{"W202", kStart + ", Ausgabefeld \"Rand\""}}},
    {"the display after a change of terminal",
     {{"VTA_640C.TRM", "VTA_2MBM.TRM"},
      {"-Object(2;0;0;0;0;1;0;15;1;\"Rahmen\";0;0;639;0;639;479;0;479)",
       "-Object(2;0;0;0;0;1;0;15;1;\"Rahmen\";0;0;319;0;319;239;0;239)"},
      {"%OBJECTS%", Object("5;0;0;0;0;1;0;15;1;\"Rechts\";400;20;\"Text\";\"S008X016.FON\"")}},
     {{"E201", kStart + ", Text \"Rechts\""}}},
    {"objects without size",
     {{"%OBJECTS%", Object("2;0;0;0;0;1;0;15;1;\"Punkt\";10;10;10;10;10;10;10;10") +
                        Object("1;0;0;0;0;1;0;15;1;\"Strich\";10;10;10;30") +
                        Object("5;0;0;0;0;1;0;15;1;\"Leer\";20;20;\"\";\"S008X016.FON\"") +
                        "-Group(0;0;0;\"Hohl\")\r\n-GroupEnd\r\n"}},
     {{"W203", kStart + ", Rechteck \"Punkt\""},
      {"W203", kStart + ", Text \"Leer\""},
      {"W203", kStart + ", Gruppe \"Hohl\""}}},
    {"format wider than the display in its font",
     {{"%OBJECTS%", Object("7;0;0;0;0;1;0;255;0;\"Breit\";0;100;\"S008X016.FON\";1;1;\"" +
                           std::string(81, '#') + "\"")}},
     {{"E204", kStart + ", Ausgabefeld \"Breit\""}}},
    {"bitmap larger than the display",
     {{"%OBJECTS%", Object("20;0;0;0;\"Riesig\";0;0;700;50;\"PUMPE.BMP\";FALSE;FALSE;2;0")}},
     {{"E205", kStart + ", Bitmap \"Riesig\""}}},
    // --- fonts and bitmaps
    {"font not installed",
     {{"%OBJECTS%", Object("5;0;0;0;0;1;0;15;1;\"T\";20;100;\"Hallo\";\"FEHLT.FON\"")},
      {"%ALARMS%", "-Alarm(1;\"FEHLT.FON\";2;5;\"Kurz\")\r\n"}},
     {{"E301", kStart + ", Text \"T\""}, {"E301", "Alarm 1"}}},
    {"font name the terminal cannot take",
     {{"%OBJECTS%", Object("5;0;0;0;0;1;0;15;1;\"T\";20;100;\"Hallo\";\"LANGERNAME.FON\"")}},
     {{"E401", kStart + ", Text \"T\""}, {"E301", kStart + ", Text \"T\""}}},
    {"bitmap files missing, unreadable and damaged",
     {{"%OBJECTS%",
       Object("20;0;0;0;\"Fehlt\";0;0;10;10;\"FEHLT.BMP\";FALSE;FALSE;2;0") +
           Object("20;0;0;0;\"Kaputt\";0;0;10;10;\"$DIR/kaputt.bmp\";FALSE;FALSE;3;0") +
           Object("20;0;0;0;\"Halb\";0;0;10;10;\"$DIR/halb.bmp\";FALSE;FALSE;4;0") +
           Object("20;0;0;0;\"Ohne\";0;0;10;10;\"\";FALSE;FALSE;5;0")}},
     {{"E302", kStart + ", Bitmap \"Fehlt\""},
      {"E303", kStart + ", Bitmap \"Kaputt\""},
      {"W304", kStart + ", Bitmap \"Halb\""},
      {"E302", kStart + ", Bitmap \"Ohne\""}}},
    {"more files than drive D takes", {{"%PICTURES%", ThousandPictures()}}, {{"E402", "Projekt"}}},
    // --- variables, text lists and input fields
    {"variables sharing an address",
     {{"%VARIABLES%", "-Variable(3;010,000;3;2;1;\"Gleich\")\r\n"},
      {"%OBJECTS%", Object("7;0;0;0;0;1;0;255;0;\"Neu\";20;100;\"S008X016.FON\";1;3;\"#\"")}},
     {{"N501", "Variable 3 \"Gleich\""}}},
    {"variable and text list never used",
     {{"%VARIABLES%", "-Variable(3;010,010;3;2;1;\"Brach\")\r\n"},
      {"%TEXTLISTS%", "-TextList(\"Brach\";2;Bit)\r\n-Text(\"a\";1)\r\n-TextListEnd\r\n"}},
     {{"N502", "Variable 3 \"Brach\""}, {"N503", "Textliste 2 \"Brach\""}}},
    {"input on a variable without type",
     {{"%VARIABLES%", "-Variable(3;010,010;0;2;1;\"Typlos\")\r\n"},
      {"%OBJECTS%", Object("6;0;0;0;0;1;0;255;0;\"Ein\";20;100;\"S008X016.FON\";1;3;\"###\"")}},
     {{"E504", kStart + ", Eingabefeld \"Ein\""}}},
    {"number input on a text variable",
     {{"%OBJECTS%", Object("11;0;0;0;0;1;0;15;1;\"Skal\";20;100;\"S008X016.FON\";\"##\";1;0;2")}},
     {{"E505", kStart + ", SkalEingabefeld \"Skal\""}}},
    {"text input on a number variable",
     {{"%OBJECTS%", Object("10;0;0;0;0;1;0;255;0;\"Code\";20;100;\"S008X016.FON\";1;1;\"$$$\"")}},
     {{"W506", kStart + ", Barcodefeld \"Code\""}}},
    {"an output field may show any type",
     {{"%OBJECTS%", Object("7;0;0;0;0;1;0;255;0;\"Aus\";20;100;\"S008X016.FON\";1;2;\"###\"")}},
     {}},
    // --- alarms
    {"alarm texts cut, wrapped and empty",
     {{"%ALARMS%", "-Alarm(1;\"S008X016.FON\";2;5;\"" + std::string(256, 'x') + "\")\r\n" +
                       "-Alarm(2;\"S008X016.FON\";4;5;\"" + std::string(68, 'y') + "\")\r\n" +
                       "-Alarm(3;\"S008X016.FON\";8;5;\"" + std::string(67, 'z') + "\")\r\n" +
                       "-Alarm(4;\"S008X016.FON\";16;5;\"\")\r\n"}},
     {{"E601", "Alarm 1"}, {"W602", "Alarm 2"}, {"E603", "Alarm 4"}}},
    {"alarm numbers out of range and twice",
     {{"%ALARMS%",
       "-Alarm(240;\"S008X016.FON\";1;5;\"Hoch\")\r\n"
       "-Alarm(0;\"S008X016.FON\";1;5;\"Doppelt\")\r\n"}},
     {{"E604", "Alarm 240"}, {"E605", "Alarm 0"}}},
};

class ProjectCheckTest : public ::testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    installed_ = new Installed;
    folder_ = new TempFolder;
    std::ofstream(folder_->File("kaputt.bmp"), std::ios::binary) << "kein Bild";
    // Half of a sound file: the header promises pixels the file lacks.
    std::ifstream whole(fs::path(TAVO_DATA_DIR) / "Lib" / "Graphics" / "PUMPE.BMP",
                        std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(whole), {}};
    std::ofstream(folder_->File("halb.bmp"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  }
  static void TearDownTestSuite() {
    delete folder_;
    delete installed_;
  }

  static std::string ProjectText(const Edits& edits) {
    std::string text = kCleanProject;
    for (const auto& [from, to] : edits) {
      const std::size_t at = text.find(from);
      EXPECT_NE(at, std::string::npos) << from;
      if (at != std::string::npos) text.replace(at, from.size(), to);
    }
    for (std::size_t at; (at = text.find("$DIR")) != std::string::npos;)
      text.replace(at, 4, folder_->path().string());
    for (const char* mark : {"%VARIABLES%", "%ALARMS%", "%TEXTLISTS%", "%OBJECTS%", "%PICTURES%"})
      if (const std::size_t at = text.find(mark); at != std::string::npos)
        text.replace(at, std::string(mark).size(), "");
    return text;
  }

  static CheckContext Context() { return {installed_->catalog.fonts.get(), &installed_->install}; }

  inline static Installed* installed_ = nullptr;
  inline static TempFolder* folder_ = nullptr;
};

TEST_P(ProjectCheckTest, FindsExactlyWhatTheFixtureHolds) {
  const Case& c = GetParam();
  std::unique_ptr<t_projekt> project = installed_->ReadText(ProjectText(c.edits));
  ASSERT_TRUE(project);
  const std::vector<Finding> findings = CheckProject(*project, Context());
  GermanTranslator german;
  std::vector<Expected> found;
  for (const Finding& f : findings) {
    found.push_back({f.code(), PlaceText(f.place, german)});
    // Every place leads back to what it names.
    if (f.place.kind == PlaceKind::Object) {
      t_bild* picture = PictureAtPosition(*project, f.place.picture);
      ASSERT_TRUE(picture) << found.back();
      const t_objekt* object = ObjectAtPath(*picture, f.place.object);
      ASSERT_TRUE(object) << found.back();
      EXPECT_EQ(object->name, f.place.objectName);
    }
    if (f.place.kind == PlaceKind::Variable) {
      EXPECT_EQ(RecordAtPosition(project->variables.get(), f.place.record)->name, f.place.name);
    }
  }
  EXPECT_THAT(found, ::testing::UnorderedElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Findings, ProjectCheckTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST_F(ProjectCheckTest, MessagesCarryTheirValuesInBothLanguages) {
  std::unique_ptr<t_projekt> project = installed_->ReadText(
      ProjectText({{"-Key(1;2;\"\")", "-Key(1;2;\"\")\r\n-Key(14;5;\"\")"},
                   {"%VARIABLES%", "-Variable(3;010,000;3;2;1;\"Gleich\")\r\n"}}));
  const std::vector<Finding> findings = CheckProject(*project, Context());
  ASSERT_EQ(findings.size(), 3u);
  GermanTranslator german;
  EXPECT_EQ(FindingMessage(findings[0], german),
            "Taste Shift+F2 ruft Bild 5 auf, das Projekt hat nur 2 Bilder");
  // The address in the coupling's form, the number of the variable first there.
  EXPECT_EQ(FindingMessage(findings[1], german),
            "Variable hat dieselbe Adresse 010,000 wie Variable 1");
  EXPECT_EQ(SeverityText(findings[1].severity(), german), "Hinweis");
  EXPECT_EQ(CheckSummary(findings, german), "1 Fehler, 0 Warnungen, 2 Hinweise");
  EXPECT_EQ(CountAtLeast(findings, Severity::Error), 1);
  EXPECT_EQ(CountAtLeast(findings, Severity::Warning), 1);
  EXPECT_EQ(CountAtLeast(findings, Severity::Note), 3);
}

// The reader always gives a project a terminal; a project made otherwise
// may lack one, and then nothing can be said about the display or the keys.
TEST_F(ProjectCheckTest, AProjectWithoutTerminalSaysSoAndNothingAboutTheDisplay) {
  std::unique_ptr<t_projekt> project = installed_->ReadText(ProjectText(
      {{"%OBJECTS%", Object("2;0;0;0;0;1;0;15;1;\"Weg\";700;10;750;10;750;20;700;20")}}));
  project->terminal.reset();
  const std::vector<Finding> findings = CheckProject(*project, Context());
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_STREQ(findings[0].code(), "E120");
}

// The shipped demos are what a new user downloads first.
TEST_F(ProjectCheckTest, DemoProjectsHaveNoErrors) {
  for (const char* demo :
       {"Projects\\Demo.qvx", "Projects\\Felder.qvx", "Projects\\demos\\Klassik.qvx"}) {
    std::unique_ptr<t_projekt> project = installed_->Read(demo);
    ASSERT_TRUE(project) << demo;
    LocateBitmapFiles(*project, {installed_->install.Resolve("Lib\\Graphics")});
    const std::string before = testing::FileBytes(*project);
    const std::vector<Finding> findings = CheckProject(*project, Context());
    GermanTranslator german;
    for (const Finding& f : findings)
      EXPECT_NE(f.severity(), Severity::Error)
          << demo << ": " << f.code() << " " << PlaceText(f.place, german) << ": "
          << FindingMessage(f, german);
    // The check only reads.
    EXPECT_EQ(testing::FileBytes(*project), before) << demo;
  }
}

// A rule's letter is its severity, and codes are stable: unique and in order.
TEST(CheckRules, CodesAreUniqueOrderedAndSayTheirSeverity) {
  std::set<std::string> codes;
  std::string previous = "X000";
  for (const CheckRule& rule : AllCheckRules()) {
    const std::string code = rule.code;
    ASSERT_EQ(code.size(), 4u) << code;
    EXPECT_EQ(code[0], rule.severity == Severity::Error     ? 'E'
                       : rule.severity == Severity::Warning ? 'W'
                                                            : 'N')
        << code;
    EXPECT_LT(previous.substr(1), code.substr(1)) << code;
    EXPECT_TRUE(codes.insert(code.substr(1)).second) << code;
    EXPECT_EQ(FindCheckRule(code), &rule);
    previous = code;
  }
  EXPECT_EQ(FindCheckRule("E999"), nullptr);
}

}  // namespace
}  // namespace tavo
