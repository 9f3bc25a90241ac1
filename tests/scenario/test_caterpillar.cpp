// The bubble caterpillar played through the game: the driver reads the
// bubbles from `dump` and clicks their middles.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

struct Row {
  std::vector<int> x, y, value;
  std::vector<bool> alive;
  int w = 0, h = 0;
};

// The bubbles as a dump shows them; a driver waits while another screen
// (the piggy bank) is in front.
Row read_row(Sandbox& box) {
  std::string s = tapo::test::held_dump(box);
  for (int tries = 0; tries < 100 && s.find("\"bubble_pos\"") == std::string::npos; ++tries) {
    box.feed("wait 100\n");
    s = tapo::test::held_dump(box);
  }
  EXPECT_NE(s.find("\"bubble_pos\""), std::string::npos) << s;
  Row row;
  const auto pos = tapo::test::numbers_after(s, "bubble_pos");
  for (std::size_t i = 0; i + 1 < pos.size(); i += 2) {
    row.x.push_back(pos[i]);
    row.y.push_back(pos[i + 1]);
  }
  row.value = tapo::test::numbers_after(s, "bubble_value");
  const auto alive = s.substr(std::min(s.size(), s.find("\"bubble_alive\"")));
  for (std::size_t at = alive.find('['); row.alive.size() < row.x.size(); ++at) {
    if (alive[at] == 't') row.alive.push_back(true);
    if (alive[at] == 'f') row.alive.push_back(false);
  }
  const auto size = tapo::test::numbers_after(s, "bubble_size");
  row.w = size.size() == 2 ? size[0] : 0;
  row.h = size.size() == 2 ? size[1] : 0;
  return row;
}

std::string click_on(const Row& row, std::size_t i, bool then_wait = true) {
  return "click " + std::to_string(row.x[i] + row.w / 2) + " " + std::to_string(row.y[i] + row.h / 2) + "\n" +
         (then_wait ? "wait 200\n" : "");
}

constexpr const char* kNewRow = "wait-until anim-end HD_SHORT:\\VYFOUK.DAT\nwait 1100\n";

// Pops the whole row from the smallest value up; of equal values the later
// bubble goes first.  `quick`: the last bubble while the one before bursts.
void pop_in_order(Sandbox& box, bool quick = false) {
  std::string clicks;
  for (int k = 0; k < 10; ++k) {
    if (quick && k == 9) break;
    Row row = read_row(box);
    std::size_t best = row.x.size();
    for (std::size_t i = 0; i < row.x.size(); ++i)
      if (row.alive[i] && (best == row.x.size() || row.value[i] <= row.value[best])) best = i;
    ASSERT_LT(best, row.x.size());
    clicks = click_on(row, best, !(quick && k == 8));
    if (quick && k == 8) {
      row.alive[best] = false;
      for (std::size_t i = 0; i < row.x.size(); ++i)
        if (row.alive[i]) clicks += click_on(row, i);
    }
    box.feed(clicks);
  }
}

}  // namespace

// Four wrong clicks (each lifting the clicked bubble 15 pixels) still win a
// row worth one coin; a row without one is worth five, paid once also when
// its last bubble is popped while the one before still bursts.
TEST(Caterpillar, AWholeRowPaysFiveCoinsLessOnePerWrongClick) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 4, "HD:\\BUBLIFUK\\INTRO.DAT");
  box.feed(kNewRow);
  for (int k = 0; k < 4; ++k) {
    const Row row = read_row(box);
    std::size_t big = 0;
    for (std::size_t i = 0; i < row.x.size(); ++i)
      if (row.value[i] > row.value[big]) big = i;
    box.feed(click_on(row, big));
    const Row after = read_row(box);
    EXPECT_EQ(after.y[big], row.y[big] - 15 - 4) << "a wrong click lifts the bubble 15 pixels (and it floats on)";
  }
  pop_in_order(box);
  box.feed(std::string("wait-until unload frm_prasatko\n") + kNewRow);
  pop_in_order(box, true);
  const PlayResult r = box.finish_held("wait-until unload frm_prasatko\nwait 10000\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::ini_writes(r),
            (std::vector<std::string>{"HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=1", "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=6"}));
}

// Nobody clicks: the row is lost when its highest bubble has risen wholly
// over the top edge, one pixel every 50 ms, and not before.
TEST(Caterpillar, AnUntouchedRowIsLostWhenItsHighestBubbleHasLeft) {
  Sandbox box;
  tapo::test::open_toy(box, 2, 4, "HD:\\BUBLIFUK\\INTRO.DAT");
  box.feed(kNewRow);
  const Row row = read_row(box);
  int top = row.y.at(0);
  for (int y : row.y) top = std::min(top, y);
  box.feed("wait " + std::to_string((top + row.h - 2) * 50) + "\n");
  const std::string before = tapo::test::held_dump(box);
  EXPECT_NE(before.find("\"floating\": true"), std::string::npos) << before;
  const PlayResult r = box.finish_held("wait 200\ndump\nwait-until talk HD:\\BUBLIFUK\\SPATNE\n");
  tapo::test::played_cleanly(r);
  EXPECT_NE(tapo::test::last_state(r).find("\"floating\": false"), std::string::npos);
  int lost = 0;
  for (const auto& t : tapo::test::talks(r)) lost += t.rfind("HD:\\BUBLIFUK\\SPATNE", 0) == 0;
  EXPECT_EQ(lost, 1);
}
