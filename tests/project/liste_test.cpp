#include <gtest/gtest.h>

#include "project/liste.h"

namespace tavo {
namespace {

TEST(NextToken, SplitsOutsideQuotesAndKeepsQuotes) {
  std::string rest = "12;\"a;b\";3)";
  EXPECT_EQ(t_liste::NextToken(rest), "12");
  EXPECT_EQ(t_liste::NextToken(rest), "\"a;b\"");
  EXPECT_EQ(t_liste::NextToken(rest), "3");
  EXPECT_EQ(rest, "");
}

}  // namespace
}  // namespace tavo
