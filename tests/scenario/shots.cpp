#include "tests/scenario/shots.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>

#include "games/common/judgement.h"
#include "platform/surface.h"
#include "tests/scenario/play.h"

namespace tapo::test {

namespace pf = tapo::platform;

namespace {

std::uint32_t be32(const std::string& s, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 2])) << 8 | static_cast<unsigned char>(s[at + 3]);
}

// A PNG written by the game's `shot` (8-bit RGB, unfiltered rows).
std::optional<pf::Surface> load_shot(const std::filesystem::path& file) {
  const std::string png = slurp(file);
  if (png.size() < 33 || png.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return std::nullopt;
  int w = 0, h = 0;
  std::string packed;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::size_t length = be32(png, at);
    if (at + 12 + length > png.size()) return std::nullopt;
    const std::string type = png.substr(at + 4, 4);
    if (type == "IHDR") {
      w = static_cast<int>(be32(png, at + 8));
      h = static_cast<int>(be32(png, at + 12));
      if (png[at + 16] != 8 || png[at + 17] != 2) return std::nullopt;
    } else if (type == "IDAT") {
      packed += png.substr(at + 8, length);
    }
    at += 12 + length;
  }
  if (w <= 0 || h <= 0) return std::nullopt;
  std::string raw(static_cast<std::size_t>(h) * (static_cast<std::size_t>(w) * 3 + 1), '\0');
  uLongf size = static_cast<uLongf>(raw.size());
  if (uncompress(reinterpret_cast<Bytef*>(raw.data()), &size, reinterpret_cast<const Bytef*>(packed.data()),
                 static_cast<uLong>(packed.size())) != Z_OK ||
      size != raw.size())
    return std::nullopt;
  pf::Surface out(w, h);
  for (int y = 0; y < h; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) * (static_cast<std::size_t>(w) * 3 + 1);
    if (raw[row] != 0) return std::nullopt;  // the game writes its rows unfiltered
    for (int x = 0; x < w; ++x) {
      const auto* p = reinterpret_cast<const unsigned char*>(raw.data() + row + 1 + 3 * static_cast<std::size_t>(x));
      out.set(x, y, pf::rgb(p[0], p[1], p[2]));
    }
  }
  return out;
}

int pixels_changed(const pf::Surface& before, const pf::Surface& after, pf::Rect place) {
  int n = 0;
  for (int y = place.y; y < place.y + place.h; ++y)
    for (int x = place.x; x < place.x + place.w; ++x)
      if (x >= 0 && y >= 0 && x < before.width() && y < before.height() && x < after.width() && y < after.height())
        n += before.at(x, y) != after.at(x, y);
  return n;
}

// The rectangle [x, y, w, h] of `key` in a dump.
pf::Rect rect_after(const std::string& state, const std::string& key) {
  const std::vector<int> n = numbers_after(state, key);
  return n.size() >= 4 ? pf::Rect{n[0], n[1], n[2], n[3]} : pf::Rect{};
}

}  // namespace

void expect_sign_seen(const std::string& state, const std::string& verdict, const std::string& where,
                      const std::filesystem::path& without, const std::filesystem::path& with) {
  EXPECT_NE(state.find("\"judged\": {\"verdict\": \"" + verdict + "\", \"where\": \"" + where + "\""), std::string::npos)
      << state;
  const auto a = load_shot(without), b = load_shot(with);
  ASSERT_TRUE(a && b) << without << " " << with;
  const pf::Rect sign = games::sign_rect(rect_after(state, "at"));
  EXPECT_GT(pixels_changed(*a, *b, sign), sign.w * sign.h / 3) << "the sign of " << where << " is not seen";
}

}  // namespace tapo::test
