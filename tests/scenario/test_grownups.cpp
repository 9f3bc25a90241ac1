// The grown-ups' corner and its settings in play: the gate, the level, the
// daily play limit that ends a game after its example and puts the menu's
// toys to sleep until the next day, and the racing games without a clock.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/record_rows.h"
#include "tests/scenario/play.h"

using tapo::test::held_dump;
using tapo::test::number_after;
using tapo::test::numbers_after;
using tapo::test::PlayResult;
using tapo::test::Sandbox;
using tapo::test::strings_after;

namespace {

const std::string kTarget = "click-control akt_plocha 6\nwait-until anim-end HD_SHORT:\\STRELBA.DAT\n";

// Eva (level 1, no coins) has her slot; the run is held on the meadow.
void meadow_with_eva(Sandbox& box) {
  box.write_default_config();
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n";
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary)
      << "[PRP]\r\nDukaty=0\r\nHracky=" << std::string(38, '0') << "\r\n";
  box.start_held("click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n");
}

// Through the book and its gate into the corner; the dump there.
std::string open_corner(Sandbox& box) {
  box.feed("click-control grownups\nwait 300\n");
  const int answer = number_after(held_dump(box), "gate_answer");
  box.feed("type " + std::to_string(answer + 1) + "\nkey Enter\nwait 100\n");
  const int next = number_after(held_dump(box), "gate_answer");
  EXPECT_NE(held_dump(box).find("\"gate_passed\": false"), std::string::npos) << "a wrong number does not open it";
  box.feed("type " + std::to_string(next) + "\nkey Enter\nwait 100\n");
  return held_dump(box);
}

const std::string kToGames = "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\n"
                             "click-control cmd_hry\nwait-until hide frm_hraci\n";

void write_settings(const Sandbox& box, int daily_limit, bool no_clock) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((box.data() / "DENIK.DB").c_str(), &db), SQLITE_OK);
  const std::string sql = "CREATE TABLE settings (slot TEXT PRIMARY KEY, daily_limit INTEGER, no_clock INTEGER);"
                          "INSERT INTO settings VALUES ('PRP', " + std::to_string(daily_limit) + ", " +
                          std::to_string(no_clock) + ");";
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
}

}  // namespace

