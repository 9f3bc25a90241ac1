// The way in and out of the game: configuration checks, the opening picture,
// the hand-over to the players' screen and the closing pass.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/talk_files.h"
#include "tests/scenario/play.h"

namespace fs = std::filesystem;
using tapo::test::PlayResult;
using tapo::test::Sandbox;

namespace {

// Where Tapo's head is while he talks: inside the placement of his talking clip.
std::string tapo_head(const Sandbox& box) {
  bool damaged = false;
  const auto at = tapo::core::read_placement(tapo::test::slurp(box.media() / "CUNICI" / "MLUVI.DAT"), damaged);
  return at ? std::to_string(at->x + 30) + " " + std::to_string(at->y + 30) : "0 0";
}

// The messages in Russian, the words the game was first written with.
const std::string kInstallMsg =
    "Стоп! | На вашем компьютере не была завершена установка нашей игры. Вам требуется проинсталлировать её с "
    "самого началас ";

// Everything below the sandbox folder, for "nothing was written" checks.
std::vector<std::string> listing(const fs::path& dir) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir)) out.push_back(fs::relative(e.path(), dir).string());
  std::sort(out.begin(), out.end());
  return out;
}

// Tapo's greeting on the players' screen, then its bell.
const char* const kBell = "wait 15000\nclick 432 54\n";

}  // namespace

TEST(Startup, UnfinishedInstallationIsRefusedWithoutTouchingAnything) {
  struct Case {
    const char* name;
    bool ini;
    bool hd, hd2, hd_short;
  };
  for (const Case c : {Case{"no TAPO.INI", false, true, true, true}, Case{"no HD", true, false, true, true},
                       Case{"no HD2", true, true, false, true}, Case{"no HD_SHORT", true, true, true, false}}) {
    SCOPED_TRACE(c.name);
    Sandbox box;
    box.set_language_list("ru");
    if (c.ini)
      box.write_config(c.hd ? box.media().string() : "", c.hd2 ? box.work().string() : "",
                       c.hd_short ? box.data().string() + "/" : "");
    else
      fs::create_directories(box.config_dir());
    const auto before = listing(box.root());
    // The scripts and traces of the run itself are the only new files.
    const PlayResult r = box.play("wait 20000\n");
    EXPECT_EQ(r.exit_code, 0) << r.dump();
    ASSERT_EQ(r.count("msgbox", kInstallMsg), 1) << r.dump();
    EXPECT_TRUE(r.events("show").empty()) << r.dump();
    EXPECT_TRUE(r.events("display").empty()) << "the display must stay as it was\n" << r.dump();
    auto after = listing(box.root());
    std::erase_if(after, [](const std::string& f) { return f.find("script.txt") != std::string::npos ||
                                                           f.find("trace.txt") != std::string::npos ||
                                                           f.find("stderr.txt") != std::string::npos; });
    EXPECT_EQ(after, before);
    ASSERT_FALSE(r.trace.empty());
    EXPECT_EQ(r.trace.back().event, "exit");
    EXPECT_EQ(r.trace.back().ms, 0) << "the message ends the program at once";
  }
}

TEST(Startup, EmptyDataFolderCountsAsUnfinished) {
  Sandbox box;
  box.set_language_list("ru");
  box.write_config(box.media().string(), box.work().string(), "");
  std::ofstream(box.config_dir() / "TAPO.INI", std::ios::app) << "HD_SHORT=\r\n";
  const PlayResult r = box.play("wait 100\n");
  EXPECT_EQ(r.count("msgbox", kInstallMsg), 1) << r.dump();
  EXPECT_TRUE(r.events("show").empty()) << r.dump();
}

