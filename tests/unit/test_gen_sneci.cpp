#include <gtest/gtest.h>

#include <set>
#include <string>

#include "games/sneci/priklad.h"

namespace {

using namespace tapo::games::sneci;
using tapo::core::Random;

TEST(GenSneci, MissingNumberIsZeroToTenNeverTheSameTwiceAndTheExampleHolds) {
  for (int level = 1; level <= 3; ++level) {
    SCOPED_TRACE(level);
    const int largest = level == 1 ? 10 : level == 2 ? 20 : 100;
    std::set<int> answers;
    std::set<std::pair<std::string, int>> kinds;  // (sign, place)
    int sum_above_ten_with_second_missing = 0;
    bool zero_after_a_run = false;
    for (int seed = 0; seed < 40; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed));
      int previous = 0, run = zero_free_run_start;
      int since_zero = -1;
      for (int i = 0; i < 100; ++i) {
        const int prev_before = previous, run_before = run;
        const Priklad p = draw_example(level, previous, run, rng, static_cast<unsigned>(i));
        const int m = p.answer_number, l = p.leve_cislo, r = p.prave_cislo;
        ASSERT_TRUE(m >= 0 && m <= 10) << m;
        ASSERT_NE(m, prev_before);
        ASSERT_EQ(previous, m);
        ASSERT_TRUE(p.place == 1 || p.place == 2);
        if (level == 1) { ASSERT_EQ(p.place, 1); }
        kinds.insert({p.znamenko, p.place});
        answers.insert(m);
        // place 1: l op r = m; place 2: l op m = r.
        const int x = l, y = p.place == 1 ? r : m, z = p.place == 1 ? m : r;
        ASSERT_TRUE(l >= 0 && r >= 0);
        if (p.znamenko == "+") {
          ASSERT_EQ(x + y, z);
          ASSERT_LE(z, largest);
          if (p.place == 2 && z > 10) ++sum_above_ten_with_second_missing;
        } else if (p.znamenko == "-") {
          ASSERT_EQ(x - y, z);
          ASSERT_LE(x, largest);
        } else if (p.znamenko == ".") {
          ASSERT_EQ(level, 3);
          ASSERT_EQ(p.place, 2);  // the second factor is always the one missing
          ASSERT_EQ(x * y, z);
          ASSERT_TRUE(l >= 1 && l <= 10 && m >= 1);
        } else {
          ASSERT_EQ(p.znamenko, ":");
          ASSERT_EQ(level, 3);
          ASSERT_GE(y, 1);  // never by 0
          ASSERT_EQ(x, y * z);  // whole
          ASSERT_LE(std::max(y, z), 10);
        }
        const bool zero = l == 0 || r == 0 || m == 0;
        if (zero) {
          ASSERT_GE(run_before, zero_free_threshold);
          ASSERT_EQ(run, 0);
          if (since_zero >= 0) {
            ASSERT_GE(since_zero, 7);
            zero_after_a_run = true;
          }
          since_zero = 0;
        } else {
          ASSERT_EQ(run, run_before + 1);
          if (since_zero >= 0) ++since_zero;
        }
      }
    }
    EXPECT_TRUE(zero_after_a_run);
    EXPECT_EQ(answers, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    std::set<std::pair<std::string, int>> expected{{"+", 1}, {"-", 1}};
    if (level > 1) expected.insert({{"+", 2}, {"-", 2}});
    if (level == 3) expected.insert({{".", 2}, {":", 1}, {":", 2}});
    EXPECT_EQ(kinds, expected);
    if (level > 1) { EXPECT_GT(sum_above_ten_with_second_missing, 0); }
  }
}

TEST(GenSneci, TheFirstExamplesOfAVisitHaveNoZero) {
  for (int seed = 0; seed < 500; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    int previous = 0, run = zero_free_run_start;
    for (int i = 0; i < 7; ++i) {
      const Priklad p = draw_example(1 + seed % 3, previous, run, rng, 0);
      ASSERT_NE(p.answer_number, 0);
      ASSERT_NE(p.leve_cislo, 0);
      ASSERT_NE(p.prave_cislo, 0);
    }
    ASSERT_EQ(run, 7);
  }
}

}  // namespace
