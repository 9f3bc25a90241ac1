// The six profile slots, their two files, and the operations on them:
// choose, create, delete and the coin award.
//
// HRACI.DAT   [slot] Jmeno=<name>  Level=<1..3>
// VYSLEDKY.DAT [slot] Dukaty=<balance>  Hracky=<38 toy flags>
#pragma once

#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>

#include "platform/surface.h"

namespace tapo::players {

// Slot keys in the order of the piglets on the player-selection screen.
inline constexpr std::array<std::string_view, 6> kSlotKeys = {"PRP", "ZLP", "PMP", "PZP", "POP", "PFP"};
inline constexpr std::string_view kNoToys = "00000000000000000000000000000000000000";  // 38 toys
inline constexpr std::string_view kRosterFile = "\\HRACI.DAT";
inline constexpr std::string_view kResultsFile = "\\VYSLEDKY.DAT";

// The leading number of a text, as the profile files are read: blanks are
// skipped, an optional sign and digits (a decimal part too) are taken, and
// anything else ends the number; "" or "abc" give 0.
double leading_number(std::string_view text);

// The name stored for a slot ("" for a free slot or a missing entry).
std::string slot_name(std::string_view key);
// The level stored for a slot, 0 when missing or not 1..255.
int slot_level(std::string_view key);

// Makes the profile of `key` current; `shown_name` is the name the screen
// shows under that piglet.  An empty name clears the current player.
void choose_slot(std::string_view key, const std::string& shown_name);
// The name is kept without the blanks around it; a name made only of
// blanks is refused (false, nothing written).
bool create_profile(std::string_view key, const std::string& name, int level);
// How many toys the piglet in `key` owns.
int toys_owned(std::string_view key);
// Set when the grown-ups' corner leads back to the players: the players'
// screen then opens without Tapo's greeting, which the child has heard.
inline bool returning_from_corner = false;
// A grown-up's new level (1..3) for a named slot; false when it is not kept.
bool set_level(std::string_view key, int level);
// Empties the slot; when it is the current player, that player is cleared too.
void delete_profile(std::string_view key);
// Puts right what an interrupted write or a damaged file left in a named
// slot: a level outside 1..3 becomes 1, an unreadable balance 0, the toy
// flags 38 of "0"/"1".  Writes only what it changes.
void repair_profiles();

// Pays `count` coins to the current player: the balance is saved, then the
// piggy bank, opened at `at` of the active screen, counts them in.
void award_coins(int count, platform::Point at);

// Coins a game owes the child from the moment it judges an answer right,
// before the praise and the piggy bank.  Should the program end before they
// are paid (the window closed during the praise, say), the balance with them
// is saved on the way out.
class CoinsDue {
 public:
  explicit CoinsDue(int count) : count_(count) {}
  ~CoinsDue();
  CoinsDue(const CoinsDue&) = delete;
  CoinsDue& operator=(const CoinsDue&) = delete;
  // Pays them through award_coins(); nothing is owed afterwards.
  void pay(platform::Point at);

 private:
  int count_;
  int exceptions_ = std::uncaught_exceptions();
};

// The piggy-bank window opened by award_coins; returns once it has closed.
// Without one, coins are paid at once.
using PiggyBank = std::function<void(int count, platform::Point at)>;
void set_piggy_bank(PiggyBank show);

}  // namespace tapo::players
