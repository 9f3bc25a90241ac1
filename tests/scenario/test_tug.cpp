// The sausage tug played through the game: the driver reads the accepted
// signs from `dump` and clicks their buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// The button of the first accepted sign.
int button_of(const std::string& answer) {
  const std::string signs = "+-.:<=>";
  return static_cast<int>(signs.find(answer.at(0)));
}

}  // namespace

// Right signs make Tapo win the tug against the opponent's pulls: twelve
// coins, and the sausage slides back to the middle.
TEST(Tug, TapoWinsWithRightSignsAndTheSausageComesBack) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 8, "HD:\\PRETAH\\INTRO.DAT");
  box.feed("wait 300\n");
  int pulls = 0;
  for (; pulls < 30; ++pulls) {
    const std::string s = tapo::test::held_dump(box);
    if (tapo::test::number_after(s, "sausage_x") <= 152 || s.find("\"example_shown\": false") != std::string::npos) break;
    const auto at = s.find("\"answer\": \"");
    ASSERT_NE(at, std::string::npos) << s;
    box.feed("click-control klikaci_plocha " + std::to_string(button_of(s.substr(at + 11))) + "\nwait 700\n");
  }
  EXPECT_GE(pulls, 12) << "Tapo needs twelve pulls from the middle at least";
  const PlayResult r = box.finish_held("wait-until anim HD:\\PRETAH\\TAPO1RV_.DAT\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::ini_writes(r), std::vector<std::string>{"HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=12"});
  EXPECT_EQ(tapo::test::number_after(tapo::test::last_state(r), "sausage_x"), 308);
  EXPECT_EQ(r.count("anim", "HD:\\PRETAH\\LEVA.DAT"), 1);
}

// Nobody answers: the opponent pulls 2 pixels every 1550 ms and wins after
// 78 pulls; no coins, the buttons do nothing meanwhile, the sausage comes back.
TEST(Tug, TheOpponentWinsAlone) {
  Sandbox box;
  tapo::test::open_toy(box, 2, 8, "HD:\\PRETAH\\INTRO.DAT");
  box.feed("wait 300\n");
  const std::string first = tapo::test::held_dump(box);
  box.feed("wait 15500\n");
  const std::string later = tapo::test::held_dump(box);
  EXPECT_NEAR(tapo::test::number_after(later, "sausage_x") - tapo::test::number_after(first, "sausage_x"), 20, 2)
      << "ten pulls in 15.5 s";
  const PlayResult r = box.finish_held("wait-until anim HD:\\PRETAH\\PRAVA.DAT\nclick 124 440\nclick 448 440\n"
                                       "wait-until anim-end HD:\\PRETAH\\PES1_REV.DAT\nwait 2500\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_TRUE(tapo::test::ini_writes(r).empty());
  EXPECT_EQ(r.count("sound", "HD:\\UNI_SND\\CHYBA.WAV"), 0) << "a button clicked during the win does nothing";
  EXPECT_EQ(tapo::test::number_after(tapo::test::last_state(r), "sausage_x"), 308);
}
