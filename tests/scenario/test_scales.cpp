// The scales game played through the game: the child reads the pans (from
// `dump`, as a driver does), turns the sign and releases the lock.
#include <gtest/gtest.h>

#include <string>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

using tapo::test::number_after;

// Five right answers in a row: the fifth is cheered and pays two coins; a
// wrong answer is commented and the next pair comes all the same.
TEST(Scales, FiveRightAnswersPayTwoCoinsAndAWrongOneMovesOn) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 7, "HD:\\VAHY\\INTRO.DAT");
  for (int k = 1; k <= 6; ++k) {
    const std::string s = tapo::test::held_dump(box);
    ASSERT_FALSE(s.empty());
    EXPECT_NE(s.find("\"sign\": \"?\""), std::string::npos) << "a new pair starts without a sign";
    EXPECT_NE(s.find("\"lock_enabled\": false"), std::string::npos) << "no lock before a sign";
    const int l = number_after(s, "left_value"), r = number_after(s, "right_value");
    const int right_clicks = l > r ? 1 : l < r ? 2 : 3;  // ">" "<" "="
    const int clicks = k <= 5 ? right_clicks : right_clicks % 3 + 1;
    std::string turn;
    for (int c = 0; c < clicks; ++c) turn += "click-control znamenko_pic\n";
    box.feed(turn + "click-control aretace\nwait 20000\n");
  }
  const PlayResult r = box.finish_held("dump\n");
  tapo::test::played_cleanly(r);
  const auto said = tapo::test::talks(r);
  int cheers = 0, wrongs = 0;
  for (const auto& t : said) {
    cheers += t.rfind("HD:\\VAHY\\SPRAVNE", 0) == 0;
    wrongs += t.rfind("HD:\\VAHY\\SPATNE", 0) == 0;
  }
  EXPECT_EQ(cheers, 1) << r.dump();
  EXPECT_EQ(wrongs, 1);
  EXPECT_TRUE(r.has("ini", "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=2"));
  EXPECT_EQ(number_after(tapo::test::last_state(r), "correct_run"), 0);
}
