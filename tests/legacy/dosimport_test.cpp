// The DOS project import on files composed byte by byte: what each record
// field becomes, and how damaged containers and records are reported.

#include "legacy/dosimport.h"

#include <gtest/gtest.h>

#include "legacy/dosfixture.h"
#include "legacy/importprogress.h"
#include "objects/objectkinds.h"
#include "objects/objekt.h"
#include "project/records.h"
#include "shell/codepage.h"
#include "shell/messageboxes.h"
#include "shell/progress.h"

namespace tavo {
namespace {

using testing::Bytes;
using testing::DosProject;
using testing::KeyEntry;
using testing::PictureFile;
using testing::PictureRecord;
using testing::TempFolder;
using testing::WriteFile;

// Expected texts are written in UTF-8 here; the core holds code page 1252.
std::string Cp(const char* utf8) {
  return Utf8ToCp1252(utf8);
}

struct RecordingDisplay : ProgressDisplay {
  std::vector<std::string> captions, labels;
  std::vector<int> percents;
  void SetCaption(const std::string& text) override { captions.push_back(text); }
  void SetLabel(const std::string& text) override { labels.push_back(text); }
  void SetPercent(int percent) override { percents.push_back(percent); }
};

// One import of a composed project, with its messages and progress kept.
struct Import {
  TempFolder folder;
  t_katalog catalog;
  ScriptedMessageBox box;
  RecordingDisplay overall, part;
  DosImportResult result;

  Import() { testing::FillCatalog(catalog); }

