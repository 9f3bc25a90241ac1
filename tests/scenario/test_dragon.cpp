// The dragon game played through the game: the driver rings the bell, reads
// how many figures rose from `dump` and clicks a number.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "games/drak/layout.h"
#include "platform/clip.h"
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
    const std::string controls = s.substr(std::min(s.size(), s.find("\"controls\"")));
    EXPECT_EQ(controls.find("klik_cislo("), std::string::npos) << "a number to click while figures rise";
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

// The figures carry no numbers, the count is what is asked: risen, every
// figure holds the very same ball, pixel for pixel, and the ball is there
// (the figure at rest shows something else at its place).
TEST(DemoPack, TheDragonsFiguresHoldNoNumbers) {
  namespace drak = tapo::games::drak;
  const int r = drak::kBallRadius * 2 / 3;  // inside the paws that hold it
  const tapo::platform::Point mid = drak::kBallInClip;
  auto ball = [&](const tapo::platform::Surface& s) {
    std::vector<tapo::platform::Rgb> px;
    for (int y = -r; y <= r; ++y)
      for (int x = -r; x <= r; ++x)
        if (x * x + y * y <= r * r) px.push_back(s.at(mid.x + x, mid.y + y));
    return px;
  };
  std::vector<tapo::platform::Rgb> first;
  for (int d = 1; d <= drak::kFigures; ++d) {
    SCOPED_TRACE("figure " + std::to_string(d));
    auto clip = tapo::platform::Clip::open(std::filesystem::path(TAPO_DEMO_DIR) / "media" / "DRAK" /
                                           ("D" + std::to_string(d) + "UP.AVI"));
    ASSERT_TRUE(clip);
    const tapo::platform::Surface* rest = clip->frame(clip->start());
    ASSERT_TRUE(rest);
    const auto at_rest = ball(*rest);
    const tapo::platform::Surface* up = clip->frame(clip->start() + clip->length() - 1);
    ASSERT_TRUE(up);
    const auto held = ball(*up);
    EXPECT_NE(held, at_rest);
    if (d == 1) first = held;
    EXPECT_EQ(held, first) << "a figure holds something of its own";
  }
}
