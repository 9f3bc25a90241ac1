#include "tools/mkmedia/art_pretah.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace tapo::media::tug {

namespace pf = tapo::platform;

namespace {

const Rgb kWood = pf::rgb(178, 120, 66), kRope = pf::rgb(228, 198, 142), kRopeShade = pf::rgb(196, 160, 104);
const Rgb kSand = pf::rgb(222, 196, 148), kChalk = pf::rgb(250, 250, 244);

// Tapo drawn at kTapoScale with his box's top left at (kTapoX, kTapoY) of
// the cell: his paws then hold the rope at the rope's height.
constexpr double kTapoScale = 0.7, kTapoX = 7, kTapoY = -11;
constexpr double kRopeMid = kRopeRows / 2.0;

void sky_and_garden(Canvas& c) {
  c.paint_vertical({0.55, 0.78, 0.97}, {0.86, 0.94, 0.99}, 250);
  c.ellipse(600, 46, 28, 28);
  c.fill(pf::rgb(255, 222, 90));
  for (auto [x, y, r] : {std::tuple{180.0, 44.0, 18.0}, {204.0, 36.0, 24.0}, {230.0, 46.0, 16.0}, {440.0, 70.0, 16.0},
                         {462.0, 62.0, 21.0}, {484.0, 72.0, 14.0}}) {
    c.ellipse(x, y, r, r * 0.7);
    c.fill(pf::rgb(255, 255, 255));
  }
  // far hills, the fence, the lawn
  c.ground(236, {{160, 210, 320, 250, 460, 226}, {540, 214, 600, 232, 640, 224}});
  c.fill(pf::rgb(150, 204, 110));
  for (int x = 4; x < 640; x += 36) {
    c.rounded_rect(x, 222, 10, 52, 3);
    c.fill_outlined(pf::rgb(244, 240, 228), kInk, 2);
  }
  for (double y : {234.0, 254.0}) {
    c.rounded_rect(0, y, 640, 7, 2);
    c.fill_outlined(pf::rgb(250, 246, 236), kInk, 2);
  }
  c.ground(270, {{200, 262, 420, 280, 640, 268}});
  c.fill(pf::rgb(122, 192, 86));
  c.ground(396, {{160, 388, 420, 404, 640, 392}});
  c.fill(pf::rgb(110, 182, 78));
  // a tree on the left, behind Tapo
  c.rounded_rect(30, 110, 26, 180, 7);
  c.fill_soft(pf::rgb(140, 92, 52));
  for (auto [x, y, r] : {std::tuple{20.0, 96.0, 46.0}, {72.0, 80.0, 44.0}, {44.0, 44.0, 40.0}, {92.0, 126.0, 30.0}}) {
    c.ellipse(x, y, r, r);
    c.fill_soft(pf::rgb(84, 166, 74), 2.5);
  }
  for (auto [x, y] : {std::pair{30.0, 80.0}, {70.0, 60.0}, {86.0, 108.0}}) {
    c.ellipse(x, y, 5, 5);
    c.fill_outlined(pf::rgb(230, 60, 50), kInk, 1.5);
  }
  // flowers in the lawn, placed by a fixed rule
  const Rgb petals[3] = {pf::rgb(255, 255, 255), pf::rgb(255, 214, 70), pf::rgb(250, 150, 190)};
  for (int k = 0; k < 24; ++k) {
    const double x = std::fmod(k * 157.0, 620.0) + 10, y = 350 + std::fmod(k * 71.0, 122.0);
    for (int p = 0; p < 5; ++p) {
      const double a = p * 2 * M_PI / 5;
      c.ellipse(x + 3.2 * std::cos(a), y + 3.2 * std::sin(a), 2.6, 2.6);
      c.fill(petals[k % 3]);
    }
    c.ellipse(x, y, 1.8, 1.8);
    c.fill(pf::rgb(240, 160, 40));
  }
}

// The sandy track the sausage slides along, with chalk marks where it stands
// at the start and where either dog has won.
void track(Canvas& c) {
  c.ellipse(370, 318, 272, 30);
  c.fill(kSand);
  const int y = pretah::kSausageY;
  for (double x : {double(pretah::kTapoWins), pretah::kMiddle + kSausageW / 2.0, double(pretah::kOpponentWins + kSausageW)}) {
    cairo_rectangle(c.cr(), x - 2, y - 9, 4, 6);
    cairo_rectangle(c.cr(), x - 2, y + kSausageH + 3, 4, 6);
    c.fill(kChalk);
  }
}

// The example board on two posts: a wooden frame round a light face (the
// face itself is filled flat afterwards).
void board(Canvas& c) {
  const Rect f = kBoardFaceRect;
  for (double x : {f.x + 24.0, f.x + f.w - 36.0}) {
    c.rounded_rect(x, f.y + f.h, 12, 292 - (f.y + f.h), 4);
    c.fill_soft(kWood);
  }
  c.rounded_rect(f.x - 9, f.y - 9, f.w + 18, f.h + 18, 10);
  c.fill_soft(kWood);
  c.rounded_rect(f.x - 2, f.y - 2, f.w + 4, f.h + 4, 4);
  c.fill(pf::rgb(120, 76, 40));
  for (auto [x, y] : {std::pair{f.x - 4.5, f.y - 4.5}, {f.x + f.w + 4.5, f.y - 4.5}, {f.x - 4.5, f.y + f.h + 4.5},
                      {f.x + f.w + 4.5, f.y + f.h + 4.5}}) {
    c.ellipse(x, y, 2.5, 2.5);
    c.fill(pf::rgb(230, 210, 150));
  }
}

// A rope piece drawn soft (from a paw to where the straight rows begin).
void rope_curve(Canvas& c, double x0, double y0, double cx0, double cy0, double cx1, double cy1, double x1, double y1) {
  for (auto [colour, width] : {std::pair{kInk, double(kRopeRows)}, {kRope, kRopeRows - 2.0}}) {
    cairo_move_to(c.cr(), x0, y0);
    cairo_curve_to(c.cr(), cx0, cy0, cx1, cy1, x1, y1);
    c.stroke(colour, width);
  }
}

// Leaning rotates the dog about the middle of its feet.
void lean_about(Canvas& c, double x, double y, double angle) {
  cairo_translate(c.cr(), x, y);
  cairo_rotate(c.cr(), angle);
  cairo_translate(c.cr(), -x, -y);
}

constexpr double kTapoFeetX = kTapoX + kTapoScale * 70, kTapoFeetY = kTapoY + kTapoScale * 197;

// Tapo's own drawing space (his box at scale 1) placed in the cell for `look`.
void tapo_space(Canvas& c, const DogLook& look) {
  cairo_translate(c.cr(), 0, look.drop);
  lean_about(c, kTapoFeetX, kTapoFeetY, -look.lean);
  cairo_translate(c.cr(), kTapoX, kTapoY);
  cairo_scale(c.cr(), kTapoScale, kTapoScale);
}

std::pair<double, double> tapo_point(const DogLook& look, double x, double y) {
  Canvas c(1, 1);
  tapo_space(c, look);
  cairo_user_to_device(c.cr(), &x, &y);
  return {x, y};
}

constexpr double kRivalFeetX = 80, kRivalFeetY = 146;
const Rgb kRivalFur = pf::rgb(238, 236, 242), kRivalPatch = pf::rgb(96, 90, 104), kRivalEar = pf::rgb(74, 64, 70);

void paw(Canvas& c, double x0, double y0, double x1, double y1, Rgb fur) {
  inked_line(c, x0, y0, x1, y1, 10, fur);
  c.ellipse(x1, y1, 7, 7);
  c.fill_outlined(fur, kInk, 2.5);
}

// The other dog, a white one with grey patches and a blue collar, its head
// turned to the left, in its own cell's pixels.
void draw_rival(Canvas& c, const DogLook& look) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, 0, look.drop);
  lean_about(c, kRivalFeetX, kRivalFeetY, look.lean);
  const double wag = 5 * std::sin(look.phase * 4 * M_PI);
  for (auto [colour, width] : {std::pair{kInk, 11.0}, {kRivalFur, 6.0}}) {
    cairo_move_to(cr, 108, 126);
    cairo_curve_to(cr, 126, 122, 130 + wag, 104, 126 + wag, 88);
    c.stroke(colour, width);
  }
  for (double x : {64.0, 98.0}) {
    c.ellipse(x, 140, 15, 7);
    c.fill_soft(kRivalFur);
  }
  c.ellipse(82, 110, 32, 32);
  c.fill_soft(kRivalFur);
  c.ellipse(98, 104, 11, 9);
  c.fill(kRivalPatch);
  c.ellipse(70, 126, 8, 6);
  c.fill(kRivalPatch);
  c.line(58, 84, 106, 84, pf::rgb(50, 110, 220), 8);
  // the paws: on the rope, up in the air, or resting
  const double up = 0.2 * std::sin(look.phase * 2 * M_PI);
  if (look.holds) {
    paw(c, 78, 100, 42, 101, kRivalFur);
    paw(c, 62, 92, 29, 98, kRivalFur);
  } else if (!look.cheer) {
    paw(c, 60, 94, 54, 126, kRivalFur);
    paw(c, 104, 94, 110, 126, kRivalFur);
  }
  // the head: floppy dark ears, a patch round one eye, the nose to the left
  for (double x : {42.0, 104.0}) {
    c.ellipse(x, 54, 12, 26);
    c.fill_soft(kRivalEar);
  }
  c.ellipse(72, 50, 35, 32);
  c.fill_soft(kRivalFur);
  c.ellipse(83, 42, 12, 11);
  c.fill(kRivalPatch);
  c.ellipse(56, 66, 22, 15);
  c.fill(pf::rgb(255, 255, 255));
  for (double x : {58.0, 82.0}) {
    c.ellipse(x, 42, 6, 7);
    c.fill(pf::rgb(255, 255, 255));
    c.ellipse(x - 3, 44, 3.6, 4.6);
    c.fill(kInk);
  }
  c.ellipse(40, 60, 7, 5.5);
  c.fill(pf::rgb(30, 20, 20));
  if (look.mouth <= 0) {
    cairo_move_to(cr, 44, 71);
    cairo_curve_to(cr, 50, 77, 58, 77, 64, 71);
    c.stroke(kInk, 2.5);
  } else {
    const double open = 3 + 2.5 * look.mouth;
    c.ellipse(54, 75, 7 + look.mouth, open);
    c.fill_outlined(pf::rgb(150, 30, 40), kInk, 2);
    c.ellipse(54, 75 + open * 0.5, 4 + look.mouth * 0.5, open * 0.45);
    c.fill(pf::rgb(240, 120, 140));
  }
  if (look.cheer) {  // paws up beside the head
    paw(c, 60, 94, 58 - 36 * std::cos(0.9 + up), 94 - 40 * std::sin(0.9 + up), kRivalFur);
    paw(c, 104, 94, 106 + 30 * std::cos(0.9 + up), 94 - 40 * std::sin(0.9 + up), kRivalFur);
  }
  cairo_restore(cr);
}

}  // namespace

