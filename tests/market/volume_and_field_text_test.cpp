#include <gtest/gtest.h>

#include "market/quote_field_text.h"
#include "market/quote_records.h"
#include "market/volume_text.h"

namespace tarvello {
namespace {

constexpr std::int32_t kTraded = 1234;

struct VolumeCase {
  std::int32_t volume;
  std::uint8_t securityType;
  const char16_t* text;
};

TEST(VolumeTextTest, BoundariesOfTheIndexAndShareRules) {
  const VolumeCase cases[] = {
      {1, kSecurityTypeIndex, u"100"},
      {100, kSecurityTypeIndex, u"10000"},
      {101, kSecurityTypeIndex, u"1.0万"},
      {1000000, kSecurityTypeIndex, u"10000.0万"},
      {1000001, kSecurityTypeIndex, u"1.00亿"},
      {INT32_MAX, kSecurityTypeIndex, u"2147.48亿"},
      {INT32_MIN, kSecurityTypeIndex, u"-214748364800"},
      {100, 1, u"100"},
      {101, 1, u"101"},
      {100000, 1, u"100000"},
      {100001, 1, u"10.00万"},
      {100001, kSecurityTypeIndexFuture, u"10.00万"},
  };
  for (const VolumeCase& c : cases) {
    EXPECT_EQ(VolumeText(c.volume, c.securityType, kTraded), c.text)
        << c.volume << " type " << int{c.securityType};
  }
}

// Placeholders before the first trade, and "--" wherever a figure would divide by zero or is no
// figure at all.
TEST(QuoteFieldTextTest, FieldTextsAndTheirPlaceholders) {
  const struct {
    std::u16string produced;
    const char16_t* expected;
  } cases[] = {
      {VolumeText(0, kSecurityTypeIndex, 0), u"--"},
      {VolumeText(0, kSecurityTypeIndex, kTraded), u"0.00"},
      {ShareVolumeText(101, kTraded), u"101"},  // inner and outer volume: the share rule
      {ShareVolumeText(100001, kTraded), u"10.00万"},
      {AmplitudeText(1100, 1000, 2), u"10.00%"},
      {AmplitudeText(0, 0, 3), u"0.00%"},
      {AmplitudeText(1000, 0, 2), u"--"},
      {TurnoverText(250, 100, kTraded), u"2.500%"},
      {TurnoverText(0, 100, 0), u"--"},
      {TurnoverText(-5, 100, kTraded), u"0.000%"},
      {TurnoverText(250, 0, kTraded), u"--"},
      {TimeOfDayText(930), u"09:30"},
      {TimeOfDayText(2400), u"--"},
      {TimeOfDayText(961), u"--"},
      {TurnoverRateText(1234, kTraded), u"1.234%"},
      {TurnoverRateText(0, 0), u"--"},
      {VolumeRatioText(12345, 0), u"1.23%"},
      {VolumeRatioText(0, 0), u"--"},
      {PeRatioText(15500, kTraded), u"15.5"},
      {PeRatioText(0, 0), u"--"},
      {EarningsText(-123, kTraded), u"-0.123"},
      {EarningsText(0, 0), u"--"},
      {EarningsLabel(3), u"收益(三)"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.produced, c.expected);
  EXPECT_TRUE(ShowsTurnover(1));
  EXPECT_FALSE(ShowsTurnover(kSecurityTypeIndex));
}

TEST(QuoteFieldTextTest, OrderRatioSignPicksTheColour) {
  const ColouredText buying = OrderRatioOf(2345, 2, kTraded);
  EXPECT_EQ(buying.text, u"23.45%");
  EXPECT_EQ(buying.colour, kRiseRed);
  const ColouredText selling = OrderRatioOf(-2345, 3, kTraded);
  EXPECT_EQ(selling.text, u"-2.345%");
  EXPECT_EQ(selling.colour, kFallGreen);
  EXPECT_EQ(OrderRatioOf(0, 2, 0).text, u"--");
  EXPECT_EQ(OrderRatioOf(0, 2, 0).colour, kFlatGrey);
}

}  // namespace
}  // namespace tarvello
