// DRIL: the drill workbook.  A desk with the big open workbook and its ten
// ruled rows, Tapo peeking over it; the pictures of the ten example types of
// each family, the two family cards, the tick and the cross, the signs, the
// paper planes that fly across the page, the buttons' lit looks and Tapo's
// talks.  The celebration of a faultless page is in the data folder.
#include <array>
#include <cmath>
#include <cstdint>

#include "games/dril/layout.h"
#include "platform/text.h"
#include "tools/mkmedia/art_dril.h"
#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/folders.h"
#include "tools/mkmedia/game_kit.h"

namespace tapo::media {
namespace {

namespace pf = tapo::platform;
namespace dril = tapo::games::dril;
using workbook::kBoxEdge;
using workbook::kBoxFill;

// A white box of the page: white inside a one-pixel grey-blue frame.
void white_box(Surface& s, Rect r) {
  s.fill_rect(r, kBoxEdge);
  s.fill_rect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, kBoxFill);
}

// The size of a sign box: as wide as " = " and as high as an "8" of the rows.
Rect sign_box_size() {
  return {0, 0, pf::measure_text(" = ", dril::kRowFont).w, pf::measure_text("8", dril::kRowFont).h};
}

// ---- the pictures of the example types ------------------------------------------

// One sample row as the page prints it: t1, op, t2, " = ", t3 with "Z" the
// answer box; op "<=>" makes a comparison of t1 and t2 round a sign box.
struct Sample {
  const char* t1;
  const char* op;
  const char* t2;
  const char* t3;
};

using Samples = std::array<Sample, 10>;
const Samples kPlusMinus = {{{"3", " + ", "4", "Z"},
                             {"7", " - ", "2", "Z"},
                             {"5", "<=>", "8", ""},
                             {"2", " + ", "Z", "6"},
                             {"9", " - ", "Z", "4"},
                             {"Z", " + ", "3", "7"},
                             {"Z", " - ", "2", "5"},
                             {"2 + 3", "<=>", "4 + 1", ""},
                             {"8 - 3", "<=>", "9 - 5", ""},
                             {"4 + 2", "<=>", "9 - 1", ""}}};
const Samples kTimesDivide = {{{"3", " . ", "4", "Z"},
                               {"12", " : ", "3", "Z"},
                               {"5", "<=>", "8", ""},
                               {"2", " . ", "Z", "8"},
                               {"15", " : ", "Z", "3"},
                               {"Z", " . ", "3", "12"},
                               {"Z", " : ", "2", "5"},
                               {"2 . 3", "<=>", "4 . 2", ""},
                               {"2 . 5", "<=>", "12 : 3", ""},
                               {"12 : 3", "<=>", "10 : 2", ""}}};

// The row's sample on `s` (whose top left is at `origin` on the scene), kept
// inside the row's area: from the line's ends, 20 pixels above it to 2 below.
void draw_sample(Surface& s, pf::Point origin, const dril::Line& l, const Sample& e) {
  const auto width = [](const std::string& t) { return pf::measure_text(t, dril::kRowFont).w; };
  const int x1 = l.x1 - origin.x, top = l.y - dril::kTextAbove - origin.y;
  const int box_h = std::min(sign_box_size().h, dril::kTextAbove + 2);
  const auto print = [&](const std::string& t, int x) { pf::draw_text(s, x, top, t, dril::kRowFont); };
  if (std::string(e.op) == "<=>") {
    const Rect box = sign_box_size();
    const int left = x1 + (l.x2 - l.x1 - box.w) / 2, gap = width(" ");
    white_box(s, {left, top, box.w, box_h});
    Canvas ring(box.w, box_h);
    ring.ellipse(box.w / 2.0, box_h / 2.0, 6, 6);
    ring.stroke(pf::rgb(170, 185, 215), 2);
    ring.over(s, left, top);
    print(e.t1, left - gap - width(e.t1));
    print(e.t2, left + box.w + gap);
    return;
  }
  const int cell = (l.x2 - l.x1 - width(e.op) - width(" = ")) / 3;
  int x = x1;
  const std::pair<std::string, bool> parts[5] = {{e.t1, true}, {e.op, false}, {e.t2, true}, {" = ", false}, {e.t3, true}};
  for (const auto& [part, term] : parts) {
    if (!term) {
      print(part, x);
      x += width(part);
    } else {
      if (part == "Z") white_box(s, {x, top, cell, box_h});
      else print(part, x + (cell - width(part)) / 2);
      x += cell;
    }
  }
}

// The page under the type picture with the ten samples, each row's area in a
// light frame so that the ten choices stand apart.
Surface types_picture(const Surface& background, const Samples& samples) {
  const pf::Point at = dril::kTypesAt;
  const Rect area{at.x, at.y, 452, 192};
  Surface out = painted(crop(background, area), [&](Canvas& c) {
    for (int row = 1; row <= 10; ++row) {
      const dril::Line l = dril::row_line(row);
      c.rounded_rect(l.x1 - at.x + 0.5, l.y - dril::kTextAbove - at.y + 0.5, l.x2 - l.x1, dril::kTextAbove + 2, 4);
      c.set_colour(pf::rgb(232, 242, 255));
      cairo_fill_preserve(c.cr());
      c.stroke(pf::rgb(150, 178, 228), 1);
      cairo_rectangle(c.cr(), l.x1 - at.x, l.y - at.y, l.x2 - l.x1 + 1, 2);
      c.fill(workbook::kRule);
    }
  });
  for (int row = 1; row <= 10; ++row) draw_sample(out, at, dril::row_line(row), samples[row - 1]);
  return out;
}

// ---- the family cards ------------------------------------------------------------

Surface card(const Surface& background, pf::Point at, bool plus_minus) {
  constexpr int w = 140, h = 160;
  return painted(crop(background, {at.x, at.y, w, h}), [&](Canvas& c) {
    const Rgb edge = plus_minus ? pf::rgb(240, 120, 70) : pf::rgb(110, 120, 230);
    c.rounded_rect(3, 3, w - 6, h - 6, 16);
    c.fill_soft(edge);
    c.rounded_rect(14, 14, w - 28, h - 28, 10);
    c.fill_outlined(pf::rgb(255, 253, 244), kInk, 2.5);
    // the two signs side by side, big, and a small example of them below
    const Rgb first = pf::rgb(220, 50, 50), second = pf::rgb(40, 100, 210);
    if (plus_minus) {
      c.text("+", 42, 66, 58, first, true);
      c.text("\u2212", 100, 66, 58, second, true);
    } else {
      c.ellipse(46, 66, 10, 10);
      c.fill_outlined(first, kInk, 3);
      for (double y : {52.0, 80.0}) {
        c.ellipse(96, y, 9, 9);
        c.fill_outlined(second, kInk, 3);
      }
    }
    c.text(plus_minus ? "3 + 4" : "3 . 4", 70, 118, 22, dril::kRowFont.color);
    for (auto [x, y] : {std::pair{24.0, 24.0}, {116.0, 24.0}, {24.0, 136.0}, {116.0, 136.0}})
      draw_star(c, x, y, 7, pf::rgb(255, 210, 60));
  });
}

// ---- the marks and the signs -------------------------------------------------------

Surface mark(bool right) {
  Canvas c(34, 26);
  cairo_t* cr = c.cr();
  for (auto [w, col] : {std::pair{7.5, kInk}, {4.5, right ? pf::rgb(40, 170, 60) : pf::rgb(225, 40, 40)}}) {
    if (right) {
      cairo_move_to(cr, 5, 13);
      cairo_line_to(cr, 13, 21);
      cairo_line_to(cr, 29, 5);
    } else {
      cairo_move_to(cr, 9, 5);
      cairo_line_to(cr, 25, 21);
      cairo_move_to(cr, 25, 5);
      cairo_line_to(cr, 9, 21);
    }
    c.stroke(col, w);
  }
  return c.keyed();
}

Surface sign(const std::string& symbol) {
  const Rect size = sign_box_size();
  Surface out(size.w, size.h);
  white_box(out, size);
  return painted(out, [&](Canvas& c) { c.text(symbol, size.w / 2.0, size.h / 2.0, 20, dril::kRowFont.color); });
}

// ---- the paper planes -------------------------------------------------------------------

struct Plane {
  int w, h;
  Rgb paper;
  Rgb stripe;  // a stripe along the wing (the paper's colour: none)
  bool glider;  // a short nose and a broad wing
};

const std::array<Plane, dril::kPlanes> kPlaneLooks = {{
    {92, 40, pf::rgb(250, 250, 252), pf::rgb(70, 130, 230), false},
    {104, 46, pf::rgb(255, 226, 90), pf::rgb(255, 226, 90), false},
    {70, 32, pf::rgb(250, 150, 170), pf::rgb(255, 255, 255), false},
    {108, 44, pf::rgb(150, 210, 250), pf::rgb(240, 90, 70), true},
    {82, 48, pf::rgb(150, 220, 130), pf::rgb(255, 210, 60), true},
}};

// A paper plane flying right (nose at the right), seen from the side.
void draw_plane(Canvas& c, const Plane& p) {
  const double w = p.w - 3, h = p.h - 3, fold = h * (p.glider ? 0.45 : 0.55);
  const double tail = p.glider ? 0.1 : 0.16;
  c.polygon({{w * tail + 3, fold}, {w, fold}, {w * (tail + 0.14), h}});  // the keel
  c.fill_outlined(shade(p.paper, 0.78), kInk, 2);
  c.polygon({{2, 2}, {w, fold}, {w * (tail + 0.05), fold}});  // the wing
  c.fill_outlined(p.paper, kInk, 2);
  if (p.stripe != p.paper) {
    c.polygon({{w * 0.22, 2 + (fold - 2) * 0.3}, {w * 0.9, fold - (fold - 2) * 0.05}, {w * 0.3, 2 + (fold - 2) * 0.62}});
    c.fill(p.stripe);
  }
  if (p.glider) draw_star(c, w * 0.4, fold * 0.7, 5, pf::rgb(255, 255, 255));
  c.line(2, 2, w, fold, kInk, 1.5);
}

// The plane on white, and its mask: black where the plane is, white around.
void plane(Pack& pack, int n, const Plane& p) {
  Canvas c(p.w, p.h);
  draw_plane(c, p);
  Surface keyed = c.keyed();
  Surface mask(p.w, p.h);
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x) {
      const bool around = keyed.at(x, y) == kKey;
      mask.set(x, y, around ? pf::rgb(255, 255, 255) : pf::rgb(0, 0, 0));
      if (around) keyed.set(x, y, pf::rgb(255, 255, 255));
    }
  const std::string stem = "\\DRIL\\L" + std::to_string(n);
  pack.bmp(stem + ".BMP", keyed);
  pack.bmp(stem + "_MASK.BMP", mask);
}