// A grown-up raises Eva's level and sets 15 minutes a day.  Eva thinks 15
// minutes over her first target: the example she is on is still judged, then
// the game says good night instead of the next one.  The menu's toys sleep
// and open no game until the calendar turns to the next day.  The corner then
// shows yesterday's quarter of an hour, the game and the missed example.
TEST(GrownUps, TheDailyLimitEndsTheGameAfterItsExampleAndTheToysSleepUntilTomorrow) {
  Sandbox box;
  meadow_with_eva(box);
  std::string corner = open_corner(box);
  ASSERT_NE(corner.find("\"gate_passed\": true"), std::string::npos) << corner;
  EXPECT_NE(corner.find("\"piglet\": \"Eva\""), std::string::npos);
  EXPECT_EQ(number_after(corner, "level"), 1);
  box.feed("click-control level 1\nclick-control daily_limit 1\nwait 100\n");
  corner = held_dump(box);
  EXPECT_EQ(number_after(corner, "level"), 2);
  EXPECT_EQ(number_after(corner, "daily_limit"), 15);
  EXPECT_NE(tapo::test::slurp(box.data() / "HRACI.DAT").find("Level=2"), std::string::npos);

  box.feed("click-control back\nwait 500\n" + kToGames + kTarget + "wait 900000\n");
  std::string game = held_dump(box);
  EXPECT_EQ(number_after(game, "player_level"), 2);
  box.feed("key Enter\nwait-until talk-end\nkey Enter\nwait-until good-night frm_terc\n"
           "wait-until show frm_hry\nwait 300\nclick-control akt_plocha 2\nwait 2000\n");
  const std::string menu = held_dump(box);
  EXPECT_NE(menu.find("\"form\": \"frm_hry\""), std::string::npos) << menu;
  EXPECT_NE(menu.find("\"asleep\": true"), std::string::npos);
  box.feed("days 1\n" + kTarget);
  game = held_dump(box);
  EXPECT_NE(game.find("\"form\": \"frm_terc\""), std::string::npos) << "a new day wakes the toys";

  box.feed("click-control stopy\nwait 1000\nclick-control cmd_vyber_hracu\nwait 3000\n");
  corner = open_corner(box);
  const PlayResult r = box.finish_held("");
  tapo::test::played_cleanly(r);
  const std::vector<int> minutes = numbers_after(corner, "minutes_per_day");
  ASSERT_EQ(minutes.size(), 14u) << corner;
  EXPECT_GE(minutes[12], 15) << "yesterday's play";
  EXPECT_NE(corner.find("\"right_share\": {\"frm_terc\": 0}"), std::string::npos) << corner;
  const auto rows = tapo::test::record_rows(box.data() / "DENIK.DB",
                                            "SELECT example, attempt, right FROM answers ORDER BY id LIMIT 2");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(strings_after(corner, "most_missed"), std::vector<std::string>{rows[0][0]});
  EXPECT_EQ(rows[1], (std::vector<std::string>{rows[0][0], "2", "0"})) << "the example's second try";
  EXPECT_EQ(r.count("good-night", "frm_terc"), 1);
  EXPECT_EQ(tapo::test::talk_count(r, "OWN:\\UNI_SND\\DOBROU.DAT"), 1) << "Tapo says good night";
  EXPECT_EQ(tapo::test::talk_count(r, "OWN:\\OBCHOD\\SPI.DAT"), 1) << "and why the toys open nothing";
}

// Without the clock the other dog and the rival snail wait while the child
// thinks: a minute goes by and neither moves; a wrong answer lets each move
// once (and is written to the record as any answer).
TEST(GrownUps, WithoutTheClockTheOpponentsWaitForTheChild) {
  Sandbox box;
  write_settings(box, 0, true);
  tapo::test::open_toy(box, 1, 8, "HD:\\PRETAH\\INTRO.DAT");
  box.feed("wait 60000\n");
  std::string tug = held_dump(box);
  EXPECT_EQ(number_after(tug, "sausage_x"), 308) << tug;
  const std::string signs = "+-.:<=>";
  const auto at = tug.find("\"answer\": \"");
  ASSERT_NE(at, std::string::npos);
  const int wrong = (static_cast<int>(signs.find(tug.at(at + 11))) + 1) % 2;
  box.feed("click-control klikaci_plocha " + std::to_string(wrong) + "\nwait 2000\n");
  EXPECT_EQ(number_after(held_dump(box), "sausage_x"), 308 + 14);

  box.feed("click-control stopy\nwait 1000\nclick-control akt_plocha 3\nwait-until talk-end\n"
           "wait-until anim-end HD:\\HLEM\\G1.DAT\nclick-control ruka\nclick-control snek_v_garazi\n"
           "wait-until anim-end HD:\\HLEM\\DOPLAZ\\SOUPER.DAT\nclick-control cmd_start\n"
           "wait-until anim-end HD:\\HLEM\\START.DAT\nwait 60000\n");
  const std::string race = held_dump(box);
  EXPECT_EQ(number_after(race, "rival_stage"), 1) << race;
  const int answer = number_after(race, "answer_number");
  box.feed("click-control klik_cislo " + std::to_string((answer + 1) % 11) + "\nwait 3000\n");
  EXPECT_EQ(number_after(held_dump(box), "rival_stage"), 2);
  const PlayResult r = box.finish_held("");
  tapo::test::played_cleanly(r);
  const auto rows = tapo::test::record_rows(box.data() / "DENIK.DB", "SELECT game, attempt, right FROM answers");
  EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{{"frm_pretah", "1", "0"}, {"frm_sneci", "1", "0"}}));
}
