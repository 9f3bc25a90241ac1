// The art of the players' screen: where everything stands on the meadow, and
// the drawing of each thing in its places and movements.  Drawing functions
// paint in screen coordinates (640 x 480).
#pragma once

#include <array>

#include "players/meadow_layout.h"
#include "tools/mkmedia/canvas.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::cunici {

using platform::Rect;
namespace layout = players::meadow;

// The six piglets: click area, name board, and how each stands there.
struct SlotPlace {
  const char* key;
  Rect area;     // the click area over the piglet
  Rect board;    // the name box; the board is drawn a little larger around it
  double scale;  // the piglet's size
  double cx;     // the piglet's middle
  double feet;   // the ground under its feet
  double hop;    // how high it hops when picked up
};

inline constexpr std::array<SlotPlace, kPigletCount> kSlots = {{
    {"PRP", layout::kPigletAreas[0], layout::kNameBoxes[0], 0.90, 72.5, 254, 14},
    {"ZLP", layout::kPigletAreas[1], layout::kNameBoxes[1], 0.85, 176, 261, 14},
    {"PMP", layout::kPigletAreas[2], layout::kNameBoxes[2], 0.88, 285, 272, 14},
    {"PZP", layout::kPigletAreas[3], layout::kNameBoxes[3], 0.85, 76.5, 400, 14},
    {"POP", layout::kPigletAreas[4], layout::kNameBoxes[4], 0.72, 182.5, 468, 4},
    {"PFP", layout::kPigletAreas[5], layout::kNameBoxes[5], 0.95, 296.5, 452, 9},
}};
inline constexpr int kPigletFrames = 12;

struct LevelCoin {
  const char* name;   // the picture's name
  const char* label;  // the number on it
  Rect box;           // the picture's place
  double cx, cy, r;
};
inline constexpr std::array<LevelCoin, 3> kCoins = {{
    {layout::kLevelCoins[0].name, "10", layout::kLevelCoins[0].box, 111, 107, 19},
    {layout::kLevelCoins[1].name, "20", layout::kLevelCoins[1].box, 158.5, 78, 20},
    {layout::kLevelCoins[2].name, "100", layout::kLevelCoins[2].box, 211, 78, 21},
}};
inline constexpr Rect kCoinArea = layout::kCoinArea;  // the three coins together

inline constexpr Rect kCrankBox = layout::kCrank;
inline constexpr Rect kBellBox = layout::kBell;
inline constexpr Rect kPuppetBox = layout::kPuppet;
inline constexpr int kPuppetFrames = 7;
inline constexpr Rect kHatPlace = layout::kHat;
inline constexpr int kHatWidth = layout::kHat.w, kHatHeight = layout::kHat.h;

// The meadow with the house, the tree, the rocking horse and the boards, but
// none of the things that move or change.
Surface meadow();
// The opening picture, or the closing one.
Surface title_picture(bool closing);

void draw_level_coin(Canvas& c, int level_index, bool lit);
void draw_crank(Canvas& c, int cell);
void draw_bell(Canvas& c, int cell);
void draw_puppet(Canvas& c, int frame);
void draw_magic_hat(Canvas& c);  // at (0, 0) of a kHatWidth x kHatHeight canvas
// Piglet `slot` in frame f of its pick-up clip (0 at rest).
void draw_slot_piglet(Canvas& c, int slot, int frame);
void draw_tapo_here(Canvas& c, const TapoLook& look);

Rect tapo_box();
Rect tapo_head_box();
Rect piglet_clip_box(int slot);
// Stops the generator when a moving thing's clip would cover another thing.
void check_layout();

}  // namespace tapo::media::cunici
