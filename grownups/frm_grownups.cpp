// The grown-ups' corner: behind a gate a child does not pass, what each
// piglet practised (minutes a day, first tries right by game, the examples
// most often missed, coins and toys) and the settings a grown-up chooses for
// it: its level, a daily play limit, and no clock in the racing games.
// Everything is drawn here; the media folder is only the players' meadow,
// washed out behind the panels.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/media.h"
#include "core/screen.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "grownups/charts.h"
#include "grownups/gate.h"
#include "platform/calendar.h"
#include "platform/i18n.h"
#include "platform/loop.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/utf8.h"
#include "players/journal.h"
#include "players/profiles.h"
#include "players/record.h"

namespace tapo::grownups {

namespace pf = tapo::platform;
namespace journal = players::journal;
namespace screens = core::screens;
using pf::Rect;

namespace {

constexpr pf::Rgb kPaper = pf::rgb(252, 246, 230), kPanel = pf::rgb(255, 252, 243), kEdge = pf::rgb(200, 170, 130),
                  kButton = pf::rgb(240, 228, 205), kChosen = pf::rgb(150, 200, 120);
constexpr double kWashed = 0.8;  // how far the meadow fades into the paper

// The gate.
constexpr Rect kGatePanel{110, 110, 420, 250};
constexpr Rect kGateBox{270, 262, 100, 34};
// The corner.
constexpr std::array<Rect, 6> kTabs = {{{12, 40, 100, 26}, {116, 40, 100, 26}, {220, 40, 100, 26},
                                        {324, 40, 100, 26}, {428, 40, 100, 26}, {532, 40, 96, 26}}};
constexpr Rect kCharts{12, 72, 404, 290}, kMinutesChart{22, 96, 384, 92}, kShareChart{22, 218, 384, 138};
constexpr Rect kFacts{422, 72, 206, 290};
constexpr Rect kSettings{12, 368, 616, 104};
constexpr std::array<Rect, 3> kLevels = {{{150, 376, 90, 24}, {246, 376, 90, 24}, {342, 376, 90, 24}}};
constexpr std::array<Rect, 5> kLimits = {{{150, 406, 90, 24}, {246, 406, 64, 24}, {316, 406, 64, 24},
                                          {386, 406, 64, 24}, {456, 406, 64, 24}}};
constexpr Rect kNoClock{150, 436, 360, 26};
constexpr Rect kBack{520, 436, 100, 26};
constexpr Rect kGateBack{420, 320, 100, 28};

constexpr std::array<const char*, 3> kLevelNames = {pf::tr_later("up to 10"), pf::tr_later("up to 20"),
                                                    pf::tr_later("up to 100")};

pf::TextStyle style(int size, bool bold = false, pf::Rgb color = charts::kInk) {
  return {size, bold, color, pf::Face::Captions};
}

// A panel or a button: a filled box with a thin edge.
void panel(pf::Surface& s, Rect r, pf::Rgb fill) {
  s.fill_rect(r, kEdge);
  s.fill_rect({r.x + 1, r.y + 1, r.w - 2, r.h - 2}, fill);
}

}  // namespace

class FrmGrownups : public core::Screen {
 public:
  FrmGrownups() : Screen(std::string(screens::kGrownUps), "CUNICI") {}

  void on_load() override {
    load_screen();
    caption = pf::tr("For grown-ups");
    meadow_ = picture;
    for (pf::Rgb& px : meadow_.pixels()) px = washed(px);
    gate_box_ = &add<pf::TextBox>("gate", kGateBox);
    gate_box_->boxed = gate_box_->centred = gate_box_->focused = true;
    gate_box_->font_size = 22;
    gate_box_->max_chars = 3;
    tabs_ = pf::add_control_array<pf::Label>(*this, "piglet", kTabs, &FrmGrownups::piglet_click);
    levels_ = pf::add_control_array<pf::Label>(*this, "level", kLevels, &FrmGrownups::level_click);
    limits_ = pf::add_control_array<pf::Label>(*this, "daily_limit", kLimits, &FrmGrownups::limit_click);
    no_clock_ = &add<pf::Label>("no_clock", kNoClock);
    no_clock_->on_click = [this] { no_clock_click(); };
    back_ = &add<pf::Label>("back", kGateBack);
    back_->on_click = [this] { back_click(); };
    for (size_t i = 0; i < kSlots; ++i) {
      tabs_[i]->caption = pf::stored_text_to_utf8(players::slot_name(players::kSlotKeys[i]), core::language);
      if (tabs_[i]->caption.empty()) continue;
      if (shown_ < 0) shown_ = static_cast<int>(i);
    }
    for (size_t j = 0; j < kLevels.size(); ++j) levels_[j]->caption = pf::tr(kLevelNames[j]);
    for (size_t j = 0; j < kLimits.size(); ++j)
      limits_[j]->caption = journal::kDailyLimits[j] ? pf::fill(pf::tr("%1 min"), {std::to_string(journal::kDailyLimits[j])})
                                                     : pf::tr("no limit");
    back_->caption = pf::tr("Back");
    for (pf::Label* l : all_buttons()) {
      l->centred = true;
      l->font_size = 13;
      l->fore_color = charts::kInk;
      l->pointer = pf::Pointer::Hand;
    }
    new_gate();
  }

