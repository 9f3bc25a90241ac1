// The sausage tug's yard: a garden with the example board, a sandy track
// and the rope the sausage is tied into, stretched between the places where
// Tapo (left) and the other dog (right) stand.  The dogs and the sausage are
// sprites the screen draws over the yard, so the yard leaves their places empty.
#pragma once

#include "games/pretah/layout.h"
#include "tools/mkmedia/art_util.h"
#include "tools/mkmedia/cast.h"

namespace tapo::media::tug {

namespace pretah = tapo::games::pretah;

// A cell of TAPO.BMP and of PES.BMP, and the boxes they stand in.
inline constexpr int kTapoW = 120, kTapoH = 150, kRivalW = 140, kRivalH = 150;
inline constexpr Rect kTapoBox{pretah::kTapoAt.x, pretah::kTapoAt.y, kTapoW, kTapoH};
inline constexpr Rect kRivalBox{pretah::kOpponentAt.x, pretah::kOpponentAt.y, kRivalW, kRivalH};
inline constexpr int kSausageW = 140, kSausageH = 24;
// The rope: kRopeRows rows from kRopeY, drawn on the pixel grid so that the
// yard's piece, the sausage's ends and the dogs' ends meet without a seam.
inline constexpr int kRopeY = pretah::kSausageY + 10, kRopeRows = 4;
// The example board's face, one flat colour under the whole example box.
inline constexpr Rgb kBoardFace = platform::rgb(252, 248, 226);
inline constexpr Rect kBoardFaceRect{pretah::kExample.x - 12, pretah::kExample.y - 10, pretah::kExample.w + 24,
                                     pretah::kExample.h + 20};

// The yard without the dogs and the sausage.
Surface yard();

// The rope's rows on `s` from x0 to x1 (exclusive) with its top row at y.
void draw_rope(Surface& s, int x0, int x1, int y);

// JITRNICE.BMP: the sausage with the rope knotted into both ends (keyed).
Surface sausage();

// How a dog stands.  Holding: its paws on the rope, leaning back by `lean`
// (radians); otherwise the rope lies slack and `cheer` raises its paws.
struct DogLook {
  double lean = 0;
  double drop = 0;  // pixels lower: sat down
  bool holds = true;
  bool cheer = false;
  double phase = 0;  // of the cheering paws
  int mouth = 0;     // 0 closed, 1..4 open wider
  bool brows = false;  // raised, as he explains
  bool sad = false;    // brows slanting down
};

inline constexpr DogLook kRest{0.04};
// The three pull pictures: at rest, leaning back, pulling hard.
DogLook pull(int cell);

// A dog in its cell, keyed (Tapo: the cell's top-right pixel is the key
// colour too; the other dog faces left).
Surface tapo(const DogLook& look);
Surface rival(const DogLook& look);

// Where Tapo's head is (scene pixels) in `look`: the talking heads' box.
Rect tapo_head(const DogLook& look);

// `sprite` over `on` at (x, y), its key-coloured pixels left out.
void stamp(Surface& on, const Surface& sprite, int x, int y);

// A small bird flying right (or left: `facing` -1) with its middle at (x, y).
void draw_bird(Canvas& c, double x, double y, double flap, Rgb colour, double facing = 1);

}  // namespace tapo::media::tug
