#include "games/had/retez.h"

#include <algorithm>

namespace tapo::games::had {

namespace {

constexpr int not_drawn = 1000;

std::string link(const Retez& r) { return r.operation + " " + std::to_string(r.second_number) + " = ?"; }

}  // namespace

Meze meze(int player_level) {
  switch (std::clamp(player_level, 1, 3)) {
    case 1:
      return {10, 10};
    case 2:
      return {20, 20};
    default:
      return {10, 100};
  }
}

void draw_second_number(Retez& retez, int player_level, core::Random& rng, std::uint64_t clock) {
  const auto [n, m] = meze(player_level);
  const int kinds = std::clamp(player_level, 1, 3) > 2 ? 4 : 2;
  const int a = retez.first_number;
  static constexpr const char* operations[] = {"+", "-", ".", ":"};

  for (;;) {
    rng.stir(clock);
    const int k = rng.between(1, kinds);
    if (k == 3 && a > 10) continue;
    std::string op = operations[k - 1];
    if (a == 0) op = "+";
    if (a == m) op = "-";

    int b = 0, result = not_drawn;
    bool again = false;
    while (!(result >= 0 && result <= m)) {
      if (op == "+") {
        b = rng.between(0, m - a);
        result = a + b;
      } else if (op == "-") {
        b = rng.between(0, a);
        result = a - b;
      } else if (op == ".") {
        b = rng.between(0, n);
        result = a * b;
      } else {
        b = rng.between(1, n);
        if (a % b != 0 || b > 10 || a / b > 10) {
          again = true;
          break;
        }
        result = a / b;
      }
      if (retez.plain_streak < plain_needed && (b == 0 || result == 0)) {
        again = true;
        break;
      }
    }
    if (again) continue;

    retez.operation = op;
    retez.second_number = b;
    retez.result = result;
    retez.plain_streak = b != 0 && result != 0 ? std::min(retez.plain_streak + 1, 255) : 0;
    return;
  }
}

Retez start_chain(int player_level, core::Random& rng, std::uint64_t clock) {
  Retez r;
  rng.stir(clock);
  r.first_number = rng.between(1, meze(player_level).max_operand);
  draw_second_number(r, player_level, rng, clock);
  r.chain = std::to_string(r.first_number) + " " + link(r);
  return r;
}

void continue_chain(Retez& retez, int player_level, core::Random& rng, std::uint64_t clock) {
  retez.first_number = retez.result;
  draw_second_number(retez, player_level, rng, clock);
  retez.chain += " " + link(retez);
}

}  // namespace tapo::games::had
