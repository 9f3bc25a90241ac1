#include "tools/mkmedia/avi_writer.h"

#include <fstream>
#include <string>
#include <unordered_map>

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

std::string chunk(const char* id, const std::string& body) {
  std::string c(id, 4);
  put32(c, static_cast<std::uint32_t>(body.size()));
  c += body;
  if (body.size() % 2) c += '\0';
  return c;
}

std::string list(const char* type, const std::string& body) {
  std::string b(type, 4);
  b += body;
  return chunk("LIST", b);
}

struct StreamFormat {
  int width = 0, height = 0, bits = 24;
  std::uint32_t compression = 0;  // 0 BI_RGB, 1 BI_RLE8
  const char* handler = "DIB ";
  const char* chunk_id = "00db";
  const Palette* palette = nullptr;
};

bool write_avi(const std::filesystem::path& file, const StreamFormat& f, const std::vector<std::string>& frames, int fps) {
  if (f.width <= 0 || f.height <= 0 || fps <= 0) return false;
  const auto count = static_cast<std::uint32_t>(frames.size());
  std::uint32_t largest = 0;
  for (const auto& fr : frames) largest = std::max<std::uint32_t>(largest, static_cast<std::uint32_t>(fr.size()));

  std::string avih;
  put32(avih, 1000000 / fps);  // microseconds per frame
  put32(avih, largest * fps);
  put32(avih, 0);
  put32(avih, 0x10);  // has an index
  put32(avih, count);
  put32(avih, 0);
  put32(avih, 1);  // streams
  put32(avih, largest);
  put32(avih, f.width);
  put32(avih, f.height);
  for (int i = 0; i < 4; ++i) put32(avih, 0);

  std::string strh("vids", 4);
  strh.append(f.handler, 4);
  put32(strh, 0);
  put16(strh, 0);
  put16(strh, 0);
  put32(strh, 0);
  put32(strh, 1);    // scale
  put32(strh, fps);  // rate
  put32(strh, 0);    // start
  put32(strh, count);
  put32(strh, largest);
  put32(strh, 0xFFFFFFFF);  // quality
  put32(strh, 0);
  put16(strh, 0);
  put16(strh, 0);
  put16(strh, f.width);
  put16(strh, f.height);

  const int stride = ((f.width * f.bits / 8) + 3) & ~3;
  std::string strf;
  put32(strf, 40);
  put32(strf, f.width);
  put32(strf, f.height);
  put16(strf, 1);
  put16(strf, f.bits);
  put32(strf, f.compression);
  put32(strf, static_cast<std::uint32_t>(stride * f.height));
  put32(strf, 0);
  put32(strf, 0);
  put32(strf, f.palette ? 256 : 0);
  put32(strf, 0);
  if (f.palette)
    for (platform::Rgb c : *f.palette) {
      strf += static_cast<char>(c & 0xFF);
      strf += static_cast<char>((c >> 8) & 0xFF);
      strf += static_cast<char>((c >> 16) & 0xFF);
      strf += '\0';
    }

  const std::string hdrl = list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
  std::string movi_body("movi", 4), idx;
  for (const auto& fr : frames) {
    idx.append(f.chunk_id, 4);
    put32(idx, 0x10);  // key frame
    put32(idx, static_cast<std::uint32_t>(movi_body.size()));
    put32(idx, static_cast<std::uint32_t>(fr.size()));
    movi_body += chunk(f.chunk_id, fr);
  }
  std::string body("AVI ", 4);
  body += hdrl + chunk("LIST", movi_body) + chunk("idx1", idx);
  std::string riff("RIFF", 4);
  put32(riff, static_cast<std::uint32_t>(body.size()));
  riff += body;

  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(riff.data(), static_cast<std::streamsize>(riff.size()));
  return static_cast<bool>(out);
}

}  // namespace

