// The talking head's own files beside its sound and clip: the marks (byte
// offsets of the pauses in the sound), the placement ("unused, left, top")
// and the captions (each sentence after the byte where it starts).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace tapo::core {

// The first 20 marks, each within 0 .. 2^32 - 1.  `damaged` is set (and the
// marks still read as before) when an item is no whole number, a mark lies
// beyond that range or before the one ahead of it, or there are more than 20.
std::vector<std::uint32_t> read_marks(std::string_view text, bool* damaged = nullptr);
// Where the head stands ("unused, left, top"): nothing when the file has
// fewer than three items or lies farther than 32768 from the scene's corner.
// `damaged` is set then, and also (the place still read) when the file holds
// other than three whole numbers or the place lies off the scene.
std::optional<platform::Point> read_placement(std::string_view text, bool& damaged);

struct CaptionLine {
  std::uint32_t start = 0;  // bytes of the sound's sample data
  std::string text;
};

// The lines "START<TAB>SENTENCE" of a caption file, by start; any other
// line is skipped, and sets `damaged` unless it is empty.  A file without a
// single line, cut short before its last line end, or with control
// characters in a sentence is damaged too.
std::vector<CaptionLine> read_captions(std::string_view file_text, bool* damaged = nullptr);
// The sentence heard at `position`: the last one starting at or before it
// (null before the first).
const CaptionLine* caption_at(const std::vector<CaptionLine>& lines, std::uint32_t position);

}  // namespace tapo::core
