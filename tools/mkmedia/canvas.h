// Drawing the demo art with cairo: shapes with clean dark outlines and flat
// colours, anti-aliased, on a transparent canvas.  A finished canvas becomes
// either a sprite (keyed: transparent pixels turn magenta, so no pink fringe
// ever appears at a soft edge) or is laid over a background.
#pragma once

#include <cairo.h>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

#include "platform/surface.h"

namespace tapo::media {

using platform::Rgb;
using platform::Surface;

inline constexpr Rgb kKey = platform::rgb(255, 0, 255);
inline constexpr Rgb kInk = platform::rgb(52, 32, 22);  // the outline colour of the whole cast

class Canvas {
 public:
  Canvas(int w, int h);
  // Draws onto `target` (an SVG surface, say) of w x h; keyed() and over()
  // need the canvas's own pixels and are for the first constructor only.
  Canvas(cairo_surface_t* target, int w, int h);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return w_; }
  int height() const { return h_; }

  // Paths, then fill_outlined() / fill() / stroke().
  void ellipse(double cx, double cy, double rx, double ry);
  void rounded_rect(double x, double y, double w, double h, double r);
  // A closed path through the points, in order.
  void polygon(std::initializer_list<std::pair<double, double>> points);
  // Ground from the left edge at height y0 along cubic curves (each: two
  // control points and the end), closed along the bottom of the scene.
  void ground(double y0, std::initializer_list<std::array<double, 6>> curves);
  // The upper half of an ellipse, closed along its flat side (caps, domes).
  void dome(double cx, double cy, double rx, double ry);
  void set_colour(Rgb c, double alpha = 1.0);
  // Paints the whole canvas from `top` (RGB 0..1) at y = 0 to `bottom` at
  // y = `height` and below: a sky.
  void paint_vertical(std::array<double, 3> top, std::array<double, 3> bottom, double height);
  void fill(Rgb c);
  // Fills with `c` and draws the outline in `line` on top (keeps no path).
  void fill_outlined(Rgb c, Rgb line = kInk, double width = 3.0);
  // Fills with soft shading (lighter at the upper left by `light`, a touch
  // darker at the far edge) and outlines in the ink colour.
  void fill_soft(Rgb base, double width = 3.0, double light = 1.22);
  void stroke(Rgb c, double width);
  void line(double x0, double y0, double x1, double y1, Rgb c, double width);
  // Text centred on (cx, cy), in the bold sans of the game.
  void text(const std::string& s, double cx, double cy, double size, Rgb c, bool outlined = false);
  // The width and height of the ink of `s` as text() draws it.
  std::pair<double, double> text_size(const std::string& s, double size);

  // The canvas as a sprite: pixels at least half covered keep their colour,
  // the rest become the key colour (the sprite's top-left pixel is keyed).
  Surface keyed() const;
  // The canvas laid over `background` at (x, y).
  void over(Surface& background, int x, int y) const;

 private:
  int w_, h_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// Frees the font and glyph caches of the drawing libraries (at the end of a
// run, so that leak checkers see only the generator's own memory).
void release_drawing_caches();

// Lighter or darker shade of a colour (factor > 1 lightens).
Rgb shade(Rgb c, double factor);

}  // namespace tapo::media
