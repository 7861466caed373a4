#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "project/liste.h"

namespace tavo {
namespace {

TEST(NextToken, CutsAtSemicolonOrBracketOutsideQuotes) {
  std::string rest = "12;\"a;b\";3)";
  EXPECT_EQ(t_liste::NextToken(rest), "12");
  EXPECT_EQ(t_liste::NextToken(rest), "\"a;b\"");
  EXPECT_EQ(t_liste::NextToken(rest), "3");
  EXPECT_EQ(rest, "");

  rest = "\"\";";
  EXPECT_EQ(t_liste::NextToken(rest), "\"\"");
  EXPECT_EQ(t_liste::Unquote("\"\""), "");

  rest = "\"x\"\")y\";z";  // a doubled quote does not end the quoted part
  EXPECT_EQ(t_liste::NextToken(rest), "\"x\"\")y\"");
  EXPECT_EQ(t_liste::NextToken(rest), "z");
  EXPECT_EQ(t_liste::NextToken(rest), "");  // a missing field is empty

  rest = "a\"b;\"c;d";  // quotes count anywhere in a field
  EXPECT_EQ(t_liste::NextToken(rest), "a\"b;\"c");
  EXPECT_EQ(t_liste::NextToken(rest), "d");
  rest = "\"ab;c)";  // a quote never closed takes the rest of the line
  EXPECT_EQ(t_liste::NextToken(rest), "\"ab;c)");
  EXPECT_EQ(rest, "");
}

TEST(NextToken, ViewsCutLikeCopies) {
  for (const std::string text :
       {"12;\"a;b\";3)", "\"x\"\")y\";z", "1;2)rest;", "\"open;)", ";;)", ""}) {
    std::string copy = text;
    std::string_view view = text;
    for (int field = 0; field < 5; ++field) {
      const std::string_view cut = t_liste::NextToken(view);
      EXPECT_EQ(cut, t_liste::NextToken(copy)) << text << " field " << field;
      EXPECT_EQ(view, copy) << text << " field " << field;
      // The field and the rest view the caller's text; nothing is copied.
      EXPECT_TRUE(cut.empty() ||
                  (cut.data() >= text.data() && cut.data() < text.data() + text.size()));
    }
  }
}

TEST(Quoting, RoundTripsAndDropsOuterCharacters) {
  EXPECT_EQ(t_liste::Quote("a\"b"), "\"a\"\"b\"");
  EXPECT_EQ(t_liste::Quote(""), "\"\"");
  EXPECT_EQ(t_liste::Unquote("\"x\"\"y\""), "x\"y");
  EXPECT_EQ(t_liste::Quote("x\"y"), "\"x\"\"y\"");
  EXPECT_EQ(t_liste::Unquote("abc"), "b");
  EXPECT_EQ(t_liste::Unquote("\"a\"b\""), "ab");  // a lone inner quote is dropped
  EXPECT_EQ(t_liste::Unquote("\""), "");
  EXPECT_EQ(t_liste::Unquote("\"a\"\"\""), "a\"");      // doubled quote at the end
  EXPECT_EQ(t_liste::Unquote("\"\"\"\"\""), "\"");      // doubled, then a lone one
  EXPECT_EQ(t_liste::Unquote("\"\"\"\"\"\""), "\"\"");  // two doubled
  EXPECT_EQ(t_liste::Unquote("\"" + std::string(40, 'v') + "\""), std::string(40, 'v'));
}

TEST(Numbers, RealToTextTable) {
  struct Case {
    long double value;
    const char* text;
  } cases[] = {{1.5L, "1.5"},        {2, "2"},
               {10, "10"},           {0, "0"},
               {-0.25L, "-0.25"},    {1.0L / 3, "0.33333333"},
               {100, "100"},         {0.000000001L, "0"},
               {-0.000000001L, "0"}, {123456789.125L, "123456789.125"}};
  for (const Case& c : cases) EXPECT_EQ(t_liste::RealToText(c.value), c.text) << double(c.value);
  EXPECT_EQ(t_liste::RealToText(NAN), "0");
}

TEST(Numbers, TextToIntRoundsHalvesToEven) {
  struct Case {
    const char* text;
    std::int32_t value;
  } cases[] = {{"2.5", 2},
               {"3.5", 4},
               {"-7", -7},
               {"-2.5", -2},
               {"1e2", 100},
               {"", 0},
               {"abc", 0},
               {"12abc", 0},
               {" 42 ", 42},
               {"1e5000", 0},
               {"99999999999", 2147483647},
               {"-99999999999", -2147483647 - 1},
               // whole numbers, which take a shorter path than the rest
               {"\t-0012\t", -12},
               {"999999999", 999999999},
               {"-999999999", -999999999},
               {"1000000000", 1000000000},
               {"-12-", 0},
               {"+7", 7},
               {"-0", 0},
               {"2147483647", 2147483647},
               {"2147483648", 2147483647},
               {"-2147483648", -2147483647 - 1},
               {"-2147483649", -2147483647 - 1},
               {"999999999999999999", 2147483647},      // 18 digits
               {"9999999999999999999999", 2147483647},  // 22 digits
               {"0000000000000000000000042", 42},
               {"12.", 12},
               {"1 2", 0},
               {"+", 0},
               {"-", 0},
               {" ", 0},
               {"4x", 0}};
  for (const Case& c : cases) EXPECT_EQ(t_liste::TextToInt(c.text), c.value) << c.text;
  EXPECT_EQ(t_liste::IntToText(-12), "-12");
  EXPECT_DOUBLE_EQ(double(t_liste::TextToReal("-1.25e-1")), -0.125);
  // More digits than a 64-bit integer holds still count, before and after the point.
  EXPECT_DOUBLE_EQ(double(t_liste::TextToReal("123456789012345678901234")), 1.2345678901234568e23);
  EXPECT_DOUBLE_EQ(double(t_liste::TextToReal("0.1234567890123456789012345")), 0.12345678901234568);
  EXPECT_DOUBLE_EQ(double(t_liste::TextToReal("1234567890.1234567890123")), 1234567890.1234567);
}

// Reals as the writer spells them are read by a shorter path; a trailing
// blank sends the same text through the general one, and both must give
// the very same value, or coordinates would shift on reading.
TEST(Numbers, WrittenRealsReadTheSameByEitherPath) {
  std::vector<std::string> texts = {"0",
                                    "-0",
                                    "12.",
                                    ".5",
                                    "-.25",
                                    "110.5",
                                    "007",
                                    "1.5e3",
                                    "1..2",
                                    "1234567890123456789",
                                    "12345678901234567890",
                                    "0.1234567890123456",
                                    "-"};
  for (int i = -2000; i <= 2000; i += 7) {
    texts.push_back(t_liste::RealToText(i / 7.0L));
    texts.push_back(t_liste::RealToText(i * 1234.5678L / 3));
  }
  for (const std::string& text : texts) {
    const long double fast = t_liste::TextToReal(text);
    const long double general = t_liste::TextToReal(text + " ");
    EXPECT_TRUE(fast == general && std::signbit(fast) == std::signbit(general))
        << text << ": " << double(fast) << " vs " << double(general);
  }
  EXPECT_EQ(t_liste::TextToReal("110.5"), 110.5L);
  EXPECT_EQ(t_liste::TextToReal("-0.33333333"), -33333333.0L / 100000000.0L);
}

TEST(Booleans, OnlyTrueInAnyCaseIsTrue) {
  EXPECT_TRUE(t_liste::TextToBool(" true "));
  EXPECT_TRUE(t_liste::TextToBool("TRUE"));
  EXPECT_FALSE(t_liste::TextToBool("1"));
  EXPECT_FALSE(t_liste::TextToBool(""));
  EXPECT_TRUE(t_liste::TextToBool("tRuE"));
  EXPECT_FALSE(t_liste::TextToBool("TRUEX"));
  EXPECT_FALSE(t_liste::TextToBool(" TRU"));
  EXPECT_FALSE(t_liste::TextToBool("\tTRUE"));  // only blanks are trimmed
  EXPECT_EQ(t_liste::BoolToText(true), "TRUE");
  EXPECT_EQ(t_liste::BoolToText(false), "FALSE");
}

ListPtr NumberedList(std::initializer_list<int> numbers) {
  ListPtr head;
  t_liste* last = nullptr;
  int i = 0;
  for (int n : numbers) {
    auto node = std::make_unique<t_liste>();
    node->number = static_cast<std::uint16_t>(n);
    node->name = "n" + std::to_string(i++);
    last = AppendNode(head, last, std::move(node));
  }
  return head;
}

TEST(ListHelpers, FreeNumberCountNameAtFind) {
  ListPtr list = NumberedList({0, 1, 3});
  EXPECT_EQ(list->next()->FreeNumber(), 2);  // searches the whole list
  EXPECT_EQ(NumberedList({5})->FreeNumber(), 0);
  EXPECT_EQ(NumberedList({0})->FreeNumber(), 1);
  EXPECT_EQ(CountNodes(list->next()->next()), 3);
  EXPECT_EQ(CountNodes(nullptr), 0);
  EXPECT_EQ(NameAt(list.get(), 2), "n1");
  EXPECT_EQ(NameAt(list.get(), 0), "");
  EXPECT_EQ(NameAt(list.get(), 4), "");
  EXPECT_EQ(FindByNumber(list->next(), 3)->name, "n2");
  EXPECT_EQ(FindByNumber(list.get(), 9), nullptr);
  EXPECT_EQ(LongestName(nullptr), 0);
}

TEST(ListHelpers, SortIsStableAndRelinks) {
  ListPtr list = NumberedList({3, 1, 3, 0});
  const t_liste* firstThree = list.get();
  list = SortByNumber(std::move(list));
  std::string order;
  for (t_liste* n = list.get(); n; n = n->next()) order += n->name + ",";
  EXPECT_EQ(order, "n3,n1,n0,n2,");
  EXPECT_EQ(list->previous(), nullptr);
  EXPECT_EQ(list->next()->next(), firstThree);  // the node itself, not a copy
  EXPECT_EQ(list->next()->next()->previous(), list->next());
}

TEST(ListHelpers, UnlinkAndFreeLongList) {
  ListPtr list = NumberedList({1, 2, 3});
  ListPtr middle = UnlinkNode(list, list->next());
  EXPECT_EQ(middle->number, 2);
  EXPECT_EQ(middle->next(), nullptr);
  EXPECT_EQ(list->next()->number, 3);
  EXPECT_EQ(list->next()->previous(), list.get());
  ListPtr first = UnlinkNode(list, list.get());
  EXPECT_EQ(list->number, 3);
  EXPECT_EQ(list->previous(), nullptr);

  // Releasing a long list must not recurse node by node.
  ListPtr longList;
  t_liste* last = nullptr;
  for (int i = 0; i < 200000; ++i) last = AppendNode(longList, last, std::make_unique<t_liste>());
  EXPECT_EQ(CountNodes(longList.get()), 200000);
  FreeList(longList);
  EXPECT_EQ(longList, nullptr);
}

TEST(Charset, TablesAreAppliedByteByByteAndCut) {
  EXPECT_EQ(ToTerminalCharset("\xC4\xD6\xDC\xE4\xF6\xFC\xDF"), "\x8E\x99\x9A\x84\x94\x81\xE1");
  EXPECT_EQ(FromTerminalCharset("\x8E\x99\x9A\x84\x94\x81\xE1"), "\xC4\xD6\xDC\xE4\xF6\xFC\xDF");
  // Not exact inverses: 9B and 9C both become the pound sign; 8D stays.
  EXPECT_EQ(FromTerminalCharset("\x9B\x9C\x8D"), "\xA3\xA3\x8D");
  EXPECT_EQ(ToTerminalCharset("\xA3"), "\x9B");
  EXPECT_EQ(ToTerminalCharset("abc"), "abc");
  EXPECT_EQ(ToTerminalCharset(std::string(300, 'x')).size(), 255u);
  int changed = 0;
  for (int b = 0; b < 256; ++b) {
    std::string s(1, static_cast<char>(b));
    changed += ToTerminalCharset(s) != s;
  }
  EXPECT_EQ(changed, 50);
}

}  // namespace
}  // namespace tavo