TEST(Startup, OpeningPictureHandsOverOnceByClickOrTimer) {
  {
    SCOPED_TRACE("click at once");
    Sandbox box;
    box.write_default_config();
    const PlayResult r = box.play("wait 1200\nclick 320 240\nclick 320 240\nwait 30000\ndump\n");
    EXPECT_EQ(r.exit_code, 0) << r.dump();
    ASSERT_EQ(r.count("show", "frm_hraci"), 1) << r.dump();
    EXPECT_EQ(r.events("show")[1].ms, 1200);
    EXPECT_EQ(r.count("unload", "frm_inout"), 1) << r.dump();
    // The 10 s timer, had it survived, would have handed over again at 10000.
    for (const auto& t : r.trace) EXPECT_FALSE(t.ms > 1200 && (t.event == "show" || t.event == "unload")) << r.dump();
    const auto state = r.events("state");
    ASSERT_EQ(state.size(), 1u);
    EXPECT_NE(state[0].args.find("\"form\": \"frm_hraci\""), std::string::npos) << state[0].args;
  }
  {
    SCOPED_TRACE("ten seconds");
    Sandbox box;
    box.write_default_config();
    const PlayResult r = box.play("wait 9999\ndump\nwait 30000\n");
    ASSERT_EQ(r.count("show", "frm_hraci"), 1) << r.dump();
    EXPECT_EQ(r.events("show")[1].ms, 10000);
    EXPECT_NE(r.events("state")[0].args.find("\"form\": \"frm_inout\""), std::string::npos);
  }
}

TEST(Startup, ClosingPassRestoresTheDisplayAndRemovesTheSoundCopy) {
  for (const bool by_click : {true, false}) {
    SCOPED_TRACE(by_click ? "click" : "timer");
    Sandbox box;
    box.write_default_config();
    std::ofstream(box.work() / "ZVUK.WAV") << "RIFF";
    const std::string leave = by_click ? "wait 500\nclick 10 10\n" : "wait 10000\n";
    const PlayResult r = box.play("click 1 1\nwait 100\n" + std::string(kBell) + "wait 100\ndump\n" + leave +
                                  "wait 1000\n");
    EXPECT_EQ(r.exit_code, 0) << r.dump();
    EXPECT_EQ(r.count("show", "frm_inout"), 2) << r.dump();
    const auto state = r.events("state");
    ASSERT_EQ(state.size(), 1u) << r.dump();
    EXPECT_NE(state[0].args.find("\"closing\": true"), std::string::npos) << state[0].args;
    EXPECT_NE(state[0].args.find("\"fullscreen\": true"), std::string::npos) << state[0].args;
    // Full screen was entered once, and left exactly once, at the end.
    ASSERT_EQ(r.events("display").size(), 2u) << r.dump();
    EXPECT_EQ(r.events("display")[0].args, "fullscreen");
    EXPECT_EQ(r.events("display")[1].args, "window");
    EXPECT_EQ(r.trace.back().event, "exit");
    const long long closing_shown = r.events("show").back().ms;
    EXPECT_EQ(r.trace.back().ms - closing_shown, by_click ? 600 : 10000) << r.dump();
    EXPECT_FALSE(fs::exists(box.work() / "ZVUK.WAV"));
  }
}

TEST(Startup, WindowedRunNeverEntersFullScreen) {
  Sandbox box;
  box.write_default_config();
  const PlayResult r = box.play(std::string("click 1 1\nwait 100\n") + kBell + "wait 100\nclick 1 1\n", {"--windowed"});
  EXPECT_EQ(r.exit_code, 0) << r.dump();
  EXPECT_EQ(r.count("show", "frm_inout"), 2) << r.dump();
  EXPECT_TRUE(r.events("display").empty()) << r.dump();
}

TEST(Startup, FullScreenKeyTogglesAndTheEndRestoresTheStateBeforeTheGame) {
  Sandbox box;
  box.write_default_config();
  // F11 leaves full screen during the game; the end restores the user's
  // window all the same (it was a window before the game started).
  const PlayResult r = box.play(std::string("key F11\nclick 1 1\nwait 100\nkey F11\nkey F11\n") + kBell +
                                "wait 100\nclick 1 1\n");
  const auto display = r.events("display");
  // In, out by F11, in and out again by F11, in for the closing picture, and
  // back to the window at the end.
  ASSERT_EQ(display.size(), 6u) << r.dump();
  EXPECT_EQ(display[1].args, "window");
  EXPECT_EQ(display[4].args, "fullscreen");
  EXPECT_EQ(display.back().args, "window");
}

TEST(Startup, SecondCopyEndsSilently) {
  Sandbox box;
  box.write_default_config();
  box.start_held("wait 100\n");
  ASSERT_TRUE(box.wait_for_trace("show", "frm_inout", 20000)) << "the first copy did not start";
  const PlayResult second = box.play("wait 20000\n");
  EXPECT_EQ(second.exit_code, 0) << second.dump();
  EXPECT_TRUE(second.events("msgbox").empty()) << second.dump();
  EXPECT_TRUE(second.events("show").empty()) << second.dump();
  const PlayResult first = box.finish_held("click 1 1\nwait 100\n");
  EXPECT_EQ(first.count("show", "frm_hraci"), 1) << first.dump();

  // Once the first copy has ended, the game starts again.
  const PlayResult third = box.play("wait 100\n");
  EXPECT_EQ(third.count("show", "frm_inout"), 1) << third.dump();
}

