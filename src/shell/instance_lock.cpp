#include "shell/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarvello {

std::optional<InstanceLock> InstanceLock::Acquire(const std::filesystem::path& folder, std::error_code& error) {
  error.clear();
  std::filesystem::path path = folder / kInstanceLockName;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::error_code(errno, std::generic_category());
    return std::nullopt;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK) error = std::error_code(errno, std::generic_category());
    ::close(fd);
    return std::nullopt;
  }
  return InstanceLock(fd);
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace tarvello
