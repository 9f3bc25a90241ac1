// Shared by the fuzz targets: cutting an input into parts, a temporary file
// for readers that only take a path, and a check that fails loudly.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// Fails the run (both under libFuzzer and in the replay driver).
#define FUZZ_CHECK(cond, what)                                                    \
  do {                                                                            \
    if (!(cond)) {                                                                \
      std::fprintf(stderr, "%s:%d: check failed: %s (%s)\n", __FILE__, __LINE__, \
                   #cond, what);                                                  \
      std::abort();                                                               \
    }                                                                             \
  } while (0)

namespace fuzz {

// The input as a sequence of parts separated by zero bytes; numbers are taken
// from the front of the rest.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

  // The text up to the next zero byte (or the rest).
  std::string_view part() {
    const auto zero = rest_.find('\0');
    const std::string_view p = rest_.substr(0, zero);
    rest_.remove_prefix(zero == std::string_view::npos ? rest_.size() : zero + 1);
    return p;
  }
  // Four bytes as a signed number (missing bytes count as zero).
  std::int32_t int32() {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(byte()) << (8 * i);
    return static_cast<std::int32_t>(v);
  }
  std::uint8_t byte() {
    if (rest_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(rest_.front());
    rest_.remove_prefix(1);
    return b;
  }
  std::string_view rest() const { return rest_; }

 private:
  std::string_view rest_;
};

// A folder of this process's own in memory (/dev/shm where there is one),
// removed when the process ends normally.
inline const std::filesystem::path& scratch_dir() {
  struct Dir {
    std::filesystem::path path;
    Dir() {
      std::error_code ec;
      const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                             ? std::filesystem::path("/dev/shm")
                                             : std::filesystem::temp_directory_path();
      path = base / ("tapo-fuzz-" + std::to_string(::getpid()));
      std::filesystem::create_directories(path);
    }
    ~Dir() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  };
  static Dir dir;
  return dir.path;
}

// Writes bytes to `name` in the scratch folder and returns its path.
inline std::filesystem::path scratch_file(std::string_view name, std::string_view bytes) {
  const auto file = scratch_dir() / std::string(name);
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  FUZZ_CHECK(static_cast<bool>(out), "the scratch file could not be written");
  return file;
}

}  // namespace fuzz
