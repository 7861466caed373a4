#include <gtest/gtest.h>

#include "shell/codepage.h"

namespace tavo {
namespace {

TEST(CodePage, Utf8ToCp1252) {
  struct Case {
    std::string utf8, cp1252;
  };
  const Case cases[] = {
      {"\xC3\x9C"
       "berdruck",
       "\xDC"
       "berdruck"},
      {"\xE2\x82\xAC 5", "\x80 5"},  // euro sign
      {"\xF0\x9F\x98\x80x", "?x"},   // outside code page 1252
      {"\xE2\x86\x92", "?"},         // arrow: no code page 1252 form
      // Bytes that are no UTF-8 are code page 1252 already and stay whole.
      {"\xDC"
       "berdruck",
       "\xDC"
       "berdruck"},
      {"a\xE4"
       "bc",
       "a\xE4"
       "bc"},
      {"\xC3", "\xC3"},                  // sequence cut off at the end
      {"\xC0\x80", "\xC0\x80"},          // overlong NUL
      {"\xED\xA0\x80", "\xED\xA0\x80"},  // surrogate
  };
  for (const Case& c : cases) EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xFC"), "\xE2\x82\xAC\xC3\xBC");
}

// A file is taken for UTF-8 only when every byte above 0x7F belongs to a
// well-formed sequence; code page 1252 text must not pass.
TEST(CodePage, LooksLikeUtf8) {
  struct Case {
    std::string text;
    bool utf8;
  };
  const std::string ascii(21, 'a');  // moves a sequence across the 8-byte steps
  const Case cases[] = {
      {"", false},
      {ascii, false},  // nothing to tell: stays as it is
      {"Kl\xC3\xA4ranlage", true},
      {ascii + "\xC3\xA4", true},
      {ascii.substr(0, 7) + "\xE2\x82\xAC" + ascii, true},  // across a step
      {"\xF0\x9F\x98\x80", true},
      {"Kl\xE4ranlage", false},
      {"\xDC"
       "berlauf",
       false},
      {"Stra\xDF"
       "e",
       false},
      {"\xC4\xA7 ok, \xB0"
       "C",
       false},                      // one pair that would pass, one byte that cannot
      {ascii + "\xC3", false},      // a sequence cut at the end
      {"\xC0\x80", false},          // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF5\x80\x80\x80", false},  // beyond U+10FFFF
  };
  for (const Case& c : cases)
    EXPECT_EQ(LooksLikeUtf8(c.text), c.utf8) << ::testing::PrintToString(c.text);
  std::size_t unmapped = 0;
  EXPECT_EQ(Utf8ToCp1252("\xE2\x86\x92 \xC3\xA4 \xF0\x9F\x98\x80 ?", &unmapped), "? \xE4 ? ?");
  EXPECT_EQ(unmapped, 2u);
}

}  // namespace
}  // namespace tavo
