// The demo pack against the list of files the game opens, and the checker a
// parent runs on a copied media folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "core/talk_files.h"
#include "core/listinput.h"
#include "core/manifest.h"
#include "games/pexeso/layout.h"
#include "games/pretah/layout.h"
#include "games/terc/layout.h"
#include "games/terc/priklad.h"
#include "games/vahy/layout.h"
#include "platform/clip.h"
#include "platform/sound.h"
#include "platform/surface.h"
#include "tests/scenario/play.h"
#include "tools/mkmedia/target_board.h"

namespace fs = std::filesystem;
using tapo::test::Sandbox;

namespace {

// The files of the pack's folders `subs` (each with the root key the game
// reads it by).
std::set<std::string> pack_files(std::initializer_list<std::pair<std::string, std::string>> subs) {
  std::set<std::string> out;
  for (const auto& [sub, key] : subs) {
    const fs::path root = fs::path(TAPO_DEMO_DIR) / sub;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
      // Captions are the pack's own extra: the game does without them.
      if (!e.is_regular_file() || e.path().extension() == ".TXT") continue;
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
  const auto pack = pack_files({{"media", "HD:"}, {"data", "HD_SHORT:"}});
  for (const auto& f : manifest) EXPECT_TRUE(pack.count(f)) << "the pack lacks " << f;
  for (const auto& f : pack) EXPECT_TRUE(manifest.count(f)) << "the pack has a file no screen opens: " << f;
  // Another language's folder holds, in the media tree's names, only what
  // differs from the tree: its speech and the pictures with words.
  std::stringstream others(TAPO_SPEECH_LANGS);
  for (std::string lang; std::getline(others, lang, ',');) {
    const fs::path folder = fs::path(TAPO_DEMO_DIR) / ("media-" + lang), tree = fs::path(TAPO_DEMO_DIR) / "media";
    for (const auto& f : pack_files({{"media-" + lang, "HD:"}}))
      EXPECT_TRUE(manifest.count(f)) << lang << " has a file no screen opens: " << f;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
      if (!e.is_regular_file()) continue;
      EXPECT_NE(tapo::test::slurp(e.path()), tapo::test::slurp(tree / fs::relative(e.path(), folder))) << e.path();
    }
    EXPECT_TRUE(fs::exists(folder / "CUNICI" / "INTRO.BMP")) << lang << ": the title's greeting";
  }
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

// The build makes the pack whole in one run; made one folder at a time from
// the same sources it must come out byte for byte the same, so no folder
// depends on what another left behind.  (The sentences come from the build's
// speech cache: Voice.KeepsASentenceAsItSoundsAnewWhateverIsSaidAroundIt
// shows a kept sentence is the sentence spoken anew.)
TEST(DemoPack, FolderByFolderGivesTheSameBytes) {
  Sandbox box;
  const fs::path parts = box.root() / "pack", built = TAPO_DEMO_DIR;
  const std::string table =
      std::string(" ") + TAPO_SPEECH_TABLES + " --lang " + TAPO_LANG + " --speech-cache " + TAPO_SPEECH_CACHE;
  auto make_folder = [&](const std::string& name) {
    return run(std::string(TAPO_MKMEDIA) + " " + parts.string() + table + " --folder " + name).substr(0, 2);
  };
  std::vector<std::string> folders{"DATA"};
  for (const auto& e : fs::directory_iterator(built / "media")) folders.push_back(e.path().filename().string());
  for (const auto& name : folders) ASSERT_EQ(make_folder(name), "0\n") << name;

  auto files_of = [](const fs::path& root) {
    std::set<fs::path> out;
    for (const char* sub : {"media", "data"})
      for (const auto& e : fs::recursive_directory_iterator(root / sub))
        if (e.is_regular_file()) out.insert(fs::relative(e.path(), root));
    return out;
  };
  const auto files = files_of(parts);
  EXPECT_EQ(files, files_of(built));
  EXPECT_GT(files.size(), 5u);
  for (const auto& f : files) EXPECT_TRUE(tapo::test::slurp(parts / f) == tapo::test::slurp(built / f)) << f;

  // A folder made again on its own loses its old files and leaves the others be.
  std::ofstream(parts / "data" / "OLD.DAT") << "old";
  std::ofstream(parts / "media" / "TERC" / "OLD.BMP") << "old";
  ASSERT_EQ(make_folder("DATA"), "0\n");
  EXPECT_FALSE(fs::exists(parts / "data" / "OLD.DAT"));
  EXPECT_TRUE(fs::exists(parts / "media" / "TERC" / "OLD.BMP"));
  EXPECT_EQ(files_of(parts).size(), files.size() + 1);
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

// Every spoken clip of every language's tables: a WAV the game can play,
// not clipped, of a sensible length for its words, with its pauses in
// increasing order inside the sound, and captions that say the table's text
// sentence by sentence from the start and from each pause.
TEST(DemoPack, SpokenClipsAreCleanAndTheirPausesFallInsideTheSpeech) {
  std::vector<std::pair<std::string, std::string>> languages{{TAPO_LANG, "media"}};  // tables, folder
  std::stringstream others(TAPO_SPEECH_LANGS);
  for (std::string lang; std::getline(others, lang, ',');)
    if (!lang.empty()) languages.emplace_back(lang, "media-" + lang);
  for (const auto& [lang, folder] : languages) {
    std::vector<std::pair<std::string, std::string>> clips;  // file, text
    for (const auto& e : fs::directory_iterator(fs::path(TAPO_SPEECH_TABLES) / lang)) {
      if (e.path().extension() != ".tsv") continue;  // the pictures' words
      std::ifstream in(e.path());
      for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        clips.emplace_back(line.substr(0, line.find('\t')), line.substr(line.rfind('\t') + 1));
      }
    }
    ASSERT_FALSE(clips.empty()) << lang;
    for (auto [f, text] : clips) {
      SCOPED_TRACE(lang + " " + f);
      std::replace(f.begin(), f.end(), '\\', '/');
      fs::path base = fs::path(TAPO_DEMO_DIR) / folder / f;
      // The game's own talks stand beside the media tree, a folder a language.
      if (const fs::path own = fs::path(TAPO_DEMO_DIR) / "own" / lang / f; fs::exists(own.string() + ".WAV")) base = own;
      auto wav = tapo::platform::load_wav(base.string() + ".WAV");
      ASSERT_TRUE(wav) << "unreadable " << base << ".WAV";
      EXPECT_EQ(wav->rate, 22050);
      EXPECT_EQ(wav->channels, 1);
      const double seconds = static_cast<double>(wav->frames()) / wav->rate;
      const auto letters = std::count_if(text.begin(), text.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; });
      EXPECT_GT(seconds, 0.4);
      EXPECT_GT(seconds, 0.03 * letters) << "too short for its words";
      EXPECT_LT(seconds, 0.25 * letters + 1) << "too long for its words";
      int peak = 0;
      for (auto s : wav->pcm) peak = std::max(peak, std::abs(static_cast<int>(s)));
      EXPECT_LT(peak, 32767) << "clipped";
      EXPECT_GT(peak, 2000) << "silent";
      const auto captions = tapo::core::read_captions(tapo::test::slurp(base.string() + ".TXT"));
      ASSERT_FALSE(captions.empty());
      EXPECT_EQ(captions[0].start, 0u);
      std::string said;
      for (const auto& c : captions) said += (said.empty() ? "" : " ") + c.text;
      EXPECT_EQ(said, text);
      if (!fs::exists(base.string() + ".DAT")) continue;  // heard whole, without pauses
      const auto marks = tapo::core::read_marks(tapo::test::slurp(base.string() + ".DAT"));
      ASSERT_EQ(marks.size() + 1, captions.size());
      std::uint32_t previous = 0;
      for (size_t k = 0; k < marks.size(); ++k) {
        EXPECT_GT(marks[k], previous);
        EXPECT_LT(marks[k], wav->data_bytes);
        EXPECT_EQ(marks[k] % wav->block_align, 0u);
        EXPECT_EQ(marks[k], captions[k + 1].start);
        previous = marks[k];
      }
    }
  }
}

// Every listed hole lies inside its own field, clear of the field's border
// and of everything drawn on it, and no two holes of one picture can touch;
// each value has as many places as one example can hit it, and no place
// serves both targets (the game would draw a shot there again).
TEST(DemoPack, TargetHolesLieClearlyInsideTheirFields) {
  namespace board = tapo::media::target_board;
  const fs::path dir = fs::path(TAPO_DEMO_DIR) / "media" / "TERC" / "TERCE";
  std::map<std::string, std::vector<std::pair<int, int>>> pairs_of;  // file -> every pair
  for (int look = 0; look < tapo::games::terc::kTargetLooks; ++look) {
    for (const int unit : {1, 10}) {
      const std::string name = (unit == 1 ? "1_" : "2_") + std::to_string(look + 1);
      SCOPED_TRACE(name);
      const board::Board b = board::board(unit, look);
      std::ifstream in(dir / (name + ".DAT"));
      std::stringstream all;
      all << in.rdbuf();
      const auto pozice = tapo::games::terc::nacti_pozice(all.str());
      const auto picture = tapo::platform::Surface::load_bmp(dir / (name + ".BMP"));
      ASSERT_TRUE(picture);
      EXPECT_EQ(pozice.size(), 9u);
      auto& pairs = pairs_of[name];
      for (const auto& [value, places] : pozice) {
        EXPECT_GE(places.size(), static_cast<size_t>(tapo::games::terc::most_hits(value))) << value;
        for (const auto& p : places) {
          EXPECT_EQ(board::value_at(b, p.x, p.y), value) << p.x << "," << p.y;
          EXPECT_GE(board::border_distance(b, p.x, p.y), 5 + 2) << p.x << "," << p.y;
          // Under the hole and two pixels around it: only the field's own colour.
          for (int dy = -7; dy <= 7; ++dy) {
            for (int dx = -7; dx <= 7; ++dx) {
              if (dx * dx + dy * dy >= 49) continue;
              ASSERT_EQ(picture->at(p.x + dx, p.y + dy), picture->at(p.x, p.y)) << p.x << "," << p.y;
            }
          }
          for (const auto& [x, y] : pairs) EXPECT_GE(std::hypot(p.x - x, p.y - y), 2 * 5 + 3) << p.x << "," << p.y;
          pairs.push_back({p.x, p.y});
        }
      }
    }
  }
  for (const auto& [a, pa] : pairs_of) {
    for (const auto& [b, pb] : pairs_of) {
      if (a[0] != '1' || b[0] != '2') continue;
      for (const auto& p : pa) EXPECT_EQ(std::count(pb.begin(), pb.end(), p), 0) << a << " and " << b << " share a place";
    }
  }
}

// The shop's two catalogue files and the room's list name the same toys in
// the same order (a toy's bought flag is found by its place in them); in the
// shop each price tag hangs in its toy's half, clear of every toy and tag; the
// pictures a bought toy swaps are of one size; each room show names its toy.
TEST(DemoPack, ShopAndRoomCataloguesAgree) {
  const fs::path media = fs::path(TAPO_DEMO_DIR) / "media";
  auto records = [&](const fs::path& file, size_t width) {
    const auto items = tapo::core::list_items(*tapo::core::read_text_file(media / file));
    EXPECT_EQ(items.size() % width, 0u) << file;
    std::vector<std::vector<std::string>> out;
    for (size_t i = 0; i + width <= items.size(); i += width) out.emplace_back(items.begin() + i, items.begin() + i + width);
    return out;
  };
  const auto shop = records("HRACKAR/POZICE.DAT", 5), prices = records("HRACKAR/HRACKY.IDX", 2),
             room = records("POKOJ/HRACKY/POZICE.DAT", 7);
  ASSERT_GE(shop.size(), 14u);
  ASSERT_EQ(prices.size(), shop.size());
  ASSERT_EQ(room.size(), shop.size());
  using tapo::platform::Rect;
  auto overlap = [](Rect a, Rect b) { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; };
  std::vector<Rect> taken;  // the toys and tags placed so far
  for (size_t k = 0; k < shop.size(); ++k) {
    const std::string name = shop[k][0];
    SCOPED_TRACE(name);
    EXPECT_EQ(prices[k][0], name);
    EXPECT_EQ(room[k][0], name);
    const auto toy = tapo::platform::Surface::load_bmp(media / "HRACKAR/HRACKY" / (name + ".BMP"));
    const auto shelf = tapo::platform::Surface::load_bmp(media / "HRACKAR/HRACKY_" / (name + ".BMP"));
    ASSERT_TRUE(toy && shelf);
    EXPECT_EQ(toy->width(), shelf->width());
    EXPECT_EQ(toy->height(), shelf->height());
    const Rect at{std::stoi(shop[k][1]), std::stoi(shop[k][2]), toy->width(), toy->height()};
    const Rect tag{std::stoi(shop[k][3]), std::stoi(shop[k][4]), 36, 22};
    const Rect half{at.x < 640 ? 0 : 640, 0, 640, 480};
    EXPECT_TRUE(half.contains(at) && half.contains(tag));
    for (const Rect& r : taken) EXPECT_FALSE(overlap(r, at) || overlap(r, tag)) << r.x << "," << r.y;
    EXPECT_FALSE(overlap(at, tag));
    taken.push_back(at);
    taken.push_back(tag);
    const auto show = tapo::core::text_lines(*tapo::core::read_text_file(media / "POKOJ" / (name + ".DAT")));
    ASSERT_FALSE(show.empty());
    EXPECT_EQ(show[0], "\\POKOJ\\" + name);
  }
}

// The screen draws a pan's clip over the background and writes the pan's text
// where its board has moved to: the clips must start on the background's own
// pixels (a level pan leaves no seam), and the board must be under the text
// in every frame.
TEST(DemoPack, ScalesPansStartOnTheBackgroundAndCarryTheirBoards) {
  namespace vahy = tapo::games::vahy;
  const fs::path demo = TAPO_DEMO_DIR;
  const auto background = tapo::platform::Surface::load_bmp(demo / "media/VAHY/POZADI.BMP");
  ASSERT_TRUE(background);
  for (const auto& pan : {vahy::kLeftDown, vahy::kLeftUp, vahy::kRightDown, vahy::kRightUp}) {
    SCOPED_TRACE(pan.file);
    const auto clip = tapo::platform::Clip::open(demo / "data" / (pan.file + 1));
    ASSERT_TRUE(clip);
    ASSERT_EQ(clip->length(), vahy::kPanFrames);
    ASSERT_EQ(clip->width(), pan.box.w);
    ASSERT_EQ(clip->height(), pan.box.h);
    const tapo::platform::Rect text = pan.left ? vahy::kLeftText : vahy::kRightText;
    for (int i = 0; i < vahy::kPanFrames; ++i) {
      const tapo::platform::Surface* frame = clip->frame(i);
      ASSERT_TRUE(frame);
      if (i == 0) {
        int off_background = 0;
        for (int y = 0; y < pan.box.h; ++y)
          for (int x = 0; x < pan.box.w; ++x) off_background += frame->at(x, y) != background->at(pan.box.x + x, pan.box.y + y);
        EXPECT_EQ(off_background, 0);
      }
      // The text's box on this frame: one light colour throughout.
      const int top = text.y - pan.box.y + vahy::pan_shift(i, pan.down), left = text.x - pan.box.x;
      const auto board = frame->at(left, top);
      EXPECT_GT((board & 0xFF) + ((board >> 8) & 0xFF) + ((board >> 16) & 0xFF), 3 * 200) << "frame " << i;
      int off_board = 0;
      for (int y = top; y < top + text.h; ++y)
        for (int x = left; x < left + text.w; ++x) off_board += frame->at(x, y) != board;
      EXPECT_EQ(off_board, 0) << "frame " << i;
    }
  }
}

// One card picture fits every place of the grid: the table there is the very
// colour round the cards' corners; and the applause ends on the background.
TEST(DemoPack, MemoryCardsLieOnTheirTableAndTheApplauseEndsOnIt) {
  namespace pexeso = tapo::games::pexeso;
  const fs::path dir = fs::path(TAPO_DEMO_DIR) / "media" / "PEXESO";
  const auto background = tapo::platform::Surface::load_bmp(dir / "POZADI.BMP");
  ASSERT_TRUE(background);
  for (const char* card : {"ZADNI.BMP", "PREDNI.BMP", "RAMECEK.BMP"}) {
    const auto picture = tapo::platform::Surface::load_bmp(dir / card);
    ASSERT_TRUE(picture) << card;
    int off_table = 0;
    for (int k = 1; k <= pexeso::kCards; ++k) {
      const auto place = pexeso::card_place(k);
      for (int y = place.y; y < place.y + place.h; ++y)
        for (int x = place.x; x < place.x + place.w; ++x) off_table += background->at(x, y) != picture->at(0, 0);
    }
    EXPECT_EQ(off_table, 0) << card;
  }
  std::ifstream script(dir / "TLESK.DAT");
  std::string clip_name;
  int left = 0, top = 0, width = 0, height = 0;
  script >> clip_name >> left >> top >> width >> height;
  const auto clip = tapo::platform::Clip::open(dir / "TLESK.AVI");
  ASSERT_TRUE(clip);
  const tapo::platform::Surface* last = clip->frame(clip->length() - 1);
  ASSERT_TRUE(last);
  ASSERT_EQ(last->width(), width);
  int off_background = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) off_background += last->at(x, y) != background->at(left + x, top + y);
  EXPECT_EQ(off_background, 0);
}

