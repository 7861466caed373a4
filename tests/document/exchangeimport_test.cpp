#include "document/exchangeimport.h"

#include <gtest/gtest.h>

#include "document/demo.h"
#include "shell/language.h"
#include "shell/messageboxes.h"

namespace tavo {
namespace {

using testing::FileBytes;

const char* const kProject =
    "[Head]\r\n-Name         = \"Ziel\"\r\n"
    "[Terminal]\r\n-DOSVersion    = \"VTA_640C.TRM\"\r\n"
    "[PLC]\r\n-DOSVersion    = \"SPS_DBW.KOP\"\r\n"
    "[Variables]\r\n-Variable(1;010,000;3;2;1;\"Motor\")\r\n"
    "[Alarms]\r\n-Alarm(0;\"S008X016.FON\";1;5;\"Pumpe gest\xF6rt\")\r\n"
    "[TextList]\r\n-TextList(\"Zustand\";1;Wert)\r\n-Text(\"Aus\";0)\r\n-TextListEnd\r\n"
    "[Pictures]\r\n-Picture(1;1;\"Start\";15)\r\n"
    "-Object(1;0;0;0;0;1;0;255;0;\"\";0;0;10;10)\r\n-PictureEnd\r\n";

// A picture that uses a variable and a text list the target lacks, with a
// bitmap; and a symbol of two objects.
const char* const kPictureFile =
    "[Variables]\r\n-Variable(1;010,004;3;2;1;\"Pumpe\")\r\n"
    "[TextList]\r\n-TextList(\"Anders\";1;Bit)\r\n-Text(\"x\";1)\r\n-TextListEnd\r\n"
    "[Pictures]\r\n-Picture(4;4;\"Neu\";3)\r\n"
    "-Object(15;0;0;0;1;1;0;255;0;\"Modus\";20;180;\"S008X016.FON\";1;1)\r\n"
    "-Object(20;0;0;0;\"Pumpe\";60;104;92;136;\"PUMPE.BMP\";TRUE;TRUE;1;65280)\r\n"
    "-PictureEnd\r\n";
const char* const kSymbolFile =
    "[Variables]\r\n-Variable(7;010,000;3;2;1;\"Motor\")\r\n"
    "[Symbol]\r\n-Symbol(\"Ventil\")\r\n"
    "-Object(7;0;0;0;0;1;0;255;0;\"T\";20;40;\"S008X016.FON\";1;7;\"###\")\r\n"
    "-Object(1;0;0;0;0;1;0;255;0;\"\";0;0;10;10)\r\n-SymbolEnd\r\n";

class ExchangeImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    document_ = std::make_unique<Document>(installed_.ReadText(kProject));
    before_ = FileBytes(document_->Project());
  }
  // One step: undo gives the bytes from before, redo the imported ones.
  void ExpectOneStep() {
    const std::string after = FileBytes(document_->Project());
    EXPECT_NE(after, before_);
    ASSERT_TRUE(document_->CanUndo());
    document_->Undo();
    EXPECT_EQ(FileBytes(document_->Project()), before_);
    EXPECT_FALSE(document_->CanUndo());
    document_->Redo();
    EXPECT_EQ(FileBytes(document_->Project()), after);
  }

  testing::Installed installed_;
  std::unique_ptr<Document> document_;
  std::string before_;
  GermanTranslator german_;
};

TEST_F(ExchangeImportTest, AnAlarmImportIsOneStepOfOverwritesAndAdditions) {
  ScriptedMessageBox box;
  box.QueueAnswer(kAnswerJa);
  RecordImportPlan plan = PlanAlarmImport(
      document_->Project(), "Index\r\n0,neu,S.FON,X\r\n7,sieben,S.FON\r\n", box, german_);
  ASSERT_TRUE(ApplyRecordImport(*document_, RecordList::Alarms, plan, txt::kExStepAlarme));
  EXPECT_EQ(document_->Project().alarms->name, "neu");
  EXPECT_EQ(document_->Project().alarms->next()->number, 7);
  EXPECT_TRUE(document_->Project().modified);
  EXPECT_EQ(document_->UndoName()->entry, txt::kExStepAlarme.entry);
  ExpectOneStep();
}

TEST_F(ExchangeImportTest, AnEmptyImportRecordsNoStep) {
  ScriptedMessageBox box;
  RecordImportPlan plan = PlanVariableImport(
      document_->Project(), "Index,Variablenname,Adresse,Typ,Laenge\r\n", box, german_);
  EXPECT_TRUE(ApplyRecordImport(*document_, RecordList::Variables, plan, txt::kExStepVariablen));
  EXPECT_FALSE(document_->CanUndo());
  EXPECT_FALSE(document_->Project().modified);
}

TEST_F(ExchangeImportTest, APictureImportBringsItsRecordsAndBitmapsInOneStep) {
  MergePlan plan =
      PlanMerge(document_->Project(), ReadPictureExchange(kPictureFile, *installed_.objects));
  ASSERT_TRUE(ApplyPictureImport(*document_, plan));
  t_projekt& p = document_->Project();
  EXPECT_EQ(CountNodes(p.variables.get()), 2);
  EXPECT_EQ(CountNodes(p.textLists.get()), 2);
  ASSERT_EQ(CountNodes(p.pictures.get()), 2);
  EXPECT_EQ(p.pictures->next()->number, 2);
  EXPECT_EQ(p.bitmaps.Entries().size(), 1u);
  ExpectOneStep();
  document_->Undo();
  EXPECT_EQ(p.bitmaps.Entries().size(), 0u);
}

TEST_F(ExchangeImportTest, AnInsertedSymbolSelectsItsFirstObject) {
  t_bild& picture = testing::PictureAt(document_->Project(), 1);
  document_->SetOpenPicture(&picture);
  MergePlan plan =
      PlanMerge(document_->Project(), ReadSymbolText(kSymbolFile, *installed_.objects));
  EXPECT_TRUE(plan.variables.empty());  // «Motor» is the project's variable 1
  ASSERT_TRUE(InsertSymbol(*document_, picture, plan));
  EXPECT_EQ(CountNodes(picture.objects.get()), 3);
  const std::vector<t_objekt*> selected = document_->SelectedTopLevel();
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0], testing::ObjectAt(picture, 2));
  std::vector<std::int16_t> variables, lists;
  selected[0]->CollectReferences(variables, lists);
  EXPECT_EQ(variables, std::vector<std::int16_t>{1});
  ExpectOneStep();
}

}  // namespace
}  // namespace tavo
