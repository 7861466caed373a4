#pragma once
// How the project reader creates graphic objects without knowing their
// kinds: the object family registers itself behind this interface. A reader
// given no factory skips every object line.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "project/bmpliste.h"
#include "project/liste.h"

namespace tavo {

// Deepest nesting of groups a reader accepts. Every group operation walks
// its members recursively, so unbounded nesting from damaged data would
// exhaust the stack; readers stop at this depth.
inline constexpr int kMaxGroupDepth = 64;

class ObjectFactory {
 public:
  virtual ~ObjectFactory() = default;
  // A new object of `kind` with its defaults; null for a kind without type.
  virtual ListPtr CreateObject(int kind) = 0;
  virtual ListPtr CreateGroup() = 0;
  // Reads the rest of a project-file line (after "-Object(kind;" or
  // "-Group(") into `object`, which this factory made, ending with its
  // extent update. `rest` views the file's text and is valid only during
  // the call: keep copies.
  virtual void ParseFields(t_liste& object, std::string_view rest) = 0;
  // Appends a member to a group (and updates the group's extent).
  virtual void AppendMember(t_liste& group, ListPtr member) = 0;
  virtual void UpdateExtent(t_liste& object) = 0;
  // The bitmap objects of `object`, an object of a picture (itself, or
  // members at any depth).
  virtual void CollectBitmaps(t_liste& /*object*/, std::vector<BitmapUse>& /*out*/) {}
};

}  // namespace tavo
