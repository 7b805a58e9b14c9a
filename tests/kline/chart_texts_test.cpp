#include "kline/chart_texts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>
#include <tuple>

#include "kline/chart_colours.h"
#include "kline/chart_layout.h"
#include "kline/kline_commands.h"
#include "support/kline_bars.h"

namespace tarvello {
namespace {

KLineBar CursorBar() {
  KLineBar bar = testing::Bar(1000, 1020, 990, 1010, 25000, 20261204);
  bar.volMa5 = 9000, bar.volMa10 = 12400;
  bar.dif = 1.25f, bar.dea = 0.5f, bar.macd = 1.5f;
  bar.rsi6 = 55.55f, bar.rsi12 = 44.44f, bar.cci = -120.3f;
  bar.bollMid = 1000, bar.bollUp = 1100, bar.bollDown = 900;
  return bar;
}

std::vector<std::u16string> TextsOf(const std::vector<ChartText>& row) {
  std::vector<std::u16string> texts;
  for (const ChartText& text : row) texts.push_back(text.text);
  return texts;
}

TEST(ChartTexts, EachIndicatorNamesTheCursorBarsValuesAndItsAxisAndTheInfoBoxItsRows) {
  struct Case {
    KLineIndicator indicator;
    std::vector<std::u16string> row;
    std::vector<std::u16string> axis;
  };
  IndicatorRanges ranges;
  ranges.macdMax = 2, ranges.macdMin = -1;
  ranges.cciMax = 150, ranges.cciMin = -150;
  ranges.bollMax = 1200, ranges.bollMin = 800;
  const Case cases[] = {
      {KLineIndicator::kVol, {u"VOL:2.50万", u"MA5:9000", u"MA10:1.24万"}, {}},
      {KLineIndicator::kMacd, {u"MACD(12,26,9):", u"DIF:1.2", u"DEA:0.5", u"M:1.5"}, {u"2.0", u"0.5", u"-1.0"}},
      {KLineIndicator::kRsi, {u"RSI(6,12):", u"RSI1:55.5", u"RSI2:44.4"}, {u"100", u"50", u"0"}},
      {KLineIndicator::kCci, {u"CCI:-120.3"}, {u"150.0", u"0.0", u"-150.0"}},
      {KLineIndicator::kBoll, {u"BOLL(20):", u"MB:10.0", u"UP:11.0", u"DN:9.0"}, {u"12.0", u"10.0", u"8.0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.indicator));
    const IndicatorTexts texts = IndicatorTextsFor(c.indicator, CursorBar(), ranges, 2);
    EXPECT_EQ(TextsOf(texts.row), c.row);
    EXPECT_EQ(texts.axis, c.axis);
  }
  KLineBar before = testing::Bar(990, 1000, 980, 1000);
  KLineBar bar = testing::Bar(1000, 1050, 990, 1020, 25000, 20261204);
  bar.amount = 8000;
  QuoteSnapshot quote;
  quote.last = 1020;
  quote.turnoverBase = 0;
  const std::vector<KLineBar> bars{before, bar};
  const auto rows = InfoBoxRows(bars, 1, quote, 2, KLinePeriod::kDay);
  const std::tuple<std::u16string, std::u16string, ColorRef> expected[] = {
      {u"时", u"20261204", kChartWhite}, {u"开", u"10.00", kChartGrey},   {u"高", u"10.50", kChartRed},
      {u"低", u"9.90", kChartGreen},     {u"收", u"10.20", kChartRed},    {u"幅", u"2.00%", kChartRed},
      {u"量", u"2.50万", kChartYellow},   {u"额", u"8000万", kChartYellow}, {u"换", u"0.000%", kChartWhite}};
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::tie(rows[i].label, rows[i].value.text, rows[i].value.colour), expected[i]) << i;
  }
  quote.last = 0;
  EXPECT_EQ(InfoBoxRows(bars, 1, quote, 2, KLinePeriod::kDay)[8].value.text, u"--");
  quote = QuoteSnapshot{};
  EXPECT_EQ(HeaderQuote(quote, 2).text, u"0.00     0.00%       0.00");
  quote.last = 1234;
  quote.prevClose = 1000;
  EXPECT_EQ(HeaderQuote(quote, 2), (ChartText{u"12.34   23.40%   2.34", kChartRed}));
  quote.prevClose = 0;  // no previous close: no percent to divide out
  EXPECT_EQ(HeaderQuote(quote, 3).text, u"1.234   0.00%   1.234");
  const std::int32_t packed = (12 << 16) | (4 << 11) | (9 << 6) | 5;
  EXPECT_EQ(BarDateText(packed, KLinePeriod::kFiveMinutes), u"1204 09:05");
  EXPECT_EQ(BarDateText(20261204, KLinePeriod::kWeek), u"20261204");
  EXPECT_EQ(TitleWithPeriod(u"浦江银行-周线", KLinePeriod::kCode10), u"浦江银行");  // cut at the first "-"
  EXPECT_EQ(TitleWithPeriod(u"X", *PeriodForCommand(32826)), u"X-60分钟线");
  KLineBar averaged;
  averaged.ma5 = 123456;
  averaged.ma10 = 1234;
  const auto labels = AverageLabels(averaged, 2);
  EXPECT_EQ(std::tie(labels[0].text, labels[1].text), std::tuple(u"MA5:1235", u"MA10:12.34"));
  averaged.volMa5 = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(IndicatorTextsFor(KLineIndicator::kVol, averaged, {}, 2).row[1].text, u"MA5:0.00");
  averaged.bollMid = 1000;  // three-decimal bands in true units
  EXPECT_EQ(IndicatorTextsFor(KLineIndicator::kBoll, averaged, {}, 3).row[1].text, u"MB:1.0");
  // The layout's bands never turn upside down on a tiny screen.
  const TextMetrics metrics{16, 2, 8, 16};
  for (int height : {640, 240, 150, 40, 0}) {
    const ChartLayout layout = LayoutChart(240, height, metrics);
    for (const Rect& band : {layout.pricePane, layout.indicatorRow, layout.indicatorPane, layout.dateRow,
                             layout.tickerStrip, layout.bottomBar}) {
      EXPECT_LE(band.top, band.bottom) << height;
    }
    EXPECT_LE(layout.pricePane.bottom, layout.indicatorPane.top);
    EXPECT_LE(layout.dateRow.bottom, layout.tickerStrip.top);
  }
}

}  // namespace
}  // namespace tarvello
