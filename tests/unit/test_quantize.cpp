// Fitting clip frames into one palette: exact where the frames allow it, the
// key colour and the frame edges always exact.
#include <gtest/gtest.h>

#include "tools/mkmedia/quantize.h"

namespace pf = tapo::platform;
using tapo::media::quantize;

namespace {

pf::Rgb colour_at(const tapo::media::Quantized& q, size_t frame, size_t i) { return q.palette[q.frames[frame].pixels[i]]; }

// A frame of 400 often repeated colours inside an edge of 70 rarer ones,
// with a key-coloured corner; the first frame also has a patch of pinks.
pf::Surface busy_frame(bool with_pink) {
  pf::Surface s(80, 60);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 80; ++x) {
      const bool edge = x == 0 || y == 0 || x == 79 || y == 59;
      const bool row = y == 0 || y == 59;
      s.set(x, y, !edge ? pf::rgb((x % 20) * 12, (y % 20) * 12, 100) : row ? pf::rgb((x / 2) * 6, 10, 200) : pf::rgb(10, (y / 2) * 8, 200));
    }
  if (with_pink)  // a patch of pinks next to the key colour
    for (int y = 30; y < 40; ++y)
      for (int x = 30; x < 40; ++x) s.set(x, y, pf::rgb(245 + x % 10, y % 5, 245 + y % 10));
  s.set(0, 0, pf::rgb(255, 0, 255));
  return s;
}

}  // namespace

TEST(Quantize, FewColoursAreKeptExactly) {
  pf::Surface a(4, 2, pf::rgb(1, 2, 3)), b(4, 2, pf::rgb(255, 0, 255));
  a.set(1, 1, pf::rgb(200, 100, 50));
  const auto q = quantize({a, b});
  ASSERT_EQ(q.frames.size(), 2u);
  EXPECT_EQ(q.colours, 3);
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(colour_at(q, 0, i), a.pixels()[i]);
    EXPECT_EQ(colour_at(q, 1, i), b.pixels()[i]);
  }
}

TEST(Quantize, ManyColoursKeepTheKeyAndTheEdgesExactAndStayClose) {
  const std::vector<pf::Surface> frames = {busy_frame(true), busy_frame(false)};
  const auto q = quantize(frames);
  ASSERT_LE(q.colours, 256);
  int key_entries = 0;
  for (int i = 0; i < q.colours; ++i) key_entries += q.palette[static_cast<size_t>(i)] == pf::rgb(255, 0, 255);
  EXPECT_EQ(key_entries, 1);
  long worst = 0;
  for (size_t f = 0; f < frames.size(); ++f) {
    const auto& s = frames[f];
    for (int y = 0; y < s.height(); ++y)
      for (int x = 0; x < s.width(); ++x) {
        const size_t i = static_cast<size_t>(y) * s.width() + x;
        const pf::Rgb want = s.at(x, y), got = colour_at(q, f, i);
        const bool edge = x == 0 || y == 0 || x == s.width() - 1 || y == s.height() - 1;
        if (edge || want == pf::rgb(255, 0, 255)) {
          EXPECT_EQ(got, want) << x << "," << y;
        }
        // Nothing but the key itself may turn into the key (it would become a hole).
        if (want != pf::rgb(255, 0, 255)) {
          EXPECT_NE(got, pf::rgb(255, 0, 255)) << x << "," << y;
        }
        for (int sh : {0, 8, 16}) worst = std::max(worst, std::labs(static_cast<long>((want >> sh) & 255) - static_cast<long>((got >> sh) & 255)));
      }
  }
  EXPECT_LT(worst, 64);
  // The same frames always give the same bytes.
  const auto again = quantize(frames);
  EXPECT_EQ(again.palette, q.palette);
  EXPECT_EQ(again.frames[1].pixels, q.frames[1].pixels);
}
