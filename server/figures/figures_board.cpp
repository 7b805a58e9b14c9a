#include "server/figures/figures_board.h"

#include <chrono>
#include <iterator>

#include "server/market/parallel.h"

namespace tarvello::server {

namespace {

// How often the worker looks at the clock once the next minute is built.
constexpr auto kClockLook = std::chrono::milliseconds(100);

}  // namespace

// Figures someone waits for take every core; the worker's, built ahead, take one and leave the
// others to the answers.
void FiguresBoard::Start() {
  Publish(BuildOnce(MinuteOf(clock_.Now()), kMaxBuildThreads));
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    started_ = true;
  }
  worker_ = std::jthread([this](std::stop_token stop) { Run(stop); });
}

std::shared_ptr<const MarketFigures> FiguresBoard::At(const SimTime& now) {
  const std::int64_t minute = MinuteOf(now);
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto after = built_.upper_bound(minute);
    if (after != built_.begin() && (started_ || std::prev(after)->first == minute))
      return std::prev(after)->second;
  }
  std::shared_ptr<const MarketFigures> built = BuildOnce(minute, kMaxBuildThreads);
  Publish(built);
  return built;
}

// Whoever comes second for the same minute takes the first one's figures.
std::shared_ptr<const MarketFigures> FiguresBoard::BuildOnce(std::int64_t minute,
                                                             unsigned threads) {
  const std::lock_guard<std::mutex> build(build_mutex_);
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = built_.find(minute);
    if (it != built_.end()) return it->second;
  }
  return BuildMarketFigures(market_, minute, threads);
}

// Figures older than the newest of the clock's minute are read no more.
void FiguresBoard::Publish(std::shared_ptr<const MarketFigures> figures) {
  const std::int64_t current = MinuteOf(clock_.Now());
  const std::lock_guard<std::mutex> lock(mutex_);
  built_[figures->minute] = std::move(figures);
  auto in_use = built_.upper_bound(current);
  if (in_use != built_.begin()) built_.erase(built_.begin(), --in_use);
}

void FiguresBoard::Run(std::stop_token stop) {
  while (!stop.stop_requested()) {
    const std::int64_t now = MinuteOf(clock_.Now());
    std::int64_t next = now;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (!built_.empty()) next = std::max(next, built_.rbegin()->first + 1);
      if (next > now + 1) {
        pause_.wait_for(lock, stop, kClockLook, [] { return false; });
        continue;
      }
    }
    Publish(BuildOnce(next, 1));
  }
}

}  // namespace tarvello::server
