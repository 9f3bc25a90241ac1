// Runs the game in scripted play inside a private sandbox of folders and
// collects its trace.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tapo::test {

struct TraceLine {
  long long ms = 0;
  std::string event;
  std::string args;
};

struct PlayResult {
  int exit_code = -1;
  std::vector<TraceLine> trace;
  std::string stderr_text;

  // Lines of that event (and, when given, with exactly those arguments).
  std::vector<TraceLine> events(const std::string& event) const;
  int count(const std::string& event, const std::string& args) const;
  bool has(const std::string& event, const std::string& args) const { return count(event, args) > 0; }
  std::string dump() const;  // the whole trace, for failure messages
};

class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  std::filesystem::path root() const { return root_; }
  std::filesystem::path config_dir() const { return root_ / "config" / "tapo"; }
  std::filesystem::path media() const { return media_; }
  std::filesystem::path work() const { return root_ / "work"; }
  std::filesystem::path data() const { return root_ / "data"; }

  // TAPO.INI with the three folders; pass "" to leave a key out.
  void write_config(const std::string& hd, const std::string& hd2, const std::string& hd_short);
  void write_default_config();
  // Uses a private copy of the demo media (so a test can change it).
  void copy_media(bool lower_case_names = false);

  PlayResult play(const std::string& script, const std::vector<std::string>& extra_args = {}) const;
  // The desktop's list of languages (the variable LANGUAGE) the runs see;
  // none unless set.
  void set_language_list(std::string list) { language_list_ = std::move(list); }

  // Starts a run whose script comes through a pipe that stays open until
  // finish(): the run waits for commands with its clock standing still.
  void start_held(const std::string& first_lines);
  bool wait_for_trace(const std::string& event, const std::string& args, int timeout_ms) const;
  PlayResult finish_held(const std::string& last_lines);
  // Feeds more lines to the held run; the trace so far.
  void feed(const std::string& lines) const;
  PlayResult held_trace() const;
  // Feeds `lines` to the held run and sends it `signal` (SIGKILL unless
  // told) `after_us` microseconds later; returns once it has ended.
  void kill_held(const std::string& lines, int after_us, int signal = 9);

 private:
  std::filesystem::path root_;
  std::filesystem::path media_;
  std::string language_list_;
  int held_pid_ = -1;
  int held_stdin_ = -1;
};

std::vector<TraceLine> parse_trace(const std::string& text);
// The whole content of a file ("" when it cannot be read).
std::string slurp(const std::filesystem::path& file);

// What a run wrote to the profile files, in order ("FILE SECTION KEY=VALUE").
std::vector<std::string> ini_writes(const PlayResult& r);
// The mark files of the talks, in order; how many times one was spoken.
std::vector<std::string> talks(const PlayResult& r);
int talk_count(const PlayResult& r, const std::string& marks);
// The last state line ("" when there is none).
std::string last_state(const PlayResult& r);
// Fails the test when the run missed a media file or found one damaged, or its script found the
// game otherwise than it expected (a control not there, an event not seen).
void played_cleanly(const PlayResult& r);

// Reading a dump as a driver does: the number of `key`, -1 when absent; the
// strings of the list `key`; every whole number inside the list `key`
// (nested lists flattened).
int number_after(const std::string& state, const std::string& key);
std::vector<std::string> strings_after(const std::string& state, const std::string& key);
std::vector<int> numbers_after(const std::string& state, const std::string& key);

// Eva, at `level`, goes from the opening picture through the players' meadow
// to the games menu, clicks toy `toy` and the held run goes on until the
// game's first talk `intro` (when given) has ended.  `settings` are added
// to TAPO.INI's section.
void open_toy(Sandbox& box, int level, int toy, const std::string& intro, const std::string& settings = "");
// Asks a held run for a dump and returns it once it is there.
std::string held_dump(Sandbox& box);

}  // namespace tapo::test
