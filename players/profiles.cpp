#include "players/profiles.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/listinput.h"
#include "core/tapo_iii.h"

namespace tapo::players {

using core::Root;

namespace {

// Installed at start-up by the piggy-bank window, which also has
// core::reset_shared_state() put it back.
PiggyBank& piggy_bank() {
  static PiggyBank show;
  return show;
}

std::int32_t to_int32(double v) {
  if (!std::isfinite(v)) return 0;
  v = std::nearbyint(v);
  if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(v);
}

bool blank(const std::string& s) {
  for (unsigned char c : s)
    if (!std::isspace(c)) return false;
  return true;
}

}  // namespace

double leading_number(std::string_view text) { return core::val(text); }

std::string slot_name(std::string_view key) {
  std::string name = core::read_ini(Root::Data, kRosterFile, key, "Jmeno");
  return name == "ERROR" ? std::string() : name;
}

int slot_level(std::string_view key) {
  const double level = std::nearbyint(leading_number(core::read_ini(Root::Data, kRosterFile, key, "Level")));
  return level >= 1 && level <= 255 ? static_cast<int>(level) : 0;
}

void choose_slot(std::string_view key, const std::string& shown_name) {
  if (shown_name.empty()) {
    core::player_name.clear();
    core::player_id.clear();
    core::player_level = 0;
    core::player_coins = 0;
    return;
  }
  core::player_name = shown_name;
  core::player_id = std::string(key);
  core::player_level = slot_level(key);
  core::player_coins = to_int32(leading_number(core::read_ini(Root::Data, kResultsFile, key, "Dukaty")));
}

bool create_profile(std::string_view key, const std::string& name, int level) {
  if (blank(name) || level < 1 || level > 3) return false;
  core::player_name = name;
  core::player_id = std::string(key);
  core::player_coins = 0;
  core::player_level = level;
  core::write_ini(Root::Data, kRosterFile, key, "Jmeno", name);
  core::write_ini(Root::Data, kRosterFile, key, "Level", std::to_string(level));
  core::write_ini(Root::Data, kResultsFile, key, "Dukaty", "0");
  core::write_ini(Root::Data, kResultsFile, key, "Hracky", kNoToys);
  return true;
}

void delete_profile(std::string_view key) {
  core::write_ini(Root::Data, kRosterFile, key, "Jmeno", "");
  core::write_ini(Root::Data, kRosterFile, key, "Level", "");
  core::write_ini(Root::Data, kResultsFile, key, "Dukaty", "0");
  core::write_ini(Root::Data, kResultsFile, key, "Hracky", kNoToys);
  // No purchase or award may write into a slot that is gone.
  if (core::player_id == key) core::clear_player();
}

void award_coins(int count, platform::Point at) {
  core::hide_cursor();
  struct ShowAgain {
    ~ShowAgain() { core::show_cursor(); }
  } show_again;
  if (auto& show = piggy_bank()) show(count, at);
  const std::int64_t balance = static_cast<std::int64_t>(core::player_coins) + count;
  core::player_coins = to_int32(static_cast<double>(balance));
  // Without a current player there is no slot to write the balance into.
  if (!core::player_id.empty())
    core::write_ini(Root::Data, kResultsFile, core::player_id, "Dukaty", std::to_string(core::player_coins));
}

void set_piggy_bank(PiggyBank show) { piggy_bank() = std::move(show); }

}  // namespace tapo::players
