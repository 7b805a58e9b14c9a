#include "server/market/money_flow.h"

#include <algorithm>

#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kFlowSalt = 0x464C4F57;

// One side's volume in three sizes: large and medium shares drawn per security and day.
std::array<std::int64_t, 3> BySize(std::int64_t volume, std::uint64_t h) {
  const double large = 0.12 + Unit(h) * 0.3, medium = 0.25 + Unit(Hash(h, 1)) * 0.15;
  std::array<std::int64_t, 3> parts{};
  parts[kLargeOrders] = static_cast<std::int64_t>(static_cast<double>(volume) * large);
  parts[kMediumOrders] = static_cast<std::int64_t>(static_cast<double>(volume) * medium);
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
  split.bought = BySize(q.outer, h);
  split.sold = BySize(q.inner, Hash(h, 2));
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
