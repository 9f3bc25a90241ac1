#include "navigation/frm_game_placeholder.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/media.h"
#include "core/screens.h"
#include "core/tapo_iii.h"
#include "platform/text.h"

namespace tapo::navigation {

namespace pf = tapo::platform;

namespace {

struct GameTitle {
  std::string_view form;
  const char* title;
};

constexpr std::array<GameTitle, 10> kTitles = {{
    {"frm_hrackarstvi", "The toy shop"},
    {"frm_had", "The snake"},
    {"frm_drak", "The dragon"},
    {"frm_pexeso", "Memory cards"},
    {"frm_sneci", "The snail race"},
    {"frm_housenka", "The bubble caterpillar"},
    {"frm_dril", "The workbook"},
    {"frm_terc", "The target"},
    {"frm_vahy", "The scales"},
    {"frm_pretah", "The sausage tug"},
}};

std::string title_of(const std::string& form) {
  for (const auto& t : kTitles)
    if (t.form == form) return t.title;
  return "This game";
}

constexpr pf::Rect kPanel{110, 70, 420, 340};
constexpr pf::Rect kToyBox{kPanel.x + 130, kPanel.y + 24, 160, 150};
constexpr pf::Rgb kPanelColour = pf::rgb(255, 247, 222);
constexpr pf::Rgb kBorder = pf::rgb(150, 96, 48);
constexpr pf::Rgb kInk = pf::rgb(90, 50, 30);

// Half way between the colour and a dusk blue: the menu behind, dimmed.
pf::Rgb dimmed(pf::Rgb c) {
  const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
  return pf::rgb((r + 20) / 2, (g + 30) / 2, (b + 70) / 2);
}

// The source rectangle drawn scaled (nearest neighbour) into `to`, centred,
// its proportions kept, at most twice its size.
void draw_scaled(pf::Surface& dst, const pf::Surface& src, pf::Rect from, pf::Rect to) {
  if (from.w <= 0 || from.h <= 0) return;
  const double f = std::min({2.0, double(to.w) / from.w, double(to.h) / from.h});
  const int w = std::max(1, int(from.w * f)), h = std::max(1, int(from.h * f));
  const int x0 = to.x + (to.w - w) / 2, y0 = to.y + (to.h - h) / 2;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx = from.x + std::min(from.w - 1, int(x / f)), sy = from.y + std::min(from.h - 1, int(y / f));
      if (sx >= 0 && sy >= 0 && sx < src.width() && sy < src.height()) dst.set(x0 + x, y0 + y, src.at(sx, sy));
    }
}

void centred_text(pf::Surface& dst, int y, const std::string& text, const pf::TextStyle& style) {
  const pf::Rect size = pf::measure_text(text, style);
  pf::draw_text(dst, kPanel.x + (kPanel.w - size.w) / 2, y, text, style);
}

class FrmGamePlaceholder : public pf::Form {
 public:
  FrmGamePlaceholder() : Form(std::string(core::screens::kComingSoon)) {}

  void on_load() override {
    caption = "Tapo - Numerino";
    bounds = {0, 0, 640, 480};
    casomira.set_enabled(false);
  }

  // Paints the screen for one game: the menu dimmed behind a panel with the
  // toy, the game's name and the promise.
  void present(const std::string& game_form, pf::Rect toy, const std::string& from) {
    game_ = game_form;
    from_ = from;
    auto menu = pf::Forms::instance().find(from);
    if (menu) {
      picture = menu->picture;
      for (auto& px : picture.pixels()) px = dimmed(px);
    } else {
      picture.fill(pf::rgb(40, 50, 90));
    }
    picture.fill_rect({kPanel.x - 4, kPanel.y - 4, kPanel.w + 8, kPanel.h + 8}, kBorder);
    picture.fill_rect(kPanel, kPanelColour);
    if (menu) draw_scaled(picture, menu->picture, toy, kToyBox);
    centred_text(picture, kPanel.y + 190, title_of(game_form), {30, true, kInk});
    centred_text(picture, kPanel.y + 236, "is coming soon!", {24, false, kInk});
    centred_text(picture, kPanel.y + 296, from == core::screens::kGamesMenu ? "Click to go back to the toys" : "Click to go back",
                 {16, false, pf::rgb(120, 90, 60)});
    refresh();
  }

  void on_activate() override {
    if (!casomira.enabled()) casomira.set_enabled(true);
  }
  void on_click() override { back_to_menu(); }
  void on_key(const std::string&) override { back_to_menu(); }
  void on_unload() override { casomira.set_enabled(false); }

  void describe(pf::JsonObject& vars) const override {
    vars.add("game", game_).add("casomira", casomira.enabled());
  }

 private:
  // As a game's leave control: silence, the screen before again, and this
  // screen goes.
  void back_to_menu() {
    if (!loaded()) return;
    casomira.set_enabled(false);
    core::talk_abort = true;
    core::close_sound();
    core::screens::show(from_);
    unload();
  }

  pf::FormTimer casomira{*this, kPlaceholderMs, [this] {
                           casomira.set_enabled(false);
                           back_to_menu();
                         }};
  std::string game_;
  std::string from_{core::screens::kGamesMenu};
};

}  // namespace

TAPO_REGISTER_FORM(core::screens::kComingSoon, FrmGamePlaceholder)

std::shared_ptr<pf::Form> show_game_placeholder(const std::string& game_form, pf::Rect toy, const std::string& from) {
  auto form = pf::Forms::instance().get(std::string(core::screens::kComingSoon));
  if (auto* placeholder = dynamic_cast<FrmGamePlaceholder*>(form.get())) placeholder->present(game_form, toy, from);
  form->show();
  return form;
}

namespace {
// Stands in for every screen not built yet.
const bool stands_in = (core::screens::set_stand_in([](std::string_view name, pf::Rect area, std::string_view from) {
                          show_game_placeholder(std::string(name), area, std::string(from));
                        }),
                        true);
}  // namespace

}  // namespace tapo::navigation
