#include "market/alert_watch.h"

#include <algorithm>

#include "market/code_list.h"
#include "traffic/traffic_meter.h"

namespace tarvello {

AlertWatch::AlertWatch(const AlertBook& book, AlertMarks& marks, AlertWatchParts parts)
    : book_(book), marks_(marks), parts_(std::move(parts)), period_ms_(parts_.period.count()) {}

AlertWatch::~AlertWatch() { Stop(); }

void AlertWatch::Start() {
  if (thread_.joinable()) return;
  thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

void AlertWatch::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}

void AlertWatch::SetPeriod(std::chrono::milliseconds period) {
  {
    // Under the wait's lock, so that a wait about to start cannot miss the change.
    const std::lock_guard<std::mutex> guard(wait_mutex_);
    period_ms_ = period.count();
  }
  wake_.notify_all();
}

void AlertWatch::Run(std::stop_token stop) {
  while (!stop.stop_requested()) {
    std::unique_lock<std::mutex> lock(wait_mutex_);
    const long long waited = period_ms_;
    // A new period restarts the wait; a stop ends it. A used-up traffic allowance doubles it.
    wake_.wait_for(lock, stop, std::chrono::milliseconds(waited * TrafficPeriodFactor()), [&] { return period_ms_ != waited; });
    if (stop.stop_requested()) return;
    if (period_ms_ != waited) continue;
    lock.unlock();
    CheckNow();
  }
}

bool AlertWatch::CheckNow() {
  const std::lock_guard<std::mutex> guard(check_mutex_);
  const std::vector<Alert> alerts = book_.All();
  const std::vector<SecurityCode> codes = AlertCodes(alerts);
  if (codes.empty() || !parts_.exchange) return false;
  const Bytes request = BuildCodeListPage(0, 0, static_cast<int>(codes.size()), codes);
  std::vector<std::uint8_t> answer(kAnswerCapacity);
  const int received = parts_.exchange(request, answer);
  if (received < 1) return false;
  std::vector<QuoteRow> rows;
  if (!ReadCodeListRows(answer.data(), std::min<std::size_t>(static_cast<std::size_t>(received), answer.size()), rows)) {
    return false;
  }
  const std::vector<AlertFiring> fired = crossings_.Check(alerts, rows);
  for (const AlertFiring& firing : fired) marks_.Mark(firing.alert.code);
  if (!fired.empty() && parts_.fired) parts_.fired(fired);
  return true;
}

}  // namespace tarvello
