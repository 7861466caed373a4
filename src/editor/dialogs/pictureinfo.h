#pragma once
// The base data of the picture open in the editor (`TDialog_BildInfo`,
// "Bild Info"): its name, its picture number towards the PLC (1..65535) and
// its background colour, chosen with the colour picker.

#include <QSpinBox>
#include <cstdint>
#include <functional>
#include <string>

#include "editor/dialogs/dialogkit.h"

class QLineEdit;
class QToolButton;

namespace tavo {

class Document;
class t_bild;

class TDialog_BildInfo : public ToolDialog {
  Q_OBJECT
 public:
  TDialog_BildInfo(Translator& translator, MessageBox* messages, const std::string& name,
                   int number, std::uint8_t colour, QWidget* parent = nullptr);

  // Valid after the dialog was accepted: the name as typed, the number and
  // the colour.
  std::string Name() const { return name_; }
  std::uint16_t Number() const { return number_; }
  std::uint8_t Colour() const { return colour_; }

  // The colour picker `SpeedButton1` opens: gets the colour and the screen
  // point for the picker's top-left corner, returns the colour chosen (or
  // the one it got). Tests put their own in.
  using ColourChoice = std::function<int(int colour, QPoint topLeft)>;
  void SetColourChoice(ColourChoice choice) { choose_ = std::move(choice); }

 protected:
  // A number outside 1..65535 is refused with a warning; the cursor goes to
  // the number field.
  bool Apply() override;

 private:
  void ChooseColour();
  void ShowColour();

  QLineEdit* bildname_;
  QSpinBox* bildnummer_;
  QToolButton* colourButton_;
  ColourChoice choose_;
  std::string name_;
  std::uint16_t number_ = 1;
  std::uint8_t colour_;
};

// The dialog for the picture; on OK the name is checked against the other
// pictures (letter case ignored) and the number against their numbers, and
// only then the three values change as one step. A refusal is a warning in
// `messages` and changes nothing. True when the picture was changed.
bool EditPictureBaseData(QWidget* parent, Translator& translator, MessageBox& messages,
                         Document& document, t_bild& picture);

}  // namespace tavo
