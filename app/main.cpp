// tapo: the game.  Options:
//   --windowed        start in a window instead of full screen
//   --play FILE       scripted play: headless, virtual clock, commands from
//                     FILE ("-" = standard input), trace to standard output
//   --trace FILE      write the trace to FILE
//   --check-media     check the configured media folder against the list of
//                     every file the game opens; prints what is missing
//   --report [--html FILE] [--csv FILE] [DATA_FOLDER...]
//                     the report for parents and teachers (no window)
//   --help, --version
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/captions.h"
#include "core/manifest.h"
#include "core/tapo_iii.h"
#include "grownups/report.h"
#include "platform/display.h"
#include "platform/i18n.h"
#include "platform/json.h"
#include "platform/loop.h"
#include "platform/script.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "platform/ui.h"
#include "players/record.h"

namespace pf = tapo::platform;
namespace core = tapo::core;

namespace {

struct Options {
  bool windowed = false;
  bool check_media = false;
  std::string play;
  std::string trace;
  bool report = false;
  std::string html, csv;
  std::vector<std::filesystem::path> folders;
};

void usage(std::FILE* to) {
  std::fputs(pf::tr("usage: tapo [--windowed] [--play FILE|-] [--trace FILE] [--check-media] [--help] [--version]\n"
                    "  --windowed    start in a window (F11 toggles full screen)\n"
                    "  --play FILE   scripted play on a virtual clock, headless; '-' reads standard input\n"
                    "  --trace FILE  write the event trace to FILE (scripted play writes it to standard output)\n"
                    "  --check-media list the media files the game needs but the media folder lacks\n"
                    "  --version     print the game's version\n")
                 .c_str(),
             to);
  std::fputs(pf::tr("usage: tapo --report [--html FILE] [--csv FILE] [DATA_FOLDER...]\n"
                    "  --report      what the piglets practised, for parents and teachers: from each\n"
                    "                DATA_FOLDER (a class's machines), else the configured data folder\n"
                    "  --html FILE   write it to FILE as a web page (without --html and --csv, to\n"
                    "                standard output)\n"
                    "  --csv FILE    write every recorded answer to FILE as CSV\n")
                 .c_str(),
             to);
}

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "tapo: %s\n", pf::fill(pf::tr("%1 needs a value"), {a}).c_str());
        return false;
      }
      out = argv[++i];
      return true;
    };
    if (a == "--windowed") {
      o.windowed = true;
    } else if (a == "--check-media") {
      o.check_media = true;
    } else if (a == "--play") {
      if (!value(o.play)) return false;
    } else if (a == "--trace") {
      if (!value(o.trace)) return false;
    } else if (a == "--report") {
      o.report = true;
    } else if (a == "--html") {
      if (!value(o.html)) return false;
    } else if (a == "--csv") {
      if (!value(o.csv)) return false;
    } else if (!a.starts_with("-")) {
      o.folders.emplace_back(a);
    } else if (a == "--help" || a == "-h") {
      usage(stdout);
      std::exit(0);
    } else if (a == "--version") {
      std::printf("tapo %s\n", TAPO_VERSION);
      std::exit(0);
    } else {
      std::fprintf(stderr, "tapo: %s\n", pf::fill(pf::tr("unknown option '%1'"), {a}).c_str());
      return false;
    }
  }
  const bool for_report = !o.html.empty() || !o.csv.empty() || !o.folders.empty();
  if (for_report && !o.report) {
    std::fprintf(stderr, "tapo: %s\n", pf::tr("a data folder, --html and --csv go with --report").c_str());
    return false;
  }
  return true;
}

std::string state_line() {
  pf::JsonObject state;
  auto active = pf::Forms::instance().active();
  pf::JsonObject vars;
  if (active) active->describe(vars);
  pf::JsonObject controls;
  for (const auto& [name, r] : pf::Forms::instance().active_controls())
    controls.add_raw(name, pf::json_numbers({r.x, r.y, r.w, r.h}));
  state.add("form", active ? active->name() : std::string())
      .add("player_id", core::player_id)
      .add("player_name", core::player_name)
      .add("player_level", core::player_level)
      .add("player_coins", static_cast<std::int64_t>(core::player_coins))
      .add("fullscreen", pf::Display::instance().fullscreen())
      .add("cursor", pf::Forms::instance().cursor_count())
      .add("pointer", pf::Forms::instance().pointer() == pf::Pointer::Hand ? "hand" : "arrow")
      .add("vars", vars)
      .add("controls", controls);
  if (const pf::Rect r = pf::Forms::instance().overlay_rect(); !r.empty())
    state.add_raw("caption_strip", pf::json_numbers({r.x, r.y, r.w, r.h}));
  return state.str();
}

// The window's close button: leave as the closing picture would.
void close_requested() {
  core::restore_display_mode();
  std::error_code ec;
  std::filesystem::remove(core::real_path(core::Root::Work, "\\ZVUK.WAV"), ec);
  core::end_program(0);
}

