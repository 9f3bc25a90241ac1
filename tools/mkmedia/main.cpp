// mkmedia OUT: writes the demo media pack.
//   OUT/media  the media tree (TAPO.INI "HD")
//   OUT/data   files the installation copies into the data folder ("HD_SHORT")
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/surface.h"
#include "platform/text.h"

namespace fs = std::filesystem;
namespace pf = tapo::platform;

namespace {

void disc(pf::Surface& s, int cx, int cy, int r, pf::Rgb c) {
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x)
      if (x * x + y * y <= r * r) s.set(cx + x, cy + y, c);
}

void centred(pf::Surface& s, int y, const std::string& text, const pf::TextStyle& style) {
  const pf::Rect r = pf::measure_text(text, style);
  pf::draw_text(s, (s.width() - r.w) / 2, y, text, style);
}

// A sunny meadow with the game's title: the opening and closing pictures.
pf::Surface title_picture(const std::string& line) {
  pf::Surface s(640, 480);
  for (int y = 0; y < 480; ++y) {
    const int t = y * 255 / 479;
    for (int x = 0; x < 640; ++x) s.set(x, y, pf::rgb(120 + t / 4, 190 + t / 8, 250 - t / 6));
  }
  disc(s, 560, 80, 46, pf::rgb(255, 214, 64));
  for (int x = 0; x < 640; ++x) {
    const int hill = 340 + static_cast<int>(24 * std::sin(x / 70.0));
    for (int y = hill; y < 480; ++y) s.set(x, y, pf::rgb(96, 176 - (y - hill) / 4, 72));
  }
  centred(s, 120, "Tapo - Numerino", {56, true, pf::rgb(150, 60, 20)});
  centred(s, 210, line, {28, true, pf::rgb(40, 70, 140)});
  return s;
}

bool write_bmp(const fs::path& file, const pf::Surface& s) {
  fs::create_directories(file.parent_path());
  if (s.save_bmp(file)) return true;
  std::fprintf(stderr, "mkmedia: cannot write %s\n", file.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: mkmedia OUTDIR\n");
    return 2;
  }
  const fs::path out = argv[1];
  const fs::path media = out / "media";
  fs::create_directories(out / "data");
  bool ok = write_bmp(media / "CUNICI" / "INTRO.BMP", title_picture("Let's count together!")) &&
            write_bmp(media / "CUNICI" / "OUTRO.BMP", title_picture("Bye-bye, see you soon!"));
  pf::close_fonts();
  if (!ok) return 1;

  std::uintmax_t bytes = 0, files = 0;
  for (const auto& e : fs::recursive_directory_iterator(out))
    if (e.is_regular_file() && e.path().filename() != ".stamp") {
      bytes += e.file_size();
      ++files;
    }
  std::printf("mkmedia: %ju files, %ju bytes in %s\n", files, bytes, out.c_str());
  return 0;
}
