#include "players/record.h"

#include <sqlite3.h>

#include <initializer_list>
#include <optional>
#include <variant>

#include "core/tapo_iii.h"
#include "platform/calendar.h"
#include "platform/i18n.h"
#include "platform/msgbox.h"
#include "players/review.h"

namespace tapo::players::record {

namespace {

constexpr const char* kSchema = R"(
  PRAGMA journal_mode = DELETE;
  PRAGMA synchronous = FULL;
  CREATE TABLE IF NOT EXISTS answers (id INTEGER PRIMARY KEY, slot TEXT, piglet TEXT, game TEXT, level INTEGER,
    kind TEXT, example TEXT, expected TEXT, given TEXT, right INTEGER, attempt INTEGER, ms INTEGER, at TEXT);
  CREATE TABLE IF NOT EXISTS sessions (id INTEGER PRIMARY KEY, slot TEXT, piglet TEXT, started TEXT, ended TEXT);
  CREATE TABLE IF NOT EXISTS events (id INTEGER PRIMARY KEY, slot TEXT, piglet TEXT, kind TEXT, amount INTEGER,
    what TEXT, at TEXT);
  CREATE TABLE IF NOT EXISTS settings (slot TEXT PRIMARY KEY, daily_limit INTEGER, no_clock INTEGER);
  CREATE TABLE IF NOT EXISTS review (slot TEXT, fact TEXT, box INTEGER, due TEXT, PRIMARY KEY (slot, fact));
)";

using Value = std::variant<long long, std::string>;

class Database {
 public:
  ~Database() { close(); }

  // Runs `sql` with `values` bound in order; the new row's id (0 when it
  // added none), or nullopt when the database cannot be written (told once).
  std::optional<long long> run(const char* sql, std::initializer_list<Value> values = {}, bool retried = false) {
    if (!db_ && !open()) return std::nullopt;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr);
    int i = 0;
    for (const Value& v : values) {
      ++i;
      if (rc != SQLITE_OK) break;
      if (const auto* n = std::get_if<long long>(&v)) rc = sqlite3_bind_int64(stmt, i, *n);
      else rc = sqlite3_bind_text(stmt, i, std::get<std::string>(v).c_str(), -1, SQLITE_TRANSIENT);
    }
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt) == SQLITE_DONE ? SQLITE_OK : sqlite3_errcode(db_);
    sqlite3_finalize(stmt);
    if (rc == SQLITE_OK) return sqlite3_changes(db_) > 0 ? sqlite3_last_insert_rowid(db_) : 0;
    const std::string why = sqlite3_errmsg(db_);
    if (damaged(rc) && !retried) {  // damaged since it was opened
      close_file();
      if (keep_aside(file())) return run(sql, values, true);
    }
    if (folder_gone()) close_file();  // told of by the profiles; opened anew when it is back
    else tell(why);
    return std::nullopt;
  }

  // Closes the file; the next write opens it again (and may tell again).
  void close() {
    close_file();
    told_ = false;
  }

 private:
  static bool damaged(int rc) { return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT; }

  void close_file() {
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
  }

  // Without its data folder the game already tells of the profiles that
  // cannot be kept; the record then keeps nothing, untold.
  static bool folder_gone() {
    std::error_code ec;
    return !std::filesystem::is_directory(file().parent_path(), ec);
  }

  bool open() {
    const std::filesystem::path path = file();
    if (folder_gone()) return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
      int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
      if (rc == SQLITE_OK) {
        sqlite3_busy_timeout(db_, 2000);
        rc = sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr);
      }
      if (rc == SQLITE_OK) return true;
      const std::string why = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
      close_file();
      if (!damaged(rc) || attempt > 0 || !keep_aside(path)) {
        tell(why);
        return false;
      }
    }
    return false;
  }

  // A damaged record is renamed "DENIK.DB.damaged-<date>" ("-2" … when
  // taken), never deleted, its journal with it (left behind, it would be
  // played back into the new record); the next open begins a new one.
  static bool keep_aside(const std::filesystem::path& path) {
    const std::filesystem::path aside = core::rename_aside(path, [&path](const std::string& date, int n) {
      return path.string() + ".damaged-" + date + (n > 1 ? "-" + std::to_string(n) : "");
    });
    if (aside.empty()) return false;
    std::error_code ec;
    const std::filesystem::path journal = path.string() + "-journal";
    if (std::filesystem::exists(journal, ec)) std::filesystem::rename(journal, aside.string() + "-journal", ec);
    return !ec;
  }

  void tell(const std::string& why) {
    if (told_) return;
    told_ = true;
    platform::message_box(platform::tr("Attention!"),
                          platform::fill(platform::tr("The game cannot keep its record of what the children "
                                                      "practised in %1 (%2). The games go on as before."),
                                         {file().string(), why}),
                          platform::MsgIcon::Exclamation);
  }

  sqlite3* db_ = nullptr;
  bool told_ = false;
};