  DosImportResult& Run(const Bytes& container, const std::map<std::string, Bytes>& files = {},
                       const std::string& name = "ANLAGE.PRJ") {
    WriteFile(folder / name, container);
    for (const auto& [file, bytes] : files) WriteFile(folder / file, bytes);
    return RunPath(folder.File(name));
  }
  DosImportResult& RunPath(const std::string& path) {
    DosImportContext context;
    context.catalog = &catalog;
    context.messages = &box;
    context.overall = &overall;
    context.part = &part;
    result = ImportDosProject(path, context);
    return result;
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& call : box.Calls()) texts.push_back(call.text);
    return texts;
  }
  const t_bild& Picture(int position) const {
    const t_liste* p = result.project->pictures.get();
    for (int i = 1; i < position && p; ++i) p = p->next();
    return static_cast<const t_bild&>(*p);
  }
};

Bytes LineRecord(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
  Bytes r{kKindLinie, 3, 1, 1, 255, 1};
  for (std::int16_t v : {x1, y1, x2, y2}) testing::PutU16(r, static_cast<std::uint16_t>(v));
  testing::PutU16(r, 0);  // no switching rule
  return r;
}

// --- head, terminal and coupling ----------------------------------------------------

TEST(DosImport, HeadFieldsAreTrimmedAndBackConvertedWhereTheFormSaysSo) {
  DosProject p;
  p.head.name = ToTerminalCharset(Cp("  Anlage Süd ")) + std::string(17, ' ');
  p.head.author = "  Meier  ";
  p.head.created = " 1.2.96";
  p.head.changed = "3.4.97 ";
  p.head.info1 = ToTerminalCharset(Cp(" Kühlung "));
  p.head.startPicture = 0x00020007;  // only the low 16 bits count
  Import run;
  const DosImportResult& r = run.Run(p.File());
  ASSERT_TRUE(r.project);
  const t_kopf& h = *r.project->head;
  EXPECT_EQ(h.name, Cp("Anlage Süd"));
  EXPECT_EQ(r.project->name, Cp("Anlage Süd"));
  EXPECT_EQ(h.author, "Meier");
  EXPECT_EQ(h.created, " 1.2.96");  // dates as stored
  EXPECT_EQ(h.changed, "3.4.97 ");
  EXPECT_EQ(h.info1, Cp(" Kühlung "));  // info lines are not trimmed
  EXPECT_EQ(h.startPicture, 7);
  EXPECT_FALSE(r.project->modified);
  EXPECT_TRUE(run.box.Calls().empty());
}

TEST(DosImport, DosVersionsAreMatchedExactlyWithTheFirstEntryAsFallback) {
  struct Case {
    std::string stored;
    std::string terminal;
  } cases[] = {
      {"VTA_Q320.TRM", "Grau"},
      {"vta_q320.trm", "Erstes"},  // case matters
      {"VTA_Q320.TR", "Erstes"},
      {"", "Erstes"},
  };
  for (const Case& c : cases) {
    DosProject p;
    p.head.terminal = c.stored;
    p.head.coupling = c.stored == "VTA_Q320.TRM" ? "SPS_DBW.KOP" : "sps_dbw.kop";
    Import run;
    const DosImportResult& r = run.Run(p.File());
    ASSERT_TRUE(r.project) << c.stored;
    EXPECT_EQ(r.project->terminal->terminalName, c.terminal) << c.stored;
    EXPECT_EQ(r.project->coupling->couplingName, c.terminal == "Grau" ? "Datenbaustein" : "Seriell")
        << c.stored;
  }
}

TEST(DosImport, CouplingTakesTheProjectsBlockAddressesAndAlarmSort) {
  DosProject p;
  p.head.coupling = "SPS_DBW.KOP";
  p.head.readBlock = 0xFFFE;  // zero-extended, not sign-extended
  p.head.writeBlock = 2816;
  p.head.alarmSort = 2;
  Import run;
  const t_steuerung& c = *run.Run(p.File()).project->coupling;
  EXPECT_EQ(c.readBlockAddress, 65534);
  EXPECT_EQ(c.writeBlockAddress, 2816);
  EXPECT_EQ(c.alarmSort, 2);
  EXPECT_EQ(c.addressFormat, 1);  // the rest comes from the catalogue
}

TEST(DosImport, WithoutAnyDefinitionTheRecordsKeepTheStoredVersions) {
  DosProject p;
  TempFolder folder;
  WriteFile(folder / "A.PRJ", p.File());
  DosImportContext context;  // no catalogue, no message box
  DosImportResult r = ImportDosProject(folder.File("A.PRJ"), context);
  ASSERT_TRUE(r.project);
  EXPECT_EQ(r.project->terminal->dosVersion, "VTA_Q320.TRM");
  EXPECT_EQ(r.project->terminal->terminalName, "none");
  EXPECT_EQ(r.project->coupling->dosVersion, "SPS_SERW.KOP");
}

// --- alarms and variables -----------------------------------------------------------

TEST(DosImport, AlarmsTakeNumberMaskFlagsFontAndText) {
  DosProject p;
  p.alarms.push_back(testing::AlarmRecord(35, "sys_0816.fon", {1, 0, 7, 0},
                                          ToTerminalCharset(Cp("  Tür offen  "))));
  p.alarms.push_back(testing::AlarmRecord(0, "S008X016.FON", {0, 1, 0, 1}, "Zweiter"));
  Import run;
  const DosImportResult& r = run.Run(p.File());
  ASSERT_EQ(r.alarms, 2);
  const auto& a = static_cast<const t_alarme&>(*r.project->alarms);
  EXPECT_EQ(a.number, 35);
  EXPECT_EQ(a.bitMask, 8);  // 1 shifted by 35 mod 16
  EXPECT_EQ(a.flags, t_alarme::kDynamic | t_alarme::kHistoryComes);
  EXPECT_EQ(a.font, "sys_0816.fon");  // as stored
  EXPECT_EQ(a.name, Cp("Tür offen"));
  const auto& b = static_cast<const t_alarme&>(*a.next());
  EXPECT_EQ(b.bitMask, 1);
  EXPECT_EQ(b.flags, t_alarme::kInterrupting | t_alarme::kHistoryGoes);
}

TEST(DosImport, EmptyAlarmStreamLeavesTheOverallBarAtPicturesPlusVariablesPlusFive) {
  DosProject p;
  p.variables.push_back(testing::VariableRecord("A", 1, 3, 2));
  Import run;
  const DosImportResult& r = run.Run(p.File());
  EXPECT_EQ(r.alarms, 0);
  EXPECT_EQ(r.project->alarms, nullptr);
  // Maximum 0 + 1 + 5: the alarms' start at 5 is 83 %, the variable 100 %.
  EXPECT_EQ(run.overall.percents, (std::vector<int>{83, 100}));
  EXPECT_EQ(run.overall.captions, (std::vector<std::string>{"Projekt importieren"}));
  EXPECT_EQ(run.overall.labels.front(), "Anlage");
  EXPECT_EQ(run.part.labels, (std::vector<std::string>{"Variablen"}));
}

TEST(DosImport, VariablesAreNumberedByPositionAndShownWithTheCouplingsAddressForm) {
  DosProject p;
  p.head.coupling = "SPS_DBW.KOP";
  p.variables.push_back(testing::VariableRecord(ToTerminalCharset(Cp(" Füllstand ")), 780, 2, 2));
  p.variables.push_back(testing::VariableRecord(Cp("Zähler"), 0xFFFF, 4, 4));
  Import run;
  const DosImportResult& r = run.Run(p.File());
  ASSERT_EQ(r.variables, 2);
  const auto& v = static_cast<const t_variable&>(*r.project->variables);
  EXPECT_EQ(v.name, Cp("Füllstand"));
  EXPECT_EQ(v.number, 1);
  EXPECT_EQ(v.attribute, 1);
  EXPECT_EQ(v.type, 2);
  EXPECT_EQ(v.length, 2);
  EXPECT_EQ(AddressText(v.address, r.project->coupling.get()), "003,012");  // DB 3, DW 12
  const auto& w = static_cast<const t_variable&>(*v.next());
  EXPECT_EQ(w.number, 2);
  EXPECT_EQ(w.address, 65535);
  EXPECT_EQ(w.length, 4);
}

// --- pictures and keys --------------------------------------------------------------

TEST(DosImport, PictureNumberIsTheFileNamesDigitsAfterTheThird) {
  struct Case {
    const char* file;
    bool ok;
    int number;
  } cases[] = {
      {"00100042.BLD", true, 42},
      {"00165535.BLD", true, 65535},
      {"001007", true, 7},
      {"00100000.BLD", false, 0},
      {"00199999.BLD", false, 0},
      {"001ABCDE.BLD", false, 0},
      {"001.BLD", false, 0},
      {"00.BLD", false, 0},
      {"001-0001.BLD", false, 0},
      {"0019999999999999.B", false, 0},
      {"0010000000000042.BLD", true, 42},
  };
  for (const Case& c : cases) {
    std::uint16_t number = 0;
    EXPECT_EQ(PictureNumberFromFileName(c.file, number), c.ok) << c.file;
    if (c.ok) {
      EXPECT_EQ(number, c.number) << c.file;
    }
  }
}

TEST(DosImport, PictureTakesDirectoryFieldsKeysAndObjects) {
  DosProject p;
  p.pictures.push_back(
      PictureRecord(ToTerminalCharset(Cp("Übersicht")) + "   ", "00100042.BLD", 7));
  p.pictures.push_back(PictureRecord("Zweites", "00100002.BLD", 1));
  // Key names are padded and in the terminal's code page, as the writer leaves them.
  const std::string target = ToTerminalCharset(Cp("Übersicht")) + std::string(21, ' ');
  Bytes objects = LineRecord(1, 2, 30, 40);
  const Bytes more = LineRecord(5, 5, 6, 6);
  objects.insert(objects.end(), more.begin(), more.end());
  Import run;
  const DosImportResult& r = run.Run(
      p.File(),
      {{"00100042.BLD",
        PictureFile("x", 9, {{5, {1, "Egal", 9}}, {6, {3, target, 7}}, {48, {3, "", 2}}}, objects)},
       {"00100002.BLD", PictureFile("Zweites", 1, {})}});
  ASSERT_EQ(r.pictures, 2);
  EXPECT_TRUE(run.box.Calls().empty());
  const t_bild& b = run.Picture(1);
  EXPECT_EQ(b.name, Cp("Übersicht"));
  EXPECT_EQ(b.number, 1);
  EXPECT_EQ(b.pictureNumber, 42);
  EXPECT_EQ(b.backgroundColour, 9);  // the picture file's byte wins
  EXPECT_EQ(CountNodes(b.keys.get()), 256);
  EXPECT_EQ(b.Key(5)->value, 0);  // kind 1: no picture call
  EXPECT_EQ(b.Key(5)->name, "");
  EXPECT_EQ(b.Key(6)->value, 7);
  EXPECT_EQ(b.Key(6)->name, Cp("Übersicht"));  // back-converted and trimmed
  EXPECT_EQ(b.Key(48)->value, 2);
  EXPECT_EQ(b.objectCount, 2);
  EXPECT_EQ(b.size, 2 * FindKind(kKindLinie)->terminalSize);
  ASSERT_EQ(CountNodes(b.objects.get()), 2);
  const auto& line = static_cast<const t_objekt&>(*b.objects);
  EXPECT_EQ(line.Kind(), kKindLinie);
  EXPECT_EQ(line.GetExtent().right, 30);
  EXPECT_EQ(r.objects, 2);
  EXPECT_EQ(run.Picture(2).pictureNumber, 2);
  // The second picture starts at 100 % as the first ended: its name never shows.
  EXPECT_EQ(run.part.labels.back(), Cp("Bilder : Übersicht"));
}

TEST(DosImport, PictureFileIsFoundInAnyCaseButNeverOutsideTheFolder) {
  DosProject p;
  p.pictures.push_back(PictureRecord("Klein", "00100001.BLD", 15));
  p.pictures.push_back(PictureRecord("Flucht", "../x.BLD", 15));
  Import run;
  const auto sub = run.folder / "sub";
  std::filesystem::create_directories(sub);
  WriteFile(run.folder / "x.BLD", PictureFile("x", 3, {}, LineRecord(0, 0, 1, 1)));
  WriteFile(sub / "00100001.bld", PictureFile("Klein", 4, {}, LineRecord(0, 0, 1, 1)));
  WriteFile(sub / "ANLAGE.PRJ", p.File());
  run.RunPath((sub / "ANLAGE.PRJ").string());
  ASSERT_TRUE(run.result.project);
  EXPECT_EQ(CountNodes(run.Picture(1).objects.get()), 1);
  EXPECT_EQ(run.Picture(2).objects, nullptr);
  EXPECT_EQ(run.Messages(),
            (std::vector<std::string>{
                Cp("Ungültiger Bilddateiname, das Bild bleibt leer: Flucht (../x.BLD)"),
                Cp("Dateiname ohne Bildnummer, das Bild erhält eine freie Nummer: Flucht -> 2")}));
}

// A picture whose file is missing or foreign keeps its directory entry and
// its 256 keys; the user is told which file it was.
TEST(DosImport, MissingOrForeignPictureFilesAreReportedAndLeaveTheKeys) {
  DosProject p;
  p.pictures.push_back(PictureRecord("Fehlt", "00100001.BLD", 15));
  p.pictures.push_back(PictureRecord("Fremd", "00100002.BLD", 15));
  p.pictures.push_back(PictureRecord("Kurz", "00100003.BLD", 15));
  Bytes cut = PictureFile("Kurz", 2, {{1, {3, "Ziel", 1}}, {2, {3, "Ziel", 1}}});
  cut.resize(18 + 32 + 35 + 20);  // the second key entry is cut
  Import run;
  const DosImportResult& r =
      run.Run(p.File(), {{"00100002.BLD", Bytes(2000, 'Q')}, {"00100003.BLD", cut}});
  ASSERT_EQ(r.pictures, 3);
  EXPECT_EQ(r.damagedPictures, 3);
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(CountNodes(run.Picture(i).keys.get()), 256);
  EXPECT_EQ(run.Picture(3).Key(1)->value, 1);  // whole entries are kept
  EXPECT_EQ(run.Picture(3).Key(2)->value, 0);
  EXPECT_EQ(run.Picture(3).backgroundColour, 2);
  EXPECT_EQ(run.Messages(),
            (std::vector<std::string>{"Bilddatei fehlt, das Bild bleibt leer: Fehlt (00100001.BLD)",
                                      "Keine Bilddatei, das Bild bleibt leer: Fremd (00100002.BLD)",
                                      Cp("Bilddatei unvollständig: Kopf oder Tastentabelle "
                                         "abgeschnitten: Kurz (00100003.BLD)")}));
  for (const auto& call : run.box.Calls()) EXPECT_EQ(call.buttons, ButtonSet::Weiter);
}

// Damage inside the object records is reported with the byte where it
// lies; an unknown kind byte is passed over and the records after it are
// imported.
TEST(DosImport, DamagedObjectRecordsAreReportedWithTheirByteOffset) {
  DosProject p;
  p.pictures.push_back(PictureRecord("Lesbar", "00100001.BLD", 15));
  p.pictures.push_back(PictureRecord("Beides", "00100002.BLD", 15));
  const Bytes line = LineRecord(0, 0, 9, 9);
  Bytes skipped = line;
  skipped.insert(skipped.end(), {17, 0xEE});
  skipped.insert(skipped.end(), line.begin(), line.end());
  Bytes both{200};
  both.insert(both.end(), line.begin(), line.end() - 2);  // cut inside the switching rule
  Import run;
  const DosImportResult& r =
      run.Run(p.File(), {{"00100001.BLD", PictureFile("Lesbar", 1, {}, skipped)},
                         {"00100002.BLD", PictureFile("Beides", 1, {}, both)}});
  ASSERT_TRUE(r.project);
  EXPECT_EQ(CountNodes(run.Picture(1).objects.get()), 2);
  EXPECT_EQ(run.Picture(2).objects, nullptr);
  EXPECT_EQ(r.objects, 2);
  EXPECT_EQ(r.damagedPictures, 2);
  const std::string skippedText =
      Cp("Bilddatei beschädigt: unbekannte Objektart übersprungen, die folgenden Objekte können "
         "fehlerhaft sein: ");
  EXPECT_EQ(run.Messages(), (std::vector<std::string>{
                                skippedText + "Lesbar (00100001.BLD, Byte 1746, 1) [17; 2 Byte]",
                                skippedText + "Beides (00100002.BLD, Byte 1730, 0) [200; 1 Byte]",
                                Cp("Bilddatei unvollständig: ein Objekt ist abgeschnitten: Beides "
                                   "(00100002.BLD, Byte 1731, 0)")}));
}

// A directory of thousands of damaged pictures names the first ten and
// counts the rest, instead of a box per picture.
TEST(DosImport, PictureWarningsStopAfterTenAndTheRestAreCounted) {
  DosProject p;
  for (int i = 1; i <= 12; ++i) {
    const std::string digits = std::to_string(i);
    p.pictures.push_back(PictureRecord(
        "B" + digits, "001" + std::string(5 - digits.size(), '0') + digits + ".BLD", 15));
  }
  Import run;
  const DosImportResult& r = run.Run(p.File());
  EXPECT_EQ(r.pictures, 12);
  EXPECT_EQ(r.damagedPictures, 12);
  ASSERT_EQ(run.box.Calls().size(), 11u);
  EXPECT_EQ(run.box.Calls()[9].text, "Bilddatei fehlt, das Bild bleibt leer: B10 (00100010.BLD)");
  EXPECT_EQ(run.box.Calls()[10].text, Cp("Weitere Bilder beschädigt, nicht einzeln gemeldet: 2"));
}

// A file name without a number no longer ends the import: the picture is
// read and gets the smallest number no other picture carries.
TEST(DosImport, FileNameWithoutNumberGetsAFreePictureNumber) {
  DosProject p;
  p.pictures.push_back(PictureRecord("Ohne", "001ABCDE.BLD", 15));
  p.pictures.push_back(PictureRecord("Eins", "00100001.BLD", 15));
  Import run;
  const DosImportResult& r =
      run.Run(p.File(), {{"001ABCDE.BLD", PictureFile("Ohne", 1, {}, LineRecord(0, 0, 9, 9))},
                         {"00100001.BLD", PictureFile("Eins", 1, {})}});
  ASSERT_EQ(r.pictures, 2);
  EXPECT_EQ(run.Picture(1).pictureNumber, 2);
  EXPECT_EQ(CountNodes(run.Picture(1).objects.get()), 1);
  EXPECT_EQ(run.Picture(2).pictureNumber, 1);
  EXPECT_EQ(run.Messages(),
            (std::vector<std::string>{
                Cp("Dateiname ohne Bildnummer, das Bild erhält eine freie Nummer: Ohne -> 2")}));
}

// --- damaged containers -------------------------------------------------------------

TEST(DosImport, OpenFailuresAreReportedAndLeaveNoProject) {
  TempFolder folder;
  WriteFile(folder / "fremd.prj", Bytes(400, 'x'));
  WriteFile(folder / "kurz.prj", Bytes{'J', 'K', 'H', 'D', '0', '1', '0', '1', 0, 0});
  struct Case {
    std::string path;
    std::int16_t code;
    std::string message;
  } cases[] = {
      {folder.File("fehlt.prj"), 2, "OS-Error : File not found !"},
      {folder.File("nirgends/a.prj"), 3, "OS-Error : Path nit found !"},
      {folder.File("fremd.prj"), 10002,
       "Die Datei ist kein DOS-Projekt: " + folder.File("fremd.prj")},
      {folder.File("kurz.prj"), 100,
       "Die Projektdatei kann nicht gelesen werden: " + folder.File("kurz.prj")},
  };
  for (const Case& c : cases) {
    Import run;
    const DosImportResult& r = run.RunPath(c.path);
    EXPECT_EQ(r.project, nullptr) << c.path;
    EXPECT_EQ(r.openCode, c.code) << c.path;
    ASSERT_EQ(run.box.Calls().size(), 1u) << c.path;
    EXPECT_EQ(run.box.Calls()[0].kind, MsgKind::Fehler);
    EXPECT_EQ(run.box.Calls()[0].text, c.message);
    EXPECT_TRUE(run.overall.captions.empty());  // the window never showed
  }
}

TEST(DosImport, OpenFailureTextsCoverTheOsCodes) {
  GermanTranslator german;
  EXPECT_EQ(OpenFailureText(1, german), "OS-Error : Invalid function number !");
  EXPECT_EQ(OpenFailureText(8, german), "OS-Error : Invalid drive number !");
  EXPECT_EQ(OpenFailureText(9, german), "Die Projektdatei kann nicht gelesen werden");
}

TEST(DosImport, ContainerWithoutHeaderRecordIsNoProject) {
  DosProject p;
  std::map<int, testing::Stream> streams = p.Streams();
  streams[0].records.clear();
  Import run;
  EXPECT_EQ(run.Run(testing::Container(streams)).project, nullptr);
  ASSERT_EQ(run.box.Calls().size(), 1u);
  EXPECT_EQ(run.box.Calls()[0].text.rfind("Der Projektkopf fehlt", 0), 0u);
}

// Counts and record sizes come from the file: a count beyond the data must
// neither read the next stream's bytes as records nor loop for billions of
// records; a record size too small to hold the fields skips the section.
TEST(DosImport, StreamsAreReadOnlyAsFarAsTheFileHoldsThem) {
  DosProject p;
  p.variables = {testing::VariableRecord("A", 1, 3, 2), testing::VariableRecord("B", 2, 3, 2)};
  p.alarms = {testing::AlarmRecord(1, "F", {0, 0, 0, 0}, "Alarm")};
  std::map<int, testing::Stream> streams = p.Streams();
  streams[5].count = 2000000000;
  streams[4].recordSize = 100;
  Import run;
  const DosImportResult& r = run.Run(testing::Container(streams));
  ASSERT_TRUE(r.project);
  EXPECT_EQ(r.variables, 2);
  EXPECT_EQ(r.alarms, 0);
  EXPECT_EQ(run.Messages(),
            (std::vector<std::string>{
                Cp("Abschnitt beschädigt, falsche Datensatzgröße; er wird übersprungen: Alarme"),
                Cp("Abschnitt beschädigt, nicht alle Datensätze sind vorhanden: Variablen "
                   "(2/2000000000)")}));
}

// --- progress -----------------------------------------------------------------------

TEST(ImportBar, PercentIsTheNearestWholeNumberWithHalvesToEven) {
  struct Case {
    std::uint64_t position, maximum;
    int percent;
  } cases[] = {{0, 100, 0}, {1, 8, 12},  {3, 8, 38},
               {1, 3, 33},  {2, 3, 67},  {5, 5, 100},
               {7, 0, 100}, {9, 5, 100}, {UINT64_MAX / 2, UINT64_MAX, 50}};
  for (const Case& c : cases)
    EXPECT_EQ(WholePercent(c.position, c.maximum), c.percent) << c.position << "/" << c.maximum;
}

TEST(ImportBar, LabelAndPercentChangeOnlyWithTheWholePercentage) {
  RecordingDisplay display;
  ImportBar bar(&display);
  bar.Show("Kopf ", 0, 100);   // 0 % is what the bar shows already
  bar.Show("Alarme", 1, 300);  // 0.33 % rounds to 0
  bar.Show("Alarme", 2, 300);
  bar.Show("Alarme", 3, 300);  // still 1 %
  bar.Show("Bilder : B", 300, 300);
  EXPECT_EQ(display.labels, (std::vector<std::string>{"Alarme", "Bilder : B"}));
  EXPECT_EQ(display.percents, (std::vector<int>{1, 100}));
  EXPECT_EQ(bar.percent(), 100);
}

}  // namespace
}  // namespace tavo
