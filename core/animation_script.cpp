#include <algorithm>

#include "core/animation.h"
#include "core/listinput.h"

namespace tapo::core {

std::optional<AnimationScript> parse_animation_script(std::string_view text, bool clip_is_line,
                                                      std::vector<std::string>* problems) {
  const auto lines = text_lines(text);
  AnimationScript s;
  size_t line = 0;
  std::vector<std::string> header;
  if (clip_is_line) {
    if (lines.empty()) return std::nullopt;
    s.clip = lines[0];
    header.push_back(s.clip);
    line = 1;
  }
  // The header's values, by list input, line after line.
  while (header.size() < 6 && line < lines.size()) {
    for (auto& item : list_items(lines[line])) header.push_back(std::move(item));
    ++line;
  }
  if (header.size() < 6) return std::nullopt;
  if (!clip_is_line) s.clip = header[0];
  // The box lies near the scene and is at most scene-sized; a header
  // claiming more is damaged.
  const double left = val(header[1]), top = val(header[2]), width = val(header[3]), height = val(header[4]);
  auto near = [](double v) { return v >= -kAnimationReach && v <= kAnimationReach; };
  if (!near(left) || !near(top) || width > kMaxAnimationWidth || height > kMaxAnimationHeight) {
    if (problems) problems->push_back("the box lies beyond the scene");
    return std::nullopt;
  }
  s.left = clamped_int(left, -kAnimationReach, kAnimationReach);
  s.top = clamped_int(top, -kAnimationReach, kAnimationReach);
  s.width = clamped_int(width, 0, kMaxAnimationWidth);
  s.height = clamped_int(height, 0, kMaxAnimationHeight);
  const double final_frame = val(header[5]);
  if (final_frame > kMaxFinalFrame && problems) problems->push_back("a closing frame beyond any clip");
  s.final_frame = clamped_int(final_frame, -1, kMaxFinalFrame);
  if (header.size() > 6 && problems) problems->push_back("values after the header on its last line are ignored");

  // Trailing empty lines are no steps.
  size_t end = lines.size();
  while (end > line && lines[end - 1].find_first_not_of(" \t") == std::string::npos) --end;
  for (; line < end; ++line) {
    const std::string& l = lines[line];
    const auto x = l.find_first_of("xX");
    if (x == std::string::npos) {
      if (problems) problems->push_back("bad step line " + std::to_string(line + 1) + ": \"" + l + "\"");
      continue;
    }
    if (s.steps.size() == kMaxAnimationSteps) {
      if (problems) problems->push_back("more than 100 steps; the rest is not played");
      break;
    }
    AnimationStep step;
    const double frame = val(std::string_view(l).substr(0, x)), hold = val(std::string_view(l).substr(x + 1));
    // Played clamped, as always; but a negative step, a frame past any clip
    // or a hold of more than half a minute is no script's own.
    if ((frame < 0 || frame > kMaxStepFrame || hold < 0 || hold > kMaxHoldMs) && problems)
      problems->push_back("step line " + std::to_string(line + 1) + " beyond its bounds: \"" + l + "\"");
    step.frame = clamped_int(frame, 0, kMaxStepFrame);
    step.hold_ms = clamped_int(hold, 0, kMaxHoldMs);
    s.steps.push_back(step);
  }
  return s;
}

}  // namespace tapo::core
