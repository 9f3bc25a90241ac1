// The toy shop, the ride home and the toy room, played through the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ini.h"
#include "players/profiles.h"
#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// Eva (slot PRP) with `coins` and the toy flags `flags`, in the shop with Tapo come in.
std::string to_shop(Sandbox& box, int coins, const std::string& flags) {
  box.write_default_config();
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n";
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary)
      << "[PRP]\r\nDukaty=" << coins << "\r\nHracky=" << flags << "\r\n";
  return "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n"
         "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\n"
         "click-control klika\nwait-until anim-end HD_SHORT:\\TAPO.DAT\n";
}

std::string stored(const Sandbox& box, const char* key) {
  return tapo::platform::read_ini(box.data() / "VYSLEDKY.DAT", "PRP", key);
}

std::string all_but(std::size_t owned_from) {
  std::string flags(tapo::players::kNoToys);
  for (std::size_t k = owned_from; k < flags.size(); ++k) flags[k] = '1';
  return flags;
}

}  // namespace

// The ball (3 coins, tag 1) on the left half with the till's show; the car
// (30 coins, tag 9) on the right half with the till's sound only; the castle
// (60) is too dear.  Home through the town: both toys in the room, the ball
// bounces when clicked, and the room writes nothing.
TEST(ToyShop, BuyingOnBothHalvesThenBothToysInTheRoom) {
  Sandbox box;
  const PlayResult r = box.play(to_shop(box, 40, std::string(tapo::players::kNoToys)) +
                                "click-control cenovka 1\nwait-until sound HD:\\HRACKAR\\ZMIZENI.WAV\nwait 1000\n"
                                "key Right\nwait 4000\nclick-control cenovka 9\nwait-until sound HD:\\HRACKAR\\ZMIZENI.WAV\nwait 1000\n"
                                "click-control cenovka 14\nwait 3000\n"
                                "key Left\nwait 4000\nclick-control cmd_domu\nwait-until show frm_pokoj\ndump\n"
                                "click-control klik_anim 1\nwait-until anim-end HD:\\POKOJ\\mic.DAT\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(r.count("anim", "HD:\\HRACKAR\\KASA.DAT"), 1) << "the till's show on the left half only";
  EXPECT_EQ(r.count("sound", "HD:\\HRACKAR\\KASA.WAV"), 1) << r.dump();
  EXPECT_TRUE(r.has("sound", "HD:\\HRACKAR\\MALO.WAV"));
  EXPECT_EQ(stored(box, "Dukaty"), "7");
  EXPECT_EQ(stored(box, "Hracky").substr(0, 10), "1000000010");
  const std::string room = tapo::test::last_state(r);
  EXPECT_NE(room.find("\"toys\": {\"mic\": "), std::string::npos) << room;
  EXPECT_NE(room.find("\"auto\": "), std::string::npos) << room;
  const auto writes = tapo::test::ini_writes(r);
  ASSERT_EQ(writes.size(), 4u) << "two purchases, each one change of both keys";
  EXPECT_TRUE(r.has("anim", "HD:\\POKOJ\\mic.DAT"));
}

// The last toy sold: Tapo remarks on it; the next visit finds an empty shop
// (no tags, Tapo's shrug, the empty-shop talk) and no greeting.
TEST(ToyShop, TheLastToyLeavesAnEmptyShop) {
  Sandbox box;
  const PlayResult r = box.play(to_shop(box, 3, all_but(1)) +
                                "click-control cenovka 1\nwait-until talk-end\n"
                                "click-control cmd_pred_obchod\nwait-until show frm_hraci\n"
                                "click-control klika\nwait-until talk-end\ndump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(tapo::test::talks(r), (std::vector<std::string>{"HD:\\CUNICI\\INTRO.DAT", "HD:\\HRACKAR\\INTRO.DAT",
                                                            "HD:\\HRACKAR\\POSLEDNI.DAT", "HD:\\HRACKAR\\PRAZDNY.DAT"}))
      << r.dump();
  EXPECT_TRUE(r.has("anim", "HD_SHORT:\\TAPO2.DAT"));
  EXPECT_NE(tapo::test::last_state(r).find("\"shown_count\": 0"), std::string::npos);
  EXPECT_EQ(stored(box, "Dukaty"), "0");
}

