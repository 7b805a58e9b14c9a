// KLineBar: one bar of a K-line series, as received from the quote server plus the fields the
// indicators fill in. The enums name the period, price adjustment and indicator codes the server
// and the screen's commands use. Plain data; no thread rules of its own.
#pragma once

#include <cstdint>

namespace tarvello {

// Thirty-nine four-byte fields in a fixed order. The first seven come from the wire; prices are
// integers in the security's price scale (price x 10^decimals). A value-initialised bar has every
// computed field at zero, which is what bars no computation has reached yet show.
struct KLineBar {
  std::int32_t date = 0;  // calendar date (day/week/month) or packed month/day/hour/minute
  std::int32_t open = 0;
  std::int32_t high = 0;
  std::int32_t low = 0;
  std::int32_t close = 0;
  std::int32_t amount = 0;
  std::int32_t volume = 0;
  std::int32_t hhv9 = 0;  // highest high of the last nine bars
  std::int32_t llv9 = 0;  // lowest low of the last nine bars
  float ma5 = 0, ma10 = 0, ma20 = 0, ma30 = 0;
  float volMa5 = 0, volMa10 = 0, volMa20 = 0, volMa30 = 0;
  float k = 0, d = 0, j = 0;
  float rsi6 = 0, rsi12 = 0, rsi24 = 0;
  float bias5 = 0, bias10 = 0;
  float ema12 = 0, ema26 = 0, dif = 0, dea = 0, macd = 0;
  float typicalPrice = 0, tpMa14 = 0, meanDev = 0, cci = 0;
  float bollUp = 0, bollMid = 0, bollDown = 0;
  float wr6 = 0, wr10 = 0;
};
static_assert(sizeof(KLineBar) == 39 * 4, "a bar is thirty-nine four-byte fields");

enum class KLinePeriod : std::uint8_t {
  kOneMinute = 1,
  kFiveMinutes = 2,
  kFifteenMinutes = 3,
  kThirtyMinutes = 4,
  kSixtyMinutes = 5,
  kCode6 = 6,
  kDay = 7,
  kWeek = 8,
  kMonth = 9,
  kCode10 = 10,
  kCode11 = 11,
  kYear = 12,
};

// Periods whose bar dates are packed month, day, hour and minute: 1 to 5 and 6 (120 minutes).
inline constexpr bool IsMinutePeriod(KLinePeriod period) {
  return period >= KLinePeriod::kOneMinute && period <= KLinePeriod::kCode6;
}

enum class PriceAdjustment : std::uint8_t { kNone = 0, kForward = 1, kBackward = 2 };

enum class KLineIndicator : int {
  kMacd = 520,
  kKdj = 521,
  kRsi = 522,
  kBias = 523,
  kCci = 524,
  kVol = 525,
  kBoll = 528,
  kWr = 529,
};

inline constexpr KLinePeriod kDefaultPeriod = KLinePeriod::kDay;
inline constexpr PriceAdjustment kDefaultAdjustment = PriceAdjustment::kNone;
inline constexpr KLineIndicator kDefaultIndicator = KLineIndicator::kVol;

}  // namespace tarvello
