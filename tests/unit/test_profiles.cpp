// The profile store: the six slots in HRACI.DAT and VYSLEDKY.DAT, choosing,
// creating and deleting a player, and paying coins.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/tapo_iii.h"
#include "platform/ini.h"
#include "platform/ui.h"
#include "players/profiles.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
namespace core = tapo::core;
namespace players = tapo::players;
using tapo::testing::LoopTest;
using tapo::testing::slurp;
using tapo::testing::TempDir;

class ProfilesTest : public LoopTest {
 protected:
  void SetUp() override {
    LoopTest::SetUp();
    core::data_dir = data_.path().string();
    players::set_piggy_bank(nullptr);
  }
  void TearDown() override {
    players::set_piggy_bank(nullptr);
    LoopTest::TearDown();
  }

  fs::path roster() const { return data_ / "HRACI.DAT"; }
  fs::path results() const { return data_ / "VYSLEDKY.DAT"; }
  std::string roster_key(std::string_view slot, std::string_view key) const {
    return tapo::platform::read_ini(roster(), slot, key);
  }
  std::string results_key(std::string_view slot, std::string_view key) const {
    return tapo::platform::read_ini(results(), slot, key);
  }
  // The number of "key=value" lines of a file.
  static int entries(const fs::path& file) {
    int n = 0;
    for (char c : slurp(file)) n += c == '=';
    return n;
  }
  static void expect_no_player() {
    EXPECT_EQ(core::player_id, "");
    EXPECT_EQ(core::player_name, "");
    EXPECT_EQ(core::player_level, 0);
    EXPECT_EQ(core::player_coins, 0);
  }

  TempDir data_;
};

// ---------------------------------------------------------------- numbers

TEST(LeadingNumber, TakesTheNumberAtTheStartOfTheText) {
  EXPECT_EQ(players::leading_number("  12abc"), 12);
  EXPECT_EQ(players::leading_number("-3"), -3);
  EXPECT_EQ(players::leading_number("+7"), 7);
  EXPECT_EQ(players::leading_number("\t5"), 5);
  EXPECT_DOUBLE_EQ(players::leading_number("4.6"), 4.6);
  EXPECT_DOUBLE_EQ(players::leading_number(".5"), 0.5);
  EXPECT_DOUBLE_EQ(players::leading_number("1.2.3"), 1.2);
  EXPECT_EQ(players::leading_number("12 34"), 12);
  EXPECT_EQ(players::leading_number("007"), 7);
  EXPECT_EQ(players::leading_number("abc"), 0);
  EXPECT_EQ(players::leading_number(""), 0);
  EXPECT_EQ(players::leading_number("-"), 0);
  EXPECT_EQ(players::leading_number("   "), 0);
  EXPECT_EQ(players::leading_number("ERROR"), 0);
  EXPECT_EQ(players::leading_number("99999999999"), 99999999999.0);
}

// ---------------------------------------------------------------- create

TEST_F(ProfilesTest, CreateInAFreeSlotWritesTheFourKeysAndMakesThePlayerCurrent) {
  ASSERT_TRUE(players::create_profile("ZLP", "Eva", 2));
  EXPECT_EQ(roster_key("ZLP", "Jmeno"), "Eva");
  EXPECT_EQ(roster_key("ZLP", "Level"), "2");
  EXPECT_EQ(results_key("ZLP", "Dukaty"), "0");
  EXPECT_EQ(results_key("ZLP", "Hracky"), std::string(38, '0'));
  EXPECT_EQ(entries(roster()), 2);
  EXPECT_EQ(entries(results()), 2);
  // Nothing in the other slots.
  for (auto key : players::kSlotKeys) {
    if (key == "ZLP") continue;
    EXPECT_EQ(roster_key(key, "Jmeno"), "ERROR") << key;
    EXPECT_EQ(players::slot_name(key), "") << key;
  }
  EXPECT_EQ(players::slot_name("ZLP"), "Eva");
  EXPECT_EQ(players::slot_level("ZLP"), 2);
  EXPECT_EQ(core::player_id, "ZLP");
  EXPECT_EQ(core::player_name, "Eva");
  EXPECT_EQ(core::player_level, 2);
  EXPECT_EQ(core::player_coins, 0);

  // A second slot lands next to the first and leaves it as it was.
  ASSERT_TRUE(players::create_profile("PFP", "Jan", 3));
  EXPECT_EQ(roster_key("ZLP", "Jmeno"), "Eva");
  EXPECT_EQ(roster_key("PFP", "Jmeno"), "Jan");
  EXPECT_EQ(entries(roster()), 4);
  EXPECT_EQ(entries(results()), 4);
  EXPECT_EQ(core::player_id, "PFP");
}

