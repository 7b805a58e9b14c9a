// AlertWatch: the background check of the price alerts. Once per period (the quote lists'
// refresh period) it asks the quote server for the list rows of every security that has an
// alert, in one code-list request, whatever screen is open; the alerts that crossed their line
// mark their security (AlertMarks) and are handed to `fired`, which the program turns into a
// message box on the user-interface thread. A check with no alerts sends nothing; a failed or
// broken answer changes nothing and the next period tries again.
//
// Thread rules: Start, Stop and SetPeriod from any thread; the check runs on the watch's own
// thread (and on the caller's for CheckNow), one at a time, and `fired` is called there. Stop
// (also run by the destructor) wakes the thread, waits for a running exchange and joins it.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "market/alert_book.h"
#include "market/alert_crossing.h"
#include "market/alert_marks.h"
#include "protocol/exchange_function.h"

namespace tarvello {

struct AlertWatchParts {
  ExchangeFunction exchange;
  std::chrono::milliseconds period{15000};
  std::function<void(const std::vector<AlertFiring>&)> fired;
};

class AlertWatch {
 public:
  // Answer bytes one check keeps room for: the rows of a full alert book fit many times over.
  static constexpr std::size_t kAnswerCapacity = 32768;

  AlertWatch(const AlertBook& book, AlertMarks& marks, AlertWatchParts parts);
  ~AlertWatch();
  AlertWatch(const AlertWatch&) = delete;
  AlertWatch& operator=(const AlertWatch&) = delete;

  void Start();
  void Stop();
  void SetPeriod(std::chrono::milliseconds period);

  // One check at once on the caller's thread. False when no alert is set or the exchange or its
  // answer failed.
  bool CheckNow();

 private:
  void Run(std::stop_token stop);

  const AlertBook book_;
  AlertMarks& marks_;
  AlertWatchParts parts_;
  std::atomic<long long> period_ms_;
  std::mutex check_mutex_;
  AlertCrossings crossings_;  // guarded by check_mutex_
  std::mutex wait_mutex_;
  std::condition_variable_any wake_;
  std::jthread thread_;  // joined by Stop
};

}  // namespace tarvello
