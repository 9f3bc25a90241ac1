// The players' screen in scripted play on the demo pack: choosing, creating
// and deleting players, the hints, and leaving.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "players/profiles.h"
#include "tests/scenario/play.h"

namespace fs = std::filesystem;
using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// Past the opening picture and Tapo's greeting.
const std::string kReady = "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n";
// Where the hat is dragged: its own centre, and the piglets' (the drop counts by place).
const char* const kPiglet[6] = {"72 220", "176 218", "278 222", "76 374", "182 430", "296 398"};
const char* const kHat = "432 322";
const char* const kSlot[6] = {"PRP", "ZLP", "PMP", "PZP", "POP", "PFP"};

// A piglet picked up, its animation played to the end.
std::string pick(int i) {
  return "click-control cunik " + std::to_string(i) + "\nwait-until anim-end HD:\\CUNICI\\" + kSlot[i] + ".DAT\n";
}
std::string level(int j) { return "click-control level_plocha " + std::to_string(j) + "\n"; }
// The games button; what Tapo says to it, to its end.
const std::string kGamesHint = "click-control cmd_hry\nwait-until talk-end\n";

void write_roster(const Sandbox& box, const std::string& hraci, const std::string& vysledky) {
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << hraci;
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << vysledky;
}

}  // namespace

TEST(ScriptedPlay, ControlsAreFoundByNameAndEventsAwaited) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r =
      box.play(kReady + "dump\nclick-control cunik 7\nclick-control cmd_hry\nwait-until talk-end\n" +
               "wait-until talk HD:\\CUNICI\\NIKDY\ndump\n");
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u) << r.dump();
  EXPECT_NE(states[0].args.find("\"cmd_hry\": [544, 224, 77, 61]"), std::string::npos) << states[0].args;
  EXPECT_NE(states[0].args.find("\"cunik(5)\": [260, 348, 73, 101]"), std::string::npos) << states[0].args;
  EXPECT_EQ(states[0].args.find("\"video\""), std::string::npos) << "a hidden control is not listed";
  const auto errors = r.events("script-error");
  ASSERT_EQ(errors.size(), 2u) << r.dump();
  EXPECT_EQ(errors[0].args, "line 4: no control cunik(7) to click");
  EXPECT_EQ(talks(r).back(), "HD:\\CUNICI\\ZVOLHRAC.DAT") << "the run goes on after a control it did not find";
  EXPECT_EQ(errors[1].ms, states[1].ms);
  EXPECT_EQ(errors[1].ms - r.events("talk-end").back().ms, 120000) << "a wait-until gives up after 120 s";
}

TEST(PlayersScreen, CreatingAPlayerWritesExactlyItsFourKeysTheResultsFirst) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(kReady + pick(0) + "type Eva\n" + level(1) + "dump\n");
  played_cleanly(r);
  EXPECT_EQ(ini_writes(r), (std::vector<std::string>{
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=0",
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Hracky=00000000000000000000000000000000000000",
                               "HD_SHORT:\\HRACI.DAT PRP Jmeno=Eva", "HD_SHORT:\\HRACI.DAT PRP Level=2"}))
      << r.dump();
  const std::string state = last_state(r);
  EXPECT_NE(state.find("\"player_name\": \"Eva\""), std::string::npos) << state;
  EXPECT_NE(state.find("\"player_level\": 2"), std::string::npos) << state;
  EXPECT_NE(state.find("\"names\": [\"Eva\", "), std::string::npos) << state;
  EXPECT_NE(state.find("\"crank_enabled\": true"), std::string::npos) << state;
}

