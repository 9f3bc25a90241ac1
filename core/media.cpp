#include "core/media.h"

#include "core/captions.h"
#include "core/talk_files.h"

#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "core/listinput.h"
#include "core/random.h"
#include "platform/clip.h"
#include "platform/i18n.h"
#include "platform/loop.h"
#include "platform/msgbox.h"
#include "platform/sound.h"
#include "platform/trace.h"

namespace tapo::core {

namespace pf = tapo::platform;

namespace {

constexpr int kMouthFrameMs = 100;
constexpr int kMarkPauseMs = 300;

// Puts a decoded frame into the box's picture at its top left.
void draw_frame(pf::PictureBox& box, const pf::Surface& frame) {
  box.image.blit(frame, 0, 0);
  box.refresh();
}

void size_box_to(pf::PictureBox& box, int w, int h) {
  box.rect.w = w;
  box.rect.h = h;
  if (box.image.width() != w || box.image.height() != h) box.image = pf::Surface(w, h);
}

}  // namespace

std::string with_extension_at_first_dot(const std::string& path, const char* ext) {
  const auto dot = path.find('.');
  return (dot == std::string::npos ? path + "." : path.substr(0, dot + 1)) + ext;
}

void close_sound() {
  auto& ch = pf::SoundChannel::instance();
  if (ch.is_open()) pf::trace::event("sound-close");
  ch.close();
}

void play_wav(const MediaPath& wav) { play_wav_range(wav, 0, -1); }

void play_wav_range(const MediaPath& wav, std::uint32_t from, std::int64_t to) { play_wav_range(wav, nullptr, from, to); }

namespace {
std::string last_sound;  // the trace path of the file the channel was given last
}  // namespace

bool sound_playing() { return sound_mode() == pf::SoundChannel::kPlaying; }
bool sound_playing(const MediaPath& wav) { return sound_playing() && last_sound == trace_path(wav); }

void play_wav_range(const MediaPath& wav, std::shared_ptr<const pf::WavData> decoded, std::uint32_t from, std::int64_t to) {
  close_sound();
  last_sound = trace_path(wav);
  auto& ch = pf::SoundChannel::instance();
  std::string args = trace_path(wav);
  if (from != 0 || to != -1) args += " " + std::to_string(from) + " " + std::to_string(to);
  pf::trace::event("sound", args);
  if (!decoded) {
    if (auto loaded = pf::load_wav(real_path(wav))) {
      if (loaded->damaged) note_unreadable(wav);  // played as far as it goes
      decoded = std::make_shared<const pf::WavData>(std::move(*loaded));
    }
  }
  captions_for_sound(wav, decoded ? std::optional(decoded->data_bytes) : std::nullopt);
  if (!decoded) {
    note_unreadable(wav);
    return;
  }
  ch.open(std::move(decoded));
  if (to < 0)
    ch.play(from);
  else
    ch.play(from, static_cast<std::uint32_t>(to));
}

std::optional<pf::Surface> load_media_picture(const MediaPath& picture) {
  bool damaged = false;
  auto s = pf::Surface::load_bmp(real_path(picture), &damaged);
  if (!s || damaged) note_unreadable(picture);
  return s;
}

int sound_mode() { return pf::SoundChannel::instance().mode(); }

void wait_ms(int ms) {
  auto& loop = pf::Loop::instance();
  const pf::Ms t0 = loop.now();
  // The tick count must pass t0 + ms; the first pass does not count.
  loop.wait_until(t0 + ms + 1);
}

void wait_for_sound_without_events() {
  auto& sound = pf::SoundChannel::instance();
  while (sound.mode() == pf::SoundChannel::kPlaying) {
    const auto end = sound.end_moment();
    if (!end) break;
    pf::Loop::instance().sleep_until(*end);
  }
}

void clip_failure(bool no_decoder, const std::string& text) {
  show_cursor();
  if (no_decoder)
    pf::message_box(app_title(), pf::tr("No decoder was found for a video clip of the game. Please install the "
                                        "game's media again."));
  pf::message_box(app_title(), text);
  end_program(0);
}

void show_avi_frame(const MediaPath& clip, pf::PictureBox& box, int offset) {
  pf::trace::event("frame", trace_path(clip) + " " + std::to_string(offset));
  pf::Clip::Error error = pf::Clip::Error::None;
  auto avi = pf::Clip::open_kept(real_path(clip), &error, &box.form());
  if (!avi) {
    note_unreadable(clip);
    clip_failure(error == pf::Clip::Error::Decoder,
                 pf::tr("A video clip of the game cannot be read. Please install the game's media again."));
  }
  size_box_to(box, avi->width(), avi->height());
  // A frame the screen asks for and the clip does not have names the clip.
  const pf::Surface* frame = avi->frame(avi->start() + offset);
  if (frame) draw_frame(box, *frame);
  if (!frame || avi->damaged()) note_unreadable(clip);
}

void say(const MediaPath& marks, const MediaPath& face, pf::PictureBox& head) {
  talk_abort = false;
  play_talking_clip(marks, face, head);
}

void silence() {
  talk_abort = true;
  close_sound();
}

void hush(pf::PictureBox& head) {
  silence();
  head.visible = false;
  head.refresh();
}

void interrupt_talk(pf::PictureBox& head) {
  if (!talk_active) return;
  hush(head);
  pf::Loop::instance().do_events();
}

void play_talking_clip(const MediaPath& marks_file, const MediaPath& clip, pf::PictureBox& box) {
  auto& loop = pf::Loop::instance();
  auto& ch = pf::SoundChannel::instance();
  pf::trace::event("talk", trace_path(marks_file) + " " + trace_path(clip));
  talk_active = true;

  std::vector<std::uint32_t> marks;
  bool marks_damaged = false;
  if (auto text = read_text_file(real_path(marks_file)))
    marks = read_marks(*text, &marks_damaged);
  else
    note_unreadable(marks_file);

  const MediaPath placement{clip.root, with_extension_at_first_dot(clip.path, "DAT")};
  if (auto text = read_text_file(real_path(placement))) {
    bool damaged = false;
    if (const auto at = read_placement(*text, damaged)) {
      box.rect.x = at->x;
      box.rect.y = at->y;
    }
    if (damaged) note_unreadable(placement);  // left where it stands, as without the file
  } else {
    note_unreadable(placement);
  }

  pf::Clip::Error error = pf::Clip::Error::None;
  auto avi = pf::Clip::open_kept(real_path(clip), &error, &box.form());
  if (!avi || avi->length() < 1) {
    talk_active = false;
    note_unreadable(clip);
    clip_failure(error == pf::Clip::Error::Decoder,
                 pf::tr("Tapo's talking clip cannot be played. Please install the game's media again."));
  }
  size_box_to(box, avi->width(), avi->height());
  const int s = avi->start(), length = avi->length();

  const MediaPath wav{marks_file.root, with_extension_at_first_dot(marks_file.path, "WAV")};
  const size_t n = marks.size();
  size_t g = 0;
  // Read and decoded once: the talk plays it in parts between the marks.
  std::shared_ptr<const pf::WavData> speech;
  if (auto loaded = pf::load_wav(real_path(wav))) {
    if (loaded->damaged) note_unreadable(wav);
    speech = std::make_shared<const pf::WavData>(std::move(*loaded));
  }
  // A pause beyond the end of the speech is never reached.
  if (marks_damaged || (speech && !marks.empty() && marks.back() > speech->data_bytes)) note_unreadable(marks_file);
  if (n > 0) {
    play_wav_range(wav, speech, 0, marks[0]);
    g = 1;
  } else {
    play_wav_range(wav, speech, 0, -1);
  }
  int previous = 0;

  // A mouth the clip cannot show, or a clip found damaged, is named; the talk goes on.
  auto show_mouth = [&](int f) {
    if (const pf::Surface* frame = avi->frame(f)) draw_frame(box, *frame);
    if (avi->damaged()) note_unreadable(clip);
  };
  show_mouth(s + std::min(1, length - 1));
  box.visible = true;
  box.refresh();

  // The talk ends here, or where its screen is left: then it counts as cut short.
  auto finish = [&box](bool aborted) {
    if (!aborted) {
      box.visible = false;
      box.refresh();
    }
    talk_active = false;
    close_sound();
    pf::trace::event("talk-end", aborted ? "aborted" : "done");
  };
  try {
    for (;;) {
      const int m1 = ch.mode(), m2 = ch.mode();
      if (!(m1 == pf::SoundChannel::kStopped || m2 == pf::SoundChannel::kPlaying)) break;
      talk_active = true;
      if (g != 0 && ch.position() >= marks[g - 1]) {
        box.visible = false;
        box.refresh();
        loop.wait_ms(kMarkPauseMs);
        ++g;
        if (g > n) {
          play_wav_range(wav, speech, marks[g - 2], -1);
          g = 0;
        } else {
          play_wav_range(wav, speech, marks[g - 2], marks[g - 1]);
        }
        box.visible = true;
        box.refresh();
      }
      if (ch.position() >= ch.length()) break;
      // A new mouth, never the same twice in a row (clips with fewer than
      // three frames have only one mouth to show).
      int f = previous;
      if (length >= 3) {
        do {
          f = static_cast<int>(rnd() * (length - 1) + s + 1);
        } while (f == previous);
      } else {
        f = s + length - 1;
      }
      previous = f;
      show_mouth(f);
      loop.wait_ms(kMouthFrameMs);
      if (talk_abort) return finish(true);
    }
  } catch (const pf::FormLeft&) {
    finish(true);
    throw;
  }
  finish(false);
}

}  // namespace tapo::core
