#pragma once
// An object family for readers' tests below the object library: objects
// keep their fields as read and write them back unchanged, which is enough
// to see how a reader frames objects and groups.

#include <memory>
#include <string>
#include <string_view>

#include "project/liste.h"
#include "project/objectfactory.h"

namespace tavo::testing {

class FakeObject : public t_liste {
 public:
  explicit FakeObject(int kind) : kind(kind) {}
  int kind;  // -1: group
  std::string fields;
  ListPtr members;
  int extentUpdates = 0;
  void WriteProjectLines(const LineSink& sink) const override {
    if (kind >= 0) {
      sink("-Object(" + std::to_string(kind) + ";" + fields);
      return;
    }
    sink("-Group(" + fields);
    for (const t_liste* m = members.get(); m; m = m->next()) m->WriteProjectLines(sink);
    sink("-GroupEnd");
  }
};

// Kinds 1 to 4 exist.
class FakeFactory : public ObjectFactory {
 public:
  ListPtr CreateObject(int kind) override {
    return kind >= 1 && kind <= 4 ? std::make_unique<FakeObject>(kind) : nullptr;
  }
  ListPtr CreateGroup() override { return std::make_unique<FakeObject>(-1); }
  void ParseFields(t_liste& object, std::string_view rest) override {
    static_cast<FakeObject&>(object).fields = std::string(rest);
  }
  void AppendMember(t_liste& group, ListPtr member) override {
    AppendNode(static_cast<FakeObject&>(group).members, std::move(member));
  }
  void UpdateExtent(t_liste& object) override { ++static_cast<FakeObject&>(object).extentUpdates; }
};

}  // namespace tavo::testing
