#pragma once
// The one modal message box every message and question goes through.
// The editor shows a window, the command line prints, tests script answers.

#include <string>

namespace tavo {

enum class MsgKind { Information = 0, Warnung = 1, Fehler = 2, Abfrage = 3 };

enum class ButtonSet {
  JaNein = 0,                       // "Ja", "Nein"
  Weiter = 1,                       // "Weiter"
  JaJaAlleNeinNeinAlleAbbruch = 2,  // "Ja", "Ja Alle", "Nein", "Nein Alle", "Abbruch"
  // "Ja", "Nein", "Abbruch": a question the user may also take back
  // altogether (Escape is "Abbruch"), such as whether to save before the
  // project is closed.
  JaNeinAbbruch = 3,
};

// Index of the button used.
enum MsgAnswer : int {
  kAnswerJa = 0,
  kAnswerNein = 1,
  kAnswerWeiter = 2,
  kAnswerJaAlle = 3,
  kAnswerNeinAlle = 4,
  kAnswerAbbruch = 5,
};

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // `text` is in code page 1252, already translated. Returns a MsgAnswer.
  virtual int Show(MsgKind kind, ButtonSet buttons, const std::string& text) = 0;
};

}  // namespace tavo
