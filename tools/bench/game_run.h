// The real game started as a child process in the current display, timed
// from outside: start to first frame, CPU on the opening picture, during
// Tapo's greeting and on the still players' screen, and peak memory; then
// the peak memory of a scripted tour of every screen.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

namespace tapo::bench {

// A line of /proc/<pid>/status in kB ("VmHWM", "VmRSS"); -1 when missing.
long status_kb(pid_t pid, const std::string& key);

// Runs `game` on the media pack in `demo` (its media/ and data/ folders) and
// prints its figures; false when it could not be run.
bool run_game(const std::filesystem::path& game, const std::filesystem::path& demo);

}  // namespace tapo::bench