  void on_text(const std::string& text) override {
    if (passed_) return;
    for (char c : text)
      if (c >= '0' && c <= '9') gate_box_->type(std::string(1, c));
  }

  void on_key(const std::string& key) override {
    if (key == "Escape") return back_click();
    if (passed_) return;
    if (key == "Backspace") gate_box_->backspace();
    if (key != "Enter") return;
    if (!opens(gate_, gate_box_->caption)) {
      wrong_ = true;
      return new_gate();
    }
    passed_ = true;
    show_piglet();
  }

  void describe(pf::JsonObject& vars) const override {
    vars.add("leaving", leaving).add("gate_passed", passed_);
    // Only a script may be told the gate's answer.
    if (pf::Loop::instance().virtual_clock()) vars.add("gate_answer", gate_.number);
    if (!passed_) return;
    pf::JsonObject shares;
    for (const journal::GameShare& g : figures_.right_share)
      if (g.this_week.share >= 0) shares.add_raw(g.game, pf::json_number(g.this_week.share));
    std::vector<int> minutes(figures_.minutes_per_day.begin(), figures_.minutes_per_day.end());
    std::vector<std::string> missed;
    for (const journal::Missed& m : figures_.most_missed) missed.push_back(m.example);
    vars.add("piglet", shown_ < 0 ? std::string() : tabs_[static_cast<size_t>(shown_)]->caption)
        .add("slot", slot())
        .add_raw("minutes_per_day", pf::json_numbers(minutes))
        .add("right_share", shares)
        .add_raw("most_missed", pf::json_strings(missed))
        .add_raw("review", journal::review_json(review_))
        .add_raw("review_due", journal::due_json(review_))
        .add("level_suggestion", fit_ == journal::LevelFit::ReadyForNext  ? "next"
                                 : fit_ == journal::LevelFit::BelowKinder ? "below"
                                                                          : "")
        .add("level", level_)
        .add("daily_limit", settings_.daily_limit)
        .add("no_clock", settings_.no_clock);
  }

 private:
  static constexpr size_t kSlots = players::kSlotKeys.size();
  static constexpr size_t kMissedShown = journal::kMostMissed, kReviewShown = 4;
  static constexpr int kListLine = 13;  // the height of a line of the facts' lists

  std::vector<pf::Label*> all_buttons() const {
    std::vector<pf::Label*> out(tabs_.begin(), tabs_.end());
    out.insert(out.end(), levels_.begin(), levels_.end());
    out.insert(out.end(), limits_.begin(), limits_.end());
    out.push_back(no_clock_);
    out.push_back(back_);
    return out;
  }

  std::string slot() const { return shown_ < 0 ? std::string() : std::string(players::kSlotKeys[static_cast<size_t>(shown_)]); }

  static pf::Rgb washed(pf::Rgb c) {
    auto mix = [](int from, int to) { return static_cast<int>(from + (to - from) * kWashed + 0.5); };
    return pf::rgb(mix((c >> 16) & 255, (kPaper >> 16) & 255), mix((c >> 8) & 255, (kPaper >> 8) & 255),
                   mix(c & 255, kPaper & 255));
  }

  // ---- the gate ---------------------------------------------------------------------------

  void new_gate() {
    gate_ = draw_gate();
    gate_box_->caption.clear();
    draw_gate_page();
  }

