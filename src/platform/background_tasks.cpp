#include "platform/background_tasks.h"

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
  changed_.notify_one();
  thread_.join();
}

void BackgroundTasks::Post(std::function<void()> task) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  changed_.notify_one();
}

void BackgroundTasks::Run() {
  // Nobody waits for these writes, and a tap that asks for one also waits for an exchange and a
  // paint: at idle priority the write takes the processor when those leave it free.
  const sched_param none{};
  pthread_setschedparam(pthread_self(), SCHED_IDLE, &none);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return closing_ || !tasks_.empty(); });
    if (tasks_.empty()) return;  // closing, with everything done
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    lock.unlock();
    task();
    lock.lock();
  }
}

}  // namespace tarvello
