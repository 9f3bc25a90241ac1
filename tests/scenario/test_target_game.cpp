// The target game in scripted play on the demo pack: from the players' screen
// through the games menu to the pirate's targets; answers right and wrong,
// coins, praise, bonus shows, the digit keys, and leaving.
//
// Runs on the virtual clock are repeatable, so a test learns the total of an
// example from a `dump` of one run and answers it in the next run of the same
// script.  Scripts click controls by name and wait for the game's own events.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "games/terc/layout.h"
#include "tests/record_rows.h"
#include "tests/scenario/play.h"
#include "tests/scenario/shots.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;
using tapo::test::slurp;

namespace {

// Past the opening picture and Tapo's greeting; a new player Eva at a level;
// the games menu.
std::string to_menu(int level) {
  return "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n"
         "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\ntype Eva\n"
         "click-control level_plocha " + std::to_string(level - 1) + "\n"
         "click-control cmd_hry\nwait-until hide frm_hraci\n";
}
const std::string kPirate = "click-control akt_plocha 6\n";
// The shots of an example have been fired: the game waits for the answer
// (but after every seventh example's bonus show, which follows the shots).
const std::string kShot = "wait-until anim-end HD_SHORT:\\STRELBA.DAT\n";
// The pirate toy, past the introduction, to the first example.
std::string to_game(int level) { return to_menu(level) + kPirate + kShot; }
const std::string kLeave = "click-control stopy\n";

// A number typed on the keyboard.
std::string typed(int n) {
  std::string s;
  for (char c : std::to_string(n)) s += std::string("key ") + c + "\n";
  return s;
}
// An answer typed and checked: the praise and the coin, then the next example.
std::string answer(int n) { return typed(n) + "key Enter\n" + kShot; }
// A wrong answer (an empty one counts as 0): the first is commented, the
// second ends the example and the next is shot.
const std::string kFirstWrong = "key Enter\nwait-until talk-end\n";
const std::string kSecondWrong = "key Enter\n" + kShot;
// A wrong answer (one more than `total`) checked and then erased: the child may try again.
std::string wrong_then_erased(int total) {
  return typed(total + 1) + kFirstWrong + "key Backspace\nkey Backspace\nkey Backspace\n";
}
// Two wrong answers, after which example number `next` is posed (with its
// bonus show when it is a seventh).
std::string two_wrong(int next) {
  std::string s = kFirstWrong + kSecondWrong;
  if (next % 7 == 0) s += std::string("wait-until anim-end HD:\\TERC\\") + (next % 14 ? "JABKO" : "HLAVA") + ".DAT\n";
  return s;
}

int number_in(const std::string& state, const std::string& name) {
  const std::string key = "\"" + name + "\": ";
  const auto at = state.find(key);
  if (at == std::string::npos) return -1;
  return std::stoi(state.substr(at + key.size()));
}

// The total of the example posed at the end of `script`, played in a
// sandbox of its own (a run changes the players' files).
int total_after(const std::string& script) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(script + "dump\n");
  return number_in(last_state(r), "target_total");
}

int count_anim(const PlayResult& r, const std::string& script) { return r.count("anim", script); }


}  // namespace

TEST(TargetGame, TheFirstExampleFollowsTheIntroductionAndTheShots) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(to_game(1) + "dump\n");
  played_cleanly(r);
  const std::string s = last_state(r);
  EXPECT_NE(s.find("\"form\": \"frm_terc\""), std::string::npos) << s;
  EXPECT_EQ(talks(r).back(), "HD:\\TERC\\INTRO.DAT");
  EXPECT_EQ(count_anim(r, "HD_SHORT:\\SKOK.DAT"), 1) << r.dump();
  EXPECT_EQ(count_anim(r, "HD_SHORT:\\STRELBA.DAT"), 1) << r.dump();
  EXPECT_EQ(number_in(s, "example_count"), 1) << s;
  EXPECT_EQ(number_in(s, "wrong_count"), 0) << s;
  const int total = number_in(s, "target_total"), hits = number_in(s, "hit_count");
  EXPECT_GE(total, 1);
  EXPECT_LE(total, 10);
  EXPECT_GE(hits, 1);
  EXPECT_LE(hits, 3);
  EXPECT_EQ(number_in(s, "holes"), hits) << "every level-1 shot is a hole in the lower target: " << s;
  EXPECT_EQ(number_in(s, "upper_target_no"), 0) << "no upper target below level 3";
  EXPECT_NE(s.find("\"buttons_enabled\": true"), std::string::npos) << s;
}