TEST_F(ProfilesTest, BlankNamesAndLevelsOutsideOneToThreeAreRefused) {
  ASSERT_TRUE(players::create_profile("PRP", "Ann", 1));
  const std::string roster_before = slurp(roster());
  const std::string results_before = slurp(results());
  for (const char* name : {"", " ", "   ", "\t \t"})
    EXPECT_FALSE(players::create_profile("ZLP", name, 2)) << '"' << name << '"';
  for (int level : {0, 4, -1, 255})
    EXPECT_FALSE(players::create_profile("ZLP", "Bob", level)) << level;
  EXPECT_EQ(slurp(roster()), roster_before);
  EXPECT_EQ(slurp(results()), results_before);
  // The current player is untouched.
  EXPECT_EQ(core::player_id, "PRP");
  EXPECT_EQ(core::player_name, "Ann");
  EXPECT_EQ(core::player_level, 1);
}

TEST_F(ProfilesTest, RefusedCreateInAnEmptyFolderMakesNoFile) {
  EXPECT_FALSE(players::create_profile("PRP", "  ", 1));
  EXPECT_FALSE(players::create_profile("PRP", "Ann", 0));
  EXPECT_FALSE(players::create_profile("PRP", "Ann", 4));
  EXPECT_TRUE(fs::is_empty(data_.path()));
  expect_no_player();
}

TEST_F(ProfilesTest, UnicodeNamesRoundTripUnchanged) {
  const std::string name = "Šárka Čížková";
  ASSERT_TRUE(players::create_profile("PMP", name, 3));
  EXPECT_EQ(roster_key("PMP", "Jmeno"), name);
  EXPECT_EQ(players::slot_name("PMP"), name);
  core::clear_player();
  players::choose_slot("PMP", players::slot_name("PMP"));
  EXPECT_EQ(core::player_name, name);
  EXPECT_EQ(core::player_level, 3);
  // Blanks around a name are dropped, as the file would drop them; quotes
  // around it stay.
  ASSERT_TRUE(players::create_profile("PZP", " Jo Ann ", 1));
  EXPECT_EQ(core::player_name, "Jo Ann");
  EXPECT_EQ(players::slot_name("PZP"), "Jo Ann");
  ASSERT_TRUE(players::create_profile("POP", "\"Bo\"", 1));
  EXPECT_EQ(players::slot_name("POP"), "\"Bo\"");
}

// ---------------------------------------------------------------- choose

TEST_F(ProfilesTest, ChooseReadsLevelAndCoins) {
  tapo::platform::write_ini(roster(), "POP", "Jmeno", "Ota");
  tapo::platform::write_ini(roster(), "POP", "Level", "3");
  tapo::platform::write_ini(results(), "POP", "Dukaty", "150");
  tapo::platform::write_ini(results(), "POP", "Hracky", std::string(players::kNoToys));
  const std::string roster_before = slurp(roster());
  const std::string results_before = slurp(results());

  players::choose_slot("POP", "Ota");
  EXPECT_EQ(core::player_id, "POP");
  EXPECT_EQ(core::player_name, "Ota");
  EXPECT_EQ(core::player_level, 3);
  EXPECT_EQ(core::player_coins, 150);
  // Choosing reads only.
  EXPECT_EQ(slurp(roster()), roster_before);
  EXPECT_EQ(slurp(results()), results_before);

  // Numbers as the files hold them after hand edits.
  tapo::platform::write_ini(results(), "POP", "Dukaty", "  42 coins");
  tapo::platform::write_ini(roster(), "POP", "Level", "2.6");
  players::choose_slot("POP", "Ota");
  EXPECT_EQ(core::player_coins, 42);
  EXPECT_EQ(core::player_level, 3);
}

TEST_F(ProfilesTest, ChooseWithoutResultsGivesNoCoinsAndWritesNothing) {
  tapo::platform::write_ini(roster(), "PRP", "Jmeno", "Ann");
  tapo::platform::write_ini(roster(), "PRP", "Level", "1");
  const std::string roster_before = slurp(roster());
  core::player_coins = 77;  // from the player before

  players::choose_slot("PRP", "Ann");
  EXPECT_EQ(core::player_coins, 0);
  EXPECT_EQ(core::player_level, 1);
  EXPECT_FALSE(fs::exists(results()));
  EXPECT_EQ(slurp(roster()), roster_before);

  // The file exists, but not the slot's section.
  tapo::platform::write_ini(results(), "ZLP", "Dukaty", "900");
  const std::string results_before = slurp(results());
  core::player_coins = 77;
  players::choose_slot("PRP", "Ann");
  EXPECT_EQ(core::player_coins, 0);
  EXPECT_EQ(slurp(results()), results_before);
}

