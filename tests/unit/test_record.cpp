// The learning record beside the profiles: what is kept of a piglet's play,
// forgotten with the piglet, and what a damaged or unwritable record does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/tapo_iii.h"
#include "platform/calendar.h"
#include "players/journal.h"
#include "players/profiles.h"
#include "players/record.h"
#include "tests/record_rows.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
namespace core = tapo::core;
namespace players = tapo::players;
namespace record = tapo::players::record;

class RecordTest : public tapo::testing::LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    core::data_dir = data_.path().string();
    players::set_piggy_bank(nullptr);
    ASSERT_TRUE(players::create_profile("PRP", "Ema", 1));
    ASSERT_TRUE(players::create_profile("ZLP", "Ben", 2));
    players::choose_slot("", "");  // back on the players' screen
    record::close();
  }
  void TearDown() override {
    record::close();
    LoopTest::TearDown();
  }

  // The rows of a query, each as its columns joined by "|".
  std::vector<std::string> rows(const std::string& sql) const {
    std::vector<std::string> out;
    for (const auto& columns : tapo::test::record_rows(data_ / "DENIK.DB", sql)) {
      std::string row;
      for (std::size_t i = 0; i < columns.size(); ++i) row += (i ? "|" : "") + columns[i];
      out.push_back(row);
    }
    return out;
  }

  static record::Answer seven_and_five(bool right, int attempt) {
    return {"frm_terc", 1, "sum of 2", "7 + 5 = ?", "12", right ? "12" : "11", right, attempt, 2300};
  }

  tapo::testing::TempDir data_;
};

TEST_F(RecordTest, PlayIsKeptPerPigletAndDeletingAPigletForgetsOnlyItsRows) {
  players::choose_slot("PRP", "Ema");
  record::answer(seven_and_five(false, 1));
  record::answer(seven_and_five(true, 2));
  players::award_coins(3, {0, 0});
  players::choose_slot("ZLP", "Ben");
  record::answer(seven_and_five(true, 1));

  EXPECT_EQ(rows("SELECT slot, piglet, game, example, expected, given, right, attempt, ms FROM answers ORDER BY id"),
            (std::vector<std::string>{"PRP|Ema|frm_terc|7 + 5 = ?|12|11|0|1|2300",
                                      "PRP|Ema|frm_terc|7 + 5 = ?|12|12|1|2|2300",
                                      "ZLP|Ben|frm_terc|7 + 5 = ?|12|12|1|1|2300"}));
  EXPECT_EQ(rows("SELECT slot, kind, amount FROM events"), (std::vector<std::string>{"PRP|coins|3"}));
  // Each was made (and so started playing) and went back to the players'
  // screen; then Ema played until Ben was chosen, and Ben is still playing.
  EXPECT_EQ(rows("SELECT slot, ended IS NOT NULL FROM sessions ORDER BY id"),
            (std::vector<std::string>{"PRP|1", "ZLP|1", "PRP|1", "ZLP|0"}));

  players::delete_profile("PRP");
  EXPECT_EQ(rows("SELECT DISTINCT slot FROM answers UNION SELECT slot FROM sessions UNION SELECT slot FROM events "
                 "UNION SELECT slot FROM review"),
            (std::vector<std::string>{"ZLP"}))
      << "Ema's missed 7 + 5 went with her";
  record::close();
  EXPECT_EQ(rows("SELECT slot, ended IS NOT NULL FROM sessions"), (std::vector<std::string>{"ZLP|1", "ZLP|1"}))
      << "the end of the program ends the session";
}

TEST_F(RecordTest, ADamagedRecordIsKeptAsideAndANewOneBegun) {
  std::ofstream(data_ / "DENIK.DB", std::ios::binary) << std::string(4096, 'x');
  tapo::testing::TraceCapture trace;
  players::choose_slot("PRP", "Ema");
  record::answer(seven_and_five(true, 1));

  std::vector<fs::path> aside;
  for (const auto& e : fs::directory_iterator(data_.path()))
    if (e.path().filename().string().rfind("DENIK.DB.damaged-", 0) == 0) aside.push_back(e.path());
  ASSERT_EQ(aside.size(), 1u);
  EXPECT_EQ(tapo::testing::slurp(aside[0]), std::string(4096, 'x')) << "kept, never deleted";
  EXPECT_EQ(rows("SELECT count(*) FROM answers"), (std::vector<std::string>{"1"}));
  for (const auto& t : trace.lines()) EXPECT_NE(t.event, "msgbox") << "nothing to tell: the record goes on";
}

