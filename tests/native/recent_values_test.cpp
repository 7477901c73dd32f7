#include "framework/recent_values.h"

#include <gtest/gtest.h>

#include <string>

namespace huemira {
namespace {

TEST(RecentValues, KeepsTheMostRecentlyUsedAndForgetsTheOldest) {
  RecentValues<std::string, int> values(2);
  values.Put("a", 1);
  values.Put("b", 2);
  ASSERT_NE(values.Find("a"), nullptr);  // "a" is now the newest
  values.Put("c", 3);
  EXPECT_EQ(values.Find("b"), nullptr);
  EXPECT_EQ(*values.Find("a"), 1);
  EXPECT_EQ(*values.Find("c"), 3);
  values.Put("c", 4);  // a key put again replaces its value
  EXPECT_EQ(values.Size(), 2u);
  EXPECT_EQ(*values.Find("c"), 4);
}

}  // namespace
}  // namespace huemira
