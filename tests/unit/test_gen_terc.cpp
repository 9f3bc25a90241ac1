#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

#include "games/terc/priklad.h"

namespace {

using namespace tapo::games::terc;
using tapo::core::Random;

constexpr int kSeeds = 4000;

TEST(GenTerc, ShotsAddUpWithinTheLevelAndNineAndNinetyAtMostOnce) {
  struct Level {
    int level, max_hits, lowest_total, highest_total;
  };
  for (const Level l : {Level{1, 3, 3, 10}, Level{2, 4, 4, 20}, Level{3, 5, 5, 100}}) {
    SCOPED_TRACE(l.level);
    std::set<int> values, counts, totals;
    for (int seed = 0; seed < kSeeds; ++seed) {
      Random rng(static_cast<std::uint32_t>(seed));
      const Priklad p = draw_example(l.level, rng, 1000u + static_cast<unsigned>(seed));
      ASSERT_EQ(p.max_hits, l.max_hits);
      ASSERT_GE(p.hit_count, 1);
      ASSERT_LE(p.hit_count, l.max_hits);
      const auto used = p.hits.begin() + p.hit_count;
      ASSERT_TRUE(std::all_of(used, p.hits.end(), [](int v) { return v == 0; }));
      ASSERT_EQ(std::accumulate(p.hits.begin(), used, 0), p.target_total);
      ASSERT_GE(p.target_total, l.lowest_total);
      ASSERT_LE(p.target_total, l.highest_total);
      ASSERT_LE(std::count(p.hits.begin(), used, 9), 1);
      ASSERT_LE(std::count(p.hits.begin(), used, 90), 1);
      for (auto it = p.hits.begin(); it != used; ++it) {
        const int v = *it;
        if (l.level < 3) {
          ASSERT_TRUE(v >= 1 && v <= 9) << v;
        } else {
          ASSERT_TRUE((v >= 1 && v <= 9) || (v % 10 == 0 && v >= 10 && v <= 90)) << v;
        }
        values.insert(v);
        ASSERT_LE(std::count(p.hits.begin(), used, v), most_hits(v)) << v;  // the targets hold that many holes
      }
      counts.insert(p.hit_count);
      totals.insert(p.target_total);
    }
    // Every ring value of the level is hit somewhere, and every shot count
    // that can end an example occurs.
    const std::set<int> lower{1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::set<int> expected = lower;
    if (l.level == 3) expected.insert({10, 20, 30, 40, 50, 60, 70, 80, 90});
    EXPECT_EQ(values, expected);
    if (l.level == 1) { EXPECT_EQ(counts, (std::set<int>{2, 3})); }
    if (l.level == 2) { EXPECT_EQ(counts, (std::set<int>{2, 3, 4})); }
    if (l.level == 3) { EXPECT_EQ(counts, (std::set<int>{1, 2, 3, 4, 5})); }
    if (l.level == 1) {
      EXPECT_EQ(totals, (std::set<int>{3, 4, 5, 6, 7, 8, 9, 10}));
    }
    if (l.level == 3) {
      EXPECT_LT(*totals.begin(), 50);  // five shots may fall short of the drawn total
      EXPECT_EQ(*totals.rbegin(), 100);
    }
  }
}

TEST(GenTerc, NoPlayerLevelPosesNoShots) {
  Random rng(7);
  for (int level : {0, 4}) {
    const Priklad p = draw_example(level, rng, 0);
    EXPECT_EQ(p.hit_count, 0);
    EXPECT_EQ(p.target_total, 0);
  }
}

TEST(GenTerc, ReseedingAtOneMomentStillGivesFreshExamples) {
  // On the virtual clock the time does not move while examples are made.
  Random rng(1);
  std::set<int> totals;
  for (int i = 0; i < 500; ++i) totals.insert(draw_example(2, rng, 5000).target_total);
  EXPECT_GT(totals.size(), 5u);
}

TEST(GenTerc, PositionFilesAreReadRecordByRecord) {
  const Pozice t = nacti_pozice("1,2,10,20,30,40\r\n9,1,5,6\n3,0\n1,1,99,99\n7,3,1,2");
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t.at(1), (std::vector<Bod>{{10, 20}, {30, 40}}));  // the first record of a value counts
  EXPECT_EQ(t.at(9), (std::vector<Bod>{{5, 6}}));
  EXPECT_TRUE(t.at(3).empty());
  EXPECT_EQ(t.at(7), (std::vector<Bod>{{1, 2}}));  // cut short by the end of the file
  EXPECT_TRUE(nacti_pozice("").empty());
}

TEST(GenTerc, ShotsTakeDistinctPositionsOnTheirTarget) {
  Pozice lower, upper;
  for (int v = 1; v <= 9; ++v)
    for (int k = 0; k < 6; ++k) lower[v].push_back({v * 10 + k, k});
  for (int v = 10; v <= 90; v += 10)
    for (int k = 0; k < 6; ++k) upper[v].push_back({v + k, k});  // (10, 0) also lies on the lower target
  std::set<std::pair<int, int>> seen;
  for (int seed = 0; seed < 2000; ++seed) {
    Random rng(static_cast<std::uint32_t>(seed));
    const Priklad p = draw_example(1 + seed % 3, rng, static_cast<unsigned>(seed));
    const std::vector<Strela> shots = umisti_strely(p, lower, upper, rng);
    ASSERT_EQ(static_cast<int>(shots.size()), p.hit_count);
    std::vector<Bod> at;
    for (int i = 0; i < p.hit_count; ++i) {
      const Strela& s = shots[static_cast<std::size_t>(i)];
      ASSERT_EQ(s.value, p.hits[static_cast<std::size_t>(i)]);
      ASSERT_EQ(s.upper, s.value >= 10);
      ASSERT_TRUE(s.at.has_value());
      const auto& list = (s.upper ? upper : lower).at(s.value);
      ASSERT_NE(std::find(list.begin(), list.end(), *s.at), list.end());
      ASSERT_EQ(std::find(at.begin(), at.end(), *s.at), at.end()) << "two shots in one hole";
      at.push_back(*s.at);
      if (s.value == 1) seen.insert({s.at->x, s.at->y});
    }
  }
  EXPECT_EQ(seen.size(), 6u);  // every listed position is used
}

TEST(GenTerc, TooFewPositionsOrAMissingValueLeaveShotsUndrawn) {
  Priklad p;
  p.max_hits = 4;
  p.hit_count = 4;
  p.hits = {2, 2, 2, 5, 0};
  p.target_total = 11;
  const Pozice lower{{2, {{1, 1}, {2, 2}}}};
  Random rng(3);
  const std::vector<Strela> shots = umisti_strely(p, lower, {}, rng);
  ASSERT_EQ(shots.size(), 4u);
  EXPECT_TRUE(shots[0].at.has_value());
  EXPECT_TRUE(shots[1].at.has_value());
  EXPECT_NE(*shots[0].at, *shots[1].at);
  EXPECT_FALSE(shots[2].at.has_value());  // both positions of 2 are taken
  EXPECT_FALSE(shots[3].at.has_value());  // 5 is not in the file
}

}  // namespace
