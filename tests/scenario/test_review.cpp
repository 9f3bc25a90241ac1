// The review in play: comparisons Eva gets wrong on the scales come back the
// next day on Tapo's page of the workbook; answered right there, they move up
// a box and are not due again for three days.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/calendar.h"
#include "players/review.h"
#include "tests/record_rows.h"
#include "tests/scenario/play.h"

using tapo::test::held_dump;
using tapo::test::number_after;
using tapo::test::Sandbox;
using tapo::test::strings_after;

namespace {

// The sign box of the scales or the workbook turns ">", "<", "=" click by click.
int clicks_to(const std::string& sign) { return sign == ">" ? 1 : sign == "<" ? 2 : 3; }

std::string text_after(const std::string& state, const std::string& key) {
  const std::string marker = "\"" + key + "\": \"";
  const auto at = state.find(marker);
  if (at == std::string::npos) return {};
  return state.substr(at + marker.size(), state.find('"', at + marker.size()) - at - marker.size());
}

}  // namespace

TEST(ReviewInPlay, ComparisonsMissedOnTheScalesComeBackOnTapoPageTheNextDay) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 7, "HD:\\VAHY\\INTRO.DAT");
  std::vector<std::string> missed;
  for (int k = 0; k < 2; ++k) {
    const std::string s = held_dump(box);
    const int l = number_after(s, "left_value"), r = number_after(s, "right_value");
    const std::string right = l > r ? ">" : l < r ? "<" : "=";
    missed.push_back(tapo::players::review::fact_of(text_after(s, "left_text") + " ? " + text_after(s, "right_text"), right)
                         .value_or("none"));
    std::string turn;
    for (int c = 0; c < clicks_to(right) % 3 + 1; ++c) turn += "click-control znamenko_pic\n";  // a wrong sign
    box.feed(turn + "click-control aretace\nwait 20000\n");
  }
  box.feed("click-control stopy\nwait 1500\nclick-control akt_plocha 5\nwait-until talk-end\n");
  EXPECT_NE(held_dump(box).find("\"review_offered\": false"), std::string::npos) << "nothing is due the same day";

  box.feed("click-control stopy\nwait 1500\ndays 1\nclick-control akt_plocha 5\nwait-until talk-end\n");
  std::string s = held_dump(box);
  ASSERT_NE(s.find("\"review_offered\": true"), std::string::npos) << s;
  box.feed("click-control tapo_page\nwait-until plane-end\nwait 300\n");
  s = held_dump(box);
  EXPECT_NE(s.find("\"tapo_page\": true"), std::string::npos);
  EXPECT_EQ(tapo::test::numbers_after(s, "from_review"), (std::vector<int>{1, 2}));
  const std::vector<std::string> results = strings_after(s, "results"), signs = strings_after(s, "signs");
  ASSERT_EQ(signs.size(), 10u);
  std::string fill;
  for (int i = 0; i < 10; ++i) {
    const std::string row = std::to_string(i + 1);
    if (!signs[static_cast<std::size_t>(i)].empty())
      for (int c = 0; c < clicks_to(signs[static_cast<std::size_t>(i)]); ++c) fill += "click-control znamenko " + row + "\n";
    else
      fill += "click-control zapis " + row + "\ntype " + results[static_cast<std::size_t>(i)] + "\n";
  }
  const auto r = box.finish_held(fill + "click-control kontrola\nwait-until unload frm_prasatko\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::talk_count(r, "OWN:\\DRIL\\TAPOPAGE.DAT"), 1) << "Tapo introduces his page";
  EXPECT_EQ(strings_after(tapo::test::last_state(r), "marks"), std::vector<std::string>(10, "tick"));

  const auto review = tapo::test::record_rows(box.data() / "DENIK.DB", "SELECT fact, box, due FROM review ORDER BY fact");
  ASSERT_EQ(review.size(), 2u);
  for (const auto& row : review) {
    EXPECT_NE(std::find(missed.begin(), missed.end(), row[0]), missed.end()) << row[0];
    EXPECT_EQ(row[1], "2") << row[0];
    EXPECT_GT(row[2], tapo::platform::local_stamp(std::time(nullptr) + 3 * 86400, true)) << "three days after tomorrow";
  }
}
