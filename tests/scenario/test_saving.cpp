// Keeping the children's progress: the folders the settings name, as the
// installer writes them or not there yet; saves that fail; two copies of the
// game on one set of profiles.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/ini.h"
#include "platform/utf8.h"
#include "tests/scenario/play.h"

namespace fs = std::filesystem;
using tapo::test::PlayResult;
using tapo::test::Sandbox;
using tapo::test::slurp;

namespace {

// Past the opening picture and the greeting; a new player Eva at level 1.
const std::string kNewPlayer =
    "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n"
    "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\ntype Eva\nclick-control level_plocha 0\n";

int messages(const PlayResult& r) { return static_cast<int>(r.events("msgbox").size()); }

// The results file becomes one that reads as empty but cannot be written:
// a link into a folder that is gone.
void break_results(const Sandbox& box) {
  fs::remove(box.data() / "VYSLEDKY.DAT");
  fs::create_symlink(box.root() / "gone" / "VYSLEDKY.DAT", box.data() / "VYSLEDKY.DAT");
}

}  // namespace

TEST(Saving, FoldersWrittenWithAClosingBackslashAreFoundAndMadeWhenAbsent) {
  Sandbox box;
  const fs::path data = box.root() / "new data", work = box.root() / "new work";
  box.write_config(box.media().string() + "\\", work.string() + "\\", data.string() + "\\");
  const PlayResult r = box.play(kNewPlayer + "dump\n");
  tapo::test::played_cleanly(r);
  EXPECT_EQ(messages(r), 0) << r.dump();
  EXPECT_TRUE(fs::is_directory(work));
  EXPECT_NE(slurp(data / "HRACI.DAT").find("Jmeno=Eva"), std::string::npos);
  EXPECT_NE(slurp(data / "VYSLEDKY.DAT").find("Dukaty=0"), std::string::npos);
}

// Folders written relative to the settings file lie beside it, wherever the
// game is started from.
TEST(Saving, RelativeFoldersLieBesideTheSettings) {
  Sandbox box;
  box.write_config(box.media().string(), box.work().string(), "profiles/");
  const PlayResult r = box.play(kNewPlayer + "dump\n");
  tapo::test::played_cleanly(r);
  EXPECT_NE(slurp(box.config_dir() / "profiles" / "HRACI.DAT").find("Jmeno=Eva"), std::string::npos) << r.dump();
}

