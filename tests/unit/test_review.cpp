// The review's facts: one normal form for the ways the games ask the same
// fact, and no fact where an example is none.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "players/review.h"

namespace {

using tapo::players::review::fact_of;

TEST(Review, TheWaysOfAskingOneFactAreOneFact) {
  for (const auto& [example, expected] : std::initializer_list<std::pair<const char*, const char*>>{
           {"7 + 5 = ?", "12"}, {"5 + 7 = ?", "12"}, {"? + 5 = 12", "7"}, {"7 + ? = 12", "5"}, {"7 ? 5 = 12", "+"},
           {"5 + 7", "12"}})
    EXPECT_EQ(fact_of(example, expected), "5 + 7") << example;
  EXPECT_EQ(fact_of("12 - 5 = ?", "7"), "12 - 5");
  EXPECT_EQ(fact_of("12 - ? = 7", "5"), "12 - 5");
  EXPECT_EQ(fact_of("? - 5 = 7", "12"), "12 - 5");
  EXPECT_EQ(fact_of("12 ? 5 = 7", "-"), "12 - 5");
  EXPECT_EQ(fact_of("4 . 3 = ?", "12"), fact_of("3 · 4 = ?", "12"));
  EXPECT_EQ(fact_of("12 : ? = 4", "3"), "12 : 3");
  EXPECT_EQ(fact_of("6 ? 2 = 3", ".:"), std::nullopt) << "6 · 2 is not 3";
  EXPECT_EQ(fact_of("12 ? 9", ">"), "9 ? 12");
  EXPECT_EQ(fact_of("9 ? 12", "<"), "9 ? 12");
  EXPECT_EQ(fact_of("4 + 3 ? 9", "<"), "3 + 4 ? 9");
  EXPECT_EQ(fact_of("9 ? 3 + 4", ">"), "3 + 4 ? 9");
}

TEST(Review, ASumOfMoreACountOrACardIsNoFact) {
  EXPECT_EQ(fact_of("1 + 2 + 1 + 4 = ?", "8"), std::nullopt);
  EXPECT_EQ(fact_of("how many rose? (2 figures)", "2"), std::nullopt);
  EXPECT_EQ(fact_of("the smallest bubble left (3)", "3"), std::nullopt);
  EXPECT_EQ(fact_of("5", "5"), std::nullopt);
  EXPECT_EQ(fact_of("7 + 5 = 13", "13"), std::nullopt);
}

}  // namespace
