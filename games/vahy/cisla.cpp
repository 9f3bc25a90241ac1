#include "games/vahy/cisla.h"
#include "games/common/random_draws.h"

#include <tuple>

#include <algorithm>

namespace tapo::games::vahy {

namespace {

struct Miska {
  int value = 0;
  std::string text;
  bool zero = false;
};

Miska draw_pan(int largest, int kinds, core::Random& rng) {
  const int kind = rng.between(1, kinds);
  auto expression = [](int a, const char* op, int b, int value) {
    return Miska{value, std::to_string(a) + op + std::to_string(b), a == 0 || b == 0 || value == 0};
  };
  int a, b;
  switch (kind) {
    case 2:
      std::tie(a, b) = draw_sum(largest, rng);
      return expression(a, " + ", b, a + b);
    case 4:
      std::tie(a, b) = draw_difference(largest, rng);
      return expression(a, " - ", b, a - b);
    case 6:
      a = rng.between(0, 10);
      b = rng.between(0, 10);
      return expression(a, " . ", b, a * b);
    case 8: {
      const int q = rng.between(0, 10);
      const int d = rng.between(1, 10);
      return expression(q * d, " : ", d, q);  // whole, never by 0
    }
    default: {  // odd kinds: a plain number
      const int v = rng.between(0, largest);
      return {v, std::to_string(v), v == 0};
    }
  }
}

}  // namespace

int largest_number(int player_level) {
  return level_limit(player_level);
}

Par draw_pans(int player_level, int& zero_free_run, core::Random& rng, std::uint64_t clock) {
  const int largest = largest_number(player_level);
  const int kinds = std::clamp(player_level, 1, 3) == 3 ? 9 : 5;
  rng.stir(clock);
  auto pan = [&] {
    Miska m;
    do {
      m = draw_pan(largest, kinds, rng);
    } while (m.zero && zero_free_run < zero_free_threshold);
    zero_free_run = m.zero ? 0 : std::min(zero_free_run + 1, 32767);
    return m;
  };
  Par p;
  Miska left = pan();
  Miska right = pan();
  p.left_value = left.value;
  p.left_text = std::move(left.text);
  p.right_value = right.value;
  p.right_text = std::move(right.text);
  return p;
}

std::optional<Par> pans_of(const players::review::Fact& fact, int player_level) {
  if (!fact.right) return std::nullopt;
  const int level = std::clamp(player_level, 1, 3);
  const long largest = largest_number(level);
  using players::review::within;
  if (!within(fact.left, largest, level == 3) || !within(*fact.right, largest, level == 3)) return std::nullopt;
  return Par{static_cast<int>(fact.left.value()), static_cast<int>(fact.right->value()), fact.left.game_text(),
             fact.right->game_text()};
}

std::string right_sign(const Par& pans) {
  return pans.left_value > pans.right_value ? ">" : pans.left_value < pans.right_value ? "<" : "=";
}

}  // namespace tapo::games::vahy