  void draw_gate_page() {
    for (pf::Label* l : all_buttons()) l->visible = false;
    back_->visible = true;
    back_->rect = kGateBack;
    picture = meadow_;
    panel(picture, kGatePanel, kPanel);
    const Rect p = kGatePanel;
    centred(pf::tr("For grown-ups"), {p.x, p.y + 14, p.w, 30}, style(22, true));
    centred(pf::tr("Type this number in digits, then press Enter:"), {p.x, p.y + 70, p.w, 20}, style(15));
    centred(gate_.words, {p.x, p.y + 100, p.w, 34}, style(26, true));
    if (wrong_) centred(pf::tr("Not quite. Here is another one."), {p.x, p.y + 192, p.w, 18}, style(13, false, pf::rgb(170, 60, 40)));
    panel(picture, kGateBack, kButton);
    refresh();
  }

  void centred(const std::string& text, Rect r, const pf::TextStyle& s) {
    const Rect size = pf::measure_text(text, s);
    pf::draw_text(picture, r.x + (r.w - size.w) / 2, r.y + (r.h - size.h) / 2, text, s, r);
  }

  // ---- the corner ---------------------------------------------------------------------------

  void piglet_click(int i) {
    if (!passed_ || tabs_[static_cast<size_t>(i)]->caption.empty()) return;
    shown_ = i;
    show_piglet();
  }

  void show_piglet() {
    gate_box_->visible = gate_box_->focused = false;
    back_->rect = kBack;
    for (size_t i = 0; i < kSlots; ++i) tabs_[i]->visible = !tabs_[i]->caption.empty();
    const bool any = shown_ >= 0;
    for (pf::Label* l : all_buttons())
      if (l != back_ && std::find(tabs_.begin(), tabs_.end(), l) == tabs_.end()) l->visible = any;
    back_->visible = true;
    const journal::Journal journal(players::record::file());
    figures_ = any ? journal.figures(slot()) : journal::Figures{};
    settings_ = any ? journal.settings(slot()) : journal::Settings{};
    level_ = any ? players::slot_level(slot()) : 0;
    review_ = any ? journal.review(slot()) : std::vector<journal::ReviewItem>{};
    fit_ = any ? journal.level_fit(slot(), level_) : journal::LevelFit::Unknown;
    draw_corner();
  }

  void draw_corner() {
    picture = meadow_;
    pf::draw_text(picture, 14, 8, pf::tr("For grown-ups"), style(22, true));
    for (size_t i = 0; i < kSlots; ++i)
      if (tabs_[i]->visible) panel(picture, kTabs[i], static_cast<int>(i) == shown_ ? kChosen : kButton);
    if (shown_ < 0) {
      centred(pf::tr("No piglet plays yet. Make one on the meadow first."), {0, 200, 640, 30}, style(16));
      panel(picture, kBack, kButton);
      return refresh();
    }
    panel(picture, kCharts, kPanel);
    heading(pf::tr("Minutes played a day, the last two weeks"), {kCharts.x + 10, kCharts.y + 6});
    charts::paint(picture, charts::minutes_chart(figures_, kMinutesChart));
    heading(pf::tr("Answered right at the first try"), {kCharts.x + 10, kShareChart.y - 24});
    charts::paint(picture, charts::share_chart(figures_, kShareChart));
    draw_facts();
    draw_settings();
    panel(picture, kBack, kButton);
    refresh();
  }

  void heading(const std::string& text, pf::Point at) { pf::draw_text(picture, at.x, at.y, text, style(14, true)); }

  void draw_facts() {
    panel(picture, kFacts, kPanel);
    const Rect f = kFacts;
    heading(pf::tr("Most often wrong"), {f.x + 10, f.y + 6});
    int y = f.y + 26;
    if (figures_.most_missed.empty()) pf::draw_text(picture, f.x + 10, y, pf::tr("Nothing yet."), style(11));
    const std::size_t missed = std::min<std::size_t>(figures_.most_missed.size(), kMissedShown);
    for (std::size_t i = 0; i < missed; ++i, y += kListLine)
      list_line(y, figures_.most_missed[i].example, "×" + std::to_string(figures_.most_missed[i].times));
    y = f.y + 160;
    heading(pf::tr("To practise again"), {f.x + 10, y});
    y += 20;
    if (review_.empty()) pf::draw_text(picture, f.x + 10, y, pf::tr("Nothing yet."), style(11));
    const std::string today = platform::date_before(0);
    for (std::size_t i = 0; i < std::min<std::size_t>(review_.size(), kReviewShown); ++i, y += kListLine) {
      const journal::ReviewItem& r = review_[i];
      // The box as dots (one to three), and "today" when it is due.
      const std::string dots = std::string(r.box == 1 ? "●○○" : r.box == 2 ? "●●○" : "●●●");
      list_line(y, r.fact, r.due <= today ? pf::tr("today") + " " + dots : dots);
    }
    y = f.y + f.h - 48;
    for (const std::string& line :
         {pf::fill(pf::tr("Coins earned: %1"), {std::to_string(figures_.coins_earned)}),
          pf::fill(pf::tr("Coins spent: %1"), {std::to_string(figures_.coins_spent)}),
          pf::fill(pf::tr("Toys owned: %1"), {std::to_string(players::toys_owned(slot()))})}) {
      pf::draw_text(picture, f.x + 10, y, line, style(12), {f.x, f.y, f.w, f.h});
      y += 15;
    }
  }