std::vector<std::uint8_t> encode_rle8(const IndexedFrame& frame) {
  std::vector<std::uint8_t> out;
  const int w = frame.width;
  for (int y = frame.height - 1; y >= 0; --y) {
    const std::uint8_t* row = &frame.pixels[static_cast<size_t>(y) * w];
    int x = 0;
    while (x < w) {
      int run = 1;
      while (x + run < w && run < 255 && row[x + run] == row[x]) ++run;
      if (run >= 2) {
        out.push_back(static_cast<std::uint8_t>(run));
        out.push_back(row[x]);
        x += run;
        continue;
      }
      // Literal pixels up to the next run of two or more.
      int lit = 1;
      while (x + lit < w && lit < 255 && !(x + lit + 1 < w && row[x + lit] == row[x + lit + 1])) ++lit;
      if (lit < 3) {
        for (int i = 0; i < lit; ++i) {
          out.push_back(1);
          out.push_back(row[x + i]);
        }
      } else {
        out.push_back(0);
        out.push_back(static_cast<std::uint8_t>(lit));
        out.insert(out.end(), row + x, row + x + lit);
        if (lit % 2) out.push_back(0);  // absolute runs end on a word boundary
      }
      x += lit;
    }
    out.push_back(0);
    out.push_back(y == 0 ? 1 : 0);  // end of line, or of the bitmap after the last one
  }
  return out;
}

bool write_rle8_avi(const std::filesystem::path& file, const std::vector<IndexedFrame>& frames, const Palette& palette,
                    int frames_per_second) {
  if (frames.empty()) return false;
  std::vector<std::string> packets;
  for (const auto& fr : frames) {
    if (fr.width != frames[0].width || fr.height != frames[0].height) return false;
    if (fr.pixels.size() != static_cast<size_t>(fr.width) * fr.height) return false;
    const auto rle = encode_rle8(fr);
    packets.emplace_back(rle.begin(), rle.end());
  }
  StreamFormat f{frames[0].width, frames[0].height, 8, 1, "mrle", "00dc", &palette};
  return write_avi(file, f, packets, frames_per_second);
}

bool write_dib24_avi(const std::filesystem::path& file, const std::vector<platform::Surface>& frames,
                     int frames_per_second) {
  if (frames.empty()) return false;
  const int w = frames[0].width(), h = frames[0].height();
  const int stride = (w * 3 + 3) & ~3;
  std::vector<std::string> packets;
  for (const auto& s : frames) {
    if (s.width() != w || s.height() != h) return false;
    std::string p;
    p.reserve(static_cast<size_t>(stride) * h);
    for (int y = h - 1; y >= 0; --y) {
      for (int x = 0; x < w; ++x) {
        const platform::Rgb c = s.at(x, y);
        p += static_cast<char>(c & 0xFF);
        p += static_cast<char>((c >> 8) & 0xFF);
        p += static_cast<char>((c >> 16) & 0xFF);
      }
      p.append(static_cast<size_t>(stride - w * 3), '\0');
    }
    packets.push_back(std::move(p));
  }
  StreamFormat f{w, h, 24, 0, "DIB ", "00db", nullptr};
  return write_avi(file, f, packets, frames_per_second);
}

IndexedFrame to_indexed(const platform::Surface& picture, const Palette& palette) {
  IndexedFrame f{picture.width(), picture.height(), {}};
  f.pixels.resize(static_cast<size_t>(f.width) * f.height);
  std::unordered_map<platform::Rgb, std::uint8_t> memo;
  for (int i = 255; i >= 0; --i) memo[palette[static_cast<size_t>(i)]] = static_cast<std::uint8_t>(i);
  for (size_t i = 0; i < f.pixels.size(); ++i) {
    const platform::Rgb c = picture.pixels()[i];
    auto it = memo.find(c);
    if (it == memo.end()) {
      int best = 0;
      long best_d = -1;
      for (int p = 0; p < 256; ++p) {
        const platform::Rgb q = palette[static_cast<size_t>(p)];
        const long dr = static_cast<long>((c >> 16) & 255) - ((q >> 16) & 255);
        const long dg = static_cast<long>((c >> 8) & 255) - ((q >> 8) & 255);
        const long db = static_cast<long>(c & 255) - (q & 255);
        const long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (best_d < 0 || d < best_d) {
          best_d = d;
          best = p;
        }
      }
      it = memo.emplace(c, static_cast<std::uint8_t>(best)).first;
    }
    f.pixels[i] = it->second;
  }
  return f;
}

}  // namespace tapo::media
