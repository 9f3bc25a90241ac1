// The drill workbook: the child chooses a kind of examples (at level 3 first
// plus-and-minus or times-and-divide), a paper plane flies across the page,
// and ten examples of that kind are laid out on the ruled rows.  The child
// types the numbers or clicks the signs, and asks for the page to be marked:
// a tick or a cross on every row, and the right result in green beside every
// cross; five coins for a page without a cross.  The marking is judged on the
// scene at once: a cross by the first wrong row's answer, or a tick by the
// page.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/animation.h"
#include "core/flight.h"
#include "core/keying.h"
#include "core/media.h"
#include "core/random.h"
#include "core/tapo_iii.h"
#include "games/common/game_screen.h"
#include "games/common/review_queue.h"
#include "games/dril/layout.h"
#include "games/dril/priklady.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/trace.h"
#include "platform/ui.h"

namespace tapo::games::dril {

namespace pf = tapo::platform;
using core::MediaPath;
using core::Root;

namespace {

constexpr int kRows = 10;
constexpr std::size_t kAnswerDigits = 3;
const pf::Rgb kBoxBorder = pf::rgb(120, 130, 170);
// The right result written beside a row's cross.
constexpr pf::TextStyle kRightFont{16, true, kRightInk};

int text_width(const std::string& text, const pf::TextStyle& style = kRowFont) {
  return pf::measure_text(text, style).w;
}

// A sign box with no sign yet: a white field with a thin border.
pf::Surface blank_sign(int w, int h) {
  pf::Surface s(w, h, kBoxBorder);
  s.fill_rect({1, 1, w - 2, h - 2}, pf::rgb(255, 255, 255));
  return s;
}

}  // namespace

class FrmDril : public GameScreen {
 public:
  FrmDril() : GameScreen(kFrame) {}

 private:
  // ---- load ------------------------------------------------------------------

  void load_game() override {
    caption_place = core::CaptionPlace::Top;  // clear of the page's buttons below it
    rule_lines();
    const std::array<pf::Rect, kRows + 1> none{};
    zapis_ = pf::add_control_array<pf::TextBox>(*this, "zapis", none);
    for (int i = 0; i <= kRows; ++i) {
      pf::TextBox& box = *zapis_[static_cast<std::size_t>(i)];
      box.visible = false;
      box.boxed = box.centred = true;
      box.font_size = kRowFont.size;
      box.fore_color = kRowFont.color;
      box.max_chars = kAnswerDigits;
      box.on_mouse_down = [this, i](int, int) { zapis_mouse_down(i); };
    }
    znamenko_ = pf::add_control_array<pf::PictureBox>(*this, "znamenko", none, &FrmDril::znamenko_click);
    for (pf::PictureBox* box : znamenko_) box->visible = false;

    zdroj_ = &add<pf::PictureBox>("zdroj", pf::Rect{kTypesAt.x, kTypesAt.y, 1, 1});
    zdroj_->visible = false;
    zdroj_->on_mouse_down = [this](int x, int y) { zdroj_mouse_down(x, y); };
    zdroj_->on_mouse_move = [this](int x, int y) {
      zdroj_->pointer = row_at(x + zdroj_->rect.x, y + zdroj_->rect.y) ? pf::Pointer::Hand : pf::Pointer::Arrow;
    };
    plus_minus_card_ = &add<pf::PictureBox>("dobre_pic", pf::Rect{kPlusMinusCardAt.x, kPlusMinusCardAt.y, 1, 1});
    times_divide_card_ = &add<pf::PictureBox>("spatne_pic", pf::Rect{kTimesDivideCardAt.x, kTimesDivideCardAt.y, 1, 1});
    plus_minus_card_->on_click = [this] { card_click(Family::PlusMinus); };
    times_divide_card_->on_click = [this] { card_click(Family::TimesDivide); };
    load_cards();
    tapo_page_ = &add<pf::PictureBox>("tapo_page", kTapoPage);
    tapo_page_->visible = false;
    tapo_page_->pointer = pf::Pointer::Hand;
    tapo_page_->on_click = [this] { tapo_page_click(); };
    draw_tapo_page_card();

    buttons_ = {&add<pf::Label>("kontrola", kCheck), &add<pf::Label>("dalsi_priklady", kNextPage),
                &add<pf::Label>("zmena_znamenka", kChangeType)};
    static constexpr std::array<const char*, 3> kHover{"ZKONTR.BMP", "NOVE.BMP", "ZMENIT.BMP"};
    for (std::size_t b = 0; b < buttons_.size(); ++b) {
      buttons_[b]->enabled = false;
      buttons_[b]->on_mouse_move = [this, b](int, int) { light_button(*buttons_[b], kHover[b]); };
    }
    buttons_[0]->on_click = [this] { kontrola_click(); };
    buttons_[1]->on_click = [this] { dalsi_priklady_click(); };
    buttons_[2]->on_click = [this] { zmena_znamenka_click(); };

    // The plane, and the lit button under the mouse: a click on a lit button
    // is the button's.
    letadlo_ = &add<core::MaskedSprite>("letadlo", pf::Rect{0, 0, 1, 1});
    letadlo_->visible = false;
    lit_button_ = &add<pf::PictureBox>("lit_button", pf::Rect{0, 0, 1, 1});
    lit_button_->visible = false;
    lit_button_->on_click = [this] {
      if (lit_ && lit_->enabled) lit_->on_click();
    };
    help_sound_ = "HELP1.WAV";
  }

