#include "platform/clip_dib.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/clip_cache.h"
#include "platform/paths.h"

namespace tapo::platform {
namespace {

constexpr std::uint32_t kRaw = 0, kRle8 = 1;
constexpr std::uint32_t kKeyFrame = 0x10;  // in the index
constexpr std::uint32_t kHasIndex = 0x10;  // in the main header's flags

std::uint32_t u32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24; }
std::uint16_t u16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
bool tag_is(const std::uint8_t* p, std::string_view tag) { return std::memcmp(p, tag.data(), 4) == 0; }

// One stored picture: where its bytes lie in the file, the frame it shows.
struct Chunk {
  std::size_t offset = 0, size = 0;
  int frame = 0;
  int key = 0;  // the chunk decoding has to start from
};

// What the headers and the chunk list say about the first video stream.
struct Layout {
  int width = 0, height = 0, bits = 0;
  bool bottom_up = true;
  std::uint32_t compression = 0;
  std::int64_t length = 0;  // frames, as the stream header has it
  std::vector<Rgb> palette;  // 8-bit: 256 entries (black where the file gives none)
  std::vector<Chunk> chunks;
  bool damaged = false;  // cut short, or an index that disagrees with the pictures
};

class DibClip final : public Clip {
 public:
  DibClip(std::vector<std::uint8_t> file, Layout layout, int length)
      : file_(std::move(file)), l_(std::move(layout)), length_(length) {}

  int start() const override { return 0; }
  int length() const override { return length_; }
  int width() const override { return l_.width; }
  int height() const override { return l_.height; }
  bool damaged() const override { return l_.damaged; }

  const Surface* frame(int n) override {
    if (n < 0 || n >= length_) return nullptr;
    const int index = stored_picture_at(l_.chunks, n);
    if (const Surface* hit = cache_.find(index)) return hit;
    // Go on from the picture decoded last when it is on the way from the key.
    const int key = l_.chunks[static_cast<size_t>(index)].key;
    int from = key;
    if (decoded_ >= key && decoded_ < index) {
      from = decoded_ + 1;
    } else {
      std::fill(canvas_.begin(), canvas_.end(), 0);
    }
    const Surface* out = nullptr;
    for (int i = from; i <= index; ++i) {
      if (!apply(l_.chunks[static_cast<size_t>(i)])) {
        l_.damaged = true;
        decoded_ = -1;
        return nullptr;
      }
      decoded_ = i;
      out = cache_.store(i, picture());
    }
    return out;
  }

 private:
  // Draws one stored picture over the canvas; false for a damaged one.
  bool apply(const Chunk& c) {
    const std::uint8_t* p = file_.data() + c.offset;
    const int w = l_.width, h = l_.height;
    canvas_.resize(static_cast<size_t>(w) * h * (l_.bits == 8 ? 1 : 4));
    if (l_.compression == kRle8) return apply_rle8(p, c.size);
    const int bytes = l_.bits / 8;
    const std::size_t stride = (static_cast<std::size_t>(w) * bytes + 3) & ~std::size_t{3};
    if (c.size < stride * h) return false;
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* row = p + stride * static_cast<size_t>(l_.bottom_up ? h - 1 - y : y);
      if (bytes == 1) {
        std::memcpy(&canvas_[static_cast<size_t>(y) * w], row, static_cast<size_t>(w));
      } else {
        auto* dst = reinterpret_cast<Rgb*>(canvas_.data()) + static_cast<size_t>(y) * w;
        for (int x = 0; x < w; ++x, row += bytes) dst[x] = rgb(row[2], row[1], row[0]);
      }
    }
    return true;
  }

