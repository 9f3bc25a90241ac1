// The drill workbook: where the common frame's controls stand, and the places
// of the page that the screen and its media maker share.
#pragma once

#include "core/game_layout.h"
#include "platform/text.h"

namespace tapo::games::dril {

inline constexpr core::GameLayout kFrame{"frm_dril", "DRIL", core::leave_at(4, 0), core::help_at(587, 8), "MLUVI.AVI", "michacka"};
// Its name, its toy on the games menu, and what it pays: five coins for a page
// without a mistake.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Workbook"), {"LETADLO", {394, 72, 128, 108}}, {5, 1, core::CoinRule::Mistakes::CostAll}};

// The ruled rows: a template line, then rows 1..5 each 40 pixels below the
// one before, and rows 6..10 as rows 1..5 moved 270 pixels to the right.
struct Line {
  int x1, y, x2;
};
inline constexpr Line kTemplateLine{95, 180, 275};
inline constexpr int kRowStep = 40, kColumnShift = 270;
inline constexpr Line row_line(int row) {  // row 1..10
  const int down = (row - 1) % 5 + 1, across = row > 5 ? kColumnShift : 0;
  return {kTemplateLine.x1 + across, kTemplateLine.y + down * kRowStep, kTemplateLine.x2 + across};
}
// A row's text stands on its line: its top is this far above it.
inline constexpr int kTextAbove = 20;
// The screen rules the lines itself, 2 pixels thick, their lower pixel at y.
inline constexpr platform::Rgb kLineColour = platform::rgb(90, 110, 170);

// The ink of the rows, large enough to read at a glance; the answer and sign
// boxes are as high as an "8" of it, and a sign box as wide as " = ".
inline constexpr platform::TextStyle kRowFont{20, false, platform::rgb(25, 35, 110)};

// The picture of the ten example types (each type over its row) and the two
// family cards of level 3.
inline constexpr platform::Point kTypesAt{95, 193}, kPlusMinusCardAt{110, 204}, kTimesDivideCardAt{389, 204};

// Where the tick or the cross of a row goes: just right of its line.
inline constexpr platform::Point mark_at(int row) {
  const Line l = row_line(row);
  return {l.x2 + 5, l.y - kTextAbove};
}

// "Tapo's page" (the facts of the piglet's review), offered over the page's
// top right while the types are: drawn by the screen.
inline constexpr platform::Rect kTapoPage{372, 148, 180, 36};

// The three buttons under the page (drawn on the background, lit by the
// hover pictures), and where the piggy bank opens.
inline constexpr platform::Rect kCheck{70, 412, 150, 58}, kNextPage{245, 412, 150, 58}, kChangeType{420, 412, 150, 58};
inline constexpr platform::Point kCoins{271, 409};

// The paper plane's bottom edge runs along this line across the whole page.
inline constexpr int kFlightBottom = 364;
inline constexpr int kPlanes = 5;

}  // namespace tapo::games::dril
