#pragma once
// The text dialog `Tdialog_textedit`: the text, its terminal font from the
// catalogue, and the result `BP` as the terminal draws the text in that font
// (white on black), besides the object's own preview.
//
// The text takes at most 255 characters, what the terminal's text record
// can hold. Choosing a font takes its cell size at once; confirming takes
// the text and the font of the chosen entry. A font that is not in the
// catalogue leaves nothing chosen: confirming then asks for one (as long as
// the catalogue has fonts). The extent is not recomputed here; the editor
// does so when it puts the text on the picture.

#include "editor/dialogs/objects/objectdialog.h"

class QLineEdit;
class QListWidget;

namespace tavo {

class Tdialog_textedit : public ObjectDialog {
  Q_OBJECT
 public:
  static constexpr int kMaxTextLength = 255;

  Tdialog_textedit(const ObjectDialogContext& context, const t_objekt& buffer,
                   QWidget* parent = nullptr);

  // The result `BP` as drawn last.
  const QImage& ResultImage() const { return bpImage_; }

 protected:
  bool Store(t_objekt& target, bool strict) override;

 private:
  void FontClicked(int row);
  void DrawResult();

  QLineEdit* edit1_;
  QListWidget* fontbox_;
  QLabel* bp_;
  QImage bpImage_;
  // The font and cell as the dialog has them: from the buffer, taken from
  // the catalogue on opening when the font is there, and at each choice.
  std::string font_;
  std::uint8_t cellHeight_ = 0;
  std::uint8_t cellWidth_ = 0;
};

}  // namespace tavo
