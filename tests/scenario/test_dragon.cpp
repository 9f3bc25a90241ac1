// The dragon game played through the game: the driver rings the bell, reads
// how many figures rose from `dump` and clicks a number.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

// Right, right, three wrong tries (Tapo tells the answer), then three right:
// only the last three make a run, with the thumb and one coin.  While the
// figures rise no number can be clicked.
TEST(Dragon, EveryThirdRightAnswerInARowPaysACoin) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 1, "HD:\\DRAK\\INTRO.DAT");
  const std::vector<std::string> plan = {"R", "R", "WWW", "R", "R", "R"};
  int answered_by_tapo = 0;
  for (const std::string& tries : plan) {
    box.feed("click-control zvonec\nwait-until anim HD:\\DRAK\\D\n");
    std::string s = tapo::test::held_dump(box);
    EXPECT_EQ(s.find("klik_cislo("), std::string::npos) << "a number to click while figures rise";
    box.feed("wait 20000\n");
    s = tapo::test::held_dump(box);
    const int raised = tapo::test::number_after(s, "raised_count");
    ASSERT_GE(raised, 1) << s;
    EXPECT_NE(s.find("\"klik_cislo(" + std::to_string(raised) + ")\""), std::string::npos) << s;
    if (tries == "WWW") answered_by_tapo = raised;
    for (char t : tries)
      box.feed("click-control klik_cislo " + std::to_string(t == 'R' ? raised : raised % 10 + 1) + "\nwait 20000\n");
  }
  const PlayResult r = box.finish_held("dump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::talk_count(r, "HD:\\DRAK\\ZVEDL" + std::to_string(answered_by_tapo) + ".DAT"), 1);
  EXPECT_EQ(r.count("anim", "HD:\\DRAK\\PALEC.DAT"), 1);
  EXPECT_EQ(tapo::test::ini_writes(r), std::vector<std::string>{"HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=1"});
  EXPECT_EQ(tapo::test::number_after(tapo::test::last_state(r), "correct_run"), 0);
}
