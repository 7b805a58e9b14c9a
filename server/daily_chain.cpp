#include "server/daily_chain.h"

#include <algorithm>
#include <cmath>

#include "server/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kDaySalt = 0x444159;
constexpr std::uint64_t kEventSalt = 0x455654;
constexpr int kEventSpacing = 200;  // about one event a year
constexpr int kMaxLevel = 100000000;  // keeps every index level and its sums inside 32 bits

int Clamp(const Security& s, const DayQuote& day, double price) {
  int value = static_cast<int>(std::lround(price));
  if (s.has_limits) value = std::clamp(value, day.LimitDown(), day.LimitUp());
  return std::max(value, 1);
}

// A pull back towards an anchor keeps a long history inside a believable range. The anchor is
// the starting price less the dividends paid and grows as slowly as they are paid, so prices
// neither climb back after an event nor sink over the years (an index made of them would
// otherwise grow or shrink without end).
double Drift(const Security& s, double anchor, int prev_close) {
  return 0.02 * std::log(anchor / std::max(prev_close, 1)) * s.volatility * 10;
}

constexpr double kAnchorGrowth = 1.0001;  // per trading day, about the dividends of a year

bool MaybeEvent(const Security& s, std::uint64_t seed, int security_index, int d, int prev_close, double anchor,
                CorporateEvent& event) {
  if (!s.has_events || d == 0) return false;
  const std::uint64_t h = Hash(seed, kEventSalt, static_cast<std::uint64_t>(security_index),
                               static_cast<std::uint64_t>(d / kEventSpacing));
  if (d % kEventSpacing != static_cast<int>(20 + h % 150)) return false;
  event.day_index = d;
  event.dividend = std::max(1, static_cast<int>(prev_close * (0.01 + Unit(h >> 8) * 0.03)));
  // Bonus shares only when the price has run far above its anchor.
  static constexpr int kBonus[] = {3, 5, 10};
  if (prev_close >= 2 * anchor) event.bonus_per_ten = kBonus[(h >> 20) % std::size(kBonus)];
  return true;
}

}  // namespace

DailyChain BuildOwnChain(const Security& s, std::uint64_t seed, int security_index, int day_count) {
  DailyChain chain;
  chain.days.reserve(static_cast<std::size_t>(day_count));
  int previous = s.base_price;
  double anchor = s.base_price;
  for (int d = 0; d < day_count; ++d) {
    DayQuote day;
    day.prev_close = previous;
    CorporateEvent event;
    anchor *= kAnchorGrowth;
    if (MaybeEvent(s, seed, security_index, d, previous, anchor, event)) {
      day.prev_close = std::max(1, (previous - event.dividend) * 10 / (10 + event.bonus_per_ten));
      event.factor = static_cast<double>(day.prev_close) / previous;
      anchor *= static_cast<double>(previous - event.dividend) / previous;
      chain.events.push_back(event);
    }
    const std::uint64_t h = Hash(seed, kDaySalt, static_cast<std::uint64_t>(security_index), static_cast<std::uint64_t>(d));
    const double change = Gauss(h) * s.volatility + Drift(s, anchor, day.prev_close);
    day.open = Clamp(s, day, day.prev_close * (1 + Gauss(Mix(h)) * s.volatility * 0.3));
    day.close = Clamp(s, day, day.prev_close * (1 + change));
    chain.days.push_back(day);
    previous = day.close;
  }
  return chain;
}

int CompositeLevel(int prev_close, std::span<const double> ratios, std::span<const double> weights) {
  double sum = 0, total = 0;
  for (std::size_t i = 0; i < ratios.size(); ++i) {
    sum += ratios[i] * weights[i];
    total += weights[i];
  }
  const double level = prev_close * (total > 0 ? sum / total : 1.0);
  return static_cast<int>(std::clamp(std::lround(level), 1L, static_cast<long>(kMaxLevel)));
}

DailyChain BuildCompositeChain(const Security& index, std::span<const DailyChain* const> members,
                               std::span<const double> weights) {
  DailyChain chain;
  const std::size_t day_count = members.empty() ? 0 : members[0]->days.size();
  std::vector<double> opens(members.size()), closes(members.size());
  int previous = index.base_price;
  for (std::size_t d = 0; d < day_count; ++d) {
    for (std::size_t m = 0; m < members.size(); ++m) {
      const DayQuote& day = members[m]->days[d];
      opens[m] = static_cast<double>(day.open) / day.prev_close;
      closes[m] = static_cast<double>(day.close) / day.prev_close;
    }
    DayQuote day;
    day.prev_close = previous;
    day.open = CompositeLevel(previous, opens, weights);
    day.close = CompositeLevel(previous, closes, weights);
    chain.days.push_back(day);
    previous = day.close;
  }
  return chain;
}

}  // namespace tarvello::server
