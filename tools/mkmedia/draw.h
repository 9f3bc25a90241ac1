// Simple shape drawing for the generated art.
#pragma once

#include "platform/surface.h"

namespace tapo::media {

using platform::Rgb;
using platform::Surface;

void fill_ellipse(Surface& s, double cx, double cy, double rx, double ry, Rgb c);
// An ellipse with a dark outline of `outline` pixels.
void outlined_ellipse(Surface& s, double cx, double cy, double rx, double ry, Rgb fill, Rgb line, double outline = 2.5);
// A thick stroke with round ends from (x0, y0) to (x1, y1).
void stroke(Surface& s, double x0, double y0, double x1, double y1, double width, Rgb c);
void centred_text(Surface& s, int y, const char* text, int size, bool bold, Rgb c);

}  // namespace tapo::media
