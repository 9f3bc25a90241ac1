#include "tests/scenario/play.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace fs = std::filesystem;

namespace tapo::test {

std::string slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

namespace {

void spit(const fs::path& p, const std::string& text) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << text;
}

// Starts the game; returns its pid.  stdin_fd, when >= 0, becomes its stdin.
int spawn(const fs::path& sandbox, const std::vector<std::string>& args, int stdin_fd, const fs::path& trace,
          const fs::path& err, const std::string& language_list) {
  const int pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    if (stdin_fd >= 0) dup2(stdin_fd, 0);
    const int out = open(trace.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(out, 1);
    dup2(e, 2);
    setenv("XDG_CONFIG_HOME", (sandbox / "config").c_str(), 1);
    // Settings for every user installed on this machine stay out of the sandbox.
    setenv("XDG_CONFIG_DIRS", (sandbox / "system-config").c_str(), 1);
    setenv("HOME", sandbox.c_str(), 1);
    // The desktop's language would pick the demo pack's other speech.
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    setenv("LANG", "C.UTF-8", 1);
    if (language_list.empty())
      unsetenv("LANGUAGE");
    else
      setenv("LANGUAGE", language_list.c_str(), 1);
    std::vector<char*> argv;
    std::string bin = TAPO_BIN;
    argv.push_back(bin.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(bin.c_str(), argv.data());
    _exit(127);
  }
  return pid;
}

// Waits for the run, killing it after a generous limit so that a hang fails
// the test instead of stalling the suite.
int reap(int pid, int limit_s = 120) {
  int status = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(limit_s);
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > until) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -2;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

std::vector<TraceLine> parse_trace(const std::string& text) {
  std::vector<TraceLine> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    TraceLine t;
    std::istringstream l(line);
    if (!(l >> t.ms >> t.event)) continue;
    std::getline(l, t.args);
    if (!t.args.empty() && t.args[0] == ' ') t.args.erase(0, 1);
    out.push_back(std::move(t));
  }
  return out;
}

std::vector<std::string> ini_writes(const PlayResult& r) {
  std::vector<std::string> out;
  for (const auto& t : r.events("ini")) out.push_back(t.args);
  return out;
}

std::vector<std::string> talks(const PlayResult& r) {
  std::vector<std::string> out;
  for (const auto& t : r.events("talk")) out.push_back(t.args.substr(0, t.args.find(' ')));
  return out;
}

int talk_count(const PlayResult& r, const std::string& marks) {
  const auto all = talks(r);
  return static_cast<int>(std::count(all.begin(), all.end(), marks));
}

std::string last_state(const PlayResult& r) {
  const auto s = r.events("state");
  return s.empty() ? "" : s.back().args;
}

void played_cleanly(const PlayResult& r) {
  EXPECT_TRUE(r.events("missing").empty()) << r.dump();
  EXPECT_TRUE(r.events("damaged").empty()) << r.dump();
  EXPECT_TRUE(r.events("script-error").empty()) << r.dump();
}

namespace {
// Where the value of `key` starts, or npos.
std::size_t value_of(const std::string& state, const std::string& key) {
  const auto at = state.find("\"" + key + "\": ");
  return at == std::string::npos ? at : at + key.size() + 4;
}
// The end of the list that starts at `open` (its closing bracket).
std::size_t list_end(const std::string& s, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < s.size(); ++i) {
    if (s[i] == '"') i = s.find('"', i + 1);
    else if (s[i] == '[') ++depth;
    else if (s[i] == ']' && --depth == 0) return i;
  }
  return s.size();
}
}  // namespace

int number_after(const std::string& state, const std::string& key) {
  const auto at = value_of(state, key);
  return at == std::string::npos ? -1 : std::stoi(state.substr(at));
}

