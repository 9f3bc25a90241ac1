#include <gtest/gtest.h>

#include "tests/unit/gen_support.h"

#include <set>
#include <string>
#include <vector>

#include "games/vahy/cisla.h"

namespace {

using namespace tapo::games::vahy;
using tapo::core::Random;

int number(const std::string& s) { return tapo::testing::shown_number(s); }

struct Pan {
  std::string op;  // "" for a plain number, else " + ", " - ", " . ", " : "
  int value = 0;
  bool zero = false;
};

// Reads a pan's text, checks it against the level's rules and returns its
// kind, value and whether it shows a zero.
Pan read_pan(const std::string& text, int value, int level) {
  const int largest = largest_number(level);
  Pan p;
  for (const char* op : {" + ", " - ", " . ", " : "}) {
    const auto at = text.find(op);
    if (at == std::string::npos) continue;
    const int a = number(text.substr(0, at)), b = number(text.substr(at + 3));
    p.op = op;
    p.zero = a == 0 || b == 0;
    switch (op[1]) {
      case '+':
        EXPECT_LE(a + b, largest) << text;
        p.value = a + b;
        break;
      case '-':
        EXPECT_GE(a, b) << text;
        p.value = a - b;
        break;
      case '.':
        EXPECT_EQ(level, 3) << text;
        EXPECT_TRUE(a <= 10 && b <= 10) << text;
        p.value = a * b;
        break;
      default:
        EXPECT_EQ(level, 3) << text;
        EXPECT_TRUE(b >= 1 && b <= 10 && a % b == 0 && a / b <= 10) << text;
        p.value = b == 0 ? -1 : a / b;
        break;
    }
    EXPECT_EQ(p.value, value) << text;
    p.zero = p.zero || p.value == 0;
    return p;
  }
  p.value = number(text);
  EXPECT_LE(p.value, largest);
  EXPECT_EQ(p.value, value) << text;
  p.zero = p.value == 0;
  return p;
}

TEST(GenVahy, PansFollowTheLevelAndZerosComeOnlyAfterTenZeroFreePans) {
  for (int level = 1; level <= 3; ++level) {
    SCOPED_TRACE(level);
    std::set<std::string> kinds;
    std::set<int> plain_values;
    bool zero_after_a_run = false;
    for (int seed = 0; seed < 60; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed));
      int run = zero_free_run_start;
      int since_zero = -1;  // zero-free pans since the last zero; -1 before the first
      for (int pair = 0; pair < 100; ++pair) {
        const int before = run;
        const Par par = draw_pans(level, run, rng, static_cast<unsigned>(pair));
        int expected = before;
        for (const auto& [text, value] : {std::pair{par.left_text, par.left_value}, std::pair{par.right_text, par.right_value}}) {
          const Pan p = read_pan(text, value, level);
          kinds.insert(p.op);
          if (p.op.empty()) plain_values.insert(p.value);
          if (p.zero) {
            ASSERT_GE(expected, zero_free_threshold) << "a zero while the run was " << expected;
            if (since_zero >= 0) {
              ASSERT_GE(since_zero, 10);
              zero_after_a_run = true;
            }
            since_zero = 0;
            expected = 0;
          } else {
            if (since_zero >= 0) ++since_zero;
            ++expected;
          }
        }
        ASSERT_EQ(run, expected);
      }
    }
    EXPECT_TRUE(zero_after_a_run);
    std::set<int> all;
    for (int n = 0; n <= largest_number(level); ++n) all.insert(n);
    EXPECT_EQ(plain_values, all);
    EXPECT_EQ(kinds, (level == 3 ? std::set<std::string>{"", " + ", " - ", " . ", " : "}
                                : std::set<std::string>{"", " + ", " - "}));
  }
}

TEST(GenVahy, PansAreTakenAsDrawnUntilTheFirstZero) {
  // From the start value a zero may come at once, in the very first pair.
  int first_pair_zeros = 0;
  for (int seed = 0; seed < 400; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    int run = zero_free_run_start;
    const Par par = draw_pans(1, run, rng, 0);
    if (par.left_value == 0 || par.right_value == 0) ++first_pair_zeros;
  }
  EXPECT_GT(first_pair_zeros, 0);
}

TEST(GenVahy, TheRunStopsAtItsLargestValue) {
  Random rng(2);
  for (int i = 0; i < 50; ++i) {
    int run = 32767;
    draw_pans(3, run, rng, 0);
    ASSERT_TRUE(run == 32767 || run == 0 || run == 1) << run;
  }
}

}  // namespace
