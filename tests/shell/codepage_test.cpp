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

}  // namespace
}  // namespace tavo
