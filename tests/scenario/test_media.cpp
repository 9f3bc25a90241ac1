// The demo pack against the list of files the game opens, and the checker a
// parent runs on a copied media folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/listinput.h"
#include "core/manifest.h"
#include "platform/sound.h"
#include "platform/surface.h"
#include "tests/scenario/play.h"

namespace fs = std::filesystem;
using tapo::test::Sandbox;

namespace {

std::set<std::string> pack_files() {
  std::set<std::string> out;
  for (const auto& [sub, key] : {std::pair{"media", "HD:"}, std::pair{"data", "HD_SHORT:"}}) {
    const fs::path root = fs::path(TAPO_DEMO_DIR) / sub;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
      if (!e.is_regular_file()) continue;
      std::string rel = fs::relative(e.path(), root).string();
      std::replace(rel.begin(), rel.end(), '/', '\\');
      out.insert(std::string(key) + "\\" + rel);
    }
  }
  return out;
}

std::string run(const std::string& command) {
  std::string out;
  FILE* p = popen(command.c_str(), "r");
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  const int status = pclose(p);
  return std::to_string(WEXITSTATUS(status)) + "\n" + out;
}

}  // namespace

TEST(DemoPack, HoldsExactlyTheFilesTheGameOpens) {
  std::set<std::string> manifest;
  for (const auto& m : tapo::core::media_manifest()) EXPECT_TRUE(manifest.insert(tapo::core::trace_path(m)).second) << "listed twice: " << tapo::core::trace_path(m);
  const auto pack = pack_files();
  for (const auto& f : manifest) EXPECT_TRUE(pack.count(f)) << "the pack lacks " << f;
  for (const auto& f : pack) EXPECT_TRUE(manifest.count(f)) << "the pack has a file no screen opens: " << f;
}

TEST(DemoPack, ManifestLinesAreAllReadable) {
  std::vector<std::string> bad;
  const auto entries = tapo::core::parse_manifest("# c\nHD:\\A\\B.BMP\nHD_SHORT:\\SKOK.DAT\nXX:\\A\nHD:A.BMP\n\n", &bad);
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_EQ(bad.size(), 2u);
  bad.clear();
  tapo::core::media_manifest();
  EXPECT_FALSE(tapo::core::media_manifest().empty());
}

// The build makes the pack one folder at a time; made whole in one run from
// the same sources it must come out byte for byte the same.
TEST(DemoPack, TheSameSourcesGiveTheSameBytes) {
  Sandbox box;
  const fs::path whole = box.root() / "pack", built = TAPO_DEMO_DIR;
  const std::string table = " " + fs::path(TAPO_SPEECH_TABLE).parent_path().string() + " --lang en";
  ASSERT_EQ(run(std::string(TAPO_MKMEDIA) + " " + whole.string() + table).substr(0, 2), "0\n");
  auto files_of = [](const fs::path& root) {
    std::set<fs::path> out;
    for (const char* sub : {"media", "data"})
      for (const auto& e : fs::recursive_directory_iterator(root / sub))
        if (e.is_regular_file()) out.insert(fs::relative(e.path(), root));
    return out;
  };
  const auto files = files_of(whole);
  EXPECT_EQ(files, files_of(built));
  EXPECT_GT(files.size(), 5u);
  for (const auto& f : files) {
    std::ifstream x(whole / f, std::ios::binary), y(built / f, std::ios::binary);
    std::stringstream sx, sy;
    sx << x.rdbuf();
    sy << y.rdbuf();
    EXPECT_TRUE(sx.str() == sy.str()) << f;
  }

  // A folder made again on its own loses its old files and leaves the others be.
  std::ofstream(whole / "data" / "OLD.DAT") << "old";
  std::ofstream(whole / "media" / "TERC" / "OLD.BMP") << "old";
  ASSERT_EQ(run(std::string(TAPO_MKMEDIA) + " " + whole.string() + table + " --folder DATA").substr(0, 2), "0\n");
  EXPECT_FALSE(fs::exists(whole / "data" / "OLD.DAT"));
  EXPECT_TRUE(fs::exists(whole / "media" / "TERC" / "OLD.BMP"));
  EXPECT_EQ(files_of(whole).size(), files.size() + 1);
}

TEST(DemoPack, CheckMediaNamesWhatIsMissing) {
  Sandbox box;
  box.copy_media(true);  // copied from a CD: lower-case names are fine
  box.write_default_config();
  const std::string cmd = "XDG_CONFIG_HOME=" + (box.root() / "config").string() + " " + TAPO_BIN + " --check-media";
  std::string out = run(cmd);
  EXPECT_EQ(out.substr(0, 2), "0\n") << out;
  fs::remove(box.media() / "cunici" / "mluvi.avi");
  out = run(cmd);
  EXPECT_EQ(out.substr(0, 2), "1\n") << out;
  EXPECT_NE(out.find("missing HD:\\CUNICI\\MLUVI.AVI"), std::string::npos) << out;
}