TEST(Startup, MissingOpeningPictureReportsTheStartupError) {
  Sandbox box;
  box.copy_media();
  fs::remove(box.media() / "CUNICI" / "INTRO.BMP");
  box.write_default_config();
  box.set_language_list("ru");
  const PlayResult r = box.play("wait 100\n");
  ASSERT_EQ(r.events("msgbox").size(), 1u) << r.dump();
  EXPECT_EQ(r.events("msgbox")[0].args.rfind("Стоп! |  Во время запуска произошла ошибка тип  53. Следует", 0), 0u)
      << r.events("msgbox")[0].args;
  EXPECT_TRUE(r.events("show").empty());
}

TEST(Startup, MediaCopiedWithLowerCaseNamesWork) {
  Sandbox box;
  box.copy_media(true);
  ASSERT_TRUE(fs::exists(box.media() / "cunici" / "intro.bmp"));
  box.write_default_config();
  const PlayResult r = box.play(std::string("click 1 1\nwait 100\n") + kBell + "wait 100\nclick 1 1\n");
  EXPECT_TRUE(r.events("msgbox").empty()) << r.dump();
  EXPECT_EQ(r.count("show", "frm_inout"), 2) << r.dump();
  EXPECT_EQ(r.exit_code, 0);
}

TEST(Startup, WindowCloseButtonEndsTheGameCleanly) {
  Sandbox box;
  box.write_default_config();
  std::ofstream(box.work() / "ZVUK.WAV") << "RIFF";
  const PlayResult r = box.play("click 1 1\nwait 50\nclose\nwait 1000\n");
  EXPECT_EQ(r.exit_code, 0) << r.dump();
  EXPECT_EQ(r.trace.back().ms, 50) << r.dump();
  EXPECT_EQ(r.events("display").back().args, "window");
  EXPECT_FALSE(fs::exists(box.work() / "ZVUK.WAV"));
}

TEST(ScriptedPlay, ScreenshotsAndScriptMistakes) {
  Sandbox box;
  box.write_default_config();
  const fs::path shot = box.root() / "intro.png";
  PlayResult r = box.play("shot " + shot.string() + "\n");
  ASSERT_TRUE(fs::exists(shot)) << r.dump();
  std::ifstream png(shot, std::ios::binary);
  char magic[8] = {};
  png.read(magic, 8);
  EXPECT_EQ(std::string(magic + 1, 3), "PNG");

  r = box.play("wait 10\nklick 1 1\nwait 100\n");
  EXPECT_EQ(r.exit_code, 2) << r.dump();
  EXPECT_EQ(r.events("script-error").size(), 1u) << r.dump();
  EXPECT_NE(r.stderr_text.find("line 2"), std::string::npos) << r.stderr_text;
}

TEST(PlayersScreen, TapoGreetsOnceAndAClickOnHisHeadCutsTheGreetingShort) {
  Sandbox box;
  box.write_default_config();
  PlayResult r = box.play("click 1 1\nwait 20000\ndump\n");
  EXPECT_TRUE(r.events("missing").empty()) << r.dump();
  std::vector<std::string> order;
  for (const auto& t : r.trace)
    if (t.event == "anim" || t.event == "talk" || t.event == "talk-end" || t.event == "frame") order.push_back(t.event + " " + t.args);
  EXPECT_EQ(order, (std::vector<std::string>{"anim HD:\\CUNICI\\GESTO.DAT",
                                             "talk HD:\\CUNICI\\INTRO.DAT HD:\\CUNICI\\MLUVI.AVI", "talk-end done",
                                             "anim HD:\\CUNICI\\GESTOREV.DAT", "frame HD:\\CUNICI\\GESTO.AVI 11"}));
  ASSERT_EQ(r.events("state").size(), 1u);
  EXPECT_NE(r.events("state")[0].args.find("\"activated\": true"), std::string::npos);
  // The speech pauses at each mark of its mark file: one segment more than marks.
  const auto sounds = r.events("sound");
  int segments = 0;
  for (const auto& s : sounds) segments += s.args.rfind("HD:\\CUNICI\\INTRO.WAV", 0) == 0;
  std::ifstream marks(box.media() / "CUNICI" / "INTRO.DAT");
  int n = 0;
  for (std::string line; std::getline(marks, line);) n += !line.empty() && line != "\r";
  EXPECT_EQ(segments, n + 1) << r.dump();

  // A click on Tapo's head while he talks stops him.
  r = box.play("click 1 1\nwait-until talk\nwait 300\nclick " + tapo_head(box) + "\nwait 5000\n");
  ASSERT_EQ(r.events("talk-end").size(), 1u) << r.dump();
  EXPECT_EQ(r.events("talk-end")[0].args, "aborted");
  EXPECT_LE(r.events("talk-end")[0].ms, r.events("talk")[0].ms + 400);
}

