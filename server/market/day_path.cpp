#include "server/market/day_path.h"

#include <algorithm>
#include <cmath>

#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kMinuteSalt = 0x4D494E;
constexpr std::uint64_t kVolumeSalt = 0x564F4C;

double DailyVolume(const Security& s, std::uint64_t h) {
  if (s.float_lots > 0) return static_cast<double>(s.float_lots) * (0.004 + Unit(h) * 0.02);
  return static_cast<double>(std::max<std::int64_t>(s.typical_volume, 1000)) * (0.7 + Unit(h) * 0.6);
}

// The busier opening and close of a day of n slots, the same every day: worked out once per
// session length, as every path draws it.
std::vector<double> DrawShape(int n) {
  std::vector<double> shape(static_cast<std::size_t>(std::max(n, 0)));
  for (int k = 0; k < n; ++k) {
    shape[static_cast<std::size_t>(k)] = 1 + 1.5 * (std::exp(-k / 20.0) + std::exp(-(n - 1 - k) / 20.0));
  }
  return shape;
}

const std::vector<double>& VolumeShape(int n) {
  static const std::vector<double> kShapes[] = {DrawShape(kStockSession.SlotCount()), DrawShape(kFuturesSession.SlotCount()),
                                                DrawShape(kHongKongSession.SlotCount())};
  for (const std::vector<double>& shape : kShapes) {
    if (static_cast<int>(shape.size()) == n) return shape;
  }
  thread_local std::vector<double> other;
  other = DrawShape(n);
  return other;
}

std::vector<int> DrawVolumes(const Security& s, std::uint64_t seed, int security_index, int day_index, int n) {
  const std::uint64_t day_hash = Hash(seed, kVolumeSalt, static_cast<std::uint64_t>(security_index),
                                      static_cast<std::uint64_t>(day_index));
  const std::vector<double>& shape = VolumeShape(n);
  std::vector<double> weights(static_cast<std::size_t>(n));
  double total = 0;
  for (int k = 0; k < n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    weights[i] = shape[i] * (0.5 + Unit(Hash(day_hash, static_cast<std::uint64_t>(k))));
    total += weights[i];
  }
  const double daily = DailyVolume(s, day_hash);
  std::vector<int> volumes(static_cast<std::size_t>(n));
  for (int k = 0; k < n; ++k) {
    volumes[static_cast<std::size_t>(k)] = std::max(1, static_cast<int>(daily * weights[static_cast<std::size_t>(k)] / total));
  }
  return volumes;
}

std::int64_t Amount(const Security& s, int price, int volume) {
  const double unit = s.decimals == 3 ? 1000.0 : 100.0;
  const double multiplier = s.kind == Kind::kFuture ? 300.0 : 100.0;
  return static_cast<std::int64_t>(volume * multiplier * price / unit);
}

// A day that closes at its limit reaches it in the morning and stays there.
void SealAtLimit(const DayQuote& day, std::uint64_t h, std::vector<int>& prices) {
  if (day.limit_percent == 0 || (day.close != day.LimitUp() && day.close != day.LimitDown())) return;
  const std::size_t from = 5 + Hash(h, 0x5345414C) % 90;
  for (std::size_t k = std::min(from, prices.size() - 1); k < prices.size(); ++k) prices[k] = day.close;
}

DayPath StandingStill(const DayQuote& day, int n) {
  DayPath path;
  path.price.assign(static_cast<std::size_t>(n), day.prev_close);
  path.volume.assign(static_cast<std::size_t>(n), 0);
  path.amount.assign(static_cast<std::size_t>(n), 0);
  return path;
}

}  // namespace

DayPath DrawOwnPath(const Security& s, const DayQuote& day, std::uint64_t seed, int security_index, int day_index) {
  const int n = s.session->SlotCount();
  if (day.suspended) return StandingStill(day, n);
  const std::uint64_t base = Hash(seed, kMinuteSalt, static_cast<std::uint64_t>(security_index),
                                  static_cast<std::uint64_t>(day_index));
  std::vector<double> walk(static_cast<std::size_t>(n), 0.0);
  const double step = (s.own_volatility + 0.011 * std::abs(s.beta)) / std::sqrt(static_cast<double>(n)) * 0.6;
  for (int k = 1; k < n; ++k) {
    walk[static_cast<std::size_t>(k)] = walk[static_cast<std::size_t>(k - 1)] + Gauss(Hash(base, static_cast<std::uint64_t>(k))) * step;
  }
  DayPath path;
  path.volume = DrawVolumes(s, seed, security_index, day_index, n);
  path.price.resize(static_cast<std::size_t>(n));
  path.amount.resize(static_cast<std::size_t>(n));
  const double end = walk.back();
  for (int k = 0; k < n; ++k) {
    const double t = n > 1 ? static_cast<double>(k) / (n - 1) : 1.0;
    const double bridge = walk[static_cast<std::size_t>(k)] - t * end;
    double price = day.open + (day.close - day.open) * t + bridge * day.prev_close;
    int value = OnPriceTick(s, static_cast<double>(std::lround(price)));
    if (day.limit_percent > 0) value = std::clamp(value, day.LimitDown(), day.LimitUp());
    path.price[static_cast<std::size_t>(k)] = std::max(value, 1);
  }
  path.price.front() = day.open;
  path.price.back() = day.close;
  SealAtLimit(day, base, path.price);
  for (int k = 0; k < n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    path.amount[i] = Amount(s, path.price[i], path.volume[i]);
  }
  return path;
}

std::int64_t DrawnDayVolume(const Security& s, std::uint64_t seed, int security_index, int day_index) {
  std::int64_t total = 0;
  for (int v : DrawVolumes(s, seed, security_index, day_index, s.session->SlotCount())) total += v;
  return total;
}

PathSum::PathSum(int slots)
    : value_(static_cast<std::size_t>(slots), 0.0), lots_(static_cast<std::size_t>(slots), 0),
      amount_(static_cast<std::size_t>(slots), 0) {}

void PathSum::Add(const DayPath& member, double weight) {
  const std::size_t n = std::min(value_.size(), member.price.size());
  for (std::size_t k = 0; k < n; ++k) {
    value_[k] += weight * member.price[k];
    lots_[k] += member.volume[k];
    amount_[k] += member.amount[k];
    total_lots_ += member.volume[k];
  }
}

DayPath PathSum::Finish(const DayQuote& day, double factor) const {
  const std::size_t n = value_.size();
  DayPath path;
  path.price.resize(n);
  path.volume.resize(n);
  path.amount = amount_;
  for (std::size_t k = 0; k < n; ++k) {
    path.price[k] = std::max(1, static_cast<int>(std::lround(value_[k] * factor)));
    path.volume[k] = static_cast<int>(std::max<std::int64_t>(1, lots_[k] / 100));
  }
  if (n > 0) {
    path.price.front() = day.open;
    path.price.back() = day.close;
  }
  return path;
}

}  // namespace tarvello::server
