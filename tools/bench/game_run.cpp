#include "tools/bench/game_run.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace tapo::bench {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// CPU seconds of all the live threads of a process.
double cpu_seconds_of(pid_t pid) {
  double total = 0;
  std::error_code ec;
  for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", ec)) {
    std::ifstream in(task.path() / "schedstat");
    double ns = 0;
    if (in >> ns) total += ns / 1e9;
  }
  return total;
}

// Waits until the trace holds a line with `event` (and `args` when given).
bool wait_for(const fs::path& trace, const std::string& event, const std::string& args, double timeout_s) {
  const auto until = Clock::now() + std::chrono::duration<double>(timeout_s);
  while (Clock::now() < until) {
    std::ifstream in(trace);
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream l(line);
      std::string ms, ev, rest;
      l >> ms >> ev;
      std::getline(l, rest);
      if (ev == event && (args.empty() || rest.find(args) != std::string::npos)) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

// Share of one core a process used over `seconds` from now.
double cpu_pct_over(pid_t pid, double seconds) {
  const double c0 = cpu_seconds_of(pid);
  const auto t0 = Clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  return 100.0 * (cpu_seconds_of(pid) - c0) / wall;
}

// Starts the game with its settings in `home`, the trace into `trace`.
pid_t spawn(const fs::path& game, const fs::path& home, const fs::path& trace, bool windowed) {
  std::error_code ec;
  fs::remove(trace, ec);
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (windowed)
      execl(game.c_str(), game.c_str(), "--windowed", "--trace", trace.c_str(), static_cast<char*>(nullptr));
    else
      execl(game.c_str(), game.c_str(), "--trace", trace.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

void stop(pid_t pid) {
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}

// Milliseconds from the start of the game to its first frame; negative when none came.
double first_frame_ms(const fs::path& game, const fs::path& home, const fs::path& trace, bool windowed, pid_t* keep) {
  const auto t0 = Clock::now();
  const pid_t pid = spawn(game, home, trace, windowed);
  if (pid < 0) return -1;
  const bool ok = wait_for(trace, "first-frame", "", 20);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  if (keep && ok)
    *keep = pid;
  else
    stop(pid);
  return ok ? ms : -1;
}

// The tour of every screen in scripted play: a new player, each of the nine
// games until its first example, the shop, the ride home and the room.
std::string tour_script() {
  std::string s = "click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\nclick-control cunik 0\n"
                  "wait-until anim-end HD:\\CUNICI\\PRP.DAT\ntype Tom\nclick-control level_plocha 2\nwait 3000\n"
                  "click-control cmd_hry\nwait-until hide frm_hraci\n";
  for (int toy = 0; toy < 9; ++toy)
    s += "click-control akt_plocha " + std::to_string(toy) + "\nwait 40000\nclick-control stopy\nwait 3000\n";
  return s + "click-control cmd_vyber_hracu\nwait 3000\nclick-control cunik 0\nwait 3000\nclick-control klika\n"
             "wait 15000\nkey Right\nwait 5000\nclick-control cmd_domu\nwait 80000\n";
}

// The most memory the game held on the tour (MB); negative when it did not run.
double tour_peak_mb(const fs::path& game, const fs::path& home) {
  std::ofstream(home / "tour.play") << tour_script();
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    execl(game.c_str(), game.c_str(), "--play", (home / "tour.play").c_str(), "--trace", (home / "tour.trace").c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  if (pid < 0) return -1;
  std::error_code ec;
  const fs::path the_game = fs::canonical(game, ec);
  long peak = -1;
  for (int status = 0; waitpid(pid, &status, WNOHANG) == 0;) {
    // Until the child has become the game, its figures are the bench's own
    // (a copy of it made by fork).
    if (fs::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec) == the_game) peak = std::max(peak, status_kb(pid, "VmHWM"));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return peak / 1024.0;
}

}  // namespace

long status_kb(pid_t pid, const std::string& key) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
  return -1;
}

bool run_game(const fs::path& game, const fs::path& demo) {
  const fs::path home = fs::temp_directory_path() / ("tapo-bench-game-" + std::to_string(getpid()));
  fs::create_directories(home / "config/tapo");
  fs::create_directories(home / "work");
  fs::copy(demo / "data", home / "data", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::ofstream(home / "config/tapo/TAPO.INI") << "[Tapo MAT]\nHD=" << fs::absolute(demo / "media").string()
                                                << "\nHD2=" << (home / "work").string()
                                                << "\nHD_SHORT=" << (home / "data").string() << "/\n";
  const fs::path trace = home / "trace.txt";

  // The median of five starts each way (one start is a short, noisy figure);
  // the last windowed game is kept for the figures after it.
  auto median_start = [&](bool windowed, pid_t* keep) {
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) ms.push_back(first_frame_ms(game, home, trace, windowed, i == 4 ? keep : nullptr));
    std::sort(ms.begin(), ms.end());
    return ms[0] < 0 ? -1 : ms[2];
  };
  const double fullscreen_ms = median_start(false, nullptr);
  pid_t pid = -1;
  const double window_ms = median_start(true, &pid);
  bool ok = window_ms >= 0 && pid > 0;
  std::printf("game_first_frame_ms %.0f ms (window), %.0f ms (full screen), median of 5\n", window_ms, fullscreen_ms);
  if (ok) {
    std::printf("game_cpu_opening_pct %.2f %%\n", cpu_pct_over(pid, 8));
    ok = wait_for(trace, "show", "frm_hraci", 20);
  }
  if (ok) {
    // The greeting: a gesture, the talk, the gesture back.
    const double c0 = cpu_seconds_of(pid);
    const auto g0 = Clock::now();
    ok = wait_for(trace, "anim-end", "GESTOREV", 120);
    const double wall = std::chrono::duration<double>(Clock::now() - g0).count();
    std::printf("game_cpu_greeting_pct %.2f %% (%.1f s)\n", 100.0 * (cpu_seconds_of(pid) - c0) / wall, wall);
  }
  if (ok) std::printf("game_cpu_idle_pct %.2f %%\n", cpu_pct_over(pid, 15));
  if (ok) std::printf("game_peak_rss_mb %.1f MB\n", status_kb(pid, "VmHWM") / 1024.0);
  if (pid > 0) stop(pid);
  if (ok) std::printf("game_tour_peak_rss_mb %.1f MB (scripted: players, nine games, shop, ride, room)\n", tour_peak_mb(game, home));
  if (!ok) std::fprintf(stderr, "tapo-bench: the game did not get through its start (trace %s)\n", trace.c_str());
  else fs::remove_all(home);
  return ok;
}

}  // namespace tapo::bench
