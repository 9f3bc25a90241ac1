#include "tools/mkmedia/art_icon.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <string>

#include "tools/mkmedia/canvas.h"
#include "tools/mkmedia/cast.h"
#include "tools/mkmedia/pack.h"

namespace fs = std::filesystem;

namespace tapo::media {

namespace {

constexpr double kSize = 256;  // the icon is drawn in these units at any size
constexpr double kInset = 12, kRadius = 56;

// Tapo from the chest up, waving, on a sky-blue tile with a meadow below.
void draw_icon(Canvas& c) {
  cairo_t* cr = c.cr();
  const double side = kSize - 2 * kInset;
  c.rounded_rect(kInset, kInset, side, side, kRadius);
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, kInset, 0, kInset + side);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.53, 0.80, 0.98);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.84, 0.94, 1.00);
  cairo_set_source(cr, sky);
  cairo_fill(cr);
  cairo_pattern_destroy(sky);
  c.ellipse(kSize / 2, kSize + 30, 170, 110);  // the meadow's hump
  c.fill_soft(platform::rgb(120, 196, 84), 5);

  // Head, collar and the waving paw fill the tile; he stands behind a
  // hillock that hides his tail and feet.
  const double scale = 1.5;
  draw_tapo(c, kSize / 2 - 70 * scale, 30 - 8 * scale, TapoLook{TapoPose::Wave, 0.1, 0, false}, scale);
  c.ellipse(kSize / 2, kSize + 6, 160, 56);
  c.fill_soft(platform::rgb(98, 178, 70), 5);
  cairo_restore(cr);

  c.rounded_rect(kInset, kInset, side, side, kRadius);
  c.stroke(kInk, 8);
}

void write_svg(const fs::path& file) {
  cairo_surface_t* svg = cairo_svg_surface_create(file.c_str(), kSize, kSize);
  cairo_svg_surface_set_document_unit(svg, CAIRO_SVG_UNIT_PX);
  {
    Canvas c(svg, static_cast<int>(kSize), static_cast<int>(kSize));
    draw_icon(c);
  }
  cairo_surface_finish(svg);
  const cairo_status_t status = cairo_surface_status(svg);
  cairo_surface_destroy(svg);
  if (status != CAIRO_STATUS_SUCCESS) fail("cannot write " + file.string() + ": " + cairo_status_to_string(status));
}

void write_png(const fs::path& file, int px) {
  Canvas c(px, px);
  cairo_scale(c.cr(), px / kSize, px / kSize);
  draw_icon(c);
  const cairo_status_t status = cairo_surface_write_to_png(cairo_get_target(c.cr()), file.c_str());
  if (status != CAIRO_STATUS_SUCCESS) fail("cannot write " + file.string() + ": " + cairo_status_to_string(status));
}

}  // namespace

void write_icons(const fs::path& dir) {
  const std::string name = std::string(kAppId);
  fs::create_directories(dir);
  write_svg(dir / (name + ".svg"));
  for (int px : {48, 64, 128, 256}) {
    const fs::path sub = dir / (std::to_string(px) + "x" + std::to_string(px));
    fs::create_directories(sub);
    write_png(sub / (name + ".png"), px);
  }
}

}  // namespace tapo::media