// Every spoken clip of the tables: a WAV the game can play, not clipped, of a
// sensible length, with its pauses in increasing order inside the sound.
TEST(DemoPack, SpokenClipsAreCleanAndTheirPausesFallInsideTheSpeech) {
  std::vector<std::string> files;
  for (const auto& e : fs::directory_iterator(TAPO_SPEECH_TABLE)) {
    std::ifstream in(e.path());
    for (std::string line; std::getline(in, line);) {
      if (line.empty() || line[0] == '#') continue;
      files.push_back(line.substr(0, line.find('\t')));
    }
  }
  ASSERT_FALSE(files.empty());
  for (std::string f : files) {
    SCOPED_TRACE(f);
    std::replace(f.begin(), f.end(), '\\', '/');
    const fs::path base = fs::path(TAPO_DEMO_DIR) / "media" / f;
    auto wav = tapo::platform::load_wav(base.string() + ".WAV");
    ASSERT_TRUE(wav) << "unreadable " << base << ".WAV";
    EXPECT_EQ(wav->rate, 22050);
    EXPECT_EQ(wav->channels, 1);
    const double seconds = static_cast<double>(wav->frames()) / wav->rate;
    EXPECT_GT(seconds, 0.4);
    EXPECT_LT(seconds, 40.0);
    int peak = 0;
    for (auto s : wav->pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_GT(peak, 2000) << "silent";
    std::ifstream marks(base.string() + ".DAT");
    long previous = 0;
    for (std::string line; std::getline(marks, line);) {
      if (line.empty() || line == "\r") continue;
      const long m = std::stol(line);
      EXPECT_GT(m, previous);
      EXPECT_LT(m, static_cast<long>(wav->data_bytes));
      EXPECT_EQ(m % wav->block_align, 0);
      previous = m;
    }
  }
}

// The shots of an example are placed by drawing positions again until one is
// free: every ring value needs as many distinct positions as it can be hit in
// one example (five shots at most; 9 and 90 once), and no position may serve
// both targets, or the placing would never end.
TEST(DemoPack, TargetHolePositionsLeaveRoomForEveryExample) {
  const fs::path dir = fs::path(TAPO_DEMO_DIR) / "media" / "TERC" / "TERCE";
  std::map<std::string, std::set<std::pair<int, int>>> pairs_of;  // file -> every pair
  for (const auto& e : fs::directory_iterator(dir)) {
    if (e.path().extension() != ".DAT") continue;
    const std::string name = e.path().stem().string();
    SCOPED_TRACE(name);
    const bool upper = name[0] == '2';
    std::ifstream in(e.path());
    std::stringstream all;
    all << in.rdbuf();
    const auto items = tapo::core::list_items(all.str());
    std::set<int> values;
    auto& pairs = pairs_of[name];
    const auto picture = tapo::platform::Surface::load_bmp(dir / (name + ".BMP"));
    ASSERT_TRUE(picture);
    for (size_t i = 0; i + 1 < items.size();) {
      const int value = std::stoi(items[i]), count = std::stoi(items[i + 1]);
      i += 2;
      EXPECT_TRUE(values.insert(value).second) << "value listed twice: " << value;
      EXPECT_EQ(value % 10 == 0, upper) << value;
      std::set<std::pair<int, int>> own;
      for (int k = 0; k < count && i + 1 < items.size(); ++k, i += 2) {
        const int x = std::stoi(items[i]), y = std::stoi(items[i + 1]);
        EXPECT_TRUE(x >= 5 && y >= 5 && x < picture->width() - 5 && y < picture->height() - 5) << x << "," << y;
        own.insert({x, y});
        EXPECT_TRUE(pairs.insert({x, y}).second) << "a position serves two values: " << x << "," << y;
      }
      EXPECT_GE(own.size(), (value == 9 || value == 90) ? 1u : 5u) << "value " << value;
    }
    EXPECT_EQ(values.size(), 9u);
  }
  ASSERT_EQ(pairs_of.size(), 8u);
  for (const auto& [a, pa] : pairs_of) {
    for (const auto& [b, pb] : pairs_of) {
      if (a[0] != '1' || b[0] != '2') continue;
      for (const auto& p : pa) EXPECT_EQ(pb.count(p), 0u) << a << " and " << b << " share " << p.first << "," << p.second;
    }
  }
}
