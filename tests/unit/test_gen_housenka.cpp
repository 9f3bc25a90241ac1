#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "games/housenka/cisla.h"

namespace {

using namespace tapo::games::housenka;
using tapo::core::Random;

int number(const std::string& s) {
  EXPECT_FALSE(s.empty());
  EXPECT_EQ(s.find_first_not_of("0123456789"), std::string::npos) << s;
  EXPECT_TRUE(s.size() == 1 || s[0] != '0') << s;
  return std::stoi(s);
}

struct Parsed {
  char op = 0;  // 0: a plain number
  int a = 0, b = 0;
};

Parsed parse(const std::string& text) {
  Parsed p;
  const auto at = text.find_first_of("+-.:");
  if (at == std::string::npos) {
    p.a = number(text);
    return p;
  }
  p.op = text[at];
  p.a = number(text.substr(0, at));
  p.b = number(text.substr(at + 1));
  return p;
}

TEST(GenHousenka, BubblesFollowTheLevelAndCarryAtMostTheAllowedExamples) {
  for (int level = 1; level <= 3; ++level) {
    SCOPED_TRACE(level);
    const int largest = level == 1 ? 10 : level == 2 ? 20 : 99;
    std::set<char> kinds;
    std::set<int> plain_values, example_counts;
    for (int seed = 0; seed < 2000; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed));
      const Rada rada = draw_row(level, rng, static_cast<unsigned>(seed) * 3u);
      int examples = 0;
      std::vector<int> values;
      for (const Bublina& b : rada.bubliny) {
        const Parsed p = parse(b.text);
        ASSERT_EQ(b.example, p.op != 0) << b.text;
        examples += b.example;
        kinds.insert(p.op);
        values.push_back(b.value);
        switch (p.op) {
          case 0:
            ASSERT_EQ(b.value, p.a);
            ASSERT_LE(b.value, largest);
            plain_values.insert(b.value);
            break;
          case '+':
            ASSERT_GE(std::min(p.a, p.b), 1);
            ASSERT_LE(p.a + p.b, level == 2 ? 20 : 99);
            ASSERT_EQ(b.value, p.a + p.b);
            break;
          case '-':
            ASSERT_GE(p.b, 1);
            ASSERT_LE(p.b, p.a);
            ASSERT_LE(p.a, level == 2 ? 20 : 99);
            ASSERT_EQ(b.value, p.a - p.b);
            break;
          case '.':
            ASSERT_EQ(level, 3);
            ASSERT_TRUE(p.a >= 1 && p.a <= 5 && p.b >= 1 && p.b <= 5) << b.text;
            ASSERT_EQ(b.value, p.a * p.b);
            break;
          default:
            ASSERT_EQ(level, 3);
            ASSERT_TRUE(p.b >= 1 && p.b <= 5 && p.a % p.b == 0 && p.a / p.b >= 1 && p.a / p.b <= 5) << b.text;
            ASSERT_EQ(b.value, p.a / p.b);
            break;
        }
        ASSERT_TRUE(b.value >= 0 && b.value <= 99);
      }
      ASSERT_LE(examples, expression_limit(level));
      example_counts.insert(examples);

      // The popping order holds every value once, smallest first.
      std::sort(values.begin(), values.end());
      ASSERT_EQ(rada.seradiste.polozky().size(), 10u);
      for (int rank = 1; rank <= 10; ++rank) ASSERT_EQ(rada.seradiste.hodnota(rank), values[rank - 1]);
    }
    std::set<int> all_plain;
    for (int n = 0; n <= largest; ++n) all_plain.insert(n);
    EXPECT_EQ(plain_values, all_plain);
    // Rows reach the limit, and rows with fewer examples occur too.
    EXPECT_EQ(*example_counts.rbegin(), expression_limit(level));
    if (level > 1) { EXPECT_LT(*example_counts.begin(), expression_limit(level)); }
    const std::set<char> expected_kinds = level == 1   ? std::set<char>{0}
                                          : level == 2 ? std::set<char>{0, '+', '-'}
                                                       : std::set<char>{0, '+', '-', '.', ':'};
    EXPECT_EQ(kinds, expected_kinds);
  }
}

TEST(GenHousenka, PoppingOrderUsesTwoDigitKeys) {
  Seradiste s;
  for (int v : {15, 7, 0, 99, 7, 10, 9}) s.pridej(v);
  EXPECT_EQ(s.polozky(), (std::vector<std::string>{"00", "07", "07", "09", "10", "15", "99"}));
  EXPECT_EQ(s.hodnota(1), 0);
  EXPECT_EQ(s.hodnota(3), 7);
  EXPECT_EQ(s.hodnota(7), 99);
  EXPECT_EQ(s.hodnota(0), -1);
  EXPECT_EQ(s.hodnota(8), -1);
  s.vyprazdni();
  EXPECT_TRUE(s.polozky().empty());
}

TEST(GenHousenka, ASubtractionOfEqualNumbersIsWorthZero) {
  bool seen = false;
  for (int seed = 0; seed < 3000 && !seen; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    const Rada rada = draw_row(2, rng, 0);
    for (const Bublina& b : rada.bubliny) {
      const Parsed p = parse(b.text);
      if (p.op == '-' && p.a == p.b) {
        EXPECT_EQ(b.value, 0);
        EXPECT_EQ(rada.seradiste.hodnota(1), 0);
        seen = true;
      }
    }
  }
  EXPECT_TRUE(seen);
}

}  // namespace
