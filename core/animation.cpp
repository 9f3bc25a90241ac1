#include "core/animation.h"

#include <sys/stat.h>

#include <array>
#include <filesystem>
#include <functional>

#include "core/captions.h"
#include "core/keying.h"
#include "core/listinput.h"
#include "core/media.h"
#include "platform/clip.h"
#include "platform/i18n.h"
#include "platform/loop.h"
#include "platform/sound.h"
#include "platform/trace.h"

namespace tapo::core {

namespace pf = tapo::platform;
namespace fs = std::filesystem;

namespace {

const MediaPath kSoundCopy{Root::Work, "\\ZVUK.WAV"};

// Each problem of a script is told once per run.
void report_problem(const MediaPath& script, const std::string& what) {
  const std::string line = trace_path(script) + ": " + what;
  if (!first_telling("problem " + line)) return;
  pf::trace::event("problem", line);
  std::fprintf(stderr, "tapo: %s\n", line.c_str());
}

// Draws `src` scaled (nearest neighbour) over the whole of `dst`.
void draw_scaled(pf::Surface& dst, const pf::Surface& src) {
  if (src.width() == dst.width() && src.height() == dst.height()) return dst.blit(src, 0, 0);
  if (src.empty()) return;
  for (int y = 0; y < dst.height(); ++y) {
    const int sy = y * src.height() / dst.height();
    for (int x = 0; x < dst.width(); ++x) dst.set(x, y, src.at(x * src.width() / dst.width(), sy));
  }
}

void resize_box(pf::PictureBox& box, int w, int h) {
  box.rect.w = std::max(0, w);
  box.rect.h = std::max(0, h);
  if (box.image.width() != box.rect.w || box.image.height() != box.rect.h)
    box.image = pf::Surface(box.rect.w, box.rect.h);
}

// Moves the box to the script's place and size.
void place_box(pf::PictureBox& box, const AnimationScript& s) {
  box.rect.x = s.left;
  box.rect.y = s.top;
  resize_box(box, s.width, s.height);
}

// What every animation does around its frames: the form disabled and the
// pointer hidden while it runs (both put back as they were however the run
// ends), the sound of the clip copied and played.
class AnimationRun {
 public:
  AnimationRun(const MediaPath& script, pf::PictureBox& box)
      : box_(box), form_(box.form()), keep_(form_.shared_from_this()), was_enabled_(form_.enabled) {
    hide_cursor();
    form_.enabled = false;
    close_sound();
    std::error_code ec;
    fs::remove(real_path(kSoundCopy), ec);
    pf::trace::event("anim", trace_path(script));
    script_ = script;
  }
  ~AnimationRun() {
    form_.enabled = was_enabled_;
    form_.refresh();
    show_cursor();
    pf::trace::event("anim-end", trace_path(script_));
  }
  AnimationRun(const AnimationRun&) = delete;
  AnimationRun& operator=(const AnimationRun&) = delete;

  // Reads and parses the script; nullopt (reported) when it cannot be played.
  std::optional<AnimationScript> load(const MediaPath& file, bool clip_is_line) {
    auto text = read_text_file(real_path(file));
    if (!text) {
      note_unreadable(file);
      return std::nullopt;
    }
    std::vector<std::string> problems;
    auto parsed = parse_animation_script(*text, clip_is_line, &problems);
    for (const auto& p : problems) report_problem(file, p);
    if (!parsed && problems.empty()) report_problem(file, "no header");
    if (!parsed || !problems.empty()) note_unreadable(file);  // a script played in part is damaged too
    return parsed;
  }

  // Copies the clip's sound to the work folder and plays the copy.
  void play_sound(const fs::path& wav, const MediaPath& shown_as) {
    std::error_code ec;
    if (!fs::is_regular_file(wav, ec)) {
      note_unreadable(shown_as);
      return;
    }
    const fs::path copy = real_path(kSoundCopy);
    fs::copy_file(wav, copy, fs::copy_options::overwrite_existing, ec);
    if (ec) return;
    ::chmod(copy.c_str(), 0644);  // a copy from a read-only medium stays writable
    std::shared_ptr<const pf::WavData> sound;
    if (auto loaded = pf::load_wav(copy)) sound = std::make_shared<const pf::WavData>(std::move(*loaded));
    play_wav_range(kSoundCopy, sound, 0, -1);
    captions_for_sound(shown_as, sound ? std::optional(sound->data_bytes) : std::nullopt);  // the copy's captions are the clip's own
    // A source that cannot be played, wholly or in part, is told by its own name.
    if (!pf::SoundChannel::instance().is_open() || (sound && sound->damaged)) note_unreadable(shown_as);
  }

