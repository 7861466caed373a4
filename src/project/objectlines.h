#pragma once
// The object lines of the project file: "-Object(" lines, one per object,
// and "-Group(" ... "-GroupEnd" around a group's members. One reader serves
// the project file, the clipboard and the tests; objects are made through
// the ObjectFactory, so this unit knows no object kind.

#include <string>
#include <string_view>
#include <vector>

#include "project/liste.h"

namespace tavo {

class ObjectFactory;

// What the reader met that it could not take as written. Every call stands
// for one occurrence; the reader goes on after each.
class ObjectLineReport {
 public:
  virtual ~ObjectLineReport() = default;
  // A "-GroupEnd" without an open group (ignored), or a line that cannot
  // belong to a group met inside one (the group ends there).
  virtual void GroupError() {}
  // An "-Object(" line of a kind without a type; the line is skipped.
  virtual void UnknownKind(int /*kind*/) {}
  // The lines ended inside a group (once, however many were open); the
  // groups keep what they collected.
  virtual void UnendedGroup() {}
};

// Counts what was reported, for callers that only want to know.
struct ObjectLineProblems : ObjectLineReport {
  int groupErrors = 0;
  int unknownKindLines = 0;
  int unendedGroups = 0;
  void GroupError() override { ++groupErrors; }
  void UnknownKind(int) override { ++unknownKindLines; }
  void UnendedGroup() override { ++unendedGroups; }
  bool None() const { return groupErrors == 0 && unknownKindLines == 0 && unendedGroups == 0; }
};

// Reads object lines handed to it one by one (without their line end) and
// appends the objects to a list. A group collects the lines after its
// "-Group(" line up to its "-GroupEnd"; a group nested in a group has its
// extent recomputed from its members when it ends, a group at the outer
// level keeps the extent its own line gave it. Groups nested deeper than
// kMaxGroupDepth are read flat: their members join the enclosing group.
class ObjectLineReader {
 public:
  // Objects of the outer level are appended to `target`, behind what it
  // already holds; `target` must outlive the reader. Without a factory the
  // lines are only framed (groups are followed, nothing is made); without a
  // report problems go unreported.
  ObjectLineReader(ObjectFactory* factory, ListPtr& target, ObjectLineReport* report = nullptr);
  ~ObjectLineReader();
  ObjectLineReader(const ObjectLineReader&) = delete;
  ObjectLineReader& operator=(const ObjectLineReader&) = delete;

  // Takes one line. Outside a group, a line that is no object line is left
  // to the caller (false). Inside a group every line is taken: other record
  // lines ("-...") are ignored, an empty line is skipped, and a line not
  // beginning with "-" is a group error that ends the innermost group.
  bool Take(std::string_view line);
  bool InGroup() const { return !open_.empty() || flattened_ > 0; }
  // A line that cannot be part of a group came while groups are open: one
  // group error, and every open group ends with what it collected.
  void BreakGroups();
  // The lines are over: open groups end with what they collected (one
  // UnendedGroup report). Call it once after the last line.
  void Finish();

 private:
  void Place(ListPtr node);
  void CloseInnermost();

  ObjectFactory* factory_;
  ListPtr& target_;
  t_liste* last_;  // last node of `target_`: appending needs no walk
  ObjectLineReport* report_;
  // Groups being read, innermost last; null where the factory made none.
  std::vector<ListPtr> open_;
  int flattened_ = 0;  // open groups read flat because of their depth
};

// The objects of a whole set of lines (a clipboard text cut into lines, a
// test's lines), in order; lines that are no object lines are ignored.
ListPtr ReadObjectLines(ObjectFactory& factory, const std::vector<std::string>& lines,
                        ObjectLineReport* report = nullptr);
// The same for a text whose lines end with CR LF, LF or CR.
ListPtr ReadObjectText(ObjectFactory& factory, std::string_view text,
                       ObjectLineReport* report = nullptr);

// The project-file lines of every object of the list from `first` on, in
// list order (a group with its members and its "-GroupEnd").
std::vector<std::string> WriteObjectLines(const t_liste* first);
// The same as one text, every line ended with CR LF, as the project file
// has them.
std::string WriteObjectText(const t_liste* first);

}  // namespace tavo
