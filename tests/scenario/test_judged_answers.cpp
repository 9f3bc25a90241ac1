// A wrong answer is judged where it was given, in the dragon, the bubble
// caterpillar, the snake and the drill workbook: `dump` names the place, and
// the scene shows the cross there (a shot before and a shot after the answer).
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "games/common/judgement.h"
#include "platform/surface.h"
#include "tests/scenario/play.h"

namespace fs = std::filesystem;
namespace pf = tapo::platform;
using tapo::test::held_dump;
using tapo::test::number_after;
using tapo::test::numbers_after;
using tapo::test::Sandbox;

namespace {

// Pixels of the cross badge's red within `r`.
int red_pixels(const pf::Surface& s, pf::Rect r) {
  int n = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) {
      const pf::Rgb c = s.at(x, y);
      n += ((c >> 16) & 255) > 170 && ((c >> 8) & 255) < 90 && (c & 255) < 90;
    }
  return n;
}

pf::Rect rect_of(const std::vector<int>& v) {
  return v.size() == 4 ? pf::Rect{v[0], v[1], v[2], v[3]} : pf::Rect{};
}

struct Judged {
  std::string state;  // the dump while the sign shows
  pf::Rect at;
};

// Takes a shot, does `answer` (a wrong one), and at once takes a dump and a
// second shot: the dump judges `where` wrong and shows it, and the cross's red
// shows in the badge beside `at`, where it was not before.
Judged expect_wrong_shown(Sandbox& box, const std::string& answer, const std::string& where) {
  const fs::path before = box.root() / "before.bmp", after = box.root() / "after.bmp";
  box.feed("shot " + before.string() + "\n" + answer + "shot " + after.string() + "\n");
  Judged j;
  j.state = held_dump(box);
  const std::string judged = j.state.substr(std::min(j.state.size(), j.state.find("\"judged\"")));
  EXPECT_NE(judged.find("\"verdict\": \"wrong\", \"where\": \"" + where + "\""), std::string::npos) << j.state;
  EXPECT_NE(judged.find("\"showing\": true"), std::string::npos) << judged;
  j.at = rect_of(numbers_after(judged, "at"));
  const pf::Rect sign = tapo::games::sign_rect(j.at);
  EXPECT_TRUE((pf::Rect{0, 0, 640, 480}.contains(sign))) << "the badge stands inside the scene";
  const auto a = pf::Surface::load_bmp(before), b = pf::Surface::load_bmp(after);
  if (!a || !b) {
    ADD_FAILURE() << "no shots";
    return j;
  }
  // The cross on red covers about a quarter of the badge's square.
  EXPECT_GT(red_pixels(*b, sign) - red_pixels(*a, sign), sign.w * sign.h / 5) << "the cross shows at " << where;
  return j;
}

bool covers(pf::Rect outer, pf::Rect inner) { return !inner.empty() && outer.contains(inner); }

}  // namespace

// A wrong number is crossed by its tile; after the third, the number Tapo
// tells stands ticked by its tile before the figures sink.
TEST(JudgedAnswers, TheDragonCrossesAWrongNumberAndTicksTheOneTapoTells) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 1, "HD:\\DRAK\\INTRO.DAT");
  box.feed("click-control zvonec\nwait 20000\n");
  std::string s = held_dump(box);
  const int raised = number_after(s, "raised_count");
  ASSERT_GE(raised, 1) << s;
  const int wrong = raised % 10 + 1;
  const pf::Rect tile = rect_of(numbers_after(s, "klik_cislo(" + std::to_string(wrong) + ")"));
  const Judged j = expect_wrong_shown(box, "click-control klik_cislo " + std::to_string(wrong) + "\n",
                                      "klik_cislo(" + std::to_string(wrong) + ")");
  EXPECT_TRUE(covers(j.at, tile)) << "judged by the clicked tile";
  std::string tries;
  for (int k = 0; k < 2; ++k) tries += "wait 20000\nclick-control klik_cislo " + std::to_string(wrong) + "\n";
  const auto r = box.finish_held(tries + "wait-until judged right\ndump\nwait 20000\n");
  tapo::test::played_cleanly(r);
  const std::string told = tapo::test::last_state(r);
  EXPECT_NE(told.find("\"verdict\": \"right\", \"where\": \"klik_cislo(" + std::to_string(raised) + ")\""),
            std::string::npos)
      << told;
}

