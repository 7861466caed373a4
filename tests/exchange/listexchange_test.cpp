#include "exchange/listexchange.h"

#include <gtest/gtest.h>

#include "exchange/exchange_fixture.h"
#include "shell/language.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

using testing::CollectLines;
using testing::kIntel;
using testing::kSiemens;
using testing::ProjectText;
using testing::Records;

class ListExchange : public ::testing::Test {
 protected:
  std::unique_ptr<t_projekt> Project(const std::string& coupling, const std::string& variables,
                                     const std::string& alarms = "",
                                     const std::string& lists = "") {
    auto project = installed_.ReadText(ProjectText(coupling, variables, alarms, lists, ""));
    EXPECT_TRUE(project);
    return project;
  }
  // Applies a plan the way the document does, without undo: enough to
  // compare what an import makes.
  static void Apply(t_projekt& project, ListPtr& list, RecordImportPlan& plan) {
    for (auto& [old, copy] : plan.replaced) ReplaceNode(list, old, std::move(copy));
    for (ListPtr& record : plan.added) AppendNode(list, std::move(record));
    plan.replaced.clear();
    plan.added.clear();
    (void)project;
  }
  std::string Text(const std::vector<std::string>& lines) { return JoinLines(lines); }

  testing::Installed installed_;
  GermanTranslator german_;
  ScriptedMessageBox questions_;
};

// --- writing ---------------------------------------------------------------------------

TEST_F(ListExchange, AlarmFileWritesTheHeaderAndOneLinePerAlarmWithTrailingFlags) {
  auto p = Project(kSiemens, "",
                   "-Alarm(12;\"S008X016.FON\";4096;5;\"Motor gestoert\")\r\n"
                   "-Alarm(13;\"S008X016.FON\";8192;10;\"Druck, au\xDF"
                   "en\")\r\n"
                   "-Alarm(14;\"SYS_0816.FON\";16384;0;\"Z\xE4hler \"\"Gesamt\"\"\")\r\n");
  const auto alarms = Records<t_alarme>(p->alarms);
  EXPECT_EQ(Text(CollectLines([&](const LineSink& s) { WriteAlarmFile(alarms, s); })),
            "Index,Alarmtext,Zeichensatz,Dynamisch,Unterbrechend,History Kommen,History Gehen\r\n"
            "12,Motor gestoert,S008X016.FON,X,,X,,\r\n"
            "13,\"Druck, au\xDF"
            "en\",S008X016.FON,,X,,X,\r\n"
            "14,\"Z\xE4hler \"\"Gesamt\"\"\",SYS_0816.FON,,,,,\r\n");
}

TEST_F(ListExchange, VariableFileWritesTheAddressInTheCouplingsForm) {
  const std::string variables =
      "-Variable(7;010,005;3;2;1;\"Motor\")\r\n-Variable(8;2;1;2;1;\"Temperatur, au\xDF"
      "en\")\r\n";
  auto siemens = Project(kSiemens, variables);
  auto intel = Project(kIntel, variables);
  auto write = [&](const t_projekt& p) {
    const auto v = Records<t_variable>(p.variables);
    return Text(
        CollectLines([&](const LineSink& s) { WriteVariableFile(v, p.coupling.get(), s); }));
  };
  EXPECT_EQ(write(*siemens),
            "Index,Variablenname,Adresse,Typ,Laenge\r\n7,Motor,010,005,3,2\r\n"
            "8,\"Temperatur, au\xDF"
            "en\",000,002,1,2\r\n");
  EXPECT_EQ(write(*intel),
            "Index,Variablenname,Adresse,Typ,Laenge\r\n7,Motor,2565,3,2\r\n"
            "8,\"Temperatur, au\xDF"
            "en\",2,1,2\r\n");
}

TEST_F(ListExchange, TextListFileWritesTheProjectBlocksAndSkipsEmptyLists) {
  auto p = Project(kSiemens, "", "",
                   "-TextList(\"Betriebsart\";3;Wert)\r\n-Text(\"Aus\";0)\r\n-Text(\"Hand\";1)\r\n"
                   "-TextListEnd\r\n-TextList(\"Leer\";4;Bit)\r\n-TextListEnd\r\n");
  const auto lists = Records<t_textliste>(p->textLists);
  EXPECT_EQ(Text(CollectLines([&](const LineSink& s) { WriteTextListFile(lists, s); })),
            "[Textlisten]\r\n-TextList(\"Betriebsart\";3;Wert)\r\n-Text(\"Aus\";0)\r\n"
            "-Text(\"Hand\";1)\r\n-TextListEnd\r\n");
}

