// The drill workbook played through the game: the child picks a kind of
// examples by its row, fills the page in from what `dump` shows (as a driver
// does) and has it marked.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

using tapo::test::held_dump;
using tapo::test::number_after;

// Eva at level 1 opens the workbook and picks the kind of examples of `row`
// (by clicking that row of the picture of kinds); the page is laid out.
void open_page(Sandbox& box, int row) {
  tapo::test::open_toy(box, 1, 5, "HD:\\DRIL\\INTRO2.DAT");
  const int x = row <= 5 ? 185 : 455, y = 210 + 40 * ((row - 1) % 5);
  box.feed("click " + std::to_string(x) + " " + std::to_string(y) + "\nwait-until plane-end\n");
}

}  // namespace

// A page with an empty box is refused and stays open; filled in (Enter
// moving row to row, from row 10 back to row 1, letters dropped) and right,
// it is ticked and pays five coins; the next page with one wrong row pays
// nothing.
TEST(Drill, OnlyAWholeFaultlessPagePaysFiveCoins) {
  Sandbox box;
  open_page(box, 1);
  std::string s = held_dump(box);
  ASSERT_EQ(number_after(s, "example_type"), 1) << s;
  EXPECT_EQ(number_after(s, "focus"), 1) << "the first answer box takes the keys at once";
  std::vector<std::string> results = tapo::test::strings_after(s, "results");
  ASSERT_EQ(results.size(), 10u);

  std::string fill;
  for (int i = 0; i < 9; ++i) fill += "type " + results[i] + "\nkey x\nkey Enter\n";
  box.feed(fill + "click-control kontrola\nwait-until talk-end\n");
  s = held_dump(box);
  EXPECT_TRUE(tapo::test::strings_after(s, "marks").empty()) << "an incomplete page is not marked";
  EXPECT_EQ(tapo::test::strings_after(s, "answers")[0], results[0]) << "a letter is not an answer";
  EXPECT_EQ(number_after(s, "focus"), 10);

  box.feed("type " + results[9] + "\nkey Enter\n");
  s = held_dump(box);
  EXPECT_EQ(number_after(s, "focus"), 1) << "Enter on row 10 goes back to row 1";
  box.feed("click-control kontrola\nwait-until unload frm_prasatko\nclick-control dalsi_priklady\nwait-until plane-end\nwait 300\n");
  s = held_dump(box);
  results = tapo::test::strings_after(s, "results");
  ASSERT_EQ(results.size(), 10u);
  fill = "type " + std::to_string((std::stoi(results[0]) + 1) % 10) + "\nkey Enter\n";
  for (int i = 1; i < 10; ++i) fill += "type " + results[i] + "\nkey Enter\n";
  const PlayResult r = box.finish_held(fill + "click-control kontrola\nwait-until talk-end\ndump\n");

  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::talk_count(r, "HD:\\DRIL\\POCITEJ.DAT"), 1);
  EXPECT_EQ(tapo::test::talk_count(r, "HD:\\DRIL\\SPRAVNE.DAT"), 1);
  EXPECT_EQ(tapo::test::talk_count(r, "HD:\\DRIL\\SPATNE.DAT"), 1);
  EXPECT_EQ(r.count("anim", "HD_SHORT:\\BEZCHYB.DAT"), 1);
  EXPECT_EQ(tapo::test::ini_writes(r), std::vector<std::string>{"HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=5"});
  const auto marks = tapo::test::strings_after(tapo::test::last_state(r), "marks");
  ASSERT_EQ(marks.size(), 10u);
  EXPECT_EQ(marks[0], "cross");
  for (int i = 1; i < 10; ++i) EXPECT_EQ(marks[i], "tick") << "row " << i + 1;

  // The plane takes at least 5 ms for every pixel of its way across.
  const auto starts = r.events("plane"), ends = r.events("plane-end");
  ASSERT_EQ(starts.size(), 2u);
  ASSERT_EQ(ends.size(), 2u);
  for (std::size_t k = 0; k < 2; ++k) {
    const int width = std::stoi(starts[k].args.substr(starts[k].args.find(' ') + 1));
    EXPECT_GE(ends[k].ms - starts[k].ms, (640 + width) * 5);
  }
}

// A page of comparisons is complete only when every sign has been chosen;
// each row is then marked by its own sign.  Each button does its own thing
// after another was lit.
TEST(Drill, AComparisonPageIsMarkedOnlyWithAllTenSigns) {
  Sandbox box;
  open_page(box, 3);
  std::string clicks;
  for (int i = 1; i <= 9; ++i) clicks += "click-control znamenko " + std::to_string(i) + "\n";
  box.feed(clicks + "click-control kontrola\nwait-until talk-end\n");
  const PlayResult r = box.finish_held("dump\nclick-control znamenko 10\nclick-control znamenko 10\n"
                                       "click-control kontrola\nwait-until talk-end\ndump\n"
                                       "click-control dalsi_priklady\nwait-until plane-end\nwait 300\n"
                                       "click-control zmena_znamenka\nwait-until talk HD:\\DRIL\\TYP_PRI.DAT\n");
  tapo::test::played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_TRUE(tapo::test::strings_after(states[0].args, "marks").empty());
  EXPECT_EQ(tapo::test::strings_after(states[0].args, "chosen_signs")[9], "");
  const std::string& s = states[1].args;
  const auto signs = tapo::test::strings_after(s, "signs"), chosen = tapo::test::strings_after(s, "chosen_signs"), marks = tapo::test::strings_after(s, "marks");
  ASSERT_EQ(marks.size(), 10u);
  EXPECT_EQ(chosen[9], "<") << "a sign box turns > then <";
  for (std::size_t i = 0; i < 10; ++i) EXPECT_EQ(marks[i], chosen[i] == signs[i] ? "tick" : "cross") << "row " << i + 1;
}
