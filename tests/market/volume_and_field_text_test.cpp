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
      {100000, kSecurityTypeIndex, u"1000.0万"},
      {1000000, kSecurityTypeIndex, u"10000.0万"},
      {1000001, kSecurityTypeIndex, u"1.00亿"},
      {INT32_MAX, kSecurityTypeIndex, u"2147.48亿"},
      {-3, kSecurityTypeIndex, u"-300"},
      {INT32_MIN, kSecurityTypeIndex, u"-214748364800"},
      {100, 1, u"100"},
      {101, 1, u"101"},
      {100000, 1, u"100000"},
      {100001, 1, u"10.00万"},
      {1000001, 1, u"100.00万"},
      {100001, kSecurityTypeIndexFuture, u"10.00万"},
      {100001, kSecurityTypeNoTurnover, u"10.00万"},
  };
  for (const VolumeCase& c : cases) {
    EXPECT_EQ(VolumeText(c.volume, c.securityType, kTraded), c.text)
        << c.volume << " type " << int{c.securityType};
  }
}

TEST(VolumeTextTest, ZeroVolumeTakesThePlaceholder) {
  EXPECT_EQ(VolumeText(0, kSecurityTypeIndex, 0), u"--");
  EXPECT_EQ(VolumeText(0, kSecurityTypeIndex, kTraded), u"0.00");
  EXPECT_EQ(VolumeText(0, 1, 0), u"--");
  EXPECT_EQ(ShareVolumeText(0, kTraded), u"0.00");
}

TEST(VolumeTextTest, InnerAndOuterVolumeUseTheShareRuleForAnIndexToo) {
  EXPECT_EQ(ShareVolumeText(101, kTraded), u"101");
  EXPECT_EQ(ShareVolumeText(100001, kTraded), u"10.00万");
}

TEST(QuoteFieldTextTest, Amplitude) {
  EXPECT_EQ(AmplitudeText(1100, 1000, 2), u"10.00%");
  EXPECT_EQ(AmplitudeText(1100, 1000, 3), u"10.000%");
  EXPECT_EQ(AmplitudeText(1000, 1000, 2), u"0.00%");
  EXPECT_EQ(AmplitudeText(0, 0, 3), u"0.00%");
  EXPECT_EQ(AmplitudeText(1000, 0, 2), u"--");  // low missing: nothing to divide by
}

TEST(QuoteFieldTextTest, Turnover) {
  EXPECT_EQ(TurnoverText(250, 100, kTraded), u"2.500%");
  EXPECT_EQ(TurnoverText(1, 3, kTraded), u"0.333%");
  EXPECT_EQ(TurnoverText(0, 100, kTraded), u"0.000%");
  EXPECT_EQ(TurnoverText(0, 100, 0), u"--");
  EXPECT_EQ(TurnoverText(-5, 100, kTraded), u"0.000%");
  EXPECT_EQ(TurnoverText(250, 0, kTraded), u"--");  // no base: nothing to divide by
  EXPECT_TRUE(ShowsTurnover(1));
  EXPECT_FALSE(ShowsTurnover(kSecurityTypeIndex));
  EXPECT_FALSE(ShowsTurnover(kSecurityTypeIndexFuture));
  EXPECT_FALSE(ShowsTurnover(kSecurityTypeNoTurnover));
}

TEST(QuoteFieldTextTest, BreadthCounts) {
  EXPECT_EQ(BreadthText(512), u"512家");
  EXPECT_EQ(BreadthText(0), u"0家");
}

TEST(QuoteFieldTextTest, TimesOfDay) {
  EXPECT_EQ(TimeOfDayText(930), u"09:30");
  EXPECT_EQ(TimeOfDayText(1130), u"11:30");
  EXPECT_EQ(TimeOfDayText(1500), u"15:00");
  EXPECT_EQ(TimeOfDayText(959), u"09:59");
  EXPECT_EQ(TimeOfDayText(1000), u"10:00");
  EXPECT_EQ(TimeOfDayText(0), u"00:00");
  EXPECT_EQ(TimeOfDayText(5), u"00:05");
  EXPECT_EQ(TimeOfDayText(2359), u"23:59");
  EXPECT_EQ(TimeOfDayText(2400), u"--");
  EXPECT_EQ(TimeOfDayText(961), u"--");
  EXPECT_EQ(TimeOfDayText(-930), u"--");
}

TEST(QuoteFieldTextTest, ExtraBlockZeroRateAndQuarterLabels) {
  EXPECT_EQ(TurnoverRateText(1234, kTraded), u"1.234%");
  EXPECT_EQ(TurnoverRateText(0, kTraded), u"0.000%");
  EXPECT_EQ(TurnoverRateText(0, 0), u"--");
  EXPECT_EQ(EarningsLabel(3), u"收益(三)");
  EXPECT_EQ(EarningsLabel(0), u"收益");
  EXPECT_EQ(EarningsLabel(4), u"收益");
}

TEST(QuoteFieldTextTest, OrderRatioSignPicksTheColour) {
  const ColouredText buying = OrderRatioOf(2345, 2, kTraded);
  EXPECT_EQ(buying.text, u"23.45%");
  EXPECT_EQ(buying.colour, kRiseRed);
  const ColouredText selling = OrderRatioOf(-2345, 3, kTraded);
  EXPECT_EQ(selling.text, u"-2.345%");
  EXPECT_EQ(selling.colour, kFallGreen);
  EXPECT_EQ(OrderRatioOf(0, 2, kTraded).text, u"0.00%");
  EXPECT_EQ(OrderRatioOf(0, 2, 0).text, u"--");
  EXPECT_EQ(OrderRatioOf(0, 2, 0).colour, kFlatGrey);
}

}  // namespace
}  // namespace tarvello
