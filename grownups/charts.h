// The pictures of what a piglet practised, as shapes: the grown-ups' corner
// paints them into the scene, the report writes them as SVG, so both show the
// same charts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"
#include "players/journal.h"

namespace tapo::grownups::charts {

struct Shape {
  enum Kind { Box, Text };
  enum Align { Left, Centre, Right };
  Kind kind = Box;
  platform::Rect at;  // a box's rectangle; a text's box, aligned in it and centred up and down
  platform::Rgb color = 0;
  std::string text;
  int size = 11;  // a text's pixel height
  bool bold = false;
  Align align = Left;
};
using Picture = std::vector<Shape>;

inline constexpr platform::Rgb kInk = platform::rgb(70, 40, 20);
inline constexpr platform::Rgb kThisWeek = platform::rgb(80, 160, 70);
inline constexpr platform::Rgb kLastWeek = platform::rgb(190, 200, 170);
inline constexpr platform::Rgb kMinutes = platform::rgb(230, 140, 60);

// A share 0..1 as the pages write it, "75 %".
std::string percent(double share);

// The game's name as the child knows it ("Target"), translated; the screen
// name itself for a game this version does not know.
std::string game_title(std::string_view screen);

// Minutes played on each of the last 14 days: a bar a day, the minutes over
// it, the day of the month under it.
Picture minutes_chart(const players::journal::Figures& f, platform::Rect area);
// The share of first tries right in each game: this week's bar beside the
// week before's, the game's name under them; a key to the colours.
Picture share_chart(const players::journal::Figures& f, platform::Rect area);

// Paints the shapes into a picture (the corner).
void paint(platform::Surface& into, const Picture& picture);
// The shapes as SVG elements, for an <svg> of the area's size whose top left
// is the area's (the report).
std::string svg(const Picture& picture, platform::Rect area);
// `text` with <, >, & and " written as entities, for SVG and HTML.
std::string escaped(std::string_view text);

}  // namespace tapo::grownups::charts
