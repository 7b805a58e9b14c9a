#include "server/daily_chain.h"

#include <algorithm>
#include <cmath>

#include "server/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kDaySalt = 0x444159;
constexpr std::uint64_t kEventSalt = 0x455654;
constexpr int kEventSpacing = 200;  // about one event a year

int Clamp(const Security& s, const DayQuote& day, double price) {
  int value = static_cast<int>(std::lround(price));
  if (s.has_limits) value = std::clamp(value, day.LimitDown(), day.LimitUp());
  return std::max(value, 1);
}

// A pull back towards the starting price keeps a long history inside a believable range.
double Drift(const Security& s, int prev_close) {
  return 0.02 * std::log(static_cast<double>(s.base_price) / std::max(prev_close, 1)) * s.volatility * 10;
}

bool MaybeEvent(const Security& s, std::uint64_t seed, int security_index, int d, int prev_close,
                CorporateEvent& event) {
  if (!s.has_events || d == 0) return false;
  const std::uint64_t h = Hash(seed, kEventSalt, static_cast<std::uint64_t>(security_index),
                               static_cast<std::uint64_t>(d / kEventSpacing));
  if (d % kEventSpacing != static_cast<int>(20 + h % 150)) return false;
  event.day_index = d;
  event.dividend = std::max(1, static_cast<int>(prev_close * (0.01 + Unit(h >> 8) * 0.03)));
  static constexpr int kBonus[] = {0, 0, 3, 5, 10};
  event.bonus_per_ten = kBonus[(h >> 20) % std::size(kBonus)];
  return true;
}

}  // namespace

DailyChain BuildOwnChain(const Security& s, std::uint64_t seed, int security_index, int day_count) {
  DailyChain chain;
  chain.days.reserve(static_cast<std::size_t>(day_count));
  int previous = s.base_price;
  for (int d = 0; d < day_count; ++d) {
    DayQuote day;
    day.prev_close = previous;
    CorporateEvent event;
    if (MaybeEvent(s, seed, security_index, d, previous, event)) {
      day.prev_close = std::max(1, (previous - event.dividend) * 10 / (10 + event.bonus_per_ten));
      event.factor = static_cast<double>(day.prev_close) / previous;
      chain.events.push_back(event);
    }
    const std::uint64_t h = Hash(seed, kDaySalt, static_cast<std::uint64_t>(security_index), static_cast<std::uint64_t>(d));
    const double change = Gauss(h) * s.volatility + Drift(s, day.prev_close);
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
  return static_cast<int>(std::lround(prev_close * (total > 0 ? sum / total : 1.0)));
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
