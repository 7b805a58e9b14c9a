#include "detail/intraday_chart_model.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

MinuteRecord Minute(std::int32_t time, std::int32_t price, std::int32_t cumVolume, std::int32_t avgPrice) {
  MinuteRecord record;
  record.time = time;
  record.price = price;
  record.cumVolume = cumVolume;
  record.avgPrice = avgPrice;
  return record;
}

TEST(IntradayChartModelTest, GapsTakeThePreviousMinuteOrThePreviousClose) {
  std::vector<MinuteRecord> records{Minute(931, 0, 100, 0), Minute(932, 10100, 0, 10050),
                                    Minute(933, 0, 400, 0), Minute(934, 10200, 1000, 10080)};
  EXPECT_EQ(FillMinuteGaps(records, 1000), 600);
  EXPECT_EQ(records[0].price, 10000);
  EXPECT_EQ(records[0].avgPrice, 10000);
  EXPECT_EQ(records[2].price, 10100);
  EXPECT_EQ(records[2].avgPrice, 10050);
  EXPECT_EQ(records[0].minuteVolume, 100);
  EXPECT_EQ(records[1].minuteVolume, -100);
  EXPECT_EQ(records[2].minuteVolume, 0);  // the previous cumulative volume was not yet known
  EXPECT_EQ(records[3].minuteVolume, 600);
}

TEST(IntradayChartModelTest, RangeIsSymmetricAroundThePreviousClose) {
  const std::vector<MinuteRecord> records{Minute(931, 10300, 1, 10100), Minute(932, 9900, 2, 10050)};
  const PriceRange range = ComputePriceRange(records, 1000, 1020, 985);
  EXPECT_EQ(range.dev, 30);
  EXPECT_EQ(range.top, 1030);
  EXPECT_EQ(range.bottom, 970);
  const PriceScale scale(range, 1000, 120);
  EXPECT_EQ(scale.Y(1000), 60);
  EXPECT_LT(scale.Y(1030), scale.Y(970));
}

TEST(IntradayChartModelTest, NothingTradedFallsBackToOnePercent) {
  const PriceRange empty = ComputePriceRange({}, 1000, 0, 0);
  EXPECT_EQ(empty.top, 1010);
  EXPECT_EQ(empty.bottom, 990);
  EXPECT_EQ(empty.dev, 10);
  // A low of 0 before the first trade pulls the deviation to the previous close itself.
  const PriceRange untraded = ComputePriceRange({Minute(931, 10000, 0, 10000)}, 1000, 0, 0);
  EXPECT_EQ(untraded.dev, 10);

  const auto labels = ScaleLabels(empty, 1000, 2);
  const char16_t* values[] = {u"10.10", u"10.05", u"10.00", u"9.95", u"9.90"};
  const char16_t* percents[] = {u"1.00%", u"0.50%", u"", u"-0.50%", u"-1.00%"};
  const ColorRef colours[] = {kRiseRed, kRiseRed, kFlatGrey, kFallGreen, kFallGreen};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    EXPECT_EQ(labels[i].value, values[i]) << i;
    EXPECT_EQ(labels[i].percent, percents[i]) << i;
    EXPECT_EQ(labels[i].colour, colours[i]) << i;
  }
  EXPECT_TRUE(ScaleLabels(ComputePriceRange({}, 0, 0, 0), 0, 2)[0].percent.empty());
}

TEST(IntradayChartModelTest, LargeValuesDropTheirDecimalsAndHostileOnesDoNotOverflow) {
  const auto labels = ScaleLabels(ComputePriceRange({}, 200000, 0, 0), 200000, 2);
  EXPECT_EQ(labels[2].value, u"2000");
  std::vector<MinuteRecord> hostile{Minute(931, INT32_MAX, INT32_MIN, 1), Minute(932, 1, INT32_MAX, INT32_MAX)};
  FillMinuteGaps(hostile, INT32_MAX);
  const PriceRange range = ComputePriceRange(hostile, INT32_MIN, INT32_MAX, INT32_MIN);
  EXPECT_GT(range.dev, 0);
}

