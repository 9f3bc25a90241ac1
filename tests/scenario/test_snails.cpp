// The snail race played through the game: the driver picks a snail, starts
// the race and answers from `dump`.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/play.h"

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

// Three wrong answers bring a new example and do not hold the opponent up;
// left alone, it reaches the strawberry in 54 s and nothing is paid.
TEST(Snails, TheOpponentCrawlsOnAndWinsAlone) {
  Sandbox box;
  start_race(box);
  const std::string first = tapo::test::held_dump(box);
  const int answer = tapo::test::number_after(first, "answer_number");
  std::string wrong;
  for (int k = 0; k < 3; ++k) wrong += "click-control klik_cislo " + std::to_string((answer + 1 + k) % 11) + "\nwait 100\n";
  box.feed(wrong + "wait 300\n");
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