// --- round trips -----------------------------------------------------------------------------

// Export, then import into an empty project: the same entries come back,
// texts with ",", quotes, umlauts and leading blanks included.
TEST_F(ListExchange, ExportThenImportIntoAnEmptyProjectGivesTheSameEntries) {
  for (const char* coupling : {kSiemens, kIntel}) {
    SCOPED_TRACE(coupling);
    auto source =
        Project(coupling,
                "-Variable(0;0;3;2;1;\"Null\")\r\n-Variable(5;010,005;3;2;1;\"Temperatur, au\xDF"
                "en\")\r\n"
                "-Variable(9;020,001;6;8;1;\"Z\xE4hler "
                "\"\"Gesamt\"\"\")\r\n-Variable(12;3;1;2;1;\" Blank \")\r\n",
                "-Alarm(5;\"S008X016.FON\";32;15;\"Pumpe, links\")\r\n"
                "-Alarm(6;\"S008X016.FON\";64;0;\"\"\"Not\"\" Aus\")\r\n"
                "-Alarm(239;\"SYS_0816.FON\";32768;2;\"T\xFCr\")\r\n",
                "-TextList(\"Modi, alle\";2;Wert)\r\n-Text(\"Aus\";0)\r\n-Text(\"T\xFCr zu\";5)\r\n"
                "-TextListEnd\r\n-TextList(\"Bits\";7;Bit)\r\n-Text(\"B1\";1)\r\n-TextListEnd\r\n");
    auto target = Project(coupling, "");

    const std::string alarms = Text(CollectLines(
        [&](const LineSink& s) { WriteAlarmFile(Records<t_alarme>(source->alarms), s); }));
    RecordImportPlan a = PlanAlarmImport(*target, alarms, questions_, german_);
    Apply(*target, target->alarms, a);
    const std::string variables = Text(CollectLines([&](const LineSink& s) {
      WriteVariableFile(Records<t_variable>(source->variables), source->coupling.get(), s);
    }));
    RecordImportPlan v = PlanVariableImport(*target, variables, questions_, german_);
    Apply(*target, target->variables, v);
    const std::string lists = Text(CollectLines(
        [&](const LineSink& s) { WriteTextListFile(Records<t_textliste>(source->textLists), s); }));
    RecordImportPlan t = PlanTextListImport(*target, lists);
    Apply(*target, target->textLists, t);
    EXPECT_TRUE(a.messages.empty() && v.messages.empty() && t.messages.empty());
    EXPECT_TRUE(questions_.Calls().empty());

    const auto section = [](const t_projekt& p, const char* name) {
      const std::string bytes = testing::FileBytes(p);
      const std::size_t from = bytes.find(name);
      std::string text = bytes.substr(from, bytes.find("\r\n\r\n", from) - from);
      while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
      return text;
    };
    EXPECT_EQ(section(*target, "[Variables]"), section(*source, "[Variables]"));
    EXPECT_EQ(section(*target, "[Alarms]"), section(*source, "[Alarms]"));
    // Text lists take the smallest free numbers: 1 and 2 for 2 and 7.
    EXPECT_EQ(section(*target, "[TextList]"),
              "[TextList]\r\n-TextList(\"Modi, alle\";1;Wert)\r\n-Text(\"Aus\";0)\r\n"
              "-Text(\"T\xFCr zu\";5)\r\n-TextListEnd\r\n-TextList(\"Bits\";2;Bit)\r\n"
              "-Text(\"B1\";1)\r\n-TextListEnd");
  }
}

// --- alarm import ---------------------------------------------------------------------------

