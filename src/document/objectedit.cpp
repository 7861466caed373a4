#include "document/objectedit.h"

#include <algorithm>

#include "objects/bitmap/tqvxbitmap.h"
#include "objects/gruppe.h"
#include "project/projekt.h"
#include "shell/texts.h"

namespace tavo {

namespace {

void CollectPlaces(t_liste* first, ObjectPlace place,
                   std::unordered_map<const t_objekt*, ObjectPlace>& out) {
  for (t_liste* n = first; n; n = n->next()) {
    auto* object = static_cast<t_objekt*>(n);
    ObjectPlace own = place;
    if (!own.group) own.top = object;
    out.emplace(object, own);
    if (object->IsGroup()) {
      auto* group = static_cast<t_gruppe*>(object);
      CollectPlaces(group->FirstMember(), {group, own.top}, out);
    }
  }
}

bool FindPlace(t_liste* first, const t_objekt& wanted, ObjectPlace place, ObjectPlace& found) {
  for (t_liste* n = first; n; n = n->next()) {
    auto* object = static_cast<t_objekt*>(n);
    ObjectPlace own = place;
    if (!own.group) own.top = object;
    if (object == &wanted) {
      found = own;
      return true;
    }
    if (object->IsGroup()) {
      auto* group = static_cast<t_gruppe*>(object);
      if (FindPlace(group->FirstMember(), wanted, {group, own.top}, found)) return true;
    }
  }
  return false;
}

void Unite(TermRect& into, const TermRect& r) {
  into.left = std::min(into.left, r.left);
  into.top = std::min(into.top, r.top);
  into.right = std::max(into.right, r.right);
  into.bottom = std::max(into.bottom, r.bottom);
}

bool SameUses(const std::vector<BitmapUse>& a, const std::vector<BitmapUse>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].fileName != b[i].fileName || a[i].width != b[i].width || a[i].height != b[i].height ||
        *a[i].identifier != *b[i].identifier)
      return false;
  return true;
}

}  // namespace

std::unordered_map<const t_objekt*, ObjectPlace> PlacesIn(const t_bild& picture) {
  std::unordered_map<const t_objekt*, ObjectPlace> places;
  CollectPlaces(picture.objects.get(), {}, places);
  return places;
}

ObjectPlace PlaceOf(const t_bild& picture, const t_objekt& object) {
  ObjectPlace found;
  FindPlace(picture.objects.get(), object, {}, found);
  return found;
}

// --- planning ------------------------------------------------------------------

ObjectEdit::ObjectEdit(const TextId& name, t_projekt& project, t_bild& picture, MergeKey merge)
    : Command(name), project_(project), picture_(&picture), merge_(merge) {}

ObjectEdit::~ObjectEdit() = default;

void ObjectEdit::Entry(Kind kind, t_objekt* node, t_objekt* replacement, const ObjectPlace& from,
                       const ObjectPlace& to) {
  ObjectChange done, undone;
  switch (kind) {
    case Kind::Insert:
      done = {ObjectChange::Added, node, nullptr, to.group};
      undone = {ObjectChange::Removed, node, nullptr, to.group};
      break;
    case Kind::Remove:
      done = {ObjectChange::Removed, node, nullptr, from.group};
      undone = {ObjectChange::Added, node, nullptr, from.group};
      break;
    case Kind::Replace:
      done = {ObjectChange::Replaced, replacement, node, from.group};
      undone = {ObjectChange::Replaced, node, replacement, from.group};
      break;
    case Kind::Move:
      done = {ObjectChange::Moved, node, nullptr, to.group};
      undone = {ObjectChange::Moved, node, nullptr, from.group};
      break;
  }
  doneEntries_.push_back(done);
  undoneEntries_.push_back(undone);
}

void ObjectEdit::Insert(ObjectPlace place, t_liste* after, ObjectPtr node) {
  if (!node) return;
  Step s{Kind::Insert, {}, place, after, false, nullptr, node.get(), nullptr, nullptr};
  Entry(Kind::Insert, node.get(), nullptr, {}, place);
  s.held = std::move(node);
  steps_.push_back(std::move(s));
}

void ObjectEdit::Append(ObjectPlace place, ObjectPtr node) {
  if (!node) return;
  Step s{Kind::Insert, {}, place, nullptr, true, nullptr, node.get(), nullptr, nullptr};
  Entry(Kind::Insert, node.get(), nullptr, {}, place);
  s.held = std::move(node);
  steps_.push_back(std::move(s));
}

void ObjectEdit::Remove(ObjectPlace place, t_objekt& node) {
  steps_.push_back({Kind::Remove, place, {}, nullptr, false, nullptr, &node, nullptr, nullptr});
  Entry(Kind::Remove, &node, nullptr, place, {});
}