TEST(TargetGame, ARightAnswerAtTheFirstTryEarnsACoin) {
  Sandbox box;
  box.write_default_config();
  const int total = total_after(to_game(1));
  ASSERT_GT(total, 0);
  const PlayResult r = box.play(to_game(1) + answer(total) + "dump\n");
  played_cleanly(r);
  const auto writes = ini_writes(r);
  ASSERT_EQ(writes.size(), 5u) << r.dump();
  EXPECT_EQ(writes.back(), "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=1");
  const std::string praise = talks(r).back();
  EXPECT_TRUE(praise == "HD:\\TERC\\SPRAVNE1.DAT" || praise == "HD:\\TERC\\SPRAVNE2.DAT" ||
              praise == "HD:\\TERC\\SPRAVNE3.DAT")
      << praise;
  const std::string s = last_state(r);
  EXPECT_EQ(number_in(s, "player_coins"), 1) << s;
  EXPECT_EQ(number_in(s, "streak"), 1) << s;
  EXPECT_EQ(number_in(s, "example_count"), 2) << "a new example follows: " << s;
  EXPECT_NE(s.find("\"answer\": \"\""), std::string::npos) << s;
  EXPECT_EQ(number_in(s, "holes"), number_in(s, "hit_count")) << "the old holes are gone: " << s;
  EXPECT_EQ(number_in(s, "cursor"), 0) << "the pointer is back: " << s;
}

