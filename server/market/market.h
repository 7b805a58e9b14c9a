// Market: the whole simulated market of one seed. It holds the catalogue and the trading days
// from a fixed epoch (so one seed gives the same share prices on a date whatever moment the
// clock starts at) until well after the simulated start (so the clock can run on). Nothing of a
// day is computed before it is asked for: a share's closes come in segments of 64 days, drawn on
// demand and kept; an index or sector level is its members' market value times a factor fixed at
// start-up so that the start day opens at the index's realistic level; a future is its index
// plus a small basis. Minute paths are drawn on demand and the recent ones kept. Bars are served
// for the last `history_days` trading days before the start only.
// The catalogue is fixed at construction; every cache has its own mutex, so a Market is safe to
// share between the server's threads.
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

#include "server/market/day_path.h"
#include "server/market/day_quote.h"
#include "server/market/price_walk.h"
#include "server/market/security.h"
#include "server/market/sim_clock.h"

namespace tarvello::server {

class FlowBook;

struct MarketConfig {
  std::uint64_t seed = 1;
  SimTime start;
  int history_days = 2750;  // trading days before the start day that the bars reach back (11 years)
  int future_days = 260;    // trading days after it that the clock may still reach
};

// Where the market of a security stands at a moment: its trading day and the slots reached.
// Outside trading hours the last state stands: before the opening it is the previous day's
// close, after the close and on days off the whole day.
struct Position {
  int day_index = 0;
  int slots = 0;
};

// A member's weight in its indices: its float in lots at its price in yuan (B shares converted).
double IndexWeight(const Security& member);

class Market {
 public:
  explicit Market(const MarketConfig& config);
  ~Market();

  std::span<const Security> securities() const { return securities_; }
  int size() const { return static_cast<int>(securities_.size()); }
  // Catalogue position of a code, -1 when unknown.
  int Find(std::string_view code) const;
  const Security& security(int index) const { return securities_[static_cast<std::size_t>(index)]; }
  DayQuote day(int index, int day_index) const;
  // The dividends of a share, oldest first, over all the market's days.
  std::shared_ptr<const std::vector<CorporateEvent>> Events(int index) const;
  std::int64_t TradingDay(int day_index) const { return days_[static_cast<std::size_t>(day_index)]; }
  int day_count() const { return static_cast<int>(days_.size()); }
  // The oldest day whose bars are served, and the first day of a security's own bars.
  int first_history_day() const { return first_history_day_; }
  int FirstBarDay(int index) const;
  int start_day_index() const { return start_day_index_; }
  std::uint64_t seed() const { return seed_; }

  // The volume of a whole day without its minutes: a share's own (0 when suspended), an
  // index's the sum of its members' in hundreds of lots. For figures over several days.
  std::int64_t DayVolume(int index, int day_index) const;

  Position PositionAt(int index, const SimTime& time) const;
  std::shared_ptr<const DayPath> Path(int index, int day_index) const;
  // The same path drawn afresh and not kept: for reading many past days once.
  std::shared_ptr<const DayPath> DrawPath(int index, int day_index) const;
  // The money flow of every security, its past days kept: the one source of every flow figure.
  const FlowBook& flows() const { return *flows_; }
  // Draws the past of every index and sector now rather than when it is first asked for: their
  // levels over the years and their minutes on the recent days before the start (all are drawn
  // at once, in one pass over their members, when any composite's are first needed).
  void PrepareComposites() const;

 private:
  std::shared_ptr<const SegmentCloses> Segment(int index, int segment) const;
  DayQuote OwnDay(int index, int day_index) const;
  DayQuote CompositeDay(int index, int day_index) const;
  DayQuote FutureDay(int index, int day_index) const;
  // Sum of float times price of the members: of yesterday's closes, today's opens and closes.
  struct MemberValue {
    double prev_close = 0, open = 0, close = 0;
  };
  MemberValue MemberValueOn(const Security& composite, int day_index) const;
  // Per catalogue position: the members' market values of a composite on the days from
  // first_history_day_ up to combined_from_ (empty for the others).
  using Histories = std::vector<std::vector<MemberValue>>;
  const Histories& CompositeHistories() const;
  Histories DrawHistories() const;
  // Adds member m's values to the histories of its composites.
  void AddToHistories(int m, const std::vector<int>& composites, Histories& values) const;
  // Per catalogue position: a composite's path and its members' lots on each day from
  // combined_from_ up to the start day (empty for the others).
  struct RecentDay {
    std::shared_ptr<const DayPath> path;
    std::int64_t lots = 0;
  };
  const std::vector<std::vector<RecentDay>>& RecentDays() const;
  std::vector<std::vector<RecentDay>> DrawRecentDays() const;
  // Per catalogue position: the composites a security is a member of, in catalogue order.
  std::vector<std::vector<int>> CompositesOfMembers() const;

  std::uint64_t seed_;
  std::vector<Security> securities_;
  std::unordered_map<std::string, int> by_code_;
  std::vector<std::int64_t> days_;
  int first_history_day_ = 0;
  int start_day_index_ = 0;
  // Days from here on take an index's minutes from its members; older ones draw their own.
  int combined_from_ = 0;
  std::vector<double> level_factor_;  // per composite: level over members' market value

  mutable std::mutex segment_mutex_;
  // Guarded by segment_mutex_: drawn segments by security << 16 | segment.
  mutable std::unordered_map<std::uint64_t, std::shared_ptr<const SegmentCloses>> segments_;
  mutable std::mutex composite_mutex_;
  // Guarded by composite_mutex_: members' market values of recent days, dividends, and the
  // volumes of composites' days other than the recent ones before the start.
  mutable std::map<std::pair<int, int>, MemberValue> recent_values_;
  mutable std::map<int, std::shared_ptr<const std::vector<CorporateEvent>>> events_;
  mutable std::map<std::pair<int, int>, std::int64_t> composite_volumes_;
  mutable std::once_flag histories_once_;
  mutable Histories histories_;  // written once, under histories_once_
  mutable std::once_flag recent_once_;
  mutable std::vector<std::vector<RecentDay>> recent_;  // written once, under recent_once_

  using PathKey = std::pair<int, int>;
  static constexpr std::size_t kPathCacheSize = 12288;
  mutable std::mutex path_mutex_;
  // Guarded by path_mutex_: recently used paths, newest at the front of path_order_.
  mutable std::map<PathKey, std::pair<std::shared_ptr<const DayPath>, std::list<PathKey>::iterator>> paths_;
  mutable std::list<PathKey> path_order_;
  std::unique_ptr<const FlowBook> flows_;
};

}  // namespace tarvello::server
