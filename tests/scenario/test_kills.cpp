// The game killed outright (SIGKILL: a power cut, the machine frozen) at a few
// hundred moments of a session in which a player is taken away, another made,
// coins earned in the target game and a toy bought.  After every kill and a
// restart the profiles are whole: both files are lines of sections and keys,
// every named player has a level and results, and the balance has lost at most
// the award whose write the trace had just announced.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ini.h"
#include "players/profiles.h"
#include "tests/record_rows.h"
#include "tests/scenario/play.h"

namespace fs = std::filesystem;
using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// Ota (ZLP) is there from before; the hat takes him away, Eva (PRP) is made.
const std::string kRoster = "[ZLP]\r\nJmeno=Ota\r\nLevel=2\r\n";
const std::string kResults = "[ZLP]\r\nDukaty=9\r\nHracky=" + std::string(tapo::players::kNoToys) + "\r\n";
const std::string kShot = "wait-until anim-end HD_SHORT:\\STRELBA.DAT\n";
const std::string kStart =
    "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n"
    "click-control cunik 1\nwait-until anim-end HD:\\CUNICI\\ZLP.DAT\n"
    "down 432 322\nmove 300 300\nmove 176 218\nup 176 218\nwait 500\nclick 176 218\n"
    "wait-until anim-end HD:\\CUNICI\\ZLP_REV.DAT\n"
    "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\ntype Eva\nclick-control level_plocha 0\n"
    "click-control cmd_hry\nwait-until hide frm_hraci\nclick-control akt_plocha 6\n" + kShot;
const std::string kToShopAndBuy =
    "click-control stopy\nclick-control cmd_vyber_hracu\nwait-until unload frm_hry\n"
    "click-control klika\nwait-until anim-end HD_SHORT:\\TAPO.DAT\n"
    "click-control cenovka 1\nwait-until sound HD:\\HRACKAR\\ZMIZENI.WAV\nwait 1000\n";

void reset_profiles(const Sandbox& box) {
  for (const auto& e : fs::directory_iterator(box.data()))
    if (e.path().filename().string().find("DAT") != std::string::npos && e.path().filename().string()[0] == '.')
      fs::remove(e.path());
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << kRoster;
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << kResults;
}

// The session: three examples answered right.  A run on the virtual clock
// repeats itself, so each answer is learnt from a run that stops before it.
std::string session(Sandbox& box) {
  std::string script = kStart;
  for (int k = 0; k < 3; ++k) {
    reset_profiles(box);
    const int total = tapo::test::number_after(tapo::test::last_state(box.play(script + "dump\n")), "target_total");
    for (char c : std::to_string(total)) script += std::string("key ") + c + "\n";
    script += "key Enter\n" + kShot;
  }
  return script + kToShopAndBuy;
}

// Every line a section, a key or blank, the last one ended.
bool whole(const fs::path& file) {
  const std::string text = tapo::test::slurp(file);
  if (!text.empty() && text.back() != '\n') return false;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!(line.empty() || (line.front() == '[' && line.back() == ']') || line.find('=') != std::string::npos))
      return false;
  }
  return true;
}

bool a_number(const std::string& s) {
  return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// The values of Eva's balance the run announced it was writing, in order.
std::vector<std::string> balances_written(const PlayResult& r) {
  std::vector<std::string> out;
  const std::string prefix = "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=";
  for (const std::string& w : tapo::test::ini_writes(r))
    if (w.rfind(prefix, 0) == 0) out.push_back(w.substr(prefix.size()));
  return out;
}

// The learning record's own check and its count of answers missing a part.
std::string record_check(const std::filesystem::path& file) {
  std::string out;
  for (const char* sql : {"PRAGMA integrity_check",
                          "SELECT count(*) FROM answers WHERE slot IS NULL OR game IS NULL OR example IS NULL OR "
                          "expected IS NULL OR given IS NULL OR at IS NULL"})
    for (const auto& row : tapo::test::record_rows(file, sql))
      for (const auto& column : row) out += (out.empty() ? "" : " ") + column;
  return out;
}

}  // namespace

TEST(Kills, TheProfilesStayWholeWhereverTheGameIsKilled) {
  Sandbox box;
  box.write_default_config();
  const std::string script = session(box);

  // The whole session once, to learn how long it takes and that it earns and buys.
  reset_profiles(box);
  const auto t0 = std::chrono::steady_clock::now();
  const PlayResult full = box.play(script);
  const auto length_us =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0).count();
  tapo::test::played_cleanly(full);
  ASSERT_EQ(balances_written(full), (std::vector<std::string>{"0", "1", "2", "3", "0"})) << full.dump();

  // A fixed number of kills, one in each slice of the session at a moment
  // drawn within it: the whole session is covered, however fast the machine.
  constexpr int kKills = 60;
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<long long> within(0, length_us / kKills);
  for (int kill = 0; kill < kKills; ++kill) {
    const long long at = kill * (length_us / kKills) + within(rng);
    SCOPED_TRACE("killed " + std::to_string(at) + " us into the session");
    reset_profiles(box);
    box.start_held("");
    box.kill_held(script, static_cast<int>(at));
    const PlayResult killed = box.held_trace();

    const PlayResult again = box.play("click 1 1\nwait-until show frm_hraci\nwait 10\n");
    ASSERT_EQ(again.count("show", "frm_hraci"), 1) << again.dump();
    EXPECT_TRUE(tapo::test::ini_writes(again).empty()) << "nothing needed mending: " << again.dump();
    ASSERT_TRUE(whole(box.data() / "HRACI.DAT"));
    ASSERT_TRUE(whole(box.data() / "VYSLEDKY.DAT"));
    using tapo::platform::read_ini;
    for (std::string_view key : tapo::players::kSlotKeys) {
      const std::string name = read_ini(box.data() / "HRACI.DAT", key, "Jmeno");
      if (name == "ERROR" || name.empty()) continue;
      const std::string level = read_ini(box.data() / "HRACI.DAT", key, "Level");
      EXPECT_TRUE(level == "1" || level == "2" || level == "3") << key << " " << level;
      EXPECT_TRUE(a_number(read_ini(box.data() / "VYSLEDKY.DAT", key, "Dukaty"))) << key;
      const std::string toys = read_ini(box.data() / "VYSLEDKY.DAT", key, "Hracky");
      EXPECT_EQ(toys.size(), 38u) << key;
      EXPECT_EQ(toys.find_first_not_of("01"), std::string::npos) << key;
    }
    // The learning record opens whole, without half a row: SQLite's journal
    // took back the write a kill cut short.
    ASSERT_TRUE(std::filesystem::exists(box.data() / "DENIK.DB"));
    EXPECT_EQ(record_check(box.data() / "DENIK.DB"), "ok 0");
    // Every balance announced was written, but perhaps the last.
    const auto announced = balances_written(killed);
    if (announced.size() >= 2) {
      const std::string kept = read_ini(box.data() / "VYSLEDKY.DAT", "PRP", "Dukaty");
      EXPECT_TRUE(kept == announced.back() || kept == announced[announced.size() - 2])
          << kept << " after " << killed.dump();
    }
  }
  std::printf("%d kills over a session of %lld ms\n", kKills, static_cast<long long>(length_us / 1000));
}
