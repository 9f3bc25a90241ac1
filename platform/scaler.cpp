#include "platform/scaler.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tapo::platform {
namespace {

constexpr int kSceneW = 640, kSceneH = 480;

// For every output pixel along one axis, the scene pixel under its centre
// at a scale of num / den, in exact arithmetic; and for every scene pixel,
// the first output pixel showing it.
void build_axis(int out, long num, long den, int scene, std::vector<int>& src, std::vector<int>& first) {
  src.resize(static_cast<size_t>(std::max(0, out)));
  for (int i = 0; i < out; ++i)
    src[static_cast<size_t>(i)] = static_cast<int>(std::min<long>(scene - 1, (2L * i + 1) * den / (2 * num)));
  first.assign(static_cast<size_t>(scene) + 1, out);
  for (int i = out - 1; i >= 0; --i) first[static_cast<size_t>(src[static_cast<size_t>(i)])] = i;
  // Scene pixels too thin to be shown start where the next one does.
  for (int s = scene - 1; s >= 0; --s)
    first[static_cast<size_t>(s)] = std::min(first[static_cast<size_t>(s)], first[static_cast<size_t>(s) + 1]);
}

}  // namespace

void Scaler::resize(int w, int h) {
  if (w == win_w_ && h == win_h_) return;
  win_w_ = w;
  win_h_ = h;
  // As SDL_RenderSetLogicalSize places it: letterboxed, in float.
  const float want = static_cast<float>(kSceneW) / kSceneH;
  const float real = h > 0 ? static_cast<float>(w) / static_cast<float>(h) : want;
  // The scale as the exact ratio num / den of the side that fits.
  long num = w, den = kSceneW;
  if (std::fabs(want - real) < 0.0001f) {
    view_ = {0, 0, w, h};
  } else if (want > real) {
    const int vh = static_cast<int>(std::floor(kSceneH * (static_cast<float>(w) / kSceneW)));
    view_ = {0, (h - vh) / 2, w, vh};
  } else {
    num = h;
    den = kSceneH;
    const int vw = static_cast<int>(std::floor(kSceneW * (static_cast<float>(h) / kSceneH)));
    view_ = {(w - vw) / 2, 0, vw, h};
  }
  if (num <= 0) num = den;
  scale_ = static_cast<float>(num) / static_cast<float>(den);
  build_axis(view_.w, num, den, kSceneW, src_col_, first_col_);
  build_axis(view_.h, num, den, kSceneH, src_row_, first_row_);
}

Point Scaler::to_scene(int x, int y) const {
  return {static_cast<int>(static_cast<float>(x - view_.x) / scale_),
          static_cast<int>(static_cast<float>(y - view_.y) / scale_)};
}

Rect Scaler::to_window(Rect r) const {
  r = intersection(r, {0, 0, kSceneW, kSceneH});
  if (r.empty() || view_.empty()) return {};
  const int x0 = first_col_[static_cast<size_t>(r.x)], x1 = first_col_[static_cast<size_t>(r.x + r.w)];
  const int y0 = first_row_[static_cast<size_t>(r.y)], y1 = first_row_[static_cast<size_t>(r.y + r.h)];
  return {view_.x + x0, view_.y + y0, x1 - x0, y1 - y0};
}

Rect Scaler::draw(const Surface& scene, Rect r, std::uint32_t* pixels, int pitch) const {
  const Rect out = to_window(r);
  if (out.empty() || scene.width() != kSceneW || scene.height() != kSceneH) return {};
  const int x0 = out.x - view_.x, y0 = out.y - view_.y;
  auto* base = reinterpret_cast<std::uint8_t*>(pixels);
  auto row_at = [&](int y) { return reinterpret_cast<std::uint32_t*>(base + static_cast<size_t>(view_.y + y) * pitch) + view_.x; };
  const std::uint32_t* previous = nullptr;
  for (int y = y0; y < y0 + out.h; ++y) {
    std::uint32_t* dst = row_at(y);
    const int sy = src_row_[static_cast<size_t>(y)];
    if (previous && sy == src_row_[static_cast<size_t>(y) - 1]) {
      std::memcpy(dst + x0, previous + x0, static_cast<size_t>(out.w) * 4);
    } else {
      const Rgb* src = &scene.pixels()[static_cast<size_t>(sy) * kSceneW];
      for (int x = x0; x < x0 + out.w; ++x) dst[x] = src[src_col_[static_cast<size_t>(x)]];
    }
    previous = dst;
  }
  return out;
}

int Scaler::window_offset(int dx) const {
  if (view_.empty()) return 0;
  const int n = std::abs(dx), whole = n / kSceneW, part = n % kSceneW;
  const int w = whole * view_.w + first_col_[static_cast<size_t>(part)];
  return dx < 0 ? -w : w;
}

Rect Scaler::shift(const Surface& scene, Rect r, int window_dx, std::uint32_t* pixels, int pitch) const {
  const Rect out = to_window(r);
  const int kept = out.w - std::abs(window_dx);
  if (out.empty() || kept <= 0) {
    draw(scene, r, pixels, pitch);
    return out;
  }
  auto* base = reinterpret_cast<std::uint8_t*>(pixels);
  for (int y = out.y; y < out.y + out.h; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(base + static_cast<size_t>(y) * pitch) + out.x;
    std::memmove(row + std::max(window_dx, 0), row + std::max(-window_dx, 0), static_cast<size_t>(kept) * 4);
  }
  // The window pixels the shift left empty, from the scene columns they show.
  const int x0 = window_dx > 0 ? out.x : out.x + kept, x1 = window_dx > 0 ? out.x + window_dx : out.x + out.w;
  const int s0 = src_col_[static_cast<size_t>(x0 - view_.x)], s1 = src_col_[static_cast<size_t>(x1 - 1 - view_.x)] + 1;
  draw(scene, {s0, r.y, s1 - s0, r.h}, pixels, pitch);
  return out;
}

}  // namespace tapo::platform
