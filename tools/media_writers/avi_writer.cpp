#include "tools/media_writers/avi_writer.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace tapo::media {

namespace {

void put16(std::string& out, std::uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

std::string chunk(const std::string& id, const std::string& body) {
  std::string c = id;
  put32(c, static_cast<std::uint32_t>(body.size()));
  c += body;
  if (body.size() % 2) c += '\0';
  return c;
}

std::string list(const char* type, const std::string& body) { return chunk("LIST", std::string(type, 4) + body); }

std::string bytes(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }
std::string bytes(const std::vector<std::int16_t>& pcm) {
  std::string s;
  s.reserve(pcm.size() * 2);
  for (auto v : pcm) put16(s, static_cast<std::uint16_t>(v));
  return s;
}

std::string video_headers(const AviVideo& v, std::uint32_t largest) {
  const auto count = static_cast<std::uint32_t>(v.pictures.size());
  std::string strh("vids", 4);
  put32(strh, v.handler);
  put32(strh, 0);
  put16(strh, 0);
  put16(strh, 0);
  put32(strh, 0);
  put32(strh, 1);      // scale
  put32(strh, v.fps);  // rate
  put32(strh, 0);      // start
  put32(strh, count);
  put32(strh, largest);
  put32(strh, 0xFFFFFFFF);  // quality
  put32(strh, 0);
  put16(strh, 0);
  put16(strh, 0);
  put16(strh, v.width);
  put16(strh, v.height);

  const bool palette = v.bits <= 8;
  const int stride = ((v.width * v.bits / 8) + 3) & ~3;
  std::string strf;
  put32(strf, 40);
  put32(strf, v.width);
  put32(strf, v.height);
  put16(strf, 1);
  put16(strf, v.bits);
  put32(strf, v.compression);
  put32(strf, static_cast<std::uint32_t>(stride * v.height));
  put32(strf, 0);
  put32(strf, 0);
  put32(strf, palette ? 256 : 0);
  put32(strf, 0);
  if (palette)
    for (size_t i = 0; i < 256; ++i) {
      const platform::Rgb c = i < v.palette.size() ? v.palette[i] : 0;
      strf += static_cast<char>(c & 0xFF);
      strf += static_cast<char>((c >> 8) & 0xFF);
      strf += static_cast<char>((c >> 16) & 0xFF);
      strf += '\0';
    }
  return list("strl", chunk("strh", strh) + chunk("strf", strf));
}

std::string sound_headers(const AviSound& s, std::uint32_t largest) {
  const std::uint32_t align = 2 * static_cast<std::uint32_t>(s.channels);
  std::uint32_t blocks = 0;
  for (const auto& c : s.chunks) blocks += static_cast<std::uint32_t>(c.size()) / s.channels;
  std::string strh("auds", 4);
  put32(strh, 0);
  put32(strh, 0);
  put16(strh, 0);
  put16(strh, 0);
  put32(strh, 0);
  put32(strh, align);                                      // scale
  put32(strh, align * static_cast<std::uint32_t>(s.rate));  // rate: bytes a second
  put32(strh, 0);
  put32(strh, blocks);
  put32(strh, largest);
  put32(strh, 0xFFFFFFFF);
  put32(strh, align);  // sample size
  for (int i = 0; i < 4; ++i) put16(strh, 0);

  std::string strf;
  put16(strf, 1);  // PCM
  put16(strf, s.channels);
  put32(strf, s.rate);
  put32(strf, align * static_cast<std::uint32_t>(s.rate));
  put16(strf, align);
  put16(strf, 16);
  return list("strl", chunk("strh", strh) + chunk("strf", strf));
}

bool write_streams(const std::filesystem::path& file, const AviVideo* video, const AviSound* sound) {
  if (video && (video->width <= 0 || video->height <= 0 || video->fps <= 0)) return false;
  if (sound && (sound->rate <= 0 || sound->channels <= 0)) return false;
  std::uint32_t largest = 0, largest_sound = 0;
  if (video)
    for (const auto& p : video->pictures) largest = std::max(largest, static_cast<std::uint32_t>(p.data.size()));
  if (sound)
    for (const auto& c : sound->chunks) largest_sound = std::max(largest_sound, static_cast<std::uint32_t>(c.size() * 2));
  const std::uint32_t fps = video ? static_cast<std::uint32_t>(video->fps) : 0;
  const std::uint32_t biggest = std::max(largest, largest_sound);

  std::string avih;
  put32(avih, fps ? 1000000 / fps : 0);  // microseconds per frame
  put32(avih, biggest * fps);
  put32(avih, 0);
  put32(avih, 0x10);  // has an index
  put32(avih, video ? static_cast<std::uint32_t>(video->pictures.size()) : 0);
  put32(avih, 0);
  put32(avih, (video ? 1 : 0) + (sound ? 1 : 0));  // streams
  put32(avih, biggest);
  put32(avih, video ? video->width : 0);
  put32(avih, video ? video->height : 0);
  for (int i = 0; i < 4; ++i) put32(avih, 0);

  std::string strl = chunk("avih", avih);
  if (sound) strl += sound_headers(*sound, largest_sound);
  if (video) strl += video_headers(*video, largest);

  // Chunk k of the sound, then picture k; each listed in the index.
  const std::string sound_id = "00wb";
  const std::string video_id = std::string(sound ? "01" : "00") + (video && video->compression == 0 ? "db" : "dc");
  std::string movi("movi", 4), idx;
  auto store = [&](const std::string& id, const std::string& body, bool key) {
    idx += id;
    put32(idx, key ? 0x10 : 0);
    put32(idx, static_cast<std::uint32_t>(movi.size()));
    put32(idx, static_cast<std::uint32_t>(body.size()));
    movi += chunk(id, body);
  };
  const size_t sounds = sound ? sound->chunks.size() : 0, pictures = video ? video->pictures.size() : 0;
  for (size_t k = 0; k < std::max(sounds, pictures); ++k) {
    if (k < sounds) store(sound_id, bytes(sound->chunks[k]), true);
    if (k < pictures) {
      const AviPicture& p = video->pictures[k];
      store(video_id, bytes(p.data), p.key && !p.data.empty());
    }
  }

  const std::string body = "AVI " + list("hdrl", strl) + chunk("LIST", movi) + chunk("idx1", idx);
  std::string riff("RIFF", 4);
  put32(riff, static_cast<std::uint32_t>(body.size()));
  riff += body;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(riff.data(), static_cast<std::streamsize>(riff.size()));
  return static_cast<bool>(out);
}

// Runs of one colour as (count, index); other stretches of three or more
// pixels as literal blocks, padded to whole 16-bit words.
void rle8_span(std::vector<std::uint8_t>& out, const std::uint8_t* px, int n) {
  int x = 0;
  while (x < n) {
    int run = 1;
    while (x + run < n && run < 255 && px[x + run] == px[x]) ++run;
    if (run >= 2) {
      out.push_back(static_cast<std::uint8_t>(run));
      out.push_back(px[x]);
      x += run;
      continue;
    }
    int lit = 1;
    while (x + lit < n && lit < 255 && !(x + lit + 1 < n && px[x + lit] == px[x + lit + 1])) ++lit;
    if (lit < 3) {
      for (int i = 0; i < lit; ++i) {
        out.push_back(1);
        out.push_back(px[x + i]);
      }
    } else {
      out.push_back(0);
      out.push_back(static_cast<std::uint8_t>(lit));
      out.insert(out.end(), px + x, px + x + lit);
      if (lit & 1) out.push_back(0);
    }
    x += lit;
  }
}

}  // namespace

bool write_avi(const std::filesystem::path& file, const AviVideo& video) { return write_streams(file, &video, nullptr); }
bool write_avi(const std::filesystem::path& file, const AviVideo& video, const AviSound& sound) {
  return write_streams(file, &video, &sound);
}
bool write_avi(const std::filesystem::path& file, const AviSound& sound) { return write_streams(file, nullptr, &sound); }

std::vector<std::uint8_t> rle8_picture(const IndexedFrame& frame, const IndexedFrame* before) {
  const int w = frame.width, h = frame.height;
  auto row_of = [w, h](const IndexedFrame& f, int line) {
    return f.pixels.data() + static_cast<std::size_t>(h - 1 - line) * w;  // bottom-up
  };
  std::vector<std::uint8_t> out;
  int last_changed = 0;  // the last line (bottom-up) that has to be coded
  for (int line = 0; line < h; ++line)
    if (!before || !std::equal(row_of(frame, line), row_of(frame, line) + w, row_of(*before, line))) last_changed = line;
  for (int line = 0; line < h; ++line) {
    const std::uint8_t* px = row_of(frame, line);
    int a = 0, b = w;
    if (before) {
      const std::uint8_t* old = row_of(*before, line);
      while (a < w && px[a] == old[a]) ++a;
      while (b > a && px[b - 1] == old[b - 1]) --b;
    }
    if (a < b) {
      int x = 0;
      while (x + 255 < a) {  // skip (0, 2, dx, dy)
        out.insert(out.end(), {0, 2, 255, 0});
        x += 255;
      }
      if (x < a) out.insert(out.end(), {0, 2, static_cast<std::uint8_t>(a - x), 0});
      rle8_span(out, px + a, b - a);
    }
    if (before && line == last_changed) break;
    if (line + 1 < h) out.insert(out.end(), {0, 0});  // end of line
  }
  out.insert(out.end(), {0, 1});  // end of bitmap
  return out;
}

std::vector<std::uint8_t> dib_picture(const IndexedFrame& frame) {
  const std::size_t w = static_cast<std::size_t>(frame.width), stride = (w + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> out(stride * frame.height, 0);
  for (int y = 0; y < frame.height; ++y)
    std::copy_n(frame.pixels.begin() + static_cast<long>(y * w), w, out.begin() + static_cast<long>(stride * (frame.height - 1 - y)));
  return out;
}

std::vector<std::uint8_t> dib_picture(const platform::Surface& picture) {
  const int w = picture.width(), h = picture.height();
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> out(stride * h, 0);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = out.data() + stride * (h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const platform::Rgb c = picture.at(x, y);
      row[3 * x] = static_cast<std::uint8_t>(c & 0xFF);
      row[3 * x + 1] = static_cast<std::uint8_t>((c >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<std::uint8_t>((c >> 16) & 0xFF);
    }
  }
  return out;
}

bool write_rle8_avi(const std::filesystem::path& file, const std::vector<IndexedFrame>& frames, const Palette& palette,
                    int frames_per_second) {
  if (frames.empty()) return false;
  AviVideo v;
  v.width = frames[0].width;
  v.height = frames[0].height;
  v.bits = 8;
  v.compression = 1;
  v.handler = fourcc("mrle");
  v.fps = frames_per_second;
  v.palette.assign(palette.begin(), palette.end());
  for (const auto& f : frames) {
    if (f.width != v.width || f.height != v.height) return false;
    if (f.pixels.size() != static_cast<size_t>(f.width) * f.height) return false;
    v.pictures.push_back({rle8_picture(f), true});
  }
  return write_avi(file, v);
}

}  // namespace tapo::media
