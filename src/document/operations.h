#pragma once
// The editing operations of the picture editor's action bar: grouping,
// drawing order, copy, mirror, rotate, delete, the five drawing attributes,
// alignment and spacing, and a picture's keys and base data. Each works on
// the selection flags of the picture's objects (which the document sets) and
// is one step of the document, so the editor, the tests and the
// edit-sequence fuzzer call the same functions. An operation that finds
// nothing to do changes nothing and records no step.
//
// The operations look at the top-level objects of the picture unless they
// say otherwise: a selected group moves, copies and turns as one.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "document/document.h"

namespace tavo {

class t_bild;

// --- structure ------------------------------------------------------------------

// Two or more selected top-level objects become the members of a new group,
// in their drawing order; the group goes in front of every other object.
// Nothing is selected afterwards. Refused when the group would nest deeper
// than a project file keeps.
EditResult GroupSelection(Document& document, t_bild& picture);
// Every selected top-level group is dissolved: its members, in order, go in
// front of every other object (the members of an earlier group behind those
// of a later one). Nothing is selected afterwards.
EditResult UngroupSelection(Document& document, t_bild& picture);

enum class DrawingOrder : std::uint8_t {
  ToFront,     // selected objects to the end of their list, keeping their order
  ToBack,      // to the start of their list, keeping their order
  OneForward,  // each swaps with its successor, walking from the last
  OneBack,     // each swaps with its predecessor, walking from the first
};
// Reorders the picture's list and every group's member list (selected or
// not). Nothing is selected afterwards.
EditResult ChangeDrawingOrder(Document& document, t_bild& picture, DrawingOrder order);

// The order `order` gives a list whose entries are selected as `selected`
// says: the positions of the entries, in their new order.
std::vector<std::size_t> ReorderedPositions(const std::vector<bool>& selected, DrawingOrder order);

// --- copy, mirror, rotate ----------------------------------------------------------

// The parameters of copy, mirror and rotate ("Positionierungen"); the
// settings file keeps them.
struct EditingOptions {
  int copyMoveX = 10;  // shift of every copy, terminal pixels
  int copyMoveY = 10;
  bool mirrorX = true;      // top and bottom change places
  bool mirrorY = false;     // left and right change places
  bool mirrorCopy = false;  // mirror a shifted copy, keep the source
  int angle = 45;           // degrees
  bool rotateCopy = false;  // rotate a shifted copy, keep the source
};

// A shifted copy of every selected top-level object, walking from the front
// object to the back one: the copies go in front in reverse order of their
// sources, and they alone are selected afterwards. Bitmaps in the copies
// count as more uses of their images.
EditResult CopySelection(Document& document, t_bild& picture, const EditingOptions& options);
// Mirrors every selected top-level object inside its own extent, or with
// `mirrorCopy` a shifted copy of it (the copies are then the selection).
EditResult MirrorSelection(Document& document, t_bild& picture, const EditingOptions& options);
// Rotates every selected top-level object by `angle` about the centre of its
// extent, or with `rotateCopy` a shifted copy about the copy's centre. Kinds
// that do not rotate stay as they are (a rotated copy is still made).
EditResult RotateSelection(Document& document, t_bild& picture, const EditingOptions& options);

// --- delete ----------------------------------------------------------------------

// Deletes the selected objects at every level. A group inside a group that
// is left without members goes as well; a top-level group left without
// members stays (empty). False when nothing would be deleted.
bool SelectionDeletes(const t_bild& picture);
EditResult DeleteSelection(Document& document, t_bild& picture);

// --- drawing attributes ------------------------------------------------------------

enum class ObjectAttribute : std::uint8_t {
  FillColour,
  PenColour,
  FillPattern,
  PenWidth,
  PenStyle
};
inline constexpr int kMixedAttribute = -1;

// The five attributes new objects receive, indexed by ObjectAttribute: pen
// colour 0, pen style 0, pen width 1, fill colour 15, fill pattern 1.
struct CurrentAttributes {
  std::array<std::uint8_t, 5> values{15, 0, 1, 1, 0};
  std::uint8_t& operator[](ObjectAttribute a) { return values[static_cast<std::size_t>(a)]; }
  std::uint8_t operator[](ObjectAttribute a) const { return values[static_cast<std::size_t>(a)]; }
};

std::uint8_t AttributeOf(const t_objekt& object, ObjectAttribute attribute);
// Through the object's setter: a group passes the value to every member.
void SetAttribute(t_objekt& object, ObjectAttribute attribute, std::uint8_t value);

// What a picker opens with: the attribute of the first selected top-level
// object, kMixedAttribute when a later selected one differs; nothing when
// no top-level object is selected.
std::optional<int> SelectionAttribute(const t_bild& picture, ObjectAttribute attribute);
// The value the picker opens with: the selection's, or the current
// attribute when nothing is selected (or no picture is open).
int PickerStartValue(const t_bild* picture, ObjectAttribute attribute, std::uint8_t current);
// Every selected object at every level gets the value, as one step.
EditResult SetSelectionAttribute(Document& document, t_bild& picture, ObjectAttribute attribute,
                                 std::uint8_t value);
// What a picker's choice does: a value (>= 0) goes to the selected objects
// of the open picture and becomes the current attribute; kMixedAttribute
// (closed without a choice) changes nothing.
EditResult ApplyPickedAttribute(Document* document, t_bild* picture, ObjectAttribute attribute,
                                int picked, std::uint8_t& current);

// --- alignment and spacing ------------------------------------------------------------

enum class Alignment : std::uint8_t {
  Left,
  Right,
  Top,
  Bottom,
  HorizontalCentre,  // centres on one vertical line
  VerticalCentre,    // centres on one horizontal line
};
// Aligns two or more selected top-level objects to the edge or centre of
// the box around all of them.
EditResult AlignSelection(Document& document, t_bild& picture, Alignment alignment);

enum class Distribution : std::uint8_t { Horizontal, Vertical };
// Three or more selected top-level objects get equal gaps between them; the
// outermost two stay where they are.
EditResult DistributeSelection(Document& document, t_bild& picture, Distribution distribution);

enum class SizeMatch : std::uint8_t { Width, Height };
// The selected top-level objects take the width (or height) of the backmost
// selected one, keeping their left (or top) edge. Objects of fixed size and
// kinds that cannot be stretched keep theirs.
EditResult MatchSelectionSize(Document& document, t_bild& picture, SizeMatch match);

// --- a picture's keys and base data -------------------------------------------------------

// Sets the values of the picture's keys (key number, value) as one step.
EditResult SetPictureKeys(Document& document, t_bild& picture,
                          std::span<const std::pair<int, std::uint16_t>> values);

enum class BaseDataCheck : std::uint8_t { Ok, NameTaken, NumberTaken };
// Whether another picture of the project has the name (letter case
// ignored) or the picture number.
BaseDataCheck CheckPictureBaseData(const t_projekt& project, const t_bild& picture,
                                   const std::string& name, std::uint16_t pictureNumber);
// Name, picture number and background colour, as one step, after the check.
BaseDataCheck SetPictureBaseData(Document& document, t_bild& picture, const std::string& name,
                                 std::uint16_t pictureNumber, std::uint8_t backgroundColour,
                                 EditResult* result = nullptr);

}  // namespace tavo
