// Shared fixtures of the unit tests: a temporary folder, a script feed that
// drives the virtual clock, and a fixture that puts the loop, the forms and
// the shared game state back to a fresh process.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/tapo_iii.h"
#include "platform/loop.h"
#include "platform/trace.h"
#include "platform/ui.h"

namespace tapo::testing {

namespace fs = std::filesystem;

// A new, empty folder of its own under the system's temporary folder.
inline fs::path make_temp_dir(const std::string& prefix) {
  std::string name = (fs::temp_directory_path() / (prefix + "XXXXXX")).string();
  if (!::mkdtemp(name.data())) throw fs::filesystem_error("mkdtemp", name, std::error_code(errno, std::generic_category()));
  return name;
}

// A folder of its own under the system's temporary folder, removed again.
class TempDir {
 public:
  TempDir() : path_(make_temp_dir("tapo_unit_")) {}
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const fs::path& path() const { return path_; }
  fs::path operator/(const std::string& name) const { return path_ / name; }

 private:
  fs::path path_;
};

inline std::string slurp(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// A script with nothing to do for a long time (or, with `next` = nullopt,
// a script that has ended).
class FarFeed : public platform::ScriptFeed {
 public:
  std::optional<platform::Ms> next = 1'000'000;
  int runs = 0;
  void run_due(platform::Ms) override { ++runs; }
  std::optional<platform::Ms> next_due(platform::Ms) override { return next; }
};

// The trace of a test, written into memory: "<ms> <event> <args>" lines.
struct TraceLine {
  long long ms = 0;
  std::string event, args;
};

class TraceCapture {
 public:
  TraceCapture() : out_(open_memstream(&buf_, &len_)) { platform::trace::open(out_); }
  ~TraceCapture() {
    platform::trace::close();  // closes the stream too
    std::free(buf_);
  }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  std::vector<TraceLine> lines() {
    std::fflush(out_);
    std::vector<TraceLine> out;
    std::istringstream in(std::string(buf_, len_));
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream l(line);
      TraceLine t;
      l >> t.ms >> t.event;
      std::getline(l, t.args);
      if (!t.args.empty()) t.args.erase(0, 1);
      out.push_back(std::move(t));
    }
    return out;
  }

 private:
  char* buf_ = nullptr;
  size_t len_ = 0;
  FILE* out_;
};

inline void reset_everything() {
  auto& forms = platform::Forms::instance();
  forms.clear();
  forms.on_close_request = nullptr;
  forms.on_global_key = nullptr;
  forms.on_cursor_change = nullptr;
  platform::Loop::instance().reset_for_tests();
  platform::trace::close();
  core::reset_shared_state();
}

// Every test starts on a virtual clock at 0 with no forms loaded.
class LoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_everything();
    loop().use_virtual_clock(&feed_);
  }
  void TearDown() override { reset_everything(); }

  static platform::Loop& loop() { return platform::Loop::instance(); }
  static platform::Forms& forms() { return platform::Forms::instance(); }

  FarFeed feed_;
};

}  // namespace tapo::testing
