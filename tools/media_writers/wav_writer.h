// Builds WAV files byte by byte for the tests: chunks in any order, odd
// sizes, lying size fields.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tapo::testing::wav {

inline std::string le16(std::uint16_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
inline std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

// A chunk with its declared size (the body's own size unless given) and the
// pad byte after an odd body.
inline std::string chunk(std::string_view id, std::string_view body) {
  std::string c(id);
  c += le32(static_cast<std::uint32_t>(body.size()));
  c += body;
  if (body.size() % 2) c += '\0';
  return c;
}
inline std::string chunk_claiming(std::string_view id, std::uint32_t declared, std::string_view body) {
  std::string c(id);
  c += le32(declared);
  c += body;
  return c;
}

inline std::string fmt_body(int format, int channels, int rate, int avg, int block_align, int bits,
                            std::string_view extension = {}, bool with_ext_size = false) {
  std::string b = le16(format) + le16(channels) + le32(rate) + le32(avg) + le16(block_align) + le16(bits);
  if (with_ext_size || !extension.empty()) b += le16(static_cast<std::uint16_t>(extension.size()));
  b += extension;
  return b;
}

inline std::string pcm_fmt(int channels, int rate, int bits) {
  const int align = channels * bits / 8;
  return chunk("fmt ", fmt_body(1, channels, rate, rate * align, align, bits));
}

inline std::string samples16(const std::vector<std::int16_t>& s) {
  std::string b;
  for (auto v : s) b += le16(static_cast<std::uint16_t>(v));
  return b;
}
inline std::string samples8(const std::vector<std::uint8_t>& s) { return {s.begin(), s.end()}; }

// "RIFF" <size> "WAVE" and the chunks as given.
inline std::string riff(std::initializer_list<std::string> chunks) {
  std::string body = "WAVE";
  for (const auto& c : chunks) body += c;
  return "RIFF" + le32(static_cast<std::uint32_t>(body.size())) + body;
}

inline void write(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The fmt extension of Microsoft ADPCM: samples per block and the usual
// seven predictor coefficient pairs.
inline std::string ms_adpcm_extension(int samples_per_block) {
  static constexpr int kCoef[7][2] = {{256, 0}, {512, -256}, {0, 0}, {192, 64},
                                      {240, 0}, {460, -208}, {392, -232}};
  std::string e = le16(samples_per_block) + le16(7);
  for (const auto& c : kCoef)
    e += le16(static_cast<std::uint16_t>(c[0])) + le16(static_cast<std::uint16_t>(c[1]));
  return e;
}

}  // namespace tapo::testing::wav
