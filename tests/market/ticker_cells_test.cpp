#include "market/ticker_cells.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(TickerCellsTest, FiguresAndColourAgainstThePreviousClose) {
  struct Case {
    bool shanghai;
    std::int32_t last, prevClose;
    std::u16string_view value, change, percent;
    ColorRef colour;
  };
  const Case cases[] = {
      {true, 312345, 310000, u"3123", u"+23.45", u"+0.76%", kRiseRed},
      {false, 1000060, 1010000, u"10001", u"-99.40", u"-0.98%", kFallGreen},
      {true, 310000, 310000, u"3100", u"0.00", u"0.00%", kPlainWhite},
      {true, 310000, 0, u"3100", u"--", u"--", kPlainWhite},  // no previous close
      {true, 0, 0, u"0", u"0.00", u"0.00%", kPlainWhite},     // nothing yet
  };
  for (const Case& c : cases) {
    const TickerCells cells = TickerCellsOf(c.shanghai, c.last, c.prevClose);
    EXPECT_EQ(cells.value, c.value) << c.last;
    EXPECT_EQ(cells.change, c.change) << c.last;
    EXPECT_EQ(cells.percent, c.percent) << c.last;
    EXPECT_EQ(cells.colour, c.colour) << c.last;
  }
  EXPECT_EQ(TickerCellsOf(false, -100, 0).percent, u"--");  // damaged answer, no division
}

}  // namespace
}  // namespace tarvello
