// WakeSignal: a file descriptor that becomes readable when signalled (a Linux eventfd), so that a
// thread blocked in poll() on a socket can be woken from another thread without touching the
// socket itself. Signal is safe from any thread; Drain is called by the waiting side.
#pragma once

namespace tarvello {

class WakeSignal {
 public:
  WakeSignal();
  ~WakeSignal();
  WakeSignal(const WakeSignal&) = delete;
  WakeSignal& operator=(const WakeSignal&) = delete;

  void Signal();
  // Makes the descriptor unreadable again.
  void Drain();
  int fd() const { return fd_; }

 private:
  int fd_;
};

}  // namespace tarvello
