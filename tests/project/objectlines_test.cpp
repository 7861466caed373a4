#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "project/objectlines.h"
#include "support/fake_objects.h"

namespace tavo {
namespace {

using ::testing::ElementsAre;
using testing::FakeFactory;
using testing::FakeObject;

const FakeObject& At(const ListPtr& list, int position) {
  const t_liste* n = list.get();
  for (int i = 1; i < position && n; ++i) n = n->next();
  return static_cast<const FakeObject&>(*n);
}

// Records what was reported, in order.
struct Log : ObjectLineReport {
  std::vector<std::string> calls;
  void GroupError() override { calls.push_back("group error"); }
  void UnknownKind(int kind) override { calls.push_back("unknown " + std::to_string(kind)); }
  void UnendedGroup() override { calls.push_back("unended"); }
};

TEST(ObjectLines, GroupsNestAndRoundTrip) {
  const std::vector<std::string> lines = {
      "-Object(1;a)", "-Group(0;0;0;\"G\")", "-Object(2;b)", "-Group(0;0;0;\"H\")",
      "-Object(3;c)", "-GroupEnd",           "-GroupEnd",    "-Object(4;d)"};
  FakeFactory factory;
  ObjectLineProblems problems;
  ListPtr objects = ReadObjectLines(factory, lines, &problems);
  EXPECT_TRUE(problems.None());
  ASSERT_EQ(CountNodes(objects.get()), 3);
  const FakeObject& group = At(objects, 2);
  // The outer group keeps the extent its own line gave; a nested one is
  // recomputed from its members.
  EXPECT_EQ(group.extentUpdates, 0);
  EXPECT_EQ(At(group.members, 2).extentUpdates, 1);
  EXPECT_EQ(WriteObjectLines(objects.get()), lines);
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  EXPECT_EQ(WriteObjectText(objects.get()), text);
}

TEST(ObjectLines, DamagedFramesAreReportedAndKeepWhatWasRead) {
  struct Case {
    const char* what;
    std::vector<std::string> lines;
    std::vector<std::string> calls;
    std::vector<std::string> written;
  };
  const Case cases[] = {
      {"stray group end", {"-GroupEnd", "-Object(1;a)"}, {"group error"}, {"-Object(1;a)"}},
      {"unknown kinds",
       {"-Object(9;x)", "-Object(1;a)", "-Object(0;y)", "-Object(9;z)"},
       {"unknown 9", "unknown 0", "unknown 9"},
       {"-Object(1;a)"}},
      {"never ended",
       {"-Group(G)", "-Group(H)", "-Object(1;a)"},
       {"unended"},
       {"-Group(G)", "-Group(H)", "-Object(1;a)", "-GroupEnd", "-GroupEnd"}},
      // A line that is no record ends the innermost group only and is lost.
      {"foreign line in a group",
       {"-Group(G)", "-Group(H)", "-Object(1;a)", "kaputt", "-Object(2;b)", "-GroupEnd"},
       {"group error"},
       {"-Group(G)", "-Group(H)", "-Object(1;a)", "-GroupEnd", "-Object(2;b)", "-GroupEnd"}},
      {"other records in a group are ignored",
       {"-Group(G)", "-Key(1;2;\"\")", "", "-Object(1;a)", "-GroupEnd"},
       {},
       {"-Group(G)", "-Object(1;a)", "-GroupEnd"}},
  };
  FakeFactory factory;
  for (const Case& c : cases) {
    Log log;
    ListPtr objects = ReadObjectLines(factory, c.lines, &log);
    EXPECT_EQ(log.calls, c.calls) << c.what;
    EXPECT_EQ(WriteObjectLines(objects.get()), c.written) << c.what;
  }
}

// Guards the stack: every group operation recurses into its members.
TEST(ObjectLines, GroupsNestedBeyondTheLimitAreReadFlat) {
  std::vector<std::string> lines(1000, "-Group(0;0;0;\"\")");
  lines.push_back("-Object(1;a)");
  lines.insert(lines.end(), 1000, "-GroupEnd");
  lines.push_back("-Object(2;b)");
  FakeFactory factory;
  ObjectLineProblems problems;
  ListPtr objects = ReadObjectLines(factory, lines, &problems);
  EXPECT_TRUE(problems.None());
  ASSERT_EQ(CountNodes(objects.get()), 2);
  int depth = 0;
  const FakeObject* deepest = nullptr;
  for (const FakeObject* g = &At(objects, 1); g && g->kind == -1;
       g = static_cast<const FakeObject*>(g->members.get())) {
    ++depth;
    deepest = g;
  }
  EXPECT_EQ(depth, kMaxGroupDepth);
  EXPECT_EQ(At(deepest->members, 1).kind, 1);
  EXPECT_EQ(At(objects, 2).kind, 2);
}

TEST(ObjectLines, ReaderTakesLinesOneByOne) {
  FakeFactory factory;
  ListPtr list = std::make_unique<FakeObject>(3);  // appended behind what is there
  Log log;
  ObjectLineReader reader(&factory, list, &log);
  EXPECT_FALSE(reader.Take("-Key(1;2;\"\")"));  // not an object line: the caller's
  EXPECT_FALSE(reader.Take("[Variables]"));
  EXPECT_TRUE(reader.Take("-Group(G)"));
  EXPECT_TRUE(reader.InGroup());
  EXPECT_TRUE(reader.Take("-Object(1;a)"));
  EXPECT_TRUE(reader.Take("-Key(1;2;\"\")"));  // inside a group every line is taken
  reader.BreakGroups();
  EXPECT_FALSE(reader.InGroup());
  reader.Finish();
  EXPECT_EQ(log.calls, std::vector<std::string>{"group error"});
  EXPECT_THAT(WriteObjectLines(list.get()),
              ElementsAre("-Object(3;", "-Group(G)", "-Object(1;a)", "-GroupEnd"));

  // Without a factory the frames are followed and nothing is made.
  ListPtr none;
  Log quiet;
  ObjectLineReader framing(nullptr, none, &quiet);
  for (const char* line : {"-Group(G)", "-Object(9;a)", "-PictureEnd", "-GroupEnd"})
    EXPECT_TRUE(framing.Take(line)) << line;
  EXPECT_FALSE(framing.Take("-PictureEnd"));
  framing.Finish();
  EXPECT_EQ(none, nullptr);
  EXPECT_TRUE(quiet.calls.empty());
}

TEST(ObjectLines, TextLinesEndWithCrLfLfOrCr) {
  FakeFactory factory;
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const std::string text = std::string("-Group(G)") + end + "-Object(1;a)" + end + end +
                             "-GroupEnd" + end + "-Object(2;b)";
    ObjectLineProblems problems;
    ListPtr objects = ReadObjectText(factory, text, &problems);
    EXPECT_TRUE(problems.None()) << ::testing::PrintToString(end);
    EXPECT_THAT(WriteObjectLines(objects.get()),
                ElementsAre("-Group(G)", "-Object(1;a)", "-GroupEnd", "-Object(2;b)"))
        << ::testing::PrintToString(end);
  }
}

}  // namespace
}  // namespace tavo
