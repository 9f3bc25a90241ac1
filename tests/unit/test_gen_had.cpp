#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "games/had/retez.h"

namespace {

using namespace tapo::games::had;
using tapo::core::Random;

// Reads a chain line such as "5 + 3 = 8 - 2 = ?" and checks that every link
// is right; returns the number of links.
::testing::AssertionResult chain_holds(const std::string& chain, int& links) {
  std::vector<std::string> t;
  for (std::size_t at = 0;;) {
    const auto blank = chain.find(' ', at);
    t.push_back(chain.substr(at, blank == std::string::npos ? std::string::npos : blank - at));
    if (blank == std::string::npos) break;
    at = blank + 1;
  }
  auto is_number = [](const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
  };
  if (t.size() < 5 || (t.size() - 1) % 4 != 0 || t.back() != "?")
    return ::testing::AssertionFailure() << "bad shape: '" << chain << "'";
  links = 0;
  for (std::size_t i = 0; i + 4 < t.size(); i += 4, ++links) {
    const std::string &a = t[i], &op = t[i + 1], &b = t[i + 2], &eq = t[i + 3], &r = t[i + 4];
    if (!is_number(a) || !is_number(b) || eq != "=" || (r != "?" && !is_number(r)))
      return ::testing::AssertionFailure() << "bad link at " << i << ": '" << chain << "'";
    if (r == "?") {
      if (i + 5 != t.size()) return ::testing::AssertionFailure() << "'?' inside: '" << chain << "'";
      ++links;
      break;
    }
    const int x = std::stoi(a), y = std::stoi(b), z = std::stoi(r);
    const bool right = op == "+" ? x + y == z : op == "-" ? x - y == z : op == "." ? x * y == z
                     : op == ":" ? y != 0 && x == y * z : false;
    if (!right) return ::testing::AssertionFailure() << "wrong link " << a << op << b << "=" << r;
  }
  return ::testing::AssertionSuccess();
}

TEST(GenHad, ChainsFollowTheRulesOfTheirLevel) {
  for (int level = 1; level <= 3; ++level) {
    SCOPED_TRACE(level);
    const auto [n, m] = meze(level);
    std::set<std::string> operations;
    std::set<int> starts;
    bool plus_after_zero = false, minus_after_m = false, zero_example = false;
    for (int seed = 0; seed < 150; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed));
      Retez r = start_chain(level, rng, static_cast<unsigned>(seed));
      ASSERT_TRUE(r.first_number >= 1 && r.first_number <= n);
      starts.insert(r.first_number);
      ASSERT_EQ(r.chain, std::to_string(r.first_number) + " " + r.operation + " " +
                             std::to_string(r.second_number) + " = ?");
      int streak = 0;  // plain examples in a row before this one
      for (int step = 1; step <= 46; ++step) {
        const int a = r.first_number, b = r.second_number;
        const std::string& op = r.operation;
        operations.insert(op);
        if (level < 3) { ASSERT_TRUE(op == "+" || op == "-") << op; }
        if (a > 10) { ASSERT_NE(op, "."); }
        if (a == 0) {
          ASSERT_EQ(op, "+");
          plus_after_zero = true;
        }
        if (a == m) {
          ASSERT_EQ(op, "-");
          minus_after_m = true;
        }
        ASSERT_TRUE(r.result >= 0 && r.result <= m) << a << op << b;
        if (op == ".") { ASSERT_LE(b, n); }
        if (op == ":") { ASSERT_TRUE(b >= 1 && b <= 10 && r.result <= 10 && a == b * r.result) << a << op << b; }
        const bool zero = b == 0 || r.result == 0;
        if (step <= 7) { ASSERT_FALSE(zero) << "a zero among the first seven of a chain"; }
        if (zero) {
          ASSERT_GE(streak, plain_needed);
          zero_example = true;
        }
        streak = zero ? 0 : streak + 1;
        ASSERT_EQ(r.plain_streak, streak);

        if (step == 46) break;
        // The child types the right answer in place of "?", and the chain goes on.
        r.chain.pop_back();
        r.chain += std::to_string(r.result);
        const std::string before = r.chain;
        const int result = r.result;
        continue_chain(r, level, rng, static_cast<unsigned>(seed));
        ASSERT_EQ(r.first_number, result);  // each result starts the next example
        ASSERT_EQ(r.chain.substr(0, before.size()), before);
      }
      int links = 0;
      ASSERT_TRUE(chain_holds(r.chain, links));
      ASSERT_EQ(links, 46);
    }
    std::set<int> all_starts;
    for (int i = 1; i <= n; ++i) all_starts.insert(i);
    EXPECT_EQ(starts, all_starts);
    EXPECT_EQ(operations, (level == 3 ? std::set<std::string>{"+", "-", ".", ":"} : std::set<std::string>{"+", "-"}));
    EXPECT_TRUE(plus_after_zero);
    EXPECT_TRUE(minus_after_m);
    EXPECT_TRUE(zero_example);
  }
}

}  // namespace
