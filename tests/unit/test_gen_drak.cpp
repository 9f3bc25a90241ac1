#include <gtest/gtest.h>

#include <set>

#include "games/drak/priklad.h"

namespace {

using namespace tapo::games::drak;
using tapo::core::Random;

TEST(GenDrak, DistinctFiguresRiseAndTheirNumberIsTheAnswer) {
  std::set<int> counts, figures, firsts;
  for (int seed = 0; seed < 5000; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    const Priklad p = draw_example(rng, static_cast<unsigned>(seed) * 13u);
    ASSERT_GE(p.raised_count, 1);
    ASSERT_LE(p.raised_count, 10);
    ASSERT_EQ(static_cast<int>(p.order.size()), p.raised_count);
    std::set<int> distinct(p.order.begin(), p.order.end());
    ASSERT_EQ(distinct.size(), p.order.size()) << "a figure rose twice";
    for (int d = 1; d <= 10; ++d) ASSERT_EQ(p.raised[static_cast<std::size_t>(d - 1)], distinct.count(d) == 1);
    ASSERT_GE(*distinct.begin(), 1);
    ASSERT_LE(*distinct.rbegin(), 10);
    counts.insert(p.raised_count);
    figures.insert(distinct.begin(), distinct.end());
    firsts.insert(p.order.front());
  }
  const std::set<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  EXPECT_EQ(counts, all);
  EXPECT_EQ(figures, all);
  EXPECT_EQ(firsts, all);  // any figure may rise first
}

}  // namespace
