#include "tools/mkmedia/cast.h"

#include <cmath>

namespace tapo::media {

namespace {
constexpr Rgb kOutline = platform::rgb(60, 36, 20);
constexpr Rgb kFur = platform::rgb(196, 136, 72);
constexpr Rgb kFurDark = platform::rgb(140, 88, 44);
constexpr Rgb kMuzzle = platform::rgb(250, 236, 214);
constexpr Rgb kCollar = platform::rgb(220, 40, 40);
}  // namespace

void draw_tapo(Surface& s, int x, int y, int arm, int mouth) {
  const double ox = x, oy = y;
  // Legs and body.
  outlined_ellipse(s, ox + 52, oy + 186, 16, 11, kFur, kOutline);
  outlined_ellipse(s, ox + 88, oy + 186, 16, 11, kFur, kOutline);
  outlined_ellipse(s, ox + 70, oy + 142, 38, 44, kFur, kOutline);
  fill_ellipse(s, ox + 70, oy + 150, 24, 30, kMuzzle);
  // Resting arm, and the arm that waves (angle from straight down).
  stroke(s, ox + 38, oy + 118, ox + 30, oy + 158, 17, kOutline);
  stroke(s, ox + 38, oy + 118, ox + 30, oy + 158, 12, kFur);
  const double angle = arm == 0 ? 0.35 : 2.3 + 0.35 * std::sin(arm * 1.3);
  const double hx = ox + 102 + 40 * std::sin(angle), hy = oy + 118 + 40 * std::cos(angle);
  stroke(s, ox + 102, oy + 118, hx, hy, 17, kOutline);
  stroke(s, ox + 102, oy + 118, hx, hy, 12, kFur);
  outlined_ellipse(s, hx, hy, 8, 8, kFur, kOutline, 2);
  // Collar, ears, head.
  stroke(s, ox + 44, oy + 98, ox + 96, oy + 98, 9, kCollar);
  outlined_ellipse(s, ox + 30, oy + 58, 13, 30, kFurDark, kOutline);
  outlined_ellipse(s, ox + 110, oy + 58, 13, 30, kFurDark, kOutline);
  outlined_ellipse(s, ox + 70, oy + 56, 40, 38, kFur, kOutline);
  fill_ellipse(s, ox + 70, oy + 74, 24, 18, kMuzzle);
  // Eyes and nose.
  fill_ellipse(s, ox + 55, oy + 46, 7, 8, platform::rgb(255, 255, 255));
  fill_ellipse(s, ox + 85, oy + 46, 7, 8, platform::rgb(255, 255, 255));
  fill_ellipse(s, ox + 56, oy + 48, 4, 5, kOutline);
  fill_ellipse(s, ox + 84, oy + 48, 4, 5, kOutline);
  fill_ellipse(s, ox + 70, oy + 64, 8, 6, platform::rgb(30, 20, 20));
  // The mouth: a smile, or open wider and wider.
  if (mouth == 0) {
    stroke(s, ox + 62, oy + 80, ox + 70, oy + 83, 3, kOutline);
    stroke(s, ox + 70, oy + 83, ox + 78, oy + 80, 3, kOutline);
  } else {
    const double open = 3 + 2.5 * mouth;
    outlined_ellipse(s, ox + 70, oy + 82, 8 + mouth, open, platform::rgb(150, 30, 40), kOutline, 2);
    fill_ellipse(s, ox + 70, oy + 82 + open * 0.5, 5 + mouth * 0.5, open * 0.45, platform::rgb(240, 120, 140));
  }
}

}  // namespace tapo::media
