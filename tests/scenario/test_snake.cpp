// The snake game played through the game: the driver reads the example's
// result from `dump` and types answers.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// The chain slides to show the typed digits; Enter counts once it stands.
std::string snake_answer(int n) { return "type " + std::to_string(n) + "\nwait 1500\nkey Enter\nwait 12000\n"; }

}  // namespace

// Wrong at step 1 stays at step 1; a fourth digit is dropped and with every
// digit erased the check does nothing; the mushrooms at step 8 come again
// after a step back; at step 47 the finale pays 25 coins and a new chain starts.
TEST(Snake, TheWalkGoesStepByStepToTheFinale) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 0, "HD:\\HAD\\INTRO.DAT");
  box.feed("wait 5000\n");
  std::string s = tapo::test::held_dump(box);
  EXPECT_EQ(tapo::test::number_after(s, "step"), 1) << s;
  int result = tapo::test::number_after(s, "result");
  box.feed(snake_answer(result + 1));
  s = tapo::test::held_dump(box);
  EXPECT_EQ(tapo::test::number_after(s, "step"), 1);
  box.feed("type 9999\n");
  s = tapo::test::held_dump(box);
  EXPECT_NE(s.find("\"answer\": \"999\""), std::string::npos) << s;
  box.feed("key Backspace\nkey Backspace\nkey Backspace\nkey Enter\nwait 3000\n");
  s = tapo::test::held_dump(box);
  EXPECT_NE(s.find("?\", \"answer\": \"\""), std::string::npos) << "the chain ends with ? again: " << s;
  for (int step = 2; step <= 47; ++step) {
    result = tapo::test::number_after(s, "result");
    if (step == 9) {  // one step back from 8, and on to 8 again
      box.feed(snake_answer(result + 1));
      s = tapo::test::held_dump(box);
      EXPECT_EQ(tapo::test::number_after(s, "step"), 7);
      box.feed(snake_answer(result));
      s = tapo::test::held_dump(box);
      result = tapo::test::number_after(s, "result");
    }
    box.feed(snake_answer(result) + (step == 47 ? "wait-until unload frm_prasatko\nwait 3000\n" : ""));
    s = tapo::test::held_dump(box);
  }
  const PlayResult r = box.finish_held("dump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(r.count("anim", "HD:\\HAD\\HRIBY.DAT"), 2);
  EXPECT_EQ(r.count("anim", "HD:\\HAD\\TAPOREV.DAT"), 1);
  EXPECT_EQ(tapo::test::ini_writes(r), std::vector<std::string>{"HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=25"});
  EXPECT_EQ(tapo::test::number_after(tapo::test::last_state(r), "step"), 1) << "a new chain";
}

// A position file too short for the walk is named, and the games menu comes back.
TEST(Snake, AShortPositionFileIsNamedAndTheMenuComesBack) {
  Sandbox box;
  box.copy_media();
  const auto positions = box.media() / "HAD" / "STOPY" / "POZICE.DAT";
  std::string text, line;
  {
    std::ifstream in(positions);
    for (int k = 0; k < 46 && std::getline(in, line); ++k) text += line + "\n";
  }
  std::ofstream(positions, std::ios::trunc) << text;
  tapo::test::open_toy(box, 1, 0, "");
  const PlayResult r = box.finish_held("wait-until msgbox\nwait 2000\ndump\n");
  const auto boxes = r.events("msgbox");
  ASSERT_EQ(boxes.size(), 1u) << r.dump();
  EXPECT_NE(boxes[0].args.find("POZICE.DAT"), std::string::npos) << boxes[0].args;
  EXPECT_NE(tapo::test::last_state(r).find("\"form\": \"frm_hry\""), std::string::npos);
}
