// Text drawing into pictures (captions, names on boards, numbers).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace tapo::platform {

enum class Face {
  Game,      // DejaVu Sans, else the nearest sans
  Captions,  // Liberation Sans, else the same: wide, open letters for reading at a glance
};

struct TextStyle {
  int size = 16;  // pixel height of the font
  bool bold = false;
  Rgb color = 0;
  Face face = Face::Game;
};

// Draws UTF-8 text with its top-left corner at (x, y), anti-aliased against
// what is already there.  Does nothing when fontconfig finds no font (which
// is said once on standard error).  Nothing is drawn outside `clip`.
void draw_text(Surface& dst, int x, int y, std::string_view text, const TextStyle& style,
               Rect clip = {0, 0, 1 << 20, 1 << 20});
// Whether the style's font has every character of the text (a sign such as
// "✓" may only be in the other face).
bool has_glyphs(std::string_view text, const TextStyle& style);
// Width and height the text would take.
Rect measure_text(std::string_view text, const TextStyle& style);
// The text broken at blanks into lines no wider than `width` (a single word
// wider than that stands on a line of its own).
std::vector<std::string> wrap_text(std::string_view text, const TextStyle& style, int width);
// Releases the fonts (at the end of the program).
void close_fonts();
// Closes the fonts opened so far, keeping the files they came from: each
// size holds a few hundred kilobytes, and a screen that is left takes the
// sizes only it used with it.  The next text opens its font again.
void close_open_fonts();

}  // namespace tapo::platform
