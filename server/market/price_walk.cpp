#include "server/market/price_walk.h"

#include <algorithm>
#include <cmath>

#include "server/market/deterministic_random.h"

namespace tarvello::server {

namespace {

constexpr std::uint64_t kMarketSalt = 0x4D4B54;
constexpr std::uint64_t kGroupSalt = 0x475250;
constexpr std::uint64_t kOwnSalt = 0x4F574E;
constexpr std::uint64_t kJumpSalt = 0x4A4D50;
constexpr std::uint64_t kHaltSalt = 0x48414C54;
constexpr std::uint64_t kDividendSalt = 0x444956;
constexpr std::uint64_t kOpenSalt = 0x4F504E;

constexpr double kMarketVolatility = 0.011;  // daily
constexpr double kGroupVolatility = 0.007;
// The largest excursions of the slow waves, in log price.
constexpr double kMarketSwing = 0.8;
constexpr double kGroupSwing = 0.25;
constexpr double kOwnSwing = 0.35;

// A bounded wave: value noise over the segment number at seven scales (one segment to about
// eleven years), each a straight line between random knots, weighted to a largest sum of 1.
double Wave(std::uint64_t h, int segment) {
  static constexpr double kWeights[] = {0.06, 0.08, 0.11, 0.15, 0.19, 0.2, 0.21};
  double sum = 0;
  for (int k = 0; k < 7; ++k) {
    const double x = static_cast<double>(segment) / static_cast<double>(1 << k);
    const double knot = std::floor(x);
    const auto n = static_cast<std::uint64_t>(knot);
    const std::uint64_t level = Hash(h, static_cast<std::uint64_t>(k));
    const double a = 2 * Unit(Hash(level, n)) - 1, b = 2 * Unit(Hash(level, n + 1)) - 1;
    sum += kWeights[k] * (a + (b - a) * (x - knot));
  }
  return sum;
}

double Pin(const Security& s, std::uint64_t seed, int security_index, int segment) {
  double log_price = s.beta * kMarketSwing * Wave(Hash(seed, kMarketSalt), segment);
  if (s.factor_group > 0) {
    log_price += kGroupSwing * Wave(Hash(seed, kGroupSalt, static_cast<std::uint64_t>(s.factor_group)), segment);
  }
  const double own = kOwnSwing * std::min(1.0, s.own_volatility / 0.014);
  return log_price + own * Wave(Hash(seed, kOwnSalt, static_cast<std::uint64_t>(security_index)), segment);
}

bool CanJump(const Security& s, int j) { return s.IsShare() && s.limit_percent > 0 && j >= 1 && j < kSegmentDays - 3; }

double Shock(const Security& s, std::uint64_t seed, int security_index, int day) {
  const auto d = static_cast<std::uint64_t>(day);
  double shock = s.beta * kMarketVolatility * Gauss(Hash(seed, kMarketSalt, d));
  if (s.factor_group > 0) {
    shock += kGroupVolatility * Gauss(Hash(seed, kGroupSalt, static_cast<std::uint64_t>(s.factor_group), d));
  }
  const std::uint64_t own = Hash(seed, kOwnSalt, static_cast<std::uint64_t>(security_index), d);
  shock += s.own_volatility * Gauss(own);
  if (CanJump(s, day % kSegmentDays) && Unit(Hash(own, kJumpSalt)) < 0.003) {
    const double size = std::log1p(s.limit_percent / 100.0) + 0.03;
    shock += (own & 1) != 0 ? size : -size;
  }
  return shock;
}

int ClampToLimits(int price, int reference, int limit_percent) {
  if (limit_percent == 0) return std::max(price, 1);
  const DayQuote day{reference, 0, 0, limit_percent, false};
  return std::max(std::clamp(price, day.LimitDown(), day.LimitUp()), 1);
}

}  // namespace

namespace {

// The days of a segment on which a share is suspended: [first, end), empty for most segments.
struct HaltWindow {
  int first = 0, end = 0;
};

HaltWindow HaltOf(const Security& s, std::uint64_t seed, int security_index, int segment) {
  if (!s.IsShare() || s.steady) return {};
  const std::uint64_t h = Hash(seed, kHaltSalt, static_cast<std::uint64_t>(security_index), static_cast<std::uint64_t>(segment));
  if (Unit(h) >= 0.02) return {};
  const int first = 1 + static_cast<int>((h >> 8) % 50), length = 1 + static_cast<int>((h >> 20) % 8);
  return HaltWindow{first, std::min(first + length, kSegmentDays - 2)};
}

// Each share's year starts on a day of its own, so that dividends spread over the calendar.
int YearPhase(std::uint64_t seed, int security_index) {
  return static_cast<int>(Hash(seed, kDividendSalt, static_cast<std::uint64_t>(security_index)) % kYearDays);
}

}  // namespace

int DividendDay(const Security& s, std::uint64_t seed, int security_index, int block) {
  if (!s.has_events || block < 1) return -1;
  const std::uint64_t h = Hash(seed, kDividendSalt, static_cast<std::uint64_t>(security_index), static_cast<std::uint64_t>(block));
  const int day = block * kYearDays + YearPhase(seed, security_index) + 20 + static_cast<int>(h % 150);
  return day % kSegmentDays == 0 ? -1 : day;
}

double DividendYieldOn(const Security& s, std::uint64_t seed, int security_index, int day_index) {
  const int block = (day_index - YearPhase(seed, security_index)) / kYearDays;
  if (block < 1 || DividendDay(s, seed, security_index, block) != day_index) return 0;
  const std::uint64_t h = Hash(seed, kDividendSalt, static_cast<std::uint64_t>(security_index), static_cast<std::uint64_t>(block));
  return 0.005 + Unit(Hash(h, 8)) * 0.025;
}

int ReferencePrice(int previous_close, double dividend_yield) {
  if (dividend_yield <= 0) return previous_close;
  const int dividend = std::max(1, static_cast<int>(std::lround(previous_close * dividend_yield)));
  return std::max(1, previous_close - dividend);
}

SegmentCloses WalkSegment(const Security& s, std::uint64_t seed, int security_index, int segment) {
  std::array<double, kSegmentDays + 1> walk{};
  const int first_day = segment * kSegmentDays;
  for (int t = 1; t <= kSegmentDays; ++t) walk[static_cast<std::size_t>(t)] = walk[static_cast<std::size_t>(t - 1)] + Shock(s, seed, security_index, first_day + t);
  const double from = Pin(s, seed, security_index, segment), to = Pin(s, seed, security_index, segment + 1);
  const HaltWindow halt = HaltOf(s, seed, security_index, segment);
  // At most one dividend day falls inside a segment (they are 100 days apart at least).
  double yields[kSegmentDays] = {};
  const int block = (first_day - YearPhase(seed, security_index)) / kYearDays;
  for (int b = std::max(block, 1); b <= block + 1; ++b) {
    const int day = DividendDay(s, seed, security_index, b);
    if (day > first_day && day < first_day + kSegmentDays) yields[day - first_day] = DividendYieldOn(s, seed, security_index, day);
  }
  SegmentCloses out;
  for (int j = 0; j < kSegmentDays; ++j) {
    const double t = static_cast<double>(j) / kSegmentDays;
    const double target = from + t * (to - from) + walk[static_cast<std::size_t>(j)] - t * walk.back();
    const int price = static_cast<int>(std::lround(s.base_price * std::exp(target)));
    const auto i = static_cast<std::size_t>(j);
    if (j == 0) {
      out.close[i] = std::max(price, 1);
      continue;
    }
    const int reference = ReferencePrice(out.close[i - 1], yields[j]);
    out.reference[i] = reference;
    out.suspended[i] = j >= halt.first && j < halt.end;
    out.close[i] = out.suspended[i] ? reference : ClampToLimits(price, reference, s.limit_percent);
  }
  return out;
}

int DrawOpen(const Security& s, std::uint64_t seed, int security_index, int day_index, const DayQuote& day) {
  if (day.suspended) return day.prev_close;
  const std::uint64_t h = Hash(seed, kOpenSalt, static_cast<std::uint64_t>(security_index), static_cast<std::uint64_t>(day_index));
  // The open leans a little towards the day's close, as a gap usually does.
  const double lean = 0.3 * (static_cast<double>(day.close) / day.prev_close - 1);
  const double volatility = std::abs(s.beta) * kMarketVolatility * 0.3 + s.own_volatility * 0.3;
  const int open = static_cast<int>(std::lround(day.prev_close * (1 + lean + Gauss(h) * volatility)));
  return ClampToLimits(open, day.prev_close, day.limit_percent);
}

DayQuote SegmentDay(const Security& s, std::uint64_t seed, int security_index, int day_index, int previous_close,
                    const SegmentCloses& closes) {
  const auto j = static_cast<std::size_t>(day_index % kSegmentDays);
  DayQuote day;
  day.limit_percent = s.limit_percent;
  day.suspended = closes.suspended[j];
  day.prev_close = j == 0 ? previous_close : closes.reference[j];
  day.close = closes.close[j];
  day.open = DrawOpen(s, seed, security_index, day_index, day);
  return day;
}

}  // namespace tarvello::server
