// The learning record: what each piglet practised, kept in the data folder
// beside the profiles as DENIK.DB, an SQLite database (the profiles' own
// files are never touched).  The file is created on the first write; a data
// folder without it plays as before.
//
// Every write is one short transaction in SQLite's rollback journal (which a
// folder on a network share supports too): a program killed at any moment
// leaves the database whole.  A database that cannot be opened or written is
// told once; the game goes on.  A damaged one is kept aside as
// "DENIK.DB.damaged-<date>" and a new one begun.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "players/journal.h"

namespace tapo::players::record {

inline constexpr std::string_view kFile = "\\DENIK.DB";

// One judged answer of the current player.
struct Answer {
  std::string game;      // the game's screen, "frm_terc"
  int level = 0;
  std::string kind;      // the game's own kind of example
  std::string example;   // as the child reads it, "7 + 5 = ?"
  std::string expected;
  std::string given;
  bool right = false;
  int attempt = 1;       // 1 for the first try
  long long ms = 0;      // from when it could be answered, on the game's clock
};

void answer(const Answer& a);
// The current player started playing (chosen on the players' screen), or
// stopped (another piglet, the players' screen, the end of the program).
void session_started();
void session_ended();
// Minutes the current player has played today, this session included.
int minutes_today();
// The grown-ups' settings for the current player, as they were when the
// session began (they are changed only where no piglet plays).
const journal::Settings& settings();
// Whether the current player has played the day's limit.
bool day_is_over();
// Keeps the settings of the piglet in `slot`; false when they cannot be kept.
bool save_settings(std::string_view slot, const journal::Settings& s);
void coins_earned(int coins);
void toy_bought(std::string_view toy, int price);
// Every row of the piglet in `slot`, in the same act as the slot is emptied.
void forget(std::string_view slot);

// The database's path in the data folder.
std::filesystem::path file();
// Closes the database (the tests start each case afresh).
void close();

}  // namespace tapo::players::record
