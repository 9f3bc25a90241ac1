// The scales game: where the common frame's controls stand, and the places of
// the balance that the screen and its media maker share.
#pragma once

#include <cmath>

#include "core/game_layout.h"

namespace tapo::games::vahy {

inline constexpr core::GameLayout kFrame{"frm_vahy", "VAHY", core::leave_at(2, 436), core::help_at(589, 430), "MLUVI.AVI", "video"};
// Its name, its toy on the games menu, far enough from the right edge for its
// whole show to stay in the scene, and what it pays: two coins for every five
// right answers in a row.
inline constexpr core::Game kGame{kFrame, platform::tr_later("Scales"), {"VAHA", {540, 86, 88, 106}}, {2, 5}};

// The pans' clips lie in the data folder, five frames each; frame 0 is the
// pan at rest, the very pixels of the background at the clip's place.  An UP
// clip is taller and placed higher than the DOWN clip of the same pan.
struct PanClip {
  const char* file;     // "\\LVDOWN1.AVI"
  platform::Rect box;   // where the screen shows it
  bool left;
  bool down;
};
inline constexpr int kPanFrames = 5;
inline constexpr PanClip kLeftDown{"\\LVDOWN1.AVI", {57, 67, 164, 248}, true, true};
inline constexpr PanClip kLeftUp{"\\LVUP1.AVI", {57, 16, 164, 300}, true, false};
inline constexpr PanClip kRightDown{"\\PVDOWN1.AVI", {396, 66, 164, 244}, false, true};
inline constexpr PanClip kRightUp{"\\PVUP1.AVI", {396, 16, 164, 296}, false, false};

// Each pan's text is centred in its box on the pan's board; in frame i of a
// clip the pan, and the text with it, has moved by i steps.
inline constexpr platform::Rect kLeftText{90, 145, 94, 50}, kRightText{428, 145, 94, 50};
inline constexpr double kDownStep = 14, kUpStep = -14 / 1.3;
// The shift of a pan in frame i, in whole pixels as the clips draw it.
inline int pan_shift(int frame, bool down) {
  return static_cast<int>(std::lround(frame * (down ? kDownStep : kUpStep)));
}

// The sign between the pans, the balance's lock below it, and the two
// animals that play when clicked.
inline constexpr platform::Rect kSign{282, 256, 52, 52};
inline constexpr platform::Rect kLock{288, 320, 41, 43};
inline constexpr platform::Rect kHedgehog{200, 300, 65, 125};
inline constexpr platform::Rect kMouse{460, 336, 119, 77};

}  // namespace tapo::games::vahy
