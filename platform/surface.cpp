#include "platform/surface.h"

#include <SDL.h>
#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <limits>

namespace tapo::platform {

Surface::Surface(int w, int h, Rgb fill)
    : w_(std::max(0, w)), h_(std::max(0, h)), px_(static_cast<size_t>(w_) * h_, fill) {}

Surface::Surface(int w, int h, std::vector<Rgb> pixels) : w_(std::max(0, w)), h_(std::max(0, h)), px_(std::move(pixels)) {
  px_.resize(static_cast<size_t>(w_) * h_);
}

namespace {

std::uint32_t u32_at(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t u16_at(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// Whether the bitmap header of `file` claims a picture the file can hold:
// checked before the pixels get memory, so a few damaged header bytes never
// cost gigabytes.  `excess` tells that plain rows leave more than a row of
// the file unused: the header claims a smaller picture than the file holds.
bool bmp_header_fits(const std::filesystem::path& file, bool& excess) {
  excess = false;
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  if (ec) return false;
  unsigned char h[34] = {};
  std::ifstream in(file, std::ios::binary);
  if (!in.read(reinterpret_cast<char*>(h), 26) || h[0] != 'B' || h[1] != 'M') return false;
  const std::uint32_t header = u32_at(h + 14);
  std::int64_t w = 0, height = 0;
  int bits = 0;
  std::uint32_t compression = 0;
  if (header == 12) {  // the oldest header: 16-bit sizes, never compressed
    w = u16_at(h + 18);
    height = u16_at(h + 20);
    bits = u16_at(h + 24);
  } else if (header >= 16 && in.read(reinterpret_cast<char*>(h + 26), 8)) {
    w = static_cast<std::int32_t>(u32_at(h + 18));
    height = static_cast<std::int32_t>(u32_at(h + 22));
    bits = u16_at(h + 28);
    if (header >= 20) compression = u32_at(h + 30);
  } else {
    return false;
  }
  if (height < 0) height = -height;  // stored top-down
  if (w < 1 || height < 1 || w > Surface::kMaxSide || height > Surface::kMaxSide) return false;
  const std::uint32_t offset = u32_at(h + 10);
  const std::uintmax_t start = offset ? offset : 14u + header;
  const std::uintmax_t data = size > start ? size - start : 0;
  const std::int64_t pixels = w * height;
  switch (compression) {
    case 0:  // plain rows, each padded to 4 bytes; the last one need not be
    case 3:  // ... with colour masks
    case 6: {
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
      const std::int64_t row = (w * bits + 7) / 8, stride = (w * bits + 31) / 32 * 4;
      excess = static_cast<std::uintmax_t>(stride * (height + 1)) <= data;
      return static_cast<std::uintmax_t>(stride * (height - 1) + row) <= data;
    }
    case 1:  // run lengths: two bytes cover at most 255 pixels
    case 2:
      return data > 0 && static_cast<std::uintmax_t>(pixels) <= data * 128;
    default:
      return false;
  }
}

}  // namespace

std::optional<Surface> Surface::load_bmp(const std::filesystem::path& file, bool* damaged) {
  bool excess = false;
  if (!bmp_header_fits(file, excess)) return std::nullopt;
  if (damaged) *damaged = excess;
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

namespace {

// A rectangle from edges worked out in 64 bits, its size kept within int.
Rect from_edges(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  constexpr std::int64_t kMost = std::numeric_limits<int>::max();
  return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(std::min(x1 - x0, kMost)),
          static_cast<int>(std::min(y1 - y0, kMost))};
}

}  // namespace

Rect intersection(const Rect& a, const Rect& b) {
  const std::int64_t x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const std::int64_t x1 = std::min(std::int64_t{a.x} + a.w, std::int64_t{b.x} + b.w);
  const std::int64_t y1 = std::min(std::int64_t{a.y} + a.h, std::int64_t{b.y} + b.h);
  if (x1 <= x0 || y1 <= y0) return {};
  return from_edges(x0, y0, x1, y1);
}

Rect bounding(const Rect& a, const Rect& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  const std::int64_t x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  const std::int64_t x1 = std::max(std::int64_t{a.x} + a.w, std::int64_t{b.x} + b.w);
  const std::int64_t y1 = std::max(std::int64_t{a.y} + a.h, std::int64_t{b.y} + b.h);
  return from_edges(x0, y0, x1, y1);
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
  if (w <= 0 || h <= 0) return;
  // In 64 bits: positions from media files may lie anywhere in int's range,
  // and moving the block by the part clipped off must not wrap.
  std::int64_t x = sx, y = sy, bw = w, bh = h, tx = dx, ty = dy;
  if (x < 0) { bw += x; tx -= x; x = 0; }
  if (y < 0) { bh += y; ty -= y; y = 0; }
  bw = std::min<std::int64_t>(bw, src.w_ - x);
  bh = std::min<std::int64_t>(bh, src.h_ - y);
  if (bw <= 0 || bh <= 0) return;
  const Rect c = clip();
  const std::int64_t x0 = std::max<std::int64_t>(tx, c.x), y0 = std::max<std::int64_t>(ty, c.y);
  const std::int64_t x1 = std::min(tx + bw, std::int64_t{c.x} + c.w), y1 = std::min(ty + bh, std::int64_t{c.y} + c.h);
  if (x1 <= x0 || y1 <= y0) return;
  x += x0 - tx;
  y += y0 - ty;
  for (std::int64_t row = 0; row < y1 - y0; ++row) {
    const Rgb* from = &src.px_[static_cast<size_t>((y + row) * src.w_ + x)];
    std::copy_n(from, x1 - x0, &px_[static_cast<size_t>((y0 + row) * w_ + x0)]);
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
