// BackgroundTasks: runs small pieces of blocking work, such as a list file written and flushed to
// the disk, one after another on a thread of its own, so that the user-interface thread that asks
// for them never waits for the disk. The destructor runs what is still queued and joins the
// thread, so nothing asked for is lost at exit; whatever a task uses must outlive this object.
//
// Thread rules: Post from any thread.
#pragma once

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

  void Post(std::function<void()> task);

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::function<void()>> tasks_;  // guarded by mutex_
  bool closing_ = false;                     // guarded by mutex_
  std::thread thread_;                       // last: started once the rest is made
};

}  // namespace tarvello
