// 24-bit pictures: the persistent images of forms and picture boxes, loaded
// bitmaps and sprites.  Pixels are 0x00RRGGBB.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tapo::platform {

using Rgb = std::uint32_t;  // 0x00RRGGBB

constexpr Rgb rgb(int r, int g, int b) {
  return (static_cast<Rgb>(r & 255) << 16) | (static_cast<Rgb>(g & 255) << 8) |
         static_cast<Rgb>(b & 255);
}

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  // Edges are summed in 64 bits: a rectangle read from a file may lie anywhere.
  bool contains(int px, int py) const {
    return px >= x && py >= y && px < std::int64_t{x} + w && py < std::int64_t{y} + h;
  }
  bool empty() const { return w <= 0 || h <= 0; }
  bool contains(const Rect& r) const {
    return r.x >= x && r.y >= y && std::int64_t{r.x} + r.w <= std::int64_t{x} + w &&
           std::int64_t{r.y} + r.h <= std::int64_t{y} + h;
  }
  bool operator==(const Rect&) const = default;
};

// The common part of two rectangles (empty when they do not meet).
Rect intersection(const Rect& a, const Rect& b);
// The smallest rectangle holding both (an empty one counts as nothing).
Rect bounding(const Rect& a, const Rect& b);

struct Point {
  int x = 0, y = 0;
};

class Surface {
 public:
  Surface() = default;
  Surface(int w, int h, Rgb fill = 0);
  // A picture of the given pixels, row by row (w x h of them).
  Surface(int w, int h, std::vector<Rgb> pixels);

  // The largest picture a file may hold, either way.
  static constexpr int kMaxSide = 4096;

  // Loads a BMP (1, 4, 8, 24 or 32 bit, also RLE); nullopt when the file is
  // missing or not a bitmap, or its header claims more than kMaxSide either
  // way or more pixels than the file holds.  `damaged` tells of a picture
  // that loads but whose header claims fewer rows or bits than its file holds.
  static std::optional<Surface> load_bmp(const std::filesystem::path& file, bool* damaged = nullptr);

  int width() const { return w_; }
  int height() const { return h_; }
  bool empty() const { return w_ == 0 || h_ == 0; }
  Rgb at(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }
  void set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y) * w_ + x] = c;
  }
  const std::vector<Rgb>& pixels() const { return px_; }
  std::vector<Rgb>& pixels() { return px_; }

  // Gives the picture a new size, filled with c, reusing its memory.
  void reset(int w, int h, Rgb c = 0);
  void fill(Rgb c);
  void fill_rect(Rect r, Rgb c);
  // Copies the w x h block at (sx, sy) of src to (dx, dy), clipped to both
  // (and to the clip rectangle).
  void blit(const Surface& src, int sx, int sy, int w, int h, int dx, int dy);
  void blit(const Surface& src, int dx, int dy) { blit(src, 0, 0, src.w_, src.h_, dx, dy); }

  // fill_rect, blit and text drawing leave everything outside the clip
  // rectangle alone (set it with ClipScope).
  Rect clip() const { return intersection(clip_, {0, 0, w_, h_}); }

  // Writes the picture as an uncompressed 24-bit BMP.
  bool save_bmp(const std::filesystem::path& file) const;
  // Writes the picture as a PNG.
  bool save_png(const std::filesystem::path& file) const;

 private:
  friend class ClipScope;
  int w_ = 0, h_ = 0;
  std::vector<Rgb> px_;
  Rect clip_{0, 0, 1 << 30, 1 << 30};
};

// `dst` becomes `src` when both have the same size (no copy); otherwise src
// is drawn at dst's top left.
void put_picture(Surface& dst, Surface&& src);

// Draws into `surface` only inside `r` while it lives.
class ClipScope {
 public:
  ClipScope(Surface& surface, Rect r) : surface_(surface), old_(surface.clip_) { surface.clip_ = r; }
  ~ClipScope() { surface_.clip_ = old_; }
  ClipScope(const ClipScope&) = delete;
  ClipScope& operator=(const ClipScope&) = delete;

 private:
  Surface& surface_;
  Rect old_;
};

}  // namespace tapo::platform
