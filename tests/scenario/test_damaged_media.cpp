// A media file damaged in any of the ways a copied disc or a bad download
// leaves it is named once in the trace ("damaged PATH") when the screen that
// uses it plays, and the screen still goes on with what it can use.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "tests/scenario/play.h"

using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

std::string read_bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void put32(std::string& bytes, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

const std::string kGreeting = "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n";
const std::string kPlayers = kGreeting + "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\n";
const std::string kShop = kPlayers + "click-control klika\nwait 20000\n";
const std::string kRide = kPlayers + "click-control klika\nwait-until anim-end HD_SHORT:\\TAPO.DAT\n"
                                     "click-control cmd_domu\nwait-until show frm_pokoj\n";
const std::string kDragon = kPlayers + "click-control cmd_hry\nwait-until hide frm_hraci\nclick-control akt_plocha 1\n"
                                       "wait-until talk HD:\\DRAK\\INTRO.DAT\nwait-until talk-end\nwait 1000\n";

struct Case {
  const char* file;  // below the media folder
  std::function<void(std::string&)> damage;
  const std::string& script;
  const char* reached;  // a trace event's arguments that show the screen went on
};

}  // namespace

TEST(DamagedMedia, EveryKindOfFileIsNamedOnceAndTheScreenGoesOn) {
  const Case cases[] = {
      // Tapo's speech marks with a line that is no number.
      {"CUNICI/INTRO.DAT", [](std::string& b) { b.insert(b.find('\n'), "x"); }, kGreeting, "HD:\\CUNICI\\GESTOREV.DAT"},
      // Captions cut short in the middle of a sentence.
      {"CUNICI/INTRO.TXT", [](std::string& b) { b.resize(b.size() - 5); }, kGreeting, "HD:\\CUNICI\\GESTOREV.DAT"},
      // The talking head's place emptied.
      {"CUNICI/MLUVI.DAT", [](std::string& b) { b.clear(); }, kGreeting, "HD:\\CUNICI\\GESTOREV.DAT"},
      // A gesture asking for a frame no clip has.
      {"CUNICI/GESTO.DAT", [](std::string& b) { b += "999999x90\r\n"; }, kGreeting, "HD:\\CUNICI\\GESTOREV.DAT"},
      // The gesture's clip with an index that lists other sizes.
      {"CUNICI/GESTO.AVI",
       [](std::string& b) {
         const auto idx = b.find("idx1");
         put32(b, idx + 8 + 12, 7);
       },
       kGreeting, "HD:\\CUNICI\\GESTOREV.DAT"},
      // The greeting's sound claiming a byte a second.
      {"CUNICI/INTRO.WAV", [](std::string& b) { put32(b, b.find("fmt ") + 16, 1); }, kGreeting,
       "HD:\\CUNICI\\GESTOREV.DAT"},
      // The players' meadow with half its rows.
      {"CUNICI/POZADI.BMP",
       [](std::string& b) {
         std::int32_t h = 0;
         std::memcpy(&h, b.data() + 22, 4);
         put32(b, 22, static_cast<std::uint32_t>(h / 2));
       },
       kGreeting, "HD:\\CUNICI\\GESTOREV.DAT"},
      // The ride with a place far off the scene.
      {"MESTECKO/JIZDA.POS", [](std::string& b) { b.replace(b.find("335"), 3, "33500"); }, kRide, "frm_pokoj"},
      // The dragon's numbers with only four click areas.
      {"DRAK/CISLA.DAT",
       [](std::string& b) {
         std::size_t at = 0;
         for (int k = 0; k < 4; ++k) at = b.find('\n', at) + 1;
         b.resize(at);
       },
       kDragon, "frm_drak"},
  };
  for (const Case& c : cases) {
    Sandbox box;
    box.copy_media();
    const auto path = box.media() / c.file;
    std::string bytes = read_bytes(path);
    ASSERT_FALSE(bytes.empty()) << c.file;
    c.damage(bytes);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    box.write_default_config();
    std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n";
    std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << "[PRP]\r\nDukaty=0\r\nHracky=" << std::string(38, '0')
                                                                 << "\r\n";

    const PlayResult r = box.play(c.script);
    std::string named = std::string("HD:\\") + c.file;
    for (char& ch : named)
      if (ch == '/') ch = '\\';
    EXPECT_EQ(r.count("damaged", named), 1) << c.file << "\n" << r.dump();
    EXPECT_EQ(r.events("damaged").size(), 1u) << c.file << ": nothing else is named\n" << r.dump();
    EXPECT_TRUE(r.events("msgbox").empty()) << c.file << ": a file the screen can do without asks nothing";
    bool went_on = false;
    for (const auto& t : r.trace) went_on = went_on || t.args == c.reached;
    EXPECT_TRUE(went_on) << c.file << "\n" << r.dump();
    EXPECT_TRUE(r.events("script-error").empty()) << c.file << "\n" << r.dump();
  }
}

// The toy shop cannot open without its price list: the message names the
// file in the family's language (in Russian, the game's first words), and
// the trace names it too.
TEST(DamagedMedia, ABrokenPriceListIsNamedInTheMessageInTheFamilysLanguage) {
  Sandbox box;
  box.copy_media();
  const auto path = box.media() / "HRACKAR" / "HRACKY.IDX";
  std::string bytes = read_bytes(path);
  bytes.resize(bytes.size() / 2);
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  box.write_default_config();
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n";
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << "[PRP]\r\nDukaty=9\r\nHracky=" << std::string(38, '0')
                                                               << "\r\n";
  const std::pair<const char*, std::string> told[] = {
      {"en", "Stop! | The list of toys cannot be read: the file " + path.string() + " is damaged."},
      {"cs", "Stop! | Seznam hraček nelze přečíst: soubor " + path.string() + " je poškozený."},
      {"ru", "Стоп! | Неизвестная системная ошибка.. " + path.string()},
  };
  for (const auto& [language, message] : told) {
    SCOPED_TRACE(language);
    box.set_language_list(language);
    const PlayResult r = box.play(kShop);
    ASSERT_EQ(r.events("msgbox").size(), 1u) << r.dump();
    EXPECT_EQ(r.events("msgbox")[0].args.rfind(message, 0), 0u) << r.events("msgbox")[0].args;
    EXPECT_EQ(r.count("damaged", "HD:\\HRACKAR\\HRACKY.IDX"), 1) << r.dump();
  }
}
