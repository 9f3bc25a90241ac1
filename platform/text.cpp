#include "platform/text.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <map>
#include <optional>
#include <tuple>
#include <string>
#include <utility>

namespace tapo::platform {
namespace {

// Each face's families, then the nearest sans fontconfig knows.
std::string families(Face face) {
  return face == Face::Captions ? "Liberation Sans,Arial,DejaVu Sans" : "DejaVu Sans,Liberation Sans,Arial";
}

// The fonts opened so far and the files fontconfig named for them.  Only a
// cache: whatever fills it first, later text looks the same, so it may live
// for the whole run; close_fonts() empties it, close_open_fonts() closes the
// fonts but keeps the files (fontconfig's look-up is the slow part).
struct FontCache {
  bool looked_up = false;
  std::string regular_file, bold_file;
  std::map<std::pair<int, bool>, TTF_Font*> opened;
};

FontCache& font_cache(Face face) {
  static FontCache caches[2];
  return caches[face == Face::Captions ? 1 : 0];
}

// The file fontconfig matches for a font name ("" when it knows no font at all).
std::string match_file(FcConfig* config, const std::string& name) {
  FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(name.c_str()));
  if (!pattern) return {};
  FcConfigSubstitute(config, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(config, pattern, &result);
  FcPatternDestroy(pattern);
  std::string file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<char*>(path);
  if (match) FcPatternDestroy(match);
  return file;
}

void look_up_files(FontCache& cache, Face face) {
  cache.looked_up = true;
  const std::string names = families(face);
  if (FcConfig* config = FcInitLoadConfigAndFonts()) {
    cache.regular_file = match_file(config, names + ":scalable=true");
    cache.bold_file = match_file(config, names + ":scalable=true:bold");
    FcConfigDestroy(config);
  }
  if (cache.regular_file.empty() || cache.bold_file.empty())
    std::fprintf(stderr,
                 "tapo: no font for the game's text: fontconfig finds none of %s nor any other "
                 "(install fonts-dejavu-core or fonts-liberation2); text stays blank\n",
                 names.c_str());
}

TTF_Font* font_for(const TextStyle& style) {
  auto& cache = font_cache(style.face);
  auto key = std::make_pair(style.size, style.bold);
  if (auto it = cache.opened.find(key); it != cache.opened.end()) return it->second;
  if (!cache.looked_up) look_up_files(cache, style.face);
  const std::string& file = style.bold ? cache.bold_file : cache.regular_file;
  TTF_Font* font = nullptr;
  if (!file.empty() && (TTF_WasInit() || TTF_Init() == 0)) {
    font = TTF_OpenFont(file.c_str(), style.size);
    if (!font) std::fprintf(stderr, "tapo: cannot open the font %s: %s\n", file.c_str(), TTF_GetError());
  }
  cache.opened[key] = font;
  return font;
}

// What makes two texts look the same (the colour is laid on when drawn).
using TextKey = std::tuple<int, int, bool, std::string>;
TextKey text_key(std::string_view text, const TextStyle& style) {
  return {static_cast<int>(style.face), style.size, style.bold, std::string(text)};
}

}  // namespace

void close_open_fonts() {
  for (Face face : {Face::Game, Face::Captions}) {
    auto& cache = font_cache(face);
    for (auto& [key, font] : cache.opened)
      if (font) TTF_CloseFont(font);
    cache.opened.clear();
  }
}

void close_fonts() {
  close_open_fonts();
  for (Face face : {Face::Game, Face::Captions}) font_cache(face) = FontCache{};
  if (TTF_WasInit()) TTF_Quit();
}

bool has_glyphs(std::string_view text, const TextStyle& style) {
  TTF_Font* font = font_for(style);
  if (!font) return false;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    Uint32 code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < text.size(); ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    i += static_cast<size_t>(extra) + 1;
    if (!TTF_GlyphIsProvided32(font, code)) return false;
  }
  return true;
}

namespace {

// A text as its font lays it out (its measure) and renders it (how much each
// pixel is covered), each found when first asked for.  Centred labels are
// measured and drawn again at every frame something moves over them (a price
// tag riding on a sliding picture): both are kept.  Only a cache, emptied
// when it holds a quarter of a megabyte or a thousand texts.
struct Lettering {
  std::optional<Rect> size;
  bool rendered = false;
  int w = 0, h = 0;
  std::vector<std::uint8_t> alpha;
};

std::size_t kept_bytes = 0;

Lettering& lettering(std::string_view text, const TextStyle& style) {
  static std::map<TextKey, Lettering> kept;
  auto key = text_key(text, style);
  if (auto it = kept.find(key); it != kept.end()) return it->second;
  if (kept_bytes > (256u << 10) || kept.size() >= 1024) {
    kept.clear();
    kept_bytes = 0;
  }
  kept_bytes += text.size();
  return kept[key];
}

void render(Lettering& l, std::string_view text, TTF_Font* font) {
  l.rendered = true;
  const SDL_Color white{255, 255, 255, 255};
  SDL_Surface* glyphs = TTF_RenderUTF8_Blended(font, std::string(text).c_str(), white);
  SDL_Surface* argb = glyphs ? SDL_ConvertSurfaceFormat(glyphs, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
  if (glyphs) SDL_FreeSurface(glyphs);
  if (!argb) return;
  SDL_LockSurface(argb);
  l.w = argb->w;
  l.h = argb->h;
  l.alpha.resize(static_cast<size_t>(l.w) * l.h);
  kept_bytes += l.alpha.size();
  for (int j = 0; j < l.h; ++j) {
    const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + static_cast<size_t>(j) * argb->pitch);
    for (int i = 0; i < l.w; ++i) l.alpha[static_cast<size_t>(j) * l.w + i] = static_cast<std::uint8_t>(row[i] >> 24);
  }
  SDL_UnlockSurface(argb);
  SDL_FreeSurface(argb);
}

}  // namespace

Rect measure_text(std::string_view text, const TextStyle& style) {
  TTF_Font* font = font_for(style);
  if (!font || text.empty()) return {};
  Lettering& l = lettering(text, style);
  if (!l.size) {
    int w = 0, h = 0;
    TTF_SizeUTF8(font, std::string(text).c_str(), &w, &h);
    l.size = Rect{0, 0, w, h};
  }
  return *l.size;
}

void draw_text(Surface& dst, int x, int y, std::string_view text, const TextStyle& style, Rect clip) {
  TTF_Font* font = font_for(style);
  if (!font || text.empty()) return;
  Lettering& c = lettering(text, style);
  if (!c.rendered) render(c, text, font);
  const Rect part = intersection(intersection(clip, dst.clip()), {x, y, c.w, c.h});
  const int cr = (style.color >> 16) & 255, cg = (style.color >> 8) & 255, cb = style.color & 255;
  for (int py = part.y; py < part.y + part.h; ++py)
    for (int px = part.x; px < part.x + part.w; ++px) {
      const int a = c.alpha[static_cast<size_t>(py - y) * c.w + (px - x)];
      if (a == 0) continue;
      const Rgb under = dst.at(px, py);
      auto mix = [a](int fg, int bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
      dst.set(px, py, rgb(mix(cr, (under >> 16) & 255), mix(cg, (under >> 8) & 255), mix(cb, under & 255)));
    }
}

std::vector<std::string> wrap_text(std::string_view text, const TextStyle& style, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string word(text.substr(at, end - at));
    at = end + 1;
    if (word.empty()) continue;
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && measure_text(longer, style).w > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace tapo::platform