// A bubble clicked out of turn is crossed at once, above it (it floats on).
TEST(JudgedAnswers, TheCaterpillarCrossesABubbleClickedOutOfTurn) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 4, "HD:\\BUBLIFUK\\INTRO.DAT");
  box.feed("wait-until anim-end HD_SHORT:\\VYFOUK.DAT\nwait 1100\n");
  const std::string s = held_dump(box);
  const auto pos = numbers_after(s, "bubble_pos"), values = numbers_after(s, "bubble_value"),
             size = numbers_after(s, "bubble_size");
  ASSERT_EQ(pos.size(), 20u) << s;
  ASSERT_EQ(size.size(), 2u);
  std::size_t big = 0;
  for (std::size_t i = 0; i < values.size(); ++i)
    if (values[i] > values[big]) big = i;
  const std::string click = "click " + std::to_string(pos[2 * big] + size[0] / 2) + " " +
                            std::to_string(pos[2 * big + 1] + size[1] / 2) + "\n";
  const Judged j = expect_wrong_shown(box, click, "bublina(" + std::to_string(big) + ")");
  EXPECT_EQ(j.at.x, pos[2 * big]) << "judged by the clicked bubble";
  tapo::test::played_cleanly(box.finish_held("wait 500\n"));
}

// The chain slides so that the answer's whole room stays in view however long
// it grows, also with three digits typed; a wrong answer is crossed there.
TEST(JudgedAnswers, TheSnakesAnswerRoomStaysInViewAndAWrongAnswerIsCrossedThere) {
  Sandbox box;
  tapo::test::open_toy(box, 3, 0, "HD:\\HAD\\INTRO.DAT");
  box.feed("wait 5000\n");
  std::string s = held_dump(box);
  for (int k = 0; k < 12 && number_after(s, "scroll_offset") >= 0; ++k) {
    box.feed("type " + std::to_string(number_after(s, "result")) + "\nwait 1500\nkey Enter\nwait 12000\n");
    s = held_dump(box);
  }
  ASSERT_LT(number_after(s, "scroll_offset"), 0) << "the chain has grown past the scene: " << s;
  const int result = number_after(s, "result");
  box.feed("type " + std::to_string(result == 100 ? 101 : result + 100) + "\nwait 1500\n");
  s = held_dump(box);
  ASSERT_EQ(s.find("\"answer\": \"\""), std::string::npos) << "three digits typed: " << s;
  const pf::Rect room = rect_of(numbers_after(s, "answer_room"));
  EXPECT_TRUE(covers({0, 0, 640, 480}, room)) << room.x << "+" << room.w;
  const Judged j = expect_wrong_shown(box, "key Enter\n", "odpoved");
  EXPECT_TRUE(covers(room, j.at)) << "judged in the answer's room";
  EXPECT_TRUE(covers(room, tapo::games::sign_rect(j.at))) << "the badge has its room beside the answer";
  tapo::test::played_cleanly(box.finish_held("wait 3000\n"));
}

// A marked page with a wrong first row is judged from that row's answer box,
// and the right result stands beside the row's cross.
TEST(JudgedAnswers, TheDrillCrossesTheFirstWrongRowAndShowsItsResult) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 5, "HD:\\DRIL\\INTRO2.DAT");
  box.feed("click 185 210\nwait-until plane-end\n");
  std::string s = held_dump(box);
  const auto results = tapo::test::strings_after(s, "results");
  ASSERT_EQ(results.size(), 10u) << s;
  std::string fill = "type " + std::to_string(std::stoi(results[0]) + 1) + "\nkey Enter\n";
  for (int i = 1; i < 10; ++i) fill += "type " + results[static_cast<std::size_t>(i)] + "\nkey Enter\n";
  box.feed(fill);
  const pf::Rect answer = rect_of(numbers_after(held_dump(box), "zapis(1)"));
  const Judged j = expect_wrong_shown(box, "click-control kontrola\n", "zapis(1)");
  EXPECT_TRUE(covers(j.at, answer)) << "judged by the row's answer box";
  EXPECT_EQ(tapo::test::strings_after(j.state, "shown_right").at(0), results[0]) << j.state;
  tapo::test::played_cleanly(box.finish_held("wait-until talk-end\n"));
}
