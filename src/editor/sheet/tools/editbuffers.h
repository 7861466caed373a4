#pragma once
// One object per kind that has a property dialog (text, the fields, the two
// graphs, the bitmap): the kind's edit buffer. Arming the kind's creation
// tool resets it to the kind's start values, its dialog then edits it, and
// every object the tool creates is a copy of it. The buffers live as long
// as the picture editor page.

#include <array>
#include <cstdint>

#include "editor/sheet/tools/editorstate.h"
#include "objects/objekt.h"
#include "shell/language.h"

namespace tavo {

class EditBuffers {
 public:
  // The font every field starts with, and its cell.
  static constexpr const char* kStartFont = "S008X016.FON";

  // Each buffer with its kind's defaults.
  EditBuffers();
  ~EditBuffers();
  EditBuffers(const EditBuffers&) = delete;
  EditBuffers& operator=(const EditBuffers&) = delete;

  // Null for a kind without a buffer.
  t_objekt* Buffer(int kind) const;
  // Gives the buffer of `kind` the current drawing attributes and the
  // kind's start values; what the start values leave out keeps what the
  // last use left there. Null for a kind without a buffer.
  t_objekt* Reset(int kind, const DrawingAttributes& attributes, Translator& translator);

 private:
  std::array<ObjectPtr, kKindBitmap + 1> buffers_;
};

}  // namespace tavo
