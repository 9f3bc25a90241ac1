// The scales game played through the game: the child reads the pans (from
// `dump`, as a driver does), turns the sign and releases the lock.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

int number_after(const std::string& s, const std::string& key) {
  const auto at = s.find("\"" + key + "\": ");
  return at == std::string::npos ? -1 : std::stoi(s.substr(at + key.size() + 4));
}

// Asks for a dump and returns it once it is there.
std::string dump(Sandbox& box, std::size_t& dumps) {
  box.feed("dump\n");
  ++dumps;
  for (int i = 0; i < 2000; ++i) {
    const PlayResult r = box.held_trace();
    if (r.events("state").size() >= dumps) return r.events("state").back().args;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

}  // namespace

// Five right answers in a row: the fifth is cheered and pays two coins; a
// wrong answer is commented and the next pair comes all the same.
TEST(Scales, FiveRightAnswersPayTwoCoinsAndAWrongOneMovesOn) {
  Sandbox box;
  box.write_default_config();
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n";
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << "[PRP]\r\nDukaty=0\r\n";
  box.start_held("click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n"
                 "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\n"
                 "click-control cmd_hry\nwait-until hide frm_hraci\n"
                 "click-control akt_plocha 7\nwait-until talk HD:\\VAHY\\INTRO.DAT\nwait-until talk-end\n");
  std::size_t dumps = 0;
  for (int k = 1; k <= 6; ++k) {
    const std::string s = dump(box, dumps);
    ASSERT_FALSE(s.empty());
    EXPECT_NE(s.find("\"sign\": \"?\""), std::string::npos) << "a new pair starts without a sign";
    EXPECT_NE(s.find("\"lock_enabled\": false"), std::string::npos) << "no lock before a sign";
    const int l = number_after(s, "left_value"), r = number_after(s, "right_value");
    const int right_clicks = l > r ? 1 : l < r ? 2 : 3;  // ">" "<" "="
    const int clicks = k <= 5 ? right_clicks : right_clicks % 3 + 1;
    std::string turn;
    for (int c = 0; c < clicks; ++c) turn += "click-control znamenko_pic\n";
    box.feed(turn + "click-control aretace\nwait 20000\n");
  }
  const PlayResult r = box.finish_held("dump\n");
  tapo::test::played_cleanly(r);
  const auto said = tapo::test::talks(r);
  int cheers = 0, wrongs = 0;
  for (const auto& t : said) {
    cheers += t.rfind("HD:\\VAHY\\SPRAVNE", 0) == 0;
    wrongs += t.rfind("HD:\\VAHY\\SPATNE", 0) == 0;
  }
  EXPECT_EQ(cheers, 1) << r.dump();
  EXPECT_EQ(wrongs, 1);
  EXPECT_TRUE(r.has("ini", "HD_SHORT:\\VYSLEDKY.DAT PRP Dukaty=2"));
  EXPECT_EQ(number_after(tapo::test::last_state(r), "correct_run"), 0);
}
