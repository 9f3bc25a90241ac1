// Captions: the sentence Tapo is saying, shown in a strip at the bottom of
// the scene while a sound that has captions plays (INTRO.TXT beside
// INTRO.WAV: each sentence after the byte of the sound where it starts).
// Off by default; the key C switches them, and the settings file keeps it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/tapo_iii.h"

namespace tapo::core {

struct CaptionLine {
  std::uint32_t start = 0;  // bytes of the sound's sample data
  std::string text;
};

// The lines "START<TAB>SENTENCE" of a caption file, by start; any other
// line is skipped.
std::vector<CaptionLine> read_captions(std::string_view file_text);
// The sentence heard at `position`: the last one starting at or before it
// (null before the first).
const CaptionLine* caption_at(const std::vector<CaptionLine>& lines, std::uint32_t position);

// Reads the switch from the settings (CAPTIONS=1 in [Tapo MAT]).
void read_caption_setting();
bool captions_on();
// The key C: switches the captions and remembers it in the settings.
void toggle_captions();

// A sound starts: its captions are read, when it has a file of them.
void captions_for_sound(const MediaPath& wav);
// Shows, changes or hides the strip to match the sound channel; the loop
// calls it after every pass.  The trace tells each change: "caption TEXT",
// and "caption" alone when the strip goes.
void update_caption();

}  // namespace tapo::core