int check_media_folder() {
  core::read_roots();
  if (core::media_root == "ERROR" || core::data_dir == "ERROR") {
    std::fprintf(stderr, "tapo: %s\n",
                 pf::fill(pf::tr("%1 does not name the media and data folders"), {core::config_file().string()}).c_str());
    return 2;
  }
  const int missing = core::check_media(stdout);
  const auto total = core::media_manifest().size();
  std::printf("%s\n", pf::fill(pf::tr("%1 of %2 media files present"),
                               {std::to_string(total - static_cast<size_t>(missing)), std::to_string(total)})
                          .c_str());
  return missing == 0 ? 0 : 1;
}

// The report on the folders named, else on the configured data folder.
int report(const Options& o) {
  std::vector<std::filesystem::path> folders = o.folders;
  if (folders.empty()) {
    core::read_roots();
    if (core::data_dir == "ERROR") {
      std::fprintf(stderr, "tapo: %s\n",
                   pf::fill(pf::tr("%1 does not name the data folder"), {core::config_file().string()}).c_str());
      return 2;
    }
    folders.push_back(core::real_path(core::Root::Data, ""));
  }
  return tapo::grownups::report::run(folders, o.html, o.csv);
}

}  // namespace

int main(int argc, char** argv) {
  core::choose_language();  // --help speaks it too
  Options opt;
  if (!parse(argc, argv, opt)) {
    usage(stderr);
    return 2;
  }
  if (opt.check_media) return check_media_folder();
  if (opt.report) return report(opt);
  const bool headless = !opt.play.empty();
  if (headless) {
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
    std::fprintf(stderr, "tapo: %s\n", pf::fill(pf::tr("cannot start the display: %1"), {SDL_GetError()}).c_str());
    return 1;
  }

  std::FILE* trace_out = nullptr;
  if (!opt.trace.empty()) {
    trace_out = std::fopen(opt.trace.c_str(), "w");
    if (!trace_out) {
      std::fprintf(stderr, "tapo: cannot write the trace to %s\n", opt.trace.c_str());
      return 2;
    }
  } else if (headless) {
    trace_out = stdout;
  }
  if (trace_out) pf::trace::open(trace_out);

  std::FILE* script_in = nullptr;
  std::unique_ptr<pf::Script> script;
  auto& loop = pf::Loop::instance();
  if (headless) {
    script_in = opt.play == "-" ? stdin : std::fopen(opt.play.c_str(), "r");
    if (!script_in) {
      std::fprintf(stderr, "tapo: cannot read the script %s\n", opt.play.c_str());
      return 2;
    }
    script = std::make_unique<pf::Script>(script_in);
    script->on_shot = [](const std::string& file) {
      // A .bmp name gives a BMP, which the tests read back; anything else a PNG.
      const pf::Surface scene = pf::Forms::instance().compose(true);
      const bool bmp = file.ends_with(".bmp") || file.ends_with(".BMP");
      if (!(bmp ? scene.save_bmp(file) : scene.save_png(file)))
        std::fprintf(stderr, "tapo: cannot write %s\n", file.c_str());
      pf::trace::event("shot", file);
    };
    script->on_dump = [] { pf::trace::event("state", state_line()); };
    script->find_control = [](const std::string& name) -> std::optional<pf::Rect> {
      for (const auto& [n, r] : pf::Forms::instance().active_controls())
        if (n == name) return r;
      return std::nullopt;
    };
    loop.use_virtual_clock(script.get());
  }

  core::game_fullscreen = !opt.windowed;
  auto& display = pf::Display::instance();
  auto& forms = pf::Forms::instance();
  int code = 0;
  try {
    if (!display.open(headless, core::app_title())) {
      std::fprintf(stderr, "tapo: %s\n", pf::fill(pf::tr("cannot open a window: %1"), {SDL_GetError()}).c_str());
      return 1;
    }
    loop.set_input_handler([&forms](const pf::InputEvent& ev) { forms.dispatch(ev); });
    loop.set_present_hook([&display] {
      core::update_caption();
      return display.present_if_dirty();
    });
    forms.on_close_request = close_requested;
    forms.on_global_key = [&display, &forms](const std::string& key) {
      if (key == "F11") {
        display.toggle_fullscreen();
        return true;
      }
      if ((key == "c" || key == "C") && !forms.typing()) {  // a C in a name is the child's
        core::toggle_captions();
        return true;
      }
      return false;
    };
    forms.on_cursor_change = [&display](bool shown) { display.show_cursor(shown); };
    forms.on_pointer_change = [&display](pf::Pointer p) { display.set_hand_pointer(p == pf::Pointer::Hand); };

    // Scripted play runs on the virtual clock, which never feeds the sound
    // device: opening it would only cost its closing at the end.
    if (!headless) pf::SoundChannel::instance().open_device();
    forms.get("frm_inout");
    loop.wait_while([] { return true; });
  } catch (const pf::ProgramExit& e) {
    code = e.code;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tapo: %s\n", e.what());
    pf::trace::event("error", e.what());
    code = 1;
  }
  core::write_owed();  // coins whose save failed, kept if the folder takes them now
  tapo::players::record::close();  // the current piglet stops playing
  pf::trace::event("exit", std::to_string(code));
  pf::trace::close();
  forms.clear();
  pf::SoundChannel::instance().close();
  pf::SoundChannel::instance().close_device();
  display.close();
  pf::close_fonts();
  SDL_Quit();
  return code;
}