  void introduce() override {
    if (core::player_level < 3) {
      offer_types(Family::PlusMinus);
      say(file("INTRO2.DAT"), kFrame.face);
    } else {
      show_cards();
      say(file("INTRO.DAT"), kFrame.face);
    }
  }

  std::string help_sound() const override { return help_sound_; }

  void describe_game(pf::JsonObject& vars) const override {
    std::vector<std::string> results, signs, answers, chosen;
    std::vector<int> from_review;  // the rows that are facts of the review
    for (int i = 0; i < kRows; ++i) {
      const auto row = static_cast<std::size_t>(i);
      results.push_back(std::to_string(page_.results[row]));
      signs.push_back(page_.signs[row]);
      answers.push_back(zapis_[row + 1]->caption);
      chosen.push_back(znamenko_[row + 1]->tag);
      if (page_.from_review[row]) from_review.push_back(i + 1);
    }
    vars.add("operation_family", family_name(family_))
        .add("example_type", example_type_)
        .add_raw("results", pf::json_strings(results))
        .add_raw("signs", pf::json_strings(signs))
        .add_raw("answers", pf::json_strings(answers))
        .add_raw("chosen_signs", pf::json_strings(chosen))
        .add_raw("marks", pf::json_strings(marks_))
        .add_raw("shown_right", pf::json_strings(shown_right_))
        .add("focus", focus_)
        .add("review_offered", tapo_page_->visible)
        .add("tapo_page", tapo_page_shown_)
        .add_raw("from_review", pf::json_numbers(from_review))
        .add("help_sound", help_sound_);
  }

  // ---- choosing the kind of examples -----------------------------------------

  void load_cards() {
    show_picture(*plus_minus_card_, "KARTA1.BMP");
    show_picture(*times_divide_card_, "KARTA2.BMP");
    plus_minus_card_->visible = times_divide_card_->visible = false;
  }

  void show_cards() {
    load_cards();
    choosing_family_ = true;
    plus_minus_card_->rect.x = kPlusMinusCardAt.x;
    times_divide_card_->rect.x = kTimesDivideCardAt.x;
    for (pf::PictureBox* card : {plus_minus_card_, times_divide_card_}) card->visible = card->enabled = true;
    help_sound_ = "HELP1.WAV";
  }

  void card_click(Family family) {
    if (!choosing_family_) return;
    interrupt_talk();
    help_sound_ = "HELP2.WAV";
    vyber_typ_prikladu(family);
  }