TEST(PlayersScreen, NamesAreTypedAsCharactersUpToTwelveAndBlankNamesAreRefused) {
  Sandbox box;
  box.write_default_config();
  PlayResult r = box.play(kReady + pick(2) + "type Šárka Čížková Nováková\nkey Backspace\n" + level(0) + "dump\n");
  played_cleanly(r);
  ASSERT_EQ(ini_writes(r).size(), 4u) << r.dump();
  EXPECT_EQ(ini_writes(r)[2], "HD_SHORT:\\HRACI.DAT PMP Jmeno=Šárka Čížko") << "12 characters, less the one taken back";

  r = box.play(kReady + pick(3) + "type    \n" + level(2) + "wait-until talk-end\ndump\n");
  played_cleanly(r);
  EXPECT_TRUE(ini_writes(r).empty()) << r.dump();
  EXPECT_EQ(talks(r).back(), "HD:\\CUNICI\\MISSNAME.DAT");
}

TEST(PlayersScreen, ChoosingAPlayerReadsItsLevelAndCoinsAfterTheRosterIsRepaired) {
  Sandbox box;
  box.write_default_config();
  // The roster of an older copy of the game: the name in the Central European
  // code page, the toys cut short.  Eva's creation was cut off after her name;
  // Ida's values were edited by hand.
  write_roster(box,
               "[ZLP]\r\nJmeno=\x8A\xE1rka\r\nLevel=3\r\n[PMP]\r\nJmeno=Ida\r\nLevel=2.5\r\n"
               "[PFP]\r\nJmeno=Eva\r\nLevel=9\r\n",
               "[ZLP]\r\nDukaty=42\r\nHracky=01x\r\n[PMP]\r\nDukaty=-5\r\nHracky=" +
                   std::string(tapo::players::kNoToys) + "\r\n");
  const PlayResult r = box.play(kReady + pick(1) + "dump\nclick-control cunik 1\nwait 3000\ndump\n");
  played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_NE(states[0].args.find("\"player_id\": \"ZLP\", \"player_name\": \"Šárka\", \"player_level\": 3, \"player_coins\": 42"),
            std::string::npos)
      << states[0].args;
  EXPECT_EQ(ini_writes(r), (std::vector<std::string>{
                               "HD_SHORT:\\VYSLEDKY.DAT ZLP Dukaty=42",
                               "HD_SHORT:\\VYSLEDKY.DAT ZLP Hracky=01000000000000000000000000000000000000",
                               "HD_SHORT:\\HRACI.DAT PMP Level=2", "HD_SHORT:\\VYSLEDKY.DAT PMP Dukaty=0",
                               "HD_SHORT:\\VYSLEDKY.DAT PMP Hracky=00000000000000000000000000000000000000",
                               "HD_SHORT:\\HRACI.DAT PFP Level=1", "HD_SHORT:\\VYSLEDKY.DAT PFP Dukaty=0",
                               "HD_SHORT:\\VYSLEDKY.DAT PFP Hracky=00000000000000000000000000000000000000"}));
  // The second click on the piglet that is up changes nothing.
  int pickups = 0;
  for (const auto& t : r.events("anim")) pickups += t.args == "HD:\\CUNICI\\ZLP.DAT";
  EXPECT_EQ(pickups, 1) << r.dump();
}

// The chosen piglet's coins are in view (dump: balance) and follow the
// choice: none for a free piglet, nothing yet for a player being made.
TEST(PlayersScreen, TheChosenPigletsBalanceIsShown) {
  Sandbox box;
  box.write_default_config();
  const std::string toys = "Hracky=" + std::string(tapo::players::kNoToys) + "\r\n";
  write_roster(box, "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n[ZLP]\r\nJmeno=Ota\r\nLevel=2\r\n",
               "[PRP]\r\nDukaty=7\r\n" + toys + "[ZLP]\r\nDukaty=1234\r\n" + toys);
  const PlayResult r = box.play(kReady + "dump\n" + pick(0) + "dump\n" + pick(1) + "dump\n" + pick(2) + "dump\n" +
                                "type Ida\n" + level(0) + "dump\n");
  played_cleanly(r);
  std::vector<std::string> shown;
  for (const auto& s : r.events("state")) {
    const auto at = s.args.find("\"balance\": \"");
    shown.push_back(at == std::string::npos ? "?" : s.args.substr(at + 12, s.args.find('"', at + 12) - at - 12));
  }
  EXPECT_EQ(shown, (std::vector<std::string>{"", "7", "1234", "", "0"})) << r.dump();
  EXPECT_NE(r.events("state")[1].args.find("\"dukaty\": ["), std::string::npos) << "the balance is in view";
}

