#include "server/market/money_flow.h"

#include <algorithm>
#include <cmath>

#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kFlowSalt = 0x464C4F57;

// Orders over this many lots are large, from kMediumFrom up to it medium, the rest small.
constexpr std::int64_t kLargeAbove = 1000;
constexpr std::int64_t kMediumFrom = 100;
// Order sizes spread log-normally around a median; this is the spread of their logarithm.
constexpr double kSizeSpread = 1.3;

// The lots a usual day of the security trades: busier and larger securities trade in larger
// orders.
double UsualDayVolume(const Security& s) {
  if (s.float_lots > 0) return static_cast<double>(s.float_lots) * 0.014;
  return static_cast<double>(std::max<std::int64_t>(s.typical_volume, 1000));
}

// The median order of one side of one day, in lots: a few lots for a share that trades a few
// hundred lots a day, tens for an ordinary one, over a hundred for the busiest, varying from day
// to day.
double MedianOrder(const Security& s, std::uint64_t h) {
  const double usual = 1.2 * std::pow(UsualDayVolume(s), 0.3);
  return std::clamp(usual, 2.0, 300.0) * std::exp(0.25 * Gauss(h));
}

// The part of the volume traded in orders over `lots`, when order sizes are log-normal around
// `median`: the volume-weighted tail of the distribution.
double VolumeAbove(double lots, double median) {
  const double z = (std::log(lots) - std::log(median) - kSizeSpread * kSizeSpread) / kSizeSpread;
  return 0.5 * std::erfc(z / std::sqrt(2.0));
}

// One side's volume in three sizes. A size holds whole orders: a part too small for one order of
// its size goes to the next smaller size, so a side that traded under 1000 lots has no large
// orders.
std::array<std::int64_t, 3> BySize(const Security& s, std::int64_t volume, std::uint64_t h) {
  const double median = MedianOrder(s, h);
  const double v = static_cast<double>(volume);
  std::array<std::int64_t, 3> parts{};
  parts[kLargeOrders] = std::llround(v * VolumeAbove(static_cast<double>(kLargeAbove), median));
  if (parts[kLargeOrders] <= kLargeAbove) parts[kLargeOrders] = 0;
  const std::int64_t from_medium = std::llround(v * VolumeAbove(static_cast<double>(kMediumFrom), median));
  parts[kMediumOrders] = std::min(from_medium, volume) - parts[kLargeOrders];
  if (parts[kMediumOrders] < kMediumFrom) parts[kMediumOrders] = 0;
  parts[kSmallOrders] = volume - parts[kLargeOrders] - parts[kMediumOrders];
  return parts;
}

}  // namespace

FlowSplit& FlowSplit::operator+=(const FlowSplit& other) {
  for (std::size_t k = 0; k < 3; ++k) {
    bought[k] += other.bought[k];
    sold[k] += other.sold[k];
    inflow[k] += other.inflow[k];
    outflow[k] += other.outflow[k];
  }
  volume += other.volume;
  amount += other.amount;
  return *this;
}

double FlowSplit::NetRatio() const {
  return amount > 0 ? (inflow[kLargeOrders] - outflow[kLargeOrders]) * 100.0 / amount : 0;
}

double FlowSplit::NetInflow() const {
  double net = 0;
  for (std::size_t k = 0; k < 3; ++k) net += inflow[k] - outflow[k];
  return net;
}

FlowSplit SplitTrades(const Market& market, int index, int day_index, const QuoteState& q) {
  FlowSplit split;
  split.volume = q.volume;
  split.amount = static_cast<double>(q.amount);
  if (q.volume <= 0) return split;
  const std::uint64_t h = Hash(market.seed(), kFlowSalt, static_cast<std::uint64_t>(index), static_cast<std::uint64_t>(day_index));
  const Security& s = market.security(index);
  split.bought = BySize(s, q.outer, h);
  split.sold = BySize(s, q.inner, Hash(h, 2));
  const double price = split.amount / static_cast<double>(q.volume);
  for (std::size_t k = 0; k < 3; ++k) {
    split.inflow[k] = static_cast<double>(split.bought[k]) * price;
    split.outflow[k] = static_cast<double>(split.sold[k]) * price;
  }
  return split;
}

FlowSplit FlowBook::WholeDay(int index, int day_index) const {
  const std::pair<int, int> key{index, day_index};
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = days_.find(key);
    if (it != days_.end()) return it->second;
  }
  // Drawn aside from the market's path cache: a ranking reads thousands of past days once.
  const Security& s = market_.security(index);
  const DayQuote day = market_.day(index, day_index);
  const DayPath path = DrawOwnPath(s, day, market_.seed(), index, day_index);
  const FlowSplit split = SplitTrades(market_, index, day_index, ComputeQuote(s, day, path, s.session->SlotCount()));
  const std::lock_guard<std::mutex> lock(mutex_);
  // Days are drawn in the order they are asked for, so the oldest kept ones go all at once.
  if (days_.size() >= kKeptDays) days_.clear();
  return days_.emplace(key, split).first->second;
}

FlowSplit FlowBook::Over(int index, const Position& position, int days) const {
  if (market_.security(index).IsComposite()) return CompositeOver(index, position, days);
  FlowSplit total = SplitTrades(market_, index, position.day_index, QuoteAt(market_, index, position));
  for (int d = position.day_index - 1; d > position.day_index - days && d >= 0; --d) total += WholeDay(index, d);
  return total;
}

std::vector<FlowSplit> FlowBook::OverEach(int index, const Position& position, std::span<const int> days) const {
  std::vector<FlowSplit> spans;
  spans.reserve(days.size());
  if (market_.security(index).IsComposite()) {
    for (const int d : days) spans.push_back(CompositeOver(index, position, d));
    return spans;
  }
  FlowSplit total = SplitTrades(market_, index, position.day_index, QuoteAt(market_, index, position));
  int counted = 1;
  for (const int d : days) {
    for (; counted < d; ++counted) {
      const int day = position.day_index - counted;
      if (day >= 0) total += WholeDay(index, day);
    }
    spans.push_back(total);
  }
  return spans;
}

FlowSplit FlowBook::CompositeOver(int composite, const Position& position, int days) const {
  FlowSplit total;
  for (int member : market_.security(composite).members) total += Over(member, position, days);
  return total;
}

}  // namespace tarvello::server