std::vector<std::string> strings_after(const std::string& state, const std::string& key) {
  std::vector<std::string> out;
  const auto at = value_of(state, key);
  if (at == std::string::npos || state[at] != '[') return out;
  const auto end = list_end(state, at);
  for (auto q = state.find('"', at); q < end; q = state.find('"', q + 1)) {
    const auto close = state.find('"', q + 1);
    out.push_back(state.substr(q + 1, close - q - 1));
    q = close;
  }
  return out;
}

std::vector<int> numbers_after(const std::string& state, const std::string& key) {
  std::vector<int> out;
  const auto at = value_of(state, key);
  if (at == std::string::npos || state[at] != '[') return out;
  const auto end = list_end(state, at);
  for (auto i = at; i < end; ++i) {
    if (!(std::isdigit(static_cast<unsigned char>(state[i])) || state[i] == '-')) continue;
    std::size_t used = 0;
    out.push_back(std::stoi(state.substr(i), &used));
    i += used - 1;
  }
  return out;
}

void open_toy(Sandbox& box, int level, int toy, const std::string& intro, const std::string& settings) {
  box.write_default_config();
  std::ofstream(box.config_dir() / "TAPO.INI", std::ios::app) << settings;
  std::ofstream(box.data() / "HRACI.DAT", std::ios::binary) << "[PRP]\r\nJmeno=Eva\r\nLevel=" << level << "\r\n";
  std::ofstream(box.data() / "VYSLEDKY.DAT", std::ios::binary) << "[PRP]\r\nDukaty=0\r\nHracky=" << std::string(38, '0') << "\r\n";
  box.start_held("click 1 1\nwait-until anim-end HD:\\CUNICI\\GESTOREV.DAT\n"
                 "click-control cunik 0\nwait-until anim-end HD:\\CUNICI\\PRP.DAT\n"
                 "click-control cmd_hry\nwait-until hide frm_hraci\n"
                 "click-control akt_plocha " + std::to_string(toy) + "\n" +
                 (intro.empty() ? "" : "wait-until talk " + intro + "\nwait-until talk-end\n"));
}

