// InstanceLock: keeps a second copy of the terminal from running on the same program folder. The
// first copy holds an exclusive advisory lock on "tarvello.lock" in the folder for as long as the
// object lives; the operating system drops the lock when the process ends, however it ends, so a
// crash never leaves a stale lock behind. Create it on the main thread before any window exists.
#pragma once

#include <filesystem>
#include <optional>
#include <system_error>

namespace tarvello {

inline constexpr const char* kInstanceLockName = "tarvello.lock";

class InstanceLock {
 public:
  // The lock, or nothing. Nothing with error clear: another copy holds it. Nothing with error
  // set: the lock file could not be opened or locked (a read-only folder, say), which the caller
  // reports rather than taking it for another copy.
  static std::optional<InstanceLock> Acquire(const std::filesystem::path& folder, std::error_code& error);

  InstanceLock(InstanceLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  InstanceLock& operator=(InstanceLock&&) = delete;
  InstanceLock(const InstanceLock&) = delete;
  ~InstanceLock();

 private:
  explicit InstanceLock(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace tarvello
