#include "players/journal.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <map>

#include "platform/calendar.h"
#include "platform/i18n.h"
#include "platform/json.h"

namespace tapo::players::journal {

namespace {

struct Row {
  sqlite3_stmt* stmt;
  std::string text(int i) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
    return t ? t : "";
  }
  long long number(int i) const { return sqlite3_column_int64(stmt, i); }
  double real(int i) const { return sqlite3_column_double(stmt, i); }
};

// Runs a query with `texts` bound in order, calling `each` for every row; a
// query the file cannot answer (no such table in an old record) gives none.
void query(sqlite3* db, const char* sql, std::initializer_list<std::string_view> texts,
           const std::function<void(const Row&)>& each) {
  sqlite3_stmt* stmt = nullptr;
  if (!db || sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) return;
  int i = 0;
  for (std::string_view t : texts) sqlite3_bind_text(stmt, ++i, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
  while (sqlite3_step(stmt) == SQLITE_ROW) each(Row{stmt});
  sqlite3_finalize(stmt);
}

// The length of each session in minutes, by its starting date; one a killed
// game left open lasts until the last answer after its start.
constexpr const char* kMinutesByDate = R"(
  SELECT date(started), SUM(MAX(0, julianday(COALESCE(ended,
      (SELECT MAX(at) FROM answers a WHERE a.slot = s.slot AND a.at >= s.started AND a.at < COALESCE(
        (SELECT MIN(started) FROM sessions n WHERE n.slot = s.slot AND n.started > s.started), '~')), started)) - julianday(started))) * 1440
  FROM sessions s WHERE slot = ?1 AND date(started) >= ?2 AND date(started) <= ?3 GROUP BY date(started))";

Share share_of(long long right, long long tries) {
  return {tries ? static_cast<double>(right) / static_cast<double>(tries) : -1.0, static_cast<int>(tries)};
}

}  // namespace

Journal::Journal(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return;
  if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db_);
    db_ = nullptr;
    return;
  }
  sqlite3_busy_timeout(db_, 2000);
}

Journal::~Journal() { sqlite3_close(db_); }

std::vector<std::string> Journal::slots() const {
  std::vector<std::string> out;
  query(db_,
        "SELECT slot FROM (SELECT slot, MIN(at) AS first FROM (SELECT slot, at FROM answers UNION ALL "
        "SELECT slot, started FROM sessions UNION ALL SELECT slot, at FROM events) GROUP BY slot) ORDER BY first",
        {}, [&](const Row& r) { out.push_back(r.text(0)); });
  return out;
}

int Journal::minutes_on(std::string_view slot, std::string_view date) const {
  double minutes = 0;
  query(db_, kMinutesByDate, {slot, date, date}, [&](const Row& r) { minutes += r.real(1); });
  return static_cast<int>(std::lround(minutes));
}

Settings Journal::settings(std::string_view slot) const {
  Settings s;
  query(db_, "SELECT daily_limit, no_clock FROM settings WHERE slot = ?", {slot}, [&](const Row& r) {
    const int limit = static_cast<int>(r.number(0));
    if (std::find(kDailyLimits.begin(), kDailyLimits.end(), limit) != kDailyLimits.end()) s.daily_limit = limit;
    s.no_clock = r.number(1) != 0;
  });
  return s;
}