TEST(IntradayChartModelTest, TimeAxisLabelsInEachCase) {
  const TradingHours defaultDay;
  const TimeAxisLabels share = TimeAxisLabelsFor(defaultDay, SecurityCode(u"SH600001"), false);
  EXPECT_EQ(share.left, u"9:30");
  EXPECT_EQ(share.centre, u"11:30");
  EXPECT_EQ(share.right, u"15:00");
  const TimeAxisLabels future = TimeAxisLabelsFor(defaultDay, SecurityCode(u"IF000001"), true);
  EXPECT_EQ(future.left, u"9:15");
  EXPECT_EQ(future.right, u"15:15");
  const TimeAxisLabels hongKong = TimeAxisLabelsFor(defaultDay, SecurityCode(u"HK00700"), false);
  EXPECT_EQ(hongKong.left, u"9:30");
  EXPECT_EQ(hongKong.centre, u"13:30");
  EXPECT_EQ(hongKong.right, u"16:00");
  const TimeAxisLabels served = TimeAxisLabelsFor({1500, 930}, SecurityCode(u"SH600001"), false);
  EXPECT_EQ(served.left, u"9:30");
  EXPECT_EQ(served.centre, u"");
  EXPECT_EQ(served.right, u"15:00");
  EXPECT_EQ(TimeAxisLabelsFor({1500, -7}, SecurityCode(u"SH600001"), false).left, u"--");
}

TEST(IntradayChartModelTest, CursorMinuteAndBoxPlacement) {
  EXPECT_EQ(CursorMinuteIndex(100, 480, 242, false), 75);  // 241 x 100 / 480 = 50, x 3/2
  EXPECT_EQ(CursorMinuteIndex(100, 480, 242, true), 50);
  EXPECT_EQ(MinuteX(241, 320, 242), 318);
  EXPECT_TRUE(CursorBoxAtLeft(200, 320));
  EXPECT_FALSE(CursorBoxAtLeft(100, 320));
}

TEST(IntradayChartModelTest, CursorBoxRowsForARisingMinute) {
  MinuteRecord minute = Minute(1035, 10250, 0, 10100);
  minute.minuteVolume = 500;
  const CursorContext context{1000, 1020, 1000, 2, 1};
  const auto rows = CursorBoxRows(minute, context);
  EXPECT_EQ(rows[0].value, u"10:35");
  EXPECT_EQ(rows[1].value, u"10.25");
  EXPECT_EQ(rows[1].colour, kRiseRed);
  EXPECT_EQ(rows[2].value, u"0.25");
  EXPECT_EQ(rows[3].value, u"2.50%");
  EXPECT_EQ(rows[4].value, u"10.10");
  EXPECT_EQ(rows[4].colour, kRiseRed);
  EXPECT_EQ(rows[5].value, u"0.500%");

  const auto flat = CursorBoxRows(Minute(931, 10000, 0, 10000), context);
  EXPECT_EQ(flat[2].value, u"0.00");
  EXPECT_EQ(flat[3].value, u"0.00%");
  EXPECT_EQ(flat[4].colour, kPlainWhite);
  const auto index = CursorBoxRows(minute, CursorContext{1000, 1020, 100000, 2, kSecurityTypeIndex});
  EXPECT_EQ(index[5].value, u"--");
}

TEST(IntradayChartModelTest, VolumeBandAtTheCursorOrForTheDay) {
  std::vector<MinuteRecord> records{Minute(931, 10000, 100, 10000), Minute(932, 10000, 300, 10000),
                                    Minute(933, 10000, 700, 10000)};
  FillMinuteGaps(records, 1000);
  const VolumeBandTexts day = VolumeBandFor(records, std::nullopt, 700, 1, 1000);
  EXPECT_EQ(day.current, u"400");
  EXPECT_EQ(day.total, u"700");
  const VolumeBandTexts cursor = VolumeBandFor(records, 1, 700, 1, 1000);
  EXPECT_EQ(cursor.current, u"200");
  EXPECT_EQ(cursor.total, u"300");
}

}  // namespace
}  // namespace tarvello
