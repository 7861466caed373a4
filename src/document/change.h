#pragma once
// What a step of the document changed, as the views learn it. A change is
// delivered right after the model changed and is valid only during the
// delivery: the nodes it names may leave the model (and be freed) with the
// next step, so views copy what they need and keep no pointer beyond it.

#include <cstdint>
#include <span>

#include "objects/objekt.h"

namespace tavo {

class t_bild;
class t_gruppe;

enum class ChangeKind : std::uint8_t {
  Objects,      // objects of one picture added, removed, replaced or moved
  PictureHead,  // a picture's own fields (name, numbers, colour) or its keys
  Pictures,     // the picture list: pictures added, removed or replaced
  List,         // variables, alarms or text lists
  Head,
  Terminal,
  Coupling,
  Selection,    // not an edit: which objects are selected
  OpenPicture,  // not an edit: the picture open in the editor
  Modified,     // not an edit: the modified state went from one side to the other
  History,      // not an edit: the steps to undo and redo changed (after every step)
};

enum class RecordList : std::uint8_t { Variables, Alarms, TextLists, Pictures };

struct ObjectChange {
  enum Op : std::uint8_t {
    Added,     // `object` entered the list of `group`
    Removed,   // `object` left the list of `group`
    Replaced,  // `object` took the place of `previous`
    Moved,     // `object` changed its place (drawing order, into or out of a group)
  };
  Op op = Added;
  t_objekt* object = nullptr;
  t_objekt* previous = nullptr;
  // The group whose member list changed; null for the picture's top level.
  // For Moved, the group it is in now.
  t_gruppe* group = nullptr;
};

struct Change {
  ChangeKind kind = ChangeKind::Objects;
  t_bild* picture = nullptr;                // Objects, PictureHead; the picture concerned
  RecordList list = RecordList::Variables;  // List, Pictures
  std::span<const ObjectChange> objects;    // Objects
  // Objects: the terminal area whose drawing may differ (the old and the new
  // extents of every top-level object touched). Empty when nothing is drawn
  // differently.
  bool hasArea = false;
  TermRect area;
};

// Receives the changes of a step as the step reports them.
class ChangeSink {
 public:
  virtual ~ChangeSink() = default;
  virtual void Changed(const Change& change) = 0;
};

}  // namespace tavo
