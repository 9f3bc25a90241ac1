// Animation scripts: any text gives a script whose steps are playable or no
// script.  Input: a first byte choosing how the clip line is read, then the
// script's text.
#include <string>
#include <vector>

#include "core/animation.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const bool clip_is_line = in.byte() & 1;
  std::vector<std::string> problems;
  const auto script = tapo::core::parse_animation_script(in.rest(), clip_is_line, &problems);
  if (!script) return 0;
  FUZZ_CHECK(script->steps.size() <= tapo::core::kMaxAnimationSteps, "at most 100 steps");
  for (const auto& step : script->steps) {
    FUZZ_CHECK(step.frame >= 0 && step.frame <= 255, "a step's frame is a byte");
    FUZZ_CHECK(step.hold_ms >= 0 && step.hold_ms <= 32767, "a step's hold time is a short");
  }
  return 0;
}
