// Captions: the sentence Tapo is saying, shown in a strip at the bottom of
// the scene while a sound that has captions plays (INTRO.TXT beside
// INTRO.WAV: each sentence after the byte of the sound where it starts).
// Off by default; the key C switches them, and the settings file keeps it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/talk_files.h"
#include "core/tapo_iii.h"

namespace tapo::core {

// Reads the switch from the settings (CAPTIONS=1 in [Tapo MAT]).
void read_caption_setting();
// The key C: switches the captions and remembers it in the settings.
void toggle_captions();

// A sound starts: its captions are read, when it has a file of them.  A
// caption file with lines it cannot read, or starts beyond the sound's
// `sound_bytes`, is named as damaged.
void captions_for_sound(const MediaPath& wav, std::optional<std::uint32_t> sound_bytes = std::nullopt);
// A text of the active screen's own (the name of the toy under the pointer)
// for the strip while captions are on and no sound has captions; "" takes
// it away, and so does another screen becoming active.
void set_screen_caption(std::string text);
// Shows, changes or hides the strip to match the sound channel; the loop
// calls it after every pass.  The trace tells each change: "caption TEXT",
// and "caption" alone when the strip goes.
void update_caption();

}  // namespace tapo::core