  void vyber_typ_prikladu(Family family) {
    offer_types(family);
    say(file("TYP_PRI.DAT"), kFrame.face);
  }

  // The tick and the cross are read (the marks of a page); the picture of the
  // family's ten types lies over the rows.
  void offer_types(Family family) {
    choosing_family_ = false;
    plus_minus_card_->visible = times_divide_card_->visible = false;
    for (auto [mark, name] : {std::pair{&tick_, "DOBRE.BMP"}, std::pair{&cross_, "SPATNE.BMP"}})
      if (auto pic = core::load_media_picture(file(name))) *mark = std::move(*pic);
    family_ = family;
    show_picture(*zdroj_, family == Family::PlusMinus ? "PRIKLAD1.BMP" : "PRIKLAD2.BMP");
    zdroj_->rect.x = kTypesAt.x;
    zdroj_->rect.y = kTypesAt.y;
    zdroj_->visible = zdroj_->enabled = true;
    help_sound_ = "HELP2.WAV";
    // Tapo's page is offered while the piglet has facts due that the workbook asks.
    review_.load();
    tapo_page_->visible = tapo_page_->enabled =
        std::any_of(review_.due().begin(), review_.due().end(),
                    [](const players::review::Fact& f) { return asks(f, core::player_level); });
  }

  // The card of Tapo's page: a sheet with a paw print and its name.
  void draw_tapo_page_card() {
    pf::Surface& card = tapo_page_->image;
    card = pf::Surface(kTapoPage.w, kTapoPage.h, pf::rgb(235, 150, 60));
    card.fill_rect({2, 2, kTapoPage.w - 4, kTapoPage.h - 4}, pf::rgb(255, 246, 222));
    const pf::Rgb paw = pf::rgb(150, 95, 50);
    card.fill_rect({12, 17, 12, 10}, paw);
    for (int toe = 0; toe < 3; ++toe) card.fill_rect({10 + toe * 6, 9, 4, 5}, paw);
    const pf::TextStyle name{17, true, kRowFont.color, pf::Face::Game};
    const std::string words = pf::tr("Tapo's page");
    const pf::Rect size = pf::measure_text(words, name);
    pf::draw_text(card, 34 + (kTapoPage.w - 40 - size.w) / 2, (kTapoPage.h - size.h) / 2, words, name);
  }

  // Tapo's page: the facts due in the piglet's review, then examples of the level.
  void tapo_page_click() {
    if (!zdroj_->visible) return;
    interrupt_talk();
    zdroj_->visible = zdroj_->enabled = false;
    tapo_page_->visible = false;
    tapo_page_shown_ = true;
    pust_letadlo();
    vytvor_priklady();
    help_sound_ = "HELP3.WAV";
    say({core::Root::Own, "\\DRIL\\TAPOPAGE.DAT"}, kFrame.face);
  }

  // The row (1..10) whose line the form point (x, y) lies on, or 0.
  static int row_at(int x, int y) {
    for (int i = 1; i <= kRows; ++i) {
      const Line l = row_line(i);
      if (x >= l.x1 && x <= l.x2 && y >= l.y - kTextAbove && y <= l.y + 2) return i;
    }
    return 0;
  }

  void zdroj_mouse_down(int x, int y) {
    zdroj_->enabled = false;
    interrupt_talk();
    const int row = row_at(x + zdroj_->rect.x, y + zdroj_->rect.y);
    if (row == 0) {
      zdroj_->enabled = true;
      return;
    }
    zdroj_->visible = false;
    tapo_page_->visible = tapo_page_shown_ = false;
    example_type_ = row;
    pust_letadlo();
    vytvor_priklady();
    help_sound_ = "HELP3.WAV";
  }

  // ---- the page ------------------------------------------------------------------

  void rule_lines() {
    for (int i = 1; i <= kRows; ++i) {
      const Line l = row_line(i);
      picture.fill_rect({l.x1, l.y - 1, l.x2 - l.x1 + 1, 2}, kLineColour);
    }
  }

