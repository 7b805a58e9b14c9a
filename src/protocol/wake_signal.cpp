#include "protocol/wake_signal.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace tarvello {

WakeSignal::WakeSignal() : fd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

WakeSignal::~WakeSignal() {
  if (fd_ >= 0) ::close(fd_);
}

void WakeSignal::Signal() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t ignored = ::write(fd_, &one, sizeof one);
}

void WakeSignal::Drain() {
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t ignored = ::read(fd_, &count, sizeof count);
}

}  // namespace tarvello
