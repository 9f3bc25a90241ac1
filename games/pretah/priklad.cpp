#include "games/pretah/priklad.h"
#include "games/common/random_draws.h"

#include <tuple>

#include <algorithm>

namespace tapo::games::pretah {

int largest_number(int player_level) {
  return level_limit(player_level, 99);
}

namespace {

// The cells and the signs accepted of an example whose operator, numbers and
// kind are chosen: r is the result, or the number compared with.
void finish(Priklad& p, int a, int b, int r) {
  if (p.comparison) {
    const int v = p.operation == "+" ? a + b : p.operation == "-" ? a - b : p.operation == "." ? a * b : a / b;
    p.cells[1] = p.operation;
    p.mark_cell = 3;
    p.answer = v < r ? "<" : v > r ? ">" : "=";
  } else {
    p.cells[3] = "=";
    p.mark_cell = 1;
    p.answer = p.operation;
    // Where more than one operator is right, the later rule wins.
    if (b == 1 && a == r) p.answer = ".:";
    if (b == 0 && a == r) p.answer = "+-";
    if (a == 0 && b == 0 && r == 0) p.answer = "+-.";
    if (a == 4 && b == 2 && r == 2) p.answer = "-:";
    if (a == 2 && b == 2 && r == 4) p.answer = "+.";
  }
  p.cells[4] = std::to_string(r);
  p.number_a = a;
  p.number_b = b;
  p.number_r = r;
}

}  // namespace

Priklad draw_example(int player_level, int& zero_free_run, core::Random& rng, std::uint64_t clock) {
  const int level = std::clamp(player_level, 1, 3);
  const int largest = largest_number(level);
  const int kinds = level == 3 ? 4 : 2;
  rng.stir(clock);

  Priklad p;
  int a = 0, b = 0, r = 0;
  bool zero;
  do {
    switch (rng.between(1, kinds)) {
      case 1:
        std::tie(a, b) = draw_sum(largest, rng);
        r = a + b;
        p.operation = "+";
        break;
      case 2:
        std::tie(a, b) = draw_difference(largest, rng);
        r = a - b;
        p.operation = "-";
        break;
      case 3:
        do {
          a = rng.between(0, 10);
          b = rng.between(0, 10);
        } while (a * b > largest);
        r = a * b;
        p.operation = ".";
        break;
      default:
        do {
          b = rng.between(1, 10);
          r = rng.between(1, 10);
        } while (b * r > largest);
        a = b * r;
        p.operation = ":";
        break;
    }
    zero = a == 0 || b == 0 || r == 0;
  } while (zero && zero_free_run < zero_free_threshold);
  zero_free_run = zero ? 0 : std::min(zero_free_run + 1, 32767);

  p.cells[0] = std::to_string(a);
  p.cells[2] = std::to_string(b);
  int m = rng.between(1, 10);
  if (level == 1) m = 1;
  p.comparison = m == 3 || m == 6 || m == 9;
  if (p.comparison) r = rng.between(0, largest);
  finish(p, a, b, r);
  return p;
}

std::optional<Priklad> example_of(const players::review::Fact& fact, int player_level) {
  const int level = std::clamp(player_level, 1, 3);
  const long largest = largest_number(level);
  players::review::Side example = fact.left;
  long compared = 0;
  if (fact.right) {  // the example's side first, as the tug asks it
    example = fact.left.op.empty() ? *fact.right : fact.left;
    compared = fact.left.op.empty() ? fact.left.a : fact.right->op.empty() ? fact.right->a : -1;
    if (level < 2 || compared < 0 || compared > largest) return std::nullopt;
  }
  if (example.op.empty() || !players::review::within(example, largest, level == 3)) return std::nullopt;
  Priklad p;
  p.operation = example.op == "·" ? "." : example.op;
  p.comparison = fact.right.has_value();
  const int a = static_cast<int>(example.a), b = static_cast<int>(example.b);
  p.cells[0] = std::to_string(a);
  p.cells[2] = std::to_string(b);
  finish(p, a, b, static_cast<int>(p.comparison ? compared : example.value()));
  return p;
}

}  // namespace tapo::games::pretah
