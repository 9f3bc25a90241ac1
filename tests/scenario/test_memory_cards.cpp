// The memory cards played through the game: the driver reads the cards'
// pair keys from `dump` and clicks them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/scenario/play.h"
#include "tests/scenario/shots.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// The pair key of cards 1..20 (index 0 unused).
std::vector<std::string> keys(const std::string& s) {
  const auto items = tapo::test::strings_after(s, "cards");  // "text", t, "key", k, "visible" per card
  std::vector<std::string> out{""};
  for (std::size_t i = 0; i + 1 < items.size(); ++i)
    if (items[i] == "key") out.push_back(items[i + 1]);
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
  const std::string dealt = tapo::test::held_dump(box);
  const auto key = keys(dealt);
  ASSERT_EQ(key.size(), 21u) << dealt;
  // Five wrong pairs, each of cards the wrong pair before did not hold (those
  // stay chosen and cannot be clicked until another card is).
  std::vector<int> last;
  auto free = [&](int k) { return std::find(last.begin(), last.end(), k) == last.end(); };
  for (int n = 0; n < 5; ++n) {
    int a = 1;
    while (!free(a)) ++a;
    int b = 1;
    while (!free(b) || b == a || key[b] == key[a]) ++b;
    box.feed(click_card(a) + click_card(b));
    if (n == 0) {
      box.feed(click_card(a));
      const std::string s = tapo::test::held_dump(box);
      EXPECT_EQ(tapo::test::number_after(s, "open_count"), 2) << s;
      EXPECT_EQ(tapo::test::number_after(s, "first_card"), a);
    }
    last = {a, b};
  }
  // Then every pair, the first of them away from the last wrong pair.
  std::vector<std::pair<int, int>> pairs;
  for (int k = 1; k <= 20; ++k)
    for (int mate = k + 1; mate <= 20; ++mate)
      if (key[mate] == key[k]) pairs.push_back({k, mate});
  std::stable_partition(pairs.begin(), pairs.end(), [&](auto p) { return free(p.first) && free(p.second); });
  for (auto [k, mate] : pairs) box.feed(click_card(k) + click_card(mate) + "wait 1200\n");
  const PlayResult r = box.finish_held("wait-until talk-end\ndump\nwait 1500\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::talk_count(r, "HD:\\PEXESO\\TOOMUCH.DAT"), 1);
  const auto states = r.events("state");
  ASSERT_GE(states.size(), 2u);
  EXPECT_EQ(tapo::test::number_after(states[states.size() - 2].args, "wrong_pairs"), 5);
  EXPECT_TRUE(tapo::test::ini_writes(r).empty());
  EXPECT_NE(states.back().args.find("\"klikaci_plocha(1)\""), std::string::npos)
      << "the next deal is played as soon as it is dealt: " << states.back().args;
}

// Each pair is judged on the card that completes it: a wrong one crossed, a
// right one ticked.
TEST(MemoryCards, APairIsJudgedOnTheCardThatCompletesIt) {
  Sandbox box;
  tapo::test::open_toy(box, 2, 2, "HD:\\PEXESO\\INTRO.DAT");
  box.feed("wait 1500\n");
  const auto key = keys(tapo::test::held_dump(box));
  ASSERT_EQ(key.size(), 21u);
  int mate = 2;
  while (key[mate] != key[1]) ++mate;
  const int other = mate == 2 ? 3 : 2;  // not the mate of card 1
  const auto crossed = box.root() / "crossed.bmp", later = box.root() / "later.bmp";
  const PlayResult r = box.finish_held(click_card(1) + click_card(other) + "wait-until judged wrong\ndump\nshot " + crossed.string() +
                                       "\nwait 1500\nshot " + later.string() + "\n" + click_card(mate) + click_card(1) + "wait 300\n");
  tapo::test::played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u) << r.dump();
  tapo::test::expect_sign_seen(states[1].args, "wrong", "klikaci_plocha(" + std::to_string(other) + ")", later, crossed);
  EXPECT_TRUE(r.has("judged", "right klikaci_plocha(1)")) << r.dump();
}
