// Money flow and trade analysis: the day's trades of a share split into large (over 1000 lots),
// medium (100 to 1000 lots) and small orders on the buying side (traded at the ask) and the
// selling side (at the bid), in lots and in yuan, so that the parts add up to the day's volume
// and amount. Order sizes follow the security: a busy, large share trades in larger orders than
// a quiet one, and a side that traded under 1000 lots has no large orders. Over
// several days the parts are summed; the large orders' net inflow over the amount is the net
// ratio the rankings sort by. Indices and sectors sum their members.
// Every money-flow figure of the simulator comes from here: the trade analysis, the fund flow of
// one security and, read back from it, the big-order and fund lists, and the sector fund flow.
// The market keeps one book. Whole past days are drawn once and kept, at most kKeptDays of them
// (one mutex guards them), so that a figure over ten days costs one day's drawing; safe from
// any thread.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <span>
#include <vector>

#include "server/market/market.h"
#include "server/market/quote_state.h"

namespace tarvello::server {

enum OrderSize { kLargeOrders = 0, kMediumOrders = 1, kSmallOrders = 2 };

struct FlowSplit {
  std::array<std::int64_t, 3> bought{};  // lots by order size
  std::array<std::int64_t, 3> sold{};
  std::array<double, 3> inflow{};        // yuan
  std::array<double, 3> outflow{};
  std::int64_t volume = 0;
  double amount = 0;

  FlowSplit& operator+=(const FlowSplit& other);
  // Large orders' inflow less outflow, in percent of the amount.
  double NetRatio() const;
  double NetInflow() const;  // all sizes, yuan
};

// The split of one day's trades up to the quote's slots.
FlowSplit SplitTrades(const Market& market, int index, int day_index, const QuoteState& quote);

class FlowBook {
 public:
  explicit FlowBook(const Market& market) : market_(market) {}

  // The last `days` trading days up to the position, today's part included; an index's or a
  // sector's are the sums of its members'.
  FlowSplit Over(int index, const Position& position, int days) const;
  FlowSplit CompositeOver(int composite, const Position& position, int days) const;
  // Over for each of `days` (ascending) at once: today's split is drawn once and the past days are
  // added in turn, so ranking the whole market over several periods costs one pass.
  std::vector<FlowSplit> OverEach(int index, const Position& position, std::span<const int> days) const;

 private:
  // About 24 days of every security: the ten-day figures of the whole market fit with room to spare.
  static constexpr std::size_t kKeptDays = 1 << 17;

  FlowSplit WholeDay(int index, int day_index) const;

  const Market& market_;
  mutable std::mutex mutex_;
  mutable std::map<std::pair<int, int>, FlowSplit> days_;  // guarded by mutex_
};

}  // namespace tarvello::server
