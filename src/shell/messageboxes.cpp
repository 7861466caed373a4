#include "shell/messageboxes.h"

#include <ostream>
#include <span>

#include "shell/codepage.h"
#include "shell/texts.h"

namespace tavo {
namespace {

struct ButtonDef {
  const TextId* caption;
  int answer;
};

constexpr ButtonDef kJaNein[] = {{&txt::kButtonJa, kAnswerJa}, {&txt::kButtonNein, kAnswerNein}};
constexpr ButtonDef kWeiter[] = {{&txt::kButtonWeiter, kAnswerWeiter}};
constexpr ButtonDef kJaNeinAbbruch[] = {{&txt::kButtonJa, kAnswerJa},
                                        {&txt::kButtonNein, kAnswerNein},
                                        {&txt::kButtonAbbruch, kAnswerAbbruch}};
constexpr ButtonDef kAll[] = {{&txt::kButtonJa, kAnswerJa},
                              {&txt::kButtonJaAlle, kAnswerJaAlle},
                              {&txt::kButtonNein, kAnswerNein},
                              {&txt::kButtonNeinAlle, kAnswerNeinAlle},
                              {&txt::kButtonAbbruch, kAnswerAbbruch}};

std::span<const ButtonDef> ButtonsOf(ButtonSet buttons) {
  switch (buttons) {
    case ButtonSet::JaNein:
      return kJaNein;
    case ButtonSet::JaJaAlleNeinNeinAlleAbbruch:
      return kAll;
    case ButtonSet::JaNeinAbbruch:
      return kJaNeinAbbruch;
    case ButtonSet::Weiter:
      break;
  }
  return kWeiter;
}

bool IsWeiterOnly(ButtonSet buttons) {
  return ButtonsOf(buttons).size() == 1;
}

}  // namespace

std::string MessageTitle(Translator& translator, MsgKind kind) {
  switch (kind) {
    case MsgKind::Warnung:
      return translator.Tr(txt::kTitleWarnung);
    case MsgKind::Fehler:
      return translator.Tr(txt::kTitleFehler);
    case MsgKind::Abfrage:
      return translator.Tr(txt::kTitleAbfrage);
    case MsgKind::Information:
      break;
  }
  return translator.Tr(txt::kTitleInformation);
}

std::vector<MessageButton> MessageButtons(Translator& translator, ButtonSet buttons) {
  std::vector<MessageButton> result;
  for (const ButtonDef& def : ButtonsOf(buttons))
    result.push_back(MessageButton{translator.Tr(*def.caption), def.answer});
  return result;
}

int EnterAnswer(ButtonSet buttons) {
  return ButtonsOf(buttons).front().answer;
}

int EscapeAnswer(ButtonSet buttons) {
  if (buttons == ButtonSet::JaNeinAbbruch) return kAnswerAbbruch;
  return IsWeiterOnly(buttons) ? kAnswerWeiter : kAnswerNein;
}

bool OffersAnswer(ButtonSet buttons, int answer) {
  for (const ButtonDef& def : ButtonsOf(buttons))
    if (def.answer == answer) return true;
  return false;
}

ConsoleMessageBox::ConsoleMessageBox(Translator& translator, std::ostream& out, int questionAnswer)
    : translator_(translator), out_(out), questionAnswer_(questionAnswer) {}

int ConsoleMessageBox::Show(MsgKind kind, ButtonSet buttons, const std::string& text) {
  const int answer = IsWeiterOnly(buttons)                    ? kAnswerWeiter
                     : OffersAnswer(buttons, questionAnswer_) ? questionAnswer_
                                                              : EscapeAnswer(buttons);
  std::string caption;
  for (const MessageButton& button : MessageButtons(translator_, buttons))
    if (button.answer == answer) caption = button.caption;
  out_ << Cp1252ToUtf8(MessageTitle(translator_, kind)) << ": " << Cp1252ToUtf8(text) << '\n'
       << "  -> " << Cp1252ToUtf8(caption) << '\n';
  out_.flush();
  return answer;
}

int ScriptedMessageBox::Show(MsgKind kind, ButtonSet buttons, const std::string& text) {
  int answer = EscapeAnswer(buttons);
  if (!IsWeiterOnly(buttons) && !answers_.empty()) {
    answer = answers_.front();
    answers_.pop_front();
  }
  calls_.push_back(Call{kind, buttons, text, answer});
  return answer;
}

}  // namespace tavo