// A soft whoosh: noise swelling and growing brighter as the plane passes, then fading.
std::vector<double> whoosh(double seconds) {
  const size_t n = static_cast<size_t>(seconds * 22050);
  std::vector<double> out(n);
  std::uint32_t seed = 20240611;
  double low = 0, lower = 0, peak = 0;
  for (size_t i = 0; i < n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = ((seed >> 9) & 0xFFFF) / 32768.0 - 1;
    const double u = i / double(n), near = std::pow(std::sin(M_PI * u), 2);
    const double a = 0.015 + 0.12 * near;
    low += a * (noise - low);
    lower += a * (low - lower);
    out[i] = near * lower;
    peak = std::max(peak, std::fabs(out[i]));
  }
  for (double& v : out) v *= 0.7 / peak;
  return out;
}

void make_dril(Pack& pack) {
  const Surface stage = workbook::scene(false), background = workbook::scene(true);
  pack.bmp("\\DRIL\\POZADI.BMP", background);
  game_controls(pack, dril::kFrame, background);
  talking_head(pack, dril::kFrame, dril::kFrame.face, stage, workbook::kTapoX, workbook::kTapoY, {0, 1, 2, 3, 4}, true);

  pack.bmp("\\DRIL\\PRIKLAD1.BMP", types_picture(background, kPlusMinus));
  pack.bmp("\\DRIL\\PRIKLAD2.BMP", types_picture(background, kTimesDivide));
  pack.bmp("\\DRIL\\KARTA1.BMP", card(background, dril::kPlusMinusCardAt, true));
  pack.bmp("\\DRIL\\KARTA2.BMP", card(background, dril::kTimesDivideCardAt, false));
  pack.bmp("\\DRIL\\DOBRE.BMP", mark(true));
  pack.bmp("\\DRIL\\SPATNE.BMP", mark(false));
  pack.bmp("\\DRIL\\VETSI.BMP", sign(">"));
  pack.bmp("\\DRIL\\MENSI.BMP", sign("<"));
  pack.bmp("\\DRIL\\ROVNA_SE.BMP", sign("="));

  for (int n = 1; n <= dril::kPlanes; ++n) plane(pack, n, kPlaneLooks[n - 1]);
  pack.sound("\\DRIL\\PRULET.WAV", whoosh(3.5));

  const char* hover[3] = {"ZKONTR", "NOVE", "ZMENIT"};
  for (int k = 0; k < 3; ++k) {
    Canvas c(dril::kCheck.w, dril::kCheck.h);
    workbook::draw_button(c, k, 0, 0, true);
    pack.bmp(std::string("\\DRIL\\") + hover[k] + ".BMP", c.keyed());
  }

  for (const char* talk : {"INTRO", "INTRO2", "TYP_PRI", "VYBERSI", "POCITEJ", "SPATNE", "SPRAVNE"})
    pack.speak(std::string("\\DRIL\\") + talk);
  for (int n = 1; n <= 3; ++n) pack.say("\\DRIL\\HELP" + std::to_string(n));
  pack.speak("\\DRIL\\TAPOPAGE", Where::Own);  // the game's own: Tapo's page
}

}  // namespace
}  // namespace tapo::media

MKMEDIA_FOLDER("DRIL", make_dril)
