// tapo-bench: the figures that say whether the game is kind to the machine.
// Runs on the real clock with SDL's dummy audio driver and prints one figure
// a line, "name value unit":
//   present_path       the video driver, window size and presentation path
//   cpu_idle_pct       CPU over wall time while a still screen waits 10 s
//   cpu_anim_pct       the same while animation scripts of 40 steps x 50 ms play
//   cpu_talk_pct       the same while a talking clip of 10 s plays
//   cpu_hover_pct      the same while a 33 x 37 hover picture changes every 150 ms
//   cpu_frame_pct      the same while that picture changes at every display
//                      frame: what presenting a frame costs by itself
//   cpu_slide_pct      the same while a picture two screens wide, with twelve
//                      price tags on it, slides across and back (as the shop's)
//   cpu_plane_pct      the same while a paper plane flies across the scene (as
//                      the workbook's)
//   hold_error_ms_p99  99th percentile of |shown - scheduled| over the steps
//   decode_us_640x480  mean time to decode one 640 x 480 Cinepak frame
//   record_write_ms_p99  99th percentile of one answer's write to the learning
//                      record (one transaction, synced), and the median
//   peak_rss_mb        the most memory the benchmark held
//
// Without options it draws into SDL's dummy video driver.  With --window it
// opens a real 1024 x 768 window in the current display through the game's
// own presentation path; --game TAPO --demo DIR then also starts the real
// game on the demo media and prints its figures (game_*).  tools/bench/window.sh
// runs all of it in a virtual X display.  --only idle,slide,... runs just
// those CPU cases (to profile one of them), and the game's figures after them.
#include <SDL.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/flight.h"
#include "core/media.h"
#include "core/sliding_view.h"
#include "platform/clip.h"
#include "platform/display.h"
#include "platform/sound.h"
#include "platform/trace.h"
#include "platform/ui.h"
#include "players/record.h"
#include "tools/bench/game_run.h"
#include "tools/media_writers/avi_writer.h"
#include "tools/media_writers/clip_writer.h"
#include "tools/media_writers/wav_writer.h"

namespace fs = std::filesystem;
namespace pf = tapo::platform;
namespace core = tapo::core;
using Clock = std::chrono::steady_clock;

