// mkmedia OUT SPEECH [--lang L] [--folder NAME] [--language-only] [--speech-cache DIR]: writes
// the demo media pack, its speech from the tables in SPEECH/L (default L:
// en) spoken with the language's Festival voice where there is one, else
// espeak-ng's voice L, the words on its pictures from SPEECH/L/pictures.txt.
//   OUT/media  the media tree (TAPO.INI "HD"), one folder per maker
//   OUT/data   files the installation copies into the data folder ("HD_SHORT"),
//              made by the maker DATA
// With --language-only only what differs from the media tree OUT/media
// (made before), into OUT/media-L: the game speaks language L from there.
// With --folder only that folder is made again (its speech from
// SPEECH/L/NAME.tsv); each folder written is emptied first, so no file of an
// earlier version lingers.  With --speech-cache every sentence is spoken
// once and kept in DIR for later runs (by voice, effects and text).
// mkmedia --contact-sheet FOLDER OUT.png: every picture of a folder and
// sampled clip frames on one sheet.
// mkmedia --icons DIR: the desktop icon, DIR/<id>.svg and DIR/NxN/<id>.png.
// mkmedia --speak SPEECH L DIR: every sentence of SPEECH/L spoken into the
// speech cache DIR (so that the languages can be spoken side by side before
// the pack is made).
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/text.h"
#include "tools/mkmedia/art_icon.h"
#include "tools/mkmedia/canvas.h"
#include "tools/mkmedia/contact_sheet.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/speech.h"
#include "tools/mkmedia/words.h"

namespace fs = std::filesystem;
namespace md = tapo::media;

namespace {

fs::path folder_dir(const md::Pack& pack, const fs::path& out, const std::string& name) {
  return name == "DATA" ? out / "data" : pack.media_dir() / name;
}

// Removes the empty folders in `dir`, and `dir` itself when it is left empty.
void prune_empty(const fs::path& dir) {
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_directory()) prune_empty(e.path());
  if (fs::is_empty(dir)) fs::remove(dir);
}

void count_files(const fs::path& dir, std::uintmax_t& files, std::uintmax_t& bytes) {
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) {
      bytes += e.file_size();
      ++files;
    }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--contact-sheet") {
    const bool ok = md::write_contact_sheet(argv[2], argv[3]);
    tapo::platform::close_fonts();
    if (!ok) std::fprintf(stderr, "mkmedia: nothing to show in %s\n", argv[2]);
    return ok ? 0 : 1;
  }
  if (argc == 5 && std::string(argv[1]) == "--speak") {
    md::Voice voice(argv[3], argv[4]);
    std::vector<std::string> texts;
    for (const auto& line : md::read_speech_table(fs::path(argv[2]) / argv[3])) texts.push_back(line.text);
    return voice.learn(texts) ? 0 : 1;
  }
  if (argc == 3 && std::string(argv[1]) == "--icons") {
    md::write_icons(argv[2]);
    md::release_drawing_caches();
    return 0;
  }
  std::string lang = "en", only, speech_cache;
  bool usage = argc < 3, language_only = false;
  for (int i = 3; i < argc && !usage; i += 2) {
    const std::string opt = argv[i];
    if (opt == "--language-only") {
      language_only = true;
      --i;
    } else if (i + 1 >= argc) usage = true;
    else if (opt == "--lang") lang = argv[i + 1];
    else if (opt == "--folder") only = argv[i + 1];
    else if (opt == "--speech-cache") speech_cache = argv[i + 1];
    else usage = true;
  }
  if (usage) {
    std::fprintf(stderr,
                 "usage: mkmedia OUTDIR SPEECH_FOLDER [--lang en] [--folder NAME] [--language-only]\n"
                 "               [--speech-cache DIR]\n"
                 "       mkmedia --contact-sheet FOLDER OUT.png\n"
                 "       mkmedia --icons DIR\n"
                 "       mkmedia --speak SPEECH_FOLDER LANG CACHE_DIR\n");
    return 2;
  }
  const fs::path out = argv[1];
  std::vector<std::string> names;
  for (const auto& [name, make] : md::folder_makers())
    if (only.empty() || name == only) names.push_back(name);
  if (names.empty()) md::fail("no maker for the folder " + only);

  fs::path tables = fs::path(argv[2]) / lang;
  if (!only.empty()) tables /= only + ".tsv";  // a folder speaks only from its own table
  auto speech = md::read_speech_table(tables);
  if (only.empty() && speech.empty()) md::fail("no spoken clips in " + tables.string());
  if (language_only && !fs::is_directory(out / "media")) md::fail("the media tree " + (out / "media").string() + " comes first");
  md::load_words(argv[2], lang);
  md::Pack pack(out, std::move(speech), lang, language_only, speech_cache);

  if (only.empty()) {  // the whole pack: no folder of an earlier version lingers either
    fs::remove_all(pack.media_dir());
    fs::remove_all(pack.own_dir());
    if (!language_only) fs::remove_all(out / "data");
  }
  std::uintmax_t bytes = 0, files = 0;
  for (const std::string& name : names) {
    if (language_only && name == "DATA") continue;
    const fs::path dir = folder_dir(pack, out, name);
    fs::remove_all(dir);
    fs::create_directories(dir);
    pack.only_in(dir);
    md::folder_makers().at(name)(pack);
    if (language_only) prune_empty(dir);  // nothing of its own in this language
    if (fs::exists(dir)) count_files(dir, files, bytes);
  }
  tapo::platform::close_fonts();
  md::release_drawing_caches();
  std::printf("mkmedia: %ju files, %ju bytes in %s\n", files, bytes, (only.empty() ? out : folder_dir(pack, out, only)).c_str());
  return 0;
}
