#include "games/common/game_screen.h"

#include "core/media.h"
#include "core/screens.h"
#include "games/common/asleep.h"
#include "platform/i18n.h"
#include "platform/loop.h"
#include "platform/msgbox.h"
#include "platform/trace.h"
#include "players/profiles.h"
#include "players/record.h"

namespace tapo::games {

namespace pf = tapo::platform;

namespace {
constexpr int kDefaultControlSize = 48;
constexpr pf::Rect kGoodNightSign{120, 170, 400, 110};
constexpr pf::Ms kGoodNightMs = 2000;  // the sign stays a while after Tapo's words
constexpr const char* kGoodNight = pf::tr_later("That's all the games for today. See you tomorrow!");
}  // namespace

GameScreen::GameScreen(const core::GameLayout& layout) : Screen(layout.form, layout.folder), layout_(layout) {}

void GameScreen::on_load() {
  load_screen();
  leave_normal_ = core::load_media_picture(file("STOPY_NO.BMP"));
  leave_lit_ = core::load_media_picture(file("STOPY.BMP"));
  help_normal_ = core::load_media_picture(file("OTAZ_NO.BMP"));
  help_lit_ = core::load_media_picture(file("OTAZ.BMP"));

  auto place = [this](const char* name, pf::Rect at, const std::optional<pf::Surface>& pic) -> pf::PictureBox& {
    const int w = pic ? pic->width() : kDefaultControlSize, h = pic ? pic->height() : kDefaultControlSize;
    auto& box = add<pf::PictureBox>(name, pf::Rect{at.x, at.y, w, h});
    box.tag = "False";
    if (pic) box.image = *pic;
    return box;
  };
  stopy_ = &place("stopy", layout_.leave, leave_normal_);
  kruh_ = &place("kruh", layout_.help, help_normal_);
  stopy_->on_click = [this] { leave_click(); };
  kruh_->on_click = [this] { help_click(); };
  stopy_->on_mouse_move = [this](int, int) { set_lit(*stopy_, true); };
  kruh_->on_mouse_move = [this](int, int) { set_lit(*kruh_, true); };

  head_ = &add<pf::PictureBox>(layout_.head, pf::Rect{0, 0, 1, 1});
  head_->visible = false;
  head_->on_click = [this] { head_click(); };

  started = false;
  introducing_ = false;
  good_night_ = false;
  judgement_.hide();
  load_game();
}

void GameScreen::set_lit(pf::PictureBox& box, bool lit) {
  const char* want = lit ? "True" : "False";
  if (box.tag == want) return;
  box.tag = want;
  const bool leave = &box == stopy_;
  const auto& pic = leave ? (lit ? leave_lit_ : leave_normal_) : (lit ? help_lit_ : help_normal_);
  if (pic) box.image = *pic;
  refresh();
}

void GameScreen::on_mouse_move(int x, int y) {
  set_lit(*stopy_, false);
  set_lit(*kruh_, false);
  game_mouse_move(x, y);
}

void GameScreen::describe(pf::JsonObject& vars) const {
  vars.add("started", started).add("leaving", leaving);
  judgement_.describe(vars);
  describe_game(vars);
}

void GameScreen::draw_above(pf::Surface& scene, int ox, int oy) const {
  judgement_.draw(scene, ox, oy);
  if (good_night_)
    draw_asleep_sign(scene, {kGoodNightSign.x + ox, kGoodNightSign.y + oy, kGoodNightSign.w, kGoodNightSign.h},
                     pf::tr(kGoodNight));
}

void GameScreen::judge(Verdict verdict, std::string where, pf::Rect place) {
  judgement_.show(verdict, std::move(where), place);
}

void GameScreen::example_posed(bool may_end) {
  posed_at_ = pf::Loop::instance().now();
  tries_ = 0;
  if (may_end && players::record::day_is_over()) good_night();
}

void GameScreen::good_night() {
  good_night_ = true;
  enabled = false;  // the new example is not to be answered
  interrupt_talk();
  refresh(kGoodNightSign);
  pf::trace::event("good-night", layout_.form);
  say({core::Root::Own, "\\UNI_SND\\DOBROU.DAT"}, layout_.face);
  core::wait_ms(kGoodNightMs);
  leave_click();
  pf::Forms::instance().check_left();  // ends the handler that posed the example
}

void GameScreen::record_answer(std::string kind, std::string example, std::string expected, std::string given,
                               bool right, int attempt) {
  players::record::answer({layout_.form, core::player_level, std::move(kind), std::move(example), std::move(expected),
                           std::move(given), right, attempt ? attempt : ++tries_,
                           pf::Loop::instance().now() - posed_at_});
}

void GameScreen::show_right(std::string where, pf::Rect place) {
  judge(Verdict::Right, std::move(where), place);
  core::wait_ms(kShowRightMs);
}

void GameScreen::help_click() {
  if (core::sound_playing())
    core::close_sound();
  else
    core::play_wav(file(help_sound()));
}

void GameScreen::leave_click() {
  if (leaving) return;
  core::silence();
  core::screens::show(core::screens::kGamesMenu);
  before_leave();
  leaving = true;
  unload();
}

void GameScreen::head_click() {
  if (head_->visible) core::hush(*head_);
}

void GameScreen::interrupt_talk() { core::interrupt_talk(*head_); }

void GameScreen::on_activate() {
  if (started || introducing_) return;
  introducing_ = true;
  pf::Loop::instance().do_events();
  introduce();
  open_game();
  introducing_ = false;
  started = true;
}

void GameScreen::introduce() { say(file("INTRO.DAT"), layout_.face); }

void GameScreen::say(const core::MediaPath& marks, std::string_view face) { core::say(marks, file(face), *head_); }

void GameScreen::comment(std::string_view kind, int n, std::string_view face) {
  say(file(std::string(kind) + std::to_string(n) + ".DAT"), face);
}

void GameScreen::comment_shared(int n, std::string_view face) {
  say({core::Root::Media, "\\UNI_SND\\UNI" + std::to_string(n) + ".DAT"}, face);
}

void GameScreen::file_broken(const core::MediaPath& broken) {
  core::note_unreadable(broken);
  pf::message_box(caption,
                  pf::fill(pf::tr("The game cannot start: its file %1 is missing or damaged. Please install the "
                                  "game's media again."),
                           {core::real_path(broken).string()}),
                  pf::MsgIcon::Stop);
  auto& loop = pf::Loop::instance();
  loop.post([] { core::screens::show(core::screens::kGamesMenu); });
  loop.post([form = shared_from_this()] { form->unload(); });
}

void GameScreen::keep_in_scene(const pf::PictureBox& box) {
  picture.blit(box.image, 0, 0, box.rect.w, box.rect.h, box.rect.x, box.rect.y);
  refresh(box.rect);
}

void GameScreen::award(players::CoinsDue& due, pf::Point at) {
  const bool could_leave = stopy_->enabled;
  stopy_->enabled = false;
  struct Restore {
    pf::PictureBox& stopy;
    bool enabled;
    ~Restore() { stopy.enabled = enabled; }
  } restore{*stopy_, could_leave};
  due.pay(at);
  pf::Loop::instance().do_events();
}

}  // namespace tapo::games
