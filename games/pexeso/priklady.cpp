#include "games/pexeso/priklady.h"

#include <algorithm>
#include <utility>

#include "games/pexeso/layout.h"
#include "platform/text.h"

namespace tapo::games::pexeso {

namespace {

struct Example {
  int a = 0, b = 0, result = 0;
  std::string text;
};

// One example of the kind.  Additions and subtractions re-seed before every
// redraw of their pair, multiplications and divisions before their draw.
Example draw_example(int kind, int limit, core::Random& rng, std::uint64_t clock) {
  Example e;
  switch (kind) {
    case 1:
      e.a = rng.between(0, limit);
      e.b = rng.between(0, limit);
      while (e.a + e.b > limit) {
        rng.stir(clock);
        e.a = rng.between(0, limit);
        e.b = rng.between(0, limit);
      }
      e.result = e.a + e.b;
      e.text = std::to_string(e.a) + " + " + std::to_string(e.b);
      break;
    case 2:
      e.a = rng.between(0, limit);
      e.b = rng.between(0, limit);
      while (e.a < e.b) {
        rng.stir(clock);
        e.a = rng.between(0, limit);
        e.b = rng.between(0, limit);
      }
      e.result = e.a - e.b;
      e.text = std::to_string(e.a) + " - " + std::to_string(e.b);
      break;
    case 3:
      rng.stir(clock);
      e.a = rng.between(0, 10);
      e.b = rng.between(0, 10);
      e.result = e.a * e.b;
      e.text = std::to_string(e.a) + " . " + std::to_string(e.b);
      break;
    default:
      rng.stir(clock);
      e.a = rng.between(1, 10);
      e.b = rng.between(1, 10);
      e.result = e.a;
      e.text = std::to_string(e.a * e.b) + " : " + std::to_string(e.b);
      break;
  }
  return e;
}

}  // namespace

Rozdani deal_cards(int player_level, core::Random& rng, std::uint64_t clock,
                   const std::vector<players::review::Fact>& due) {
  const int level = std::clamp(player_level, 1, 3);
  const int limit = level == 1 ? 10 : level == 2 ? 20 : 100;
  const int kinds = level == 3 ? 4 : 2;

  Rozdani deal;
  bool zero_used = false;
  std::size_t first_drawn = 0;
  for (const players::review::Fact& f : due) {
    if (first_drawn == kReviewPairs) break;
    const auto result = static_cast<int>(f.left.value());
    const auto earlier = deal.result.begin() + static_cast<std::ptrdiff_t>(first_drawn);
    const bool zero = f.left.a == 0 || f.left.b == 0 || result == 0;
    if (f.right || f.left.op.empty() || !players::review::within(f.left, limit, level == 3) || std::find(deal.result.begin(), earlier, result) != earlier ||
        (zero && zero_used))
      continue;
    zero_used = zero_used || zero;
    deal.result[first_drawn] = result;
    deal.example_text[first_drawn] = f.left.game_text();
    deal.from_review[first_drawn++] = true;
  }
  rng.stir(clock);
  for (std::size_t i = first_drawn; i < 10; ++i) {
    const int kind = rng.between(1, kinds);
    for (;;) {
      Example e = draw_example(kind, limit, rng, clock);
      const auto earlier = deal.result.begin() + static_cast<std::ptrdiff_t>(i);
      if (std::find(deal.result.begin(), earlier, e.result) != earlier) continue;
      if (i < 9) {
        const bool zero = e.a == 0 || e.b == 0 || e.result == 0;
        if (zero && zero_used) continue;
        zero_used = zero_used || zero;
      }
      deal.result[i] = e.result;
      deal.example_text[i] = std::move(e.text);
      break;
    }
  }

  for (std::size_t i = 0; i < 10; ++i) {
    const std::string key = std::to_string(deal.result[i]);
    deal.karty[i] = {key, key};
    deal.karty[i + 10] = {deal.example_text[i], key};
  }
  shuffle_cards(deal.karty, rng, clock);
  return deal;
}

void shuffle_cards(std::array<Karta, 20>& karty, core::Random& rng, std::uint64_t clock) {
  for (int n = 0; n < 100; ++n) {
    rng.stir(clock);
    const int x = rng.between(1, 20);
    const int y = rng.between(1, 20);
    std::swap(karty[static_cast<std::size_t>(x - 1)], karty[static_cast<std::size_t>(y - 1)]);
  }
}

int card_text_size(const std::array<Karta, 20>& karty) {
  platform::TextStyle style = kCardFont;
  const int room = kPitch - 24;
  auto fits = [&] {
    return std::all_of(karty.begin(), karty.end(), [&](const Karta& k) { return platform::measure_text(k.text, style).w <= room; });
  };
  while (!fits() && style.size > kCardFont.size / 2) --style.size;
  return style.size;
}

}  // namespace tapo::games::pexeso
