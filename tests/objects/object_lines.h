#pragma once
// Reads and writes object lines of the project file through the object
// factory, the way the project reader does: "-Object(" lines create an
// object of their kind, "-Group(" opens a group that collects the following
// lines until "-GroupEnd".

#include <string>
#include <vector>

#include "objects/gruppe.h"
#include "project/liste.h"
#include "project/objectfactory.h"

namespace tavo::testing {

inline ListPtr ReadObjectLines(ObjectFactory& factory, const std::vector<std::string>& lines) {
  ListPtr top;
  std::vector<ListPtr> open;  // groups being read, innermost last
  const auto place = [&](ListPtr node) {
    if (open.empty())
      AppendNode(top, std::move(node));
    else
      factory.AppendMember(*open.back(), std::move(node));
  };
  for (const std::string& line : lines) {
    if (line.rfind("-Object(", 0) == 0) {
      std::string rest = line.substr(8);
      ListPtr object = factory.CreateObject(t_liste::TextToInt(t_liste::NextToken(rest)));
      if (!object) continue;
      factory.ParseFields(*object, rest);
      place(std::move(object));
    } else if (line.rfind("-Group(", 0) == 0) {
      if (open.size() >= static_cast<std::size_t>(kMaxGroupDepth)) continue;
      ListPtr group = factory.CreateGroup();
      factory.ParseFields(*group, line.substr(7));
      open.push_back(std::move(group));
    } else if (line == "-GroupEnd" && !open.empty()) {
      ListPtr group = std::move(open.back());
      open.pop_back();
      place(std::move(group));
    }
  }
  while (!open.empty()) {  // unterminated groups keep what they collected
    ListPtr group = std::move(open.back());
    open.pop_back();
    place(std::move(group));
  }
  return top;
}

inline std::vector<std::string> WriteObjectLines(const ListPtr& list) {
  std::vector<std::string> lines;
  for (const t_liste* n = list.get(); n; n = n->next())
    n->WriteProjectLines([&](const std::string& line) { lines.push_back(line); });
  return lines;
}

}  // namespace tavo::testing
