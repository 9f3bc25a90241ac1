#include "platform/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

namespace tapo::platform {

namespace {

std::filesystem::path home() {
  const char* home = std::getenv("HOME");
  return home && *home ? home : "/tmp";
}

// $NAME when it is absolute (as the XDG rules ask), else `fallback`.
std::filesystem::path xdg_dir(const char* name, const std::filesystem::path& fallback) {
  const char* v = std::getenv(name);
  return v && v[0] == '/' ? std::filesystem::path(v) : fallback;
}

void replace_all(std::string& s, std::string_view token, const std::string& by) {
  for (auto at = s.find(token); at != std::string::npos; at = s.find(token, at + by.size())) s.replace(at, token.size(), by);
}

}  // namespace

std::filesystem::path config_dir() { return xdg_dir("XDG_CONFIG_HOME", home() / ".config") / "tapo"; }

std::vector<std::filesystem::path> system_config_dirs() {
  std::vector<std::filesystem::path> dirs;
  const char* v = std::getenv("XDG_CONFIG_DIRS");
  const std::string list = v && *v ? v : "/etc/xdg";
  std::size_t pos = 0;
  while (pos <= list.size()) {
    const std::size_t end = std::min(list.find(':', pos), list.size());
    if (end > pos && list[pos] == '/') dirs.push_back(std::filesystem::path(list.substr(pos, end - pos)) / "tapo");
    pos = end + 1;
  }
  return dirs;
}

std::string expand_folder(std::string value) {
  if (value == "~" || value.starts_with("~/")) value = home().string() + value.substr(1);
  if (value.find("${") == std::string::npos) return value;
  replace_all(value, "${XDG_DATA_HOME}", xdg_dir("XDG_DATA_HOME", home() / ".local" / "share").string());
  replace_all(value, "${XDG_CACHE_HOME}", xdg_dir("XDG_CACHE_HOME", home() / ".cache").string());
  std::error_code ec;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) replace_all(value, "${TAPO_SHARE}", (program.parent_path().parent_path() / "share" / "tapo").string());
  return value;
}

bool acquire_instance_lock(const std::filesystem::path& dir) {
  static std::set<std::filesystem::path> held;
  const auto file = dir / "tapo.lock";
  if (held.contains(file)) return true;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return true;  // cannot tell: let this copy run rather than refuse it
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return !busy;
  }
  held.insert(file);  // the descriptor stays open for the life of the process
  return true;
}

bool folder_takes_files(const std::filesystem::path& dir) {
  const auto probe = dir / (".tapo-probe-" + std::to_string(::getpid()));
  int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0 && errno == EEXIST && ::unlink(probe.c_str()) == 0)  // left by a killed run with this pid
    fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

}  // namespace tapo::platform
