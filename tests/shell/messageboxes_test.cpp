#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "shell/messageboxes.h"

namespace tavo {
namespace {

// Answers "<german>*" so that tests see every caption went through it.
class MarkingTranslator : public Translator {
 public:
  std::string Translate(std::uint16_t group, std::uint16_t entry,
                        const std::string& germanDefault) override {
    asked.emplace_back(group, entry);
    return germanDefault + "*";
  }
  std::vector<std::pair<int, int>> asked;
};

std::vector<std::string> Captions(const std::vector<MessageButton>& buttons) {
  std::vector<std::string> captions;
  for (const auto& b : buttons) captions.push_back(b.caption + "=" + std::to_string(b.answer));
  return captions;
}

TEST(MessageTexts, TitlesAndButtonsAreTranslated) {
  MarkingTranslator tr;
  EXPECT_EQ(MessageTitle(tr, MsgKind::Information), "Information*");
  EXPECT_EQ(MessageTitle(tr, MsgKind::Warnung), "Warnung*");
  EXPECT_EQ(MessageTitle(tr, MsgKind::Fehler), "Fehler*");
  EXPECT_EQ(MessageTitle(tr, MsgKind::Abfrage), "Abfrage*");
  EXPECT_EQ(MessageTitle(tr, static_cast<MsgKind>(9)), "Information*");
  EXPECT_EQ(
      (std::vector<std::pair<int, int>>{{400, 67}, {400, 68}, {400, 69}, {400, 70}, {400, 67}}),
      tr.asked);

  using V = std::vector<std::string>;
  EXPECT_EQ(Captions(MessageButtons(tr, ButtonSet::JaNein)), (V{"Ja*=0", "Nein*=1"}));
  EXPECT_EQ(Captions(MessageButtons(tr, ButtonSet::Weiter)), (V{"Weiter*=2"}));
  EXPECT_EQ(Captions(MessageButtons(tr, ButtonSet::JaJaAlleNeinNeinAlleAbbruch)),
            (V{"Ja*=0", "Ja Alle*=3", "Nein*=1", "Nein Alle*=4", "Abbruch*=5"}));
  EXPECT_EQ(Captions(MessageButtons(tr, ButtonSet::JaNeinAbbruch)),
            (V{"Ja*=0", "Nein*=1", "Abbruch*=5"}));
  EXPECT_EQ(Captions(MessageButtons(tr, static_cast<ButtonSet>(7))), (V{"Weiter*=2"}));
}

TEST(MessageTexts, EnterAndEscape) {
  EXPECT_EQ(EnterAnswer(ButtonSet::JaNein), kAnswerJa);
  EXPECT_EQ(EscapeAnswer(ButtonSet::JaNein), kAnswerNein);
  EXPECT_EQ(EnterAnswer(ButtonSet::Weiter), kAnswerWeiter);
  EXPECT_EQ(EscapeAnswer(ButtonSet::Weiter), kAnswerWeiter);
  EXPECT_EQ(EnterAnswer(ButtonSet::JaJaAlleNeinNeinAlleAbbruch), kAnswerJa);
  EXPECT_EQ(EscapeAnswer(ButtonSet::JaJaAlleNeinNeinAlleAbbruch), kAnswerNein);
  // Escape on a question that can be taken back takes it back.
  EXPECT_EQ(EnterAnswer(ButtonSet::JaNeinAbbruch), kAnswerJa);
  EXPECT_EQ(EscapeAnswer(ButtonSet::JaNeinAbbruch), kAnswerAbbruch);
}

TEST(ConsoleMessageBox, PrintsTitleTextAndTheAnswerItGives) {
  MarkingTranslator tr;
  std::ostringstream out;
  ConsoleMessageBox box(tr, out);
  EXPECT_EQ(box.Show(MsgKind::Fehler, ButtonSet::Weiter, "Datei fehlt: \xD6l.txt"), kAnswerWeiter);
  EXPECT_EQ(box.Show(MsgKind::Abfrage, ButtonSet::JaNein, "Sichern?"), kAnswerNein);
  EXPECT_EQ(out.str(),
            "Fehler*: Datei fehlt: \xC3\x96l.txt\n  -> Weiter*\n"
            "Abfrage*: Sichern?\n  -> Nein*\n");
}

TEST(ConsoleMessageBox, AnswersQuestionsWithTheConfiguredAnswerWhenOffered) {
  GermanTranslator tr;
  std::ostringstream out;
  ConsoleMessageBox box(tr, out, kAnswerJaAlle);
  EXPECT_EQ(box.Show(MsgKind::Abfrage, ButtonSet::JaJaAlleNeinNeinAlleAbbruch, "?"), kAnswerJaAlle);
  // "Ja Alle" is no button of a yes/no question: Escape's answer instead.
  EXPECT_EQ(box.Show(MsgKind::Abfrage, ButtonSet::JaNein, "?"), kAnswerNein);
  box.SetQuestionAnswer(kAnswerJa);
  EXPECT_EQ(box.Show(MsgKind::Abfrage, ButtonSet::JaNein, "?"), kAnswerJa);
  EXPECT_EQ(box.Show(MsgKind::Information, ButtonSet::Weiter, "?"), kAnswerWeiter);
}

TEST(ScriptedMessageBox, RecordsCallsAndAnswersQuestionsFromItsQueue) {
  ScriptedMessageBox box;
  box.QueueAnswer(kAnswerJa);
  box.QueueAnswer(kAnswerAbbruch);
  EXPECT_EQ(box.Show(MsgKind::Fehler, ButtonSet::Weiter, "a"), kAnswerWeiter);  // takes nothing
  EXPECT_EQ(box.Show(MsgKind::Abfrage, ButtonSet::JaNein, "b"), kAnswerJa);
  EXPECT_EQ(box.Show(MsgKind::Abfrage, ButtonSet::JaJaAlleNeinNeinAlleAbbruch, "c"),
            kAnswerAbbruch);
  EXPECT_EQ(box.Show(MsgKind::Abfrage, ButtonSet::JaNein, "d"), kAnswerNein);  // queue empty
  ASSERT_EQ(box.Calls().size(), 4u);
  EXPECT_EQ(box.Calls()[0].kind, MsgKind::Fehler);
  EXPECT_EQ(box.Calls()[0].buttons, ButtonSet::Weiter);
  EXPECT_EQ(box.Calls()[0].text, "a");
  EXPECT_EQ(box.Calls()[2].answer, kAnswerAbbruch);
  EXPECT_EQ(box.PendingAnswers(), 0u);
}

}  // namespace
}  // namespace tavo
