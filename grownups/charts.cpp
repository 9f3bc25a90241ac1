#include "grownups/charts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "games/games.h"
#include "platform/calendar.h"
#include "platform/i18n.h"
#include "platform/text.h"

namespace tapo::grownups::charts {

namespace pf = tapo::platform;
namespace journal = players::journal;

namespace {

constexpr int kLabel = 14;  // the height of a row of labels

Shape box(pf::Rect at, pf::Rgb color) { return {Shape::Box, at, color, {}, 11, false, Shape::Left}; }
Shape text(pf::Rect at, std::string s, Shape::Align align = Shape::Centre, int size = 11, pf::Rgb color = kInk) {
  return {Shape::Text, at, color, std::move(s), size, false, align};
}

}  // namespace

std::string percent(double share) { return std::to_string(static_cast<int>(std::lround(share * 100))) + " %"; }

std::string game_title(std::string_view screen) {
  for (const core::Game* g : games::kGames)
    if (screen == g->frame.form) return pf::tr(g->title);
  return std::string(screen);
}

Picture minutes_chart(const journal::Figures& f, pf::Rect area) {
  Picture out;
  const int most = std::max(15, *std::max_element(f.minutes_per_day.begin(), f.minutes_per_day.end()));
  const int slot = area.w / journal::kDays, bar = std::max(2, slot * 2 / 3);
  const int base = area.y + area.h - kLabel, tallest = area.h - 2 * kLabel;
  out.push_back(box({area.x, base, slot * journal::kDays, 1}, kInk));
  for (int d = 0; d < journal::kDays; ++d) {
    const int minutes = f.minutes_per_day[static_cast<size_t>(d)];
    const int x = area.x + d * slot, h = minutes * tallest / most;
    if (h > 0) out.push_back(box({x + (slot - bar) / 2, base - h, bar, h}, kMinutes));
    if (minutes > 0) out.push_back(text({x, base - h - kLabel, slot, kLabel}, std::to_string(minutes)));
    const std::string date = pf::date_before(journal::kDays - 1 - d);
    out.push_back(text({x, base + 1, slot, kLabel - 1}, std::to_string(std::stoi(date.substr(8))), Shape::Centre, 10));
  }
  return out;
}

Picture share_chart(const journal::Figures& f, pf::Rect area) {
  Picture out;
  const int key_w = area.w / 2;
  out.push_back(box({area.x, area.y + 3, 9, 9}, kThisWeek));
  out.push_back(text({area.x + 13, area.y, key_w - 13, kLabel - 2}, pf::tr("this week"), Shape::Left, 10));
  out.push_back(box({area.x + key_w, area.y + 3, 9, 9}, kLastWeek));
  out.push_back(text({area.x + key_w + 13, area.y, key_w - 13, kLabel - 2}, pf::tr("the week before"), Shape::Left, 10));
  // Many games' names stand in two or three rows, each as wide as the places
  // of that many games.
  const int n = static_cast<int>(f.right_share.size()), rows = n > 6 ? 3 : n > 3 ? 2 : 1;
  const int top = area.y + 2 * kLabel + 4, base = area.y + area.h - rows * kLabel, tallest = base - top;
  out.push_back(box({area.x, base, area.w, 1}, kInk));
  if (f.right_share.empty()) {
    out.push_back(text({area.x, top, area.w, tallest}, pf::tr("No answers in the last two weeks."), Shape::Centre, 11));
    return out;
  }
  const int slot = area.w / std::max(n, 3), bar = std::max(3, slot / 3);
  for (int i = 0; i < n; ++i) {
    const journal::GameShare& g = f.right_share[static_cast<size_t>(i)];
    const int x = area.x + i * slot + (slot - 2 * bar) / 2;
    int k = 0;
    for (const auto& [share, color] : {std::pair{g.this_week, kThisWeek}, std::pair{g.last_week, kLastWeek}}) {
      const int bx = x + k++ * bar;
      if (share.share < 0) continue;
      const int h = std::max(1, static_cast<int>(std::lround(share.share * tallest)));
      out.push_back(box({bx, base - h, bar, h}, color));
    }
    if (g.this_week.share >= 0) {
      const int h = static_cast<int>(std::lround(g.this_week.share * tallest));
      out.push_back(text({area.x + i * slot, base - h - kLabel, slot, kLabel}, percent(g.this_week.share), Shape::Centre, 10));
    }
    const int name_w = slot * rows, name_x = std::clamp(area.x + i * slot + (slot - name_w) / 2, area.x, area.x + area.w - name_w);
    out.push_back(text({name_x, base + 1 + (i % rows) * kLabel, name_w, kLabel - 1}, game_title(g.game), Shape::Centre, 10));
  }
  return out;
}

void paint(pf::Surface& into, const Picture& picture) {
  for (const Shape& s : picture) {
    if (s.kind == Shape::Box) {
      into.fill_rect(s.at, s.color);
      continue;
    }
    const pf::TextStyle style{s.size, s.bold, s.color, pf::Face::Captions};
    const pf::Rect size = pf::measure_text(s.text, style);
    const int x = s.align == Shape::Left ? s.at.x
                  : s.align == Shape::Right ? s.at.x + s.at.w - size.w
                                            : s.at.x + (s.at.w - size.w) / 2;
    pf::draw_text(into, std::max(x, s.at.x), s.at.y + (s.at.h - size.h) / 2, s.text, style, s.at);
  }
}

std::string escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

std::string svg(const Picture& picture, pf::Rect area) {
  auto colour = [](pf::Rgb c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%06x", static_cast<unsigned>(c & 0xffffff));
    return std::string(hex);
  };
  std::string out;
  for (const Shape& s : picture) {
    const int x = s.at.x - area.x, y = s.at.y - area.y;
    if (s.kind == Shape::Box) {
      out += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" + std::to_string(s.at.w) +
             "\" height=\"" + std::to_string(s.at.h) + "\" fill=\"" + colour(s.color) + "\"/>";
      continue;
    }
    const char* anchor = s.align == Shape::Left ? "start" : s.align == Shape::Right ? "end" : "middle";
    const int tx = s.align == Shape::Left ? x : s.align == Shape::Right ? x + s.at.w : x + s.at.w / 2;
    out += "<text x=\"" + std::to_string(tx) + "\" y=\"" + std::to_string(y + s.at.h / 2) + "\" font-size=\"" +
           std::to_string(s.size) + "\" fill=\"" + colour(s.color) + "\" text-anchor=\"" + anchor +
           "\" dominant-baseline=\"central\">" + escaped(s.text) + "</text>";
  }
  return out;
}

}  // namespace tapo::grownups::charts