TEST_F(ProfilesTest, ChoosingAnEmptyNameClearsTheCurrentPlayer) {
  ASSERT_TRUE(players::create_profile("PRP", "Ann", 2));
  players::award_coins(5, {});
  ASSERT_EQ(core::player_coins, 5);
  players::choose_slot("ZLP", "");
  expect_no_player();
  // And coins paid now go nowhere on disk.
  players::award_coins(3, {});
  EXPECT_EQ(results_key("PRP", "Dukaty"), "5");
  EXPECT_EQ(results_key("ZLP", "Dukaty"), "ERROR");
}

TEST_F(ProfilesTest, HugeBalancesSaturateInsteadOfOverflowing) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  tapo::platform::write_ini(roster(), "PRP", "Level", "1");
  tapo::platform::write_ini(results(), "PRP", "Dukaty", "99999999999");
  players::choose_slot("PRP", "Ann");
  EXPECT_EQ(core::player_coins, kMax);
  int counted = -1;
  players::set_piggy_bank([&counted](int count, tapo::platform::Point) { counted = count; });
  ::testing::internal::CaptureStderr();
  players::award_coins(25, {});
  EXPECT_NE(::testing::internal::GetCapturedStderr().find(std::to_string(kMax)), std::string::npos)
      << "coins that do not fit are told of, not dropped silently";
  EXPECT_EQ(counted, 0) << "the piggy bank counts in none";
  EXPECT_EQ(core::player_coins, kMax);
  EXPECT_EQ(results_key("PRP", "Dukaty"), std::to_string(kMax));

  tapo::platform::write_ini(results(), "PRP", "Dukaty", "-99999999999");
  players::choose_slot("PRP", "Ann");
  EXPECT_EQ(core::player_coins, kMin);

  // Just below the limit: the sum is computed without overflowing.
  tapo::platform::write_ini(results(), "PRP", "Dukaty", std::to_string(kMax - 10));
  players::choose_slot("PRP", "Ann");
  players::award_coins(30, {});
  EXPECT_EQ(core::player_coins, kMax);
  EXPECT_EQ(counted, 10) << "the piggy bank counts in those that fit";
}

// ---------------------------------------------------------------- delete

TEST_F(ProfilesTest, DeleteEmptiesTheSlotAndClearsOnlyTheDeletedPlayer) {
  ASSERT_TRUE(players::create_profile("PRP", "Ann", 1));
  ASSERT_TRUE(players::create_profile("ZLP", "Eva", 2));
  players::award_coins(40, {});
  ASSERT_EQ(core::player_id, "ZLP");

  players::delete_profile("PRP");  // someone else
  EXPECT_EQ(roster_key("PRP", "Jmeno"), "");
  EXPECT_EQ(roster_key("PRP", "Level"), "");
  EXPECT_EQ(results_key("PRP", "Dukaty"), "0");
  EXPECT_EQ(results_key("PRP", "Hracky"), std::string(38, '0'));
  EXPECT_EQ(players::slot_name("PRP"), "");
  EXPECT_EQ(players::slot_level("PRP"), 0);
  EXPECT_EQ(core::player_id, "ZLP");
  EXPECT_EQ(core::player_name, "Eva");
  EXPECT_EQ(core::player_coins, 40);
  EXPECT_EQ(roster_key("ZLP", "Jmeno"), "Eva");
  EXPECT_EQ(results_key("ZLP", "Dukaty"), "40");

  players::delete_profile("ZLP");  // the current player
  expect_no_player();
  EXPECT_EQ(roster_key("ZLP", "Jmeno"), "");
  EXPECT_EQ(results_key("ZLP", "Dukaty"), "0");
  // No later award may land in the deleted slot.
  players::award_coins(7, {});
  EXPECT_EQ(results_key("ZLP", "Dukaty"), "0");
}

TEST_F(ProfilesTest, DeleteThenCreateStartsFromNothing) {
  ASSERT_TRUE(players::create_profile("PZP", "Ema", 2));
  tapo::platform::write_ini(results(), "PZP", "Dukaty", "500");
  tapo::platform::write_ini(results(), "PZP", "Hracky", "10110000000000000000000000000000000001");
  players::delete_profile("PZP");
  ASSERT_TRUE(players::create_profile("PZP", "Ida", 1));
  EXPECT_EQ(results_key("PZP", "Dukaty"), "0");
  EXPECT_EQ(results_key("PZP", "Hracky"), std::string(38, '0'));
  EXPECT_EQ(roster_key("PZP", "Jmeno"), "Ida");
  EXPECT_EQ(roster_key("PZP", "Level"), "1");
  EXPECT_EQ(entries(roster()), 2);
  EXPECT_EQ(entries(results()), 2);
  players::choose_slot("PZP", "Ida");
  EXPECT_EQ(core::player_coins, 0);
  EXPECT_EQ(core::player_level, 1);
}