// The window closed, or the program told to end, while Tapo praises: the
// coin is kept, though the piggy bank never counts it in.
TEST(TargetGame, EndingTheProgramDuringThePraiseKeepsTheCoin) {
  const int total = total_after(to_game(1));
  ASSERT_GT(total, 0);
  std::string typed;
  for (char c : std::to_string(total)) typed += std::string("key ") + c + "\n";
  typed += "key Enter\nwait-until talk\n";
  {
    SCOPED_TRACE("the close button");
    Sandbox box;
    box.write_default_config();
    const PlayResult r = box.play(to_game(1) + typed + "wait 300\nclose\nwait 10000\n");
    EXPECT_EQ(r.count("show", "frm_prasatko"), 0) << r.dump();
    EXPECT_EQ(ini_writes(r).back(), "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=1") << r.dump();
    EXPECT_NE(slurp(box.data() / "VYSLEDKY.DAT").find("Dukaty=1\r\n"), std::string::npos);
  }
  {
    SCOPED_TRACE("SIGTERM");
    Sandbox box;
    box.write_default_config();
    box.start_held(to_game(1) + typed);
    const auto praising = [&box] {
      const auto t = box.held_trace().events("talk");
      return !t.empty() && t.back().args.find("SPRAVNE") != std::string::npos;
    };
    for (int i = 0; i < 2000 && !praising(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(praising());
    box.kill_held("", 0, SIGTERM);
    EXPECT_EQ(box.held_trace().count("show", "frm_prasatko"), 0);
    EXPECT_NE(slurp(box.data() / "VYSLEDKY.DAT").find("Dukaty=1\r\n"), std::string::npos);
  }
}

TEST(TargetGame, ARightAnswerAfterAWrongOneIsPraisedWithoutACoin) {
  Sandbox box;
  box.write_default_config();
  const int total = total_after(to_game(2));
  ASSERT_GT(total, 0);
  const PlayResult r = box.play(to_game(2) + wrong_then_erased(total) + "dump\n" + answer(total) + "dump\n");
  played_cleanly(r);
  EXPECT_EQ(ini_writes(r).size(), 4u) << "only the new player's keys: " << r.dump();
  const auto said = talks(r);
  ASSERT_GE(said.size(), 2u);
  EXPECT_EQ(said[said.size() - 2].rfind("HD:\\TERC\\SPATNE", 0), 0u) << said[said.size() - 2];
  EXPECT_EQ(said.back(), "HD:\\TERC\\SPRAVNE2.DAT");
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_EQ(number_in(states[0].args, "wrong_count"), 1) << states[0].args;
  EXPECT_EQ(number_in(states[0].args, "example_count"), 1) << "the child may try again: " << states[0].args;
  EXPECT_EQ(number_in(states[1].args, "streak"), 1) << states[1].args;
  EXPECT_EQ(number_in(states[1].args, "player_coins"), 0) << states[1].args;
  EXPECT_EQ(number_in(states[1].args, "example_count"), 2) << states[1].args;
}

// Every check goes into the learning record: the example as the child reads
// it, the answer expected and given, which try, and the time since the
// example could be answered, on the game's clock.
TEST(TargetGame, EveryCheckIsWrittenToTheLearningRecord) {
  Sandbox box;
  box.write_default_config();
  const int total = total_after(to_game(2));
  ASSERT_GT(total, 0);
  const PlayResult r = box.play(to_game(2) + "wait 1500\n" + wrong_then_erased(total) + answer(total));
  played_cleanly(r);

  const auto rows = tapo::test::record_rows(
      box.data() / "DENIK.DB",
      "SELECT slot, piglet, game, level, example, expected, given, right, attempt, ms FROM answers ORDER BY id");
  ASSERT_EQ(rows.size(), 2u);
  const auto& [first, second] = std::tie(rows[0], rows[1]);
  for (const auto* row : {&first, &second}) {
    EXPECT_EQ(std::vector<std::string>(row->begin(), row->begin() + 4),
              (std::vector<std::string>{"PRP", "Eva", "frm_terc", "2"}));
    EXPECT_EQ((*row)[5], std::to_string(total));
  }
  // The example is the sum of the shots the child sees.
  int sum = 0;
  std::istringstream terms(first[4]);
  for (std::string term; terms >> term && term != "=";)
    if (term != "+") sum += std::stoi(term);
  EXPECT_EQ(sum, total) << first[4];
  EXPECT_EQ(first[4].substr(first[4].size() - 4), " = ?");
  // given, right, try
  EXPECT_EQ(std::vector<std::string>(first.begin() + 6, first.begin() + 9),
            (std::vector<std::string>{std::to_string(total + 1), "0", "1"}));
  EXPECT_EQ(std::vector<std::string>(second.begin() + 6, second.begin() + 9),
            (std::vector<std::string>{std::to_string(total), "1", "2"}));
  EXPECT_GE(std::stoi(first[9]), 1500) << "waited 1500 ms before answering";
  EXPECT_LT(std::stoi(first[9]), 1600);
  EXPECT_GT(std::stoi(second[9]), std::stoi(first[9])) << "both timed from when the example could be answered";
}

TEST(TargetGame, TwoWrongAnswersEndTheExample) {
  Sandbox box;
  box.write_default_config();
  // An empty answer counts as 0, never a total.
  const PlayResult r = box.play(to_game(1) + two_wrong(2) + "dump\n");
  played_cleanly(r);
  EXPECT_EQ(count_anim(r, "HD:\\TERC\\NE.DAT"), 1) << r.dump();
  EXPECT_EQ(count_anim(r, "HD_SHORT:\\STRELBA.DAT"), 2) << r.dump();
  EXPECT_EQ(ini_writes(r).size(), 4u);
  const std::string s = last_state(r);
  EXPECT_EQ(number_in(s, "example_count"), 2) << s;
  EXPECT_EQ(number_in(s, "wrong_count"), 0) << s;
  EXPECT_EQ(number_in(s, "streak"), 0) << s;
}

// Each check shows its verdict on the answer box at once (before Tapo
// speaks); after a judged answer the next digit starts a new one; after the
// second miss the right total is shown, ticked, before the next example.
TEST(TargetGame, EveryCheckIsJudgedOnTheAnswerBoxAndTheRightTotalIsShownAfterTwoMisses) {
  Sandbox box;
  box.write_default_config();
  const int total = total_after(to_game(1));
  ASSERT_GT(total, 0);
  const std::filesystem::path typed = box.root() / "typed.bmp", judged = box.root() / "judged.bmp";
  const std::string wrong = std::to_string(total + 1), first_digit = std::to_string(total).substr(0, 1);
  std::string script = to_game(1);
  for (char c : wrong) script += std::string("key ") + c + "\n";
  script += "shot " + typed.string() + "\nkey Enter\nwait 100\nshot " + judged.string() + "\ndump\n" +
            "wait-until talk-end\nkey " + first_digit + "\ndump\nkey Enter\n" + kSecondWrong;
  const PlayResult r = box.play(script);
  played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u) << r.dump();
  tapo::test::expect_sign_seen(states[0].args, "wrong", "zakuv_vysledek", typed, judged);
  EXPECT_NE(states[1].args.find("\"answer\": \"" + first_digit + "\""), std::string::npos)
      << "a new answer, not added to the judged one: " << states[1].args;
  // The second check: wrong (unless the one digit was right), then the
  // right total ticked before the next shots.
  std::vector<std::string> verdicts;
  for (const auto& j : r.events("judged")) verdicts.push_back(j.args);
  const bool second_right = total < 10;
  if (second_right) {
    EXPECT_EQ(verdicts, (std::vector<std::string>{"wrong zakuv_vysledek", "right zakuv_vysledek"})) << r.dump();
  } else {
    EXPECT_EQ(verdicts, (std::vector<std::string>{"wrong zakuv_vysledek", "wrong zakuv_vysledek", "right zakuv_vysledek"}))
        << r.dump();
    EXPECT_LT(r.events("judged").back().ms, r.events("anim").back().ms) << "shown before the next example";
  }
}

// With captions on, Tapo's sentences are shown where they cover none of the
// digit buttons below the scene, though the buttons wait while he talks.
TEST(TargetGame, CaptionsKeepClearOfTheAnswerButtons) {
  Sandbox box;
  box.write_default_config();
  std::ofstream(box.config_dir() / "TAPO.INI", std::ios::app) << "CAPTIONS=1\r\n";
  const PlayResult r = box.play(to_game(1) + "key 9\nkey Enter\nwait-until caption\ndump\n");
  const std::string s = last_state(r);
  const auto strip = tapo::test::numbers_after(s, "caption_strip");
  ASSERT_EQ(strip.size(), 4u) << s;
  const tapo::platform::Rect at{strip[0], strip[1], strip[2], strip[3]};
  for (const auto& button : tapo::games::terc::kButtons) EXPECT_TRUE(intersection(at, button).empty()) << s;
}

TEST(TargetGame, TheSeventhExampleShowsTheAppleAndTheFourteenthTheHead) {
  Sandbox box;
  box.write_default_config();
  std::string script = to_game(1);
  for (int example = 2; example <= 14; ++example) script += two_wrong(example);
  const PlayResult r = box.play(script + "dump\n");
  played_cleanly(r);
  const auto anims = r.events("anim");
  std::vector<std::string> bonus;
  int examples = 0;
  for (const auto& a : anims) {
    if (a.args == "HD_SHORT:\\STRELBA.DAT") ++examples;
    if (a.args == "HD:\\TERC\\JABKO.DAT" || a.args == "HD:\\TERC\\HLAVA.DAT")
      bonus.push_back(std::to_string(examples) + " " + a.args);
  }
  EXPECT_EQ(examples, 14);
  EXPECT_EQ(bonus, (std::vector<std::string>{"7 HD:\\TERC\\JABKO.DAT", "14 HD:\\TERC\\HLAVA.DAT"})) << r.dump();
  const std::string s = last_state(r);
  EXPECT_EQ(number_in(s, "example_count"), 14) << s;
  EXPECT_NE(s.find("\"bonus_clip\": \"JABKO\""), std::string::npos) << s;
}

TEST(TargetGame, TheFifthRightAnswerInARowIsCheeredWithoutWordsAndStillPaid) {
  Sandbox box;
  box.write_default_config();
  std::string script = to_game(1);
  for (int i = 0; i < 5; ++i) {
    const int total = total_after(script);
    ASSERT_GT(total, 0) << "example " << i + 1;
    script += answer(total);
  }
  const PlayResult r = box.play(script + "dump\n");
  played_cleanly(r);
  EXPECT_EQ(count_anim(r, "HD_SHORT:\\SUPER.DAT"), 1) << r.dump();
  int praise = 0;
  for (const auto& t : talks(r)) praise += t.rfind("HD:\\TERC\\SPRAVNE", 0) == 0;
  EXPECT_EQ(praise, 4) << "the fifth is not spoken";
  const auto writes = ini_writes(r);
  ASSERT_EQ(writes.size(), 9u) << r.dump();
  EXPECT_EQ(writes.back(), "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=5");
  EXPECT_EQ(number_in(last_state(r), "streak"), 5);
}

TEST(TargetGame, DigitsAreTypedWithoutLeadingZeroUpToThreeAndOnlyWhileTheButtonsWork) {
  Sandbox box;
  box.write_default_config();
  // A digit pressed while Tapo introduces the game is ignored.
  const PlayResult r = box.play(to_menu(1) + kPirate + "wait-until talk HD:\\TERC\\INTRO.DAT\nkey 7\n" + kShot + "dump\n" +
                                "key 0\nkey 1\nkey 2\nkey 3\nkey 4\ndump\nkey Backspace\ndump\n" +
                                "click-control cislice 1\nclick-control cislice 6\ndump\n");
  played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 4u) << r.dump();
  EXPECT_NE(states[0].args.find("\"answer\": \"\""), std::string::npos) << states[0].args;
  EXPECT_NE(states[1].args.find("\"answer\": \"123\""), std::string::npos) << states[1].args;
  EXPECT_NE(states[2].args.find("\"answer\": \"12\""), std::string::npos) << states[2].args;
  // The buttons: 1 then 6 (the third digit).
  EXPECT_NE(states[3].args.find("\"answer\": \"121\""), std::string::npos) << states[3].args;
}

