#include <gtest/gtest.h>

#include "market/change_text.h"
#include "market/price_text.h"

namespace tarvello {
namespace {

// Decimals choose the divisor; before the description arrives (0) and for decimals the formats
// cannot show, two. Scale labels drop their decimals above 100000; a zero field shows dashes only
// while there is no last price.
TEST(PriceTextTest, PriceScaleAndFieldTexts) {
  const std::pair<std::u16string, const char16_t*> cases[] = {
      {PriceText(1234, 2), u"12.34"},          {PriceText(1234, 3), u"1.234"},
      {PriceText(-5, 2), u"-0.05"},            {PriceText(1234, 0), u"12.34"},          {PriceText(1234, 4), u"12.34"},
      {PriceText(INT32_MAX, 2), u"21474836.47"}, {ScaleLabelText(100000, 2), u"1000.00"},
      {ScaleLabelText(100001, 2), u"1000"},    {ScaleLabelText(100001, 3), u"100"},
      {PriceFieldText(0, 0, 2), u"--"},        {PriceFieldText(0, 1234, 2), u"0.00"},
      {PriceFieldText(0, -1, 2), u"0.00"},
  };
  for (const auto& [produced, expected] : cases) EXPECT_EQ(produced, expected);
}

TEST(PriceTextTest, PriceColourComparesWithPreviousClose) {
  EXPECT_EQ(PriceColour(1001, 1000, 1000), kRiseRed);
  EXPECT_EQ(PriceColour(999, 1000, 1000), kFallGreen);
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
      {1234, 1000, 3, u"+0.23", u"+23.40%", kRiseRed},
      {950, 1000, 2, u"-0.50", u"-5.00%", kFallGreen},
      {1000, 1000, 2, u"0.00", u"0.00%", kFlatGrey},
      {0, 1000, 2, u"--", u"--", kFlatGrey},
      {0, 0, 2, u"--", u"--", kFlatGrey},
      {1234, 0, 2, u"+12.34", u"+0.00%", kRiseRed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.last << " against " << c.prevClose);
    const ChangeTexts texts = ChangeOf(c.last, c.prevClose, c.decimals);
    EXPECT_EQ(texts.change, c.change);
    EXPECT_EQ(texts.percent, c.percent);
    EXPECT_EQ(texts.colour, c.colour);
  }
  EXPECT_EQ(ChangeOf(1000, 1000, 2, kPlainWhite).colour, kPlainWhite);
  // The difference of two extreme prices does not overflow.
  EXPECT_EQ(ChangeOf(INT32_MAX, INT32_MIN, 2).change, u"+42949672.95");
  EXPECT_EQ(ChangeOf(INT32_MIN, INT32_MAX, 2).change, u"-42949672.95");
}

}  // namespace
}  // namespace tarvello