TEST_F(ListExchange, AlarmsKeepTheirNumbersWhenFreeAndReadTheLastFlagWithoutItsComma) {
  auto p =
      Project(kSiemens, "",
              "-Alarm(0;\"S008X016.FON\";1;0;\"a\")\r\n-Alarm(1;\"S008X016.FON\";2;0;\"b\")\r\n");
  RecordImportPlan plan = PlanAlarmImport(
      *p, "Index,Alarmtext\r\n5,Pumpe,S008X016.FON,,X,,X,\r\n6,Ventil,S008X016.FON,,,,X\r\n",
      questions_, german_);
  ASSERT_EQ(plan.added.size(), 2u);
  const auto& pumpe = static_cast<const t_alarme&>(*plan.added[0]);
  EXPECT_EQ(pumpe.number, 5);
  EXPECT_EQ(pumpe.flags, t_alarme::kInterrupting | t_alarme::kHistoryGoes);
  EXPECT_EQ(pumpe.bitMask, 32);
  const auto& ventil = static_cast<const t_alarme&>(*plan.added[1]);
  EXPECT_EQ(ventil.number, 6);
  EXPECT_EQ(ventil.flags, t_alarme::kHistoryGoes);
  EXPECT_TRUE(plan.messages.empty());
}

TEST_F(ListExchange, AlarmConflictsFollowTheAnswersAndAllAnswersStopAsking) {
  const std::string alarms =
      "-Alarm(1;\"S008X016.FON\";2;0;\"alt1\")\r\n-Alarm(2;\"S008X016.FON\";4;0;\"alt2\")\r\n"
      "-Alarm(3;\"S008X016.FON\";8;0;\"alt3\")\r\n";
  const std::string file = "Index\r\n1,neu1,F.FON,X\r\n2,neu2,F.FON\r\n3,neu3,F.FON\r\n";
  struct Case {
    const char* name;
    std::vector<int> answers;
    std::size_t asked, replaced, added;
    ImportStatus status;
  };
  const Case cases[] = {
      {"Ja then Nein", {kAnswerJa, kAnswerNein, kAnswerJa}, 3, 2, 1, ImportStatus::Imported},
      {"Nein Alle", {kAnswerNeinAlle}, 1, 0, 3, ImportStatus::Imported},
      {"Ja Alle", {kAnswerJaAlle}, 1, 3, 0, ImportStatus::Imported},
      {"Abbruch keeps what came before",
       {kAnswerJa, kAnswerAbbruch},
       2,
       1,
       0,
       ImportStatus::Cancelled},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto p = Project(kSiemens, "", alarms);
    ScriptedMessageBox box;
    for (int answer : c.answers) box.QueueAnswer(answer);
    RecordImportPlan plan = PlanAlarmImport(*p, file, box, german_);
    EXPECT_EQ(box.Calls().size(), c.asked);
    EXPECT_EQ(plan.replaced.size(), c.replaced);
    EXPECT_EQ(plan.added.size(), c.added);
    EXPECT_EQ(plan.status, c.status);
  }
  // The question names both texts; a new alarm takes the smallest free number.
  auto p = Project(kSiemens, "", alarms);
  ScriptedMessageBox box;
  box.QueueAnswer(kAnswerNeinAlle);
  RecordImportPlan plan = PlanAlarmImport(*p, file, box, german_);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].text,
            "Soll Alarm Nummer [1]->\"alt1\"\r mit Alarm Nummer [1]->\"neu1\" \xFC"
            "berschrieben werden ?");
  EXPECT_EQ(box.Calls()[0].buttons, ButtonSet::JaJaAlleNeinNeinAlleAbbruch);
  ASSERT_EQ(plan.added.size(), 3u);
  EXPECT_EQ(plan.added[0]->number, 0);
  EXPECT_EQ(plan.added[1]->number, 4);
  EXPECT_EQ(plan.added[2]->number, 5);
  // "Ja" overwrites text, font and flags of a copy; the project is untouched.
  auto q = Project(kSiemens, "", alarms);
  ScriptedMessageBox yes;
  yes.QueueAnswer(kAnswerJaAlle);
  RecordImportPlan overwrite = PlanAlarmImport(*q, file, yes, german_);
  const auto& copy = static_cast<const t_alarme&>(*overwrite.replaced[0].second);
  EXPECT_EQ(copy.name, "neu1");
  EXPECT_EQ(copy.font, "F.FON");
  EXPECT_EQ(copy.flags, t_alarme::kDynamic);
  EXPECT_EQ(q->alarms->name, "alt1");
}

