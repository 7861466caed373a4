#include "document/clipboard.h"

#include <algorithm>
#include <set>

#include "document/edits.h"
#include "objects/gruppe.h"
#include "objects/rounding.h"
#include "project/objectfactory.h"
#include "project/objectlines.h"
#include "shell/texts.h"

namespace tavo {

namespace {

std::vector<std::int16_t> Missing(const std::vector<std::int16_t>& referenced,
                                  const t_liste* list) {
  std::set<std::int16_t> missing;
  for (std::int16_t n : referenced) {
    if (n == 0) continue;
    if (!FindByNumber(list, static_cast<std::uint16_t>(n))) missing.insert(n);
  }
  return {missing.begin(), missing.end()};
}

}  // namespace

std::string ObjectsToClipboardText(std::span<t_objekt* const> objects) {
  std::string text;
  for (const t_objekt* o : objects) {
    if (!o) continue;
    o->WriteProjectLines([&](const std::string& line) {
      text += line;
      text += "\r\n";
    });
  }
  return text;
}

ClipboardObjects ObjectsFromClipboardText(std::string_view text, ObjectFactory& factory,
                                          const t_projekt& target) {
  ClipboardObjects result;
  ObjectLineProblems problems;
  ListPtr list;
  bool foreign = false;
  {
    ObjectLineReader reader(&factory, list, &problems);
    std::size_t pos = 0;
    while (pos < text.size()) {
      std::size_t end = text.find_first_of("\r\n", pos);
      if (end == std::string_view::npos) end = text.size();
      const std::string_view line = text.substr(pos, end - pos);
      pos = end;
      if (pos < text.size() && text[pos] == '\r') ++pos;
      if (pos < text.size() && text[pos] == '\n') ++pos;
      if (!line.empty() && !reader.Take(line)) foreign = true;
    }
    reader.Finish();
  }
  result.damaged = foreign || !problems.None();
  std::vector<std::int16_t> variables, textLists;
  while (list) {
    ListPtr rest = list->DetachNext();
    auto* object = static_cast<t_objekt*>(list.release());
    ObjectPtr owned(object);
    list = std::move(rest);
    // A group whose members were all unreadable would be an empty frame.
    if (owned->IsGroup() && static_cast<t_gruppe&>(*owned).MemberCount() == 0) {
      result.damaged = true;
      continue;
    }
    owned->UpdateExtent();
    owned->CollectReferences(variables, textLists);
    result.objects.push_back(std::move(owned));
  }
  result.missingVariables = Missing(variables, target.variables.get());
  result.missingTextLists = Missing(textLists, target.textLists.get());
  return result;
}

EditResult PasteObjects(Document& document, t_bild& picture, ClipboardObjects pasted, int dx,
                        int dy) {
  const auto x = SaturateToI16(dx), y = SaturateToI16(dy);
  for (ObjectPtr& o : pasted.objects) {
    if (x != 0 || y != 0) o->MoveBy(x, y);
    o->UpdateExtent();
  }
  return AddObjects(document, picture, std::move(pasted.objects), txt::kEditPaste, true);
}

}  // namespace tavo