// With captions on, the sentence Tapo says shows from the moment its part of
// the sound begins (the first at once, each next one at its mark) and goes
// the moment he is cut short.  The key C switches them and is remembered.
TEST(PlayersScreen, CaptionsFollowTheGreetingAndGoWhenItIsCutShort) {
  Sandbox box;
  box.write_default_config();
  const fs::path ini = box.config_dir() / "TAPO.INI";
  std::ofstream(ini, std::ios::app) << "CAPTIONS=1\r\n";
  const auto captions = tapo::core::read_captions(tapo::test::slurp(box.media() / "CUNICI" / "INTRO.TXT"));
  ASSERT_GE(captions.size(), 3u);
  PlayResult r = box.play("click 1 1\nwait-until caption " + captions[2].text + "\nwait 500\nclick " + tapo_head(box) +
                          "\nwait 3000\n");
  const auto talk = r.events("talk"), shown = r.events("caption"), end = r.events("talk-end");
  ASSERT_EQ(talk.size(), 1u);
  ASSERT_EQ(end.size(), 1u);
  EXPECT_EQ(end[0].args, "aborted");
  ASSERT_EQ(shown.size(), 4u) << r.dump();
  EXPECT_EQ(shown[0].args, captions[0].text);
  EXPECT_EQ(shown[0].ms, talk[0].ms);
  EXPECT_EQ(shown[1].args, captions[1].text);
  EXPECT_NEAR(shown[1].ms, talk[0].ms + captions[1].start * 1000.0 / 44100, 2);
  EXPECT_EQ(shown[2].args, captions[2].text);
  EXPECT_EQ(shown[3].args, "");
  EXPECT_LE(shown[3].ms, end[0].ms + 20);

  // Off again with C: the greeting is only heard, and the settings keep it.
  r = box.play("key c\nclick 1 1\nwait-until talk-end\n");
  EXPECT_EQ(r.count("captions", "off"), 1) << r.dump();
  EXPECT_TRUE(r.events("caption").empty()) << r.dump();
  EXPECT_NE(tapo::test::slurp(ini).find("CAPTIONS=0"), std::string::npos);
  r = box.play("click 1 1\nwait-until talk-end\n");
  EXPECT_TRUE(r.events("caption").empty()) << r.dump();
}

// A family that speaks Czech hears (and reads) Tapo in Czech: the language's
// own folder beside the media tree comes first.
TEST(PlayersScreen, TheChosenLanguageSpeaksFromItsOwnFolder) {
  const fs::path czech = fs::path(TAPO_DEMO_DIR) / "media-cs";
  if (!fs::exists(czech)) GTEST_SKIP() << "the demo pack was built without Czech";
  Sandbox box;
  box.write_default_config();
  std::ofstream(box.config_dir() / "TAPO.INI", std::ios::app) << "LANGUAGE=cs\r\nCAPTIONS=1\r\n";
  const auto captions = tapo::core::read_captions(tapo::test::slurp(czech / "CUNICI" / "INTRO.TXT"));
  ASSERT_FALSE(captions.empty());
  const PlayResult r = box.play("click 1 1\nwait-until caption\n");
  EXPECT_EQ(r.count("language", "cs"), 1) << r.dump();
  ASSERT_FALSE(r.events("caption").empty()) << r.dump();
  EXPECT_EQ(r.events("caption")[0].args, captions[0].text);
  tapo::test::played_cleanly(r);
}
