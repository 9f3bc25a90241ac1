#include "platform/ini.h"
#include "platform/utf8.h"
#include "tests/unit/test_support.h"

#include <gtest/gtest.h>

#include <array>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using tapo::platform::read_ini;
using tapo::platform::write_ini;

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = tapo::testing::make_temp_dir("tapo_ini_");
    file_ = dir_ / "players.ini";
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }

  void put(const std::string& bytes) const {
    std::ofstream(file_, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string get() const {
    std::ifstream in(file_, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string read(std::string_view section, std::string_view key) const {
    return read_ini(file_, section, key);
  }
  bool write(std::string_view section, std::string_view key, std::string_view value) const {
    return write_ini(file_, section, key, value);
  }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    return names;
  }

  fs::path dir_;
  fs::path file_;
};

// Runs `body` in a child process; its result comes back as exit code 1/0.
int run_in_child(const std::function<bool()>& body) {
  pid_t pid = ::fork();
  if (pid == 0) ::_exit(body() ? 1 : 0);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

// ---------------------------------------------------------------- reading

TEST_F(IniTest, ReadMissingFileSectionOrKeyGivesError) {
  EXPECT_EQ(read("Game", "Level"), "ERROR");
  put("Level=1\r\n[Game]\r\nSpeed=2\r\n[Other]\r\nSound=on\r\n");
  EXPECT_EQ(read("Game", "Speed"), "2");
  EXPECT_EQ(read("Game", "Level"), "ERROR");  // above every section
  EXPECT_EQ(read("Games", "Speed"), "ERROR");
  EXPECT_EQ(read("Game", "Sound"), "ERROR");  // belongs to the next section
  EXPECT_EQ(read("Game", "Spee"), "ERROR");
  EXPECT_EQ(read_ini(dir_, "Game", "Speed"), "ERROR");  // a folder is no file
}

TEST_F(IniTest, ReadEmptyValueIsNotMissing) {
  put("[Game]\nA=\nB=  \t\nC=\"\"\nD\n");
  EXPECT_EQ(read("Game", "A"), "");
  EXPECT_EQ(read("Game", "B"), "");
  EXPECT_EQ(read("Game", "C"), "");
  EXPECT_EQ(read("Game", "D"), "ERROR");  // no '=': not an entry
}

TEST_F(IniTest, ReadIgnoresAsciiCaseAndBlanksAroundNames) {
  put("[  Player Two\t]\r\n \tFirst Name  =  Ana Maria \t\r\n[\xC3\x84RGER]\r\nX=1\r\n");
  EXPECT_EQ(read("player two", "FIRST NAME"), "Ana Maria");
  EXPECT_EQ(read("PLAYER TWO", "first name"), "Ana Maria");
  EXPECT_EQ(read(" Player Two ", "\tFirst Name "), "Ana Maria");
  EXPECT_EQ(read("\xC3\x84rger", "x"), "1");
  EXPECT_EQ(read("\xC3\xA4rger", "x"), "ERROR");  // only ASCII letters fold
}

TEST_F(IniTest, ReadStripsOneMatchingPairOfQuotes) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\"  two words  \"", "  two words  "},
      {"'single'", "single"},
      {"  'padded'  ", "padded"},
      {"\"mixed'", "\"mixed'"},
      {"\"", "\""},
      {"''", ""},
      {"\"\"twice\"\"", "\"twice\""},
      {"say \"hi\"", "say \"hi\""},
  };
  std::string text = "[Q]\r\n";
  for (std::size_t i = 0; i < cases.size(); ++i)
    text += "k" + std::to_string(i) + "=" + cases[i].first + "\r\n";
  put(text);
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(read("Q", "k" + std::to_string(i)), cases[i].second) << cases[i].first;
}

