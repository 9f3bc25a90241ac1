// mkmedia OUT SPEECH [--lang L]: writes the demo media pack, its speech from
// the tables in SPEECH/L (default L: en) spoken with espeak-ng's voice L.
//   OUT/media  the media tree (TAPO.INI "HD")
//   OUT/data   files the installation copies into the data folder ("HD_SHORT")
// mkmedia --contact-sheet FOLDER OUT.png: every picture of a folder and
// sampled clip frames on one sheet.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/text.h"
#include "tools/mkmedia/canvas.h"
#include "tools/mkmedia/contact_sheet.h"
#include "tools/mkmedia/folders.h"

namespace fs = std::filesystem;
namespace md = tapo::media;

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--contact-sheet") {
    const bool ok = md::write_contact_sheet(argv[2], argv[3]);
    tapo::platform::close_fonts();
    if (!ok) std::fprintf(stderr, "mkmedia: nothing to show in %s\n", argv[2]);
    return ok ? 0 : 1;
  }
  std::string lang = "en";
  if (argc == 5 && std::string(argv[3]) == "--lang") lang = argv[4];
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: mkmedia OUTDIR SPEECH_FOLDER [--lang en]\n       mkmedia --contact-sheet FOLDER OUT.png\n");
    return 2;
  }
  const fs::path out = argv[1];
  // Always the whole pack afresh, so no file of an earlier version lingers.
  fs::remove_all(out / "media");
  fs::remove_all(out / "data");
  fs::create_directories(out / "media");
  fs::create_directories(out / "data");
  const fs::path tables = fs::path(argv[2]) / lang;
  auto speech = md::read_speech_table(tables);
  if (speech.empty()) md::fail("no spoken clips in " + tables.string());
  md::Pack pack(out, std::move(speech), lang);
  for (const auto& [name, make] : md::folder_makers()) make(pack);
  tapo::platform::close_fonts();
  md::release_drawing_caches();

  std::uintmax_t bytes = 0, files = 0;
  for (const auto& e : fs::recursive_directory_iterator(out))
    if (e.is_regular_file() && e.path().filename() != ".stamp") {
      bytes += e.file_size();
      ++files;
    }
  std::printf("mkmedia: %ju files, %ju bytes in %s\n", files, bytes, out.c_str());
  return 0;
}
