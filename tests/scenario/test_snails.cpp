// The snail race played through the game: the driver picks a snail, starts
// the race and answers from `dump`.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "games/sneci/layout.h"
#include "tests/scenario/play.h"
#include "tests/scenario/shots.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// Eva takes the second snail to the start and starts a race.
void start_race(Sandbox& box) {
  tapo::test::open_toy(box, 1, 3, "HD:\\HLEM\\INTRO.DAT");
  box.feed("wait-until anim-end HD:\\HLEM\\G1.DAT\nclick-control ruka\nclick-control snek_v_garazi\n"
           "wait-until anim-end HD:\\HLEM\\DOPLAZ\\SOUPER.DAT\nclick-control cmd_start\n"
           "wait-until anim-end HD:\\HLEM\\START.DAT\nwait 500\n");
}

int talks_starting(const PlayResult& r, const std::string& prefix) {
  int n = 0;
  for (const auto& t : tapo::test::talks(r)) n += t.rfind(prefix, 0) == 0;
  return n;
}

}  // namespace

// Ten right answers bring the child's snail to the strawberry before the
// opponent: the win is told, twelve coins paid, and both snails slide back.
TEST(Snails, TenRightAnswersWinTheRace) {
  Sandbox box;
  start_race(box);
  for (int k = 0; k < 10; ++k) {
    const std::string s = tapo::test::held_dump(box);
    ASSERT_EQ(tapo::test::number_after(s, "snail_no"), 2) << s;
    box.feed("click-control klik_cislo " + std::to_string(tapo::test::number_after(s, "answer_number")) + "\nwait 1300\n");
  }
  const PlayResult r = box.finish_held("wait-until unload frm_prasatko\nwait-until anim-end HD:\\HLEM\\JAHODA.DAT\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(talks_starting(r, "HD:\\HLEM\\VYHRAL"), 1);
  EXPECT_EQ(talks_starting(r, "HD:\\HLEM\\PROHRAL"), 0);
  EXPECT_EQ(tapo::test::ini_writes(r), std::vector<std::string>{"HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=12"});
  EXPECT_GE(r.count("anim", "HD:\\HLEM\\ZEROU\\Z2.DAT") + r.count("anim", "HD:\\HLEM\\ZEROU\\2S.DAT"), 1);
}

// Three wrong answers bring a new example (after the right answer is shown) and do not hold the opponent up;
// left alone, it reaches the strawberry in 54 s and nothing is paid.
TEST(Snails, TheOpponentCrawlsOnAndWinsAlone) {
  Sandbox box;
  start_race(box);
  const std::string first = tapo::test::held_dump(box);
  const int answer = tapo::test::number_after(first, "answer_number");
  std::string wrong;
  for (int k = 0; k < 3; ++k) wrong += "click-control klik_cislo " + std::to_string((answer + 1 + k) % 11) + "\nwait 100\n";
  box.feed(wrong + "wait 2500\n");
  const std::string after = tapo::test::held_dump(box);
  EXPECT_EQ(tapo::test::number_after(after, "previous_answer"), tapo::test::number_after(after, "answer_number"));
  EXPECT_NE(tapo::test::number_after(after, "answer_number"), answer) << "a new example after three wrong answers";
  const PlayResult r = box.finish_held("wait 60000\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(talks_starting(r, "HD:\\HLEM\\PROHRAL"), 1);
  EXPECT_TRUE(tapo::test::ini_writes(r).empty());
  EXPECT_EQ(r.count("sound", "HD:\\UNI_SND\\CHYBA.WAV"), 3);
}

// Leaving mid-race stops both clocks: no end sequence, nothing paid.
TEST(Snails, LeavingMidRaceEndsIt) {
  Sandbox box;
  start_race(box);
  const PlayResult r = box.finish_held("wait 6000\nclick-control stopy\nwait 70000\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(talks_starting(r, "HD:\\HLEM\\PROHRAL") + talks_starting(r, "HD:\\HLEM\\VYHRAL"), 0);
  EXPECT_TRUE(tapo::test::ini_writes(r).empty());
  EXPECT_NE(tapo::test::last_state(r).find("\"form\": \"frm_hry\""), std::string::npos);
}

// A wrong number stands crossed in the question mark's place; after the
// third the right number stands there, ticked, before the next example.
TEST(Snails, WrongNumbersAreCrossedInTheAnswersPlaceAndTheRightOneShown) {
  Sandbox box;
  start_race(box);
  const std::string first = tapo::test::held_dump(box);
  const int answer = tapo::test::number_after(first, "answer_number");
  auto click = [](int k) { return "click-control klik_cislo " + std::to_string(k % 11) + "\n"; };
  const auto before = box.root() / "before.bmp", crossed = box.root() / "crossed.bmp";
  box.feed("shot " + before.string() + "\n" + click(answer + 1) + "wait-until judged wrong\ndump\nshot " + crossed.string() +
           "\nwait 1500\n" + click(answer + 2) + "wait 100\n" + click(answer + 3) +
           "wait-until judged right\nwait 1000\ndump\nwait 1500\ndump\n");
  const PlayResult r = box.finish_held("");
  tapo::test::played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 4u) << r.dump();
  tapo::test::expect_sign_seen(states[1].args, "wrong", "otaznik", before, crossed);
  const std::string& shown = states[2].args;
  EXPECT_NE(shown.find("\"verdict\": \"right\", \"where\": \"otaznik\""), std::string::npos) << shown;
  EXPECT_EQ(tapo::test::number_after(shown, "answer_number"), answer) << "the same example";
  EXPECT_EQ(tapo::test::number_after(shown, "wrong_count"), 3);
  EXPECT_EQ(tapo::test::number_after(states[3].args, "wrong_count"), 0) << "then a new example";
}

// The whole garage answers the click, not only the snail in its doorway.
TEST(Snails, AClickOnTheGaragesWallSendsTheSnailToTheStart) {
  namespace sneci = tapo::games::sneci;
  const tapo::platform::Point wall{sneci::kGarage.x + 16, sneci::kGarage.y + sneci::kGarage.h - 12};
  ASSERT_FALSE(sneci::kGarageSnail.contains(wall.x, wall.y));
  Sandbox box;
  tapo::test::open_toy(box, 1, 3, "HD:\\HLEM\\INTRO.DAT");
  const PlayResult r = box.finish_held("wait-until anim-end HD:\\HLEM\\G1.DAT\nclick " + std::to_string(wall.x) + " " +
                                       std::to_string(wall.y) + "\nwait-until anim-end HD:\\HLEM\\DOPLAZ\\SOUPER.DAT\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_TRUE(r.has("anim", "HD:\\HLEM\\DOPLAZ\\H1D.DAT")) << "the snail crawls to the start";
  EXPECT_NE(tapo::test::last_state(r).find("\"garage_open\": false"), std::string::npos) << tapo::test::last_state(r);
}
