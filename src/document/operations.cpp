#include "document/operations.h"

#include <algorithm>
#include <functional>
#include <new>
#include <unordered_map>

#include "document/edits.h"
#include "document/objectedit.h"
#include "document/recordedit.h"
#include "objects/gruppe.h"
#include "objects/rounding.h"
#include "shell/textcase.h"
#include "shell/texts.h"

namespace tavo {

namespace {

t_objekt* Next(t_objekt* object) {
  return static_cast<t_objekt*>(object->next());
}

t_objekt* FirstObject(const t_bild& picture) {
  return static_cast<t_objekt*>(picture.objects.get());
}

std::vector<t_objekt*> SelectedTop(const t_bild& picture) {
  std::vector<t_objekt*> selected;
  for (t_objekt* o = FirstObject(picture); o; o = Next(o))
    if (o->IsSelected()) selected.push_back(o);
  return selected;
}

// Every selected object, members of groups included, in tree order.
void CollectSelected(t_objekt* first, std::vector<t_objekt*>& out) {
  for (t_objekt* o = first; o; o = Next(o)) {
    if (o->IsSelected()) out.push_back(o);
    if (o->IsGroup()) CollectSelected(static_cast<t_gruppe*>(o)->FirstMember(), out);
  }
}

std::string ProjectLines(const t_objekt& object) {
  std::string text;
  object.WriteProjectLines([&](const std::string& line) { text += line + '\n'; });
  return text;
}

// An edited copy that would change nothing (what the project file keeps and
// the group's own attributes, which it does not) is left out of the step.
bool SameAs(const t_objekt& a, const t_objekt& b) {
  for (auto attribute :
       {ObjectAttribute::FillColour, ObjectAttribute::PenColour, ObjectAttribute::FillPattern,
        ObjectAttribute::PenWidth, ObjectAttribute::PenStyle})
    if (AttributeOf(a, attribute) != AttributeOf(b, attribute)) return false;
  return ProjectLines(a) == ProjectLines(b);
}

// The copy of an object placed where its handles hold its current frame, as
// Mirror and FitToFrame expect of a selected object.
ObjectPtr FramedCopy(const t_objekt& object) {
  ObjectPtr copy = object.Clone();
  if (!copy) return nullptr;
  copy->UpdateExtent();
  const bool selected = object.IsSelected();
  copy->SetSelected(true);  // places the frame and the handles
  copy->SetSelected(selected);
  return copy;
}

// Each object is replaced by an edited copy; copies that come out as they
// were are left out, and with none left no step is recorded.
using CopyEdit = std::function<void(const t_objekt& original, t_objekt& copy)>;

EditResult ReplaceEdited(Document& document, t_bild& picture, std::span<t_objekt* const> objects,
                         const TextId& name, const CopyEdit& edit) {
  try {
    const auto places = PlacesIn(picture);
    auto command = std::make_unique<ObjectEdit>(name, document.Project(), picture);
    for (t_objekt* object : OutermostOnly(picture, objects)) {
      ObjectPtr copy = FramedCopy(*object);
      if (!copy) return EditResult::Failed(txt::kEditCannotCopy);
      edit(*object, *copy);
      copy->UpdateExtent();
      if (SameAs(*object, *copy)) continue;
      command->Replace(places.at(object), *object, std::move(copy));
    }
    if (command->Empty()) return {};
    return document.Execute(std::move(command));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

// Nesting of groups: 0 for an object that is none, 1 for a group of plain
// objects, and so on.
int GroupDepth(const t_objekt& object) {
  if (!object.IsGroup()) return 0;
  int deepest = 0;
  const auto& group = static_cast<const t_gruppe&>(object);
  for (const t_liste* m = group.FirstMember(); m; m = m->next())
    deepest = std::max(deepest, GroupDepth(static_cast<const t_objekt&>(*m)));
  return deepest + 1;
}

std::int16_t Shift(int value) {
  return SaturateToI16(value);
}

}  // namespace

// --- structure ---------------------------------------------------------------------

EditResult GroupSelection(Document& document, t_bild& picture) {
  const std::vector<t_objekt*> chosen = SelectedTop(picture);
  if (chosen.size() < 2) return {};
  int deepest = 0;
  for (const t_objekt* o : chosen) deepest = std::max(deepest, GroupDepth(*o));
  // A project file keeps groups nested this deep; deeper ones would come
  // back flattened.
  if (deepest + 1 > kMaxGroupDepth) return EditResult::Failed(txt::kEditGroupTooDeep);
  try {
    auto command = std::make_unique<ObjectEdit>(txt::kHintGruppieren, document.Project(), picture);
    auto group = std::make_unique<t_gruppe>();
    t_gruppe* g = group.get();
    command->Append({}, std::move(group));
    for (t_objekt* o : chosen) command->Move({}, *o, {g, g}, nullptr, true);
    const EditResult result = document.Execute(std::move(command));
    if (result) document.DeselectAll();
    return result;
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult UngroupSelection(Document& document, t_bild& picture) {
  try {
    auto command =
        std::make_unique<ObjectEdit>(txt::kHintGruppeAufloesen, document.Project(), picture);
    for (t_objekt* o : SelectedTop(picture)) {
      if (!o->IsGroup()) continue;
      auto* group = static_cast<t_gruppe*>(o);
      for (t_objekt* m = group->FirstMember(); m; m = Next(m))
        command->Move({group, group}, *m, {}, nullptr, true);
      command->Remove({}, *group);
    }
    if (command->Empty()) return {};
    const EditResult result = document.Execute(std::move(command));
    if (result) document.DeselectAll();
    return result;
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

std::vector<std::size_t> ReorderedPositions(const std::vector<bool>& selected, DrawingOrder order) {
  const std::size_t n = selected.size();
  std::vector<std::size_t> positions(n);
  for (std::size_t i = 0; i < n; ++i) positions[i] = i;
  switch (order) {
    case DrawingOrder::ToFront:
      std::stable_partition(positions.begin(), positions.end(),
                            [&](std::size_t p) { return !selected[p]; });
      break;
    case DrawingOrder::ToBack:
      std::stable_partition(positions.begin(), positions.end(),
                            [&](std::size_t p) { return selected[p]; });
      break;
    case DrawingOrder::OneBack:
      // The object swapped backwards is not looked at again: the walk goes
      // on behind the pair.
      for (std::size_t i = 1; i < n; ++i)
        if (selected[positions[i]]) std::swap(positions[i - 1], positions[i]);
      break;
    case DrawingOrder::OneForward:
      for (std::size_t i = n; i-- > 1;)
        if (selected[positions[i - 1]]) std::swap(positions[i - 1], positions[i]);
      break;
  }
  return positions;
}

namespace {

// Plans the moves that give the list of `place` the order the operation
// asks for, members of groups first.
void PlanOrder(ObjectEdit& command, t_objekt* first, ObjectPlace place, DrawingOrder order) {
  std::vector<t_objekt*> list;
  std::vector<bool> selected;
  for (t_objekt* o = first; o; o = Next(o)) {
    if (o->IsGroup()) {
      auto* group = static_cast<t_gruppe*>(o);
      PlanOrder(command, group->FirstMember(), {group, place.group ? place.top : o}, order);
    }
    list.push_back(o);
    selected.push_back(o->IsSelected());
  }
  const std::vector<std::size_t> positions = ReorderedPositions(selected, order);
  // Moves one at a time along the new order, each behind the one before.
  std::vector<t_objekt*> current = list;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    t_objekt* wanted = list[positions[i]];
    if (current[i] == wanted) continue;
    current.erase(
        std::find(current.begin() + static_cast<std::ptrdiff_t>(i), current.end(), wanted));
    current.insert(current.begin() + static_cast<std::ptrdiff_t>(i), wanted);
    command.Move(place, *wanted, place, i == 0 ? nullptr : current[i - 1]);
  }
}

const TextId& OrderName(DrawingOrder order) {
  switch (order) {
    case DrawingOrder::ToFront:
      return txt::kHintVordergrund;
    case DrawingOrder::ToBack:
      return txt::kHintHintergrund;
    case DrawingOrder::OneForward:
      return txt::kHintEinsVor;
    case DrawingOrder::OneBack:
      break;
  }
  return txt::kHintEinsZurueck;
}

}  // namespace

EditResult ChangeDrawingOrder(Document& document, t_bild& picture, DrawingOrder order) {
  try {
    auto command = std::make_unique<ObjectEdit>(OrderName(order), document.Project(), picture);
    PlanOrder(*command, FirstObject(picture), {}, order);
    EditResult result;
    if (!command->Empty()) result = document.Execute(std::move(command));
    if (result && document.OpenPicture() == &picture) document.DeselectAll();
    return result;
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

// --- copy, mirror, rotate ---------------------------------------------------------------

namespace {

// Shifted copies of the selected top-level objects, walking from the front
// object to the back one, each changed by `change`; appended in that order
// and then the only selected objects.
EditResult AppendChangedCopies(Document& document, t_bild& picture, const TextId& name,
                               const EditingOptions& options,
                               const std::function<void(t_objekt&)>& change) {
  std::vector<t_objekt*> chosen = SelectedTop(picture);
  if (chosen.empty()) return {};
  try {
    auto command = std::make_unique<ObjectEdit>(name, document.Project(), picture);
    std::vector<t_objekt*> copies;
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it) {
      ObjectPtr copy = (*it)->Clone();
      if (!copy) return EditResult::Failed(txt::kEditCannotCopy);
      copy->MoveBy(Shift(options.copyMoveX), Shift(options.copyMoveY));
      copy->SetSelected(true);  // the frame a mirror maps onto
      change(*copy);
      copy->UpdateExtent();
      copies.push_back(copy.get());
      command->Append({}, std::move(copy));
    }
    const EditResult result = document.Execute(std::move(command));
    if (result && document.OpenPicture() == &picture) document.SetSelection(copies);
    return result;
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

void RotateAboutCentre(t_objekt& object, int angle) {
  object.UpdateExtent();
  const TermRect e = object.GetExtent();
  object.Rotate((e.right - e.left) / 2 + e.left, (e.bottom - e.top) / 2 + e.top, angle);
  object.UpdateExtent();
}

}  // namespace

EditResult CopySelection(Document& document, t_bild& picture, const EditingOptions& options) {
  return AppendChangedCopies(document, picture, txt::kHintKopieren, options, [](t_objekt&) {});
}

EditResult MirrorSelection(Document& document, t_bild& picture, const EditingOptions& options) {
  // Without a direction the geometry stays exactly as it is (a frame
  // mapping would round fractional coordinates).
  auto mirror = [&](t_objekt& o) {
    if (options.mirrorX || options.mirrorY) o.Mirror(options.mirrorX, options.mirrorY);
  };
  if (options.mirrorCopy)
    return AppendChangedCopies(document, picture, txt::kHintSpiegeln, options, mirror);
  const std::vector<t_objekt*> chosen = SelectedTop(picture);
  return ReplaceEdited(document, picture, chosen, txt::kHintSpiegeln,
                       [&](const t_objekt&, t_objekt& copy) { mirror(copy); });
}

EditResult RotateSelection(Document& document, t_bild& picture, const EditingOptions& options) {
  auto rotate = [&](t_objekt& o) { RotateAboutCentre(o, options.angle); };
  if (options.rotateCopy)
    return AppendChangedCopies(document, picture, txt::kHintDrehen, options, rotate);
  const std::vector<t_objekt*> chosen = SelectedTop(picture);
  return ReplaceEdited(document, picture, chosen, txt::kHintDrehen,
                       [&](const t_objekt&, t_objekt& copy) { rotate(copy); });
}

// --- delete ----------------------------------------------------------------------------

namespace {

// What goes, list by list from the first object: a group's members are
// looked at first; a group below the top level that is left without members
// goes too. Only the outermost of what goes is collected (its members go
// with it). Returns whether every member of the list goes.
bool CollectDeleted(t_objekt* first, bool topLevel, std::vector<t_objekt*>& out) {
  bool all = true;
  for (t_objekt* o = first; o; o = Next(o)) {
    bool goes = o->IsSelected();
    if (o->IsGroup()) {
      std::vector<t_objekt*> inner;
      const bool emptied = CollectDeleted(static_cast<t_gruppe*>(o)->FirstMember(), false, inner);
      if (!topLevel && emptied) goes = true;
      if (!goes) out.insert(out.end(), inner.begin(), inner.end());
    }
    if (goes)
      out.push_back(o);
    else
      all = false;
  }
  return all;
}

}  // namespace

bool SelectionDeletes(const t_bild& picture) {
  std::vector<t_objekt*> going;
  CollectDeleted(FirstObject(picture), true, going);
  return !going.empty();
}

EditResult DeleteSelection(Document& document, t_bild& picture) {
  try {
    std::vector<t_objekt*> going;
    CollectDeleted(FirstObject(picture), true, going);
    if (going.empty()) return {};
    const auto places = PlacesIn(picture);
    auto command = std::make_unique<ObjectEdit>(txt::kHintLoeschen, document.Project(), picture);
    for (t_objekt* o : going) command->Remove(places.at(o), *o);
    return document.Execute(std::move(command));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

// --- drawing attributes ---------------------------------------------------------------------

std::uint8_t AttributeOf(const t_objekt& object, ObjectAttribute attribute) {
  switch (attribute) {
    case ObjectAttribute::FillColour:
      return object.fillColour();
    case ObjectAttribute::PenColour:
      return object.penColour();
    case ObjectAttribute::FillPattern:
      return object.fillPattern();
    case ObjectAttribute::PenWidth:
      return object.penWidth();
    case ObjectAttribute::PenStyle:
      break;
  }
  return object.penStyle();
}

void SetAttribute(t_objekt& object, ObjectAttribute attribute, std::uint8_t value) {
  switch (attribute) {
    case ObjectAttribute::FillColour:
      object.SetFillColour(value);
      return;
    case ObjectAttribute::PenColour:
      object.SetPenColour(value);
      return;
    case ObjectAttribute::FillPattern:
      object.SetFillPattern(value);
      return;
    case ObjectAttribute::PenWidth:
      object.SetPenWidth(value);
      return;
    case ObjectAttribute::PenStyle:
      object.SetPenStyle(value);
      return;
  }
}

std::optional<int> SelectionAttribute(const t_bild& picture, ObjectAttribute attribute) {
  std::optional<int> value;
  for (t_objekt* o = FirstObject(picture); o; o = Next(o)) {
    if (!o->IsSelected()) continue;
    const int own = AttributeOf(*o, attribute);
    if (!value)
      value = own;
    else if (*value != own)
      return kMixedAttribute;
  }
  return value;
}

int PickerStartValue(const t_bild* picture, ObjectAttribute attribute, std::uint8_t current) {
  if (picture)
    if (const std::optional<int> value = SelectionAttribute(*picture, attribute)) return *value;
  return current;
}

namespace {
const TextId& AttributeName(ObjectAttribute attribute) {
  switch (attribute) {
    case ObjectAttribute::FillColour:
      return txt::kHintFuellfarbe;
    case ObjectAttribute::PenColour:
      return txt::kHintStiftfarbe;
    case ObjectAttribute::FillPattern:
      return txt::kHintFuellmuster;
    case ObjectAttribute::PenWidth:
      return txt::kHintStiftbreite;
    case ObjectAttribute::PenStyle:
      break;
  }
  return txt::kHintStiftmuster;
}
}  // namespace

EditResult SetSelectionAttribute(Document& document, t_bild& picture, ObjectAttribute attribute,
                                 std::uint8_t value) {
  std::vector<t_objekt*> selected;
  CollectSelected(FirstObject(picture), selected);
  return ReplaceEdited(
      document, picture, selected, AttributeName(attribute),
      [&](const t_objekt&, t_objekt& copy) { SetAttribute(copy, attribute, value); });
}

EditResult ApplyPickedAttribute(Document* document, t_bild* picture, ObjectAttribute attribute,
                                int picked, std::uint8_t& current) {
  if (picked < 0 || picked > 255) return {};
  const auto value = static_cast<std::uint8_t>(picked);
  EditResult result;
  if (document && picture) result = SetSelectionAttribute(*document, *picture, attribute, value);
  current = value;
  return result;
}

// --- alignment and spacing --------------------------------------------------------------------

namespace {

struct Span {
  double low = 0, high = 0;
  double Size() const { return high - low; }
  double Centre() const { return (low + high) / 2; }
};

Span SpanOf(const t_objekt& object, bool horizontal) {
  const TermRect e = object.GetExtent();
  return horizontal ? Span{e.left, e.right} : Span{e.top, e.bottom};
}

// Moves each object by its own whole-pixel shift along one axis.
EditResult ShiftEach(Document& document, t_bild& picture, const std::vector<t_objekt*>& objects,
                     const std::unordered_map<const t_objekt*, double>& shifts, bool horizontal,
                     const TextId& name) {
  return ReplaceEdited(document, picture, objects, name,
                       [&](const t_objekt& original, t_objekt& copy) {
                         const auto it = shifts.find(&original);
                         if (it == shifts.end()) return;
                         const std::int16_t by = RoundToI16(it->second);
                         if (horizontal)
                           copy.MoveBy(by, 0);
                         else
                           copy.MoveBy(0, by);
                       });
}

const TextId& AlignName(Alignment alignment) {
  switch (alignment) {
    case Alignment::Left:
      return txt::kAlignLeft;
    case Alignment::Right:
      return txt::kAlignRight;
    case Alignment::Top:
      return txt::kAlignTop;
    case Alignment::Bottom:
      return txt::kAlignBottom;
    case Alignment::HorizontalCentre:
      return txt::kAlignHCentre;
    case Alignment::VerticalCentre:
      break;
  }
  return txt::kAlignVCentre;
}

}  // namespace

EditResult AlignSelection(Document& document, t_bild& picture, Alignment alignment) {
  const std::vector<t_objekt*> chosen = SelectedTop(picture);
  if (chosen.size() < 2) return {};
  const bool horizontal = alignment == Alignment::Left || alignment == Alignment::Right ||
                          alignment == Alignment::HorizontalCentre;
  Span box = SpanOf(*chosen.front(), horizontal);
  for (const t_objekt* o : chosen) {
    const Span s = SpanOf(*o, horizontal);
    box.low = std::min(box.low, s.low);
    box.high = std::max(box.high, s.high);
  }
  std::unordered_map<const t_objekt*, double> shifts;
  for (const t_objekt* o : chosen) {
    const Span s = SpanOf(*o, horizontal);
    switch (alignment) {
      case Alignment::Left:
      case Alignment::Top:
        shifts[o] = box.low - s.low;
        break;
      case Alignment::Right:
      case Alignment::Bottom:
        shifts[o] = box.high - s.high;
        break;
      case Alignment::HorizontalCentre:
      case Alignment::VerticalCentre:
        shifts[o] = box.Centre() - s.Centre();
        break;
    }
  }
  return ShiftEach(document, picture, chosen, shifts, horizontal, AlignName(alignment));
}

EditResult DistributeSelection(Document& document, t_bild& picture, Distribution distribution) {
  std::vector<t_objekt*> chosen = SelectedTop(picture);
  if (chosen.size() < 3) return {};
  const bool horizontal = distribution == Distribution::Horizontal;
  std::stable_sort(chosen.begin(), chosen.end(), [&](const t_objekt* a, const t_objekt* b) {
    return SpanOf(*a, horizontal).low < SpanOf(*b, horizontal).low;
  });
  const Span first = SpanOf(*chosen.front(), horizontal);
  const Span last = SpanOf(*chosen.back(), horizontal);
  double sizes = 0;
  for (const t_objekt* o : chosen) sizes += SpanOf(*o, horizontal).Size();
  const double gap = (last.high - first.low - sizes) / static_cast<double>(chosen.size() - 1);
  std::unordered_map<const t_objekt*, double> shifts;
  double at = first.high + gap;
  for (std::size_t i = 1; i + 1 < chosen.size(); ++i) {
    const Span s = SpanOf(*chosen[i], horizontal);
    shifts[chosen[i]] = at - s.low;
    at += s.Size() + gap;
  }
  return ShiftEach(document, picture, chosen, shifts, horizontal,
                   horizontal ? txt::kDistributeH : txt::kDistributeV);
}

EditResult MatchSelectionSize(Document& document, t_bild& picture, SizeMatch match) {
  const std::vector<t_objekt*> chosen = SelectedTop(picture);
  if (chosen.size() < 2) return {};
  const bool width = match == SizeMatch::Width;
  const std::int16_t size = RoundToI16(SpanOf(*chosen.front(), width).Size());
  return ReplaceEdited(document, picture, chosen, width ? txt::kSameWidth : txt::kSameHeight,
                       [&](const t_objekt& original, t_objekt& copy) {
                         // The handles refuse what cannot be stretched.
                         if (&original == chosen.front() || copy.fixedSize()) return;
                         const TermRect e = copy.GetExtent();
                         HandlePoint topLeft{RoundToI16(e.left), RoundToI16(e.top)};
                         HandlePoint bottomRight{RoundToI16(e.right), RoundToI16(e.bottom)};
                         if (width)
                           bottomRight.x = SaturateToI16(topLeft.x + size);
                         else
                           bottomRight.y = SaturateToI16(topLeft.y + size);
                         copy.SetHandle(kSlotTopLeft, topLeft);
                         copy.SetHandle(kSlotBottomRight, bottomRight);
                         copy.FitToFrame();
                       });
}

// --- a picture's keys and base data --------------------------------------------------------

EditResult SetPictureKeys(Document& document, t_bild& picture,
                          std::span<const std::pair<int, std::uint16_t>> values) {
  PictureFields fields = PictureFields::Of(picture);
  bool changed = false;
  for (const auto& [key, value] : values) {
    if (key < 1 || static_cast<std::size_t>(key) > fields.keys.size()) continue;
    std::uint16_t& slot = fields.keys[static_cast<std::size_t>(key) - 1].second;
    changed = changed || slot != value;
    slot = value;
  }
  if (!changed) return {};
  try {
    return document.Execute(
        std::make_unique<PictureHeadEdit>(txt::kEditTasten, picture, std::move(fields)));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

BaseDataCheck CheckPictureBaseData(const t_projekt& project, const t_bild& picture,
                                   const std::string& name, std::uint16_t pictureNumber) {
  for (const t_liste* p = project.pictures.get(); p; p = p->next())
    if (p != &picture && EqualsIgnoreCase(p->name, name)) return BaseDataCheck::NameTaken;
  for (const t_liste* p = project.pictures.get(); p; p = p->next())
    if (p != &picture && static_cast<const t_bild*>(p)->pictureNumber == pictureNumber)
      return BaseDataCheck::NumberTaken;
  return BaseDataCheck::Ok;
}

BaseDataCheck SetPictureBaseData(Document& document, t_bild& picture, const std::string& name,
                                 std::uint16_t pictureNumber, std::uint8_t backgroundColour,
                                 EditResult* result) {
  const BaseDataCheck check =
      CheckPictureBaseData(document.Project(), picture, name, pictureNumber);
  if (check != BaseDataCheck::Ok) return check;
  PictureFields fields = PictureFields::Of(picture);
  if (fields.name == name && fields.pictureNumber == pictureNumber &&
      fields.backgroundColour == backgroundColour)
    return check;
  fields.name = name;
  fields.pictureNumber = pictureNumber;
  fields.backgroundColour = backgroundColour;
  EditResult done;
  try {
    done = document.Execute(
        std::make_unique<PictureHeadEdit>(txt::kEditBilddaten, picture, std::move(fields)));
  } catch (const std::bad_alloc&) {
    done = EditResult::Failed(txt::kEditNoMemory);
  }
  if (result) *result = done;
  return check;
}

}  // namespace tavo