  // Microsoft RLE 8-bit: runs, end of line, end of picture, skips and
  // literal runs, rows bottom-up; pixels not coded keep what was there.
  // Codes that run past the picture's edges, or data without its end code,
  // are drawn as far as they go and mark the clip damaged.
  bool apply_rle8(const std::uint8_t* p, std::size_t size) {
    const int w = l_.width, h = l_.height;
    int x = 0, y = h - 1;
    // Pixels past the right edge are dropped (x stops there).
    auto row = [&] { return canvas_.data() + static_cast<size_t>(y) * w; };
    std::size_t i = 0;
    bool ended = false;
    while (i + 1 < size && y >= 0) {
      const std::uint8_t count = p[i], value = p[i + 1];
      i += 2;
      if (count > 0) {
        const int n = std::min<int>(count, w - x);
        l_.damaged |= n < count;
        std::memset(row() + x, value, static_cast<size_t>(n));
        x += n;
      } else if (value == 0) {
        x = 0;
        --y;
      } else if (value == 1) {
        ended = true;
        break;
      } else if (value == 2) {
        if (i + 1 >= size) return false;
        l_.damaged |= x + p[i] > w;
        x = std::min(x + p[i], w);
        y -= p[i + 1];
        i += 2;
      } else {
        if (i + value > size) return false;
        const int n = std::min<int>(value, w - x);
        l_.damaged |= n < value;
        std::memcpy(row() + x, p + i, static_cast<size_t>(n));
        x += n;
        i += value + (value & 1);
      }
    }
    l_.damaged |= !ended;
    return true;
  }

  Surface picture() const {
    const std::size_t n = static_cast<std::size_t>(l_.width) * l_.height;
    std::vector<Rgb> px;
    if (l_.bits == 8) {
      px.resize(n);
      for (std::size_t i = 0; i < n; ++i) px[i] = l_.palette[canvas_[i]];
    } else {
      const auto* from = reinterpret_cast<const Rgb*>(canvas_.data());
      px.assign(from, from + n);
    }
    return Surface(l_.width, l_.height, std::move(px));
  }

  std::vector<std::uint8_t> file_;
  Layout l_;
  int length_;
  std::vector<std::uint8_t> canvas_;  // palette indices, or Rgb pixels
  int decoded_ = -1;                  // the chunk the canvas shows
  PictureCache cache_;
};

// Lists nest this deep at most in a sound clip file (deeper ones are not opened).
constexpr int kDeepestList = 4;

// The chunks of a RIFF list body, LIST 'rec ' groups opened.
template <class F>
void each_chunk(const std::vector<std::uint8_t>& f, std::size_t from, std::size_t to, F&& visit, int depth = 0) {
  while (from + 8 <= to) {
    const std::uint8_t* h = f.data() + from;
    const std::size_t size = u32(h + 4), body = from + 8;
    if (tag_is(h, "LIST") && size >= 4 && body + 4 <= to && tag_is(f.data() + body, "rec ")) {
      if (depth < kDeepestList) each_chunk(f, body + 4, std::min(to, body + size), visit, depth + 1);
    } else if (!visit(h, body, size, to)) {
      return;
    }
    from = body + size + (size & 1);
  }
}

