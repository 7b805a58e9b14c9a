#include <gtest/gtest.h>

#include <tuple>

#include "market/change_text.h"
#include "market/freshness.h"
#include "market/market_clock.h"
#include "market/price_text.h"
#include "market/quote_field_text.h"
#include "market/quote_records.h"
#include "market/ticker_cells.h"
#include "market/volume_text.h"

namespace tarvello {
namespace {

// Decimals choose the divisor; before the description arrives (0) and for decimals the formats
// cannot show, two. Scale labels drop their decimals above 100000; a zero field shows dashes only
// while there is no last price.
TEST(PriceTextTest, PriceScaleAndFieldTextsAndTheFlatColour) {
  const std::pair<std::u16string, const char16_t*> cases[] = {
      {PriceText(1234, 2), u"12.34"},          {PriceText(1234, 3), u"1.234"},
      {PriceText(-5, 2), u"-0.05"},            {PriceText(1234, 0), u"12.34"},
      {PriceText(INT32_MAX, 2), u"21474836.47"}, {ScaleLabelText(100000, 2), u"1000.00"},
      {ScaleLabelText(100001, 2), u"1000"},    {ScaleLabelText(100001, 3), u"100"},
      {PriceFieldText(0, 0, 2), u"--"},        {PriceFieldText(0, 1234, 2), u"0.00"},
      {PriceFieldText(0, -1, 2), u"0.00"},
  };
  for (const auto& [produced, expected] : cases) EXPECT_EQ(produced, expected);
  // The colour is flat without a change, a trade or a price (rises and falls are
  // DetailPanelRowsTest's).
  EXPECT_EQ(PriceColour(1000, 1000, 1000), kFlatGrey);
  EXPECT_EQ(PriceColour(999, 1000, 0), kFlatGrey);   // no trade yet
  EXPECT_EQ(PriceColour(0, 1000, 1000), kFlatGrey);  // an empty field is not a fall
}

// A rise is red with a written plus sign, a fall green with the number's own sign, no change in
// the screen's flat colour, no last price "--". Without a previous close there is nothing to
// divide by: the percent is 0, but a traded price is still a rise.
TEST(ChangeTextTest, ChangeAndPercentFollowTheChangeRule) {
  const struct {
    std::int32_t last, prevClose;
    std::uint8_t decimals;
    const char16_t* change;
    const char16_t* percent;
    ColorRef colour;
  } cases[] = {
      {1100, 1000, 2, u"+1.00", u"+10.00%", kRiseRed},
      {950, 1000, 2, u"-0.50", u"-5.00%", kFallGreen},
      {1000, 1000, 2, u"0.00", u"0.00%", kFlatGrey},
      {0, 1000, 2, u"--", u"--", kFlatGrey},
      {1234, 0, 2, u"+12.34", u"+0.00%", kRiseRed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.last << " against " << c.prevClose);
    const ChangeTexts texts = ChangeOf(c.last, c.prevClose, c.decimals);
    EXPECT_EQ(std::tie(texts.change, texts.percent, texts.colour),
              std::tuple(c.change, c.percent, c.colour));
  }
  EXPECT_EQ(ChangeOf(1000, 1000, 2, kPlainWhite).colour, kPlainWhite);
  // The difference of two extreme prices does not overflow.
  EXPECT_EQ(ChangeOf(INT32_MAX, INT32_MIN, 2).change, u"+42949672.95");
  EXPECT_EQ(ChangeOf(INT32_MIN, INT32_MAX, 2).change, u"-42949672.95");
}

constexpr std::int32_t kTraded = 1234;

struct VolumeCase {
  std::int32_t volume;
  std::uint8_t securityType;
  const char16_t* text;
};

TEST(VolumeTextTest, BoundariesOfTheIndexAndShareRules) {
  const VolumeCase volumes[] = {
      {100, kSecurityTypeIndex, u"10000"},
      {101, kSecurityTypeIndex, u"1.0万"},
      {1000000, kSecurityTypeIndex, u"10000.0万"},
      {1000001, kSecurityTypeIndex, u"1.00亿"},
      {INT32_MAX, kSecurityTypeIndex, u"2147.48亿"},
      {INT32_MIN, kSecurityTypeIndex, u"-214748364800"},
      {100000, 1, u"100000"},
      {100001, 1, u"10.00万"},
      {100001, kSecurityTypeIndexFuture, u"10.00万"},
  };
  for (const VolumeCase& c : volumes) {
    EXPECT_EQ(VolumeText(c.volume, c.securityType, kTraded), c.text)
        << c.volume << " type " << int{c.securityType};
  }
}

// "--" wherever a figure would divide by zero or is no figure at all; the placeholders before the
// first trade are DetailPanelRowsTest's.
TEST(QuoteFieldTextTest, FieldTextsTheirPlaceholdersAndTheOrderRatiosColour) {
  const struct {
    std::u16string produced;
    const char16_t* expected;
  } cases[] = {
      {VolumeText(0, kSecurityTypeIndex, kTraded), u"0.00"},
      {ShareVolumeText(100001, kTraded), u"10.00万"},  // inner and outer volume: the share rule
      {AmplitudeText(1100, 1000, 2), u"10.00%"},
      {AmplitudeText(0, 0, 3), u"0.00%"},
      {AmplitudeText(1000, 0, 2), u"--"},
      {TurnoverText(250, 100, kTraded), u"2.500%"},
      {TurnoverText(-5, 100, kTraded), u"0.000%"},
      {TurnoverText(250, 0, kTraded), u"--"},
      {TimeOfDayText(930), u"09:30"},
      {TimeOfDayText(2400), u"--"},
      {TimeOfDayText(961), u"--"},
      {TurnoverRateText(1234, kTraded), u"1.234%"},
      {EarningsText(-123, kTraded), u"-0.123"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.produced, c.expected);
  EXPECT_TRUE(ShowsTurnover(1));
  EXPECT_FALSE(ShowsTurnover(kSecurityTypeIndex));
  const auto pair = [](const ColouredText& text) { return std::pair(text.text, text.colour); };
  EXPECT_EQ(pair(OrderRatioOf(2345, 2, kTraded)), std::pair(std::u16string(u"23.45%"), kRiseRed));
  EXPECT_EQ(pair(OrderRatioOf(-2345, 3, kTraded)), std::pair(std::u16string(u"-2.345%"), kFallGreen));
  EXPECT_EQ(OrderRatioOf(0, 2, 0).colour, kFlatGrey);
}

// What the strip shows of the index in turn: its figures coloured against the previous close,
// "--" before any answer brought it, grey while the figures are old.
TEST(TickerCellsTest, FiguresAndColourAgainstThePreviousCloseUnknownAndOld) {
  struct Case {
    bool shanghai;
    std::int32_t last, prevClose;
    bool known, old;
    std::u16string_view value, change, percent;
    ColorRef colour;
  };
  const Case cases[] = {
      {true, 312345, 310000, true, false, u"3123", u"+23.45", u"+0.76%", kRiseRed},
      {false, 1000060, 1010000, true, false, u"10001", u"-99.40", u"-0.98%", kFallGreen},
      {true, 310000, 310000, true, false, u"3100", u"0.00", u"0.00%", kPlainWhite},
      {true, 310000, 0, true, false, u"3100", u"--", u"--", kPlainWhite},  // no previous close
      {true, 0, 0, false, false, u"--", u"--", u"--", kOldFigures},       // no answer yet
      {false, 0, 0, false, true, u"--", u"--", u"--", kOldFigures},       // none while the link is silent
      {true, 312345, 310000, true, true, u"3123", u"+23.45", u"+0.76%", kOldFigures},
  };
  for (const Case& c : cases) {
    TickerState state;
    state.blink = !c.shanghai;
    (c.shanghai ? state.shanghai : state.shenzhen) = IndexValues{c.last, 0, c.prevClose, c.known};
    state.old = c.old;
    const TickerCells cells = TickerCellsFor(state);
    EXPECT_EQ(std::tie(cells.label, cells.value, cells.change, cells.percent, cells.colour),
              std::tuple(c.shanghai ? u"沪" : u"深", c.value, c.change, c.percent, c.colour))
        << c.last;
  }
}

TEST(MarketClockTest, FiguresGrowOldOnlyPastTwoPeriodsInTradingHoursWhichTheClockKnows) {
  const struct {
    long age;
    long period_ms;
    bool trading;
    const char16_t* shown;  // null: fresh
  } cases[] = {
      {10, 5000, true, nullptr},      // exactly two periods is still fresh
      {12, 5000, true, u"12秒前"},
      {180, 15000, true, u"3分钟前"},
      {7300, 60000, true, u"2小时前"},
      {7300, 60000, false, nullptr},  // outside trading hours nothing is stale
      {90, 0, true, nullptr},         // a screen without refresh, such as a search result, never ages
  };
  for (const auto& c : cases) {
    const std::optional<std::u16string> age =
        StaleAge(std::chrono::seconds(c.age), std::chrono::milliseconds(c.period_ms), c.trading);
    EXPECT_EQ(age.value_or(u"fresh"), c.shown ? c.shown : u"fresh") << c.age;
  }
  // Trading hours are the two sessions of a weekday; the clock runs on from the server's time.
  const struct {
    MarketTime at;
    bool trading;
  } moments[] = {
      {{20261204, 92959}, false}, {{20261204, 93000}, true},  {{20261204, 112959}, true},
      {{20261204, 113000}, false}, {{20261204, 130000}, true}, {{20261204, 145959}, true},
      {{20261204, 150000}, false}, {{20261205, 100000}, false},  // a Saturday
      {{20261207, 100000}, true},                                // a Monday
  };
  for (const auto& m : moments) {
    EXPECT_EQ(IsTradingTime(m.at), m.trading) << m.at.date << " " << m.at.hhmmss;
  }
  SetMarketTime({20261204, 145959});
  SetMarketTime({20261304, 250000});  // no such moment: the clock keeps the last good one
  const MarketTime now = MarketTimeNow();
  EXPECT_EQ(now.date, 20261204);
  EXPECT_TRUE(now.hhmmss >= 145959 && now.hhmmss <= 150001) << now.hhmmss;
}

}  // namespace
}  // namespace tarvello
