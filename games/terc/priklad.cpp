#include "games/terc/priklad.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/listinput.h"

namespace tapo::games::terc {

namespace {

// One shot value for the level, drawn after folding in the clock.
int draw_shot(int level, int target_total, core::Random& rng, std::uint64_t clock) {
  rng.stir(clock);
  switch (level) {
    case 1:
      return rng.between(1, target_total - 1);
    case 2:
      return rng.between(1, 9);
    default: {
      const int m = rng.between(1, 10);
      return m % 2 == 0 ? rng.between(1, 9) : rng.between(1, 9) * 10;
    }
  }
}

}  // namespace

Priklad draw_example(int player_level, core::Random& rng, std::uint64_t clock) {
  Priklad p;
  if (player_level < 1 || player_level > 3) return p;

  rng.stir(clock);
  switch (player_level) {
    case 1:
      p.max_hits = 3;
      p.target_total = rng.between(3, 10);
      break;
    case 2:
      p.max_hits = 4;
      p.target_total = rng.between(10, 20);
      break;
    default:
      p.max_hits = 5;
      p.target_total = rng.between(50, 100);
      break;
  }

  int sum = 0;
  bool nine = false, ninety = false;
  while (sum != p.target_total) {
    const int v = draw_shot(player_level, p.target_total, rng, clock);
    if (p.hit_count == 0) {
      if (v > p.target_total) continue;
    } else {
      if (v + sum > p.target_total) continue;
      if (v == 9 && nine) continue;
      if (player_level == 3 && v == 90 && ninety) continue;
    }
    nine = nine || v == 9;
    ninety = ninety || v == 90;
    p.hits[static_cast<std::size_t>(p.hit_count)] = v;
    ++p.hit_count;
    sum += v;
    if (p.hit_count == p.max_hits) p.target_total = sum;
  }
  return p;
}

Pozice nacti_pozice(std::string_view text, bool* damaged) {
  constexpr int kFarthest = 32768;
  const std::vector<std::string> items = core::list_items(text);
  auto number = [&](std::size_t i) { return std::nearbyint(core::val(items[i])); };
  auto whole = [&](std::size_t i) {
    return core::clamped_int(number(i), std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  };
  Pozice table;
  std::size_t i = 0;
  while (i + 1 < items.size()) {
    const int value = whole(i);
    const int count = std::max(0, whole(i + 1));
    i += 2;
    std::vector<Bod> points;
    for (int k = 0; k < count && i + 1 < items.size(); ++k, i += 2) {
      const double x = number(i), y = number(i + 1);
      if (std::abs(x) > kFarthest || std::abs(y) > kFarthest) {
        if (damaged) *damaged = true;
        return {};
      }
      points.push_back({static_cast<int>(x), static_cast<int>(y)});
    }
    table.emplace(value, std::move(points));  // a repeated value keeps its first record
  }
  return table;
}

std::vector<Strela> umisti_strely(const Priklad& priklad, const Pozice& lower, const Pozice& upper,
                                  core::Random& rng) {
  std::vector<Strela> shots;
  std::vector<Bod> used;
  for (int i = 0; i < priklad.hit_count; ++i) {
    Strela s;
    s.value = priklad.hits[static_cast<std::size_t>(i)];
    s.upper = s.value % 10 == 0;
    const Pozice& table = s.upper ? upper : lower;
    const auto found = table.find(s.value);
    if (found != table.end()) {
      const std::vector<Bod>& points = found->second;
      auto taken = [&](const Bod& b) { return std::find(used.begin(), used.end(), b) != used.end(); };
      // Drawing again until a free position comes up could go on for ever
      // when every position of the value is taken already.
      if (!std::all_of(points.begin(), points.end(), taken)) {
        Bod b;
        do {
          b = points[static_cast<std::size_t>(rng.between(1, static_cast<int>(points.size())) - 1)];
        } while (taken(b));
        s.at = b;
        used.push_back(b);
      }
    }
    shots.push_back(s);
  }
  return shots;
}

}  // namespace tapo::games::terc