TEST(DemoPack, TugShowsStartAndEndOnTheDogsAsTheScreenDrawsThem) {
  namespace pretah = tapo::games::pretah;
  using tapo::platform::Surface;
  const fs::path dir = fs::path(TAPO_DEMO_DIR) / "media" / "PRETAH";
  const auto yard = Surface::load_bmp(dir / "POZADI.BMP"), tapo = Surface::load_bmp(dir / "TAPO.BMP");
  const auto rival = Surface::load_bmp(dir / "PES.BMP"), sausage = Surface::load_bmp(dir / "JITRNICE.BMP");
  ASSERT_TRUE(yard && tapo && rival && sausage);
  // The screen: cell 0 of each dog over the yard (Tapo keyed by his top-right
  // pixel), the sausage at the other dog's end.
  const auto over = [](Surface& on, const Surface& sprite, int w, tapo::platform::Rgb key, tapo::platform::Point at) {
    for (int y = 0; y < sprite.height(); ++y)
      for (int x = 0; x < w; ++x)
        if (sprite.at(x, y) != key) on.set(at.x + x, at.y + y, sprite.at(x, y));
  };
  Surface scene = *yard;
  over(scene, *tapo, tapo->width() / 3, tapo->at(tapo->width() - 1, 0), pretah::kTapoAt);
  over(scene, *sausage, sausage->width(), sausage->at(0, 0), {pretah::kOpponentWins, pretah::kSausageY});
  over(scene, *rival, rival->width() / 3, rival->at(0, 0), pretah::kOpponentAt);
  // A clip's first (0) or last (-1) frame, placed where its script or
  // placement file puts it, over `picture`: the pixels that differ there
  // (the frames player's keyed corner aside).
  const auto unlike = [&](const char* placed_by, const char* clip, int frame, Surface picture) {
    std::ifstream placement(dir / placed_by);
    std::string first;
    int left = -1, top = -1;
    placement >> first >> left >> top;
    const auto avi = tapo::platform::Clip::open(dir / clip);
    const Surface* f = avi ? avi->frame(frame < 0 ? avi->length() - 1 : frame) : nullptr;
    if (!f) return std::pair{-1, picture};
    int off = 0;
    for (int y = 0; y < f->height(); ++y)
      for (int x = 0; x < f->width(); ++x) off += (x || y) && f->at(x, y) != picture.at(left + x, top + y);
    picture.blit(*f, left, top);
    return std::pair{off, picture};
  };
  for (auto [placed_by, clip] : {std::pair{"LEVA.DAT", "LEVA.AVI"}, {"PRAVA.DAT", "PRAVA.AVI"}, {"MLUVI1.DAT", "MLUVI1.AVI"},
                                 {"MLUVI3.DAT", "MLUVI3.AVI"}, {"TAPO1RV_.DAT", "TAPO1_.AVI"}, {"PES1_REV.DAT", "PES1_.AVI"}})
    for (int frame : {0, -1}) {
      if (frame < 0 && std::string(clip).find('_') == std::string::npos) continue;  // only getting ready ends at rest
      EXPECT_EQ(unlike(placed_by, clip, frame, scene).first, 0) << clip << " frame " << frame;
    }
  // Each win ends on the cheering dog that its dance starts and ends with,
  // and Tapo's "I won!" starts with.
  const Surface tapo_won = unlike("LEVA.DAT", "LEVA.AVI", -1, scene).second;
  const Surface rival_won = unlike("PRAVA.DAT", "PRAVA.AVI", -1, scene).second;
  for (int frame : {0, -1}) {
    EXPECT_EQ(unlike("TAPO1.DAT", "TAPO1.AVI", frame, tapo_won).first, 0) << frame;
    EXPECT_EQ(unlike("PES1.DAT", "PES1.AVI", frame, rival_won).first, 0) << frame;
  }
  EXPECT_EQ(unlike("MLUVI2.DAT", "MLUVI2.AVI", 0, tapo_won).first, 0);
}