TEST_F(RecordTest, ARecordThatCannotBeWrittenIsToldOnceAndCoinsAreStillEarned) {
  fs::remove(data_ / "DENIK.DB");
  fs::create_directory(data_ / "DENIK.DB");  // in the way of the file
  tapo::testing::TraceCapture trace;
  players::choose_slot("PRP", "Ema");
  record::answer(seven_and_five(true, 1));
  players::award_coins(2, {0, 0});
  record::answer(seven_and_five(true, 1));

  int told = 0;
  for (const auto& t : trace.lines()) told += t.event == "msgbox";
  EXPECT_EQ(told, 1);
  EXPECT_EQ(core::player_coins, 2);
  EXPECT_EQ(players::slot_name("PRP"), "Ema");
}

// The journal's figures from rows written on known days: a session a killed
// game left open counts up to its last answer, only first tries count
// towards a week's share, the most missed come first, and a setting the game
// does not offer reads as none.
TEST_F(RecordTest, TheJournalReadsBackMinutesWeeksAndTheMostMissed) {
  players::choose_slot("PRP", "Ema");
  record::answer(seven_and_five(true, 1));  // makes the file
  record::close();
  namespace pf = tapo::platform;
  const std::string today = pf::date_before(0), yesterday = pf::date_before(1), ten_ago = pf::date_before(10);
  std::string sql = "DELETE FROM answers; DELETE FROM sessions;";
  auto session = [&](const std::string& day, const char* from, const char* to) {
    sql += "INSERT INTO sessions (slot, piglet, started, ended) VALUES ('PRP', 'Ema', '" + day + " " + from + "', " +
           (to ? "'" + day + " " + to + "'" : std::string("NULL")) + ");";
  };
  auto answer = [&](const std::string& day, const char* at, const char* example, int right, int attempt) {
    sql += "INSERT INTO answers (slot, piglet, game, example, right, attempt, ms, at) VALUES ('PRP', 'Ema', "
           "'frm_terc', '" + std::string(example) + "', " + std::to_string(right) + ", " + std::to_string(attempt) +
           ", 1000, '" + day + " " + at + "');";
  };
  session(today, "10:00:00", "10:20:00");
  session(yesterday, "09:00:00", nullptr);  // killed after its last answer at 09:07
  answer(yesterday, "09:07:00", "3 + 4 = ?", 0, 1);
  session(yesterday, "15:00:00", "15:05:00");
  answer(yesterday, "15:01:00", "3 + 4 = ?", 0, 1);
  answer(yesterday, "15:02:00", "3 + 4 = ?", 0, 2);
  answer(today, "10:01:00", "5 - 2 = ?", 0, 1);
  answer(today, "10:02:00", "5 - 2 = ?", 1, 2);
  answer(today, "10:03:00", "1 + 1 = ?", 1, 1);
  answer(ten_ago, "10:00:00", "2 + 2 = ?", 1, 1);
  sql += "INSERT INTO settings VALUES ('PRP', 17, 1);";
  ASSERT_TRUE(tapo::test::record_rows(data_ / "DENIK.DB", sql).empty());

  const tapo::players::journal::Journal journal(data_ / "DENIK.DB");
  const auto f = journal.figures("PRP");
  EXPECT_EQ(f.minutes_per_day[13], 20);
  EXPECT_EQ(f.minutes_per_day[12], 12);
  ASSERT_EQ(f.right_share.size(), 1u);
  EXPECT_DOUBLE_EQ(f.right_share[0].this_week.share, 1.0 / 4);  // of the four first tries of this week
  EXPECT_DOUBLE_EQ(f.right_share[0].last_week.share, 1.0);
  ASSERT_EQ(f.most_missed.size(), 2u);
  EXPECT_EQ(f.most_missed[0].example, "3 + 4 = ?");
  EXPECT_EQ(f.most_missed[0].times, 3);
  EXPECT_EQ(journal.settings("PRP"), (tapo::players::journal::Settings{0, true}));
  EXPECT_EQ(journal.slots(), std::vector<std::string>{"PRP"});
}

