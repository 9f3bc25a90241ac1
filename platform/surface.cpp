#include "platform/surface.h"

#include <SDL.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>

namespace tapo::platform {

Surface::Surface(int w, int h, Rgb fill)
    : w_(std::max(0, w)), h_(std::max(0, h)), px_(static_cast<size_t>(w_) * h_, fill) {}

Surface::Surface(int w, int h, std::vector<Rgb> pixels) : w_(std::max(0, w)), h_(std::max(0, h)), px_(std::move(pixels)) {
  px_.resize(static_cast<size_t>(w_) * h_);
}

std::optional<Surface> Surface::load_bmp(const std::filesystem::path& file) {
  SDL_Surface* raw = SDL_LoadBMP(file.c_str());
  if (!raw) return std::nullopt;
  // Converted straight into the picture's own pixels.
  Surface out(raw->w, raw->h);
  SDL_Surface* target = SDL_CreateRGBSurfaceWithFormatFrom(out.px_.data(), out.w_, out.h_, 32, out.w_ * 4,
                                                           SDL_PIXELFORMAT_RGB888);
  SDL_SetSurfaceBlendMode(raw, SDL_BLENDMODE_NONE);
  const bool ok = target && SDL_BlitSurface(raw, nullptr, target, nullptr) == 0;
  SDL_FreeSurface(target);
  SDL_FreeSurface(raw);
  if (!ok) return std::nullopt;
  for (Rgb& p : out.px_) p &= 0xFFFFFF;
  return out;
}

Rect intersection(const Rect& a, const Rect& b) {
  const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  if (x1 <= x0 || y1 <= y0) return {};
  return {x0, y0, x1 - x0, y1 - y0};
}

Rect bounding(const Rect& a, const Rect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const int x1 = std::max(a.x + a.w, b.x + b.w), y1 = std::max(a.y + a.h, b.y + b.h);
  return {x0, y0, x1 - x0, y1 - y0};
}

void put_picture(Surface& dst, Surface&& src) {
  if (src.width() == dst.width() && src.height() == dst.height())
    dst = std::move(src);
  else
    dst.blit(src, 0, 0);
}

void Surface::reset(int w, int h, Rgb c) {
  w_ = std::max(0, w);
  h_ = std::max(0, h);
  px_.assign(static_cast<size_t>(w_) * h_, c);
}

void Surface::fill(Rgb c) { std::fill(px_.begin(), px_.end(), c); }

void Surface::fill_rect(Rect r, Rgb c) {
  r = intersection(r, clip());
  for (int y = r.y; y < r.y + r.h; ++y) std::fill_n(px_.begin() + static_cast<long>(y) * w_ + r.x, r.w, c);
}

void Surface::blit(const Surface& src, int sx, int sy, int w, int h, int dx, int dy) {
  // Clip against the source, then against this picture.
  if (sx < 0) { w += sx; dx -= sx; sx = 0; }
  if (sy < 0) { h += sy; dy -= sy; sy = 0; }
  w = std::min(w, src.w_ - sx);
  h = std::min(h, src.h_ - sy);
  const Rect to = intersection({dx, dy, w, h}, clip());
  if (to.empty()) return;
  sx += to.x - dx;
  sy += to.y - dy;
  dx = to.x;
  dy = to.y;
  w = to.w;
  h = to.h;
  for (int y = 0; y < h; ++y) {
    const Rgb* from = &src.px_[static_cast<size_t>(sy + y) * src.w_ + sx];
    std::copy_n(from, w, &px_[static_cast<size_t>(dy + y) * w_ + dx]);
  }
}

namespace {

void put_le(std::string& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void put_be(std::string& out, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

bool write_file(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream f(file, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

void png_chunk(std::string& out, const char* type, const std::string& data) {
  put_be(out, static_cast<std::uint32_t>(data.size()));
  std::string body(type, 4);
  body += data;
  out += body;
  put_be(out, static_cast<std::uint32_t>(
                  crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
}

}  // namespace

bool Surface::save_bmp(const std::filesystem::path& file) const {
  const int stride = (w_ * 3 + 3) & ~3;
  const std::uint32_t image = static_cast<std::uint32_t>(stride) * h_;
  std::string out = "BM";
  put_le(out, 54 + image, 4);
  put_le(out, 0, 4);
  put_le(out, 54, 4);
  put_le(out, 40, 4);
  put_le(out, static_cast<std::uint32_t>(w_), 4);
  put_le(out, static_cast<std::uint32_t>(h_), 4);
  put_le(out, 1, 2);
  put_le(out, 24, 2);
  put_le(out, 0, 4);
  put_le(out, image, 4);
  put_le(out, 2835, 4);
  put_le(out, 2835, 4);
  put_le(out, 0, 4);
  put_le(out, 0, 4);
  for (int y = h_ - 1; y >= 0; --y) {
    for (int x = 0; x < w_; ++x) {
      const Rgb c = at(x, y);
      out += static_cast<char>(c & 0xFF);
      out += static_cast<char>((c >> 8) & 0xFF);
      out += static_cast<char>((c >> 16) & 0xFF);
    }
    out.append(static_cast<size_t>(stride - w_ * 3), '\0');
  }
  return write_file(file, out);
}

bool Surface::save_png(const std::filesystem::path& file) const {
  std::string raw;
  raw.reserve(static_cast<size_t>(h_) * (w_ * 3 + 1));
  for (int y = 0; y < h_; ++y) {
    raw += '\0';  // filter: none
    for (int x = 0; x < w_; ++x) {
      const Rgb c = at(x, y);
      raw += static_cast<char>((c >> 16) & 0xFF);
      raw += static_cast<char>((c >> 8) & 0xFF);
      raw += static_cast<char>(c & 0xFF);
    }
  }
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()), 6) != Z_OK)
    return false;
  packed.resize(size);

  std::string out = "\x89PNG\r\n\x1a\n";
  std::string header;
  put_be(header, static_cast<std::uint32_t>(w_));
  put_be(header, static_cast<std::uint32_t>(h_));
  header += "\x08\x02";      // 8 bits, RGB
  header.append(3, '\0');    // deflate, no filter method, no interlace
  png_chunk(out, "IHDR", header);
  png_chunk(out, "IDAT", packed);
  png_chunk(out, "IEND", "");
  return write_file(file, out);
}

}  // namespace tapo::platform
