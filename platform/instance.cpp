#include "platform/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
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
  // The folder itself is locked as well as the file: a copy that cannot open
  // the file (left to root by a start with sudo, say) still meets the
  // folder's lock, so no two copies ever run unlocked side by side.  flock
  // takes a descriptor opened for reading only, too.
  const int folder = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  int lock = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (lock < 0) lock = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (lock < 0 && folder >= 0)
    std::fprintf(stderr, "tapo: cannot open %s; the folder %s alone is locked\n", file.c_str(), dir.c_str());
  bool busy = false;
  for (const int fd : {folder, lock})
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) busy = true;
  if (busy) {
    for (const int fd : {folder, lock})
      if (fd >= 0) ::close(fd);
    return false;
  }
  // Neither opens: the folder is missing and cannot be made, so nothing can
  // be saved there to guard (the caller tells the parent so).
  held.insert(file);  // the descriptors stay open for the life of the process
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
