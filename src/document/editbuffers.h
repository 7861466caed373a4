#pragma once
// One object per kind that has a property dialog (text, the fields, the two
// graphs, the bitmap): the kind's edit buffer. Arming the kind's creation
// tool resets it to the kind's start values, its dialog then edits it, and
// every object the tool creates is a copy of it. Editing an existing object
// loads a copy of the object into the buffer first, and what the dialog
// confirmed stays there: so what the start values leave out (the name and
// switching rule of a text, the variable of a bar graph, ...) is what the
// last dialog of the kind left. The buffers live as long as the picture
// editor page.

#include <array>
#include <cstdint>

#include "objects/objekt.h"
#include "shell/language.h"

namespace tavo {

// The five attributes the attribute pickers change and every shape made by
// a click receives (text and field kinds get them through their edit
// buffers).
struct DrawingAttributes {
  std::uint8_t penColour = 0;
  std::uint8_t penStyle = 0;
  std::uint8_t penWidth = 1;
  std::uint8_t fillColour = 15;
  std::uint8_t fillPattern = 1;

  void ApplyTo(t_objekt& object) const {
    object.SetPenColour(penColour);
    object.SetPenStyle(penStyle);
    object.SetPenWidth(penWidth);
    object.SetFillColour(fillColour);
    object.SetFillPattern(fillPattern);
  }
};

class EditBuffers {
 public:
  // The font every field starts with, and its cell.
  static constexpr const char* kStartFont = "S008X016.FON";

  // Text, the fields, the graphs and the bitmap have a buffer and a dialog.
  static constexpr bool HasBuffer(int kind) {
    return (kind >= kKindText && kind <= kKindEditListe) || kind == kKindBitmap;
  }

  // Each buffer with its kind's defaults.
  EditBuffers();
  ~EditBuffers();
  EditBuffers(const EditBuffers&) = delete;
  EditBuffers& operator=(const EditBuffers&) = delete;

  // Null for a kind without a buffer.
  t_objekt* Buffer(int kind) const;
  // The buffer of the object's kind becomes a copy of it (everything but
  // its place in a list and its selection). False for a kind without a
  // buffer, or when no copy could be made (the buffer stays).
  bool Load(const t_objekt& object);
  // The object becomes the buffer of its kind (what a dialog confirmed).
  // Pointers to the buffer held before are no longer valid. False, and
  // nothing changes, for a kind without a buffer.
  bool Store(ObjectPtr object);
  // Gives the buffer of `kind` the current drawing attributes and the
  // kind's start values; what the start values leave out keeps what the
  // last use left there. Null for a kind without a buffer.
  t_objekt* Reset(int kind, const DrawingAttributes& attributes, Translator& translator);

 private:
  std::array<ObjectPtr, kKindBitmap + 1> buffers_;
};

}  // namespace tavo
