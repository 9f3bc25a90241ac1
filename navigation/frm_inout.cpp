// The start-up screen: the opening picture on the way in, the closing
// picture on the way out.  On the way in it reads the settings, refuses an
// unfinished installation and a second copy, and prepares the folders.
#include <filesystem>

#include "core/captions.h"
#include "core/screen.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "platform/display.h"
#include "platform/i18n.h"
#include "platform/instance.h"
#include "platform/loop.h"
#include "platform/msgbox.h"
#include "platform/trace.h"

namespace tapo::navigation {

namespace pf = tapo::platform;
namespace screens = core::screens;
using core::closing, core::end_program, core::note_unreadable, core::real_path;

namespace {

// An installation is unfinished when a folder it should have named is
// missing from TAPO.INI or empty: running on would put files in the working
// folder, or at the file-system root.
bool unfinished(const std::string& root) { return root == "ERROR" || root.find_first_not_of(' ') == std::string::npos; }

[[noreturn]] void startup_error(int number) {
  pf::message_box(pf::tr("Stop!"),
                  pf::fill(pf::tr("An error of type %1 happened while the game was starting: its pictures were not "
                                  "found. Check that the media folder (the key HD in the file TAPO.INI) holds the "
                                  "game's media; if it does, install the media again."),
                           {std::to_string(number)}),
                  pf::MsgIcon::Exclamation);
  end_program(0);
}

}  // namespace

class FrmInout : public core::Screen {
 public:
  FrmInout() : Screen(std::string(screens::kStartUp), "CUNICI") {}
  void on_load() override;
  void on_activate() override;
  void on_click() override;
  void describe(pf::JsonObject& vars) const override;

 private:
  void casomira_timer();
  pf::FormTimer casomira{*this, 10000, [this] { casomira_timer(); }};
  bool handed_over_ = false;
};

void FrmInout::on_load() {
  core::read_roots();
  caption = core::app_title();
  pf::Display::instance().set_caption(caption);
  core::read_caption_setting();
  if (unfinished(core::media_root) || unfinished(core::work_dir) || unfinished(core::data_dir)) {
    pf::message_box(pf::tr("Stop!"),
                    pf::tr("The installation of the game on this computer was not finished: the settings file "
                           "TAPO.INI lacks the game's folders. Install the game again."),
                    pf::MsgIcon::Exclamation);
    end_program(0);
  }
  if (!pf::acquire_instance_lock(pf::config_dir()) || !core::prepare_folders()) end_program(0);

  bounds = {0, 0, 640, 480};
  const core::MediaPath picture_file = file(closing ? "OUTRO.BMP" : "INTRO.BMP");
  const auto path = real_path(picture_file);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    note_unreadable(picture_file);
    startup_error(53);  // file not found
  }
  bool damaged = false;
  auto bitmap = pf::Surface::load_bmp(path, &damaged);
  if (!bitmap || damaged) note_unreadable(picture_file);
  if (!bitmap) startup_error(481);  // invalid picture
  picture.reset(640, 480);
  pf::put_picture(picture, std::move(*bitmap));
  core::set_display_mode();
  show();
}

void FrmInout::on_activate() {
  pf::Loop::instance().do_events();
  casomira.set_enabled(true);
}

void FrmInout::casomira_timer() {
  casomira.set_enabled(false);
  on_click();
}

void FrmInout::on_click() {
  // The timer and a click lead here; the screen leaves exactly once.
  if (handed_over_) return;
  handed_over_ = true;
  casomira.set_enabled(false);
  if (!closing) {
    core::avi_library_open = true;
    screens::show(screens::kPlayers);
    unload();
    return;
  }
  core::avi_library_open = false;
  core::restore_display_mode();
  std::error_code ec;
  std::filesystem::remove(real_path(core::Root::Work, "\\ZVUK.WAV"), ec);
  end_program(0);
}

void FrmInout::describe(pf::JsonObject& vars) const {
  vars.add("closing", closing).add("casomira", casomira.enabled());
}

TAPO_REGISTER_FORM(screens::kStartUp, FrmInout)

}  // namespace tapo::navigation