Database& database() {
  static Database db;
  return db;
}

long long open_session = 0;
// The current player's session: when it began, the minutes played earlier
// that day, and the grown-ups' settings for the piglet.
std::time_t session_start = 0;
int minutes_before = 0;
journal::Settings session_settings;

const bool reset_with_shared_state = core::on_reset_shared_state([] {
  open_session = 0;
  session_start = 0;
  session_settings = {};
  database().close();
});

// The local date and time of a row, "2026-12-09 14:05:31".
std::string now() { return platform::local_stamp(platform::wall_time()); }

void event(const char* kind, long long amount, std::string what) {
  if (core::player_id.empty()) return;
  database().run("INSERT INTO events (slot, piglet, kind, amount, what, at) VALUES (?, ?, ?, ?, ?, ?)",
                 {core::player_id, core::player_name, std::string(kind), amount, std::move(what), now()});
}

}  // namespace

std::filesystem::path file() { return core::real_path(core::Root::Data, kFile); }

void answer(const Answer& a) {
  if (core::player_id.empty()) return;
  Database& db = database();
  // The answer and what it does to the review are kept together or not at all.
  if (!db.run("BEGIN IMMEDIATE")) return;
  bool done = db.run(
      "INSERT INTO answers (slot, piglet, game, level, kind, example, expected, given, right, attempt, ms, at) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      {core::player_id, core::player_name, a.game, static_cast<long long>(a.level), a.kind, a.example, a.expected,
       a.given, static_cast<long long>(a.right), static_cast<long long>(a.attempt), a.ms, now()}).has_value();
  if (const auto fact = review::fact_of(a.example, a.expected); fact && done) {
    const std::string today = platform::date_before(0);
    auto in_days = [](int box) { return platform::date_before(-review::days_until_due(box)); };
    if (!a.right)  // into box 1, or back to it
      done = db.run("INSERT OR REPLACE INTO review (slot, fact, box, due) VALUES (?, ?, 1, ?)",
                    {core::player_id, *fact, in_days(1)}).has_value();
    else  // right when it came back: a box up, and out after the third
      done = db.run("UPDATE review SET box = box + 1, due = CASE box WHEN 1 THEN ?3 ELSE ?4 END "
                    "WHERE slot = ?1 AND fact = ?2 AND due <= ?5",
                    {core::player_id, *fact, in_days(2), in_days(3), today}) &&
             db.run("DELETE FROM review WHERE slot = ? AND box > 3", {core::player_id});
  }
  db.run(done ? "COMMIT" : "ROLLBACK");
}

void session_started() {
  session_ended();
  if (core::player_id.empty()) return;
  {
    const journal::Journal past(file());
    session_settings = past.settings(core::player_id);
    minutes_before = past.minutes_on(core::player_id, platform::date_before(0));
  }
  session_start = platform::wall_time();
  open_session = database()
                     .run("INSERT INTO sessions (slot, piglet, started) VALUES (?, ?, ?)",
                          {core::player_id, core::player_name, now()})
                     .value_or(0);
}

void session_ended() {
  session_start = 0;
  if (open_session == 0) return;
  database().run("UPDATE sessions SET ended = ? WHERE id = ?", {now(), open_session});
  open_session = 0;
}

int minutes_today() {
  if (session_start == 0) return 0;
  const std::time_t now = platform::wall_time();
  if (platform::local_stamp(session_start, true) != platform::local_stamp(now, true)) {
    minutes_before = 0;  // a new day has begun while the piglet plays: it counts afresh
    session_start = now;
  }
  return minutes_before + static_cast<int>((now - session_start) / 60);
}

const journal::Settings& settings() { return session_settings; }

bool day_is_over() {
  const int limit = session_settings.daily_limit;
  return limit > 0 && session_start != 0 && minutes_today() >= limit;
}

bool save_settings(std::string_view slot, const journal::Settings& s) {
  return database()
      .run("INSERT OR REPLACE INTO settings (slot, daily_limit, no_clock) VALUES (?, ?, ?)",
           {std::string(slot), static_cast<long long>(s.daily_limit), static_cast<long long>(s.no_clock)})
      .has_value();
}

void coins_earned(int coins) { event("coins", coins, ""); }

void toy_bought(std::string_view toy, int price) { event("toy", price, std::string(toy)); }

void forget(std::string_view slot) {
  if (!std::filesystem::exists(file())) return;  // nothing recorded: no file made for it
  Database& db = database();
  if (!db.run("BEGIN IMMEDIATE")) return;
  bool done = true;
  for (const char* table : {"answers", "sessions", "events", "settings", "review"})
    done = done && db.run((std::string("DELETE FROM ") + table + " WHERE slot = ?").c_str(), {std::string(slot)});
  db.run(done ? "COMMIT" : "ROLLBACK");
}

void close() {
  session_ended();
  database().close();
}

}  // namespace tapo::players::record
