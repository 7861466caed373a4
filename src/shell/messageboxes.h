#pragma once
// What every message box shares (the translated title of a kind, the
// buttons of a set and which of them Enter and Escape choose), and the two
// boxes without a window: the command line's and the one tests script.

#include <deque>
#include <iosfwd>
#include <string>
#include <vector>

#include "shell/language.h"
#include "shell/messagebox.h"

namespace tavo {

struct MessageButton {
  std::string caption;  // translated, code page 1252
  int answer;           // MsgAnswer
};

// The window title of `kind`, translated; an unknown kind is "Information".
std::string MessageTitle(Translator& translator, MsgKind kind);
// The buttons of `buttons`, from left to right, translated; an unknown set
// shows "Weiter".
std::vector<MessageButton> MessageButtons(Translator& translator, ButtonSet buttons);
// The answer of Enter: the first button ("Ja", or "Weiter" alone).
int EnterAnswer(ButtonSet buttons);
// The answer of Escape: "Nein", "Abbruch" where "Abbruch" sits beside "Ja"
// and "Nein", or "Weiter" when that is the only button.
int EscapeAnswer(ButtonSet buttons);
// Whether `answer` is one of the buttons of `buttons`.
bool OffersAnswer(ButtonSet buttons, int answer);

// Prints the box to a stream (as UTF-8) and answers without asking: the
// command line runs unattended. Questions get `questionAnswer` when the set
// offers it, else the Escape answer.
class ConsoleMessageBox : public MessageBox {
 public:
  ConsoleMessageBox(Translator& translator, std::ostream& out, int questionAnswer = kAnswerNein);
  void SetQuestionAnswer(int answer) { questionAnswer_ = answer; }
  int Show(MsgKind kind, ButtonSet buttons, const std::string& text) override;

 private:
  Translator& translator_;
  std::ostream& out_;
  int questionAnswer_;
};

// Records every call and answers from a queue. With the queue empty, or
// for a box with "Weiter" alone (which takes nothing from the queue), it
// answers as Escape would: "Weiter", or "Nein" ("Abbruch") to a question.
class ScriptedMessageBox : public MessageBox {
 public:
  struct Call {
    MsgKind kind;
    ButtonSet buttons;
    std::string text;
    int answer;
  };

  void QueueAnswer(int answer) { answers_.push_back(answer); }
  int Show(MsgKind kind, ButtonSet buttons, const std::string& text) override;

  const std::vector<Call>& Calls() const { return calls_; }
  std::size_t PendingAnswers() const { return answers_.size(); }

 private:
  std::deque<int> answers_;
  std::vector<Call> calls_;
};

}  // namespace tavo
