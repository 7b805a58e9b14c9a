// Market: the whole simulated market of one seed. It holds the catalogue, the trading days from
// a fixed epoch (so one seed gives the same prices on a date whatever moment the clock starts
// at) until well after the simulated start (so the clock can run on), every security's daily
// chain, and a cache of minute paths (today's paths are asked for by every request). Bars are
// served for the last `history_days` trading days before the start only.
// Everything but the path cache is fixed at construction; the cache is guarded by its own
// mutex, so a Market is safe to share between the server's threads.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "server/daily_chain.h"
#include "server/day_path.h"
#include "server/security.h"
#include "server/sim_clock.h"

namespace tarvello::server {

struct MarketConfig {
  std::uint64_t seed = 1;
  SimTime start;
  int history_days = 780;  // trading days before the start day that the bars reach back
  int future_days = 260;   // trading days after it that the clock may still reach
};

// Where the market of a security stands at a moment: its trading day and the slots reached.
// Outside trading hours the last state stands: before the opening it is the previous day's
// close, after the close and on days off the whole day.
struct Position {
  int day_index = 0;
  int slots = 0;
};

class Market {
 public:
  explicit Market(const MarketConfig& config);

  std::span<const Security> securities() const { return securities_; }
  // Catalogue position of a code, -1 when unknown.
  int Find(std::string_view code) const;
  const Security& security(int index) const { return securities_[static_cast<std::size_t>(index)]; }
  const DailyChain& chain(int index) const { return chains_[static_cast<std::size_t>(index)]; }
  const DayQuote& day(int index, int day_index) const {
    return chains_[static_cast<std::size_t>(index)].days[static_cast<std::size_t>(day_index)];
  }
  std::int64_t TradingDay(int day_index) const { return days_[static_cast<std::size_t>(day_index)]; }
  int day_count() const { return static_cast<int>(days_.size()); }
  // The oldest day whose bars are served.
  int first_history_day() const { return first_history_day_; }
  std::uint64_t seed() const { return seed_; }

  Position PositionAt(int index, const SimTime& time) const;
  std::shared_ptr<const DayPath> Path(int index, int day_index) const;

 private:
  std::vector<double> Weights(const Security& index) const;

  std::uint64_t seed_;
  std::vector<Security> securities_;
  std::unordered_map<std::string, int> by_code_;
  std::vector<std::int64_t> days_;
  int first_history_day_ = 0;
  std::vector<DailyChain> chains_;

  using PathKey = std::pair<int, int>;
  static constexpr std::size_t kPathCacheSize = 8192;
  mutable std::mutex path_mutex_;
  // Guarded by path_mutex_: recently used paths, newest at the front of path_order_.
  mutable std::map<PathKey, std::pair<std::shared_ptr<const DayPath>, std::list<PathKey>::iterator>> paths_;
  mutable std::list<PathKey> path_order_;
};

}  // namespace tarvello::server