TEST_F(IniTest, ReadCommentsLineEndingsAndDuplicates) {
  put("; [Game]\r\n;Level=9\r\n[Game]\r\nLevel=1\r\nlevel=2\r\n;Speed=7\r\n"
      "[game]\r\nLevel=3\r\nSpeed=4\r\nSum=2+2=4 ; four\r\n");
  EXPECT_EQ(read("Game", "Level"), "1");      // first section, first key, no '\r'
  EXPECT_EQ(read("Game", "Speed"), "ERROR");  // comment; the second [game] is not used
  EXPECT_EQ(read("Game", "Sum"), "ERROR");

  put("[Game]\nLevel=5\nSum=2+2=4 ; four");  // LF, no final line ending
  EXPECT_EQ(read("Game", "Level"), "5");
  EXPECT_EQ(read("Game", "Sum"), "2+2=4 ; four");

  put("\xEF\xBB\xBF[Game]\r\nLevel=6\r\n");  // saved by an editor with a byte-order mark
  EXPECT_EQ(read("Game", "Level"), "6");
  put("[Game]\rLevel=7\r");  // an old Mac's line ends
  EXPECT_EQ(read("Game", "Level"), "7");
}

TEST_F(IniTest, UnicodeFilesAreReadAndStayUnicode) {
  using tapo::platform::from_utf8;
  for (const char* charset : {"UTF-16LE", "UTF-16BE"}) {
    put(from_utf8("\uFEFF[PRP]\r\nJmeno=Юля\r\n", charset));
    EXPECT_EQ(read("PRP", "Jmeno"), "Юля") << charset;
    ASSERT_TRUE(write("PRP", "Level", "2"));
    EXPECT_EQ(get(), from_utf8("\uFEFF[PRP]\r\nJmeno=Юля\r\nLevel=2\r\n", charset)) << charset;
  }
  put(from_utf8("[PRP]\r\nLevel=3\r\n", "UTF-16LE"));  // saved without a byte-order mark
  EXPECT_EQ(read("PRP", "Level"), "3");
}

TEST_F(IniTest, ReadCutsLongValuesWithoutSplittingCharacters) {
  const std::string euro = "\xE2\x82\xAC", smile = "\xF0\x9F\x98\x80", e_acute = "\xC3\xA9";
  auto xs = [](std::size_t n) { return std::string(n, 'x'); };
  const std::vector<std::pair<std::string, std::string>> cases = {
      {xs(254), xs(254)},
      {xs(300), xs(254)},
      {xs(253) + e_acute, xs(253)},
      {xs(252) + e_acute + "yy", xs(252) + e_acute},
      {xs(252) + euro, xs(252)},
      {xs(251) + euro + "yy", xs(251) + euro},
      {xs(250) + smile + "z", xs(250) + smile},
      {xs(251) + smile, xs(251)},
  };
  std::string text = "[Long]\n";
  for (std::size_t i = 0; i < cases.size(); ++i)
    text += "k" + std::to_string(i) + "=" + cases[i].first + "\n";
  put(text);
  for (std::size_t i = 0; i < cases.size(); ++i)
    EXPECT_EQ(read("Long", "k" + std::to_string(i)), cases[i].second) << "case " << i;
}

// ---------------------------------------------------------------- writing

TEST_F(IniTest, WriteCreatesFileSectionsAndKeys) {
  ASSERT_TRUE(write("Game", "Level", "3"));
  EXPECT_EQ(get(), "[Game]\r\nLevel=3\r\n");
  ASSERT_TRUE(write("Game", "Speed", "fast"));
  ASSERT_TRUE(write("Sound", "Volume", "7"));
  ASSERT_TRUE(write("game", "level", "4"));
  EXPECT_EQ(get(), "[Game]\r\nlevel=4\r\nSpeed=fast\r\n\r\n[Sound]\r\nVolume=7\r\n");
  EXPECT_EQ(read("GAME", "LEVEL"), "4");
  EXPECT_EQ(entries(), std::vector<std::string>{"players.ini"});
}

