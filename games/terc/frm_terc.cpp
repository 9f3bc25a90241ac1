// The target game: the pirate fires at two targets, and the child adds up the
// values of the rings that were hit.  The lower target has rings 1 to 9; from
// level 3 the upper target with rings 10 to 90 joins it.  The total is typed
// with the digit buttons below the scene (or the keyboard) and checked: a
// right answer at the first try earns a coin, a second wrong answer ends the
// example.
#include <array>
#include <cmath>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/media.h"
#include "core/random.h"
#include "core/tapo_iii.h"
#include "games/common/game_screen.h"
#include "games/terc/layout.h"
#include "games/terc/priklad.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace tapo::games::terc {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr int kHoleRadius = 5;

// The shots' values as the sum the child adds up: "4 + 3 + 2".
std::string sum_text(const Priklad& p) {
  std::string s;
  for (int i = 0; i < p.hit_count; ++i) s += (i ? " + " : "") + std::to_string(p.hits[static_cast<size_t>(i)]);
  return s;
}
constexpr int kCheck = kCheckButton, kDelete = kDeleteButton;
constexpr std::size_t kMaxDigits = 3;
constexpr int kBonusEvery = 5;  // right answers in a row cheered by the bonus show
constexpr pf::Rgb kInk = pf::rgb(30, 40, 120);

pf::Rgb mix(pf::Rgb a, pf::Rgb b, int percent_b) {
  auto ch = [&](int shift) {
    const int ca = static_cast<int>((a >> shift) & 255), cb = static_cast<int>((b >> shift) & 255);
    return (ca * (100 - percent_b) + cb * percent_b) / 100;
  };
  return pf::rgb(ch(16), ch(8), ch(0));
}