// Reads the headers and the chunk list; false when the clip is not one this
// reader knows how to show.
bool read_layout(const std::vector<std::uint8_t>& f, Layout& l) {
  if (f.size() < 12 || !tag_is(f.data(), "RIFF") || !tag_is(f.data() + 8, "AVI ")) return false;
  int stream = -1, streams = 0;
  std::size_t movi = 0, movi_end = 0, idx = 0, idx_end = 0;
  bool in_video = false, extended = false, has_index = false;
  // A file shorter than its RIFF header claims was cut short.
  l.damaged = std::size_t{u32(f.data() + 4)} + 8 > f.size();
  // The top level and the header lists, in file order.
  auto walk = [&](auto&& self, std::size_t from, std::size_t to, int depth) -> void {
    while (from + 8 <= to) {
      const std::uint8_t* h = f.data() + from;
      const std::size_t size = u32(h + 4), body = from + 8, end = std::min(to, body + size);
      l.damaged |= body + size > to;  // a part that claims more than holds it
      if (tag_is(h, "LIST") && body + 4 <= end) {
        if (tag_is(f.data() + body, "movi")) {
          movi = body + 4;
          movi_end = end;
        } else if ((tag_is(f.data() + body, "hdrl") || tag_is(f.data() + body, "strl")) && depth < kDeepestList) {
          self(self, body + 4, end, depth + 1);
        }
      } else if (tag_is(h, "avih") && end - body >= 16) {
        has_index = u32(f.data() + body + 12) & kHasIndex;
      } else if (tag_is(h, "strh") && end - body >= 36) {
        in_video = stream < 0 && tag_is(f.data() + body, "vids");
        if (in_video) {
          stream = streams;
          extended |= u32(f.data() + body + 28) != 0;  // a stream that does not start at frame 0
          l.length = u32(f.data() + body + 32);
        }
        ++streams;
      } else if (tag_is(h, "strf") && in_video && end - body >= 40) {
        const std::uint8_t* b = f.data() + body;
        l.width = static_cast<std::int32_t>(u32(b + 4));
        const auto height = static_cast<std::int32_t>(u32(b + 8));
        l.bottom_up = height > 0;
        l.height = height < -Surface::kMaxSide ? 0 : height < 0 ? -height : height;
        l.bits = u16(b + 14);
        l.compression = u32(b + 16);
        const std::uint32_t header = u32(b), used = u32(b + 32);
        if (l.bits == 8) {
          const std::size_t colours = std::min<std::size_t>(used ? used : 256, 256);
          for (std::size_t c = 0; c < colours && body + header + 4 * c + 4 <= end; ++c) {
            const std::uint8_t* q = b + header + 4 * c;
            l.palette.push_back(rgb(q[2], q[1], q[0]));
          }
        }
        in_video = false;
      } else if (tag_is(h, "idx1")) {
        idx = body;
        idx_end = end;
      } else if (tag_is(h, "RIFF") || tag_is(h, "indx")) {
        extended = true;  // the OpenDML layout of very long clips
      }
      from = body + size + (size & 1);
    }
  };
  walk(walk, 12, f.size(), 0);
  if (extended) return false;
  l.palette.resize(256, 0);
  const bool raw = l.compression == kRaw && (l.bits == 8 || l.bits == 24 || l.bits == 32);
  const bool rle = l.compression == kRle8 && l.bits == 8 && l.bottom_up;
  if (stream < 0 || stream > 99 || !(raw || rle) || l.width <= 0 || l.height <= 0 || movi == 0) return false;
  if (l.width > Surface::kMaxSide || l.height > Surface::kMaxSide) return false;

  // The pictures in file order; an empty chunk shows the picture before it again.
  const char id[2] = {static_cast<char>('0' + stream / 10), static_cast<char>('0' + stream % 10)};
  int frame = 0;
  bool ok = true;
  each_chunk(f, movi, movi_end, [&](const std::uint8_t* h, std::size_t body, std::size_t size, std::size_t to) {
    if (h[0] != id[0] || h[1] != id[1]) return true;
    if (h[2] == 'p' && h[3] == 'c') return ok = false;  // palette changes: left to the general reader
    if (body + size > to) return !(l.damaged = true);  // cut short: the pictures before stay
    if (size > 0) l.chunks.push_back({body, size, frame, 0});
    ++frame;
    return true;
  });
  if (!ok || l.chunks.empty()) return false;
  if (l.length <= 0) l.length = frame;

  // Key pictures from the index; without a usable one, raw pictures stand
  // alone and coded ones are decoded from the first.
  // An index that lists other sizes than the pictures have is damaged.
  std::vector<bool> key;
  bool sizes_agree = true;
  for (std::size_t at = idx; idx && at + 16 <= idx_end; at += 16) {
    const std::uint8_t* e = f.data() + at;
    if (e[0] != id[0] || e[1] != id[1] || (e[2] == 'p' && e[3] == 'c')) continue;
    if (u32(e + 12) == 0) continue;
    sizes_agree = sizes_agree && key.size() < l.chunks.size() && u32(e + 12) == l.chunks[key.size()].size;
    key.push_back(u32(e + 4) & kKeyFrame);
  }
  const bool indexed = key.size() == l.chunks.size();
  if (idx ? !indexed || !sizes_agree || (idx_end - idx) % 16 != 0 : has_index) l.damaged = true;
  int last_key = 0;
  for (std::size_t i = 0; i < l.chunks.size(); ++i) {
    if (i == 0 || raw || (indexed && key[i])) last_key = static_cast<int>(i);
    l.chunks[i].key = last_key;
  }
  return true;
}

}  // namespace

std::unique_ptr<Clip> open_dib_clip(const std::filesystem::path& file) {
  auto bytes = read_whole_file(file);
  Layout layout;
  if (!bytes || !read_layout(*bytes, layout) || layout.length > kMaxClipFrames) return nullptr;
  const int length = static_cast<int>(layout.length);
  return std::make_unique<DibClip>(std::move(*bytes), std::move(layout), length);
}

}  // namespace tapo::platform
