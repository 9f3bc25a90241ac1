// The art of the players' screen: where everything stands on the meadow, and
// the drawing of each thing in its places and movements.  Drawing functions
// paint in screen coordinates (640 x 480).
#pragma once

#include <array>

#include "tools/mkmedia/canvas.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::cunici {

using platform::Rect;

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
    {"PRP", {28, 192, 89, 57}, {20, 264, 105, 21}, 0.90, 72.5, 254, 14},
    {"ZLP", {132, 188, 89, 61}, {132, 272, 103, 21}, 0.85, 176, 261, 14},
    {"PMP", {244, 176, 69, 93}, {224, 128, 101, 21}, 0.88, 285, 272, 14},
    {"PZP", {32, 348, 89, 53}, {20, 411, 101, 21}, 0.85, 76.5, 400, 14},
    {"POP", {136, 400, 93, 61}, {136, 356, 93, 21}, 0.72, 182.5, 468, 4},
    {"PFP", {260, 348, 73, 101}, {222, 311, 100, 21}, 0.95, 296.5, 452, 9},
}};
inline constexpr int kPigletFrames = 12;

struct LevelCoin {
  const char* name;   // the picture's name
  const char* label;  // the number on it
  Rect box;           // the picture's place
  double cx, cy, r;
};
inline constexpr std::array<LevelCoin, 3> kCoins = {{
    {"M10", "10", {90, 86, 42, 42}, 111, 107, 19},
    {"M20", "20", {132, 53, 53, 50}, 158.5, 78, 20},
    {"M100", "100", {185, 54, 52, 48}, 211, 78, 21},
}};
inline constexpr Rect kCoinArea{91, 53, 146, 75};  // the three coins together

inline constexpr Rect kCrankBox{390, 231, 52, 52};
inline constexpr Rect kBellBox{416, 36, 33, 37};
inline constexpr Rect kPuppetBox{540, 100, 93, 93};
inline constexpr int kPuppetFrames = 7;
inline constexpr Rect kHatPlace{400, 296, 64, 52};
inline constexpr int kHatWidth = 64, kHatHeight = 52;

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
