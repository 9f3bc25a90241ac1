#include "tools/mkmedia/canvas.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>

namespace tapo::media {

namespace {
double r_of(Rgb c) { return ((c >> 16) & 255) / 255.0; }
double g_of(Rgb c) { return ((c >> 8) & 255) / 255.0; }
double b_of(Rgb c) { return (c & 255) / 255.0; }
}  // namespace

void release_drawing_caches() {
  cairo_debug_reset_static_data();
  FcFini();
}

Rgb shade(Rgb c, double f) {
  auto ch = [f](int v) {
    const double x = f >= 1 ? v + (255 - v) * (f - 1) : v * f;
    return static_cast<int>(std::clamp(x, 0.0, 255.0));
  };
  return platform::rgb(ch((c >> 16) & 255), ch((c >> 8) & 255), ch(c & 255));
}

Canvas::Canvas(int w, int h) : Canvas(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h), w, h) {
  cairo_surface_destroy(surface_);  // the delegated constructor took its own reference
}

Canvas::Canvas(cairo_surface_t* target, int w, int h)
    : w_(w), h_(h), surface_(cairo_surface_reference(target)), cr_(cairo_create(surface_)) {
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::ellipse(double cx, double cy, double rx, double ry) {
  cairo_save(cr_);
  cairo_translate(cr_, cx, cy);
  cairo_scale(cr_, std::max(rx, 0.01), std::max(ry, 0.01));
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr_);
}

void Canvas::rounded_rect(double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr_, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr_, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr_, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr_);
}

void Canvas::polygon(std::initializer_list<std::pair<double, double>> points) {
  bool first = true;
  for (const auto& [x, y] : points) {
    if (first)
      cairo_move_to(cr_, x, y);
    else
      cairo_line_to(cr_, x, y);
    first = false;
  }
  cairo_close_path(cr_);
}

void Canvas::ground(double y0, std::initializer_list<std::array<double, 6>> curves) {
  cairo_move_to(cr_, 0, y0);
  for (const auto& k : curves) cairo_curve_to(cr_, k[0], k[1], k[2], k[3], k[4], k[5]);
  cairo_line_to(cr_, 640, 480);
  cairo_line_to(cr_, 0, 480);
  cairo_close_path(cr_);
}

void Canvas::dome(double cx, double cy, double rx, double ry) {
  cairo_new_sub_path(cr_);
  cairo_save(cr_);
  cairo_translate(cr_, cx, cy);
  cairo_scale(cr_, rx, ry);
  cairo_arc(cr_, 0, 0, 1, M_PI, 2 * M_PI);
  cairo_restore(cr_);
  cairo_close_path(cr_);
}

void Canvas::set_colour(Rgb c, double alpha) { cairo_set_source_rgba(cr_, r_of(c), g_of(c), b_of(c), alpha); }

void Canvas::fill(Rgb c) {
  set_colour(c);
  cairo_fill(cr_);
}

void Canvas::paint_vertical(std::array<double, 3> top, std::array<double, 3> bottom, double height) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, height);
  cairo_pattern_add_color_stop_rgb(p, 0, top[0], top[1], top[2]);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom[0], bottom[1], bottom[2]);
  cairo_set_source(cr_, p);
  cairo_paint(cr_);
  cairo_pattern_destroy(p);
}

void Canvas::fill_outlined(Rgb c, Rgb line, double width) {
  set_colour(c);
  cairo_fill_preserve(cr_);
  set_colour(line);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

void Canvas::fill_soft(Rgb base, double width, double light) {
  double x0, y0, x1, y1;
  cairo_path_extents(cr_, &x0, &y0, &x1, &y1);
  const double w = x1 - x0, h = y1 - y0;
  cairo_pattern_t* p = cairo_pattern_create_radial(x0 + 0.38 * w, y0 + 0.3 * h, 0, x0 + 0.45 * w, y0 + 0.45 * h,
                                                   0.75 * std::max(w, h) + 0.5);
  auto stop = [p](double at, Rgb c) { cairo_pattern_add_color_stop_rgb(p, at, r_of(c), g_of(c), b_of(c)); };
  stop(0, shade(base, light));
  stop(0.55, base);
  stop(1, shade(base, 0.86));
  cairo_set_source(cr_, p);
  cairo_fill_preserve(cr_);
  cairo_pattern_destroy(p);
  set_colour(kInk);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

void Canvas::stroke(Rgb c, double width) {
  set_colour(c);
  cairo_set_line_width(cr_, width);
  cairo_stroke(cr_);
}

void Canvas::line(double x0, double y0, double x1, double y1, Rgb c, double width) {
  cairo_move_to(cr_, x0, y0);
  cairo_line_to(cr_, x1, y1);
  stroke(c, width);
}

std::pair<double, double> Canvas::text_size(const std::string& s, double size) {
  cairo_select_font_face(cr_, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr_, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr_, s.c_str(), &e);
  return {e.width, e.height};
}

void Canvas::text(const std::string& s, double cx, double cy, double size, Rgb c, bool outlined) {
  text_size(s, size);  // sets the font
  cairo_text_extents_t e;
  cairo_text_extents(cr_, s.c_str(), &e);
  cairo_move_to(cr_, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
  cairo_text_path(cr_, s.c_str());
  if (outlined) {
    set_colour(kInk);
    cairo_set_line_width(cr_, size / 8);
    cairo_stroke_preserve(cr_);
  }
  fill(c);
}

Surface Canvas::keyed() const {
  cairo_surface_flush(surface_);
  const auto* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  Surface out(w_, h_, kKey);
  for (int y = 0; y < h_; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w_; ++x) {
      const std::uint32_t p = row[x];
      const unsigned a = p >> 24;
      if (a < 128) continue;
      // Premultiplied: undo it so the edge keeps the figure's own colour.
      auto un = [a](unsigned v) { return static_cast<int>(std::min(255u, (v * 255 + a / 2) / a)); };
      Rgb c = platform::rgb(un((p >> 16) & 255), un((p >> 8) & 255), un(p & 255));
      if (c == kKey) c = platform::rgb(254, 0, 254);  // art never uses the key itself
      out.set(x, y, c);
    }
  }
  out.set(0, 0, kKey);
  return out;
}

void Canvas::over(Surface& background, int x0, int y0) const {
  cairo_surface_flush(surface_);
  const auto* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  for (int y = 0; y < h_; ++y) {
    const int by = y0 + y;
    if (by < 0 || by >= background.height()) continue;
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < w_; ++x) {
      const int bx = x0 + x;
      if (bx < 0 || bx >= background.width()) continue;
      const std::uint32_t p = row[x];
      const unsigned a = p >> 24;
      if (a == 0) continue;
      const Rgb under = background.at(bx, by);
      auto mix = [a](unsigned src, unsigned dst) { return static_cast<int>(src + (dst * (255 - a) + 127) / 255); };
      background.set(bx, by, platform::rgb(mix((p >> 16) & 255, (under >> 16) & 255), mix((p >> 8) & 255, (under >> 8) & 255),
                                           mix(p & 255, under & 255)));
    }
  }
}

}  // namespace tapo::media
