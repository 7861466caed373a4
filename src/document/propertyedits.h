#pragma once
// What the property dialogs and the switching behaviour dialog change, as
// steps of the document, and the parts of their rules that need no window:
// the switching dialog's controls and the rule they stand for, the plot
// graph's scale colour against the colour picker's value, and a bitmap
// taking its image's own size.

#include <cstdint>
#include <filesystem>
#include <string>

#include "document/document.h"

namespace tavo {

class t_bild;
class tqvxbitmap;

// `object` (at the top of the picture or a member of a group) is replaced
// by `edited`, its extent brought up to date, as one step named `name`.
// Nothing is recorded when `edited` holds what the object holds;
// `changed` (may be null) tells whether a step was done.
EditResult ReplaceObject(Document& document, t_bild& picture, t_objekt& object, ObjectPtr edited,
                         const TextId& name, bool* changed = nullptr);

// The object (a group: with all its members) gets the switching rule, as
// one step "Schaltverhalten". Nothing is recorded when every object
// concerned has that rule already.
EditResult SetObjectSwitching(Document& document, t_bild& picture, t_objekt& object,
                              const t_schaltung& rule, bool* changed = nullptr);

// Whether two objects are alike in every field the project file, the run
// file or the terminal's binary record keeps.
bool SameObjectContent(const t_objekt& a, const t_objekt& b);

// --- the switching behaviour dialog ----------------------------------------------

// The `Bitmaske` items, in their order: "0", "8", "1", "9", ... "7", "15".
inline constexpr int kBitItems = 16;
// Item index of bit b: 2b below 8, 2(b - 8) + 1 from 8 on.
int BitItemOfBit(int bit);
int BitOfBitItem(int item);

// The dialog's controls: the choice of `Aktion`, the bit of `Bitmaske`, the
// items of `BPruefung` and `WPruefung`, and the rule's value as it stands
// while the dialog is open (a bit choice sets it; the value comparison
// shows it rounded in `Edit1`).
struct SwitchingForm {
  enum Action : int { kNone = 0, kBitTest = 1, kComparison = 2 };
  int action = kNone;
  int bitItem = 0;     // `Bitmaske`
  int bitTest = 1;     // `BPruefung`: 0 tests for 0, 1 for 1
  int comparison = 2;  // `WPruefung`: "<", "<=", "=", "=>", ">", "<>"
  double value = 0;

  // What choosing an `Aktion` item does to the rest: a bit test starts at
  // bit 0 when the value has no bit set, and shows its highest bit.
  void ChooseAction(int chosen);
  // Choosing a `Bitmaske` item makes the value that bit's mask.
  void ChooseBit(int item);
  // `Edit1` on a value comparison: the value rounded to a whole number.
  std::int32_t ShownValue() const;
};

// The controls for a rule as the dialog opens on it. An action no item
// stands for (from a damaged file) shows "keine".
SwitchingForm SwitchingFormOf(const t_schaltung& rule);

// The rule the controls stand for: "keine" clears it; a bit test keeps the
// mask of the bit shown; a comparison takes `typedValue` (Edit1).
t_schaltung SwitchingRuleOf(const SwitchingForm& form, std::int16_t variable,
                            std::int32_t typedValue);

// --- plot graph scale colour ------------------------------------------------------

// The plot graph keeps its scale colour as palette index + 1 (0: none); the
// colour picker works with palette indices and 255 for none.
int PickerColourOfScale(std::uint8_t scaleColour);
std::uint8_t ScaleColourOfPicker(int pickerColour);

// --- bitmap ------------------------------------------------------------------------

// The bitmap's box takes the image's own width and height from its first
// corner on. False, with the loader's words in `error`, when the file cannot
// be read as an image; the bitmap is then left as it was.
bool TakeNaturalSize(tqvxbitmap& bitmap, const std::filesystem::path& file, std::string* error);

}  // namespace tavo