void ObjectEdit::Replace(ObjectPlace place, t_objekt& old, ObjectPtr node) {
  if (!node) return;
  Step s{Kind::Replace, place, place, nullptr, false, nullptr, &old, node.get(), nullptr};
  Entry(Kind::Replace, &old, node.get(), place, place);
  s.held = std::move(node);
  steps_.push_back(std::move(s));
}

void ObjectEdit::Move(ObjectPlace from, t_objekt& node, ObjectPlace to, t_liste* after,
                      bool toEnd) {
  steps_.push_back({Kind::Move, from, to, after, toEnd, nullptr, &node, nullptr, nullptr});
  Entry(Kind::Move, &node, nullptr, from, to);
}

namespace {

// Whether one of `uses` belongs to an object this edit brings in.
bool ComesHere(const std::vector<BitmapUse>& uses, const std::vector<BitmapUse>& coming) {
  for (const BitmapUse& u : uses)
    for (const BitmapUse& c : coming)
      if (c.identifier == u.identifier) return true;
  return false;
}

}  // namespace

bool ObjectEdit::Prepare(TextId& error) {
  if (prepared_) return true;
  // Bitmaps that leave are released before those that come are registered,
  // as a resize does: the placed size may change, the identifier stays when
  // it can. A step takes what the steps before it left in a group (members
  // moved out of a group that then goes stay, members moved in go with
  // it), so the steps are walked through once and taken back.
  std::vector<BitmapUse> leaving, coming;
  std::size_t walked = 0;
  try {
    for (Step& s : steps_) {
      std::vector<BitmapUse> out, in;
      switch (s.kind) {
        case Kind::Insert:
          CollectBitmapUses(*s.node, in);
          break;
        case Kind::Remove:
          CollectBitmapUses(*s.node, out);
          break;
        case Kind::Replace:
          CollectBitmapUses(*s.node, out);
          CollectBitmapUses(*s.replacement, in);
          if (SameUses(out, in) && !ComesHere(out, coming)) {
            out.clear();
            in.clear();
          }
          break;
        case Kind::Move:
          break;
      }
      // An object this edit brought in and takes out again never uses the
      // registry: its use is dropped instead of released.
      std::erase_if(out, [&](const BitmapUse& u) {
        auto it = std::find_if(coming.begin(), coming.end(),
                               [&](const BitmapUse& c) { return c.identifier == u.identifier; });
        if (it == coming.end()) return false;
        coming.erase(it);
        return true;
      });
      leaving.insert(leaving.end(), out.begin(), out.end());
      coming.insert(coming.end(), in.begin(), in.end());
      Apply(s);
      ++walked;
    }
  } catch (...) {
    while (walked > 0) Revert(steps_[--walked]);
    throw;
  }
  while (walked > 0) Revert(steps_[--walked]);
  if (!leaving.empty() || !coming.empty()) {
    t_bmpliste after = project_.bitmaps;
    for (const BitmapUse& u : leaving) after.Release(*u.identifier);
    std::vector<std::int32_t> identifiers;
    identifiers.reserve(coming.size());
    for (const BitmapUse& u : coming) {
      const std::int32_t id = after.Register(u.fileName, u.width, u.height, *u.identifier);
      if (id == t_bmpliste::kNoIdentifier) {
        error = txt::kEditBitmapRegistryFull;
        return false;
      }
      identifiers.push_back(id);
    }
    // Only now, with every identifier given, do the new objects take theirs.
    for (std::size_t i = 0; i < coming.size(); ++i) *coming[i].identifier = identifiers[i];
    std::vector<bmprectype> entries;
    after.Swap(entries);
    registry_ = std::move(entries);
  }
  std::reverse(undoneEntries_.begin(), undoneEntries_.end());
  prepared_ = true;
  return true;
}

// --- doing and undoing -----------------------------------------------------------

ListPtr& ObjectEdit::ListOf(const ObjectPlace& place) {
  return place.group ? place.group->MemberList() : picture_->objects;
}

void ObjectEdit::Relinked(const ObjectPlace& place) noexcept {
  if (place.group) place.group->MembersRelinked();
}

void ObjectEdit::AddArea(const TermRect& r) noexcept {
  if (!hasArea_) {
    area_ = r;
    hasArea_ = true;
  } else {
    Unite(area_, r);
  }
}

// The drawing that may differ: the step's own node and the top-level
// objects around it, before and after.
void ObjectEdit::AddStepArea(const Step& s, bool before, bool undo) noexcept {
  const bool fromSide = before != undo;  // the side the node leaves
  switch (s.kind) {
    case Kind::Insert:
    case Kind::Remove:
      AddArea(s.node->GetExtent());
      break;
    case Kind::Replace:
      AddArea((fromSide ? s.node : s.replacement)->GetExtent());
      break;
    case Kind::Move:
      AddArea(s.node->GetExtent());
      break;
  }
  const ObjectPlace& place =
      (s.kind == Kind::Remove || (s.kind == Kind::Move && fromSide)) ? s.from : s.to;
  if (place.group && place.top) AddArea(place.top->GetExtent());
}

