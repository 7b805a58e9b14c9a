// ThreadQueue: the message queue of one worker thread. Any thread posts; the worker takes
// messages in order with a blocking Get. Drain throws away whatever is queued, so a burst of
// requests costs one piece of work. Close wakes the worker for good: Get then returns nothing,
// later posts are refused, and a pause in SleepUnlessClosed ends at once, so a worker can be
// joined promptly before the data it works on is released.
// Thread-safe: every member may be called from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "base/message.h"

namespace tarvello {

class ThreadQueue {
 public:
  ThreadQueue() = default;
  ThreadQueue(const ThreadQueue&) = delete;
  ThreadQueue& operator=(const ThreadQueue&) = delete;

  // Queues the message; false (nothing queued) once the queue is closed.
  bool Post(const Message& message);
  // Waits for the next message; nothing once the queue is closed (queued messages are dropped).
  std::optional<Message> Get();
  // Removes every queued message and returns them, oldest first.
  std::vector<Message> Drain();
  void Close();
  bool IsClosed() const;
  // Waits for the given time or until the queue is closed; true when it was closed.
  bool SleepUnlessClosed(std::chrono::milliseconds pause);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;       // a message arrived or the queue closed
  std::condition_variable closed_signal_;  // the queue closed
  std::deque<Message> messages_;  // guarded by mutex_
  bool closed_ = false;           // guarded by mutex_
};

}  // namespace tarvello
