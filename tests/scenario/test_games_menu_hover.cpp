// The games menu under the pointer, played through the game with captions on.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/scenario/play.h"

// The toy under the pointer is lit (dump: pointed) and names its game in the
// caption strip; off the toys both go.
TEST(GamesMenuHover, TheToyUnderThePointerNamesItsGame) {
  tapo::test::Sandbox box;
  box.write_default_config();
  std::ofstream(box.config_dir() / "TAPO.INI", std::ios::app) << "CAPTIONS=1\r\n";
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n";
  const tapo::test::PlayResult r = box.play(
      "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n"
      "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\n"
      "click-control cmd_hry\nwait-until hide frm_hraci\nwait 2000\n"
      "move 600 140\nwait 100\ndump\nmove 610 250\nwait 100\nmove 300 440\nwait 100\ndump\n");
  tapo::test::played_cleanly(r);
  const auto states = r.events("state");
  ASSERT_EQ(states.size(), 2u) << r.dump();
  EXPECT_NE(states[0].args.find("\"pointed\": \"Scales\""), std::string::npos) << states[0].args;
  EXPECT_NE(states[1].args.find("\"pointed\": \"\""), std::string::npos) << states[1].args;
  // What the strip said from the first hover on (the players' screen speaks before).
  std::vector<std::string> said;
  for (const auto& t : r.events("caption"))
    if (!said.empty() || t.args == "Scales") said.push_back(t.args);
  EXPECT_EQ(said, (std::vector<std::string>{"Scales", "Sausage tug", ""})) << r.dump();
}
