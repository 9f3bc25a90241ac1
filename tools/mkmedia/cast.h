// The cast of the demo pack, drawn with cairo in one style: clean dark
// outlines, flat colours with soft shading, a warm palette.
//
// Every figure is drawn into a canvas at (x, y) = the top left of its box,
// scaled by `scale` (1 = the box sizes below).
#pragma once

#include "tools/mkmedia/canvas.h"

namespace tapo::media {

// ---- Tapo the dog ------------------------------------------------------------

inline constexpr int kTapoWidth = 140, kTapoHeight = 200;
// The part of Tapo's box that a talking head shows (at scale 1).
inline constexpr platform::Rect kTapoHead{20, 8, 100, 100};

enum class TapoPose { Stand, Wave, Jump, Cheer, ThumbsUp, Fall };

struct TapoLook {
  TapoPose pose = TapoPose::Stand;
  double phase = 0;  // 0..1 through the movement of the pose
  int mouth = 0;     // 0 closed (smiling), 1..4 open wider and wider
};

void draw_tapo(Canvas& c, double x, double y, const TapoLook& look, double scale = 1.0);

// ---- the six piglets -----------------------------------------------------------

inline constexpr int kPigletWidth = 90, kPigletHeight = 110;
inline constexpr int kPigletCount = 6;  // slots "PRP", "ZLP", "PMP", "PZP", "POP", "PFP"

enum class PigletPose { Stand, Lifted, Wave };

struct PigletLook {
  PigletPose pose = PigletPose::Stand;
  double phase = 0;
};

void draw_piglet(Canvas& c, int slot, double x, double y, const PigletLook& look, double scale = 1.0);

// ---- things --------------------------------------------------------------------

// A gold coin with a label (a level number, a value), lit or dark.
void draw_coin(Canvas& c, double cx, double cy, double r, const std::string& label, bool lit);

}  // namespace tapo::media
