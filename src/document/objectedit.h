#pragma once
// The command behind every change of a picture's objects: a planned list of
// relinking steps on the picture's object list and its groups' member lists
// (insert, remove, replace, move), plus the bitmap registry as it is after
// the step. Edits of object properties are replacements by an edited copy;
// grouping, ungrouping and drawing order are moves; creation and paste are
// inserts; deletion is removal.

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/command.h"
#include "project/bmpliste.h"

namespace tavo {

class t_bild;
class t_gruppe;
class t_projekt;

// Where an object lies: the group whose member it is (null: the picture's
// top level) and the top-level object that contains it (itself at the top).
struct ObjectPlace {
  t_gruppe* group = nullptr;
  t_objekt* top = nullptr;
};

// The place of every object of the picture, members at any depth included.
std::unordered_map<const t_objekt*, ObjectPlace> PlacesIn(const t_bild& picture);
// The place of one object; top is null when the object is not in the picture.
ObjectPlace PlaceOf(const t_bild& picture, const t_objekt& object);

class ObjectEdit final : public Command {
 public:
  ObjectEdit(const TextId& name, t_projekt& project, t_bild& picture, MergeKey merge = kNoMerge);
  ~ObjectEdit() override;

  // --- planning, before the edit is done; steps run in the order planned --
  // `node` goes behind `after` (null: to the front) in the list of `place`
  // (place.top: the top-level object that contains place.group; ignored at
  // the top level).
  void Insert(ObjectPlace place, t_liste* after, ObjectPtr node);
  // `node` goes to the end of the list of `place`.
  void Append(ObjectPlace place, ObjectPtr node);
  void Remove(ObjectPlace place, t_objekt& node);
  void Replace(ObjectPlace place, t_objekt& old, ObjectPtr node);
  // `node` leaves its list and goes behind `after` (null: to the front) in
  // the list of `to`, or to its end with `toEnd`.
  void Move(ObjectPlace from, t_objekt& node, ObjectPlace to, t_liste* after, bool toEnd = false);
  bool Empty() const { return steps_.empty(); }

  // Computes the bitmap registry after the edit and gives the bitmaps that
  // come in their identifiers; fails when the registry has no identifier left.
  bool Prepare(TextId& error) override;
  void Do() noexcept override;
  void Undo() noexcept override;
  void Report(bool undone, ChangeSink& sink) const override;
  t_bild* Picture() const override { return picture_; }
  bool MergeWith(Command& next) override;

 private:
  enum class Kind : std::uint8_t { Insert, Remove, Replace, Move };
  struct Step {
    Kind kind;
    ObjectPlace from;                 // Remove, Replace, Move
    ObjectPlace to;                   // Insert, Move; Replace: the same as from
    t_liste* after = nullptr;         // Insert, Move: where it goes
    bool toEnd = false;               // Insert, Move: to the end instead
    t_liste* oldAfter = nullptr;      // Remove, Move: where it was (set when done)
    t_objekt* node = nullptr;         // the node inserted, removed or moved; Replace: the old one
    t_objekt* replacement = nullptr;  // Replace: the new one
    ListPtr held;                     // the node that is out of the model now
  };

  ListPtr& ListOf(const ObjectPlace& place);
  void Relinked(const ObjectPlace& place) noexcept;
  void AddArea(const TermRect& r) noexcept;
  void AddStepArea(const Step& step, bool before, bool undo) noexcept;
  void Apply(Step& step) noexcept;
  void Revert(Step& step) noexcept;
  void UpdateTops() noexcept;
  void Entry(Kind kind, t_objekt* node, t_objekt* replacement, const ObjectPlace& from,
             const ObjectPlace& to);

  t_projekt& project_;
  t_bild* picture_;
  MergeKey merge_;
  std::vector<Step> steps_;
  std::vector<ObjectChange> doneEntries_;
  std::vector<ObjectChange> undoneEntries_;
  // The registry as the other side of the edit has it; swapped in and out.
  std::optional<std::vector<bmprectype>> registry_;
  bool prepared_ = false;
  bool hasArea_ = false;
  TermRect area_;
};

}  // namespace tavo
