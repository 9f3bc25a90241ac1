#include <gtest/gtest.h>

#include "tests/unit/gen_support.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "games/pexeso/priklady.h"

namespace {

using namespace tapo::games::pexeso;
using tapo::core::Random;

int number(const std::string& s) { return tapo::testing::shown_number(s); }

struct Example {
  char op = 0;
  int a = 0, b = 0, value = -1;
};

Example read_example(const std::string& text) {
  Example e;
  for (const char* op : {" + ", " - ", " . ", " : "}) {
    const auto at = text.find(op);
    if (at == std::string::npos) continue;
    e.op = op[1];
    e.a = number(text.substr(0, at));
    e.b = number(text.substr(at + 3));
    switch (e.op) {
      case '+':
        e.value = e.a + e.b;
        break;
      case '-':
        e.value = e.a - e.b;
        break;
      case '.':
        e.value = e.a * e.b;
        break;
      default:
        e.value = e.b != 0 && e.a % e.b == 0 ? e.a / e.b : -1;
        break;
    }
  }
  return e;
}

TEST(GenPexeso, DealsHaveTenDifferentRightResultsAndAtMostOneEarlyZero) {
  for (int level = 1; level <= 3; ++level) {
    SCOPED_TRACE(level);
    const int limit = level == 1 ? 10 : level == 2 ? 20 : 100;
    std::set<char> kinds;
    std::set<int> results;
    bool tenth_zero_with_another = false;
    for (int seed = 0; seed < 700; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed));
      const Rozdani deal = deal_cards(level, rng, static_cast<unsigned>(seed) * 5u);
      std::set<int> distinct(deal.result.begin(), deal.result.end());
      ASSERT_EQ(distinct.size(), 10u) << "two examples with one result";
      int early_zeros = 0;
      for (std::size_t i = 0; i < 10; ++i) {
        const Example e = read_example(deal.example_text[i]);
        ASSERT_NE(e.op, 0) << deal.example_text[i];
        ASSERT_EQ(e.value, deal.result[i]) << deal.example_text[i];
        kinds.insert(e.op);
        results.insert(e.value);
        switch (e.op) {
          case '+':
            ASSERT_LE(e.value, limit);
            break;
          case '-':
            ASSERT_GE(e.value, 0);
            ASSERT_LE(e.a, limit);
            break;
          case '.':
            ASSERT_EQ(level, 3);
            ASSERT_TRUE(e.a <= 10 && e.b <= 10);
            break;
          default:
            ASSERT_EQ(level, 3);
            ASSERT_TRUE(e.b >= 1 && e.b <= 10 && e.value >= 1 && e.value <= 10) << deal.example_text[i];
            break;
        }
        const bool zero = e.a == 0 || e.b == 0 || e.value == 0;
        if (i < 9) {
          early_zeros += zero;
        } else if (zero && early_zeros == 1) {
          tenth_zero_with_another = true;
        }
      }
      ASSERT_LE(early_zeros, 1);
    }
    EXPECT_EQ(kinds, (level == 3 ? std::set<char>{'+', '-', '.', ':'} : std::set<char>{'+', '-'}));
    if (level < 3) {
      std::set<int> all;
      for (int n = 0; n <= limit; ++n) all.insert(n);
      EXPECT_EQ(results, all);
    }
    if (level == 1) {
      EXPECT_TRUE(tenth_zero_with_another);  // example 10 is not held to the zero rule
    }
  }
}

TEST(GenPexeso, EveryResultCardHasExactlyOneExampleCard) {
  for (int seed = 0; seed < 500; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    const Rozdani deal = deal_cards(1 + seed % 3, rng, 0);
    std::map<std::string, std::vector<Karta>> by_key;
    for (const Karta& k : deal.karty) by_key[k.key].push_back(k);
    ASSERT_EQ(by_key.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i) {
      const std::string key = std::to_string(deal.result[i]);
      ASSERT_EQ(by_key[key].size(), 2u) << key;
      // One card shows the result, the other the example that gives it.
      const std::vector<Karta>& pair = by_key[key];
      ASSERT_TRUE(std::count(pair.begin(), pair.end(), Karta{key, key}) == 1);
      ASSERT_TRUE(std::count(pair.begin(), pair.end(), Karta{deal.example_text[i], key}) == 1);
    }
  }
}

TEST(GenPexeso, ShufflingMovesCardsButKeepsEveryPair) {
  std::array<Karta, 20> start;
  for (int i = 0; i < 20; ++i) start[static_cast<std::size_t>(i)] = {"t" + std::to_string(i), "k" + std::to_string(i % 10)};
  std::map<std::string, std::set<int>> places;  // where each card ended up
  int unchanged = 0;
  for (int seed = 0; seed < 400; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    std::array<Karta, 20> cards = start;
    shuffle_cards(cards, rng, 99);
    std::vector<Karta> a(cards.begin(), cards.end()), b(start.begin(), start.end());
    auto less = [](const Karta& x, const Karta& y) { return std::tie(x.text, x.key) < std::tie(y.text, y.key); };
    std::sort(a.begin(), a.end(), less);
    std::sort(b.begin(), b.end(), less);
    ASSERT_EQ(a, b) << "a text came apart from its key";
    unchanged += cards == start;
    for (int i = 0; i < 20; ++i) places[cards[static_cast<std::size_t>(i)].text].insert(i);
  }
  EXPECT_EQ(unchanged, 0);
  for (const auto& [text, where] : places) EXPECT_EQ(where.size(), 20u) << text;
}

}  // namespace
