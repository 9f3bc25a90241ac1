#include "platform/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <set>
#include <string>

namespace tapo::platform {

std::filesystem::path config_dir() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
    return std::filesystem::path(xdg) / "tapo";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".config" / "tapo";
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
