// The players' screen in scripted play on the demo pack: choosing, creating
// and deleting players, the hints, and leaving.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/scenario/play.h"

namespace fs = std::filesystem;
using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// Past the opening picture and Tapo's greeting.
const std::string kReady = "click 1 1\nwait 14000\n";
// Centres of the piglets, level coins and controls.
const char* const kPiglet[6] = {"72 220", "176 218", "278 222", "76 374", "182 430", "296 398"};
const char* const kLevel[3] = {"114 106", "158 78", "214 80"};
const char* const kGames = "582 254";
const char* const kHat = "432 322";

std::string click(const std::string& at) { return "click " + at + "\nwait 3000\n"; }

void write_roster(const Sandbox& box, const std::string& hraci, const std::string& vysledky) {
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << hraci;
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << vysledky;
}

}  // namespace

TEST(PlayersScreen, CreatingAPlayerWritesExactlyItsFourKeys) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(kReady + click(kPiglet[0]) + "type Eva\n" + click(kLevel[1]) + "dump\n");
  no_missing_media(r);
  EXPECT_EQ(ini_writes(r), (std::vector<std::string>{
                               "HD_SHORT:\\HRACI.DAT PRP Jmeno=Eva", "HD_SHORT:\\HRACI.DAT PRP Level=2",
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=0",
                               "HD_SHORT:\\VYSLEDKY.DAT PRP Hracky=00000000000000000000000000000000000000"}))
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
  PlayResult r = box.play(kReady + click(kPiglet[2]) + "type Šárka Čížková Nováková\nkey Backspace\n" + click(kLevel[0]) +
                          "dump\n");
  ASSERT_EQ(ini_writes(r).size(), 4u) << r.dump();
  EXPECT_EQ(ini_writes(r)[0], "HD_SHORT:\\HRACI.DAT PMP Jmeno=Šárka Čížko") << "12 characters, less the one taken back";

  r = box.play(kReady + click(kPiglet[3]) + "type    \n" + click(kLevel[2]) + "dump\n");
  EXPECT_TRUE(ini_writes(r).empty()) << r.dump();
  EXPECT_EQ(talks(r).back(), "HD:\\CUNICI\\MISSNAME.DAT");
}

TEST(PlayersScreen, ChoosingAPlayerReadsItsLevelAndCoins) {
  Sandbox box;
  box.write_default_config();
  // The roster of an older copy of the game: the name in the Central European code page.
  write_roster(box, "[ZLP]\r\nJmeno=\x8A\xE1rka\r\nLevel=3\r\n", "[ZLP]\r\nDukaty=42\r\nHracky=0\r\n");
  const PlayResult r = box.play(kReady + click(kPiglet[1]) + "dump\n" + click(kPiglet[1]) + "dump\n");
  no_missing_media(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u);
  EXPECT_NE(states[0].args.find("\"player_id\": \"ZLP\", \"player_name\": \"Šárka\", \"player_level\": 3, \"player_coins\": 42"),
            std::string::npos)
      << states[0].args;
  EXPECT_TRUE(ini_writes(r).empty());
  // The second click on the piglet that is up changes nothing.
  int pickups = 0;
  for (const auto& t : r.events("anim")) pickups += t.args == "HD:\\CUNICI\\ZLP.DAT";
  EXPECT_EQ(pickups, 1) << r.dump();
}

TEST(PlayersScreen, TheGamesButtonSaysWhatIsMissing) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(kReady + click(kGames) + click(kPiglet[4]) + click(kGames) + "type Ola\n" +
                                click(kGames));
  EXPECT_EQ(talks(r), (std::vector<std::string>{"HD:\\CUNICI\\INTRO.DAT", "HD:\\CUNICI\\ZVOLHRAC.DAT",
                                                "HD:\\CUNICI\\NONAME.DAT", "HD:\\CUNICI\\DO_KOLIK.DAT"}))
      << r.dump();
  no_missing_media(r);
}

TEST(PlayersScreen, TheHatTakesAPlayerAwayOnlyWhenAskedTwice) {
  Sandbox box;
  box.write_default_config();
  const std::string roster = "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n[ZLP]\r\nJmeno=Ota\r\nLevel=2\r\n";
  const std::string results = "[PRP]\r\nDukaty=7\r\n[ZLP]\r\nDukaty=9\r\n";
  auto drag_to = [](const std::string& at) {
    return std::string("down ") + kHat + "\nmove 300 300\nmove " + at + "\nup " + at + "\nwait 500\n";
  };
  {
    SCOPED_TRACE("confirmed on the picked-up piglet");
    write_roster(box, roster, results);
    const PlayResult r = box.play(kReady + click(kPiglet[0]) + drag_to(kPiglet[0]) + "dump\n" + click(kPiglet[0]) +
                                  "dump\n" + click(kGames));
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
    const PlayResult r = box.play(kReady + drag_to(kPiglet[1]) + click("600 40") + "dump\n");
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

TEST(PlayersScreen, TheRouteToTheGamesAndTheShopAndBackWithoutASecondGreeting) {
  Sandbox box;
  box.write_default_config();
  write_roster(box, "[POP]\r\nJmeno=Ola\r\nLevel=1\r\n", "[POP]\r\nDukaty=3\r\n");
  // The players' screen, the menu, the pirate's target game and out by its
  // footprints, the players again; then the shop (still to come) and back.
  const PlayResult r = box.play(kReady + click(kPiglet[4]) + click(kGames) + "wait 2000\n" + click("428 232") +
                                "wait 6000\ndump\nclick 24 410\nwait 1000\n" + click("84 242") + "wait 2000\ndump\n" +
                                click("416 258") + "wait 6000\ndump\n");
  no_missing_media(r);
  std::vector<std::string> shown;
  for (const auto& t : r.events("show")) shown.push_back(t.args);
  EXPECT_EQ(shown, (std::vector<std::string>{"frm_inout", "frm_hraci", "frm_hry", "frm_terc", "frm_hry",
                                             "frm_hraci", "frm_pripravujeme", "frm_hraci"}))
      << r.dump();
  int greetings = 0;
  for (const auto& t : r.events("talk")) greetings += t.args.rfind("HD:\\CUNICI\\INTRO.DAT", 0) == 0;
  EXPECT_EQ(greetings, 1) << "coming back does not greet again";
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 3u);
  EXPECT_NE(states[1].args.find("\"form\": \"frm_hraci\", \"player_id\": \"POP\""), std::string::npos) << states[1].args;
  EXPECT_NE(states[2].args.find("\"form\": \"frm_hraci\""), std::string::npos) << states[2].args;
}