TEST_F(IniTest, WriteAddsKeyAfterLastEntryOfItsSection) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"[A]\nx=1\n; about B\n\n[B]\nz=3\n", "[A]\nx=1\ny=2\n; about B\n\n[B]\nz=3\n"},
      {"[A]\n\n[B]\nz=3\n", "[A]\ny=2\n\n[B]\nz=3\n"},
      {"[A]\nx=1\nodd line\n\n", "[A]\nx=1\nodd line\ny=2\n\n"},
      {"[A]\nx=1", "[A]\nx=1\ny=2\n"},
      {"[A]\r\nx=1", "[A]\r\nx=1\r\ny=2\r\n"},
      {"[B]\nz=3", "[B]\nz=3\n\n[A]\ny=2\n"},
      {"[B]\nz=3\n\n", "[B]\nz=3\n\n[A]\ny=2\n"},
      {"[B]\r\nz=3\r\n", "[B]\r\nz=3\r\n\r\n[A]\r\ny=2\r\n"},
      {"", "[A]\r\ny=2\r\n"},
      // A last line ending in a bare CR keeps it as its line end.
      {"[A]\r\nx=1\r", "[A]\r\nx=1\r\ny=2\r\n"},
      {"[B]\r\nz=3\r", "[B]\r\nz=3\r\n\r\n[A]\r\ny=2\r\n"},
      // Lines that end in a bare CR, as an old Mac wrote them.
      {"[A]\rx=1\r[B]\rz=3\r", "[A]\rx=1\ry=2\r[B]\rz=3\r"},
  };
  for (const auto& [before, after] : cases) {
    put(before);
    ASSERT_TRUE(write("A", "y", "2"));
    EXPECT_EQ(get(), after) << "starting from: " << before;
  }
}

TEST_F(IniTest, WriteReplacesOnlyTheKeyLine) {
  const std::string head =
      "; settings edited by hand\r\n"
      "stray line before sections\r\n"
      "[Players]\r\n";
  const std::string tail =
      "\tName1=Ana ; not a comment\r\n"
      "odd line without equals\r\n"
      "   \r\n"
      "[ players ]\r\n"
      "Count=9\r\n"
      "[Scores]\r\n";
  put(head + "  COUNT = 2 \t\r\n" + tail + "Count=5");

  ASSERT_TRUE(write("PLAYERS", "Count", "3"));
  EXPECT_EQ(get(), head + "Count=3\r\n" + tail + "Count=5");
  ASSERT_TRUE(write("Scores", "count", "6"));
  EXPECT_EQ(get(), head + "Count=3\r\n" + tail + "count=6");

  // A value the reader would change is stored inside quotes, so that it
  // reads back exactly as written.
  const std::string name = "  \xC8\x98tefan  ";
  ASSERT_TRUE(write("Players", "Name1", name));
  EXPECT_NE(get().find("\r\nName1=\"" + name + "\"\r\nodd line"), std::string::npos);
  EXPECT_EQ(read("Players", "Name1"), name);
  ASSERT_TRUE(write("Players", "Name1", "'Jo'"));
  EXPECT_EQ(read("Players", "Name1"), "'Jo'");
  EXPECT_EQ(read("Players", "Count"), "3");
  EXPECT_EQ(read("Scores", "Count"), "6");
}

TEST_F(IniTest, WriteRefusesInputThatWouldBreakTheFile) {
  const std::string original = "[Game]\nk=old\n";
  const std::vector<std::array<std::string, 3>> bad = {
      {"Ga]me", "k", "v"}, {"Ga\nme", "k", "v"}, {"Game\r", "k", "v"},
      {"Game", "k=y", "v"}, {"Game", "k\n", "v"}, {"Game", "\rk", "v"},
      {"Game", "k", "v\n[Evil]"}, {"Game", "k", "v\r"},
      {"Game", " ;k", "v"}, {"Game", "[k", "v"},
  };
  for (const auto& [section, key, value] : bad) {
    EXPECT_FALSE(write_ini(dir_ / "new.ini", section, key, value)) << section << "/" << key;
    put(original);
    EXPECT_FALSE(write(section, key, value)) << section << "/" << key;
    EXPECT_EQ(get(), original);
  }
  EXPECT_EQ(entries(), std::vector<std::string>{"players.ini"});
}

