#include "detail/detail_panel_rows.h"

#include <gtest/gtest.h>

#include "text/text_codec.h"

namespace tarvello {
namespace {

DetailRecords Share() {
  DetailRecords records;
  records.security.securityType = 1;
  records.security.limitUp = 1100;
  records.security.limitDown = 900;
  records.quote.last = 1020;
  records.quote.open = 990;
  records.quote.high = 1030;
  records.quote.low = 980;
  records.quote.prevClose = 1000;
  records.quote.volumeRatio = 12345;
  records.extra.innerVolume = 300;
  records.extra.outerVolume = 400;
  records.extra.peRatio = 15500;
  records.extra.earnings = 123;
  records.extra.earningsQuarter = 2;
  MinuteRecord minute;
  minute.avgPrice = 10106;
  records.minutes.records.push_back(minute);
  return records;
}

std::vector<std::u16string> Labels(const std::vector<PanelRow>& rows) {
  std::vector<std::u16string> labels;
  for (const PanelRow& row : rows) labels.push_back(row.separator ? u"-" : row.label);
  return labels;
}

TEST(DetailPanelRowsTest, ShareFigures) {
  const auto rows = ShareFigureRows(Share());
  EXPECT_EQ(Labels(rows), (std::vector<std::u16string>{u"今开", u"最高", u"最低", u"昨收", u"均价", u"涨停", u"跌停",
                                                       u"-", u"量比", u"振幅", u"内盘", u"外盘", u"市盈(动)",
                                                       u"收益(二)"}));
  EXPECT_EQ(rows[0].colour, kFallGreen);
  EXPECT_EQ(rows[1].colour, kRiseRed);
  EXPECT_EQ(rows[3].colour, kPlainWhite);
  EXPECT_EQ(rows[4].value, u"10.11");
  EXPECT_EQ(rows[4].colour, kRiseRed);
  EXPECT_EQ(rows[12].value, u"15.5");
  EXPECT_EQ(rows[13].value, u"0.123");
}

// Before the first trade every zero figure is "--"; once traded a zero is a number.
TEST(DetailPanelRowsTest, ZeroFiguresShowPlaceholdersOnlyBeforeTheFirstTrade) {
  DetailRecords records;
  records.quote.prevClose = 1000;
  for (const PanelRow& row : ShareFigureRows(records)) {
    if (row.separator || row.label == u"昨收" || row.label == u"振幅") continue;
    EXPECT_EQ(row.value, u"--") << text::ToUtf8(row.label);
  }
  records.quote.last = 1000;
  const auto traded = ShareFigureRows(records);
  EXPECT_EQ(traded[8].value, u"0.00%");  // 量比
  EXPECT_EQ(traded[12].value, u"0.0");   // 市盈(动)
  EXPECT_EQ(traded[13].value, u"0.000");  // 收益
}

TEST(DetailPanelRowsTest, BookCaptionsCountDownThenUp) {
  EXPECT_EQ(BookLevelCaptions(10), (std::vector<int>{5, 4, 3, 2, 1, 1, 2, 3, 4, 5}));
  EXPECT_EQ(BookLevelCaptions(20), (std::vector<int>{10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  EXPECT_EQ(BookLevelCaptions(2), (std::vector<int>{1, 1}));
  EXPECT_TRUE(BookLevelCaptions(0).empty());
}

TEST(DetailPanelRowsTest, BookRowsShowPlaceholdersForEmptyLevels) {
  const DetailRecords records = Share();
  const auto rows = BookRows({{1010, 50}, {0, 0}, {0, 7}, {990, 0}}, records);
  EXPECT_EQ(rows[0].price, u"10.10");
  EXPECT_EQ(rows[0].priceColour, kRiseRed);
  EXPECT_EQ(rows[1].price, u"--");
  EXPECT_EQ(rows[1].volume, u"--");
  EXPECT_EQ(rows[2].volume, u"7");
  EXPECT_EQ(rows[3].volume, u"0");
  EXPECT_EQ(rows[3].priceColour, kFallGreen);
}

// A price and its volume never run into one number ("90.62457"): the volume keeps a gap, and
// when the widest price leaves it too little room, the room says how far its text must shrink.
TEST(DetailPanelRowsTest, BookColumnsKeepAGapBetweenPriceAndVolume) {
  const struct {
    int widestPrice, widestVolume;
    BookColumns expected;
  } cases[] = {
      {30, 20, {60, 36}},  // short figures: prices end three fifths of the way
      {30, 50, {46, 50}},  // a long volume moves the prices left
      {60, 50, {60, 36}},  // both long: the volume must shrink into 36 pixels
      {120, 10, {120, 0}},  // a price wider than the row leaves nothing
  };
  for (const auto& c : cases) {
    const BookColumns columns = FitBookColumns(0, 100, c.widestPrice, c.widestVolume, 4);
    EXPECT_EQ(columns.priceRight, c.expected.priceRight) << c.widestPrice << " " << c.widestVolume;
    EXPECT_EQ(columns.volumeRoom, c.expected.volumeRoom) << c.widestPrice << " " << c.widestVolume;
  }
}

TEST(DetailPanelRowsTest, TicksColouredAgainstTheirReference) {
  TickList ticks{1000, 0, {{1455, 1001, 5}, {1456, 999, 7}, {1457, 1000, 1}}};
  const auto rows = TickRows(ticks, 2);
  EXPECT_EQ(rows[0].time, u"14:55");
  EXPECT_EQ(rows[0].colour, kRiseRed);
  EXPECT_EQ(rows[1].colour, kFallGreen);
  EXPECT_EQ(rows[2].colour, kFlatGrey);
  EXPECT_EQ(rows[1].volume, u"7");
}

}  // namespace
}  // namespace tarvello