  // Frame n of the clip (null when it has none).  A frame the clip does not
  // have names the script that asked for it; a clip found damaged is named.
  const pf::Surface* frame(pf::Clip& avi, int n, const MediaPath& clip) {
    const pf::Surface* f = avi.frame(n);
    if (n < avi.start() || n >= avi.start() + avi.length()) note_unreadable(script_);
    if (avi.damaged()) note_unreadable(clip);
    return f;
  }

  // Shows step 0 (already drawn by the caller), then holds each step for its
  // time, measured from the moment it was shown, calling show(k) for the next.
  void run_steps(const std::vector<AnimationStep>& steps, bool first_hold_counts,
                 const std::function<void(size_t)>& show) {
    auto& loop = pf::Loop::instance();
    pf::Ms t0 = loop.now();
    for (size_t k = 0; k < steps.size(); ++k) {
      const int hold = (k == 0 && !first_hold_counts) ? 0 : steps[k].hold_ms;
      loop.wait_until(t0 + hold);  // at least one pass, so a 0 ms step is shown once
      t0 = loop.now();
      if (k + 1 < steps.size()) {
        pf::trace::event("anim-frame", std::to_string(steps[k + 1].frame));
        show(k + 1);
      }
    }
  }

  pf::PictureBox& box_;
  pf::Form& form_;

