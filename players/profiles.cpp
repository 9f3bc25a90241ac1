#include "players/profiles.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <string>
#include <utility>

#include "core/listinput.h"
#include "core/tapo_iii.h"
#include "platform/i18n.h"
#include "platform/ini.h"
#include "platform/loop.h"
#include "platform/msgbox.h"
#include "players/record.h"

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

std::string trimmed(const std::string& s) {
  const auto first = std::find_if_not(s.begin(), s.end(), [](unsigned char c) { return std::isspace(c); });
  const auto last = std::find_if_not(s.rbegin(), s.rend(), [](unsigned char c) { return std::isspace(c); }).base();
  return first < last ? std::string(first, last) : std::string();
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
  record::session_ended();
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
  record::session_started();
}

bool create_profile(std::string_view key, const std::string& typed_name, int level) {
  // Blanks around a name would not come back from the file.
  const std::string name = trimmed(typed_name);
  if (name.empty() || level < 1 || level > 3) return false;
  // The results first, then the name and level in one change: whenever the
  // game is stopped, a named player has a level and a results section.  A
  // piglet whose files could not be written is not created at all (nor
  // written later): it would be gone at the next start.
  constexpr auto kForget = core::IfUnsaved::Forget;
  if (!core::write_ini(Root::Data, kResultsFile, key, {{"Dukaty", "0"}, {"Hracky", kNoToys}}, kForget) ||
      !core::write_ini(Root::Data, kRosterFile, key, {{"Jmeno", name}, {"Level", std::to_string(level)}}, kForget))
    return false;
  core::player_name = name;
  core::player_id = std::string(key);
  core::player_coins = 0;
  core::player_level = level;
  record::session_started();
  return true;
}

int toys_owned(std::string_view key) {
  const std::string flags = core::read_ini(Root::Data, kResultsFile, key, "Hracky");
  return flags == platform::kIniMissing ? 0 : static_cast<int>(std::count(flags.begin(), flags.end(), '1'));
}

bool set_level(std::string_view key, int level) {
  if (level < 1 || level > 3 || slot_name(key).empty()) return false;
  return core::write_ini(Root::Data, kRosterFile, key, {{"Level", std::to_string(level)}}, core::IfUnsaved::Forget);
}

void delete_profile(std::string_view key) {
  // The name goes first: a slot without a name is free, whatever else it holds.
  core::write_ini(Root::Data, kRosterFile, key, {{"Jmeno", ""}, {"Level", ""}});
  core::write_ini(Root::Data, kResultsFile, key, {{"Dukaty", "0"}, {"Hracky", kNoToys}});
  // A new child in this slot starts with an empty history.
  record::forget(key);
  // No purchase or award may write into a slot that is gone.
  if (core::player_id == key) core::clear_player();
}

namespace {
// A profile file the game cannot read is renamed aside with the date
// ("HRACI.DAT.2026-12-09.damaged"), never deleted, and the parent told; the
// game then begins the file anew.
void keep_aside_if_unreadable(std::string_view dos_file) {
  const std::filesystem::path file = core::real_path(Root::Data, dos_file);
  if (platform::ini_readable(file)) return;
  core::note_unreadable({Root::Data, std::string(dos_file)});
  const std::filesystem::path aside = core::rename_aside(file, [&file](const std::string& date, int n) {
    return file.string() + "." + date + (n > 1 ? "-" + std::to_string(n) : "") + ".damaged";
  });
  const std::string told =
      aside.empty()
          ? platform::fill(platform::tr("The game cannot read the file %1: it is damaged. Rename or remove it, so "
                                        "that the game can begin the file anew."),
                           {file.string()})
          : platform::fill(platform::tr("The game cannot read the file %1: it is damaged. It was kept as %2, and "
                                        "the game begins the file anew."),
                           {file.string(), aside.filename().string()});
  platform::message_box(platform::tr("Attention!"), told, platform::MsgIcon::Exclamation);
}
}  // namespace

void repair_profiles() {
  keep_aside_if_unreadable(kRosterFile);
  keep_aside_if_unreadable(kResultsFile);
  for (std::string_view key : kSlotKeys) {
    if (slot_name(key).empty()) continue;
    // A level is one of 1..3, written as such ("2.5" is played as 2).
    const int level = slot_level(key);
    const std::string sound_level = std::to_string(level >= 1 && level <= 3 ? level : 1);
    if (core::read_ini(Root::Data, kRosterFile, key, "Level") != sound_level)
      core::write_ini(Root::Data, kRosterFile, key, "Level", sound_level);

    const std::string coins = core::read_ini(Root::Data, kResultsFile, key, "Dukaty");
    const std::string toys = core::read_ini(Root::Data, kResultsFile, key, "Hracky");
    const std::string sound_coins = std::to_string(std::max(0, to_int32(leading_number(coins))));
    std::string sound_toys(kNoToys);
    if (toys != platform::kIniMissing)
      for (std::size_t i = 0; i < std::min(toys.size(), sound_toys.size()); ++i)
        if (toys[i] == '1') sound_toys[i] = '1';
    if (coins != sound_coins || toys != sound_toys)
      core::write_ini(Root::Data, kResultsFile, key, {{"Dukaty", sound_coins}, {"Hracky", sound_toys}});
  }
}

namespace {
void save_balance(std::int32_t balance) {
  // Without a current player there is no slot to write the balance into.
  if (!core::player_id.empty())
    core::write_ini(Root::Data, kResultsFile, core::player_id, "Dukaty", std::to_string(balance));
}
}  // namespace

void award_coins(int count, platform::Point at) {
  core::hide_cursor();
  struct ShowAgain {
    ~ShowAgain() { core::show_cursor(); }
  } show_again;
  const std::int64_t wanted = std::int64_t{core::player_coins} + count;
  const std::int32_t balance = to_int32(static_cast<double>(wanted));
  if (wanted > balance) {  // a balance this large is the most the file's number holds
    platform::message_box(platform::tr("Attention!"),
                          platform::fill(platform::tr("%1's piggy bank already holds %2 coins and cannot take "
                                                      "more: the new coins were not added."),
                                         {core::player_name, std::to_string(balance)}),
                          platform::MsgIcon::Exclamation);
    count = static_cast<int>(std::max<std::int64_t>(0, balance - std::int64_t{core::player_coins}));
  }
  // Saved before the piggy bank counts them in: however the program ends
  // from here on, the coins are kept.
  save_balance(balance);
  record::coins_earned(count);
  if (auto& show = piggy_bank()) show(count, at);
  core::player_coins = balance;
}

CoinsDue::~CoinsDue() {
  // Leaving the screen during the praise forfeits them, ending the program does not.
  if (count_ <= 0 || std::uncaught_exceptions() <= exceptions_ || !platform::ProgramExit::ending()) return;
  try {
    save_balance(to_int32(static_cast<double>(core::player_coins) + count_));
  } catch (...) {  // the program is ending anyway
  }
}

void CoinsDue::pay(platform::Point at) {
  if (const int count = std::exchange(count_, 0); count > 0) award_coins(count, at);
}

void set_piggy_bank(PiggyBank show) { piggy_bank() = std::move(show); }

}  // namespace tapo::players
