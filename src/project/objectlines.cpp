#include "project/objectlines.h"

#include <algorithm>

#include "project/objectfactory.h"

namespace tavo {

ObjectLineReader::ObjectLineReader(ObjectFactory* factory, ListPtr& target,
                                   ObjectLineReport* report)
    : factory_(factory), target_(target), last_(target.get()), report_(report) {}

ObjectLineReader::~ObjectLineReader() = default;

bool ObjectLineReader::Take(std::string_view line) {
  if (StartsWith(line, "-Object(")) {
    if (!factory_) return true;
    std::string_view rest = line.substr(8);
    const std::int32_t kind = t_liste::TextToInt(t_liste::NextToken(rest));
    ListPtr object = factory_->CreateObject(kind);
    if (!object) {
      if (report_) report_->UnknownKind(kind);
      return true;
    }
    factory_->ParseFields(*object, rest);
    Place(std::move(object));
    return true;
  }
  if (StartsWith(line, "-Group(")) {
    if (open_.size() >= static_cast<std::size_t>(kMaxGroupDepth)) {
      ++flattened_;
      return true;
    }
    ListPtr group = factory_ ? factory_->CreateGroup() : nullptr;
    if (group) factory_->ParseFields(*group, line.substr(7));
    open_.push_back(std::move(group));
    return true;
  }
  if (StartsWith(line, "-GroupEnd")) {
    if (open_.empty()) {
      if (report_) report_->GroupError();
    } else {
      CloseInnermost();
    }
    return true;
  }
  if (open_.empty()) return false;
  if (!line.empty() && line[0] != '-') {
    if (report_) report_->GroupError();
    CloseInnermost();
  }
  return true;
}

void ObjectLineReader::BreakGroups() {
  if (open_.empty()) return;
  if (report_) report_->GroupError();
  flattened_ = 0;
  while (!open_.empty()) CloseInnermost();
}

void ObjectLineReader::Finish() {
  if (open_.empty()) return;
  if (report_) report_->UnendedGroup();
  flattened_ = 0;
  while (!open_.empty()) CloseInnermost();
}

void ObjectLineReader::Place(ListPtr node) {
  if (open_.empty()) {
    last_ = AppendNode(target_, last_, std::move(node));
  } else if (open_.back()) {
    factory_->AppendMember(*open_.back(), std::move(node));
  }
  // else: the enclosing group could not be made; its members go with it.
}

void ObjectLineReader::CloseInnermost() {
  if (flattened_ > 0) {
    --flattened_;
    return;
  }
  ListPtr group = std::move(open_.back());
  open_.pop_back();
  if (!group) return;
  // A nested group takes the extent of its members; one at the outer level
  // keeps what its own line gave it until an edit recomputes it.
  if (!open_.empty() && open_.back()) factory_->UpdateExtent(*group);
  Place(std::move(group));
}

ListPtr ReadObjectLines(ObjectFactory& factory, const std::vector<std::string>& lines,
                        ObjectLineReport* report) {
  ListPtr objects;
  ObjectLineReader reader(&factory, objects, report);
  for (const std::string& line : lines) reader.Take(line);
  reader.Finish();
  return objects;
}

ListPtr ReadObjectText(ObjectFactory& factory, std::string_view text, ObjectLineReport* report) {
  ListPtr objects;
  ObjectLineReader reader(&factory, objects, report);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    if (!line.empty()) reader.Take(line);
  }
  reader.Finish();
  return objects;
}

std::vector<std::string> WriteObjectLines(const t_liste* first) {
  std::vector<std::string> lines;
  const LineSink sink = [&](const std::string& line) { lines.push_back(line); };
  for (const t_liste* n = first; n; n = n->next()) n->WriteProjectLines(sink);
  return lines;
}

std::string WriteObjectText(const t_liste* first) {
  std::string text;
  const LineSink sink = [&](const std::string& line) {
    text += line;
    text += "\r\n";
  };
  for (const t_liste* n = first; n; n = n->next()) n->WriteProjectLines(sink);
  return text;
}

}  // namespace tavo