  void reload_background() {
    if (auto bg = core::load_media_picture(file("POZADI.BMP"))) pf::put_picture(picture, std::move(*bg));
    rule_lines();
    refresh();
  }

  void vytvor_priklady() {
    for (int i = 1; i <= kRows; ++i) {
      zapis(i).caption.clear();
      zapis(i).tag.clear();
      set_sign(i, "");
    }
    marks_.clear();
    shown_right_.clear();
    if (tapo_page_shown_) {
      review_.load();
      page_ = review_page(review_.due(), core::player_level, core::rng(), core::clock_seed());
    } else {
      page_ = draw_page(family_, example_type_, core::player_level, core::rng(), core::clock_seed());
    }
    for (int i = 1; i <= kRows; ++i) tiskni_radek(i, page_.radky[static_cast<std::size_t>(i - 1)]);
    refresh();
    for (pf::Label* b : buttons_) b->enabled = true;
    // The child can type the first answer at once.
    if (zapis(1).visible) set_focus(1);
    example_posed();
  }

  void print(const std::string& text, int x, int y, const pf::TextStyle& style = kRowFont) {
    pf::draw_text(picture, x, y, text, style);
  }

  void tiskni_radek(int radek, const Radek& r) {
    const Line l = row_line(radek);
    const int top = l.y - kTextAbove;
    const int box_h = pf::measure_text("8", kRowFont).h;
    if (!r.comparison()) {
      const int cell = (l.x2 - l.x1 - text_width(r.operace) - text_width(" = ")) / 3;
      int x = l.x1;
      auto term = [&](const std::string& t, Blank place) {
        if (r.blank == place) {
          pf::TextBox& box = zapis(radek);
          box.rect = {x, top, cell, box_h};
          box.visible = box.enabled = true;
          box.locked = false;
        } else {
          print(t, x + (cell - text_width(t)) / 2, top);
        }
        x += cell;
      };
      term(r.t1, Blank::First);
      print(r.operace, x, top);
      x += text_width(r.operace);
      term(r.t2, Blank::Second);
      print(" = ", x, top);
      x += text_width(" = ");
      term(r.t3, Blank::Result);
      return;
    }
    pf::PictureBox& box = *znamenko_[static_cast<std::size_t>(radek)];
    const int box_w = text_width(" = ");
    box.rect = {l.x1 + (l.x2 - l.x1 - box_w) / 2, top, box_w, box_h};
    box.visible = box.enabled = true;
    set_sign(radek, "");
    print_sides(r.t1, r.t2, box.rect, l);
  }

  // The two sides of a comparison around its sign box.  Numbers stand in
  // slots as wide as "888", two spaces from the box, so a page of them lines
  // up; expressions hug the box at one space and reach no further than the
  // line's ends (the mark follows right of the line), drawn smaller if they
  // would.
  void print_sides(const std::string& left, const std::string& right, pf::Rect box, const Line& l) {
    const int slot = text_width("888"), box_right = box.x + box.w;
    if (text_width(left) <= slot && text_width(right) <= slot) {
      const int gap = text_width("  ");
      print(left, box.x - gap - slot + (slot - text_width(left)) / 2, box.y);
      print(right, box_right + gap + (slot - text_width(right)) / 2, box.y);
      return;
    }
    constexpr int kReach = 4;
    const int gap = text_width(" "), room = box.x - gap - (l.x1 - kReach);
    for (const bool is_left : {true, false}) {
      const std::string& text = is_left ? left : right;
      pf::TextStyle style = kRowFont;
      while (text_width(text, style) > room && style.size > kRowFont.size * 2 / 3) --style.size;
      const int w = text_width(text, style);
      const int y = box.y + pf::measure_text("8", kRowFont).h - pf::measure_text("8", style).h;
      print(text, is_left ? box.x - gap - w : box_right + gap, y, style);
    }
  }

  pf::TextBox& zapis(int i) const { return *zapis_[static_cast<std::size_t>(i)]; }

