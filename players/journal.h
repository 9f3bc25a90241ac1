// Reading the learning record (DENIK.DB, written by players/record.h): the
// figures the grown-ups' corner draws and the report prints, the settings a
// grown-up chose for each piglet, and every recorded answer.
//
// A journal opens its file read-only; a folder without one, or a file that is
// not a record, reads as empty.  Dates are the calendar's (platform/calendar.h).
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace tapo::players::journal {

inline constexpr int kDays = 14;         // days of play time shown
inline constexpr int kMostMissed = 10;   // examples in the list of the most missed

// The share of first tries answered right; `share` -1 when there were none.
struct Share {
  double share = -1;
  int tries = 0;
};
struct GameShare {
  std::string game;  // the game's screen, "frm_terc"
  Share this_week, last_week;
};
struct Missed {
  std::string game, example;
  int times = 0;
};
struct KindRow {
  std::string game, kind;
  int answers = 0;
  Share first_tries;
  double mean_seconds = 0;
};

// What a grown-up set for a piglet (its level lives in the profiles).
struct Settings {
  int daily_limit = 0;  // minutes a day, 0: no limit
  bool no_clock = false;  // the racing games' opponents wait while the child thinks
  bool operator==(const Settings&) const = default;
};
inline constexpr std::array<int, 5> kDailyLimits = {0, 15, 30, 45, 60};

// A fact of the piglet's review (players/review.h) and when it comes back.
struct ReviewItem {
  std::string fact;
  int box = 1;
  std::string due;  // "2026-12-10"
  bool operator==(const ReviewItem&) const = default;
};

// The review as `dump` shows it: `review`, a list of {fact, box, due}, and
// `review_due`, the facts due today.
std::string review_json(const std::vector<ReviewItem>& review);
std::string due_json(const std::vector<ReviewItem>& review);

// Whether the piglet's level fits, from the share of first tries right over
// its last kFitAnswers first tries at that level (fewer: no opinion yet).
enum class LevelFit { Unknown, Fits, ReadyForNext, BelowKinder };
inline constexpr int kFitAnswers = 60;
LevelFit level_fit(int right, int tries, int level);
// What a grown-up reads of a suggestion ("ready for the next level"); "" when there is none.
std::string fit_words(LevelFit fit);

struct Figures {
  std::string slot, name;  // the name the piglet last played under
  std::array<int, kDays> minutes_per_day{};  // oldest first, today last
  std::vector<GameShare> right_share;  // each game answered in the last two weeks
  std::vector<Missed> most_missed;     // most often first
  std::vector<KindRow> kinds;          // every game and kind ever answered
  int answers = 0, coins_earned = 0, coins_spent = 0, toys_bought = 0;
};

struct AnswerRow {
  std::string slot, piglet, game;
  int level = 0;
  std::string kind, example, expected, given;
  bool right = false;
  int attempt = 1;
  long long ms = 0;
  std::string at;  // "2026-12-09 14:05:31"
};

class Journal {
 public:
  explicit Journal(const std::filesystem::path& file);
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // The piglets (slot keys) the record has rows of, in the order of the first.
  std::vector<std::string> slots() const;
  Figures figures(std::string_view slot) const;
  Settings settings(std::string_view slot) const;
  // Minutes played on `date` ("2026-12-09"); a session a killed game left
  // open counts up to its last answer.
  int minutes_on(std::string_view slot, std::string_view date) const;
  // The piglet's review, the facts due first; `due_only`: only those due today.
  std::vector<ReviewItem> review(std::string_view slot, bool due_only = false) const;
  // Whether `level` fits the piglet (see LevelFit).
  LevelFit level_fit(std::string_view slot, int level) const;
  // Every recorded answer, oldest first.
  void each_answer(const std::function<void(const AnswerRow&)>& row) const;

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace tapo::players::journal