void draw_rope(Surface& s, int x0, int x1, int y) {
  const Rgb rows[kRopeRows] = {kInk, kRope, kRopeShade, kInk};
  for (int r = 0; r < kRopeRows; ++r)
    for (int x = std::max(0, x0); x < std::min(x1, s.width()); ++x) s.set(x, y + r, rows[r]);
}

Surface yard() {
  Surface out = painted(Surface(640, 480), [](Canvas& c) {
    sky_and_garden(c);
    track(c);
    board(c);
  });
  out.fill_rect(kBoardFaceRect, kBoardFace);
  draw_rope(out, kTapoBox.x + kTapoBox.w, kRivalBox.x, kRopeY);
  return out;
}

Surface sausage() {
  Canvas c(kSausageW, kSausageH);
  cairo_t* cr = c.cr();
  for (double x : {7.5, kSausageW - 7.5}) {  // the knots the rope is tied with
    c.ellipse(x, 12, 3.5, 4.5);
    c.fill_outlined(pf::rgb(170, 66, 46), kInk, 2);
  }
  // a plump sausage bent a little, round at both ends
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const auto bend = [&](double x0, double x1, double y0, double y1) {
    cairo_move_to(cr, x0, y0);
    cairo_curve_to(cr, x0 + (x1 - x0) / 3, y1, x1 - (x1 - x0) / 3, y1, x1, y0);
  };
  for (auto [colour, width] : {std::pair{kInk, 19.0}, {pf::rgb(204, 92, 62), 14.0}}) {
    bend(20, kSausageW - 20, 13.5, 9.5);
    c.stroke(colour, width);
  }
  bend(36, kSausageW - 44, 9.5, 5.5);
  c.stroke(pf::rgb(240, 158, 126), 3.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  Surface out = c.keyed();
  // the rope's ends, under the knots
  Surface ends(kSausageW, kSausageH, kKey);
  draw_rope(ends, 0, 6, kRopeY - pretah::kSausageY);
  draw_rope(ends, kSausageW - 6, kSausageW, kRopeY - pretah::kSausageY);
  for (int y = 0; y < kSausageH; ++y)
    for (int x = 0; x < kSausageW; ++x)
      if (out.at(x, y) == kKey) out.set(x, y, ends.at(x, y));
  return out;
}

DogLook pull(int cell) {
  if (cell == 1) return {0.13, 0, true, false, 0, 1};
  if (cell == 2) return {0.22, 0, true, false, 0, 2, true};
  return kRest;
}

Surface tapo(const DogLook& look) {
  const int y = kRopeY - kTapoBox.y;
  const double mid = y + kRopeMid, straight = kTapoW - 8;
  Canvas c(kTapoW, kTapoH);
  if (look.holds) {
    const auto [px, py] = tapo_point(look, 139.3, 132.5);  // his right paw in the arms-spread pose
    rope_curve(c, px, py, (px + straight) / 2, mid, straight - 4, mid, straight + 1, mid);
  } else {
    rope_curve(c, straight + 1, mid, straight - 12, mid + 4, 98, kTapoH - 12, 74, kTapoH - 8);
  }
  cairo_save(c.cr());
  tapo_space(c, look);
  TapoLook t{TapoPose::Stand, look.phase, look.mouth, look.brows};
  if (look.holds) t = {TapoPose::Jump, 0, look.mouth, look.brows};
  else if (look.cheer) t.pose = TapoPose::Cheer;
  draw_tapo(c, 0, 0, t);
  if (look.sad) {
    for (auto [x0, y0, x1, y1] : {std::tuple{46.0, 37.0, 62.0, 31.0}, {78.0, 31.0, 94.0, 37.0}}) c.line(x0, y0, x1, y1, kInk, 3.5);
  }
  cairo_restore(c.cr());
  Surface out = c.keyed();
  if (look.holds) draw_rope(out, static_cast<int>(straight), kTapoW, y);
  else draw_rope(out, static_cast<int>(straight) + 1, kTapoW, y);
  out.set(kTapoW - 1, 0, kKey);
  return out;
}

Surface rival(const DogLook& look) {
  const int y = kRopeY - kRivalBox.y;
  const double mid = y + kRopeMid;
  Canvas c(kRivalW, kRivalH);
  if (look.holds) {
    double px = 46, py = 101;  // past the paw that holds it nearer the body
    cairo_save(c.cr());
    cairo_translate(c.cr(), 0, look.drop);
    lean_about(c, kRivalFeetX, kRivalFeetY, look.lean);
    cairo_user_to_device(c.cr(), &px, &py);
    cairo_restore(c.cr());
    rope_curve(c, 7, mid, 12, mid, px / 2, mid, px, py);
  } else {
    rope_curve(c, 7, mid, 20, mid + 4, 36, kRivalH - 14, 62, kRivalH - 6);
  }
  draw_rival(c, look);
  Surface out = c.keyed();
  draw_rope(out, 0, 8, y);
  out.set(0, 0, kKey);
  return out;
}

Rect tapo_head(const DogLook& look) {
  const auto [x, y] = tapo_point(look, 70, 58);
  const int w = 76, h = 74;
  const int left = std::clamp(static_cast<int>(std::lround(x)) - w / 2, 0, kTapoW - w);
  const int top = std::clamp(static_cast<int>(std::lround(y)) - h / 2, 0, kTapoH - h);
  return {kTapoBox.x + left, kTapoBox.y + top, w, h};
}

void stamp(Surface& on, const Surface& sprite, int x, int y) {
  for (int sy = 0; sy < sprite.height(); ++sy)
    for (int sx = 0; sx < sprite.width(); ++sx)
      if (sprite.at(sx, sy) != kKey) on.set(x + sx, y + sy, sprite.at(sx, sy));
}

void draw_bird(Canvas& c, double x, double y, double flap, Rgb colour, double facing) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, facing, 1);
  c.polygon({{-16, -2}, {-6, 0}, {-16, 5}});  // the tail
  c.fill_outlined(shade(colour, 0.8), kInk, 1.5);
  c.ellipse(0, 0, 11, 7);
  c.fill_outlined(colour, kInk, 2);
  c.ellipse(9, -4, 6, 6);
  c.fill_outlined(colour, kInk, 2);
  c.polygon({{14, -5}, {20, -3}, {14, -1}});
  c.fill_outlined(pf::rgb(250, 180, 40), kInk, 1.2);
  c.ellipse(10.5, -5.5, 1.5, 1.5);
  c.fill(kInk);
  c.polygon({{-6, -2}, {4, -2}, {-4, -2 - 14 * flap}});  // the wing
  c.fill_outlined(shade(colour, 1.2), kInk, 1.5);
  cairo_restore(cr);
}

}  // namespace tapo::media::tug