// A fact missed comes back the next day, then in three days, then in a week,
// and leaves after the third right answer; a right answer before it is due
// changes nothing, a wrong one puts it back in box 1.
TEST_F(RecordTest, AMissedFactComesBackSpacedOverDays) {
  namespace pf = tapo::platform;
  players::choose_slot("PRP", "Ema");
  int moved = 0;
  auto days = [&moved](int n) {
    pf::move_calendar(n);
    moved += n;
  };
  auto review = [] { return tapo::players::journal::Journal(record::file()).review("PRP"); };
  auto due = [] { return tapo::players::journal::Journal(record::file()).review("PRP", true).size(); };
  auto answer = [](const char* example, const char* expected, bool right) {
    record::answer({"frm_sneci", 1, "k", example, expected, right ? expected : "0", right, 1, 900});
  };
  answer("? + 5 = 12", "7", false);
  answer("7 + 5 = ?", "12", true);  // the same day: not yet due
  ASSERT_EQ(review().size(), 1u);
  EXPECT_EQ(review()[0], (tapo::players::journal::ReviewItem{"5 + 7", 1, pf::date_before(-1)}));
  EXPECT_EQ(due(), 0u);
  days(1);
  EXPECT_EQ(due(), 1u);
  answer("5 + 7 = ?", "12", true);
  EXPECT_EQ(review()[0].box, 2);
  days(1);
  EXPECT_EQ(due(), 0u) << "box 2 waits three days";
  days(2);
  answer("7 ? 5 = 12", "+", false);
  EXPECT_EQ(review()[0], (tapo::players::journal::ReviewItem{"5 + 7", 1, pf::date_before(-1)}));
  for (int box = 1; box <= 3; ++box) {
    days(box == 1 ? 1 : box == 2 ? 3 : 7);
    answer("7 + ? = 12", "5", true);
  }
  EXPECT_TRUE(review().empty()) << "right three times when due, it leaves";
  pf::move_calendar(-moved);
}

// The level's fit from the last 60 first tries at that level: 90 % right
// suggests the next level, 50 % or less the one below; an older answer or
// another level's does not count.
TEST_F(RecordTest, TheLevelFitsByTheLastSixtyFirstTries) {
  using tapo::players::journal::LevelFit;
  players::choose_slot("ZLP", "Ben");
  const tapo::players::journal::Journal none(record::file());
  EXPECT_EQ(none.level_fit("ZLP", 2), LevelFit::Unknown);
  auto answers = [](int level, int n, bool right, int attempt = 1) {
    for (int i = 0; i < n; ++i) record::answer({"frm_vahy", level, "comparison", "3 ? 4", "<", ">", right, attempt, 500});
  };
  answers(2, 1, false);  // older than the last sixty
  answers(2, 6, false);
  answers(3, 5, false);
  answers(2, 4, false, 2);
  answers(2, 53, true);
  const tapo::players::journal::Journal at_53(record::file());
  EXPECT_EQ(at_53.level_fit("ZLP", 2), LevelFit::Fits) << "53 of 60";
  answers(2, 1, true);
  const tapo::players::journal::Journal at_54(record::file());
  EXPECT_EQ(at_54.level_fit("ZLP", 2), LevelFit::ReadyForNext) << "54 of 60";
  EXPECT_EQ(tapo::players::journal::level_fit(30, 60, 2), LevelFit::BelowKinder);
  EXPECT_EQ(tapo::players::journal::level_fit(30, 60, 1), LevelFit::Fits) << "nothing below the first level";
}

}  // namespace
