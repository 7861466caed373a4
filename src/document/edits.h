#pragma once
// The edits of a picture's objects as the editor and the tests ask for
// them, each built as one command and executed on the document. Objects are
// never changed in place: an edit works on copies that replace them.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "document/document.h"

namespace tavo {

class t_bild;

// Each object is copied, `edit` changes the copy, and the copies (extents
// updated) replace the objects in one step. An object inside a group that
// is edited as well is left to its group's copy.
EditResult EditObjects(Document& document, t_bild& picture, std::span<t_objekt* const> objects,
                       const TextId& name, const std::function<void(t_objekt&)>& edit,
                       MergeKey merge = kNoMerge);

// Moves the objects by (dx, dy) terminal pixels.
EditResult MoveObjects(Document& document, t_bild& picture, std::span<t_objekt* const> objects,
                       int dx, int dy, MergeKey merge = kNoMerge);

// Fits the object to the frame its top-left and bottom-right handles were
// dragged to.
EditResult ResizeObject(Document& document, t_bild& picture, t_objekt& object, HandlePoint topLeft,
                        HandlePoint bottomRight);

// Appends the objects at the end of the picture's list (in front of every
// other), bitmaps registered. With `select` they become the selection.
EditResult AddObjects(Document& document, t_bild& picture, std::vector<ObjectPtr> objects,
                      const TextId& name, bool select);

// Removes the objects (members too); a group left without members goes with them.
EditResult DeleteObjects(Document& document, t_bild& picture, std::span<t_objekt* const> objects,
                         const TextId& name = txt::kEditDelete);

EditResult RenameObject(Document& document, t_bild& picture, t_objekt& object, std::string name);

// The objects without those that lie inside another of them.
std::vector<t_objekt*> OutermostOnly(const t_bild& picture, std::span<t_objekt* const> objects);

}  // namespace tavo
