#include "grownups/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>

#include "core/tapo_iii.h"
#include "grownups/charts.h"
#include "platform/calendar.h"
#include "platform/i18n.h"
#include "platform/ini.h"
#include "platform/paths.h"
#include "platform/utf8.h"
#include "players/profiles.h"
#include "players/record.h"

namespace tapo::grownups::report {

namespace fs = std::filesystem;
namespace pf = tapo::platform;
namespace journal = players::journal;
using charts::escaped;

namespace {

// The charts on the page, in CSS pixels: the share chart grows with the games.
constexpr pf::Rect kMinutesArea{0, 0, 560, 150};
constexpr int kShareHeight = 170, kShareColumn = 90;

// A key of a profile file in `folder`; "" when missing.
std::string profile_value(const fs::path& folder, std::string_view file, std::string_view slot, std::string_view key) {
  std::string value = pf::read_ini(pf::resolve_path(folder, file), slot, key);
  return value == pf::kIniMissing ? std::string() : value;
}

// `ms` as seconds, written with a dot whatever the locale: 3250 -> "3.25", 2000 -> "2".
std::string seconds(long long ms) {
  std::string fraction = std::to_string(1000 + std::llabs(ms) % 1000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  return (ms < 0 ? "-" : "") + std::to_string(std::llabs(ms) / 1000) + (fraction.empty() ? "" : "." + fraction);
}

// Seconds to a tenth, "4.0".
std::string tenths(double seconds) {
  const long long t = std::llround(seconds * 10);
  return std::to_string(t / 10) + "." + std::to_string(t % 10);
}

std::string percent(const journal::Share& s) {
  return s.share < 0 ? "–" : charts::percent(s.share);
}

Piglet piglet_of(const Folder& folder, const journal::Journal& record, const std::string& slot) {
  Piglet p;
  p.slot = slot;
  p.figures = record.figures(slot);
  p.name = pf::stored_text_to_utf8(profile_value(folder.path, players::kRosterFile, slot, "Jmeno"), core::language);
  const double level = players::leading_number(profile_value(folder.path, players::kRosterFile, slot, "Level"));
  if (!p.name.empty() && level >= 1 && level <= 255) p.level = static_cast<int>(level);
  if (p.name.empty()) {  // no longer in the profiles: as it last played
    p.name = p.figures.name.empty() ? slot : p.figures.name;
    for (auto a = folder.answers.rbegin(); a != folder.answers.rend() && p.level == 0; ++a)
      if (a->slot == slot) p.level = a->level;
  }
  p.review = record.review(slot);
  p.fit = record.level_fit(slot, p.level);
  const std::string toys = profile_value(folder.path, players::kResultsFile, slot, "Hracky");
  p.toys_owned = static_cast<int>(std::count(toys.begin(), toys.end(), '1'));
  return p;
}

constexpr const char* kStyle = R"(
body { font-family: sans-serif; color: #462814; max-width: 50em; margin: 1.5em auto; padding: 0 1em; }
h1 { font-size: 1.6em; margin-bottom: 0; }
p.made { color: #806050; margin-top: 0.2em; }
section { border-top: 3px solid #e68c3c; margin-top: 2em; padding-top: 0.3em; }
h2 { font-size: 1.4em; margin: 0.3em 0; }
h3 { font-size: 1.05em; margin: 1.2em 0 0.4em; }
table { border-collapse: collapse; }
th, td { text-align: left; padding: 0.15em 0.7em 0.15em 0; border-bottom: 1px solid #eadfd6; vertical-align: top; }
th { font-weight: 600; }
.n { text-align: right; }
table.facts th { font-weight: normal; color: #806050; }
svg { display: block; max-width: 100%; height: auto; }
svg text { font-family: sans-serif; }
p.none { color: #806050; font-style: italic; }
@media print {
  body { max-width: none; margin: 0; padding: 0; font-size: 10pt; }
  section { break-before: page; page-break-before: always; border-top: none; margin-top: 0; }
  section:first-of-type { break-before: auto; page-break-before: auto; }
  .part { break-inside: avoid; page-break-inside: avoid; }
}
)";

void write_chart(std::ostream& out, const charts::Picture& picture, pf::Rect area) {
  const std::string w = std::to_string(area.w), h = std::to_string(area.h);
  out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << w << "\" height=\"" << h << "\" viewBox=\"0 0 " << w
      << " " << h << "\">" << charts::svg(picture, area) << "</svg>\n";
}

// A table row of cells; `numbers` is how many at the end are numbers.
void write_row(std::ostream& out, std::initializer_list<std::string> cells, std::size_t numbers, const char* cell = "td") {
  out << "<tr>";
  std::size_t i = 0;
  for (const std::string& c : cells)
    out << "<" << cell << (i++ >= cells.size() - numbers ? " class=\"n\">" : ">") << escaped(c) << "</" << cell << ">";
  out << "</tr>\n";
}

void write_facts(std::ostream& out, const fs::path& folder, const Piglet& p) {
  out << "<table class=\"facts\">\n";
  write_row(out, {pf::tr("Data folder"), folder.string()}, 0);
  std::string level = p.level ? std::to_string(p.level) : "–";
  if (const std::string fit = journal::fit_words(p.fit); !fit.empty()) level += " — " + fit;
  write_row(out, {pf::tr("Level"), level}, 0);
  write_row(out, {pf::tr("Answers"), std::to_string(p.figures.answers)}, 0);
  write_row(out, {pf::tr("Coins earned"), std::to_string(p.figures.coins_earned)}, 0);
  write_row(out, {pf::tr("Coins spent"), std::to_string(p.figures.coins_spent)}, 0);
  write_row(out, {pf::tr("Toys owned"), std::to_string(p.toys_owned)}, 0);
  out << "</table>\n";
}

// A part of a piglet's section under its heading, kept on one printed page.
void write_part(std::ostream& out, const std::string& heading, const std::function<void()>& body) {
  out << "<div class=\"part\">\n<h3>" << escaped(heading) << "</h3>\n";
  body();
  out << "</div>\n";
}

void write_none(std::ostream& out, const std::string& text) { out << "<p class=\"none\">" << escaped(text) << "</p>\n"; }

void write_kinds(std::ostream& out, const journal::Figures& f) {
  if (f.kinds.empty()) return write_none(out, pf::tr("No answers yet."));
  out << "<table>\n<thead>\n";
  write_row(out, {pf::tr("Game"), pf::tr("Kind"), pf::tr("Answers"), pf::tr("First tries right"), pf::tr("Mean seconds")},
            3, "th");
  out << "</thead>\n<tbody>\n";
  std::vector<std::pair<std::string, const journal::KindRow*>> rows;  // by the games' titles
  for (const journal::KindRow& k : f.kinds) rows.emplace_back(charts::game_title(k.game), &k);
  std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [title, k] : rows)
    write_row(out, {title, k->kind, std::to_string(k->answers), percent(k->first_tries), tenths(k->mean_seconds)}, 3);
  out << "</tbody>\n</table>\n";
}

void write_missed(std::ostream& out, const journal::Figures& f) {
  if (f.most_missed.empty()) return write_none(out, pf::tr("Nothing missed yet."));
  out << "<table>\n<thead>\n";
  write_row(out, {pf::tr("Game"), pf::tr("Example"), pf::tr("Times")}, 1, "th");
  out << "</thead>\n<tbody>\n";
  for (const journal::Missed& m : f.most_missed)
    write_row(out, {charts::game_title(m.game), m.example, std::to_string(m.times)}, 1);
  out << "</tbody>\n</table>\n";
}

void write_review(std::ostream& out, const std::vector<journal::ReviewItem>& review) {
  if (review.empty()) return write_none(out, pf::tr("Nothing to practise again."));
  out << "<table>\n<thead>\n";
  write_row(out, {pf::tr("Fact"), pf::tr("Box"), pf::tr("Comes back")}, 1, "th");
  out << "</thead>\n<tbody>\n";
  for (const journal::ReviewItem& r : review) write_row(out, {r.fact, std::to_string(r.box), r.due}, 1);
  out << "</tbody>\n</table>\n";
}

void write_piglet(std::ostream& out, const fs::path& folder, const Piglet& p) {
  out << "<section>\n<h2>" << escaped(p.name) << "</h2>\n";
  write_facts(out, folder, p);
  write_part(out, pf::tr("Minutes played a day"),
             [&] { write_chart(out, charts::minutes_chart(p.figures, kMinutesArea), kMinutesArea); });
  write_part(out, pf::tr("First tries right, by game"), [&] {
    const int games = static_cast<int>(p.figures.right_share.size());
    const pf::Rect area{0, 0, std::max(kMinutesArea.w, games * kShareColumn), kShareHeight};
    write_chart(out, charts::share_chart(p.figures, area), area);
  });
  write_part(out, pf::tr("Answers by kind of example"), [&] { write_kinds(out, p.figures); });
  write_part(out, pf::tr("Most often missed"), [&] { write_missed(out, p.figures); });
  write_part(out, pf::tr("To practise again"), [&] { write_review(out, p.review); });
  out << "</section>\n";
}

std::string csv_field(std::string_view s) {
  if (s.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(s);
  std::string out = "\"";
  for (char c : s) out += c == '"' ? "\"\"" : std::string(1, c);
  return out + "\"";
}

}  // namespace

std::optional<Folder> read_folder(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_directory(path, ec)) return std::nullopt;
  Folder folder{path, {}, {}};
  const journal::Journal record(pf::resolve_path(path, players::record::kFile));
  record.each_answer([&](const journal::AnswerRow& a) { folder.answers.push_back(a); });
  const std::vector<std::string> recorded = record.slots();
  std::vector<std::string> slots;  // the profiles' order, then any the record has besides
  for (std::string_view key : players::kSlotKeys)
    if (!profile_value(path, players::kRosterFile, key, "Jmeno").empty() ||
        std::find(recorded.begin(), recorded.end(), key) != recorded.end())
      slots.emplace_back(key);
  for (const std::string& s : recorded)
    if (std::find(slots.begin(), slots.end(), s) == slots.end()) slots.push_back(s);
  for (const std::string& s : slots) folder.piglets.push_back(piglet_of(folder, record, s));
  return folder;
}

void write_html(std::ostream& out, const std::vector<Folder>& folders) {
  const std::string title = pf::tr("Learning report");
  out << "<!DOCTYPE html>\n<html lang=\"" << escaped(core::language) << "\">\n<head>\n<meta charset=\"utf-8\"/>\n"
      << "<title>" << escaped(title) << "</title>\n<style>" << kStyle << "</style>\n</head>\n<body>\n"
      << "<h1>" << escaped(title) << "</h1>\n<p class=\"made\">"
      << escaped(pf::fill(pf::tr("Made on %1"), {pf::local_stamp(pf::wall_time()).substr(0, 16)})) << "</p>\n";
  bool any = false;
  for (const Folder& f : folders)
    for (const Piglet& p : f.piglets) {
      write_piglet(out, f.path, p);
      any = true;
    }
  if (!any) out << "<p class=\"none\">" << escaped(pf::tr("No piglets in these folders.")) << "</p>\n";
  out << "</body>\n</html>\n";
}

void write_csv(std::ostream& out, const std::vector<Folder>& folders) {
  struct Line {
    const Folder* folder;
    const journal::AnswerRow* answer;
  };
  std::vector<Line> lines;
  for (const Folder& f : folders)
    for (const journal::AnswerRow& a : f.answers) lines.push_back({&f, &a});
  std::stable_sort(lines.begin(), lines.end(), [](const Line& a, const Line& b) { return a.answer->at < b.answer->at; });
  out << "folder,piglet,game,level,kind,example,expected,given,right,try,seconds,time\r\n";
  for (const auto& [folder, a] : lines) {
    out << csv_field(folder->path.string()) << ',' << csv_field(a->piglet) << ',' << csv_field(charts::game_title(a->game))
        << ',' << a->level << ',' << csv_field(a->kind) << ',' << csv_field(a->example) << ',' << csv_field(a->expected)
        << ',' << csv_field(a->given) << ',' << (a->right ? 1 : 0) << ',' << a->attempt << ',' << seconds(a->ms) << ','
        << csv_field(a->at) << "\r\n";
  }
}

int run(const std::vector<fs::path>& paths, const std::string& html_file, const std::string& csv_file) {
  int code = 0;
  std::vector<Folder> folders;
  for (const fs::path& p : paths) {
    if (std::optional<Folder> f = read_folder(p)) {
      folders.push_back(std::move(*f));
      continue;
    }
    std::fprintf(stderr, "tapo: %s\n", pf::fill(pf::tr("%1 is not a folder"), {p.string()}).c_str());
    code = 1;
  }
  auto write = [&](const std::string& file, void (*writer)(std::ostream&, const std::vector<Folder>&)) {
    std::ofstream out(file, std::ios::binary);
    if (out) writer(out, folders);
    if (!out || !out.flush()) {
      std::fprintf(stderr, "tapo: %s\n", pf::fill(pf::tr("cannot write %1"), {file}).c_str());
      code = 1;
    }
  };
  if (!html_file.empty()) write(html_file, write_html);
  if (!csv_file.empty()) write(csv_file, write_csv);
  if (html_file.empty() && csv_file.empty()) write_html(std::cout, folders);
  return code;
}

}  // namespace tapo::grownups::report
