// Animation scripts and the ways they are shown.
//
// A script (.DAT) names a clip (path below the media folder, without
// extension; the clip is that + ".AVI", its sound that + ".WAV"), the
// picture box's left, top, width and height, a closing frame ("final", 0 or
// less for none), and up to 100 steps "FRAMExMS": a clip frame and how long
// it stays.  Hold times run from the moment the previous step was shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/tapo_iii.h"
#include "platform/ui.h"

namespace tapo::core {

struct AnimationStep {
  int frame = 0;
  int hold_ms = 0;
};

struct AnimationScript {
  std::string clip;  // "\\TERC\\STRELBA"
  int left = 0, top = 0, width = 0, height = 0;
  int final_frame = 0;
  std::vector<AnimationStep> steps;
};

inline constexpr size_t kMaxAnimationSteps = 100;
// A box's corner lies within this of the scene's; it is at most scene-sized.
inline constexpr int kAnimationReach = 32768;
inline constexpr int kMaxAnimationWidth = 640, kMaxAnimationHeight = 480;
// A step shows a frame 0..255 for 0..32767 ms; a closing frame is at most 32767.
inline constexpr int kMaxStepFrame = 255, kMaxHoldMs = 32767, kMaxFinalFrame = 32767;

// Parses a script; nullopt when it has no complete header or its box lies
// beyond the scene or is larger than it.  With
// `clip_is_line` the clip is the whole first line (as the keyed animation reads
// it).  Problems (bad step lines, too many steps, values beyond their bounds,
// which are clamped) go to `problems`; a script with any is damaged.
std::optional<AnimationScript> parse_animation_script(std::string_view text, bool clip_is_line,
                                                      std::vector<std::string>* problems = nullptr);

// The common animation: frames shown in the box, scaled to it; a closing frame
// is left on the form's background.  The script is taken from the data
// folder when a file of its bare name is there.
void play_animation(const MediaPath& script, platform::PictureBox& box);
// Frames mixed onto the form's background with the key colour transparent;
// the box stays visible with the last picture.
void play_animation_keyed(const MediaPath& script, platform::PictureBox& box);
// As keyed, the box sized to the clip's frames; a closing frame is left on the
// form's background and the box hidden.
void play_animation_frames(const MediaPath& script, platform::PictureBox& box);
// The town ride: frames drawn straight into the box, which moves to the
// position listed for each frame in `positions` (a file of index, x, y).
void play_ride(const MediaPath& script, platform::PictureBox& box, const MediaPath& positions);

}  // namespace tapo::core