TEST_F(ListExchange, VariableImportReadsBothAddressFormsAndKeepsNumbersWhenFree) {
  auto p = Project(kIntel, "-Variable(1;0;3;2;1;\"Belegt\")\r\n");
  RecordImportPlan plan = PlanVariableImport(
      *p,
      "Index,Variablenname,Adresse,Typ,Laenge\r\n7,Motor,010,005,3,2\r\n1,Pumpe,2565,3,2\r\n"
      "0,Null,4,1,2\r\n",
      questions_, german_);
  ASSERT_EQ(plan.added.size(), 3u);
  const auto& motor = static_cast<const t_variable&>(*plan.added[0]);
  EXPECT_EQ(motor.number, 7);
  EXPECT_EQ(motor.address, 2565);
  EXPECT_EQ(motor.type, 3);
  EXPECT_EQ(motor.length, 2);
  // 1 is taken: the smallest free number from 1.
  EXPECT_EQ(plan.added[1]->number, 2);
  EXPECT_EQ(static_cast<const t_variable&>(*plan.added[1]).address, 2565);
  EXPECT_EQ(plan.added[2]->number, 0);
}

TEST_F(ListExchange, VariableConflictByNameOverwritesAndKeepsTheVariablesNumber) {
  auto p = Project(kIntel, "-Variable(4;100;3;2;1;\"Motor\")\r\n");
  ScriptedMessageBox box;
  box.QueueAnswer(kAnswerJa);
  RecordImportPlan plan = PlanVariableImport(
      *p, "Index,Variablenname,Adresse,Typ,Laenge\r\n9,Motor,200,1,4\r\n", box, german_);
  ASSERT_EQ(box.Calls().size(), 1u);
  EXPECT_EQ(box.Calls()[0].text,
            "Die Variable \"Motor\"\r mit der Variable \"Motor\" \xFC"
            "berschrieben werden ?");
  ASSERT_EQ(plan.replaced.size(), 1u);
  const auto& copy = static_cast<const t_variable&>(*plan.replaced[0].second);
  EXPECT_EQ(copy.number, 4);
  EXPECT_EQ(copy.address, 200);
  EXPECT_EQ(copy.type, 1);
  EXPECT_EQ(copy.length, 4);
}

TEST_F(ListExchange, TextListImportReadsTextsAsTheProjectReaderDoes) {
  auto p =
      Project(kIntel, "", "", "-TextList(\"Alt\";1;Bit)\r\n-Text(\"x\";1)\r\n-TextListEnd\r\n");
  RecordImportPlan plan =
      PlanTextListImport(*p,
                         "[Textlisten]\r\n-TextList(\"Wertliste\";1;Bit)\r\n-Text(\"Auf\";1)\r\n"
                         "-Text(\"a\"\"b;c\";2)\r\n-TextListEnd\r\n-Text(\"verwaist\";3)\r\n");
  ASSERT_EQ(plan.added.size(), 1u);
  const auto& list = static_cast<const t_textliste&>(*plan.added[0]);
  EXPECT_EQ(list.number, 2);
  EXPECT_FALSE(list.valueList);  // "Wert" in the name does not make a value list
  const auto texts = Records<t_text>(list.texts);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1]->name, "a\"b;c");
  EXPECT_EQ(texts[1]->value, 2);
}

// --- files from spreadsheets and damaged files ---------------------------------------

TEST_F(ListExchange, Utf8FilesAreConvertedAndSaidSo) {
  auto p = Project(kIntel, "");
  for (const char* bom : {"", "\xEF\xBB\xBF"}) {
    SCOPED_TRACE(*bom ? "with byte order mark" : "without");
    RecordImportPlan plan =
        PlanAlarmImport(*p, std::string(bom) + "Index,Alarmtext\r\n3,T\xC3\xBCr offen,S.FON\r\n",
                        questions_, german_);
    ASSERT_EQ(plan.added.size(), 1u);
    EXPECT_EQ(plan.added[0]->name, "T\xFCr offen");
    ASSERT_FALSE(plan.messages.empty());
    EXPECT_EQ(plan.messages[0].id.entry, txt::kExUtf8.entry);
  }
}