void fill_circle(pf::Surface& s, int cx, int cy, int r, pf::Rgb c) {
  for (int y = cy - r; y <= cy + r; ++y)
    for (int x = cx - r; x <= cx + r; ++x)
      if (x >= 0 && y >= 0 && x < s.width() && y < s.height() && (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
        s.set(x, y, c);
}

// A thick stroke through the points (fractions of the box).
void stroke(pf::Surface& s, std::initializer_list<std::pair<double, double>> pts, int r, pf::Rgb c) {
  const std::vector<std::pair<double, double>> p(pts);
  for (size_t i = 1; i < p.size(); ++i) {
    const double x0 = p[i - 1].first * s.width(), y0 = p[i - 1].second * s.height();
    const double x1 = p[i].first * s.width(), y1 = p[i].second * s.height();
    const int steps = static_cast<int>(std::hypot(x1 - x0, y1 - y0)) + 1;
    for (int k = 0; k <= steps; ++k)
      fill_circle(s, static_cast<int>(std::lround(x0 + (x1 - x0) * k / steps)),
                  static_cast<int>(std::lround(y0 + (y1 - y0) * k / steps)), r, c);
  }
}

// A rounded, bordered panel.
pf::Surface panel(int w, int h, pf::Rgb fill, pf::Rgb border, pf::Rgb outside) {
  pf::Surface s(w, h, outside);
  constexpr int kR = 9;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int dx = x < kR ? kR - x : (x >= w - kR ? x - (w - kR - 1) : 0);
      const int dy = y < kR ? kR - y : (y >= h - kR ? y - (h - kR - 1) : 0);
      const int d2 = dx * dx + dy * dy;
      if (d2 > kR * kR) continue;
      s.set(x, y, d2 > (kR - 3) * (kR - 3) || x < 3 || y < 3 || x >= w - 3 || y >= h - 3 ? border : fill);
    }
  return s;
}

// The face of button `index`, lit or greyed out while the buttons wait.
pf::Surface button_face(int index, bool enabled, pf::Rgb outside) {
  pf::Rgb fill = pf::rgb(255, 214, 64), border = pf::rgb(150, 80, 20), ink = pf::rgb(30, 40, 120);
  if (index == kCheck) fill = pf::rgb(90, 200, 80), border = pf::rgb(30, 100, 30), ink = pf::rgb(255, 255, 255);
  if (index == kDelete) fill = pf::rgb(240, 110, 80), border = pf::rgb(130, 40, 20), ink = pf::rgb(255, 255, 255);
  if (!enabled) {
    fill = mix(fill, pf::rgb(170, 170, 170), 70);
    border = mix(border, pf::rgb(120, 120, 120), 70);
    ink = mix(ink, pf::rgb(140, 140, 140), 70);
  }
  const pf::Rect r = kButtons[static_cast<size_t>(index)];
  pf::Surface s = panel(r.w, r.h, fill, border, outside);
  if (index == kCheck) {
    stroke(s, {{0.22, 0.52}, {0.42, 0.66}, {0.78, 0.34}}, 4, ink);
  } else if (index == kDelete) {
    stroke(s, {{0.78, 0.5}, {0.24, 0.5}}, 3, ink);
    stroke(s, {{0.46, 0.38}, {0.24, 0.5}, {0.46, 0.62}}, 3, ink);
  } else {
    const pf::TextStyle style{34, true, ink};
    const std::string digit(1, static_cast<char>('0' + index));
    const pf::Rect size = pf::measure_text(digit, style);
    pf::draw_text(s, (r.w - size.w) / 2, (r.h - size.h) / 2, digit, style);
  }
  return s;
}

std::string read_text(const MediaPath& m) {
  std::ifstream in(core::real_path(m), std::ios::binary);
  if (!in) {
    core::note_unreadable(m);
    return {};
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}


}  // namespace

class FrmTerc : public GameScreen {
 public:
  FrmTerc() : GameScreen(kFrame) {}

  void on_key(const std::string& key) override;

 private:
  void load_game() override;
  void open_game() override;
  void describe_game(pf::JsonObject& vars) const override;

  void vymysli_priklad();
  void draw_holes();
  void smaz_terce();
  void zkontroluj();
  void cislice_click(int index);
  void set_buttons(bool enabled);
  void show_answer();
  void show_right_total();
  void draw_target(bool upper, int number);

  struct Hole {
    int x, y;
    pf::Surface under;  // the scene beneath, for clearing
  };

  std::vector<pf::PictureBox*> cislice_;
  pf::Label* zakuv_vysledek_ = nullptr;
  pf::PictureBox* horni_terc_ = nullptr;
  pf::PictureBox* dolni_terc_ = nullptr;
  std::string answer_;
  Priklad priklad_;
  std::vector<Strela> shots_;
  std::vector<Hole> holes_;
  int wrong_count_ = 0;
  RightRun streak_{kBonusEvery};
  int example_count_ = 0;
  std::string bonus_clip_ = "JABKO";
  int lower_target_no_ = 0, upper_target_no_ = 0;
  bool buttons_enabled_ = false;
  bool answer_judged_ = false;  // the answer shown has been checked
};

void FrmTerc::draw_target(bool upper, int number) {
  const std::string name = std::string("TERCE\\") + (upper ? "2_" : "1_") + std::to_string(number) + ".BMP";
  const MediaPath m = file(name);
  const pf::Rect at = upper ? kUpperTarget : kLowerTarget;
  const int x = at.x, y = at.y;
  auto pic = core::load_media_picture(m);
  // The target is part of the background: the box is only where it stands.
  auto& box = add<pf::PictureBox>(upper ? "horni_terc" : "dolni_terc",
                                  pf::Rect{x, y, pic ? pic->width() : 1, pic ? pic->height() : 1});
  box.visible = false;
  if (pic) {
    box.image = *pic;
    picture.blit(*pic, x, y);
  }
  (upper ? horni_terc_ : dolni_terc_) = &box;
}

void FrmTerc::load_game() {
  core::randomize();
  if (core::player_level > 2) {
    upper_target_no_ = core::rnd_between(1, 4);
    draw_target(true, upper_target_no_);
  }
  lower_target_no_ = core::rnd_between(1, 4);
  draw_target(false, lower_target_no_);

  // The answer's white board, then the buttons on the scene.
  const pf::Surface board = panel(kAnswer.w, kAnswer.h, pf::rgb(255, 255, 250), pf::rgb(150, 80, 20), 0);
  for (int y = 0; y < kAnswer.h; ++y)
    for (int x = 0; x < kAnswer.w; ++x)
      if (board.at(x, y) != 0) picture.set(kAnswer.x + x, kAnswer.y + y, board.at(x, y));
  zakuv_vysledek_ = &add<pf::Label>("zakuv_vysledek", kAnswer);
  zakuv_vysledek_->centred = true;
  zakuv_vysledek_->font_size = 48;
  zakuv_vysledek_->fore_color = kInk;
  cislice_ = pf::add_control_array<pf::PictureBox>(*this, "cislice", kButtons, &FrmTerc::cislice_click);
  set_buttons(false);
  answer_.clear();
  show_answer();

  priklad_ = {};
  shots_.clear();
  holes_.clear();
  streak_.restart();
  wrong_count_ = example_count_ = 0;
  bonus_clip_ = "JABKO";
}

void FrmTerc::open_game() {
  core::play_animation({Root::Data, "\\SKOK.DAT"}, head());
  vymysli_priklad();
}

void FrmTerc::describe_game(pf::JsonObject& vars) const {
  std::string hits = "[", positions = "[";
  for (size_t i = 0; i < priklad_.hits.size(); ++i) hits += (i ? ", " : "") + std::to_string(priklad_.hits[i]);
  bool first = true;
  for (const auto& s : shots_) {
    if (!s.at) continue;
    positions += (first ? "[" : ", [") + std::to_string(s.at->x) + ", " + std::to_string(s.at->y) + "]";
    first = false;
  }
  vars.add_raw("hits", hits + "]")
      .add("hit_count", priklad_.hit_count)
      .add("target_total", priklad_.target_total)
      .add("max_hits", priklad_.max_hits)
      .add("wrong_count", wrong_count_)
      .add("streak", streak_.count())
      .add("example_count", example_count_)
      .add("bonus_clip", bonus_clip_)
      .add("lower_target_no", lower_target_no_)
      .add("upper_target_no", upper_target_no_)
      .add_raw("shot_positions", positions + "]")
      .add("holes", static_cast<int>(holes_.size()))
      .add("answer", answer_)
      .add("buttons_enabled", buttons_enabled_);
}

// ---- the buttons and the keys ------------------------------------------------

void FrmTerc::set_buttons(bool enabled) {
  buttons_enabled_ = enabled;
  for (int i = 0; i < 12; ++i) {
    pf::PictureBox& b = *cislice_[static_cast<size_t>(i)];
    b.enabled = enabled;
    b.image = button_face(i, enabled, picture.at(b.rect.x, b.rect.y));
  }
  refresh();
}

void FrmTerc::show_answer() {
  zakuv_vysledek_->caption = answer_;
  zakuv_vysledek_->fore_color = kInk;
  refresh();
}

// After the second miss the right total stands in the box for a moment,
// green and ticked, before the targets are cleared.
void FrmTerc::show_right_total() {
  zakuv_vysledek_->caption = std::to_string(priklad_.target_total);
  zakuv_vysledek_->fore_color = kRightInk;
  refresh();
  show_right(*zakuv_vysledek_);
}

void FrmTerc::cislice_click(int index) {
  if (index == kCheck) return zkontroluj();
  if (index == kDelete) {
    if (!answer_.empty()) answer_.pop_back();
  } else {
    if (answer_judged_) answer_.clear();  // a judged answer is not added to
    if (!(answer_.empty() && index == 0) && answer_.size() < kMaxDigits) answer_ += static_cast<char>('0' + index);
  }
  answer_judged_ = false;
  show_answer();
}

void FrmTerc::on_key(const std::string& key) {
  if (!cislice_[0]->enabled) return;
  if (key.size() == 1 && key[0] >= '0' && key[0] <= '9')
    cislice_click(key[0] - '0');
  else if (key == "Backspace")
    cislice_click(kDelete);
  else if (key == "Enter")
    cislice_click(kCheck);
}

// ---- examples ------------------------------------------------------------------

void FrmTerc::vymysli_priklad() {
  priklad_ = terc::draw_example(core::player_level, core::rng(), core::clock_seed());
  shots_.clear();
  {
    core::HiddenCursor hidden;
    core::play_animation({Root::Data, "\\STRELBA.DAT"}, head());
    draw_holes();
    ++example_count_;
    if (example_count_ % 7 == 0) {
      core::play_animation(file(bonus_clip_ + ".DAT"), head());
      bonus_clip_ = bonus_clip_ == "JABKO" ? "HLAVA" : "JABKO";
    }
  }
  set_buttons(true);
  wrong_count_ = 0;
  example_posed();
}

// Every shot becomes a black hole in its ring; a value whose positions are
// all taken (or that its target does not list) leaves no hole.
void FrmTerc::draw_holes() {
  auto table = [this](bool upper, int number) {
    if (number == 0) return Pozice{};
    const MediaPath m = file(std::string("TERCE\\") + (upper ? "2_" : "1_") + std::to_string(number) + ".DAT");
    bool damaged = false;
    Pozice read = nacti_pozice(read_text(m), &damaged);
    if (damaged) core::note_unreadable(m);
    return read;
  };
  bool any_upper = false, any_lower = false;
  for (int i = 0; i < priklad_.hit_count; ++i) (priklad_.hits[static_cast<size_t>(i)] % 10 == 0 ? any_upper : any_lower) = true;
  const Pozice lower = any_lower ? table(false, lower_target_no_) : Pozice{};
  const Pozice upper = any_upper ? table(true, upper_target_no_) : Pozice{};
  core::randomize();
  shots_ = umisti_strely(priklad_, lower, upper, core::rng());
  for (const Strela& s : shots_) {
    if (!s.at) continue;
    const pf::Rect target = s.upper ? kUpperTarget : kLowerTarget;
    const int cx = s.at->x + target.x, cy = s.at->y + target.y;
    Hole h{cx, cy, pf::Surface(2 * kHoleRadius + 1, 2 * kHoleRadius + 1)};
    h.under.blit(picture, cx - kHoleRadius, cy - kHoleRadius, h.under.width(), h.under.height(), 0, 0);
    holes_.push_back(std::move(h));
    fill_circle(picture, cx, cy, kHoleRadius, pf::rgb(0, 0, 0));
  }
  refresh();
}

void FrmTerc::smaz_terce() {
  answer_.clear();
  show_answer();
  for (auto it = holes_.rbegin(); it != holes_.rend(); ++it)
    picture.blit(it->under, it->x - kHoleRadius, it->y - kHoleRadius);
  holes_.clear();
  refresh();
}

void FrmTerc::zkontroluj() {
  set_buttons(false);
  const int given = answer_.empty() ? 0 : std::stoi(answer_);
  answer_judged_ = true;
  judge(given == priklad_.target_total, *zakuv_vysledek_);
  record_answer("sum of " + std::to_string(priklad_.hit_count), sum_text(priklad_) + " = ?",
                std::to_string(priklad_.target_total), answer_, given == priklad_.target_total);
  if (given == priklad_.target_total) {
    players::CoinsDue due(kGame.coins.due(wrong_count_));  // only a first try pays
    if (wrong_count_ == 1) streak_.restart();
    if (!streak_.right()) {
      int n = core::rnd_between(1, 3);  // drawn even when the second try's praise is fixed
      if (wrong_count_ == 1) n = 2;
      comment("SPRAVNE", n, kTalkFace);
    } else {
      core::play_animation({Root::Data, "\\SUPER.DAT"}, head());
    }
    if (wrong_count_ == 0) award(due, {kCoinX, kCoinY});
    smaz_terce();
    vymysli_priklad();
    return;
  }
  streak_.restart();
  ++wrong_count_;
  if (wrong_count_ == 1) {
    comment("SPATNE", core::rnd_between(1, 3), kTalkFace);
    set_buttons(true);
    return;
  }
  core::play_animation(file("NE.DAT"), head());
  show_right_total();
  smaz_terce();
  vymysli_priklad();
}

TAPO_REGISTER_FORM(kFrame.form, FrmTerc)

}  // namespace tapo::games::terc