TEST(TargetGame, LeavingDuringTheIntroductionPosesNoExample) {
  Sandbox box;
  box.write_default_config();
  // Out by the footprints while Tapo introduces the game.
  const PlayResult r =
      box.play(to_menu(1) + kPirate + "wait-until talk HD:\\TERC\\INTRO.DAT\nwait 800\n" + kLeave + "wait 20000\ndump\n");
  played_cleanly(r);
  EXPECT_EQ(r.count("talk-end", "aborted"), 1) << r.dump();
  EXPECT_EQ(count_anim(r, "HD_SHORT:\\SKOK.DAT"), 0) << r.dump();
  EXPECT_EQ(count_anim(r, "HD_SHORT:\\STRELBA.DAT"), 0) << r.dump();
  EXPECT_NE(last_state(r).find("\"form\": \"frm_hry\""), std::string::npos) << last_state(r);
}

TEST(TargetGame, TargetsListingOnePlacePerValueNeverHangTheGame) {
  Sandbox box;
  box.copy_media();
  box.write_default_config();
  // Every lower target lists a single hole position per ring value.
  for (int n = 1; n <= 4; ++n) {
    std::ofstream out(box.media() / "TERC" / "TERCE" / ("1_" + std::to_string(n) + ".DAT"), std::ios::binary);
    for (int v = 1; v <= 9; ++v) out << v << ",1\r\n" << 80 + 8 * v << ",90\r\n";
  }
  std::string script = to_game(2);
  for (int example = 2; example <= 9; ++example) script += two_wrong(example) + "dump\n";
  const PlayResult r = box.play(script);
  played_cleanly(r);
  EXPECT_EQ(r.exit_code, 0) << r.dump();
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 8u) << r.dump();
  int with_a_repeat = 0;
  for (const auto& s : states) {
    // A value hit twice has its one place taken already: one hole per value.
    std::set<int> values;
    std::istringstream hits(s.args.substr(s.args.find("\"hits\": [") + 9));
    for (int k = 0, v = 0; k < 5 && hits >> v; ++k) {
      if (v != 0) values.insert(v);
      hits.ignore(1);
    }
    with_a_repeat += static_cast<int>(values.size()) < number_in(s.args, "hit_count");
    EXPECT_EQ(number_in(s.args, "holes"), static_cast<int>(values.size())) << s.args;
    EXPECT_NE(s.args.find("\"buttons_enabled\": true"), std::string::npos) << s.args;
  }
  EXPECT_GT(with_a_repeat, 0) << "some example hits a value twice";
  EXPECT_EQ(number_in(states.back().args, "example_count"), 9);
}

