// The memory cards played through the game: the driver reads the cards'
// pair keys from `dump` and clicks them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// The pair key of cards 1..20 (index 0 unused).
std::vector<std::string> keys(const std::string& s) {
  const auto items = tapo::test::strings_after(s, "cards");  // "text", t, "key", k per card
  std::vector<std::string> out{""};
  for (std::size_t i = 3; i < items.size(); i += 4) out.push_back(items[i]);
  return out;
}

std::string click_card(int k) {
  const int x = 4 + 97 * ((k - 1) % 5) + 48, y = 31 + 97 * ((k - 1) / 5) + 48;
  return "click " + std::to_string(x) + " " + std::to_string(y) + "\nwait 100\n";
}

}  // namespace

// A wrong pair stays chosen until the next click (a click on one of its
// cards changes nothing); five wrong pairs leave a finished deal unpaid.
TEST(MemoryCards, AWrongPairWaitsForTheNextClickAndFiveEarnNothing) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 2, "HD:\\PEXESO\\INTRO.DAT");
  box.feed("wait 1500\n");
  const auto key = keys(tapo::test::held_dump(box));
  ASSERT_EQ(key.size(), 21u);
  for (int k = 1; k <= 5; ++k) {
    int other = 1;
    while (key[other] == key[k] || other == k) ++other;
    box.feed(click_card(k) + click_card(other));
    if (k == 1) {
      box.feed(click_card(k));
      const std::string s = tapo::test::held_dump(box);
      EXPECT_EQ(tapo::test::number_after(s, "open_count"), 2) << s;
      EXPECT_EQ(tapo::test::number_after(s, "first_card"), 1);
    }
  }
  for (int k = 1; k <= 20; ++k) {
    int mate = k + 1;
    while (mate <= 20 && key[mate] != key[k]) ++mate;
    if (mate > 20) continue;
    box.feed(click_card(k) + click_card(mate) + "wait 1200\n");
  }
  const PlayResult r = box.finish_held("wait-until talk-end\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::talk_count(r, "HD:\\PEXESO\\TOOMUCH.DAT"), 1);
  EXPECT_EQ(tapo::test::number_after(tapo::test::last_state(r), "wrong_pairs"), 5);
  EXPECT_TRUE(tapo::test::ini_writes(r).empty());
}
