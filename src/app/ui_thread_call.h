// UiThreadCall: lets a worker run a piece of user-interface work (a question, the progress
// window) on the user-interface thread and wait for its result. Called on the user-interface
// thread itself it runs the work at once. After Close (the program is ending) a waiting worker
// gives up with the fallback value instead of waiting for a thread that is busy tearing down, and
// later calls return the fallback without running anything.
// Thread-safe: Run from any thread; Close on the user-interface thread.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>

namespace tarvello {

class UiThreadCall {
 public:
  template <typename Result, typename Work>
  Result Run(Work work, Result fallback) {
    if (QThread::currentThread() == QCoreApplication::instance()->thread()) return work();
    if (closed_) return fallback;
    auto task = std::make_shared<std::packaged_task<Result()>>(std::move(work));
    std::future<Result> result = task->get_future();
    QMetaObject::invokeMethod(QCoreApplication::instance(), [task, this] {
      if (!closed_) (*task)();
    });
    while (result.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
      if (closed_) return fallback;
    }
    return result.get();
  }

  void Close() { closed_ = true; }

 private:
  std::atomic<bool> closed_{false};
};

}  // namespace tarvello