  void set_sign(int i, const std::string& sign) {
    pf::PictureBox& box = *znamenko_[static_cast<std::size_t>(i)];
    box.tag = sign;
    const char* name = sign == ">" ? "VETSI.BMP" : sign == "<" ? "MENSI.BMP" : sign == "=" ? "ROVNA_SE.BMP" : nullptr;
    std::optional<pf::Surface> pic = name ? core::load_media_picture(file(name)) : std::nullopt;
    box.image = pic ? std::move(*pic) : blank_sign(box.rect.w, box.rect.h);
    box.refresh();
  }

  // ---- filling in ------------------------------------------------------------------

  void zapis_mouse_down(int i) { set_focus(zapis(i).locked ? 0 : i); }

  void set_focus(int i) {
    zapis(focus_).focused = false;
    zapis(focus_).refresh();
    focus_ = i;
    zapis(i).focused = i != 0;
    zapis(i).refresh();
  }

  void on_text(const std::string& text) override {
    if (focus_ == 0) return;
    for (char c : text)
      if (c >= '0' && c <= '9') zapis(focus_).type(std::string(1, c));
  }

  void on_key(const std::string& key) override {
    if (key == "Backspace") {
      if (focus_ != 0) zapis(focus_).backspace();
    } else if (key == "Enter") {
      // To the next row with an answer box (sign rows have none).
      for (int step = 1; step < kRows; ++step)
        if (const int next = (focus_ + step - 1) % kRows + 1; zapis(next).visible) return set_focus(next);
    }
  }

  void znamenko_click(int i) {
    const std::string& s = znamenko_[static_cast<std::size_t>(i)]->tag;
    set_sign(i, s == ">" ? "<" : s == "<" ? "=" : ">");
  }

  // ---- checking ------------------------------------------------------------------

  bool page_complete() const {
    for (int i = 1; i <= kRows; ++i) {
      const bool filled = sign_row(i) ? !znamenko_[static_cast<std::size_t>(i)]->tag.empty() : !zapis(i).caption.empty();
      if (!filled) return false;
    }
    return true;
  }

  void kontrola_click() {
    pf::Label& zmena = *buttons_[2];
    zmena.enabled = false;
    if (!page_complete()) {
      say(file("POCITEJ.DAT"), kFrame.face);
      zmena.enabled = true;
      return;
    }
    unlight();
    buttons_[0]->enabled = false;
    for (int i = 1; i <= kRows; ++i) {
      znamenko_[static_cast<std::size_t>(i)]->enabled = false;
      zapis(i).locked = true;
    }
    core::silence();
    int wrong = 0, first_wrong = 0;
    for (int i = 1; i <= kRows; ++i) {
      const bool right = row_right(i);
      const pf::Surface& mark = right ? tick_ : cross_;
      const pf::Point at = mark_at(i);
      core::blit_transparent(picture, at.x, at.y, mark.width(), mark.height(), mark, 0, 0, core::key_colour(mark));
      marks_.push_back(right ? "tick" : "cross");
      record_row(i, right);
      shown_right_.push_back(right ? "" : right_answer(i));
      if (!right) {
        print_right_answer(shown_right_.back(), at, mark);
        ++wrong;
        if (!first_wrong) first_wrong = i;
      }
    }
    if (first_wrong) {
      const pf::Control& box = answer_box(first_wrong);
      // Judged from the answer box to the row's cross: the badge stands over
      // the cross (it means the same), so the example, the answer and the
      // right result beside the cross stay in view.
      const pf::Rect r = box.rect;
      const int side = sign_rect({0, 0, bounds.w, r.h}).w;
      judge(Verdict::Wrong, box.name(), {r.x, r.y, mark_at(first_wrong).x - 2 + side * 2 / 3 - r.x, r.h});
    } else {
      // The page's tick stands in the free paper above the rows.
      const Line first = row_line(1), last = row_line(kRows);
      const int top = first.y - kTextAbove - kRowStep;
      judge(Verdict::Right, "stranka", {first.x1, top, last.x2 - first.x1, last.y - top});
    }
    refresh();
    set_focus(0);
    if (wrong > 0) {
      say(file("SPATNE.DAT"), kFrame.face);
    } else {
      players::CoinsDue due(kGame.coins.due(wrong));
      core::play_animation({Root::Data, "\\BEZCHYB.DAT"}, head());
      say(file("SPRAVNE.DAT"), kFrame.face);
      award(due, kCoins);
    }
    zmena.enabled = buttons_[1]->enabled = true;
  }

