#include "platform/calendar.h"

#include "platform/loop.h"

namespace tapo::platform {

namespace {

constexpr std::time_t kDay = 24 * 60 * 60;
std::time_t shift = 0;

// Ten in the morning of today, local time.
std::time_t this_morning() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&t, &local);
  local.tm_hour = 10;
  local.tm_min = local.tm_sec = 0;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

}  // namespace

std::time_t wall_time() {
  const Loop& loop = Loop::instance();
  if (!loop.virtual_clock()) return std::time(nullptr) + shift;
  static const std::time_t start = this_morning();
  return start + static_cast<std::time_t>(loop.now() / 1000) + shift;
}

void move_calendar(int days) { shift += static_cast<std::time_t>(days) * kDay; }

std::string local_stamp(std::time_t t, bool date_only) {
  std::tm local{};
  char text[32];
  std::strftime(text, sizeof text, date_only ? "%Y-%m-%d" : "%Y-%m-%d %H:%M:%S", ::localtime_r(&t, &local));
  return text;
}

std::string date_before(int days) {
  // Noon of today, then whole days back: a change of summer time never skips a date.
  std::tm local{};
  const std::time_t now = wall_time();
  ::localtime_r(&now, &local);
  local.tm_hour = 12;
  local.tm_min = local.tm_sec = 0;
  local.tm_mday -= days;
  local.tm_isdst = -1;
  return local_stamp(std::mktime(&local), true);
}

}  // namespace tapo::platform
