// The sausage tug played through the game: the driver reads the accepted
// signs from `dump` and clicks their buttons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/play.h"
#include "tests/scenario/shots.h"

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

// Nobody answers: the opponent pulls 2 pixels every 1550 ms and wins as soon
// as the sausage is in his paws, well within a minute; no coins, the buttons
// do nothing meanwhile, the sausage comes back.
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
  // From the end of the introduction (the first example) to his win.
  long long started = -1, won = -1;
  for (const auto& line : r.trace) {
    if (line.event == "talk" && line.args.rfind("HD:\\PRETAH\\INTRO.DAT", 0) == 0) started = -2;
    if (line.event == "talk-end" && started == -2) started = line.ms;
    if (line.event == "anim" && line.args == "HD:\\PRETAH\\PRAVA.DAT" && won < 0) won = line.ms;
  }
  ASSERT_GE(started, 0) << r.dump();
  ASSERT_GE(won, 0);
  EXPECT_LT(won - started, 60000) << "he wins when the sausage reaches him, not a minute later";
  EXPECT_TRUE(tapo::test::ini_writes(r).empty());
  EXPECT_EQ(r.count("sound", "HD:\\UNI_SND\\CHYBA.WAV"), 0) << "a button clicked during the win does nothing";
  EXPECT_EQ(tapo::test::number_after(tapo::test::last_state(r), "sausage_x"), 308);
}

// A wrong sign is crossed on its button; after the third the right sign
// stands in the question mark's place, ticked, before the next example.
TEST(Tug, WrongSignsAreCrossedAndTheRightOneShownAfterTheLast) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 8, "HD:\\PRETAH\\INTRO.DAT");
  box.feed("wait 300\n");
  // An example that takes only one of the two level-1 signs.
  std::string s = tapo::test::held_dump(box);
  for (int n = 0; n < 10 && s.find("\"answer\": \"+-\"") != std::string::npos; ++n) {
    box.feed("click-control klikaci_plocha 0\nwait 1500\n");
    s = tapo::test::held_dump(box);
  }
  const auto at = s.find("\"answer\": \"");
  ASSERT_NE(at, std::string::npos) << s;
  const std::string answer = s.substr(at + 11, 1);
  ASSERT_TRUE(answer == "+" || answer == "-") << s;
  const std::string wrong = "click-control klikaci_plocha " + std::string(answer == "+" ? "1" : "0") + "\n";
  const auto before = box.root() / "before.bmp", crossed = box.root() / "crossed.bmp";
  box.feed("shot " + before.string() + "\n" + wrong + "wait-until judged wrong\ndump\nshot " + crossed.string() +
           "\nwait 300\n" + wrong + "wait 300\n" + wrong + "wait-until judged right\nwait 1000\ndump\nwait 1500\ndump\n");
  const PlayResult r = box.finish_held("");
  tapo::test::played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_GE(states.size(), 3u) << r.dump();
  tapo::test::expect_sign_seen(states[states.size() - 3].args, "wrong", answer == "+" ? "klikaci_plocha(1)" : "klikaci_plocha(0)",
                               before, crossed);
  const std::string& shown = states[states.size() - 2].args;
  EXPECT_NE(shown.find("\"verdict\": \"right\", \"where\": \"priklad\""), std::string::npos) << shown;
  EXPECT_EQ(tapo::test::number_after(shown, "number_a"), tapo::test::number_after(s, "number_a")) << "the same example";
  EXPECT_EQ(tapo::test::number_after(shown, "number_b"), tapo::test::number_after(s, "number_b"));
  const std::string& next = states.back().args;
  EXPECT_NE(next.find("\"busy\": false, \"wrong_count\": 0"), std::string::npos) << "then a new example: " << next;
  EXPECT_NE(next.find("\"example_shown\": true"), std::string::npos) << next;
  EXPECT_EQ(r.count("sound", "HD:\\UNI_SND\\CHYBA.WAV"), 3);
}
