#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "games/dril/priklady.h"

namespace {

using namespace tapo::games::dril;
using tapo::core::Random;

// A number as printed: decimal digits only, no blanks, no sign.
std::optional<int> number(const std::string& s) {
  if (s.empty() || s.size() > 3 || s.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  if (s.size() > 1 && s[0] == '0') return std::nullopt;
  return std::stoi(s);
}

struct Side {
  std::vector<int> numbers;
  std::string op;  // "" for a plain number
  int value = 0;
};

// "7", "3 + 4", "9 - 2", "2 . 3" or "12 : 4"; the operation must be valid:
// no negative difference, a whole division by a divisor other than 0.
::testing::AssertionResult parse_side(const std::string& s, Side& side) {
  for (const char* op : {" + ", " - ", " . ", " : "}) {
    const auto at = s.find(op);
    if (at == std::string::npos) continue;
    const auto a = number(s.substr(0, at)), b = number(s.substr(at + 3));
    if (!a || !b) return ::testing::AssertionFailure() << "bad side '" << s << "'";
    side.numbers = {*a, *b};
    side.op = op;
    switch (op[1]) {
      case '+':
        side.value = *a + *b;
        break;
      case '-':
        if (*a < *b) return ::testing::AssertionFailure() << "negative difference " << s;
        side.value = *a - *b;
        break;
      case '.':
        side.value = *a * *b;
        break;
      default:
        if (*b == 0 || *a % *b != 0) return ::testing::AssertionFailure() << "bad division " << s;
        side.value = *a / *b;
        break;
    }
    return ::testing::AssertionSuccess();
  }
  const auto n = number(s);
  if (!n) return ::testing::AssertionFailure() << "bad number '" << s << "'";
  side.numbers = {*n};
  side.value = *n;
  return ::testing::AssertionSuccess();
}

struct Combo {
  Family family;
  int type;
  int level;
};

std::vector<Combo> all_combos() {
  std::vector<Combo> combos;
  for (int level = 1; level <= 3; ++level)
    for (int type = 1; type <= 10; ++type) combos.push_back({Family::PlusMinus, type, level});
  for (int type = 1; type <= 10; ++type) combos.push_back({Family::TimesDivide, type, 3});
  return combos;
}

// The operation text and the place of "Z" (1, 2 or 3) of each arithmetic type.
std::pair<std::string, int> arithmetic_shape(Family family, int type) {
  const bool plus = family == Family::PlusMinus;
  const std::string first = plus ? " + " : " . ", second = plus ? " - " : " : ";
  switch (type) {
    case 1:
      return {first, 3};
    case 2:
      return {second, 3};
    case 4:
      return {first, 2};
    case 5:
      return {second, 2};
    case 6:
      return {first, 1};
    default:
      return {second, 1};
  }
}

// The operation texts of the two sides of each comparison type.
std::pair<std::string, std::string> comparison_shape(Family family, int type) {
  if (type == 3) return {"", ""};
  if (family == Family::PlusMinus) {
    if (type == 8) return {" + ", " + "};
    if (type == 9) return {" - ", " - "};
    return {" + ", " - "};
  }
  if (type == 8) return {" . ", " . "};
  if (type == 9) return {" . ", " : "};
  return {" : ", " : "};
}

constexpr int kPages = 200;

TEST(GenDril, EveryRowOfEveryTypeIsRightAndWithinItsRange) {
  for (const Combo c : all_combos()) {
    SCOPED_TRACE(std::string(family_name(c.family)) + " type " + std::to_string(c.type) + " level " +
                 std::to_string(c.level));
    const bool plus = c.family == Family::PlusMinus;
    const int range = range_max(c.level);
    std::set<std::string> signs;
    std::set<int> answers;
    int pages_with_zero = 0;
    for (int seed = 0; seed < kPages; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed * 7919 + c.type));
      const Stranka page = draw_page(c.family, c.type, c.level, rng, 100000u + static_cast<unsigned>(seed));
      int zero_rows = 0;
      for (std::size_t row = 0; row < 10; ++row) {
        const Radek& r = page.radky[row];
        bool zero = false;
        auto all_in_range = [&](const Side& s) {
          for (int n : s.numbers) {
            zero = zero || n == 0;
            if (plus) { EXPECT_LE(n, range) << r.t1 << r.operace << r.t2; }
          }
        };
        if (je_porovnani(c.type)) {
          ASSERT_TRUE(r.comparison());
          ASSERT_EQ(r.operace + r.t3, "");
          ASSERT_EQ(page.results[row], 0);
          Side left, right;
          ASSERT_TRUE(parse_side(r.t1, left));
          ASSERT_TRUE(parse_side(r.t2, right));
          ASSERT_EQ(std::make_pair(left.op, right.op), comparison_shape(c.family, c.type)) << r.t1 << " | " << r.t2;
          all_in_range(left);
          all_in_range(right);
          if (plus) {
            ASSERT_LE(left.value, range);
            ASSERT_LE(right.value, range);
          } else if (c.type != 3) {
            for (const Side* s : {&left, &right}) {
              if (s->op == " . ") { ASSERT_LE(std::max(s->numbers[0], s->numbers[1]), 10); }
              if (s->op == " : ") { ASSERT_LE(std::max(s->value, s->numbers[1]), 10); }
            }
          }
          const std::string expected = left.value > right.value ? ">" : left.value < right.value ? "<" : "=";
          ASSERT_EQ(page.signs[row], expected) << r.t1 << " <=> " << r.t2;
          signs.insert(page.signs[row]);
        } else {
          const auto [op, z_place] = arithmetic_shape(c.family, c.type);
          ASSERT_EQ(r.operace, op);
          ASSERT_EQ(page.signs[row], "");
          const std::string* terms[] = {&r.t1, &r.t2, &r.t3};
          int z_count = 0;
          for (const std::string* t : terms) z_count += t->empty();
          ASSERT_EQ(z_count, 1);
          ASSERT_TRUE(terms[z_place - 1]->empty());
          ASSERT_EQ(r.blank, (std::array{Blank::First, Blank::Second, Blank::Result})[z_place - 1]);
          // The row with the answer filled in must be a true equation.
          const int answer = page.results[row];
          std::string filled[3];
          for (int i = 0; i < 3; ++i) filled[i] = terms[i]->empty() ? std::to_string(answer) : *terms[i];
          Side lhs, rhs;
          ASSERT_TRUE(parse_side(filled[0] + op + filled[1], lhs));
          ASSERT_TRUE(parse_side(filled[2], rhs));
          ASSERT_EQ(lhs.value, rhs.value) << filled[0] << op << filled[1] << " = " << filled[2];
          all_in_range(lhs);
          all_in_range(rhs);
          if (plus) {
            ASSERT_LE(lhs.value, range);
          } else {
            ASSERT_LE(lhs.value, 100);
            if (op == " . ") { ASSERT_LE(std::max(lhs.numbers[0], lhs.numbers[1]), 10); }
            if (op == " : ") { ASSERT_LE(std::max(lhs.value, lhs.numbers[1]), 10); }
          }
          zero = zero || answer == 0;
          answers.insert(answer);
        }
        zero_rows += zero;
      }
      ASSERT_LE(zero_rows, 1) << "more than one example with a zero on a page";
      pages_with_zero += zero_rows;
    }
    if (plus || c.type != 5) {
      EXPECT_GT(pages_with_zero, 0);  // one zero per page is allowed
    }
    if (je_porovnani(c.type)) {
      EXPECT_EQ(signs, (std::set<std::string>{"<", "=", ">"}));
      continue;
    }
    // Every answer the type allows occurs.
    std::set<int> expected;
    if (plus) {
      if (c.level < 3) {
        for (int n = 0; n <= range; ++n) expected.insert(n);
      }
    } else if (c.type == 1 || c.type == 7) {
      for (int a = c.type == 7 ? 1 : 0; a <= 10; ++a)
        for (int b = 0; b <= 10; ++b) expected.insert(a * b);
    } else {
      for (int n = c.type == 5 ? 1 : 0; n <= 10; ++n) expected.insert(n);
    }
    if (!expected.empty()) {
      EXPECT_EQ(answers, expected);
    } else {
      EXPECT_GT(answers.size(), 80u);
      EXPECT_GE(*answers.rbegin(), 95);
    }
  }
}

TEST(GenDril, NahodaDrawsEveryWholeNumberOfItsRange) {
  Random rng(9);
  std::map<int, int> seen;
  for (int i = 0; i < 3000; ++i) ++seen[draw_between(1, 10, rng, 42)];
  ASSERT_EQ(seen.size(), 10u);
  EXPECT_EQ(seen.begin()->first, 1);
  EXPECT_EQ(seen.rbegin()->first, 10);
  for (const auto& [n, count] : seen) EXPECT_GT(count, 200) << n;
}

TEST(GenDril, ATypeOutsideTheTenGivesAnEmptyPage) {
  Random rng(1);
  for (const Stranka& page : {draw_page(Family::PlusMinus, 0, 1, rng, 0), draw_page(Family::TimesDivide, 11, 3, rng, 0)}) {
    for (const Radek& r : page.radky) EXPECT_TRUE(r.operace.empty() && r.t1.empty() && r.t3.empty());
  }
}

}  // namespace
