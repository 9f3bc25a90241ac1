#include "platform/instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace tapo::platform {

std::filesystem::path config_dir() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/')
    return std::filesystem::path(xdg) / "tapo";
  const char* home = std::getenv("HOME");
  return std::filesystem::path(home && *home ? home : "/tmp") / ".config" / "tapo";
}

bool acquire_instance_lock(const std::filesystem::path& dir) {
  static int held = -1;
  if (held >= 0) return true;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  const int fd = ::open((dir / "tapo.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return true;  // cannot tell: let this copy run rather than refuse it
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool busy = errno == EWOULDBLOCK;
    ::close(fd);
    return !busy;
  }
  held = fd;  // kept open for the life of the process
  return true;
}

}  // namespace tapo::platform
