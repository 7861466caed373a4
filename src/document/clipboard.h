#pragma once
// Objects on the clipboard: the object lines of the project file (code page
// 1252, CR LF), so that objects travel between pictures and between two
// running editors, and a text editor shows what they are. Pasted objects
// keep their numbers (bitmap identifiers, variables, text lists); the paste
// says which referenced variables and text lists the target lacks.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"

namespace tavo {

class ObjectFactory;

// The objects' lines; a group brings its members.
std::string ObjectsToClipboardText(std::span<t_objekt* const> objects);

struct ClipboardObjects {
  std::vector<ObjectPtr> objects;
  // Numbers the objects refer to that the target project has no variable
  // (text list) for, ascending, each once. 0 stands for "none chosen" and
  // is never listed.
  std::vector<std::int16_t> missingVariables;
  std::vector<std::int16_t> missingTextLists;
  // Lines that were no object lines, of unknown kinds, or broken groups.
  bool damaged = false;
};

// Reads clipboard text; an empty result when it holds no object line.
ClipboardObjects ObjectsFromClipboardText(std::string_view text, ObjectFactory& factory,
                                          const t_projekt& target);

// Pastes into the picture as one step: the objects are moved by (dx, dy)
// and appended in front of every other, and they become the selection.
EditResult PasteObjects(Document& document, t_bild& picture, ClipboardObjects pasted, int dx,
                        int dy);

}  // namespace tavo