TEST_F(IniTest, FailedWriteLeavesOldFile) {
  EXPECT_FALSE(write_ini(dir_ / "missing" / "x.ini", "Game", "Level", "1"));
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  fs::create_directory(dir_ / "folder.ini");
  EXPECT_FALSE(write_ini(dir_ / "folder.ini", "Game", "Level", "1"));
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.ini"));
  fs::remove(dir_ / "folder.ini");

  const std::string original = "[Game]\r\nLevel=1\r\n";
  put(original);

  // A read-only folder; root ignores folder permissions, so drop to "nobody".
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                            fs::perms::group_exec | fs::perms::others_read |
                            fs::perms::others_exec);
  EXPECT_EQ(run_in_child([&] {
              if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
              return write("Game", "Level", "2");
            }),
            0);
  fs::permissions(dir_, fs::perms::owner_all);
  EXPECT_EQ(get(), original);

  // The disk fills up half-way through the new contents.
  EXPECT_EQ(run_in_child([&] {
              std::signal(SIGXFSZ, SIG_IGN);
              struct rlimit limit {4096, 4096};
              if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(3);
              return write("Game", "Level", std::string(20000, '7'));
            }),
            0);
  EXPECT_EQ(get(), original);
  EXPECT_EQ(entries(), std::vector<std::string>{"players.ini"});
}

TEST_F(IniTest, TemporaryNamesLeftByAnEarlierRunWithTheSamePidDoNotStopAWrite) {
  put("[Game]\r\nLevel=1\r\n");
  EXPECT_EQ(run_in_child([&] {
              const std::string stale = "." + file_.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-";
              for (int k = 0; k < 1000; ++k) std::ofstream(dir_ / (stale + std::to_string(k))) << "old";
              return write("Game", "Level", "2");
            }),
            1);
  EXPECT_EQ(get(), "[Game]\r\nLevel=2\r\n");
}

TEST_F(IniTest, WriteKeepsPermissionsAndSymlinks) {
  put("[Game]\nLevel=1\n");
  fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("players.ini", dir_ / "current.ini");
  ASSERT_TRUE(write_ini(dir_ / "current.ini", "Game", "Level", "2"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_ / "current.ini")));
  EXPECT_EQ(get(), "[Game]\nLevel=2\n");
  EXPECT_EQ(fs::status(file_).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

// ---------------------------------------------------------------- crashes

// A writer is killed at random moments while it flips entries between two
// full-length values.  After every kill the file must hold every entry with
// one of the two values: never a torn, truncated or empty file.
TEST_F(IniTest, KilledWriterNeverLeavesATornFile) {
  constexpr int kKeys = 200;
  constexpr int kKills = 200;
  const std::string a(40, 'A'), b(40, 'B');
  auto key = [](int i) { return "Player" + std::to_string(i); };

  std::string text = "[Scores]\r\n";
  for (int i = 0; i < kKeys; ++i) text += key(i) + "=" + a + "\r\n";
  put(text);

  std::mt19937 rng(20261209);  // the same moments every run
  std::uniform_int_distribution<int> delay_us(0, 20000);

  std::string previous = get();
  int changed = 0;
  for (int kill_no = 0; kill_no < kKills; ++kill_no) {
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int k = (kill_no * 37) % kKeys;; k = (k + 1) % kKeys) {
        const std::string next = read_ini(file_, "Scores", key(k)) == a ? b : a;
        if (!write_ini(file_, "Scores", key(k), next)) ::_exit(2);
      }
    }
    ::usleep(static_cast<useconds_t>(delay_us(rng)));
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "writer failed";

    const std::string now = get();
    ASSERT_GE(now.size(), text.size()) << "after kill " << kill_no;
    for (int i = 0; i < kKeys; ++i) {
      const std::string value = read(" scores", key(i));
      ASSERT_TRUE(value == a || value == b) << "after kill " << kill_no << ": " << key(i) << "="
                                            << value;
    }
    if (now != previous) ++changed;
    previous = now;
  }
  // The writers really were interrupted while working.
  EXPECT_GT(changed, kKills / 4);

  // Temporary files of killed writers never hide the settings and are swept
  // away by the next write.
  ASSERT_TRUE(write("Scores", key(0), a));
  EXPECT_EQ(entries(), std::vector<std::string>{"players.ini"});
}

}  // namespace