  // The right answer in green just right of a cross's ink (the mark's
  // picture is wider than its cross), drawn smaller when wider than two
  // digits, so that it stays on the page beside the right-hand rows too.
  void print_right_answer(const std::string& text, pf::Point at, const pf::Surface& cross) {
    const pf::Rgb key = core::key_colour(cross);
    int ink_right = 0;
    for (int y = 0; y < cross.height(); ++y)
      for (int x = 0; x < cross.width(); ++x)
        if (cross.at(x, y) != key) ink_right = std::max(ink_right, x);
    pf::TextStyle style = kRightFont;
    while (text_width(text, style) > text_width("10", kRightFont) && style.size > kRightFont.size * 2 / 3) --style.size;
    print(text, at.x + ink_right + 2, at.y + 2 + (pf::measure_text("8", kRightFont).h - pf::measure_text("8", style).h), style);
  }

  // Whether row i asks for a sign (a comparison) rather than a number.
  bool sign_row(int i) const { return page_.radky[static_cast<std::size_t>(i - 1)].comparison(); }

  // The box a row is answered in: its sign box in a comparison.
  const pf::Control& answer_box(int i) const {
    if (sign_row(i)) return *znamenko_[static_cast<std::size_t>(i)];
    return zapis(i);
  }

  std::string right_answer(int i) const {
    const auto row = static_cast<std::size_t>(i - 1);
    return sign_row(i) ? page_.signs[row] : std::to_string(page_.results[row]);
  }

  // A checked row in the learning record: each row is an example of its own,
  // checked once, timed from when the page could be answered.
  void record_row(int i, bool right) {
    const Radek& r = page_.radky[static_cast<std::size_t>(i - 1)];
    auto term = [&r](const std::string& t, Blank place) { return r.blank == place ? std::string("?") : t; };
    const std::string example = r.comparison() ? r.t1 + " ? " + r.t2
                                               : term(r.t1, Blank::First) + r.operace + term(r.t2, Blank::Second) +
                                                     " = " + term(r.t3, Blank::Result);
    const std::string& given = sign_row(i) ? znamenko_[static_cast<std::size_t>(i)]->tag : zapis(i).caption;
    record_answer(tapo_page_shown_ ? std::string("Tapo's page")
                                   : std::string(family_name(family_)) + " type " + std::to_string(example_type_),
                  example, right_answer(i), given, right, 1);
  }

  bool row_right(int i) const {
    const auto row = static_cast<std::size_t>(i - 1);
    if (sign_row(i)) return znamenko_[row + 1]->tag == page_.signs[row];
    const std::string& text = zapis(i).caption;
    return !text.empty() && std::stoi(text) == page_.results[row];
  }

  // ---- next page, change of type -------------------------------------------------

  void dalsi_priklady_click() {
    interrupt_talk();
    unlight();
    for (pf::Label* b : buttons_) b->enabled = false;
    set_focus(0);
    pust_letadlo();
    for (int i = 1; i <= kRows; ++i) {
      set_sign(i, "");
      zapis(i).visible = false;
    }
    reload_background();
    pf::Loop::instance().do_events();
    core::wait_ms(250);
    vytvor_priklady();
  }

