#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <map>
#include <memory>

#include "editor/dialogs/infomsg.h"
#include "shell/language.h"
#include "support/qtapplication.h"

namespace tavo {
namespace {

// Translates the message box's own texts into English, to show that every
// caption goes through the translator.
class EnglishBoxTexts : public Translator {
 public:
  std::string Translate(std::uint16_t group, std::uint16_t entry,
                        const std::string& germanDefault) override {
    static const std::map<std::pair<int, int>, std::string> kTexts = {
        {{400, 64}, "Continue"}, {{400, 65}, "Yes"},    {{400, 66}, "No"},
        {{400, 69}, "Error"},    {{400, 74}, "Cancel"}, {{400, 75}, "Yes to all"},
        {{400, 76}, "No to all"}};
    auto it = kTexts.find({group, entry});
    return it == kTexts.end() ? germanDefault : it->second;
  }
};

class InfoMsg : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::TestApplication(); }

  // Prepares the box as Show() does and shows it without waiting, so that a
  // test can press keys and buttons; the answer is the dialog's result.
  void Open(ButtonSet buttons) {
    box_.Prepare(MsgKind::Abfrage, buttons, "Wirklich?");
    box_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box_));
  }

  GermanTranslator german_;
  TInfo_MSG box_{german_};
};

QStringList Captions(const std::vector<QPushButton*>& buttons) {
  QStringList captions;
  for (QPushButton* b : buttons) captions << b->text();
  return captions;
}

TEST_F(InfoMsg, ErrorWithContinueIsTranslatedShownModallyAndAnswersContinue) {
  EnglishBoxTexts english;
  TInfo_MSG box(english);
  QStringList title, visible;
  QString message;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_EQ(modal, &box);
    title << box.windowTitle();
    message = box.MessageLabel()->text();
    for (QPushButton* b : box.findChildren<QPushButton*>())
      if (b->isVisibleTo(&box)) visible << b->text();
    QTest::mouseClick(box.RowButtons(ButtonSet::Weiter).front(), Qt::LeftButton);
  });
  // A watchdog, so that a box nobody answers fails the test instead of hanging it.
  QTimer::singleShot(10000, &box, [&] { box.done(-1); });

  EXPECT_EQ(box.Show(MsgKind::Fehler, ButtonSet::Weiter, "Datei \"a<b>.qvx\" fehlt"),
            kAnswerWeiter);
  EXPECT_EQ(title, QStringList{"Error"});
  EXPECT_EQ(visible, QStringList{"Continue"});
  EXPECT_EQ(message, "Datei \"a<b>.qvx\" fehlt");
  EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(box.MessageLabel()->font().bold());
}

// The box is made once and shown for every message: after a long message
// a short one gets a box of its own size again (it kept the long one's
// height, a short line in a mostly empty window).
TEST_F(InfoMsg, AShortMessageAfterALongOneGetsASmallBox) {
  std::string longText;
  for (int i = 0; i < 20; ++i)
    longText +=
        "E201 Fehler: Bild 1, Objekt liegt ganz au\xDF"
        "erhalb\n";
  const std::string shortText = "Download abgebrochen.";
  // The height each box shows with.
  auto shown = [](TInfo_MSG& box, const std::string& text) {
    int height = 0;
    QTimer::singleShot(0, [&] {
      height = box.height();
      box.done(kAnswerWeiter);
    });
    box.Show(MsgKind::Information, ButtonSet::Weiter, text);
    return height;
  };
  TInfo_MSG fresh(german_);
  const int shortHeight = shown(fresh, shortText);
  EXPECT_GT(shown(box_, longText), shortHeight);
  EXPECT_EQ(shown(box_, shortText), shortHeight);
}

TEST_F(InfoMsg, EveryKindHasItsTitle) {
  const std::pair<MsgKind, const char*> cases[] = {{MsgKind::Information, "Information"},
                                                   {MsgKind::Warnung, "Warnung"},
                                                   {MsgKind::Fehler, "Fehler"},
                                                   {MsgKind::Abfrage, "Abfrage"}};
  for (const auto& [kind, title] : cases) {
    box_.Prepare(kind, ButtonSet::JaNein, "x");
    EXPECT_EQ(box_.windowTitle(), title);
  }
}

