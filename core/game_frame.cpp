#include "core/game_frame.h"

#include <array>

#include "core/media.h"
#include "platform/loop.h"

namespace tapo::core {

namespace pf = tapo::platform;

namespace {

// Where each game keeps its leave and help controls.  Two games have no
// picture box of their own for the mascot: their mixing surface is his head.
constexpr std::array<GameFrameLayout, 9> kLayouts = {{
    {"frm_terc", "TERC", 7, 390, 577, 383, "MLUVI.AVI", "video"},
    {"frm_drak", "DRAK", 3, 431, 585, 426, "MLUVI.AVI", "video"},
    {"frm_vahy", "VAHY", 2, 436, 589, 430, "MLUVI.AVI", "video"},
    {"frm_housenka", "BUBLIFUK", 521, 0, 588, 12, "MLUVI.AVI", "michacka"},
    {"frm_had", "HAD", 8, 433, 578, 431, "MLUVI.AVI", "video"},
    {"frm_dril", "DRIL", 4, 0, 587, 8, "MLUVI.AVI", "michacka"},
    {"frm_pretah", "PRETAH", 21, 425, 565, 419, "MLUVI.AVI", "video"},
    {"frm_sneci", "HLEM", 3, 433, 582, 428, "MLUVI.AVI", "video"},
    {"frm_pexeso", "PEXESO", 517, 0, 587, 7, "MLUVI.AVI", "video"},
}};

constexpr int kDefaultControlSize = 48;

}  // namespace

const GameFrameLayout* game_frame_layout(std::string_view form) {
  for (const auto& l : kLayouts)
    if (form == l.form) return &l;
  return nullptr;
}

GameFrame::GameFrame(pf::Form& form, const GameFrameLayout& layout) : form_(form), layout_(layout) {}

MediaPath GameFrame::file(std::string_view name) const {
  return {Root::Media, "\\" + std::string(layout_.folder) + "\\" + std::string(name)};
}

void GameFrame::load() {
  form_.caption = "Tapo - Numerino";
  form_.bounds = {0, 0, 640, 480};
  if (auto background = load_media_picture(file("POZADI.BMP"))) form_.picture.blit(*background, 0, 0);

  leave_normal_ = load_media_picture(file("STOPY_NO.BMP"));
  leave_lit_ = load_media_picture(file("STOPY.BMP"));
  help_normal_ = load_media_picture(file("OTAZ_NO.BMP"));
  help_lit_ = load_media_picture(file("OTAZ.BMP"));

  auto place = [this](const char* name, int x, int y, const std::optional<pf::Surface>& pic) -> pf::PictureBox& {
    const int w = pic ? pic->width() : kDefaultControlSize, h = pic ? pic->height() : kDefaultControlSize;
    auto& box = form_.add<pf::PictureBox>(name, pf::Rect{x, y, w, h});
    box.tag = "False";
    if (pic) box.image = *pic;
    return box;
  };
  stopy_ = &place("stopy", layout_.leave_x, layout_.leave_y, leave_normal_);
  kruh_ = &place("kruh", layout_.help_x, layout_.help_y, help_normal_);
  stopy_->on_click = [this] { leave_click(); };
  kruh_->on_click = [this] { help_click(); };
  stopy_->on_mouse_move = [this](int, int) { set_lit(*stopy_, true); };
  kruh_->on_mouse_move = [this](int, int) { set_lit(*kruh_, true); };

  head_ = &form_.add<pf::PictureBox>(layout_.head, pf::Rect{0, 0, 1, 1});
  head_->visible = false;
  head_->on_click = [this] { head_click(); };

  started = false;
  leaving = false;
  introducing_ = false;
}

void GameFrame::set_lit(pf::PictureBox& box, bool lit) {
  const char* want = lit ? "True" : "False";
  if (box.tag == want) return;
  box.tag = want;
  const bool leave = &box == stopy_;
  const auto& pic = leave ? (lit ? leave_lit_ : leave_normal_) : (lit ? help_lit_ : help_normal_);
  if (pic) box.image = *pic;
  form_.refresh();
}

void GameFrame::mouse_move() {
  if (stopy_) set_lit(*stopy_, false);
  if (kruh_) set_lit(*kruh_, false);
}

void GameFrame::help_click() {
  if (sound_mode() == 526)
    close_sound();
  else
    play_wav(file("HELP.WAV"));
}

void GameFrame::leave_click() {
  if (leaving) return;
  talk_abort = true;
  close_sound();
  pf::Forms::instance().get("frm_hry")->show();
  if (before_unload) before_unload();
  leaving = true;
  form_.unload();
}

void GameFrame::head_click() {
  if (!head_->visible) return;
  talk_abort = true;
  close_sound();
  head_->visible = false;
  form_.refresh();
}

void GameFrame::activate(const std::function<void()>& opening) {
  if (started || introducing_) return;
  introducing_ = true;
  pf::Loop::instance().do_events();
  if (playing()) {
    talk_abort = false;
    play_talking_clip(file("INTRO.DAT"), file(layout_.face), *head_);
    if (playing() && opening) opening();
  }
  introducing_ = false;
  started = true;
}

bool GameFrame::say(const MediaPath& marks, std::string_view face) {
  talk_abort = false;
  play_talking_clip(marks, file(face), *head_);
  return playing();
}

bool GameFrame::comment(std::string_view kind, int n, std::string_view face) {
  return say(file(std::string(kind) + std::to_string(n) + ".DAT"), face);
}

bool GameFrame::comment_shared(int n, std::string_view face) {
  return say({Root::Media, "\\UNI_SND\\UNI" + std::to_string(n) + ".DAT"}, face);
}

}  // namespace tapo::core
