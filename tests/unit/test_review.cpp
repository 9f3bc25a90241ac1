// The review's facts: one normal form for the ways the games ask the same
// fact, and no fact where an example is none.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include <map>

#include "games/dril/priklady.h"
#include "games/pexeso/priklady.h"
#include "games/pretah/priklad.h"
#include "games/vahy/cisla.h"
#include "players/review.h"

namespace {

using tapo::players::review::fact_of;
using tapo::players::review::Fact;
using tapo::players::review::parse_fact;

Fact fact(const char* text) {
  const auto f = parse_fact(text);
  EXPECT_TRUE(f.has_value()) << text;
  return f.value_or(Fact{});
}

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

// A game poses a fact of the review only where its level asks such examples:
// the tug's operators and numbers, its comparisons from level 2; the scales'
// pans.
TEST(Review, AGamePosesOnlyTheFactsItsLevelAsks) {
  namespace pretah = tapo::games::pretah;
  EXPECT_FALSE(pretah::example_of(fact("5 + 7"), 1)) << "12 is beyond level 1's 10";
  EXPECT_FALSE(pretah::example_of(fact("3 · 4"), 2)) << "no products before level 3";
  EXPECT_FALSE(pretah::example_of(fact("3 + 4 ? 9"), 1)) << "no comparisons at level 1";
  EXPECT_FALSE(pretah::example_of(fact("9 ? 12"), 3)) << "the tug compares an example with a number";
  const auto sum = pretah::example_of(fact("3 + 4"), 1);
  ASSERT_TRUE(sum);
  EXPECT_EQ(sum->cells, (std::array<std::string, 5>{"3", "", "4", "=", "7"}));
  EXPECT_EQ(sum->answer, "+");
  const auto compared = pretah::example_of(fact("9 ? 3 + 8"), 2);
  ASSERT_TRUE(compared);
  EXPECT_EQ(compared->cells, (std::array<std::string, 5>{"3", "+", "8", "", "9"}));
  EXPECT_EQ(compared->answer, ">");
  const auto quotient = pretah::example_of(fact("20 : 4"), 3);
  ASSERT_TRUE(quotient);
  EXPECT_EQ(quotient->answer, ":");

  namespace vahy = tapo::games::vahy;
  EXPECT_FALSE(vahy::pans_of(fact("5 + 7"), 3)) << "the scales compare";
  EXPECT_FALSE(vahy::pans_of(fact("9 ? 12"), 1));
  const auto pans = vahy::pans_of(fact("12 : 3 ? 5"), 3);
  ASSERT_TRUE(pans);
  EXPECT_EQ(pans->left_text, "12 : 3");
  EXPECT_EQ(vahy::right_sign(*pans), "<");
}

// Three due facts dealt among the memory cards: they come first, the deal
// still has ten pairs with ten different results, each example's card
// carrying its own result; a fact the level does not deal is left out.
TEST(Review, AMemoryDealWithDueFactsStillHasTenPairs) {
  tapo::core::Random rng(12345);
  const std::vector<Fact> due = {fact("3 · 4"), fact("5 + 7"), fact("15 - 6"), fact("2 + 9"), fact("4 + 4")};
  for (std::uint64_t clock : {1u, 2u, 3u}) {
    const auto deal = tapo::games::pexeso::deal_cards(2, rng, clock, due);
    EXPECT_EQ(deal.example_text[0], "5 + 7");
    EXPECT_EQ(deal.example_text[1], "15 - 6");
    EXPECT_EQ(deal.example_text[2], "2 + 9");
    EXPECT_EQ(std::count(deal.from_review.begin(), deal.from_review.end(), true), 3);
    std::map<std::string, int> cards_of;
    for (const auto& card : deal.karty) ++cards_of[card.key];
    EXPECT_EQ(cards_of.size(), 10u);
    for (const auto& [key, n] : cards_of) EXPECT_EQ(n, 2) << key;
    for (std::size_t i = 0; i < 10; ++i)
      EXPECT_EQ(fact(deal.example_text[i].c_str()).left.value(), deal.result[i]) << deal.example_text[i];
  }
}

// Tapo's page: the due facts the level asks, each in its row form, then sums
// and differences of the level with at most one zero among them.
TEST(Review, TapoPageAsksTheDueFactsFirstAndFillsUpWithTheLevel) {
  namespace dril = tapo::games::dril;
  tapo::core::Random rng(777);
  const std::vector<Fact> due = {fact("5 + 7"), fact("3 · 4"), fact("9 ? 12"), fact("12 - 5"), fact("3 + 4 ? 9")};
  for (std::uint64_t clock : {5u, 6u, 7u}) {
    const dril::Stranka page = dril::review_page(due, 2, rng, clock);
    EXPECT_EQ(page.from_review, (std::array<bool, 10>{true, true, true, true}));
    EXPECT_EQ(page.results[0], 12);
    EXPECT_EQ(page.signs[1], "<") << "9 ? 12, in its sign row";
    EXPECT_TRUE(page.radky[1].comparison());
    EXPECT_EQ(page.results[2], 7);
    EXPECT_EQ(page.radky[3].t1 + " ? " + page.radky[3].t2, "3 + 4 ? 9");
    int zeros = 0;
    for (std::size_t row = 4; row < 10; ++row) {
      const dril::Radek& r = page.radky[row];
      ASSERT_FALSE(r.comparison());
      const int a = std::stoi(r.t1), b = std::stoi(r.t2);
      EXPECT_EQ(page.results[row], r.operace == " + " ? a + b : a - b) << r.t1 << r.operace << r.t2;
      EXPECT_LE(page.results[row], 20);
      zeros += a == 0 || b == 0 || page.results[row] == 0;
    }
    EXPECT_LE(zeros, 1);
  }
}

}  // namespace