TEST(PlayersScreen, TheGamesButtonSaysWhatIsMissing) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(kReady + kGamesHint + pick(4) + kGamesHint + "type Ola\n" + kGamesHint);
  EXPECT_EQ(talks(r), (std::vector<std::string>{"HD:\\CUNICI\\INTRO.DAT", "HD:\\CUNICI\\ZVOLHRAC.DAT",
                                                "HD:\\CUNICI\\NONAME.DAT", "HD:\\CUNICI\\DO_KOLIK.DAT"}))
      << r.dump();
  played_cleanly(r);
}

TEST(PlayersScreen, TheHatTakesAPlayerAwayOnlyWhenAskedTwice) {
  Sandbox box;
  box.write_default_config();
  const std::string roster = "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n[ZLP]\r\nJmeno=Ota\r\nLevel=2\r\n";
  const std::string toys = "Hracky=" + std::string(tapo::players::kNoToys) + "\r\n";
  const std::string results = "[PRP]\r\nDukaty=7\r\n" + toys + "[ZLP]\r\nDukaty=9\r\n" + toys;
  auto drag_to = [](const std::string& at) {
    return std::string("down ") + kHat + "\nmove 300 300\nmove " + at + "\nup " + at + "\nwait 500\n";
  };
  {
    SCOPED_TRACE("confirmed on the picked-up piglet");
    write_roster(box, roster, results);
    const PlayResult r = box.play(kReady + pick(0) + drag_to(kPiglet[0]) + "dump\nclick " + kPiglet[0] +
                                  "\nwait-until anim-end HD:\\CUNICI\\PRP_REV.DAT\ndump\n" + kGamesHint);
    played_cleanly(r);
    EXPECT_EQ(ini_writes(r), (std::vector<std::string>{
                                 "HD_SHORT:\\HRACI.DAT PRP Jmeno=", "HD_SHORT:\\HRACI.DAT PRP Level=",
                                 "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=0",
                                 "HD_SHORT:\\VYSLEDKY.DAT PRP Hracky=00000000000000000000000000000000000000"}))
        << r.dump();
    const auto states = r.events("state");
    ASSERT_EQ(states.size(), 2u);
    EXPECT_NE(states[0].args.find("\"hat_target\": 0"), std::string::npos) << states[0].args;
    EXPECT_NE(states[1].args.find("\"selected_slot\": \"\""), std::string::npos) << states[1].args;
    EXPECT_NE(states[1].args.find("\"player_id\": \"\""), std::string::npos) << "the deleted player is no longer current";
    EXPECT_NE(states[1].args.find("\"names\": [\"\", \"Ota\""), std::string::npos) << states[1].args;
    EXPECT_EQ(talks(r).back(), "HD:\\CUNICI\\ZVOLHRAC.DAT") << "the games button asks for a player";
    int question = 0;
    for (const auto& t : r.events("sound")) question += t.args == "HD:\\CUNICI\\SMAZAT.WAV";
    EXPECT_EQ(question, 1);
  }
  {
    SCOPED_TRACE("cancelled");
    write_roster(box, roster, results);
    const PlayResult r = box.play(kReady + drag_to(kPiglet[1]) + "click 600 40\ndump\n");
    EXPECT_TRUE(ini_writes(r).empty()) << r.dump();
    EXPECT_NE(last_state(r).find("\"hat_target\": 99, \"hat_x\": 400, \"hat_y\": 296"), std::string::npos) << last_state(r);
  }
  {
    SCOPED_TRACE("dropped on an empty board or beside the piglets");
    write_roster(box, roster, results);
    const PlayResult r = box.play(kReady + drag_to(kPiglet[5]) + drag_to("600 40") + "dump\n");
    EXPECT_TRUE(ini_writes(r).empty()) << r.dump();
    for (const auto& t : r.events("sound")) EXPECT_NE(t.args, "HD:\\CUNICI\\SMAZAT.WAV") << "no question was asked";
    EXPECT_NE(last_state(r).find("\"hat_target\": 99, \"hat_x\": 400"), std::string::npos) << last_state(r);
  }
}

