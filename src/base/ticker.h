// Ticker: a thread of its own that calls a function at a fixed period until it is destroyed,
// for animations and polling loops (the progress bar's 200 ms step). Destruction wakes the thread
// at once and joins it, so the function never runs after the ticker is gone.
// The function runs on the ticker's thread; it must be safe to call from there.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

#include "base/thread_queue.h"

namespace tarvello {

class Ticker {
 public:
  Ticker(std::chrono::milliseconds period, std::function<void()> tick);
  ~Ticker();
  Ticker(const Ticker&) = delete;
  Ticker& operator=(const Ticker&) = delete;

 private:
  ThreadQueue stop_;  // closed to stop; its pause is the ticker's wait
  std::thread thread_;
};

}  // namespace tarvello
