// Errand: runs one blocking piece of work (an account exchange) on a thread of its own, so that
// the screen that asked stays responsive, and hands its result back once. The screen starts it on
// the user-interface thread; `done` runs on the errand's thread after the result is stored (the
// screens post themselves a message from it) and Take collects the result on the user-interface
// thread. One errand at a time: Start refuses while one runs. The destructor waits for a running
// errand, so its owner must outlive it (the exchange is cancelled by the program's shutdown).
//
// Thread rules: Start, busy and Take from one thread; the result is guarded by a mutex.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

namespace tarvello {

// The message an account screen posts itself from its errand's `done`.
inline constexpr int kMsgErrandDone = 0x8000 + 2900;

template <typename Result>
class Errand {
 public:
  Errand() = default;
  Errand(const Errand&) = delete;
  Errand& operator=(const Errand&) = delete;
  ~Errand() {
    if (thread_.joinable()) thread_.join();
  }

  bool Start(std::function<Result()> work, std::function<void()> done) {
    if (busy_) return false;
    if (thread_.joinable()) thread_.join();
    busy_ = true;
    thread_ = std::jthread([this, work = std::move(work), done = std::move(done)] {
      Result result = work();
      {
        const std::lock_guard<std::mutex> lock(mutex_);
        result_ = std::move(result);
      }
      busy_ = false;
      if (done) done();
    });
    return true;
  }

  bool busy() const { return busy_; }

  std::optional<Result> Take() {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::optional<Result> result = std::move(result_);
    result_.reset();
    return result;
  }

 private:
  std::mutex mutex_;
  std::optional<Result> result_;  // guarded by mutex_
  std::atomic<bool> busy_{false};
  std::jthread thread_;
};

}  // namespace tarvello
