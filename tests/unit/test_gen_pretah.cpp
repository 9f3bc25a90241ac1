#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>

#include "games/pretah/priklad.h"

namespace {

using namespace tapo::games::pretah;
using tapo::core::Random;

// a op b, or nullopt where it is not a whole number.
std::optional<int> apply(int a, char op, int b) {
  switch (op) {
    case '+':
      return a + b;
    case '-':
      return a - b;
    case '.':
      return a * b;
    default:
      if (b == 0 || a % b != 0) return std::nullopt;
      return a / b;
  }
}

TEST(GenPretah, ExamplesFollowTheLevelAndTheZeroRun) {
  for (int level = 1; level <= 3; ++level) {
    SCOPED_TRACE(level);
    const int largest = largest_number(level);
    std::set<std::string> operations, comparison_signs;
    int comparisons = 0, total = 0;
    bool zero_after_a_run = false;
    for (int seed = 0; seed < 40; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed));
      int run = zero_free_run_start;
      int since_zero = -1;
      for (int i = 0; i < 100; ++i) {
        const int before = run;
        const Priklad p = draw_example(level, run, rng, static_cast<unsigned>(i));
        ++total;
        ASSERT_EQ(p.operation.size(), 1u);
        const char op = p.operation[0];
        operations.insert(p.operation);
        const int a = p.number_a, b = p.number_b;
        const auto v = apply(a, op, b);
        ASSERT_TRUE(v.has_value()) << a << op << b;
        ASSERT_GE(*v, 0);
        ASSERT_LE(*v, largest);
        ASSERT_TRUE(a >= 0 && b >= 0 && a <= largest && b <= largest);
        if (op == '.' || op == ':') {
          ASSERT_EQ(level, 3);
          ASSERT_LE(std::max(op == '.' ? a : *v, b), 10);
        }
        if (op == ':') { ASSERT_GE(std::min(b, *v), 1); }
        ASSERT_EQ(p.cells[0], std::to_string(a));
        ASSERT_EQ(p.cells[2], std::to_string(b));
        ASSERT_EQ(p.cells[4], std::to_string(p.number_r));

        const bool zero = a == 0 || b == 0 || *v == 0;
        if (zero) {
          ASSERT_GE(before, zero_free_threshold);
          if (since_zero >= 0) {
            ASSERT_GE(since_zero, 7);
            zero_after_a_run = true;
          }
          since_zero = 0;
          ASSERT_EQ(run, 0);
        } else {
          if (since_zero >= 0) ++since_zero;
          ASSERT_EQ(run, before + 1);
        }

        if (p.comparison) {
          ++comparisons;
          ASSERT_GT(level, 1);
          ASSERT_EQ(p.mark_cell, 3);
          ASSERT_EQ(p.cells[1], p.operation);
          ASSERT_EQ(p.cells[3], "");
          ASSERT_TRUE(p.number_r >= 0 && p.number_r <= largest);
          ASSERT_EQ(p.answer, *v < p.number_r ? "<" : *v > p.number_r ? ">" : "=");
          comparison_signs.insert(p.answer);
        } else {
          ASSERT_EQ(p.mark_cell, 1);
          ASSERT_EQ(p.cells[1], "");
          ASSERT_EQ(p.cells[3], "=");
          ASSERT_EQ(p.number_r, *v);
          // The drawn operator is always accepted, and every accepted one is right.
          ASSERT_NE(p.answer.find(op), std::string::npos);
          for (char s : p.answer) ASSERT_EQ(apply(a, s, b), p.number_r) << a << s << b << "=" << p.number_r;
        }
      }
    }
    EXPECT_TRUE(zero_after_a_run);
    EXPECT_EQ(operations, (level == 3 ? std::set<std::string>{"+", "-", ".", ":"} : std::set<std::string>{"+", "-"}));
    if (level == 1) {
      EXPECT_EQ(comparisons, 0);
    } else {
      EXPECT_EQ(comparison_signs, (std::set<std::string>{"<", "=", ">"}));
      EXPECT_NEAR(static_cast<double>(comparisons) / total, 0.3, 0.05);
    }
  }
}

TEST(GenPretah, SeveralRightOperatorsAreAcceptedOnlyWhereTheRulesSay) {
  // (a, b, r) -> the accepted operators, for every example in operator mode.
  const std::map<std::tuple<int, int, int>, std::string> sets{
      {{5, 1, 5}, ".:"}, {{3, 0, 3}, "+-"}, {{0, 0, 0}, "+-."}, {{4, 2, 2}, "-:"}, {{2, 2, 4}, "+."}};
  std::set<std::tuple<int, int, int>> seen;
  bool zero_product_seen = false;
  for (int seed = 0; seed < 2000; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    int run = zero_free_run_start;  // zeros are allowed until the first one
    const int level = seed % 2 == 0 ? 1 : 3;
    for (int i = 0; i < 6; ++i) {
      const Priklad p = draw_example(level, run, rng, static_cast<unsigned>(seed));
      if (p.comparison) continue;
      const int a = p.number_a, b = p.number_b, r = p.number_r;
      std::string expected = p.operation;
      if (b == 1 && a == r) expected = ".:";
      if (b == 0 && a == r) expected = "+-";
      if (a == 0 && b == 0 && r == 0) expected = "+-.";
      const auto known = sets.find({a, b, r});
      if (known != sets.end()) {
        EXPECT_EQ(p.answer, known->second) << a << " ? " << b << " = " << r;
        seen.insert(known->first);
      } else {
        EXPECT_EQ(p.answer, expected) << a << " ? " << b << " = " << r;
      }
      if (a == 0 && b > 1 && r == 0) {
        // 0 ? 5 = 0 fits "." and ":" alike, but only the drawn one counts.
        EXPECT_EQ(p.answer, p.operation);
        zero_product_seen = true;
      }
    }
  }
  for (const auto& [abr, answer] : sets) {
    EXPECT_EQ(seen.count(abr), 1u) << std::get<0>(abr) << " ? " << std::get<1>(abr) << " = " << std::get<2>(abr);
  }
  EXPECT_TRUE(zero_product_seen);
}

TEST(GenPretah, TheRunStopsAtItsLargestValue) {
  Random rng(8);
  for (int i = 0; i < 50; ++i) {
    int run = 32767;
    draw_example(2, run, rng, 0);
    ASSERT_TRUE(run == 32767 || run == 0) << run;
  }
}

}  // namespace