TEST(Saving, ASaveThatFailsIsTriedAgainAndToldOnceAndTheGameGoesOn) {
  {
    SCOPED_TRACE("the results file cannot be replaced");
    Sandbox box;
    box.write_default_config();
    break_results(box);
    const PlayResult r = box.play(kNewPlayer + "dump\nclose\n");
    EXPECT_EQ(r.count("unsaved", "HD_SHORT:\\VYSLEDKY.DAT 1"), 1) << r.dump();
    EXPECT_EQ(r.count("unsaved", "HD_SHORT:\\VYSLEDKY.DAT 2"), 1) << r.dump();
    ASSERT_EQ(messages(r), 1) << r.dump();
    EXPECT_NE(r.events("msgbox")[0].args.find(box.data().string()), std::string::npos) << "the folder is named";
    const std::string s = tapo::test::last_state(r);
    EXPECT_NE(s.find("\"player_name\": \"\""), std::string::npos) << "a piglet that cannot be kept is not made: " << s;
    EXPECT_NE(s.find("\"entry\": \"Eva\""), std::string::npos) << "the name stays typed for another try: " << s;
    EXPECT_FALSE(fs::exists(box.data() / "HRACI.DAT")) << "nor written on the way out";
  }
  {
    SCOPED_TRACE("the data folder is a file");
    Sandbox box;
    const fs::path data = box.root() / "data.txt";
    std::ofstream(data) << "not a folder";
    box.write_config(box.media().string(), box.work().string(), data.string() + "/");
    const PlayResult r = box.play(kNewPlayer + "dump\n");
    EXPECT_EQ(messages(r), 1) << "told at start, and only then: " << r.dump();
    EXPECT_EQ(r.events("unsaved").size(), 2u) << "the results, and nothing more of that piglet: " << r.dump();
    const auto first_of = [&r](const std::string& event) {
      return std::find_if(r.trace.begin(), r.trace.end(), [&](const auto& t) { return t.event == event; });
    };
    EXPECT_LT(first_of("msgbox"), first_of("show")) << "before the child plays";
    EXPECT_EQ(slurp(data), "not a folder");
  }
  if (geteuid() != 0) {  // the superuser writes into read-only folders
    SCOPED_TRACE("a read-only data folder keeps what was saved before");
    Sandbox box;
    box.write_default_config();
    const std::string roster = "[PRP]\r\nJmeno=Eva\r\nLevel=1\r\n";
    const std::string results = "[PRP]\r\nDukaty=5\r\nHracky=" + std::string(38, '0') + "\r\n";
    std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << roster;
    std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << results;
    fs::permissions(box.data(), fs::perms::owner_write, fs::perm_options::remove);
    const PlayResult r = box.play(
        "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\nclick-control cunik 1\n"
        "wait-until anim-end HD:\\CUNICI\\ZLP.DAT\ntype Ota\nclick-control level_plocha 0\ndump\n");
    fs::permissions(box.data(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(messages(r), 1) << r.dump();
    EXPECT_EQ(r.events("unsaved").size(), 2u) << r.dump();
    EXPECT_EQ(slurp(box.data() / "HRACI.DAT"), roster);
    EXPECT_EQ(slurp(box.data() / "VYSLEDKY.DAT"), results);
  }
}

// The parent reads why in the family's language: the desktop's list of
// languages, or the settings' own choice over it.
TEST(Saving, AFolderThatTakesNoFilesIsToldInTheFamilysLanguage) {
  const struct {
    const char *list, *setting, *told;
  } cases[] = {
      {"en", "", "Attention! | The game cannot save the players' progress: the folder "},
      {"cs", "", "Pozor! | Hra nemůže uložit, co hráči dokázali: do složky "},
      {"ru", "", "Внимание!! | Игра не может сохранить успехи игроков: в папку "},
      {"de:ru", "", "Внимание!! | "},
      {"cs", "en", "Attention! | "},
      {"en", "xx", "Attention! | "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.list) + " " + c.setting);
    Sandbox box;
    const fs::path data = box.root() / "data.txt";
    std::ofstream(data) << "not a folder";
    box.write_config(box.media().string(), box.work().string(), data.string() + "/");
    if (*c.setting) tapo::platform::write_ini(box.config_dir() / "TAPO.INI", "Tapo MAT", "LANGUAGE", c.setting);
    box.set_language_list(c.list);
    const PlayResult r = box.play("wait 100\n");
    ASSERT_EQ(messages(r), 1) << r.dump();
    EXPECT_EQ(r.events("msgbox")[0].args.rfind(c.told, 0), 0u) << r.events("msgbox")[0].args;
  }
}

// A failure, a save that succeeds, and a new failure: the parent is told of
// each failure once, not of every retry.
TEST(Saving, EachNewFailureAfterASuccessIsToldAgain) {
  Sandbox box;
  box.write_default_config();
  break_results(box);
  box.start_held(kNewPlayer);
  tapo::test::held_dump(box);
  fs::remove(box.data() / "VYSLEDKY.DAT");
  box.feed("click-control cunik 1\nwait-until anim-end HD:\\CUNICI\\ZLP.DAT\ntype Ota\nclick-control level_plocha 0\n");
  tapo::test::held_dump(box);
  break_results(box);
  const PlayResult r = box.finish_held(
      "click-control cunik 2\nwait-until anim-end HD:\\CUNICI\\PMP.DAT\ntype Ida\nclick-control level_plocha 0\n"
      "click-control cunik 3\nwait-until anim-end HD:\\CUNICI\\PZP.DAT\ntype Jan\nclick-control level_plocha 0\ndump\n");
  EXPECT_EQ(r.count("unsaved", "HD_SHORT:\\VYSLEDKY.DAT 2"), 3) << r.dump();
  EXPECT_EQ(messages(r), 2) << "the first failure and the one after Ota was saved: " << r.dump();
}

// A coin whose save failed is not lost: once the results can be written
// again, closing the window keeps it.
TEST(Saving, ACoinWhoseSaveFailedIsWrittenWhenTheProgramEnds) {
  Sandbox box;
  tapo::test::open_toy(box, 1, 6, "HD:\\TERC\\INTRO.DAT");
  box.feed("wait-until anim-end HD_SHORT:\\STRELBA.DAT\n");
  const std::string s = tapo::test::held_dump(box);
  const int total = tapo::test::number_after(s, "target_total");
  ASSERT_GT(total, 0) << s;
  const fs::path results = box.data() / "VYSLEDKY.DAT";
  break_results(box);
  std::string answer;
  for (char c : std::to_string(total)) answer += std::string("key ") + c + "\n";
  box.feed(answer + "key Enter\nwait-until unload frm_prasatko\n");
  EXPECT_NE(tapo::test::held_dump(box).find("\"player_coins\": 1"), std::string::npos) << "the child sees the coin";
  fs::remove(results);  // mended
  const PlayResult r = box.finish_held("close\n");
  EXPECT_GE(r.count("unsaved", "HD_SHORT:\\VYSLEDKY.DAT 2"), 1) << r.dump();
  EXPECT_EQ(tapo::platform::read_ini(results, "PRP", "Dukaty"), "1") << r.dump();
}

// A roster the game cannot read is neither lost nor silently begun anew:
// line ends of an old Mac, a file saved as UTF-16 and names in the Windows
// code page of the family's language are read; anything else is kept aside
// under a dated name and the parent told.
TEST(Saving, ARosterThatCannotBeReadIsKeptAsideAndTold) {
  struct Case {
    std::string what, bytes, shown;  // shown: the name the players' screen reads from it
  };
  const std::vector<Case> cases = {
      {"old Mac line ends", "[PZP]\rJmeno=Ota\rLevel=2\r", "Ota"},
      {"UTF-16", tapo::platform::from_utf8("\uFEFF[POP]\r\nJmeno=Яна\r\nLevel=1\r\n", "UTF-16LE"), "Яна"},
      {"Cyrillic code page", "[ZLP]\r\nJmeno=\xDE\xEB\xFF\r\nLevel=1\r\n", "Юля"},
      {"a picture saved over it", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR[PZP]\r\nJmeno=X\r\n", 30), ""},
      {"a folder", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Sandbox box;
    box.write_default_config();
    tapo::platform::write_ini(box.config_dir() / "TAPO.INI", "Tapo MAT", "LANGUAGE", "ru");
    const fs::path roster = box.data() / "HRACI.DAT";
    if (c.what == "a folder")
      fs::create_directories(roster / "inside");
    else
      std::ofstream(roster, std::ios::binary) << c.bytes;
    const PlayResult r = box.play(kNewPlayer + "dump\n");
    const std::string s = tapo::test::last_state(r);
    EXPECT_EQ(tapo::platform::read_ini(roster, "PRP", "Jmeno"), "Eva") << "a new piglet is kept: " << r.dump();
    if (!c.shown.empty()) {
      EXPECT_EQ(messages(r), 0) << r.dump();
      EXPECT_NE(s.find("\"" + c.shown + "\""), std::string::npos) << s;
      continue;
    }
    ASSERT_EQ(messages(r), 1) << r.dump();
    EXPECT_NE(r.events("msgbox")[0].args.find(roster.string()), std::string::npos) << "the file is named";
    EXPECT_EQ(r.count("damaged", "HD_SHORT:\\HRACI.DAT"), 1) << r.dump();
    std::vector<fs::path> aside;
    for (const auto& entry : fs::directory_iterator(box.data()))
      if (entry.path().filename().string().starts_with("HRACI.DAT.")) aside.push_back(entry.path());
    ASSERT_EQ(aside.size(), 1u) << "kept aside, not deleted";
    EXPECT_TRUE(aside[0].string().ends_with(".damaged")) << aside[0];
    if (c.what == "a folder")
      EXPECT_TRUE(fs::exists(aside[0] / "inside"));
    else
      EXPECT_EQ(slurp(aside[0]), c.bytes);
  }
}

// Two settings folders naming one data folder: the second copy ends as a
// second copy on the same settings does, and never writes the profiles;
// also when the lock file cannot be written (here a folder stands in its
// place) or cannot be opened at all (a link to nowhere).
TEST(Saving, OneCopyOfTheGameAtATimeWritesTheProfiles) {
  for (const std::string lock_file : {"usual", "unwritable", "unopenable"}) {
    SCOPED_TRACE(lock_file);
    Sandbox first, second;
    first.write_default_config();
    second.write_config(second.media().string(), second.work().string(), first.data().string() + "/");
    if (lock_file == "unwritable") fs::create_directory(first.data() / "tapo.lock");
    if (lock_file == "unopenable") fs::create_symlink(first.root() / "nowhere" / "tapo.lock", first.data() / "tapo.lock");
    first.start_held("wait 100\n");
    ASSERT_TRUE(first.wait_for_trace("show", "frm_inout", 20000)) << "the first copy did not start";
    const PlayResult r = second.play(kNewPlayer);
    EXPECT_EQ(r.exit_code, 0) << r.dump();
    EXPECT_TRUE(r.events("show").empty()) << r.dump();
    EXPECT_TRUE(r.events("msgbox").empty()) << r.dump();
    EXPECT_FALSE(fs::exists(first.data() / "HRACI.DAT"));
    first.finish_held("");
  }
}