void ObjectEdit::Apply(Step& s) noexcept {
  switch (s.kind) {
    case Kind::Insert: {
      ListPtr& list = ListOf(s.to);
      t_liste* after = s.toEnd ? LastNode(list.get()) : s.after;
      InsertNode(list, after, std::move(s.held));
      Relinked(s.to);
      break;
    }
    case Kind::Remove:
      s.oldAfter = s.node->previous();
      s.held = UnlinkNode(ListOf(s.from), s.node);
      Relinked(s.from);
      break;
    case Kind::Replace:
      s.held = ReplaceNode(ListOf(s.from), s.node, std::move(s.held));
      Relinked(s.from);
      break;
    case Kind::Move: {
      s.oldAfter = s.node->previous();
      ListPtr node = UnlinkNode(ListOf(s.from), s.node);
      Relinked(s.from);
      ListPtr& list = ListOf(s.to);
      InsertNode(list, s.toEnd ? LastNode(list.get()) : s.after, std::move(node));
      Relinked(s.to);
      break;
    }
  }
}

void ObjectEdit::Revert(Step& s) noexcept {
  switch (s.kind) {
    case Kind::Insert:
      s.held = UnlinkNode(ListOf(s.to), s.node);
      Relinked(s.to);
      break;
    case Kind::Remove:
      InsertNode(ListOf(s.from), s.oldAfter, std::move(s.held));
      Relinked(s.from);
      break;
    case Kind::Replace:
      s.held = ReplaceNode(ListOf(s.from), s.replacement, std::move(s.held));
      Relinked(s.from);
      break;
    case Kind::Move: {
      ListPtr node = UnlinkNode(ListOf(s.to), s.node);
      Relinked(s.to);
      InsertNode(ListOf(s.from), s.oldAfter, std::move(node));
      Relinked(s.from);
      break;
    }
  }
}

// Groups whose members changed take their extents from the members again;
// the outermost group recomputes every group inside it. A group moved to
// the top level (by the edit, or back there by its undo) is outermost
// itself, and the steps before may have changed its members.
void ObjectEdit::UpdateTops() noexcept {
  for (const Step& s : steps_) {
    for (const ObjectPlace* place : {&s.from, &s.to})
      if (place->group && place->top) place->top->UpdateExtent();
    if (s.kind == Kind::Move && (!s.from.group || !s.to.group)) s.node->UpdateExtent();
  }
}

void ObjectEdit::Do() noexcept {
  hasArea_ = false;
  for (const Step& s : steps_) AddStepArea(s, true, false);
  for (Step& s : steps_) Apply(s);
  UpdateTops();
  if (registry_) project_.bitmaps.Swap(*registry_);
  for (const Step& s : steps_) AddStepArea(s, false, false);
}

void ObjectEdit::Undo() noexcept {
  hasArea_ = false;
  for (const Step& s : steps_) AddStepArea(s, true, true);
  for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) Revert(*it);
  UpdateTops();
  if (registry_) project_.bitmaps.Swap(*registry_);
  for (const Step& s : steps_) AddStepArea(s, false, true);
}

void ObjectEdit::Report(bool undone, ChangeSink& sink) const {
  Change change;
  change.kind = ChangeKind::Objects;
  change.picture = picture_;
  change.objects = undone ? std::span<const ObjectChange>(undoneEntries_)
                          : std::span<const ObjectChange>(doneEntries_);
  change.hasArea = hasArea_;
  change.area = area_;
  sink.Changed(change);
}

bool ObjectEdit::MergeWith(Command& next) {
  auto* other = dynamic_cast<ObjectEdit*>(&next);
  if (!other || merge_ == kNoMerge || other->merge_ != merge_ || other->picture_ != picture_ ||
      &other->project_ != &project_ || registry_ || other->registry_ ||
      other->steps_.size() != steps_.size())
    return false;
  for (std::size_t i = 0; i < steps_.size(); ++i) {
    const Step& mine = steps_[i];
    const Step& theirs = other->steps_[i];
    if (mine.kind != Kind::Replace || theirs.kind != Kind::Replace ||
        theirs.node != mine.replacement)
      return false;
  }
  // This step now leads from its own old nodes straight to the other's new
  // ones; the nodes in between stay with the other step and go with it.
  const std::size_t n = steps_.size();
  for (std::size_t i = 0; i < n; ++i) {
    t_objekt* latest = other->steps_[i].replacement;
    steps_[i].replacement = latest;
    doneEntries_[i].object = latest;
    undoneEntries_[n - 1 - i].previous = latest;
  }
  if (other->hasArea_) AddArea(other->area_);
  return true;
}

}  // namespace tavo