std::string held_dump(Sandbox& box) {
  const std::size_t before = box.held_trace().events("state").size();
  box.feed("dump\n");
  for (int i = 0; i < 4000; ++i) {
    const PlayResult r = box.held_trace();
    if (r.events("state").size() > before) return r.events("state").back().args;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

std::vector<TraceLine> PlayResult::events(const std::string& event) const {
  std::vector<TraceLine> out;
  for (const auto& t : trace)
    if (t.event == event) out.push_back(t);
  return out;
}

int PlayResult::count(const std::string& event, const std::string& args) const {
  return static_cast<int>(std::count_if(trace.begin(), trace.end(), [&](const TraceLine& t) {
    return t.event == event && t.args == args;
  }));
}

std::string PlayResult::dump() const {
  std::string s = "exit code " + std::to_string(exit_code) + "\n";
  for (const auto& t : trace) s += std::to_string(t.ms) + " " + t.event + " " + t.args + "\n";
  return s + "stderr: " + stderr_text;
}

Sandbox::Sandbox() {
  std::string name = (fs::temp_directory_path() / "tapo-play-XXXXXX").string();
  if (!mkdtemp(name.data())) throw fs::filesystem_error("mkdtemp", name, std::error_code(errno, std::generic_category()));
  root_ = name;
  fs::create_directories(work());
  fs::create_directories(data());
  media_ = fs::path(TAPO_DEMO_DIR) / "media";
  // As the installation does: the shared files of the data folder.
  for (const auto& e : fs::directory_iterator(fs::path(TAPO_DEMO_DIR) / "data"))
    if (e.is_regular_file()) fs::copy_file(e.path(), data() / e.path().filename());
}

Sandbox::~Sandbox() {
  if (held_pid_ > 0) {
    kill(held_pid_, SIGKILL);
    waitpid(held_pid_, nullptr, 0);
  }
  if (held_stdin_ >= 0) close(held_stdin_);
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void Sandbox::write_config(const std::string& hd, const std::string& hd2, const std::string& hd_short) {
  std::string ini = "[Tapo MAT]\r\n";
  if (!hd.empty()) ini += "HD=" + hd + "\r\n";
  if (!hd2.empty()) ini += "HD2=" + hd2 + "\r\n";
  if (!hd_short.empty()) ini += "HD_SHORT=" + hd_short + "\r\n";
  spit(config_dir() / "TAPO.INI", ini);
}

void Sandbox::write_default_config() { write_config(media_.string(), work().string(), data().string() + "/"); }

void Sandbox::copy_media(bool lower_case_names) {
  const fs::path to = root_ / "media";
  for (const auto& e : fs::recursive_directory_iterator(media_)) {
    std::string rel = fs::relative(e.path(), media_).string();
    if (lower_case_names)
      std::transform(rel.begin(), rel.end(), rel.begin(), [](unsigned char c) { return std::tolower(c); });
    if (e.is_directory())
      fs::create_directories(to / rel);
    else
      fs::copy_file(e.path(), to / rel, fs::copy_options::overwrite_existing);
  }
  media_ = to;
}

PlayResult Sandbox::play(const std::string& script, const std::vector<std::string>& extra_args) const {
  const fs::path script_file = root_ / "script.txt";
  spit(script_file, script);
  std::vector<std::string> args = {"--play", script_file.string()};
  args.insert(args.end(), extra_args.begin(), extra_args.end());
  const int pid = spawn(root_, args, -1, root_ / "trace.txt", root_ / "stderr.txt", language_list_);
  PlayResult r;
  r.exit_code = reap(pid);
  r.trace = parse_trace(slurp(root_ / "trace.txt"));
  r.stderr_text = slurp(root_ / "stderr.txt");
  return r;
}

void Sandbox::start_held(const std::string& first_lines) {
  // A run killed before it opens its trace must not be read with an earlier run's.
  std::error_code ec;
  fs::remove(root_ / "held-trace.txt", ec);
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  held_pid_ = spawn(root_, {"--play", "-"}, fds[0], root_ / "held-trace.txt", root_ / "held-stderr.txt", language_list_);
  close(fds[0]);
  held_stdin_ = fds[1];
  if (write(held_stdin_, first_lines.data(), first_lines.size()) < 0)
    throw std::runtime_error("cannot feed the script");
}

bool Sandbox::wait_for_trace(const std::string& event, const std::string& args, int timeout_ms) const {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (std::chrono::steady_clock::now() < until) {
    PlayResult r;
    r.trace = parse_trace(slurp(root_ / "held-trace.txt"));
    if (r.has(event, args)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

PlayResult Sandbox::finish_held(const std::string& last_lines) {
  if (!last_lines.empty() && write(held_stdin_, last_lines.data(), last_lines.size()) < 0)
    throw std::runtime_error("cannot feed the script");
  close(held_stdin_);
  held_stdin_ = -1;
  PlayResult r;
  r.exit_code = reap(held_pid_);
  held_pid_ = -1;
  r.trace = parse_trace(slurp(root_ / "held-trace.txt"));
  r.stderr_text = slurp(root_ / "held-stderr.txt");
  return r;
}

void Sandbox::feed(const std::string& lines) const {
  if (write(held_stdin_, lines.data(), lines.size()) < 0) throw std::runtime_error("cannot feed the script");
}

PlayResult Sandbox::held_trace() const {
  PlayResult r;
  // The run may be writing its last line just now: only whole lines count.
  std::string text = slurp(root_ / "held-trace.txt");
  text.resize(text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1);
  r.trace = parse_trace(text);
  return r;
}

void Sandbox::kill_held(const std::string& lines, int after_us, int signal) {
  feed(lines);
  std::this_thread::sleep_for(std::chrono::microseconds(after_us));
  kill(held_pid_, signal);
  close(held_stdin_);
  held_stdin_ = -1;
  reap(held_pid_);
  held_pid_ = -1;
}

}  // namespace tapo::test