Figures Journal::figures(std::string_view slot) const {
  Figures f;
  f.slot = slot;
  const std::string first_day = platform::date_before(kDays - 1), week = platform::date_before(6),
                    today = platform::date_before(0);
  query(db_,
        "SELECT piglet FROM (SELECT piglet, at FROM answers WHERE slot = ?1 UNION ALL "
        "SELECT piglet, started FROM sessions WHERE slot = ?1) ORDER BY at DESC LIMIT 1",
        {slot}, [&](const Row& r) { f.name = r.text(0); });

  std::map<std::string, int> by_date;
  query(db_, kMinutesByDate, {slot, first_day, today},
        [&](const Row& r) { by_date[r.text(0)] = static_cast<int>(std::lround(r.real(1))); });
  for (int d = 0; d < kDays; ++d) f.minutes_per_day[static_cast<size_t>(d)] = by_date[platform::date_before(kDays - 1 - d)];

  query(db_,
        "SELECT game, date(at) >= ?3, SUM(right), COUNT(*) FROM answers "
        "WHERE slot = ?1 AND attempt = 1 AND date(at) >= ?2 GROUP BY game, date(at) >= ?3 ORDER BY MIN(id)",
        {slot, first_day, week}, [&](const Row& r) {
          const std::string game = r.text(0);
          auto it = std::find_if(f.right_share.begin(), f.right_share.end(), [&](const GameShare& g) { return g.game == game; });
          if (it == f.right_share.end()) it = f.right_share.insert(f.right_share.end(), GameShare{game, {}, {}});
          (r.number(1) ? it->this_week : it->last_week) = share_of(r.number(2), r.number(3));
        });

  query(db_,
        "SELECT game, example, COUNT(*) FROM answers WHERE slot = ? AND right = 0 "
        "GROUP BY game, example ORDER BY COUNT(*) DESC, MAX(at) DESC LIMIT 10",
        {slot}, [&](const Row& r) { f.most_missed.push_back({r.text(0), r.text(1), static_cast<int>(r.number(2))}); });

  query(db_,
        "SELECT game, kind, COUNT(*), SUM(attempt = 1 AND right), SUM(attempt = 1), AVG(ms) / 1000.0 FROM answers "
        "WHERE slot = ? GROUP BY game, kind ORDER BY game, kind",
        {slot}, [&](const Row& r) {
          f.kinds.push_back({r.text(0), r.text(1), static_cast<int>(r.number(2)), share_of(r.number(3), r.number(4)),
                             r.real(5)});
          f.answers += static_cast<int>(r.number(2));
        });

  query(db_, "SELECT kind, SUM(amount), COUNT(*) FROM events WHERE slot = ? GROUP BY kind", {slot}, [&](const Row& r) {
    if (r.text(0) == "coins") f.coins_earned = static_cast<int>(r.number(1));
    if (r.text(0) == "toy") {
      f.coins_spent = static_cast<int>(r.number(1));
      f.toys_bought = static_cast<int>(r.number(2));
    }
  });
  return f;
}

std::string review_json(const std::vector<ReviewItem>& review) {
  std::string out = "[";
  for (const ReviewItem& r : review) {
    platform::JsonObject item;
    item.add("fact", r.fact).add("box", r.box).add("due", r.due);
    out += (out.size() > 1 ? ", " : "") + item.str();
  }
  return out + "]";
}

std::string due_json(const std::vector<ReviewItem>& review) {
  const std::string today = platform::date_before(0);
  std::vector<std::string> due;
  for (const ReviewItem& r : review)
    if (r.due <= today) due.push_back(r.fact);
  return platform::json_strings(due);
}

std::string fit_words(LevelFit fit) {
  if (fit == LevelFit::ReadyForNext) return platform::tr("ready for the next level");
  if (fit == LevelFit::BelowKinder) return platform::tr("the level below may be kinder");
  return {};
}

LevelFit level_fit(int right, int tries, int level) {
  if (tries < kFitAnswers || level < 1) return LevelFit::Unknown;
  if (right * 10 >= tries * 9) return level < 3 ? LevelFit::ReadyForNext : LevelFit::Fits;
  if (right * 2 <= tries) return level > 1 ? LevelFit::BelowKinder : LevelFit::Fits;
  return LevelFit::Fits;
}

LevelFit Journal::level_fit(std::string_view slot, int level) const {
  long long right = 0, tries = 0;
  const std::string at_level = std::to_string(level), last = std::to_string(kFitAnswers);
  query(db_,
        "SELECT SUM(right), COUNT(*) FROM (SELECT right FROM answers WHERE slot = ?1 AND level = ?2 AND attempt = 1 "
        "ORDER BY id DESC LIMIT ?3)",
        {slot, at_level, last}, [&](const Row& r) {
          right = r.number(0);
          tries = r.number(1);
        });
  return journal::level_fit(static_cast<int>(right), static_cast<int>(tries), level);
}

std::vector<ReviewItem> Journal::review(std::string_view slot, bool due_only) const {
  std::vector<ReviewItem> out;
  const std::string today = platform::date_before(0);
  query(db_, "SELECT fact, box, due FROM review WHERE slot = ?1 AND (?3 = '' OR due <= ?2) ORDER BY due, box, rowid",
        {slot, today, due_only ? "due" : ""},
        [&](const Row& r) { out.push_back({r.text(0), static_cast<int>(r.number(1)), r.text(2)}); });
  return out;
}

void Journal::each_answer(const std::function<void(const AnswerRow&)>& row) const {
  query(db_,
        "SELECT slot, piglet, game, level, kind, example, expected, given, right, attempt, ms, at FROM answers ORDER BY id",
        {}, [&](const Row& r) {
          row({r.text(0), r.text(1), r.text(2), static_cast<int>(r.number(3)), r.text(4), r.text(5), r.text(6),
               r.text(7), r.number(8) != 0, static_cast<int>(r.number(9)), r.number(10), r.text(11)});
        });
}

}  // namespace tapo::players::journal