  // A line of a list in the facts' panel: the text at the left, `mark` at the right.
  void list_line(int y, const std::string& text, const std::string& mark) {
    const Rect line{kFacts.x + 10, y, kFacts.w - 20, kListLine};
    const pf::TextStyle marks{11, true, charts::kInk, pf::Face::Game};  // the dots are in the game's face
    const int mark_w = pf::measure_text(mark, marks).w;
    pf::draw_text(picture, line.x, y, text, style(11), {line.x, y, line.w - mark_w - 4, line.h});
    pf::draw_text(picture, line.x + line.w - mark_w, y, mark, marks, line);
  }

  void draw_settings() {
    panel(picture, kSettings, kPanel);
    const Rect s = kSettings;
    pf::draw_text(picture, s.x + 10, kLevels[0].y + 4, pf::tr("Numbers"), style(13, true));
    pf::draw_text(picture, s.x + 10, kLimits[0].y + 4, pf::tr("Play a day"), style(13, true));
    pf::draw_text(picture, s.x + 10, kNoClock.y + 5, pf::tr("Racing games"), style(13, true));
    for (size_t j = 0; j < kLevels.size(); ++j) panel(picture, kLevels[j], level_ == static_cast<int>(j) + 1 ? kChosen : kButton);
    if (fit_ == journal::LevelFit::ReadyForNext || fit_ == journal::LevelFit::BelowKinder) {
      const Rect hint{kLevels[2].x + kLevels[2].w + 8, kLevels[0].y, kSettings.x + kSettings.w - kLevels[2].x - kLevels[2].w - 14,
                      kLevels[0].h};
      const std::string words = (fit_ == journal::LevelFit::ReadyForNext ? "→ " : "← ") + journal::fit_words(fit_);
      pf::draw_text(picture, hint.x, hint.y + 5, words, style(12, true, pf::rgb(40, 120, 40)), hint);
    }
    for (size_t j = 0; j < kLimits.size(); ++j)
      panel(picture, kLimits[j], settings_.daily_limit == journal::kDailyLimits[j] ? kChosen : kButton);
    panel(picture, kNoClock, settings_.no_clock ? kChosen : kButton);
    no_clock_->caption = settings_.no_clock ? pf::tr("✓ No clock: the opponent waits while the child thinks")
                                            : pf::tr("The opponent races the clock (click: no clock)");
    no_clock_->refresh();
  }

  void level_click(int j) {
    if (players::set_level(slot(), j + 1)) level_ = j + 1;
    draw_corner();
  }

  void limit_click(int j) {
    journal::Settings s = settings_;
    s.daily_limit = journal::kDailyLimits[static_cast<size_t>(j)];
    keep(s);
  }

  void no_clock_click() {
    journal::Settings s = settings_;
    s.no_clock = !s.no_clock;
    keep(s);
  }

  // A setting shows as chosen once it is kept (a folder that cannot be
  // written has been told of by the record).
  void keep(const journal::Settings& s) {
    if (players::record::save_settings(slot(), s)) settings_ = s;
    draw_corner();
  }

  void back_click() {
    if (leaving) return;
    players::returning_from_corner = true;
    screens::show(screens::kPlayers);
    leaving = true;
    unload();
  }

  pf::Surface meadow_;
  pf::TextBox* gate_box_ = nullptr;
  pf::Label* no_clock_ = nullptr;
  pf::Label* back_ = nullptr;
  std::vector<pf::Label*> tabs_, levels_, limits_;
  Gate gate_;
  bool passed_ = false, wrong_ = false;
  int shown_ = -1;  // the slot shown
  int level_ = 0;
  journal::Figures figures_;
  journal::Settings settings_;
  std::vector<journal::ReviewItem> review_;
  journal::LevelFit fit_ = journal::LevelFit::Unknown;
};

TAPO_REGISTER_FORM(screens::kGrownUps, FrmGrownups)

}  // namespace tapo::grownups
