#include "base/background_tasks.h"

#include <pthread.h>
#include <sched.h>

#include <utility>

namespace tarvello {

BackgroundTasks::BackgroundTasks() : thread_([this] { Run(); }) {}

BackgroundTasks::~BackgroundTasks() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void BackgroundTasks::Post(std::function<void()> task, std::chrono::milliseconds delay) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back({std::move(task), Clock::now() + delay});
  }
  changed_.notify_all();
}

void BackgroundTasks::RunQueued() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !running_; });
  std::deque<Task> queued = std::exchange(tasks_, {});
  if (queued.empty()) return;
  running_ = true;
  lock.unlock();
  for (Task& task : queued) task.work();
  lock.lock();
  running_ = false;
  lock.unlock();
  changed_.notify_all();
}

void BackgroundTasks::Run() {
  // Hardly anyone waits for these writes (a reader that needs one runs it itself, unless it has
  // begun here), and a tap that asks for one also waits for an exchange and a paint: at idle
  // priority the write takes the processor when those leave it free.
  const sched_param none{};
  pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    if (running_ || tasks_.empty()) {
      if (closing_ && !running_) return;  // everything asked for is done
      changed_.wait(lock);
      continue;
    }
    // A copy: the wait reads its deadline again after waking, and RunQueued may have taken the
    // task away by then.
    const Clock::time_point due = tasks_.front().due;
    if (!closing_ && Clock::now() < due) {
      changed_.wait_until(lock, due);
      continue;
    }
    Task task = std::move(tasks_.front());
    tasks_.pop_front();
    running_ = true;
    lock.unlock();
    task.work();
    lock.lock();
    running_ = false;
    changed_.notify_all();
  }
}

}  // namespace tarvello