TEST_F(ListExchange, AFileOfTheOtherKindIsRefusedWithAMessage) {
  auto p = Project(kIntel, "");
  RecordImportPlan alarms = PlanAlarmImport(
      *p, "Index,Variablenname,Adresse,Typ,Laenge\r\n1,a,2,3,2\r\n", questions_, german_);
  EXPECT_EQ(alarms.status, ImportStatus::OtherKind);
  EXPECT_TRUE(alarms.Empty());
  RecordImportPlan variables = PlanVariableImport(
      *p,
      "Index,Alarmtext,Zeichensatz,Dynamisch,Unterbrechend,History Kommen,History Gehen\r\n"
      "1,a,F,,,,\r\n",
      questions_, german_);
  EXPECT_EQ(variables.status, ImportStatus::OtherKind);
  EXPECT_EQ(PlanTextListImport(*p, "Index\r\n").status, ImportStatus::NoHeader);
  EXPECT_EQ(PlanAlarmImport(*p, "", questions_, german_).status, ImportStatus::NoHeader);
}

// Damaged lines are reported with their line number and skipped; the others
// are imported whole.
TEST_F(ListExchange, MalformedLinesAreReportedAndSkipped) {
  struct Case {
    const char* name;
    bool alarms;
    std::string file;
    std::size_t added;
    std::vector<std::pair<int, std::uint16_t>> messages;  // line, text entry
  };
  const Case cases[] = {
      {"number not a number",
       true,
       "Index\r\nx1,a,F\r\n2,b,F\r\n",
       1,
       {{2, txt::kKeinIntegerwert.entry}}},
      {"alarm number beyond 239",
       true,
       "Index\r\n240,a,F\r\n-1,b,F\r\n",
       0,
       {{2, txt::kExAlarmnummerZuGross.entry}, {3, txt::kExAlarmnummerZuGross.entry}}},
      {"line break in a quoted text",
       true,
       "Index\r\n\r\n4,\"zwei\r\nZeilen\",F\r\n5,c,F\r\n",
       2,
       {{3, txt::kExZeilenumbruch.entry}}},
      {"quote never closed", true, "Index\r\n4,\"offen,F\r\n", 1, {}},
      {"too few variable fields",
       false,
       "Index,Variablenname,Adresse,Typ,Laenge\r\n1,a,2\r\n2,b,3,4,5\r\n",
       1,
       {{2, txt::kExZuWenigFelder.entry}}},
      {"variable type out of range",
       false,
       "Index,Variablenname,Adresse,Typ,Laenge\r\n1,a,2,300,2\r\n1,b,99999999999,1,2\r\n",
       0,
       {{2, txt::kKeinIntegerwert.entry}, {3, txt::kKeinIntegerwert.entry}}},
      {"binary rubbish",
       false,
       "Index,Variablenname,Adresse,Typ,Laenge\r\n" + std::string(1, '\0') + "\xFF\x01,\",\r\n",
       0,
       {{2, txt::kExZuWenigFelder.entry}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto p = Project(kIntel, "");
    RecordImportPlan plan = c.alarms ? PlanAlarmImport(*p, c.file, questions_, german_)
                                     : PlanVariableImport(*p, c.file, questions_, german_);
    EXPECT_EQ(plan.added.size(), c.added);
    std::vector<std::pair<int, std::uint16_t>> got;
    for (const ExchangeMessage& m : plan.messages) got.emplace_back(m.line, m.id.entry);
    EXPECT_EQ(got, c.messages);
  }
  ExchangeMessage m{7, txt::kKeinIntegerwert, "1x"};
  EXPECT_EQ(ExchangeMessageText(m, german_), "Zeile 7: '1x' ist kein g\xFCltiger Integerwert");
}

TEST_F(ListExchange, TheKindOfAFileIsToldByItsFirstLines) {
  EXPECT_EQ(DetectExchangeKind("Index,Alarmtext,Zeichensatz\r\n"), ExchangeKind::Alarms);
  EXPECT_EQ(DetectExchangeKind("\xEF\xBB\xBFIndex,Variablenname,Adresse,Typ,Laenge\r\n"),
            ExchangeKind::Variables);
  EXPECT_EQ(DetectExchangeKind("[Textlisten]\r\n"), ExchangeKind::TextLists);
  EXPECT_EQ(DetectExchangeKind(";----\r\n; QVX-Tavo-Dex-Export File f\xFCr Bilddaten \r\n"),
            ExchangeKind::Picture);
  EXPECT_EQ(DetectExchangeKind(";----\r\n; QVX-Tavo-Dex-Symbol-File\r\n"), ExchangeKind::Symbol);
  EXPECT_EQ(DetectExchangeKind("[Head]\r\n"), ExchangeKind::Unknown);
}

}  // namespace
}  // namespace tavo
