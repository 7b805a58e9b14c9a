#include "market/ticker_cells.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(TickerCellsTest, LabelNamesTheMarketInYellow) {
  EXPECT_EQ(TickerCellsOf(true, 0, 0).label, u"沪");
  EXPECT_EQ(TickerCellsOf(false, 0, 0).label, u"深");
  EXPECT_EQ(TickerCellsOf(false, 0, 0).labelColour, kVolumeYellow);
}

TEST(TickerCellsTest, RiseAndFallAgainstThePreviousClose) {
  const TickerCells rise = TickerCellsOf(true, 312345, 310000);
  EXPECT_EQ(rise.value, u"3123");
  EXPECT_EQ(rise.change, u"+23.45");
  EXPECT_EQ(rise.percent, u"+0.76%");
  EXPECT_EQ(rise.colour, kRiseRed);

  const TickerCells fall = TickerCellsOf(false, 1000060, 1010000);
  EXPECT_EQ(fall.value, u"10001");
  EXPECT_EQ(fall.change, u"-99.40");
  EXPECT_EQ(fall.percent, u"-0.98%");
  EXPECT_EQ(fall.colour, kFallGreen);
}

TEST(TickerCellsTest, UnchangedIsWhite) {
  const TickerCells flat = TickerCellsOf(true, 310000, 310000);
  EXPECT_EQ(flat.value, u"3100");
  EXPECT_EQ(flat.change, u"0.00");
  EXPECT_EQ(flat.percent, u"0.00%");
  EXPECT_EQ(flat.colour, kPlainWhite);
}

TEST(TickerCellsTest, WithoutPreviousClose) {
  const TickerCells noClose = TickerCellsOf(true, 310000, 0);
  EXPECT_EQ(noClose.value, u"3100");
  EXPECT_EQ(noClose.change, u"--");
  EXPECT_EQ(noClose.percent, u"--");
  EXPECT_EQ(noClose.colour, kPlainWhite);

  const TickerCells nothing = TickerCellsOf(true, 0, 0);
  EXPECT_EQ(nothing.value, u"0");
  EXPECT_EQ(nothing.change, u"0.00");
  EXPECT_EQ(nothing.percent, u"0.00%");
  EXPECT_EQ(nothing.colour, kPlainWhite);

  const TickerCells negative = TickerCellsOf(false, -100, 0);  // damaged answer, no division
  EXPECT_EQ(negative.percent, u"--");
}

}  // namespace
}  // namespace tarvello
