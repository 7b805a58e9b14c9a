// SharedRecords<T>: hands a screen's records from its worker to its painter without ever showing
// a half-written value. The worker parses into a fresh T and publishes it; the swap happens under
// a mutex held for the swap only. Readers get a shared pointer to an immutable T that stays valid
// for as long as they hold it, however many newer records are published meanwhile.
// Thread-safe: Publish and Current may be called from any thread.
#pragma once

#include <memory>
#include <mutex>
#include <utility>

namespace tarvello {

template <typename T>
class SharedRecords {
 public:
  SharedRecords() : current_(std::make_shared<const T>()) {}

  void Publish(T fresh) {
    auto next = std::make_shared<const T>(std::move(fresh));
    std::lock_guard<std::mutex> lock(mutex_);
    current_.swap(next);
  }

  std::shared_ptr<const T> Current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return current_;
  }

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<const T> current_;  // guarded by mutex_; never null
};

}  // namespace tarvello
