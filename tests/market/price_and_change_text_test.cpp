#include <gtest/gtest.h>

#include "market/change_text.h"
#include "market/price_text.h"

namespace tarvello {
namespace {

TEST(PriceTextTest, DecimalsChooseDivisorAndFormat) {
  EXPECT_EQ(PriceText(1234, 2), u"12.34");
  EXPECT_EQ(PriceText(1234, 3), u"1.234");
  EXPECT_EQ(PriceText(-5, 2), u"-0.05");
  EXPECT_EQ(PriceText(0, 3), u"0.000");
  // Before the description arrives (0) and for values the formats cannot show, two decimals.
  EXPECT_EQ(PriceText(1234, 0), u"12.34");
  EXPECT_EQ(PriceText(1234, 4), u"12.34");
  EXPECT_EQ(PriceText(INT32_MAX, 2), u"21474836.47");
}

TEST(PriceTextTest, ScaleLabelsDropDecimalsAbove100000) {
  EXPECT_EQ(ScaleLabelText(100000, 2), u"1000.00");
  EXPECT_EQ(ScaleLabelText(100001, 2), u"1000");
  EXPECT_EQ(ScaleLabelText(100001, 3), u"100");
}

TEST(PriceTextTest, ZeroFieldShowsDashesOnlyWithoutALastPrice) {
  EXPECT_EQ(PriceFieldText(0, 0, 2), u"--");
  EXPECT_EQ(PriceFieldText(0, 1234, 2), u"0.00");
  EXPECT_EQ(PriceFieldText(0, 1234, 3), u"0.00");
  EXPECT_EQ(PriceFieldText(1200, 0, 2), u"12.00");
  EXPECT_EQ(PriceFieldText(0, -1, 2), u"0.00");
}

TEST(PriceTextTest, PriceColourComparesWithPreviousClose) {
  EXPECT_EQ(PriceColour(1001, 1000, 1000), kRiseRed);
  EXPECT_EQ(PriceColour(999, 1000, 1000), kFallGreen);
  EXPECT_EQ(PriceColour(1000, 1000, 1000), kFlatGrey);
  EXPECT_EQ(PriceColour(999, 1000, 0), kFlatGrey);   // no trade yet
  EXPECT_EQ(PriceColour(0, 1000, 1000), kFlatGrey);  // an empty field is not a fall
}

TEST(ChangeTextTest, RiseIsRedWithWrittenPlusSign) {
  const ChangeTexts rise = ChangeOf(1100, 1000, 2);
  EXPECT_EQ(rise.change, u"+1.00");
  EXPECT_EQ(rise.percent, u"+10.00%");
  EXPECT_EQ(rise.colour, kRiseRed);
  const ChangeTexts threeDecimals = ChangeOf(1234, 1000, 3);
  EXPECT_EQ(threeDecimals.change, u"+0.23");
  EXPECT_EQ(threeDecimals.percent, u"+23.40%");
}

TEST(ChangeTextTest, FallIsGreenWithTheNumbersOwnSign) {
  const ChangeTexts fall = ChangeOf(950, 1000, 2);
  EXPECT_EQ(fall.change, u"-0.50");
  EXPECT_EQ(fall.percent, u"-5.00%");
  EXPECT_EQ(fall.colour, kFallGreen);
}

TEST(ChangeTextTest, NoChangeTakesTheFlatColourOfTheScreen) {
  const ChangeTexts flat = ChangeOf(1000, 1000, 2);
  EXPECT_EQ(flat.change, u"0.00");
  EXPECT_EQ(flat.percent, u"0.00%");
  EXPECT_EQ(flat.colour, kFlatGrey);
  EXPECT_EQ(ChangeOf(1000, 1000, 2, kPlainWhite).colour, kPlainWhite);
}

TEST(ChangeTextTest, NoLastPriceShowsDashesInGrey) {
  const ChangeTexts untraded = ChangeOf(0, 1000, 2);
  EXPECT_EQ(untraded.change, u"--");
  EXPECT_EQ(untraded.percent, u"--");
  EXPECT_EQ(untraded.colour, kFlatGrey);
  EXPECT_EQ(ChangeOf(0, 0, 2).percent, u"--");
}

TEST(ChangeTextTest, NoPreviousCloseShowsDashesRatherThanAWholePriceRise) {
  const ChangeTexts firstDay = ChangeOf(1234, 0, 2);
  EXPECT_EQ(firstDay.change, u"--");
  EXPECT_EQ(firstDay.percent, u"--");
  EXPECT_EQ(firstDay.colour, kFlatGrey);
}

TEST(ChangeTextTest, ExtremeValuesDoNotOverflow) {
  const ChangeTexts wide = ChangeOf(INT32_MAX, INT32_MIN, 2);
  EXPECT_EQ(wide.change, u"+42949672.95");
  EXPECT_EQ(wide.colour, kRiseRed);
  EXPECT_EQ(ChangeOf(INT32_MIN, INT32_MAX, 2).change, u"-42949672.95");
}

}  // namespace
}  // namespace tarvello
