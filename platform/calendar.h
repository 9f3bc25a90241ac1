// The calendar of dated things (the learning record, the daily play limit).
//
// In normal play it is the system's clock.  In scripted play it starts at ten
// in the morning of the day the run starts and follows the virtual clock, so a
// run's durations are exact and a day never ends in the middle of a test; the
// script's `days N` moves it on by whole days.
#pragma once

#include <ctime>
#include <string>

namespace tapo::platform {

std::time_t wall_time();
// Moves the calendar on by `days` days (scripted play).
void move_calendar(int days);
// The local date and time of `t`, "2026-12-09 14:05:31"; the date alone,
// "2026-12-09", with `date_only`.
std::string local_stamp(std::time_t t, bool date_only = false);
// The date `days` days before today's, "2026-11-26".
std::string date_before(int days);

}  // namespace tapo::platform