TEST_F(InfoMsg, TheFiveButtonSetAnswersWithTheIndexOfEachButton) {
  EnglishBoxTexts english;
  TInfo_MSG box(english);
  box.Prepare(MsgKind::Abfrage, ButtonSet::JaJaAlleNeinNeinAlleAbbruch, "Überschreiben?");
  const std::vector<QPushButton*> buttons = box.RowButtons(ButtonSet::JaJaAlleNeinNeinAlleAbbruch);
  EXPECT_EQ(Captions(buttons), (QStringList{"Yes", "Yes to all", "No", "No to all", "Cancel"}));
  const int expected[] = {kAnswerJa, kAnswerJaAlle, kAnswerNein, kAnswerNeinAlle, kAnswerAbbruch};
  ASSERT_EQ(buttons.size(), 5u);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    box.show();
    ASSERT_TRUE(box.isVisible());
    EXPECT_TRUE(buttons[i]->isVisibleTo(&box));
    QTest::mouseClick(buttons[i], Qt::LeftButton);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), expected[i]) << "button " << i;
  }
  // The other rows are hidden.
  EXPECT_FALSE(box.RowButtons(ButtonSet::JaNein).front()->isVisibleTo(&box));
  EXPECT_FALSE(box.RowButtons(ButtonSet::Weiter).front()->isVisibleTo(&box));
  EXPECT_FALSE(box.RowButtons(ButtonSet::JaNeinAbbruch).front()->isVisibleTo(&box));
}

TEST_F(InfoMsg, TheSaveQuestionOffersCancelBesideYesAndNo) {
  EnglishBoxTexts english;
  TInfo_MSG box(english);
  box.Prepare(MsgKind::Abfrage, ButtonSet::JaNeinAbbruch, "Sichern?");
  const std::vector<QPushButton*> buttons = box.RowButtons(ButtonSet::JaNeinAbbruch);
  EXPECT_EQ(Captions(buttons), (QStringList{"Yes", "No", "Cancel"}));
  const int expected[] = {kAnswerJa, kAnswerNein, kAnswerAbbruch};
  ASSERT_EQ(buttons.size(), 3u);
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    box.show();
    EXPECT_TRUE(buttons[i]->isVisibleTo(&box));
    QTest::mouseClick(buttons[i], Qt::LeftButton);
    EXPECT_EQ(box.result(), expected[i]) << "button " << i;
  }
  EXPECT_FALSE(box.RowButtons(ButtonSet::JaNein).front()->isVisibleTo(&box));
}

// Enter takes the first button of the set, wherever the focus is; Escape and
// closing the window take "Nein" ("Weiter" when it stands alone, "Abbruch"
// where it stands beside "Ja" and "Nein"), never the dialog's own
// "rejected" code, which is the index of "Ja".
TEST_F(InfoMsg, EnterEscapeAndClosingAnswerAsTheSetSays) {
  enum class Action { Enter, EnterOnLastButton, Escape, Close };
  struct Case {
    const char* name;
    ButtonSet buttons;
    Action action;
    int answer;
  };
  const Case cases[] = {
      {"Ja/Nein, Enter", ButtonSet::JaNein, Action::Enter, kAnswerJa},
      {"Ja/Nein, Enter on Nein", ButtonSet::JaNein, Action::EnterOnLastButton, kAnswerJa},
      {"Ja/Nein, Escape", ButtonSet::JaNein, Action::Escape, kAnswerNein},
      {"Ja/Nein, closed", ButtonSet::JaNein, Action::Close, kAnswerNein},
      {"Weiter, Enter", ButtonSet::Weiter, Action::Enter, kAnswerWeiter},
      {"Weiter, Escape", ButtonSet::Weiter, Action::Escape, kAnswerWeiter},
      {"five buttons, Enter on Abbruch", ButtonSet::JaJaAlleNeinNeinAlleAbbruch,
       Action::EnterOnLastButton, kAnswerJa},
      {"five buttons, Escape", ButtonSet::JaJaAlleNeinNeinAlleAbbruch, Action::Escape, kAnswerNein},
      {"five buttons, closed", ButtonSet::JaJaAlleNeinNeinAlleAbbruch, Action::Close, kAnswerNein},
      {"Ja/Nein/Abbruch, Enter", ButtonSet::JaNeinAbbruch, Action::Enter, kAnswerJa},
      {"Ja/Nein/Abbruch, Escape", ButtonSet::JaNeinAbbruch, Action::Escape, kAnswerAbbruch},
      {"Ja/Nein/Abbruch, closed", ButtonSet::JaNeinAbbruch, Action::Close, kAnswerAbbruch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.buttons);
    QWidget* target = box_.focusWidget() ? box_.focusWidget() : &box_;
    switch (c.action) {
      case Action::Enter:
        QTest::keyClick(target, Qt::Key_Return);
        break;
      case Action::EnterOnLastButton: {
        QPushButton* last = box_.RowButtons(c.buttons).back();
        last->setFocus();
        QTest::keyClick(last, Qt::Key_Enter);
        break;
      }
      case Action::Escape:
        QTest::keyClick(target, Qt::Key_Escape);
        break;
      case Action::Close:
        box_.close();
        break;
    }
    EXPECT_FALSE(box_.isVisible());
    EXPECT_EQ(box_.result(), c.answer);
  }
}

}  // namespace
}  // namespace tavo