// A price list naming a toy the shop's places lack: the message, back to
// the players, nothing written.
TEST(ToyShop, ABrokenCatalogueLeadsBackToThePlayers) {
  Sandbox box;
  box.copy_media();
  {
    std::ifstream in(box.media() / "HRACKAR" / "HRACKY.IDX", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    text.replace(text.find("\"mic\""), 5, "\"xyz\"");
    std::ofstream(box.media() / "HRACKAR" / "HRACKY.IDX", std::ios::binary | std::ios::trunc) << text;
  }
  std::string script = to_shop(box, 10, std::string(tapo::players::kNoToys));
  script = script.substr(0, script.rfind("wait-until")) + "wait-until show frm_hraci\n";
  box.set_language_list("ru");  // the game's first words
  const PlayResult r = box.play(script);
  const std::string file = (box.media() / "HRACKAR" / "HRACKY.IDX").string();
  EXPECT_TRUE(r.has("msgbox", "Стоп! | Неизвестная системная ошибка.. " + file)) << r.dump();
  EXPECT_TRUE(r.has("damaged", "HD:\\HRACKAR\\HRACKY.IDX")) << r.dump();
  EXPECT_TRUE(r.events("ini").empty());
  EXPECT_EQ(r.events("show").back().args, "frm_hraci");
}

// Killed at any moment of a purchase, the game never leaves the coins paid
// without the toy, nor the toy without the coins.
TEST(ToyShop, AKillDuringAPurchaseNeverSplitsCoinsAndToy) {
  // Every half millisecond over the first 20 ms: the purchase falls in there.
  for (int after_us = 0; after_us <= 20000; after_us += 500) {
    SCOPED_TRACE(after_us);
    Sandbox box;
    box.start_held(to_shop(box, 9, std::string(tapo::players::kNoToys)));
    ASSERT_TRUE(box.wait_for_trace("anim-end", "HD_SHORT:\\TAPO.DAT", 20000));
    box.kill_held("click-control cenovka 2\nwait 5000\n", after_us);
    const std::string coins = stored(box, "Dukaty"), flags = stored(box, "Hracky");
    const bool before = coins == "9" && flags == tapo::players::kNoToys;
    const bool after = coins == "4" && flags.substr(0, 3) == "010";
    EXPECT_TRUE(before || after) << coins << " " << flags;
  }
}

// The greeting is heard once while the players' screen stays loaded.
// The data folder gone while the child shops: the purchase cannot be kept,
// and the parent is told so, as for a folder that cannot be written.
TEST(ToyShop, APurchaseWithTheDataFolderGoneIsTold) {
  Sandbox box;
  box.start_held(to_shop(box, 40, std::string(tapo::players::kNoToys)));
  tapo::test::held_dump(box);
  std::filesystem::remove_all(box.data());
  const PlayResult r = box.finish_held("click-control cenovka 1\nwait 5000\ndump\n");
  EXPECT_EQ(r.count("unsaved", "HD_SHORT:\\VYSLEDKY.DAT 1"), 1) << r.dump();
  EXPECT_EQ(r.events("msgbox").size(), 1u) << r.dump();
  EXPECT_EQ(tapo::test::number_after(tapo::test::last_state(r), "player_coins"), 40) << "nothing was bought";
}

TEST(ToyShop, TapoGreetsOncePerVisitOfThePlayers) {
  Sandbox box;
  const PlayResult r = box.play(to_shop(box, 5, std::string(tapo::players::kNoToys)) +
                                "wait-until talk-end\nclick-control cmd_pred_obchod\nwait-until show frm_hraci\n"
                                "click-control klika\nwait-until anim-end HD_SHORT:\\TAPO.DAT\nwait 3000\n");
  tapo::test::played_cleanly(r);
  const auto said = tapo::test::talks(r);
  EXPECT_EQ(std::count(said.begin(), said.end(), "HD:\\HRACKAR\\INTRO.DAT"), 1) << r.dump();
  EXPECT_EQ(r.count("anim", "HD_SHORT:\\TAPO.DAT"), 2);
}

// Every toy in the room answers every click: the kite three times in a row,
// then the boat on the room's right half; nothing of a show is left lying
// over the toys.
TEST(ToyRoom, AToyPlaysItsShowAtEveryClick) {
  Sandbox box;
  std::string flags(tapo::players::kNoToys);
  flags[2] = flags[3] = '1';  // the boat (klik_anim 1) and the kite (klik_anim 2)
  std::string script = to_shop(box, 0, flags) + "click-control cmd_domu\nwait-until show frm_pokoj\n";
  auto three_times = [&script](const std::string& area, const std::string& show) {
    for (int k = 0; k < 3; ++k)
      script += "click-control klik_anim " + area + "\nwait-until anim-end HD:\\POKOJ\\" + show + ".DAT\n";
  };
  three_times("2", "drak");
  script += "key Right\nwait 4000\n";
  three_times("1", "lod");
  script += "dump\n";
  const PlayResult r = box.play(script);
  tapo::test::played_cleanly(r);
  EXPECT_EQ(r.count("anim-end", "HD:\\POKOJ\\drak.DAT"), 3) << r.dump();
  EXPECT_EQ(r.count("anim-end", "HD:\\POKOJ\\lod.DAT"), 3) << r.dump();
  EXPECT_EQ(tapo::test::last_state(r).find("\"video\""), std::string::npos) << tapo::test::last_state(r);
}