namespace {

class StillScreen : public pf::Form {
 public:
  StillScreen() : Form("bench_screen") {}
  void on_load() override {
    picture.fill(pf::rgb(90, 150, 220));
    video = &add<pf::PictureBox>("video", pf::Rect{0, 0, 10, 10});
    video->visible = false;
    bell = &add<pf::PictureBox>("bell", pf::Rect{432, 54, 33, 37});
  }
  pf::PictureBox* video = nullptr;
  pf::PictureBox* bell = nullptr;
};

// The shop's kind of screen: a picture two screens wide with price tags.
class WideScreen : public pf::Form {
 public:
  WideScreen() : Form("bench_wide") {}
  void on_load() override {
    wide = &add<pf::PictureBox>("wide", pf::Rect{0, 0, 1280, 480});
    wide->image = pf::Surface(1280, 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 1280; ++x) wide->image.set(x, y, pf::rgb((x / 3) & 255, (y / 2) & 255, (x ^ y) & 255));
    view.emplace(*wide);
    for (int k = 0; k < 12; ++k) {
      auto& tag = add<pf::Label>("tag" + std::to_string(k), pf::Rect{40 + 100 * k, 300 + 30 * (k % 3), 60, 24});
      tag.caption = std::to_string(5 + 3 * k);
      tag.centred = true;
      view->carry(tag);
    }
    plane = &add<core::MaskedSprite>("plane", pf::Rect{0, 0, 1, 1});
    plane->visible = false;
    plane->picture = pf::Surface(120, 60, pf::rgb(240, 240, 250));
    plane->mask = pf::Surface(120, 60, pf::rgb(255, 255, 255));
    for (int y = 0; y < 60; ++y)
      for (int x = 0; x < 120; ++x)
        if (y * 2 < x) plane->mask.set(x, y, 0);  // a wedge: the scene shows through
  }
  pf::PictureBox* wide = nullptr;
  std::optional<core::SlidingView> view;
  core::MaskedSprite* plane = nullptr;
};

// The CPU cases asked for with --only (",idle,slide,"), empty for all.
std::string only_cases;

double cpu_seconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// CPU time of `work` as a share of one core over its wall time; -1 when the
// case `name` was not asked for.
template <class F>
double cpu_pct(const char* name, F&& work) {
  if (!only_cases.empty() && only_cases.find("," + std::string(name) + ",") == std::string::npos) return -1;
  const double c0 = cpu_seconds();
  const auto t0 = Clock::now();
  work();
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  return 100.0 * (cpu_seconds() - c0) / wall;
}

void write_text(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

void make_media(const fs::path& dir) {
  fs::create_directories(dir / "media/B");
  fs::create_directories(dir / "work");
  fs::create_directories(dir / "data");
  tapo::media::Palette palette{};
  for (int i = 0; i < 256; ++i) palette[static_cast<size_t>(i)] = pf::rgb(i, 255 - i, (i * 7) & 255);
  std::vector<tapo::media::IndexedFrame> frames;
  for (int k = 0; k < 40; ++k) {
    tapo::media::IndexedFrame f{200, 150, std::vector<std::uint8_t>(200 * 150)};
    for (int y = 0; y < 150; ++y)
      for (int x = 0; x < 200; ++x) f.pixels[static_cast<size_t>(y) * 200 + x] = static_cast<std::uint8_t>((x / 10 + y / 10 + k) & 255);
    frames.push_back(std::move(f));
  }
  tapo::media::write_rle8_avi(dir / "media/B/CLIP.AVI", frames, palette, 20);
  std::string script = "\\B\\CLIP\n100\n100\n200\n150\n0\n";
  for (int k = 0; k < 40; ++k) script += std::to_string(k) + "x50\n";
  write_text(dir / "media/B/ANIM.DAT", script);

  namespace wav = tapo::testing::wav;
  std::vector<std::int16_t> tone(22050 * 10);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = static_cast<std::int16_t>(3000 * std::sin(i * 0.05));
  const std::string ten_seconds = wav::riff({wav::pcm_fmt(1, 22050, 16), wav::chunk("data", wav::samples16(tone))});
  wav::write(dir / "media/B/CLIP.WAV", ten_seconds);
  wav::write(dir / "media/B/TALK.WAV", ten_seconds);
  write_text(dir / "media/B/TALK.DAT", "100000\n200000\n300000\n");
  write_text(dir / "media/B/CLIP.DAT", "0,300,200\n");

  if (!only_cases.empty()) return;  // the clip to decode is for the full run only
  std::vector<pf::Surface> big;
  for (int k = 0; k < 24; ++k) {
    pf::Surface s(640, 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) s.set(x, y, pf::rgb((x + 4 * k) & 255, (y * 2) & 255, ((x ^ y) + k) & 255));
    big.push_back(std::move(s));
  }
  tapo::testing::ClipOptions opt;
  opt.key_interval = 12;
  tapo::testing::write_clip(dir / "media/B/BIG.AVI", tapo::testing::ClipCodec::Cinepak, big, opt);
}

// |shown - scheduled| of every step, from the trace of animations.
std::vector<double> hold_errors(const std::string& trace_text) {
  std::vector<double> errors;
  std::istringstream in(trace_text);
  std::string line;
  long long previous = -1;
  while (std::getline(in, line)) {
    std::istringstream l(line);
    long long ms;
    std::string ev;
    l >> ms >> ev;
    if (ev == "anim") previous = -1;
    if (ev != "anim-frame" && ev != "anim-end") continue;
    if (previous >= 0) errors.push_back(std::fabs(static_cast<double>(ms - (previous + 50))));
    previous = ms;
  }
  return errors;
}

}  // namespace

int main(int argc, char** argv) {
  bool window = false;
  fs::path game, demo;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--window") {
      window = true;
    } else if (a == "--game" && i + 1 < argc) {
      game = argv[++i];
    } else if (a == "--demo" && i + 1 < argc) {
      demo = argv[++i];
    } else if (a == "--only" && i + 1 < argc) {
      only_cases = "," + std::string(argv[++i]) + ",";
    } else {
      std::fprintf(stderr, "usage: tapo-bench [--window [--game TAPO --demo DIR]] [--only CASE,...]\n");
      return 2;
    }
  }
  if (!window) SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
  SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) return 1;
  const fs::path dir = fs::temp_directory_path() / ("tapo-bench-" + std::to_string(getpid()));
  make_media(dir);
  core::media_root = (dir / "media").string();
  core::work_dir = (dir / "work").string();
  core::data_dir = (dir / "data").string() + "/";

  auto& forms = pf::Forms::instance();
  auto& loop = pf::Loop::instance();
  auto& display = pf::Display::instance();
  auto finish = [&] {
    forms.clear();
    display.close();
    SDL_Quit();
    std::error_code ec;
    fs::remove_all(dir, ec);
    // Then the real game's figures, when asked for.
    return game.empty() || tapo::bench::run_game(game, demo.empty() ? game.parent_path() / "demo" : demo) ? 0 : 1;
  };
  display.open(false, "tapo-bench");
  pf::SoundChannel::instance().open_device();
  loop.set_input_handler([&forms](const pf::InputEvent& ev) { forms.dispatch(ev); });
  loop.set_present_hook([&display] { return display.present_if_dirty(); });
  pf::Forms::register_factory("bench_wide", [] { return std::static_pointer_cast<pf::Form>(std::make_shared<WideScreen>()); });
  pf::Forms::register_factory("bench_screen", [] { return std::static_pointer_cast<pf::Form>(std::make_shared<StillScreen>()); });
  auto screen = std::static_pointer_cast<StillScreen>(forms.get("bench_screen"));
  screen->show();
  loop.wait_while([&display] { return !display.has_window(); });
  if (window) display.set_window_size(1024, 768);
  loop.wait_ms(500);  // the window has its size and the first frame is up

  const double idle = cpu_pct("idle", [&] { loop.wait_ms(10000); });

  char* buf = nullptr;
  size_t len = 0;
  FILE* trace = open_memstream(&buf, &len);
  pf::trace::open(trace);
  const double anim = cpu_pct("anim", [&] {
    for (int i = 0; i < 5; ++i) core::play_animation({core::Root::Media, "\\B\\ANIM.DAT"}, *screen->video);
  });
  std::fflush(trace);
  auto errors = hold_errors(std::string(buf, len));
  const double talk = cpu_pct("talk", [&] {
    core::talk_abort = false;
    core::play_talking_clip({core::Root::Media, "\\B\\TALK.DAT"}, {core::Root::Media, "\\B\\CLIP.AVI"}, *screen->video);
  });
  pf::trace::close();
  std::free(buf);

  // A hover animation: the bell's four pictures, one every 150 ms.
  int cell = 0;
  pf::FormTimer hover(*screen, 150, [&] {
    cell = (cell + 1) % 4;
    screen->bell->image.fill(pf::rgb(200 + cell * 15, 160, 40 * cell));
    screen->bell->refresh();
  });
  hover.set_enabled(true);
  const double hover_cpu = cpu_pct("hover", [&] { loop.wait_ms(10000); });
  hover.set_enabled(false);
  // The same picture at every frame of the display: the least any movement
  // costs, whatever it draws.
  hover.set_interval(display.frame_ms());
  hover.set_enabled(true);
  const double frame_cpu = cpu_pct("frame", [&] { loop.wait_ms(5000); });
  hover.set_enabled(false);

  // The shop's slide across and back; then a plane over the still picture.
  auto wide = std::static_pointer_cast<WideScreen>(forms.get("bench_wide"));
  wide->show();
  loop.wait_ms(500);
  const double slide = cpu_pct("slide", [&] {
    wide->view->slide_to(-core::SlidingView::kHalf);
    wide->view->slide_to(0);
  });
  const double plane = cpu_pct("plane", [&] { core::fly_across(*wide->plane, 364); });
  wide->unload();
  if (!only_cases.empty()) {
    for (const auto& [name, value] : {std::pair{"idle", idle}, {"anim", anim}, {"talk", talk}, {"hover", hover_cpu},
                                      {"frame", frame_cpu}, {"slide", slide}, {"plane", plane}})
      if (value >= 0) std::printf("cpu_%s_pct %.2f %%\n", name, value);
    std::fflush(stdout);
    return finish();
  }

  std::sort(errors.begin(), errors.end());
  const double p99 = errors.empty() ? -1 : errors[std::min(errors.size() - 1, static_cast<size_t>(0.99 * errors.size()))];

  double decode_us = -1;
  if (auto clip = pf::Clip::open(dir / "media/B/BIG.AVI")) {
    const auto t0 = Clock::now();
    int decoded = 0;
    for (int i = 0; i < clip->length(); ++i) decoded += clip->frame(i) != nullptr;
    if (decoded) decode_us = std::chrono::duration<double, std::micro>(Clock::now() - t0).count() / decoded;
  }

  // A write to the learning record, as a game makes one for each judged
  // answer: one transaction, synced to the disk.
  core::player_id = "PRP";
  core::player_name = "Bench";
  std::vector<double> writes;
  for (int i = 0; i < 200; ++i) {
    const auto t0 = Clock::now();
    tapo::players::record::answer(
        {"frm_terc", 2, "sum of 3", "4 + 3 + 2 = ?", "9", i % 4 ? "9" : "8", i % 4 != 0, 1, 2300});
    writes.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  tapo::players::record::close();
  std::sort(writes.begin(), writes.end());
  const double write_p99 = writes[static_cast<size_t>(0.99 * writes.size())];

  const char* path = display.path() == pf::Display::Path::Renderer ? "renderer" : "window-surface";
  const pf::Surface shown = display.read_window();
  std::printf("present_path %s %dx%d %s\n", SDL_GetCurrentVideoDriver(), shown.width(), shown.height(), path);
  std::printf("cpu_idle_pct %.2f %%\n", idle);
  std::printf("cpu_anim_pct %.2f %%\n", anim);
  std::printf("cpu_talk_pct %.2f %%\n", talk);
  std::printf("cpu_hover_pct %.2f %%\n", hover_cpu);
  std::printf("cpu_frame_pct %.2f %%\n", frame_cpu);
  std::printf("cpu_slide_pct %.2f %%\n", slide);
  std::printf("cpu_plane_pct %.2f %%\n", plane);
  std::printf("hold_error_ms_p99 %.1f ms (%zu steps)\n", p99, errors.size());
  std::printf("decode_us_640x480 %.0f us\n", decode_us);
  std::printf("record_write_ms_p99 %.2f ms (%zu writes, median %.2f ms)\n", write_p99, writes.size(),
              writes[writes.size() / 2]);
  std::printf("peak_rss_mb %.1f MB\n", tapo::bench::status_kb(getpid(), "VmHWM") / 1024.0);
  std::fflush(stdout);

  return finish();
}
