// The report for parents and teachers: a class's data folders read into one
// page and one CSV of answers.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/tapo_iii.h"
#include "grownups/charts.h"
#include "grownups/report.h"
#include "platform/calendar.h"
#include "players/profiles.h"
#include "players/record.h"
#include "test_support.h"

namespace {

namespace core = tapo::core;
namespace players = tapo::players;
namespace record = tapo::players::record;
namespace report = tapo::grownups::report;

using Rows = std::vector<std::vector<std::string>>;

// RFC 4180 read back: quoted fields may hold commas, doubled quotes and line ends.
Rows parse_csv(const std::string& text) {
  Rows rows(1, std::vector<std::string>(1));
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    std::string& field = rows.back().back();
    if (quoted && c == '"' && i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
    else if (c == '"') quoted = !quoted;
    else if (quoted) field += c;
    else if (c == ',') rows.back().emplace_back();
    else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') rows.emplace_back(1), ++i;
    else field += c;
  }
  if (rows.back() == std::vector<std::string>(1)) rows.pop_back();  // after the last line end
  return rows;
}

// Why `html` is not well-formed ("" when it is): every tag closed in order,
// every attribute quoted, no bare "<" in the text.
std::string malformation(const std::string& html) {
  std::vector<std::string> open;
  for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
    if (html.compare(at, 9, "<!DOCTYPE") == 0) continue;
    const std::size_t end = html.find('>', at);
    if (end == std::string::npos) return "a tag never ends";
    const std::string tag = html.substr(at + 1, end - at - 1);
    const bool closing = tag[0] == '/', empty = tag.back() == '/';
    const std::string name = tag.substr(closing, tag.find_first_of(" /", closing) - closing);
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0]))) return "a bare < before " + tag;
    for (std::size_t eq = tag.find('='); eq != std::string::npos; eq = tag.find('=', tag.find('"', eq + 2) + 1))
      if (tag[eq + 1] != '"') return "an attribute unquoted in <" + tag + ">";
    if (closing) {
      if (open.empty() || open.back() != name) return "</" + name + "> closes " + (open.empty() ? "nothing" : open.back());
      open.pop_back();
    } else if (!empty) {
      open.push_back(name);
    }
    if (name == "style" && !closing) at = html.find("</style>", at) - 1;  // its rules are no tags
  }
  return open.empty() ? "" : "<" + open.back() + "> never closed";
}

// `name` plays in `slot` of `folder`, giving these answers.
void play(const tapo::testing::TempDir& folder, const char* slot, const std::string& name,
          const std::vector<record::Answer>& answers) {
  core::data_dir = folder.path().string();
  ASSERT_TRUE(players::create_profile(slot, name, 2));
  players::choose_slot(slot, name);
  for (const record::Answer& a : answers) record::answer(a);
  record::close();
}

using ReportTest = tapo::testing::LoopTest;

TEST_F(ReportTest, AClassOfFoldersGivesOneSectionPerPigletAndEveryAnswerOnceOldestFirst) {
  const std::string ema = "Ema <&\"x\">";
  const record::Answer missed{"frm_terc", 2, "sum of 2", "1,5 + 2 = ?", "3,5", "3", false, 1, 3250};
  const record::Answer then_right{"frm_terc", 2, "sum of 2", "1,5 + 2 = ?", "3,5", "3,5", true, 2, 800};
  tapo::testing::TempDir first, second, unplayed;
  play(first, "PRP", ema, {missed, then_right});
  tapo::platform::move_calendar(-1);  // Ben played the day before, on the other machine
  play(second, "ZLP", "Ben", {{"frm_vahy", 2, "comparison", "7 ? 5", ">", ">", true, 1, 2000}});
  tapo::platform::move_calendar(1);
  std::ofstream(unplayed / "HRACI.DAT") << "[PMP]\r\nJmeno=Ida\r\nLevel=1\r\n";

  std::vector<report::Folder> folders;
  for (const auto* f : {&first, &second, &unplayed}) folders.push_back(report::read_folder(f->path()).value());
  EXPECT_FALSE(report::read_folder(first / "gone").has_value());

  std::ostringstream csv;
  report::write_csv(csv, folders);
  const Rows rows = parse_csv(csv.str());
  ASSERT_EQ(rows.size(), 4u) << csv.str();
  for (const auto& row : rows) EXPECT_EQ(row.size(), rows[0].size()) << csv.str();
  const std::string target = tapo::grownups::charts::game_title("frm_terc");
  EXPECT_EQ(rows[1][0], second.path().string()) << "the oldest answer first, whatever the folder";
  EXPECT_EQ(std::vector<std::string>(rows[2].begin(), rows[2].end() - 1),
            (std::vector<std::string>{first.path().string(), ema, target, "2", "sum of 2", "1,5 + 2 = ?", "3,5", "3",
                                      "0", "1", "3.25"}));
  EXPECT_EQ((std::vector<std::string>{rows[3][1], rows[3][8], rows[3][9], rows[3][10]}),
            (std::vector<std::string>{ema, "1", "2", "0.8"}));

  std::ostringstream page;
  report::write_html(page, folders);
  const std::string html = page.str();
  EXPECT_EQ(malformation(html), "");
  int sections = 0;
  for (auto at = html.find("<section>"); at != std::string::npos; at = html.find("<section>", at + 1)) ++sections;
  EXPECT_EQ(sections, 3) << "Ema, Ben and Ida, who has not played yet";
  EXPECT_NE(html.find("<h2>Ema &lt;&amp;&quot;x&quot;&gt;</h2>"), std::string::npos);
  EXPECT_EQ(html.find("Ema <"), std::string::npos);
  EXPECT_NE(html.find("<td>1,5 + 2 = ?</td><td class=\"n\">1</td>"), std::string::npos) << "the missed example, once";
}

}  // namespace