 private:
  std::shared_ptr<pf::Form> keep_;
  bool was_enabled_;
  MediaPath script_;
};

// A script without steps shows frame 0 once.
std::vector<AnimationStep> steps_of(const AnimationScript& s) {
  return s.steps.empty() ? std::vector<AnimationStep>{{0, 0}} : s.steps;
}

MediaPath media_of(const std::string& clip, const char* ext) { return {Root::Media, clip + ext}; }

// Opens a clip for the animations that must have it; a failure ends the program.
std::shared_ptr<pf::Clip> open_or_fail(const MediaPath& clip, const pf::PictureBox& box) {
  pf::Clip::Error error = pf::Clip::Error::None;
  auto avi = pf::Clip::open_kept(real_path(clip), &error, &box.form());
  if (avi) return avi;
  note_unreadable(clip);
  clip_failure(error == pf::Clip::Error::Decoder, pf::tr("Stop!"));
}

// The form's background under the box, with the frame mixed over it, into
// `mix`; `sized` holds the frame at the box's size.  Both are kept from frame
// to frame, so a show does not take and give back their memory at each one.
void mix_over_background(const pf::Form& form, const pf::PictureBox& box, const pf::Surface& frame,
                         pf::Surface& sized, pf::Surface& mix) {
  mix.reset(box.rect.w, box.rect.h);
  mix.blit(form.picture, box.rect.x, box.rect.y, box.rect.w, box.rect.h, 0, 0);
  sized.reset(box.rect.w, box.rect.h);
  draw_scaled(sized, frame);
  compose_transparent(sized, sized.width(), sized.height(), key_colour(sized), mix, mix);
}

}  // namespace

void play_animation(const MediaPath& script, pf::PictureBox& box) {
  // A script of the same bare name in the data folder replaces the media copy.
  MediaPath file = script;
  const std::string bare = file_name_of(script.path);
  if (fs::is_regular_file(data_dir_join(bare))) file = {Root::Data, "\\" + bare};
  AnimationRun run(file, box);
  auto s = run.load(file, false);
  if (!s) return;
  place_box(box, *s);

  const std::string clip_bare = file_name_of(s->clip);
  const bool clip_in_data = fs::is_regular_file(data_dir_join(clip_bare + ".AVI"));
  const MediaPath clip = clip_in_data ? MediaPath{Root::Data, "\\" + clip_bare + ".AVI"} : media_of(s->clip, ".AVI");
  pf::Clip::Error error = pf::Clip::Error::None;
  auto avi = pf::Clip::open_kept(real_path(clip), &error, &box.form());
  if (!avi) note_unreadable(clip);

  const auto steps = steps_of(*s);
  auto show = [&](size_t k) {
    if (!avi) return;
    if (const pf::Surface* f = run.frame(*avi, steps[k].frame, clip)) draw_scaled(box.image, *f);
    box.refresh();
  };
  show(0);
  const bool wav_in_data = fs::is_regular_file(data_dir_join(clip_bare + ".WAV"));
  run.play_sound(wav_in_data ? data_dir_join(clip_bare + ".WAV") : real_path(media_of(s->clip, ".WAV")),
                 wav_in_data ? MediaPath{Root::Data, "\\" + clip_bare + ".WAV"} : media_of(s->clip, ".WAV"));
  box.visible = true;
  run.run_steps(steps, true, show);

  if (s->final_frame > 0 && avi) {
    if (const pf::Surface* f = run.frame(*avi, s->final_frame, clip)) {
      pf::Surface closing(box.rect.w, box.rect.h);
      draw_scaled(closing, *f);
      run.form_.picture.blit(closing, box.rect.x, box.rect.y);
    }
  }
  box.visible = false;
}

namespace {

// The two mixing animations share everything but where their frames come from.
void play_mixed(const MediaPath& script, pf::PictureBox& box, bool sized_to_clip) {
  AnimationRun run(script, box);
  auto s = run.load(script, true);
  if (!s) return;
  const MediaPath clip = media_of(s->clip, ".AVI");
  std::shared_ptr<pf::Clip> avi;
  if (sized_to_clip) {
    avi = open_or_fail(clip, box);
  } else {
    avi = pf::Clip::open_kept(real_path(clip), nullptr, &box.form());
    if (!avi) note_unreadable(clip);
  }
  place_box(box, *s);
  if (sized_to_clip) resize_box(box, avi->width(), avi->height());

  const auto steps = steps_of(*s);
  pf::Surface sized, last;
  auto show = [&](size_t k) {
    const pf::Surface* f = avi ? run.frame(*avi, avi->start() + steps[k].frame, clip) : nullptr;
    if (!f) return;
    mix_over_background(run.form_, box, *f, sized, last);
    box.image.blit(last, 0, 0);
    box.refresh();
  };
  show(0);
  run.play_sound(real_path(media_of(s->clip, ".WAV")), media_of(s->clip, ".WAV"));
  box.visible = true;
  run.run_steps(steps, true, show);

  if (!sized_to_clip) return;  // the keyed animation leaves the box showing its last picture
  if (s->final_frame > 0 && !last.empty()) run.form_.picture.blit(last, box.rect.x, box.rect.y);
  box.visible = false;
}

}  // namespace

void play_animation_keyed(const MediaPath& script, pf::PictureBox& box) { play_mixed(script, box, false); }

void play_animation_frames(const MediaPath& script, pf::PictureBox& box) { play_mixed(script, box, true); }

void play_ride(const MediaPath& script, pf::PictureBox& box, const MediaPath& positions_file) {
  AnimationRun run(script, box);
  auto s = run.load(script, false);
  if (!s) return;
  place_box(box, *s);

  auto avi = open_or_fail(media_of(s->clip, ".AVI"), box);
  resize_box(box, avi->width(), avi->height());
  const auto steps = steps_of(*s);

  // Record i: where the box stands while clip frame i + 1 is shown.
  std::array<std::pair<int, int>, 101> positions{};
  if (auto text = read_text_file(real_path(positions_file))) {
    const auto items = list_items(*text);
    bool sound = true;  // every place near the scene: the file is played
    bool whole = items.size() % 3 == 0;  // every record whole, every place on the scene, every frame placed
    std::array<bool, 101> listed{};
    const pf::Rect scene{0, 0, 640, 480};
    for (size_t i = 0; i + 2 < items.size(); i += 3) {
      const double index = val(items[i]), x = val(items[i + 1]), y = val(items[i + 2]);
      const bool near = x >= -kAnimationReach && x <= kAnimationReach && y >= -kAnimationReach && y <= kAnimationReach;
      sound = sound && near;
      whole = whole && is_whole_number(items[i]) && is_whole_number(items[i + 1]) && is_whole_number(items[i + 2]) &&
              index >= 0 && index <= 100;
      if (index >= 0 && index <= 100) {
        positions[static_cast<size_t>(index)] = {clamped_int(x, -kAnimationReach, kAnimationReach),
                                                 clamped_int(y, -kAnimationReach, kAnimationReach)};
        listed[static_cast<size_t>(index)] = true;
        const auto [px, py] = positions[static_cast<size_t>(index)];
        whole = whole && !intersection({px, py, box.rect.w, box.rect.h}, scene).empty();
      }
    }
    for (size_t k = 1; k < steps.size(); ++k)
      whole = whole && !(steps[k].frame >= 1 && steps[k].frame <= 101 && !listed[static_cast<size_t>(steps[k].frame - 1)]);
    if (!sound) positions = {};  // played as without the file
    if (!sound || !whole) note_unreadable(positions_file);
  } else {
    note_unreadable(positions_file);
  }

  const MediaPath clip = media_of(s->clip, ".AVI");
  auto draw = [&](int frame) {
    if (const pf::Surface* f = run.frame(*avi, frame, clip)) box.image.blit(*f, 0, 0);
    box.refresh();
  };
  draw(avi->start() + steps[0].frame);
  run.play_sound(real_path(media_of(s->clip, ".WAV")), media_of(s->clip, ".WAV"));
  box.visible = true;
  run.run_steps(steps, false, [&](size_t k) {
    const int frame = steps[k].frame;
    const auto [x, y] = frame >= 1 && frame <= 101 ? positions[static_cast<size_t>(frame - 1)] : std::pair{0, 0};
    if (x != box.rect.x || y != box.rect.y) {
      box.visible = false;
      box.rect.x = x;
      box.rect.y = y;
    }
    draw(frame);
    box.visible = true;
  });
  box.visible = false;
}

}  // namespace tapo::core
