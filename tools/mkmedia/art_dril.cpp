#include "tools/mkmedia/art_dril.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/mkmedia/art_kit.h"
#include "tools/mkmedia/words.h"

namespace tapo::media::workbook {

namespace pf = tapo::platform;
namespace dril = tapo::games::dril;

namespace {

const Rgb kWood = pf::rgb(204, 152, 98), kCover = pf::rgb(206, 70, 62);
const Rgb kLit = pf::rgb(255, 224, 90), kLitEdge = pf::rgb(200, 120, 30);

// The wall with the chalkboard, the desk, and a cup of pencils on it.
void wall_and_desk(Canvas& c) {
  cairo_t* cr = c.cr();
  c.set_colour(pf::rgb(220, 236, 226));
  cairo_paint(cr);
  for (int x = 0; x < 640; x += 32) {
    cairo_rectangle(cr, x + 9, 0, 14, 124);
    c.fill(pf::rgb(228, 242, 233));
  }
  // the chalkboard, with a sum in chalk
  c.rounded_rect(238, 10, 254, 100, 8);
  c.fill_soft(pf::rgb(176, 120, 70));
  c.rounded_rect(248, 18, 234, 82, 4);
  c.fill_outlined(pf::rgb(52, 104, 80), kInk, 2);
  c.text("2 + 3 = 5", 346, 58, 30, pf::rgb(246, 246, 236));
  draw_star(c, 458, 38, 11, pf::rgb(250, 236, 150));
  c.rounded_rect(300, 100, 60, 6, 2);
  c.fill_outlined(pf::rgb(250, 250, 250), kInk, 1.5);
  // the desk's top and its rim
  cairo_rectangle(cr, 0, 118, 640, 362);
  c.fill(kWood);
  cairo_rectangle(cr, 0, 116, 640, 6);
  c.fill(shade(kWood, 0.8));
  for (auto [y, x0, x1] : {std::tuple{428.0, 0.0, 60.0}, {456.0, 14.0, 66.0}, {440.0, 576.0, 640.0},
                          {466.0, 580.0, 630.0}, {126.0, 0.0, 40.0}, {127.0, 590.0, 640.0}}) {
    c.line(x0, y, x1, y + 2, shade(kWood, 0.88), 2);
  }
  // a cup of pencils on the right
  for (auto [x, tip, col] : {std::tuple{530.0, 60.0, pf::rgb(240, 90, 80)}, {544.0, 50.0, pf::rgb(80, 150, 230)},
                             {558.0, 64.0, pf::rgb(250, 200, 60)}}) {
    c.rounded_rect(x - 4, tip + 8, 8, 60, 2);
    c.fill_outlined(col, kInk, 2);
    c.polygon({{x - 4, tip + 9}, {x + 4, tip + 9}, {x, tip}});
    c.fill_outlined(pf::rgb(245, 215, 170), kInk, 1.5);
  }
  c.rounded_rect(518, 84, 52, 44, 6);
  c.fill_soft(pf::rgb(120, 190, 170));
}

// The open workbook: the cover, two pages of plain paper, the ruled rows.
void workbook(Canvas& c) {
  cairo_t* cr = c.cr();
  c.rounded_rect(50, 138, 568, 278, 12);
  c.set_colour(pf::rgb(60, 30, 10), 0.25);
  cairo_fill(cr);
  c.rounded_rect(44, kCoverTop, 568, 278, 10);
  c.fill_outlined(kCover, kInk, 3);
  for (int k = 2; k >= 0; --k) {  // the edges of the pages below
    c.rounded_rect(52 + k, 138 + k, 552, 264, 5);
    c.fill_outlined(shade(kPaper, 0.94 - 0.02 * k), pf::rgb(170, 150, 120), 1);
  }
  c.rounded_rect(52, 138, 552, 264, 5);
  c.fill_outlined(kPaper, pf::rgb(170, 150, 120), 1.5);
  // the fold between the pages: a soft shadow on both sides
  cairo_pattern_t* fold = cairo_pattern_create_linear(318, 0, 346, 0);
  cairo_pattern_add_color_stop_rgba(fold, 0, 0.4, 0.3, 0.2, 0);
  cairo_pattern_add_color_stop_rgba(fold, 0.5, 0.4, 0.3, 0.2, 0.22);
  cairo_pattern_add_color_stop_rgba(fold, 1, 0.4, 0.3, 0.2, 0);
  cairo_rectangle(cr, 318, 139, 28, 262);
  cairo_set_source(cr, fold);
  cairo_fill(cr);
  cairo_pattern_destroy(fold);
  c.line(332, 140, 332, 400, pf::rgb(190, 170, 140), 1);
  // a gold star sticker in the corner of the right page
  draw_star(c, 578, 164, 13, pf::rgb(255, 206, 60), 0.1);
  // the rows: two pixels from x1 to x2 at y, straight on the pixel grid
  for (int row = 1; row <= 10; ++row) {
    const dril::Line l = dril::row_line(row);
    cairo_rectangle(cr, l.x1, l.y, l.x2 - l.x1 + 1, 2);
    c.fill(kRule);
  }
}

// The tick of the check button.
void tick(Canvas& c, double x, double y, double s) {
  cairo_t* cr = c.cr();
  for (auto [w, col] : {std::pair{9.0 * s, kInk}, {5.0 * s, pf::rgb(60, 170, 70)}}) {
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 10 * s, y + 11 * s);
    cairo_line_to(cr, x + 30 * s, y - 14 * s);
    c.stroke(col, w);
  }
}

// A fresh page with a folded corner and a green plus.
void new_page(Canvas& c, double x, double y) {
  c.polygon({{x, y}, {x + 22, y}, {x + 32, y + 10}, {x + 32, y + 40}, {x, y + 40}});
  c.fill_outlined(pf::rgb(255, 255, 255), kInk, 2.5);
  c.polygon({{x + 22, y}, {x + 22, y + 10}, {x + 32, y + 10}});
  c.fill_outlined(pf::rgb(220, 220, 230), kInk, 2);
  for (int k = 0; k < 3; ++k) c.line(x + 6, y + 18 + 7 * k, x + 24, y + 18 + 7 * k, kRule, 2);
  c.ellipse(x + 32, y + 38, 9, 9);
  c.fill_outlined(pf::rgb(80, 180, 80), kInk, 2);
  c.line(x + 27, y + 38, x + 37, y + 38, pf::rgb(255, 255, 255), 3);
  c.line(x + 32, y + 33, x + 32, y + 43, pf::rgb(255, 255, 255), 3);
}

// Two arrows crossing each other: something else instead.
void shuffle(Canvas& c, double x, double y) {
  cairo_t* cr = c.cr();
  const Rgb cols[2] = {pf::rgb(230, 80, 70), pf::rgb(60, 120, 220)};
  for (int k = 0; k < 2; ++k) {
    const double y0 = k ? y + 30 : y, y1 = k ? y : y + 30;
    for (auto [w, col] : {std::pair{8.0, kInk}, {4.0, cols[k]}}) {
      cairo_move_to(cr, x, y0);
      cairo_curve_to(cr, x + 18, y0, x + 16, y1, x + 32, y1);
      c.stroke(col, w);
    }
    c.polygon({{x + 30, y1 - 8}, {x + 42, y1}, {x + 30, y1 + 8}});
    c.fill_outlined(cols[k], kInk, 2);
  }
}

}  // namespace