// ---------------------------------------------------------------- coins

TEST_F(ProfilesTest, AwardRunsThePiggyBankThenSavesTheBalance) {
  ASSERT_TRUE(players::create_profile("POP", "Ota", 2));
  struct Call {
    int count;
    std::string on_disk;
    std::int32_t coins;
    int cursor;
  };
  std::vector<Call> calls;
  players::set_piggy_bank([&](int count, tapo::platform::Point) {
    calls.push_back({count, results_key("POP", "Dukaty"), core::player_coins,
                     tapo::platform::Forms::instance().cursor_count()});
  });

  players::award_coins(12, {});
  EXPECT_EQ(core::player_coins, 12);
  EXPECT_EQ(results_key("POP", "Dukaty"), "12");
  players::award_coins(25, {});
  EXPECT_EQ(core::player_coins, 37);
  EXPECT_EQ(results_key("POP", "Dukaty"), "37");

  ASSERT_EQ(calls.size(), 2u);
  // While the piggy bank counts from the old balance, the new one is already
  // saved, and the pointer is hidden.
  EXPECT_EQ(calls[0].count, 12);
  EXPECT_EQ(calls[0].on_disk, "12");
  EXPECT_EQ(calls[0].coins, 0);
  EXPECT_EQ(calls[0].cursor, -1);
  EXPECT_EQ(calls[1].count, 25);
  EXPECT_EQ(calls[1].on_disk, "37");
  EXPECT_EQ(calls[1].coins, 12);
  EXPECT_EQ(calls[1].cursor, -1);
  EXPECT_EQ(tapo::platform::Forms::instance().cursor_count(), 0);
  EXPECT_EQ(entries(results()), 2);
}

TEST_F(ProfilesTest, AwardWithoutAPiggyBankPaysAtOnce) {
  ASSERT_TRUE(players::create_profile("PMP", "Max", 1));
  players::award_coins(3, {});
  players::award_coins(4, {});
  EXPECT_EQ(core::player_coins, 7);
  EXPECT_EQ(results_key("PMP", "Dukaty"), "7");
  EXPECT_EQ(tapo::platform::Forms::instance().cursor_count(), 0);
}

TEST_F(ProfilesTest, TheProgramEndingDuringThePraiseOrThePiggyBankKeepsTheCoins) {
  ASSERT_TRUE(players::create_profile("PMP", "Max", 1));
  // Owed during the praise: leaving the screen (any unwinding but the
  // program's end) forfeits them, the program's end pays them.
  auto praise_then = [](auto how) {
    players::CoinsDue due(3);
    how();
  };
  EXPECT_THROW(praise_then([] { throw std::runtime_error("the screen was left"); }), std::runtime_error);
  EXPECT_EQ(results_key("PMP", "Dukaty"), "0");
  EXPECT_THROW(praise_then([] { core::end_program(0); }), tapo::platform::ProgramExit);
  EXPECT_EQ(results_key("PMP", "Dukaty"), "3");

  core::player_coins = 3;
  players::set_piggy_bank([](int, tapo::platform::Point) { core::end_program(0); });
  EXPECT_THROW(players::award_coins(9, {}), tapo::platform::ProgramExit);
  EXPECT_EQ(results_key("PMP", "Dukaty"), "12");
  EXPECT_EQ(tapo::platform::Forms::instance().cursor_count(), 0);
}

TEST_F(ProfilesTest, AwardWithNoCurrentPlayerWritesNoFile) {
  int shown = 0;
  players::set_piggy_bank([&](int, tapo::platform::Point) { ++shown; });
  players::award_coins(10, {});
  EXPECT_EQ(shown, 1);  // the piggy bank still counts them in
  EXPECT_TRUE(fs::is_empty(data_.path()));
}

// A test that took the piggy bank away (as this fixture does) must not leave
// the next one paying without its window.
TEST_F(ProfilesTest, ResetPutsThePiggyBankWindowBack) {
  core::reset_shared_state();
  bool window_open = false;
  tapo::platform::Timer probe;
  probe.on_timer = [&] {
    window_open = forms().find("frm_prasatko") != nullptr;
    probe.set_enabled(false);
  };
  probe.set_interval(500);
  probe.set_enabled(true);
  players::award_coins(2, {});
  EXPECT_TRUE(window_open);
}

}  // namespace
