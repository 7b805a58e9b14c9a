#include "protocol/refresh_worker.h"

#include "traffic/traffic_meter.h"

namespace tarvello {

RefreshWorker::RefreshWorker(RefreshScreen& screen, unsigned timer_id,
                             std::chrono::milliseconds period, std::chrono::milliseconds pause)
    : screen_(screen), timer_id_(timer_id), pause_(pause), period_ms_(period.count()) {}

RefreshWorker::~RefreshWorker() { Stop(); }

void RefreshWorker::Start() {
  if (!thread_.joinable() && !queue_.IsClosed()) thread_ = std::thread([this] { Run(); });
}

void RefreshWorker::Stop() {
  queue_.Close();
  if (thread_.joinable()) thread_.join();
}

// A request with the progress window counts as busy from the moment it is made, not only once
// the worker takes it up: a tap in between would otherwise act on the screen that is loading,
// and the window would then show over whatever that tap led to.
bool RefreshWorker::Request(bool show_busy) {
  if (show_busy) ++busy_requests_;
  const bool posted = queue_.Post(Message{kMsgRefresh, show_busy ? 1 : 0, 0});
  if (show_busy && !posted) --busy_requests_;
  return posted;
}

void RefreshWorker::SetPeriod(std::chrono::milliseconds period) { period_ms_ = period.count(); }

std::chrono::milliseconds RefreshWorker::period() const {
  return std::chrono::milliseconds(period_ms_.load() * TrafficPeriodFactor());
}

void RefreshWorker::Run() {
  while (auto message = queue_.Get()) {
    if (message->id != kMsgRefresh) continue;
    int busy_taken = message->wparam == 1 ? 1 : 0;
    for (const Message& waiting : queue_.Drain()) {
      if (waiting.id == kMsgRefresh && waiting.wparam == 1) ++busy_taken;
    }
    Refresh(busy_taken > 0);
    // A request with the progress window that came during this exchange keeps the screen busy
    // until the exchange that serves it.
    busy_requests_ -= busy_taken;
    if (queue_.IsClosed()) return;
    // A timer of 0 ms would fire on every turn of the event loop and ask again at once.
    if (const auto every = period(); every.count() > 0) screen_.SetRefreshTimer(timer_id_, static_cast<unsigned>(every.count()));
    if (queue_.SleepUnlessClosed(pause_)) return;
  }
}

void RefreshWorker::Refresh(bool show_busy) {
  if (show_busy) screen_.PostToMainScreen(Message{kMsgProgress, kBusyShow, kBusyFromScreen});
  exchanging_ = true;
  screen_.ExchangeBegins();
  const bool ok = screen_.RunExchange();
  if (ok) last_answer_ = std::chrono::steady_clock::now().time_since_epoch().count();
  exchanging_ = false;
  if (ok) RepaintAfterExchange();
  if (show_busy) screen_.PostToMainScreen(Message{kMsgProgress, kBusyHide, kBusyFromScreen});
  screen_.ExchangeEnded();
}

std::optional<std::chrono::steady_clock::time_point> RefreshWorker::last_answer() const {
  const auto ticks = last_answer_.load();
  if (ticks == 0) return std::nullopt;
  return std::chrono::steady_clock::time_point(std::chrono::steady_clock::duration(ticks));
}

void RefreshWorker::RepaintAfterExchange() {
  {
    std::lock_guard<std::mutex> lock(paint_mutex_);
    if (painting_) {
      repaint_pending_ = true;
      return;
    }
  }
  screen_.InvalidateScreen();
}

void RefreshWorker::EndPaint() {
  bool repaint = false;
  {
    std::lock_guard<std::mutex> lock(paint_mutex_);
    painting_ = false;
    repaint = repaint_pending_;
    repaint_pending_ = false;
  }
  if (repaint) screen_.InvalidateScreen();
}

RefreshWorker::PaintScope::PaintScope(RefreshWorker& worker) : worker_(worker) {
  std::lock_guard<std::mutex> lock(worker_.paint_mutex_);
  worker_.painting_ = true;
}

RefreshWorker::PaintScope::~PaintScope() { worker_.EndPaint(); }

}  // namespace tarvello