TEST(TargetGame, TheWholeRouteFromStartUpToTheEndKeepsExactlyTheCoinsEarned) {
  // Three right answers at the first try and one wrong one; back to the
  // menu, back to the players, the bell, the closing picture, the end.
  std::string script = to_game(1);
  for (int i = 0; i < 3; ++i) {
    const int total = total_after(script);
    ASSERT_GT(total, 0);
    script += answer(total);
  }
  const int total = total_after(script);
  for (char c : std::to_string(total + 1)) script += std::string("key ") + c + "\n";
  script += kFirstWrong + "dump\n" + kLeave + "wait-until show frm_hry\ndump\n" +
            "click-control cmd_vyber_hracu\nwait-until unload frm_hry\ndump\n" +
            "click-control zvonec\nwait-until show frm_inout\nclick 10 10\nwait 2000\n";
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(script);
  played_cleanly(r);
  EXPECT_EQ(r.exit_code, 0) << r.dump();
  EXPECT_EQ(r.trace.back().event, "exit") << r.dump();
  std::vector<std::string> shown;
  for (const auto& t : r.events("show")) shown.push_back(t.args);
  EXPECT_EQ(shown, (std::vector<std::string>{"frm_inout", "frm_hraci", "frm_hry", "frm_terc", "frm_prasatko",
                                             "frm_prasatko", "frm_prasatko", "frm_hry", "frm_hraci", "frm_inout"}))
      << r.dump();
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 3u) << r.dump();
  EXPECT_EQ(number_in(states[0].args, "wrong_count"), 1) << states[0].args;
  EXPECT_EQ(number_in(states[0].args, "player_coins"), 3) << states[0].args;
  EXPECT_NE(states[1].args.find("\"form\": \"frm_hry\""), std::string::npos) << states[1].args;
  EXPECT_NE(states[2].args.find("\"form\": \"frm_hraci\""), std::string::npos) << states[2].args;
  EXPECT_EQ(ini_writes(r), (std::vector<std::string>{
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=0",
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Hracky=00000000000000000000000000000000000000",
                               "HD_SHORT:\\HRACI.DAT PRP Jmeno=Eva", "HD_SHORT:\\HRACI.DAT PRP Level=1",
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=1", "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=2",
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=3"}))
      << r.dump();
  const std::string roster = slurp(box.data() / "HRACI.DAT"), results = slurp(box.data() / "VYSLEDKY.DAT");
  EXPECT_NE(roster.find("[PRP]"), std::string::npos) << roster;
  EXPECT_NE(roster.find("Jmeno=Eva"), std::string::npos) << roster;
  EXPECT_NE(roster.find("Level=1"), std::string::npos) << roster;
  EXPECT_NE(results.find("Dukaty=3"), std::string::npos) << results;
  EXPECT_EQ(results.find("Dukaty=0"), std::string::npos) << "the balance is rewritten in place: " << results;
  EXPECT_NE(results.find("Hracky=00000000000000000000000000000000000000"), std::string::npos) << results;
}