void draw_button(Canvas& c, int which, double x, double y, bool lit) {
  const Rgb normal[3] = {pf::rgb(170, 222, 150), pf::rgb(166, 204, 246), pf::rgb(252, 196, 140)};
  const std::string words[3] = {word("check"), word("new-page"), word("change")};
  const Rect r = dril::kCheck;  // all three are as big
  c.rounded_rect(x + 3, y + 3, r.w - 6, r.h - 6, 14);
  if (lit) c.fill_outlined(kLit, kLitEdge, 4);
  else c.fill_soft(normal[which]);
  const double icon_x = x + 14, mid = y + r.h / 2.0;
  if (which == 0) tick(c, icon_x + 2, mid + 2, 1.2);
  else if (which == 1) new_page(c, icon_x, mid - 22);
  else shuffle(c, icon_x, mid - 15);
  // One size for all three words, the longest filling its room; words of
  // two that would come out small on one line stand on two.
  constexpr double kRoom = 82;
  auto lines_of = [&c](const std::string& w) {
    const auto space = w.find(' ');
    if (space == std::string::npos || 19 * kRoom / c.text_size(w, 19).first >= 15) return std::vector<std::string>{w};
    return std::vector<std::string>{w.substr(0, space), w.substr(space + 1)};
  };
  double size = 19;
  for (const auto& w : words)
    for (const auto& line : lines_of(w)) size = std::min(size, 19 * kRoom / c.text_size(line, 19).first);
  const auto lines = lines_of(words[which]);
  for (size_t k = 0; k < lines.size(); ++k)
    c.text(lines[k], x + 102, mid + (k - (lines.size() - 1) / 2.0) * size * 1.15, size, lit ? pf::rgb(170, 60, 20) : kInk);
}

Surface scene(bool tapo, const TapoLook& look, const std::function<void(Canvas&)>& extra) {
  return painted(Surface(640, 480), [&](Canvas& c) {
    wall_and_desk(c);
    if (tapo) draw_tapo(c, kTapoX, kTapoY, look);
    workbook(c);
    int k = 0;
    for (const Rect& b : {dril::kCheck, dril::kNextPage, dril::kChangeType}) draw_button(c, k++, b.x, b.y, false);
    if (extra) extra(c);
  });
}

}  // namespace tapo::media::workbook
