#include "games/common/judgement.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/trace.h"

namespace tapo::games {

namespace pf = tapo::platform;

namespace {

constexpr int kMinSide = 32, kMaxSide = 52;
constexpr int kSamples = 4;  // per pixel and axis, for smooth edges

constexpr pf::Rgb kOutline = pf::rgb(45, 30, 20);
constexpr pf::Rgb kRing = pf::rgb(255, 255, 255);
constexpr pf::Rgb kRightFill = pf::rgb(40, 150, 60);
constexpr pf::Rgb kWrongFill = pf::rgb(210, 50, 40);

// Distance from (px, py) to the segment (ax, ay)-(bx, by).
double segment_distance(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// The badge at a point of the unit square (0..1 both ways); nullopt outside it.
std::optional<pf::Rgb> badge_at(double u, double v, Verdict verdict) {
  const double r = std::hypot(u - 0.5, v - 0.5);
  if (r > 0.5) return std::nullopt;
  if (r > 0.46) return kOutline;
  if (r > 0.39) return kRing;
  // The mark: a tick, or a cross, in thick white strokes with a dark edge.
  double d = 0;
  if (verdict == Verdict::Right) {
    d = std::min(segment_distance(u, v, 0.27, 0.52, 0.43, 0.68), segment_distance(u, v, 0.43, 0.68, 0.73, 0.33));
  } else {
    d = std::min(segment_distance(u, v, 0.33, 0.33, 0.67, 0.67), segment_distance(u, v, 0.67, 0.33, 0.33, 0.67));
  }
  if (d < 0.065) return kRing;
  if (d < 0.095) return kOutline;
  return verdict == Verdict::Right ? kRightFill : kWrongFill;
}

pf::Rgb blend(pf::Rgb under, int r, int g, int b, int covered, int samples) {
  auto ch = [&](int shift, int sum) {
    return (static_cast<int>((under >> shift) & 255) * (samples - covered) + sum) / samples;
  };
  return pf::rgb(ch(16, r), ch(8, g), ch(0, b));
}

}  // namespace

pf::Rect sign_rect(pf::Rect place) {
  const int side = std::clamp(std::min(place.w, place.h) * 3 / 4, kMinSide, kMaxSide);
  const int x = std::clamp(place.x + place.w - side * 2 / 3, 0, 640 - side);
  const int y = std::clamp(place.y - side / 3, 0, 480 - side);
  return {x, y, side, side};
}

void draw_sign(pf::Surface& scene, pf::Rect at, Verdict verdict) {
  const pf::Rect part = intersection(at, scene.clip());
  constexpr int kAll = kSamples * kSamples;
  for (int y = part.y; y < part.y + part.h; ++y)
    for (int x = part.x; x < part.x + part.w; ++x) {
      int r = 0, g = 0, b = 0, covered = 0;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const double u = (x - at.x + (sx + 0.5) / kSamples) / at.w;
          const double v = (y - at.y + (sy + 0.5) / kSamples) / at.h;
          if (auto c = badge_at(u, v, verdict)) {
            r += static_cast<int>((*c >> 16) & 255), g += static_cast<int>((*c >> 8) & 255),
                b += static_cast<int>(*c & 255);
            ++covered;
          }
        }
      if (covered) scene.set(x, y, blend(scene.at(x, y), r, g, b, covered, kAll));
    }
}

Judgement::Judgement(pf::Form& form) : form_(form), timer_(form, kSignShownMs, [this] { hide(); }) {}

void Judgement::show(Verdict verdict, std::string where, pf::Rect place) {
  if (showing_) form_.refresh(sign_);
  judged_ = showing_ = true;
  verdict_ = verdict;
  where_ = std::move(where);
  place_ = place;
  sign_ = sign_rect(place);
  form_.refresh(sign_);
  pf::trace::event("judged", std::string(verdict == Verdict::Right ? "right " : "wrong ") + where_);
  // Started again, so a new judgement is shown for its whole time.
  timer_.set_enabled(false);
  timer_.set_enabled(true);
}

void Judgement::hide() {
  timer_.set_enabled(false);
  if (!showing_) return;
  showing_ = false;
  form_.refresh(sign_);
}

void Judgement::draw(pf::Surface& scene, int ox, int oy) const {
  if (showing_) draw_sign(scene, {ox + sign_.x, oy + sign_.y, sign_.w, sign_.h}, verdict_);
}

void Judgement::describe(pf::JsonObject& vars) const {
  if (!judged_) return;
  pf::JsonObject j;
  j.add("verdict", verdict_ == Verdict::Right ? "right" : "wrong")
      .add("where", where_)
      .add_raw("at", pf::json_numbers({place_.x, place_.y, place_.w, place_.h}))
      .add("showing", showing_);
  vars.add("judged", j);
}

}  // namespace tapo::games
