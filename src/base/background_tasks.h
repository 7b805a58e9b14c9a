// BackgroundTasks: runs small pieces of blocking work, such as a list file written and flushed to
// the disk, one after another on a thread of its own, so that the user-interface thread that asks
// for them never waits for the disk. A task may wait a while before it runs, so that the work that
// asked for it (a tap's exchange and paint) has the processors and the disk to itself. The
// destructor runs what is still queued, at once, and joins the thread, so nothing asked for is
// lost at exit; whatever a task uses must outlive this object.
//
// Thread rules: Post and RunQueued from any thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace tarvello {

class BackgroundTasks {
 public:
  BackgroundTasks();
  ~BackgroundTasks();
  BackgroundTasks(const BackgroundTasks&) = delete;
  BackgroundTasks& operator=(const BackgroundTasks&) = delete;

  // task runs after those posted before it, and no sooner than delay from now.
  void Post(std::function<void()> task, std::chrono::milliseconds delay = {});
  // Runs every task still queued now, on the calling thread, after the one the thread may be
  // running: for a reader that must see what the tasks were asked to write. Not from a task.
  void RunQueued();

 private:
  using Clock = std::chrono::steady_clock;
  struct Task {
    std::function<void()> work;
    Clock::time_point due;
  };

  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Task> tasks_;  // guarded by mutex_
  bool running_ = false;    // a task runs, here or in RunQueued; guarded by mutex_
  bool closing_ = false;    // guarded by mutex_
  std::thread thread_;      // last: started once the rest is made
};

}  // namespace tarvello
