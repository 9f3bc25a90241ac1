#include "games/dril/priklady.h"
#include "games/common/random_draws.h"

#include <algorithm>
#include <utility>

namespace tapo::games::dril {

namespace {

std::string text(int n) { return std::to_string(n); }

std::string sign_of(int left, int right) { return left > right ? ">" : left < right ? "<" : "="; }

// An arithmetic row asking for `blank`: `x` and `y` are its other two terms, in order.
Radek arithmetic_row(std::string op, Blank blank, std::string x, std::string y) {
  Radek r{std::move(op), "", "", "", blank};
  std::string* given[2] = {blank == Blank::First ? &r.t2 : &r.t1, blank == Blank::Result ? &r.t2 : &r.t3};
  *given[0] = std::move(x);
  *given[1] = std::move(y);
  return r;
}

Radek comparison_row(std::string left, std::string right) { return {"", std::move(left), std::move(right), "", Blank::Sign}; }

struct Draft {
  Radek radek;
  int result = 0;
  std::string sign;
  bool zero = false;
};

class Drawer {
 public:
  Drawer(core::Random& rng, std::uint64_t clock) : rng_(rng), clock_(clock) {}
  int operator()(int min, int max) { return draw_between(min, max, rng_, clock_); }

 private:
  core::Random& rng_;
  std::uint64_t clock_;
};

Draft plus_minus_row(int type, int range, Drawer& draw) {
  Draft d;
  int a = 0, b = 0, u = 0, v = 0;
  // A pair drawn again, both together, until the condition holds.
  auto pair_until = [&](int& x, int& y, auto holds) {
    do {
      x = draw(0, range);
      y = draw(0, range);
    } while (!holds(x, y));
  };
  auto sum_fits = [range](int x, int y) { return x + y <= range; };
  auto not_negative = [](int x, int y) { return x >= y; };
  auto arithmetic = [&](std::string op, Blank blank, std::string x, std::string y, int result) {
    d.radek = arithmetic_row(std::move(op), blank, std::move(x), std::move(y));
    d.result = result;
    d.zero = a == 0 || b == 0 || result == 0;
  };
  auto comparison = [&](std::string left, std::string right, int lv, int rv) {
    d.radek = comparison_row(std::move(left), std::move(right));
    d.sign = sign_of(lv, rv);
  };
  switch (type) {
    case 1:
      pair_until(a, b, sum_fits);
      arithmetic(" + ", Blank::Result, text(a), text(b), a + b);
      break;
    case 2:
      pair_until(a, b, not_negative);
      arithmetic(" - ", Blank::Result, text(a), text(b), a - b);
      break;
    case 3:
      a = draw(0, range);
      b = draw(0, range);
      comparison(text(a), text(b), a, b);
      d.zero = a == 0 || b == 0;
      break;
    case 4:
      pair_until(a, b, [](int x, int y) { return y >= x; });
      arithmetic(" + ", Blank::Second, text(a), text(b), b - a);
      break;
    case 5:
      pair_until(a, b, not_negative);
      arithmetic(" - ", Blank::Second, text(a), text(b), a - b);
      break;
    case 6:
      pair_until(a, b, [](int x, int y) { return y >= x; });
      arithmetic(" + ", Blank::First, text(a), text(b), b - a);
      break;
    case 7:
      pair_until(a, b, sum_fits);
      arithmetic(" - ", Blank::First, text(a), text(b), a + b);
      break;
    case 8:
      pair_until(a, b, sum_fits);
      pair_until(u, v, sum_fits);
      comparison(text(a) + " + " + text(b), text(u) + " + " + text(v), a + b, u + v);
      d.zero = a == 0 || b == 0 || u == 0 || v == 0;
      break;
    case 9:
      pair_until(a, b, not_negative);
      pair_until(u, v, not_negative);
      comparison(text(a) + " - " + text(b), text(u) + " - " + text(v), a - b, u - v);
      d.zero = a == 0 || b == 0 || u == 0 || v == 0;
      break;
    default:  // 10
      pair_until(a, b, sum_fits);
      pair_until(u, v, not_negative);
      comparison(text(a) + " + " + text(b), text(u) + " - " + text(v), a + b, u - v);
      d.zero = a == 0 || b == 0 || u == 0 || v == 0;
      break;
  }
  return d;
}

Draft times_divide_row(int type, int range, Drawer& draw) {
  Draft d;
  auto arithmetic = [&](std::string op, Blank blank, std::string x, std::string y, int result, bool zero) {
    d.radek = arithmetic_row(std::move(op), blank, std::move(x), std::move(y));
    d.result = result;
    d.zero = zero;
  };
  auto comparison = [&](std::string left, std::string right, int lv, int rv, bool zero) {
    d.radek = comparison_row(std::move(left), std::move(right));
    d.sign = sign_of(lv, rv);
    d.zero = zero;
  };
  switch (type) {
    case 1: {
      const int a = draw(0, 10), b = draw(0, 10);
      arithmetic(" . ", Blank::Result, text(a), text(b), a * b, a == 0 || b == 0);
      break;
    }
    case 2: {
      const int a = draw(0, 10), b = draw(1, 10);
      arithmetic(" : ", Blank::Result, text(a * b), text(b), a, a == 0);
      break;
    }
    case 3: {
      const int a = draw(0, range), b = draw(0, range);
      comparison(text(a), text(b), a, b, a == 0 || b == 0);
      break;
    }
    case 4: {
      const int a = draw(1, 10), b = draw(0, 10);
      arithmetic(" . ", Blank::Second, text(a), text(a * b), b, b == 0);
      break;
    }
    case 5: {
      const int a = draw(1, 10), b = draw(1, 10);
      arithmetic(" : ", Blank::Second, text(a * b), text(b), a, false);
      break;
    }
    case 6: {
      const int a = draw(1, 10), b = draw(0, 10);
      arithmetic(" . ", Blank::First, text(a), text(a * b), b, b == 0);
      break;
    }
    case 7: {
      const int a = draw(1, 10), b = draw(0, 10);
      arithmetic(" : ", Blank::First, text(a), text(b), a * b, b == 0);
      break;
    }
    case 8: {
      const int a = draw(0, 10), b = draw(0, 10), u = draw(0, 10), v = draw(0, 10);
      comparison(text(a) + " . " + text(b), text(u) + " . " + text(v), a * b, u * v,
                 a == 0 || b == 0 || u == 0 || v == 0);
      break;
    }
    case 9: {
      const int a = draw(0, 10), b = draw(0, 10), u = draw(0, 10), v = draw(1, 10);
      comparison(text(a) + " . " + text(b), text(u * v) + " : " + text(v), a * b, u,
                 a == 0 || b == 0 || u == 0);
      break;
    }
    default: {  // 10
      const int a = draw(0, 10), b = draw(1, 10), u = draw(0, 10), v = draw(1, 10);
      comparison(text(a * b) + " : " + text(b), text(u * v) + " : " + text(v), a, u, a == 0 || u == 0);
      break;
    }
  }
  return d;
}

}  // namespace

bool je_porovnani(int example_type) {
  return example_type == 3 || example_type == 8 || example_type == 9 || example_type == 10;
}

int range_max(int player_level) {
  return level_limit(player_level);
}

int draw_between(int min, int max, core::Random& rng, std::uint64_t clock) {
  rng.stir(clock);
  return rng.between(min, max);
}

Stranka draw_page(Family family, int example_type, int player_level,
                  core::Random& rng, std::uint64_t clock) {
  Stranka page;
  const bool plus = family == Family::PlusMinus;
  if (example_type < 1 || example_type > 10) return page;

  rng.stir(clock);
  const int range = range_max(player_level);
  Drawer draw(rng, clock);
  bool zero_used = false;
  for (std::size_t row = 0; row < page.radky.size(); ++row) {
    Draft d;
    for (;;) {
      d = plus ? plus_minus_row(example_type, range, draw) : times_divide_row(example_type, range, draw);
      if (!d.zero) break;
      if (!zero_used) {
        zero_used = true;
        break;
      }
    }
    page.radky[row] = std::move(d.radek);
    page.results[row] = d.result;
    page.signs[row] = std::move(d.sign);
  }
  return page;
}

bool asks(const players::review::Fact& fact, int player_level) {
  const int range = range_max(player_level);
  const bool products = std::clamp(player_level, 1, 3) == 3;
  auto fits = [&](const players::review::Side& s) { return players::review::within(s, range, products); };
  return fits(fact.left) && (!fact.right || fits(*fact.right)) && (fact.right || !fact.left.op.empty());
}

Stranka review_page(const std::vector<players::review::Fact>& due, int player_level, core::Random& rng,
                    std::uint64_t clock) {
  // The rows the facts leave free: sums and differences of the level, in turn.
  const Stranka sums = draw_page(Family::PlusMinus, 1, player_level, rng, clock);
  const Stranka differences = draw_page(Family::PlusMinus, 2, player_level, rng, clock);
  Stranka page;
  std::size_t row = 0;
  for (const players::review::Fact& f : due) {
    if (row == page.radky.size()) break;
    if (!asks(f, player_level)) continue;
    if (f.right) {
      page.radky[row] = comparison_row(f.left.game_text(), f.right->game_text());
      page.signs[row] = sign_of(static_cast<int>(f.left.value()), static_cast<int>(f.right->value()));
    } else {
      page.radky[row] = arithmetic_row(" " + (f.left.op == "·" ? std::string(".") : f.left.op) + " ", Blank::Result,
                                       text(static_cast<int>(f.left.a)), text(static_cast<int>(f.left.b)));
      page.results[row] = static_cast<int>(f.left.value());
    }
    page.from_review[row++] = true;
  }
  // Sums and differences in turn; as on any page, at most one holds a zero.
  bool zero_used = false;
  for (std::size_t k = 0; row < page.radky.size() && k < 2 * page.radky.size(); ++k) {
    const Stranka& fill = k % 2 ? differences : sums;
    const Radek& r = fill.radky[k / 2];
    const bool zero = r.t1 == "0" || r.t2 == "0" || r.t3 == "0" || fill.results[k / 2] == 0;
    if (zero && std::exchange(zero_used, true)) continue;
    page.radky[row] = r;
    page.results[row] = fill.results[k / 2];
    page.signs[row++] = fill.signs[k / 2];
  }
  return page;
}

}  // namespace tapo::games::dril
