// The scales game played through the game: the child reads the pans (from
// `dump`, as a driver does), turns the sign and releases the lock.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/talk_files.h"
#include "platform/sound.h"
#include "tests/scenario/play.h"
#include "tests/scenario/shots.h"

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

// A wrong sign is crossed in its cell as the lock is released; then the
// right sign stands there, ticked, on the same pair, before the next one.
TEST(Scales, AWrongSignIsCrossedAndTheRightSignShownBeforeTheNextPair) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 7, "HD:\\VAHY\\INTRO.DAT");
  const std::string s = tapo::test::held_dump(box);
  const int l = number_after(s, "left_value"), r = number_after(s, "right_value");
  const std::string right = l > r ? ">" : l < r ? "<" : "=";
  const int wrong_clicks = (l > r ? 1 : l < r ? 2 : 3) % 3 + 1;  // ">" "<" "=" in turn
  std::string turn;
  for (int c = 0; c < wrong_clicks; ++c) turn += "click-control znamenko_pic\n";
  const auto before = box.root() / "before.bmp", crossed = box.root() / "crossed.bmp";
  box.feed(turn + "shot " + before.string() + "\nclick-control aretace\nwait-until judged wrong\ndump\nshot " +
           crossed.string() + "\nwait-until judged right\nwait 1000\ndump\nwait 10000\ndump\n");
  const PlayResult run = box.finish_held("");
  tapo::test::played_cleanly(run);
  const auto states = run.events("state");
  ASSERT_EQ(states.size(), 4u) << run.dump();
  tapo::test::expect_sign_seen(states[1].args, "wrong", "znamenko_pic", before, crossed);
  const std::string& shown = states[2].args;
  EXPECT_NE(shown.find("\"sign\": \"" + right + "\""), std::string::npos) << shown;
  EXPECT_NE(shown.find("\"verdict\": \"right\", \"where\": \"znamenko_pic\""), std::string::npos) << shown;
  EXPECT_EQ(number_after(shown, "left_value"), l) << "still the same pair";
  EXPECT_EQ(number_after(shown, "right_value"), r);
  EXPECT_NE(states[3].args.find("\"sign\": \"?\""), std::string::npos) << "then the next pair: " << states[3].args;
}

// A help played whole (no pauses) shows each of its sentences when the sound
// reaches it, though nothing else happens meanwhile, and none once it ends.
TEST(Scales, TheSpokenHelpIsCaptionedSentenceBySentence) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 7, "HD:\\VAHY\\INTRO.DAT", "CAPTIONS=1\r\n");
  const auto lines = tapo::core::read_captions(tapo::test::slurp(box.media() / "VAHY" / "HELP.TXT"));
  ASSERT_GE(lines.size(), 2u);
  const PlayResult r = box.finish_held("wait 3000\nclick-control kruh\nwait-until sound HD:\\VAHY\\HELP.WAV\nwait 60000\n");
  const auto help = r.events("sound");
  const auto at = std::find_if(help.begin(), help.end(), [](const auto& s) { return s.args == "HD:\\VAHY\\HELP.WAV"; });
  ASSERT_NE(at, help.end()) << r.dump();
  std::vector<tapo::test::TraceLine> shown;
  for (const auto& c : r.events("caption"))
    if (c.ms >= at->ms) shown.push_back(c);
  ASSERT_EQ(shown.size(), lines.size() + 1) << r.dump();
  for (size_t k = 0; k < lines.size(); ++k) {
    EXPECT_EQ(shown[k].args, lines[k].text);
    EXPECT_NEAR(shown[k].ms, at->ms + lines[k].start * 1000.0 / 44100, 2);
  }
  EXPECT_EQ(shown.back().args, "");
  const auto wav = tapo::platform::load_wav(box.media() / "VAHY" / "HELP.WAV");
  ASSERT_TRUE(wav);
  EXPECT_NEAR(shown.back().ms, at->ms + wav->data_bytes * 1000.0 / 44100, 2);
}
