#include "games/sneci/priklad.h"
#include "games/common/random_draws.h"

#include <tuple>

#include <algorithm>
#include <utility>

namespace tapo::games::sneci {

Priklad draw_example(int player_level, int& previous_answer, int& zero_free_run, core::Random& rng,
                     std::uint64_t clock) {
  const int level = std::clamp(player_level, 1, 3);
  const int kinds = level == 3 ? 4 : 2;
  const int largest = level == 1 ? 10 : level == 2 ? 20 : 100;

  Priklad p;
  bool zero;
  do {
    rng.stir(clock);
    const int kind = rng.between(1, kinds);
    int place = rng.between(1, 2);
    if (level == 1) place = 1;

    int a = 0, b = 0, m = 0;
    do {
      rng.stir(clock);
      switch (kind) {
        case 1:
          std::tie(a, b) = draw_sum(largest, rng);
          if (place == 1) {
            m = a + b;
          } else {
            if (b < a) std::swap(a, b);
            m = b - a;
          }
          p.znamenko = "+";
          break;
        case 2:
          std::tie(a, b) = draw_difference(largest, rng);
          m = a - b;  // a - b = ?  or  a - ? = b
          p.znamenko = "-";
          break;
        case 3: {
          const int x = rng.between(1, 10);
          const int y = rng.between(1, 10);
          place = 2;  // x . ? = x * y
          a = x;
          b = x * y;
          m = y;
          p.znamenko = ".";
          break;
        }
        default: {
          const int x = rng.between(1, 10);
          const int y = rng.between(1, 10);
          a = x * y;  // x * y : y = ?  or  x * y : ? = y
          b = y;
          m = x;
          p.znamenko = ":";
          break;
        }
      }
    } while (m < 0 || m > 10 || m == previous_answer);

    p.leve_cislo = a;
    p.prave_cislo = b;
    p.place = place;
    p.answer_number = m;
    zero = a == 0 || b == 0 || m == 0;
  } while (zero && zero_free_run < zero_free_threshold);

  zero_free_run = zero ? 0 : std::min(zero_free_run + 1, 32767);
  previous_answer = p.answer_number;
  return p;
}

}  // namespace tapo::games::sneci
