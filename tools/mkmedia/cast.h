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

// Clap: `phase` 0 paws spread wide .. 1 paws together in front of his chest.
enum class TapoPose { Stand, Wave, Jump, Cheer, ThumbsUp, Fall, Clap };

struct TapoLook {
  TapoPose pose = TapoPose::Stand;
  double phase = 0;  // 0..1 through the movement of the pose
  int mouth = 0;     // 0 closed (smiling), 1..4 open wider and wider
  bool brows = false;  // eyebrows raised, as when he explains something
};

void draw_tapo(Canvas& c, double x, double y, const TapoLook& look, double scale = 1.0);

// ---- the six piglets -----------------------------------------------------------

inline constexpr int kPigletWidth = 90, kPigletHeight = 110;
inline constexpr int kPigletCount = 6;  // slots "PRP", "ZLP", "PMP", "PZP", "POP", "PFP"

// Each piglet has its own colour of hat and scarf and its own kind of hat:
// 0 red bobble cap, 1 yellow sun hat, 2 blue cap, 3 green party hat,
// 4 orange bow, 5 purple crown.
enum class PigletPose { Stand, Lifted, Wave };

struct PigletLook {
  PigletPose pose = PigletPose::Stand;
  double phase = 0;  // Lifted: 0..1 through a hop; Wave: 0..1 through a wave
  bool happy = false;  // a wide open smile
};

void draw_piglet(Canvas& c, int slot, double x, double y, const PigletLook& look, double scale = 1.0);

// The colour of a piglet's hat and scarf.
Rgb piglet_colour(int slot);

// A piglet as a piggy bank (the piggy bank window and the toy shop show the
// player's own): its head with hat and scarf, a coin slot on its back, and a
// blank plaque on its side where the coin counter is written.  Drawn into a
// box of kPiggyBankWidth x kPiggyBankHeight at (x, y).
inline constexpr int kPiggyBankWidth = 90, kPiggyBankHeight = 70;
inline constexpr platform::Rect kPiggyBankPlaque{34, 14, 50, 24};
void draw_piggy_bank(Canvas& c, int slot, double x, double y);

// ---- things --------------------------------------------------------------------

// A gold coin with a label (a level number, a value), lit or dark.
void draw_coin(Canvas& c, double cx, double cy, double r, const std::string& label, bool lit);

}  // namespace tapo::media
