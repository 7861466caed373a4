#include "document/edits.h"

#include <algorithm>
#include <new>
#include <unordered_map>
#include <unordered_set>

#include "document/objectedit.h"
#include "objects/gruppe.h"
#include "objects/rounding.h"
#include "shell/texts.h"

namespace tavo {

namespace {

using Places = std::unordered_map<const t_objekt*, ObjectPlace>;

// True when a group that contains the object (at any depth) is in `set`.
bool InsideAnyOf(const Places& places, const t_objekt* object,
                 const std::unordered_set<const t_objekt*>& set) {
  auto it = places.find(object);
  while (it != places.end() && it->second.group) {
    if (set.count(it->second.group)) return true;
    it = places.find(it->second.group);
  }
  return false;
}

std::vector<t_objekt*> Outermost(const Places& places, std::span<t_objekt* const> objects) {
  std::unordered_set<const t_objekt*> set;
  for (t_objekt* o : objects)
    if (o && places.count(o)) set.insert(o);
  std::vector<t_objekt*> result;
  for (t_objekt* o : objects)
    if (o && places.count(o) && !InsideAnyOf(places, o, set) &&
        std::find(result.begin(), result.end(), o) == result.end())
      result.push_back(o);
  return result;
}

}  // namespace

std::vector<t_objekt*> OutermostOnly(const t_bild& picture, std::span<t_objekt* const> objects) {
  return Outermost(PlacesIn(picture), objects);
}

EditResult EditObjects(Document& document, t_bild& picture, std::span<t_objekt* const> objects,
                       const TextId& name, const std::function<void(t_objekt&)>& edit,
                       MergeKey merge) {
  try {
    const Places places = PlacesIn(picture);
    auto command = std::make_unique<ObjectEdit>(name, document.Project(), picture, merge);
    for (t_objekt* object : Outermost(places, objects)) {
      ObjectPtr copy = object->Clone();
      if (!copy) return EditResult::Failed(txt::kEditCannotCopy);
      edit(*copy);
      copy->UpdateExtent();
      command->Replace(places.at(object), *object, std::move(copy));
    }
    if (command->Empty()) return {};
    return document.Execute(std::move(command));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult MoveObjects(Document& document, t_bild& picture, std::span<t_objekt* const> objects,
                       int dx, int dy, MergeKey merge) {
  if (dx == 0 && dy == 0) return {};
  const auto x = SaturateToI16(dx), y = SaturateToI16(dy);
  return EditObjects(
      document, picture, objects, txt::kEditMove, [&](t_objekt& o) { o.MoveBy(x, y); }, merge);
}

EditResult ResizeObject(Document& document, t_bild& picture, t_objekt& object, HandlePoint topLeft,
                        HandlePoint bottomRight) {
  t_objekt* one[] = {&object};
  return EditObjects(document, picture, one, txt::kEditResize, [&](t_objekt& o) {
    o.UpdateExtent();
    o.SetHandle(kSlotTopLeft, topLeft);
    o.SetHandle(kSlotBottomRight, bottomRight);
    o.FitToFrame();
  });
}

EditResult AddObjects(Document& document, t_bild& picture, std::vector<ObjectPtr> objects,
                      const TextId& name, bool select) {
  try {
    auto command = std::make_unique<ObjectEdit>(name, document.Project(), picture);
    std::vector<t_objekt*> added;
    for (ObjectPtr& o : objects) {
      if (!o) continue;
      o->UpdateExtent();
      added.push_back(o.get());
      command->Append({}, std::move(o));
    }
    if (command->Empty()) return {};
    // Only objects of the open picture are ever selected.
    const bool selectAdded = select && document.OpenPicture() == &picture;
    if (selectAdded) document.DeselectAll();
    for (t_objekt* o : added) o->SetSelected(selectAdded);
    EditResult result = document.Execute(std::move(command));
    if (result && selectAdded) document.SetSelection(added);
    return result;
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult DeleteObjects(Document& document, t_bild& picture, std::span<t_objekt* const> objects,
                         const TextId& name) {
  try {
    const Places places = PlacesIn(picture);
    std::vector<t_objekt*> going = Outermost(places, objects);
    if (going.empty()) return {};
    // A group whose members all go goes with them, and so on outward.
    for (;;) {
      std::unordered_map<const t_gruppe*, int> leaving;
      for (t_objekt* o : going)
        if (t_gruppe* g = places.at(o).group) ++leaving[g];
      bool grew = false;
      for (const auto& [group, count] : leaving)
        if (count == group->MemberCount()) {
          going.push_back(const_cast<t_gruppe*>(group));
          grew = true;
        }
      if (!grew) break;
      going = Outermost(places, going);
    }
    auto command = std::make_unique<ObjectEdit>(name, document.Project(), picture);
    for (t_objekt* o : going) command->Remove(places.at(o), *o);
    return document.Execute(std::move(command));
  } catch (const std::bad_alloc&) {
    return EditResult::Failed(txt::kEditNoMemory);
  }
}

EditResult RenameObject(Document& document, t_bild& picture, t_objekt& object, std::string name) {
  if (object.name == name) return {};
  t_objekt* one[] = {&object};
  return EditObjects(document, picture, one, txt::kEditRename, [&](t_objekt& o) { o.name = name; });
}

}  // namespace tavo
