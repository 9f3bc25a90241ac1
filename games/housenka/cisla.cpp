#include "games/housenka/cisla.h"

#include <algorithm>

namespace tapo::games::housenka {

namespace {

Bublina plain(int value) { return {value, std::to_string(value), false}; }

Bublina expression(int a, char op, int b, int value) {
  return {value, std::to_string(a) + op + std::to_string(b), true};
}

}  // namespace

int expression_limit(int player_level) {
  switch (std::clamp(player_level, 1, 3)) {
    case 1:
      return 0;
    case 2:
      return 2;
    default:
      return 4;
  }
}

Bublina draw_bubble(int player_level, int& expression_count, core::Random& rng, std::uint64_t clock) {
  const int level = std::clamp(player_level, 1, 3);
  rng.stir(clock);
  if (level == 1) return plain(rng.between(0, 10));

  const int kinds = level == 2 ? 4 : 8;
  int kind;
  do {
    kind = rng.between(1, kinds);
  } while (kind % 2 == 0 && expression_count >= expression_limit(level));

  if (kind % 2 == 1) return plain(level == 2 ? rng.between(0, 20) : rng.between(0, 99));

  ++expression_count;
  // Level 2: sums up to 20 of 1..19, differences of 1..20; level 3: sums up
  // to 99 of 1..99, differences of 1..99.
  const int largest_sum = level == 2 ? 20 : 99;
  const int largest_addend = level == 2 ? 19 : 99;
  const int largest_minuend = level == 2 ? 20 : 99;
  int a, b;
  switch (kind) {
    case 2:
      do {
        a = rng.between(1, largest_addend);
        b = rng.between(1, largest_addend);
      } while (a + b > largest_sum);
      return expression(a, '+', b, a + b);
    case 4:
      a = rng.between(1, largest_minuend);
      b = rng.between(1, a);
      return expression(a, '-', b, a - b);
    case 6:
      a = rng.between(1, 5);
      b = rng.between(1, 5);
      return expression(a, '.', b, a * b);
    default:  // 8
      a = rng.between(1, 5);
      b = rng.between(1, 5);
      return expression(a * b, ':', b, a);
  }
}

void Seradiste::pridej(int value) {
  std::string key = value < 10 ? "0" + std::to_string(value) : std::to_string(value);
  items_.insert(std::upper_bound(items_.begin(), items_.end(), key), std::move(key));
}

int Seradiste::hodnota(int rank) const {
  if (rank < 1 || rank > static_cast<int>(items_.size())) return -1;
  return std::stoi(items_[static_cast<std::size_t>(rank - 1)]);
}

Rada draw_row(int player_level, core::Random& rng, std::uint64_t clock) {
  Rada rada;
  rng.stir(clock);
  int expression_count = 0;
  for (Bublina& b : rada.bubliny) {
    b = draw_bubble(player_level, expression_count, rng, clock);
    rada.seradiste.pridej(b.value);
  }
  return rada;
}

}  // namespace tapo::games::housenka
