#include "tools/mkmedia/contact_sheet.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "platform/clip.h"
#include "platform/surface.h"
#include "platform/text.h"

namespace tapo::media {

namespace fs = std::filesystem;
namespace pf = tapo::platform;

namespace {

constexpr int kCellW = 220, kCellH = 190, kColumns = 5, kThumbW = 210, kThumbH = 160;

std::string upper_ext(const fs::path& p) {
  std::string e = p.extension().string();
  std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return std::toupper(c); });
  return e;
}

// Scales a picture into the thumbnail box (never up by more than 2), on a
// checker so that key-coloured parts are easy to tell.
pf::Surface thumbnail(const pf::Surface& s) {
  pf::Surface t(kThumbW, kThumbH, pf::rgb(235, 235, 235));
  if (s.empty()) return t;
  const double scale = std::min({static_cast<double>(kThumbW) / s.width(), static_cast<double>(kThumbH) / s.height(), 2.0});
  const int w = std::max(1, static_cast<int>(s.width() * scale)), h = std::max(1, static_cast<int>(s.height() * scale));
  const int ox = (kThumbW - w) / 2, oy = (kThumbH - h) / 2;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) t.set(ox + x, oy + y, s.at(std::min(s.width() - 1, static_cast<int>(x / scale)), std::min(s.height() - 1, static_cast<int>(y / scale))));
  return t;
}

}  // namespace

bool write_contact_sheet(const fs::path& folder, const fs::path& png) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file()) files.push_back(e.path());
  std::sort(files.begin(), files.end());

  std::vector<std::pair<std::string, pf::Surface>> cells;
  for (const auto& f : files) {
    const std::string ext = upper_ext(f), name = f.filename().string();
    if (ext == ".BMP") {
      if (auto s = pf::Surface::load_bmp(f)) cells.emplace_back(name + " " + std::to_string(s->width()) + "x" + std::to_string(s->height()), *s);
    } else if (ext == ".AVI") {
      auto clip = pf::Clip::open(f);
      if (!clip) continue;
      const int n = clip->length();
      const int samples = std::min(n, 4);
      for (int i = 0; i < samples; ++i) {
        const int k = samples == 1 ? 0 : i * (n - 1) / (samples - 1);
        if (const pf::Surface* s = clip->frame(k)) cells.emplace_back(name + " #" + std::to_string(k) + "/" + std::to_string(n), *s);
      }
    }
  }
  if (cells.empty()) return false;
  const int rows = (static_cast<int>(cells.size()) + kColumns - 1) / kColumns;
  pf::Surface sheet(kCellW * kColumns, kCellH * rows, pf::rgb(255, 255, 255));
  for (size_t i = 0; i < cells.size(); ++i) {
    const int cx = static_cast<int>(i % kColumns) * kCellW, cy = static_cast<int>(i / kColumns) * kCellH;
    sheet.blit(thumbnail(cells[i].second), cx + 5, cy + 4);
    pf::draw_text(sheet, cx + 6, cy + kThumbH + 8, cells[i].first, {12, false, pf::rgb(30, 30, 30)});
  }
  return sheet.save_png(png);
}

}  // namespace tapo::media
