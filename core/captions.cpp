#include "core/captions.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>

#include "core/listinput.h"
#include "core/media.h"
#include "core/screen.h"
#include "platform/ini.h"
#include "platform/loop.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "platform/ui.h"

namespace tapo::core {

namespace pf = tapo::platform;

namespace {

struct State {
  bool on = false;
  std::string sound;                // the sound the lines belong to (its trace path)
  std::vector<CaptionLine> lines;
  std::string shown;                // the sentence in the strip; empty: no strip
  int wake_id = 0;                  // the loop's wake-up for the next sentence
  pf::Ms hold_until = 0;            // a short sound's line stays readable until then
  int hold_wake_id = 0;
  std::string note;                 // the screen's own text, while no sound has captions
  std::weak_ptr<pf::Form> note_form;
};

State& state() {
  static State s;
  return s;
}

const bool reset_registered = on_reset_shared_state([] { state() = State{}; });

// The strip: white on a dark band, as large as two lines allow.
constexpr int kMinShownMs = 1500;  // what a short sound (a "✗") says stays this long
constexpr int kMargin = 12;
constexpr int kLineWidth = 640 - 2 * kMargin;
constexpr int kSizes[] = {28, 24, 20};

// The captions' wide face, or the game's where only that has the signs.
pf::TextStyle caption_style(const std::string& text, int size) {
  pf::TextStyle style{size, true, pf::rgb(255, 255, 255), pf::Face::Captions};
  if (!pf::has_glyphs(text, style)) style.face = pf::Face::Game;
  return style;
}

// The strip lies where the active screen wants it; by itself at the bottom
// of the scene, or at the top where the bottom would cover more of the
// screen's controls (the answer buttons below a scene, say).
pf::Rect strip_place(int height) {
  const pf::Rect bottom{0, 480 - height, 640, height}, top{0, 0, 640, height};
  const auto form = pf::Forms::instance().active();
  if (const auto* screen = dynamic_cast<const Screen*>(form.get()); screen && screen->caption_place != CaptionPlace::Auto)
    return screen->caption_place == CaptionPlace::Top ? top : bottom;
  int under_bottom = 0, under_top = 0;
  // Controls that wait while Tapo talks count too: they answer right after.
  if (form)
    for (const auto& c : form->controls()) {
      if (!c->visible) continue;
      const pf::Rect at{form->bounds.x + c->rect.x, form->bounds.y + c->rect.y, c->rect.w, c->rect.h};
      under_bottom += !intersection(at, bottom).empty();
      under_top += !intersection(at, top).empty();
    }
  return under_top < under_bottom ? top : bottom;
}

struct Layout {
  pf::TextStyle style;
  std::vector<std::string> lines;
  int line_height = 0;
  pf::Rect strip;
};

// The largest size at which the sentence takes at most two lines; at the
// smallest, what does not fit is cut.
Layout lay_out(const std::string& text) {
  Layout l;
  for (int size : kSizes) {
    l.style = caption_style(text, size);
    l.lines = pf::wrap_text(text, l.style, kLineWidth);
    if (l.lines.size() <= 2) break;
  }
  if (l.lines.size() > 2) {
    l.lines.resize(2);
    l.lines[1] += " ...";
  }
  l.line_height = std::max(l.style.size + 6, pf::measure_text("Ag", l.style).h);
  l.strip = strip_place(static_cast<int>(l.lines.size()) * l.line_height + 12);
  return l;
}

void draw(pf::Surface& scene, const Layout& l) {
  // The scene shows through the band, darkened to a fifth.
  const pf::Rect part = intersection(l.strip, scene.clip());
  for (int y = part.y; y < part.y + part.h; ++y)
    for (int x = part.x; x < part.x + part.w; ++x) {
      const pf::Rgb c = scene.at(x, y);
      scene.set(x, y, pf::rgb(((c >> 16) & 255) / 5, ((c >> 8) & 255) / 5, (c & 255) / 5));
    }
  int y = l.strip.y + 6;
  for (const auto& line : l.lines) {
    const int w = pf::measure_text(line, l.style).w;
    pf::draw_text(scene, (640 - w) / 2, y, line, l.style);
    y += l.line_height;
  }
}

// When the next sentence of the sound that plays begins: the loop wakes
// then, for a sound played whole sleeps until its end otherwise.
std::optional<pf::Ms> next_sentence() {
  const auto& s = state();
  const auto& ch = pf::SoundChannel::instance();
  if (!s.on) return std::nullopt;
  const CaptionLine* heard = caption_at(s.lines, ch.position());
  const CaptionLine* next = heard ? heard + 1 : s.lines.data();
  if (next == s.lines.data() + s.lines.size()) return std::nullopt;
  const auto at = ch.moment_at(next->start);
  if (!at) return std::nullopt;
  return std::max(*at, pf::Loop::instance().now() + 1);  // never a moment passed: that would spin
}

void show(const std::string& text) {
  auto& forms = pf::Forms::instance();
  if (text.empty()) return forms.clear_overlay();
  auto layout = std::make_shared<const Layout>(lay_out(text));
  forms.set_overlay(layout->strip, [layout](pf::Surface& scene) { draw(scene, *layout); });
}

}  // namespace

void read_caption_setting() { state().on = pf::read_ini(config_file(), "Tapo MAT", "CAPTIONS") == "1"; }

void toggle_captions() {
  state().on = !state().on;
  pf::trace::event("captions", state().on ? "on" : "off");
  remember_setting("CAPTIONS", state().on ? "1" : "0");
  update_caption();
}

void captions_for_sound(const MediaPath& wav, std::optional<std::uint32_t> sound_bytes) {
  auto& s = state();
  if (const std::string name = trace_path(wav); name != s.sound) {
    s.sound = name;
    s.lines.clear();
    // Read at once: most sounds have no captions, and a missing file is no fault.
    const MediaPath file{wav.root, with_extension_at_first_dot(wav.path, "TXT")};
    if (auto text = read_text_file(real_path(file))) {
      bool damaged = false;
      s.lines = read_captions(*text, &damaged);
      if (damaged || (sound_bytes && !s.lines.empty() && s.lines.back().start > *sound_bytes)) note_unreadable(file);
    }
  }
  // Renewed with every sound, since the loop may have dropped it.
  auto& loop = pf::Loop::instance();
  if (s.wake_id) loop.remove_wake_source(s.wake_id);
  s.wake_id = s.lines.size() > 1 ? loop.add_wake_source(next_sentence) : 0;
}

void set_screen_caption(std::string text) {
  auto& s = state();
  s.note = std::move(text);
  s.note_form = pf::Forms::instance().active();
  update_caption();
}

void update_caption() {
  auto& s = state();
  auto& ch = pf::SoundChannel::instance();
  auto& loop = pf::Loop::instance();
  std::string want;
  // Between the sentences of a talk the sound stands still: the next
  // sentence shows from its mark on.
  const bool sounding = ch.is_open() && (ch.mode() == pf::SoundChannel::kPlaying || talk_active);
  if (s.on && sounding)
    if (const CaptionLine* line = caption_at(s.lines, ch.position())) want = line->text;
  // A short sound that played to its end leaves its line a little longer;
  // one cut short takes it along at once.
  if (want.empty() && s.on && ch.is_open() && loop.now() < s.hold_until) return;
  if (want.empty() && s.on && !s.note.empty()) {
    if (s.note_form.lock() == pf::Forms::instance().active())
      want = s.note;
    else
      s.note.clear();
  }
  if (want == s.shown) return;
  const bool spoken = !want.empty() && want != s.note;
  s.hold_until = spoken ? loop.now() + kMinShownMs : 0;
  if (s.hold_wake_id) loop.remove_wake_source(s.hold_wake_id);
  s.hold_wake_id = spoken ? loop.add_wake_source([] {
    const pf::Ms until = state().hold_until;
    return until > pf::Loop::instance().now() ? std::optional<pf::Ms>(until) : std::nullopt;
  })
                          : 0;
  s.shown = want;
  pf::trace::event("caption", want);
  show(want);
}

}  // namespace tapo::core