  void zmena_znamenka_click() {
    for (pf::Label* b : buttons_) b->enabled = false;
    set_focus(0);
    for (int i = 1; i <= kRows; ++i) zapis(i).visible = znamenko_[static_cast<std::size_t>(i)]->visible = false;
    unlight();
    reload_background();
    if (core::player_level < 3) {
      offer_types(Family::PlusMinus);
      say(file("TYP_PRI.DAT"), kFrame.face);
    } else {
      show_cards();
      say(file("VYBERSI.DAT"), kFrame.face);
    }
  }

  // ---- the plane and the lit buttons -------------------------------------------------

  // A paper plane flies across the page, at most one pixel every 5 ms, over
  // what the screen shows.
  void pust_letadlo() {
    const int n = static_cast<int>(core::rnd() * kPlanes + 1);
    const auto plane = core::load_media_picture(file("L" + std::to_string(n) + ".BMP"));
    const auto mask = core::load_media_picture(file("L" + std::to_string(n) + "_MASK.BMP"));
    if (!plane || !mask) return;
    const int w = std::min(plane->width(), mask->width());
    letadlo_->picture = std::move(*plane);
    letadlo_->mask = std::move(*mask);
    core::play_wav(file("PRULET.WAV"));
    pf::trace::event("plane", "L" + std::to_string(n) + " " + std::to_string(w));
    unlight();
    core::fly_across(*letadlo_, kFlightBottom);
    pf::trace::event("plane-end", "");
  }

  void light_button(pf::Label& button, const char* hover) {
    if (!button.tag.empty()) return;
    unlight();
    const auto lit = core::load_media_picture(file(hover));
    if (!lit) return;
    const pf::Rect r{button.rect.x, button.rect.y, lit->width(), lit->height()};
    pf::Surface under(r.w, r.h);
    under.blit(picture, r.x, r.y, r.w, r.h, 0, 0);
    core::compose_transparent(*lit, r.w, r.h, core::key_colour(*lit), under, under);
    lit_button_->image = std::move(under);
    lit_button_->rect = r;
    lit_button_->visible = lit_button_->enabled = true;
    lit_button_->refresh();
    button.tag = "1";
    lit_ = &button;
  }

  // The lit button goes dark.
  void unlight() {
    lit_button_->visible = lit_button_->enabled = false;
    for (pf::Label* b : buttons_) b->tag.clear();
    lit_ = nullptr;
  }

  void game_mouse_move(int, int) override {
    if (lit_) unlight();
  }

  void show_picture(pf::PictureBox& box, const char* name) {
    if (auto pic = core::load_media_picture(file(name))) {
      box.rect.w = pic->width();
      box.rect.h = pic->height();
      box.image = std::move(*pic);
    }
    box.refresh();
  }

  std::vector<pf::TextBox*> zapis_;
  std::vector<pf::PictureBox*> znamenko_;
  pf::PictureBox* zdroj_ = nullptr;
  // The family cards at level 3 (the boxes `dobre_pic` and `spatne_pic`).
  pf::PictureBox* plus_minus_card_ = nullptr;
  pf::PictureBox* times_divide_card_ = nullptr;
  pf::Surface tick_, cross_;  // the marks of a checked page
  core::MaskedSprite* letadlo_ = nullptr;  // the paper plane
  pf::PictureBox* lit_button_ = nullptr;  // a button lit under the pointer
  std::array<pf::Label*, 3> buttons_{};  // check, next page, change type
  pf::Label* lit_ = nullptr;             // the button letadlo shows lit
  pf::PictureBox* tapo_page_ = nullptr;
  ReviewQueue review_;
  bool tapo_page_shown_ = false;  // the page is Tapo's page
  Family family_ = Family::PlusMinus;
  int example_type_ = 0;
  Stranka page_;
  std::vector<std::string> marks_;  // "tick" or "cross" per row once the page is marked
  std::vector<std::string> shown_right_;  // the right answer written beside a cross, per row
  std::string help_sound_;
  int focus_ = 0;
  bool choosing_family_ = false;
};

TAPO_REGISTER_FORM(kFrame.form, FrmDril)

}  // namespace tapo::games::dril