// While the question waits, the hat stays in view on the piglet, and a
// click on it answers as before.
TEST(PlayersScreen, TheHatStaysInViewWhileItsQuestionWaits) {
  Sandbox box;
  box.write_default_config();
  write_roster(box, "[ZLP]\r\nJmeno=Ota\r\nLevel=2\r\n", "[ZLP]\r\nDukaty=9\r\nHracky=" + std::string(tapo::players::kNoToys) + "\r\n");
  std::string script = kReady + "down " + kHat + "\nmove 300 300\nmove " + kPiglet[1] + "\nup " + kPiglet[1] + "\n";
  for (int k = 0; k < 6; ++k) script += "wait 70\ndump\n";
  const PlayResult r = box.play(script + "click " + kPiglet[1] + "\nwait 500\ndump\n");
  played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 7u) << r.dump();
  for (int k = 0; k < 6; ++k) {
    EXPECT_NE(states[k].args.find("\"hat_target\": 1"), std::string::npos) << states[k].args;
    EXPECT_NE(states[k].args.find("\"klobouk\": ["), std::string::npos) << "at " << states[k].ms << ": " << states[k].args;
  }
  EXPECT_NE(states[6].args.find("\"names\": [\"\", \"\""), std::string::npos) << "the answer took Ota away";
}

TEST(PlayersScreen, TheRouteToTheGamesAndTheShopAndBackWithoutASecondGreeting) {
  Sandbox box;
  box.write_default_config();
  write_roster(box, "[POP]\r\nJmeno=Ola\r\nLevel=1\r\n",
               "[POP]\r\nDukaty=3\r\nHracky=" + std::string(tapo::players::kNoToys) + "\r\n");
  // The players' screen, the menu, the pirate's target game and out by its
  // footprints, the players again; then the toy shop and back by its crank.
  const PlayResult r = box.play(kReady + pick(4) + "click-control cmd_hry\nwait-until hide frm_hraci\n" +
                                "click-control akt_plocha 6\nwait-until talk HD:\\TERC\\INTRO.DAT\ndump\n" +
                                "click-control stopy\nclick-control cmd_vyber_hracu\nwait-until unload frm_hry\ndump\n" +
                                "click-control klika\nwait-until anim-end HD_SHORT:\\TAPO.DAT\nclick-control cmd_pred_obchod\n"
                                "wait-until show frm_hraci\ndump\n");
  played_cleanly(r);
  std::vector<std::string> shown;
  for (const auto& t : r.events("show")) shown.push_back(t.args);
  EXPECT_EQ(shown, (std::vector<std::string>{"frm_inout", "frm_hraci", "frm_hry", "frm_terc", "frm_hry",
                                             "frm_hraci", "frm_hrackarstvi", "frm_hraci"}))
      << r.dump();
  int greetings = 0;
  for (const auto& t : r.events("talk")) greetings += t.args.rfind("HD:\\CUNICI\\INTRO.DAT", 0) == 0;
  EXPECT_EQ(greetings, 1) << "coming back does not greet again";
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 3u);
  EXPECT_NE(states[1].args.find("\"form\": \"frm_hraci\", \"player_id\": \"POP\""), std::string::npos) << states[1].args;
  EXPECT_NE(states[2].args.find("\"form\": \"frm_hraci\""), std::string::npos) << states[2].args;
}
