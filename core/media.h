// Sounds, single clip frames and the talking head.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "core/tapo_iii.h"
#include "platform/ui.h"

namespace tapo::platform {
struct WavData;
}

namespace tapo::core {

// "Close" on the one sound channel: whatever plays stops at once.
void close_sound();
// Plays a whole WAV file; returns at once.  A missing file plays nothing.
void play_wav(const MediaPath& wav);
// Plays bytes from..to of the file's sample data (to = -1: to its end).
void play_wav_range(const MediaPath& wav, std::uint32_t from, std::int64_t to);
// The same for a sound already decoded (null: read from the file as above).
// A file found damaged in part is named and played as far as it goes; a
// sound decoded before is the caller's to name.
void play_wav_range(const MediaPath& wav, std::shared_ptr<const platform::WavData> decoded, std::uint32_t from,
                    std::int64_t to);
// SoundChannel::kPlaying while a sound plays, kStopped once it has stopped,
// 0 when closed.
int sound_mode();
// Whether a sound plays now; whether the sound that plays now is that file.
bool sound_playing();
bool sound_playing(const MediaPath& wav);

// A picture of the game's media; a missing one is noted in the trace.
std::optional<platform::Surface> load_media_picture(const MediaPath& picture);

// Waits `ms` milliseconds, processing events.
void wait_ms(int ms);
// Waits until the sound that plays has ended, handling nothing meanwhile
// (input stays queued until after).
void wait_for_sound_without_events();

// Draws frame `offset` of a clip into the picture box, sized to the frame.
void show_avi_frame(const MediaPath& clip, platform::PictureBox& box, int offset);

// The mascot speaks: the WAV of the mark file plays in segments between its
// marks while the box shows random mouth frames of the clip.  Returns when
// the speech has ended or talk_abort was set.
void play_talking_clip(const MediaPath& marks, const MediaPath& clip, platform::PictureBox& box);

// Tapo's voice on a screen, the same on every one.
// Says the speech of `marks` with the mouths of `face` in his head's box.
void say(const MediaPath& marks, const MediaPath& face, platform::PictureBox& head);
// He stops at his next pause, and whatever sound plays is cut.
void silence();
// The same, and his head goes from the screen at once.
void hush(platform::PictureBox& head);
// hush() while he is talking; the screen then takes what happened meanwhile
// (a click that cut him short acts once he has stopped).
void interrupt_talk(platform::PictureBox& head);

// The file name up to and including its first dot, followed by `ext`
// ("\\TERC\\INTRO.DAT", "WAV" -> "\\TERC\\INTRO.WAV").
std::string with_extension_at_first_dot(const std::string& path, const char* ext);

// Ends the program with a message box (the clip failures of the animations and the talking head).
[[noreturn]] void clip_failure(bool no_decoder, const std::string& text);

}  // namespace tapo::core
