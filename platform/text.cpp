#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace tapo::platform {
namespace {

const char* const kRegular[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
};
const char* const kBold[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
};

std::map<std::pair<int, bool>, TTF_Font*>& font_cache() {
  static std::map<std::pair<int, bool>, TTF_Font*> cache;
  return cache;
}

TTF_Font* font_for(const TextStyle& style) {
  auto& cache = font_cache();
  auto key = std::make_pair(style.size, style.bold);
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  TTF_Font* font = nullptr;
  if (TTF_WasInit() || TTF_Init() == 0) {
    for (const char* file : style.bold ? kBold : kRegular) {
      if (std::filesystem::exists(file) && (font = TTF_OpenFont(file, style.size))) break;
    }
  }
  cache[key] = font;
  return font;
}

}  // namespace

void close_fonts() {
  for (auto& [key, font] : font_cache())
    if (font) TTF_CloseFont(font);
  font_cache().clear();
  if (TTF_WasInit()) TTF_Quit();
}

Rect measure_text(std::string_view text, const TextStyle& style) {
  TTF_Font* font = font_for(style);
  int w = 0, h = 0;
  if (font && !text.empty()) TTF_SizeUTF8(font, std::string(text).c_str(), &w, &h);
  return {0, 0, w, h};
}

void draw_text(Surface& dst, int x, int y, std::string_view text, const TextStyle& style) {
  TTF_Font* font = font_for(style);
  if (!font || text.empty()) return;
  const SDL_Color white{255, 255, 255, 255};
  SDL_Surface* glyphs = TTF_RenderUTF8_Blended(font, std::string(text).c_str(), white);
  if (!glyphs) return;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(glyphs);
  if (!argb) return;
  SDL_LockSurface(argb);
  const int cr = (style.color >> 16) & 255, cg = (style.color >> 8) & 255, cb = style.color & 255;
  for (int j = 0; j < argb->h; ++j) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) +
                                                      static_cast<size_t>(j) * argb->pitch);
    for (int i = 0; i < argb->w; ++i) {
      const int a = static_cast<int>(row[i] >> 24);
      const int px = x + i, py = y + j;
      if (a == 0 || px < 0 || py < 0 || px >= dst.width() || py >= dst.height()) continue;
      const Rgb under = dst.at(px, py);
      auto mix = [a](int fg, int bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
      dst.set(px, py, rgb(mix(cr, (under >> 16) & 255), mix(cg, (under >> 8) & 255), mix(cb, under & 255)));
    }
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
}

}  // namespace tapo::platform
