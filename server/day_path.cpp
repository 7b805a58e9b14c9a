#include "server/day_path.h"

#include <algorithm>
#include <cmath>

#include "server/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kMinuteSalt = 0x4D494E;
constexpr std::uint64_t kVolumeSalt = 0x564F4C;

double DailyVolume(const Security& s, std::uint64_t h) {
  if (s.float_lots > 0) return static_cast<double>(s.float_lots) * (0.004 + Unit(h) * 0.02);
  return 2000000.0 * (0.7 + Unit(h) * 0.6);  // an index of its own, in hundreds of lots
}

std::vector<int> DrawVolumes(const Security& s, std::uint64_t seed, int security_index, int day_index, int n) {
  const std::uint64_t day_hash = Hash(seed, kVolumeSalt, static_cast<std::uint64_t>(security_index),
                                      static_cast<std::uint64_t>(day_index));
  std::vector<double> weights(static_cast<std::size_t>(n));
  double total = 0;
  for (int k = 0; k < n; ++k) {
    const double edge = std::exp(-k / 20.0) + std::exp(-(n - 1 - k) / 20.0);
    weights[static_cast<std::size_t>(k)] = (1 + 1.5 * edge) * (0.5 + Unit(Hash(day_hash, static_cast<std::uint64_t>(k))));
    total += weights[static_cast<std::size_t>(k)];
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

}  // namespace

DayPath DrawOwnPath(const Security& s, const DayQuote& day, std::uint64_t seed, int security_index, int day_index) {
  const int n = s.session->SlotCount();
  const std::uint64_t base = Hash(seed, kMinuteSalt, static_cast<std::uint64_t>(security_index),
                                  static_cast<std::uint64_t>(day_index));
  std::vector<double> walk(static_cast<std::size_t>(n), 0.0);
  const double step = s.volatility / std::sqrt(static_cast<double>(n)) * 0.8;
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
    int value = static_cast<int>(std::lround(price));
    if (s.has_limits) value = std::clamp(value, day.LimitDown(), day.LimitUp());
    path.price[static_cast<std::size_t>(k)] = std::max(value, 1);
  }
  path.price.front() = day.open;
  path.price.back() = day.close;
  for (int k = 0; k < n; ++k) {
    const auto i = static_cast<std::size_t>(k);
    path.amount[i] = Amount(s, path.price[i], path.volume[i]);
  }
  return path;
}

DayPath CombinePaths(const Security& index, const DayQuote& day, std::span<const MemberDay> members,
                     std::span<const double> weights) {
  const std::size_t n = static_cast<std::size_t>(index.session->SlotCount());
  DayPath path;
  path.price.resize(n);
  path.volume.assign(n, 0);
  path.amount.assign(n, 0);
  std::vector<double> ratios(members.size());
  std::vector<std::int64_t> lots(n, 0);
  for (std::size_t k = 0; k < n; ++k) {
    for (std::size_t m = 0; m < members.size(); ++m) {
      ratios[m] = static_cast<double>(members[m].path->price[k]) / members[m].prev_close;
      lots[k] += members[m].path->volume[k];
      path.amount[k] += members[m].path->amount[k];
    }
    path.price[k] = CompositeLevel(day.prev_close, ratios, weights);
    path.volume[k] = static_cast<int>(std::max<std::int64_t>(1, lots[k] / 100));
  }
  return path;
}

}  // namespace tarvello::server
