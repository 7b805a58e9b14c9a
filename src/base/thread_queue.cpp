#include "base/thread_queue.h"

namespace tarvello {

bool ThreadQueue::Post(const Message& message) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_) return false;
    messages_.push_back(message);
  }
  changed_.notify_one();
  return true;
}

std::optional<Message> ThreadQueue::Get() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return closed_ || !messages_.empty(); });
  if (closed_) return std::nullopt;
  Message next = messages_.front();
  messages_.pop_front();
  return next;
}

std::vector<Message> ThreadQueue::Drain() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<Message> drained(messages_.begin(), messages_.end());
  messages_.clear();
  return drained;
}

void ThreadQueue::Close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    messages_.clear();
  }
  changed_.notify_all();
  closed_signal_.notify_all();
}

bool ThreadQueue::IsClosed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

bool ThreadQueue::SleepUnlessClosed(std::chrono::milliseconds pause) {
  std::unique_lock<std::mutex> lock(mutex_);
  return closed_signal_.wait_for(lock, pause, [this] { return closed_; });
}

}  // namespace tarvello
