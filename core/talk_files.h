// The talking head's own files beside its sound and clip: the marks (byte
// offsets of the pauses in the sound) and the placement ("unused, left, top").
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace tapo::core {

// The first 20 marks, each within 0 .. 2^32 - 1.
std::vector<std::uint32_t> read_marks(std::string_view text);
// Where the head stands: nothing when the file has fewer than three items,
// and nothing with `damaged` set when it lies farther than 32768 from the
// scene's corner.
std::optional<platform::Point> read_placement(std::string_view text, bool& damaged);

}  // namespace tapo::core
