// The learning record beside the profiles: what is kept of a piglet's play,
// forgotten with the piglet, and what a damaged or unwritable record does.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/tapo_iii.h"
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
  EXPECT_EQ(rows("SELECT DISTINCT slot FROM answers UNION SELECT slot FROM sessions UNION SELECT slot FROM events"),
            (std::vector<std::string>{"ZLP"}));
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

}  // namespace
