#include "futures/futures_rows.h"

#include <gtest/gtest.h>

#include <tuple>

#include "futures/fund_flow_pie.h"
#include "futures/fund_flow_texts.h"
#include "futures/futures_routes.h"

namespace tarvello {
namespace {

FuturesQuote Quote(std::int32_t last, std::int32_t prevSettle, std::int32_t outer, std::int32_t inner) {
  return FuturesQuote{.last = last, .bid = last - 20, .ask = last + 20, .prevSettle = prevSettle, .innerVolume = inner,
                      .outerVolume = outer};
}

TEST(FuturesPanelTest, ChangeAndOuterInnerRows) {
  struct Case {
    const char* name;
    FuturesQuote quote;
    FuturesCell change;
    FuturesCell outer;
    FuturesCell inner;
  };
  const Case cases[] = {
      {"rise", Quote(350000, 340000, 300, 100), {u"涨跌", u"100.00/2.94%", kRiseRed},
       {u"外盘", u"300/75%", kRiseRed}, {u"内盘", u"100/25%", kFallGreen}},
      {"fall, equal sides", Quote(330000, 340000, 50, 50), {u"涨跌", u"-100.00/-2.94%", kFallGreen},
       {u"外盘", u"50/50%", kRiseRed}, {u"内盘", u"50/50%", kFallGreen}},
      {"no previous settlement", Quote(350000, 0, 0, 0), {u"涨跌", u"3500.00/0.00%", kRiseRed},
       {u"外盘", u"0/0.00%", kRiseRed}, {u"内盘", u"0/0.00%", kFallGreen}},
      {"one side zero", Quote(340000, 340000, 0, 80), {u"涨跌", u"0.00/0.00%", kPlainWhite},
       {u"外盘", u"0/0%", kRiseRed}, {u"内盘", u"80/100%", kFallGreen}},
      {"not traded", Quote(0, 340000, 0, 0), {u"涨跌", u"--", kPlainWhite},
       {u"外盘", u"0/0.00%", kRiseRed}, {u"内盘", u"0/0.00%", kFallGreen}},
      {"sides past int32 together", Quote(340000, 340000, 2000000000, 2000000000), {u"涨跌", u"0.00/0.00%", kPlainWhite},
       {u"外盘", u"2000000000/50%", kRiseRed}, {u"内盘", u"2000000000/50%", kFallGreen}},
  };
  for (const Case& c : cases) {
    const auto rows = QuotePanelRows(c.quote);
    EXPECT_EQ(std::tie(rows[2].right, rows[6].right, rows[7].right),
              std::tie(c.change, c.outer, c.inner))
        << c.name;
  }
}

TEST(FuturesTickRowTest, TimesSymbolsAndTradeTypes) {
  struct Case {
    FuturesTick tick;
    const char16_t* time;
    ColorRef priceColour;
    const char16_t* direction;
    ColorRef directionColour;
    const char16_t* type;
  };
  const Case cases[] = {
      {{93005, 350020, 5, 2, 3, 2}, u"09:30:05", kRiseRed, u"↑", kRiseRed, u"换手"},
      {{141007, 349980, 5, -5, 1, 1}, u"14:10:07", kFallGreen, u"↓", kFallGreen, u"双平"},
      {{100000, 350000, 5, 5, 2, 0}, u"10:00:00", kPlainWhite, u"◆", kPlainWhite, u"双开"},
      {{91500, 350000, 1, 0, 10, 2}, u"09:15:00", kPlainWhite, u"↑", kRiseRed, u"未知"},
  };
  for (const Case& c : cases) {
    const TickRowTexts row = TickRow(c.tick, 350000);
    EXPECT_EQ(std::tie(row.time, row.priceColour, row.direction, row.directionColour, row.tickType),
              std::tuple(c.time, c.priceColour, c.direction, c.directionColour, c.type))
        << c.tick.time;
  }
  EXPECT_EQ(TickRow({93005, 350020, 5, -2}, 0).price, u"3500.20");
}

TEST(FuturesRoutesTest, BackGoesToTheCallerAndTheCurrentCellLeadsNowhere) {
  struct Case {
    FuturesCaller caller;
    std::optional<NavigationRequest> back;
  };
  const Case cases[] = {
      {{kTargetKLine, false}, NavigationRequest{kTargetKLine, kTargetFuturesMode3}},
      {{kTargetMainMenu, false}, std::nullopt},
      {{kTargetKLine, true}, NavigationRequest{kTargetQuoteListOwnPage, kTargetStockDetail}},
  };
  for (const Case& c : cases) {
    FuturesCaller caller = c.caller;
    EXPECT_EQ(ReturnFrom(caller), c.back) << c.caller.screen;
    EXPECT_FALSE(caller.returnToCaller);
  }
  EXPECT_TRUE(BottomBarCells(kViewFundFlow)[4].current);
  EXPECT_FALSE(BottomBarCells(kViewFundFlow)[4].target.has_value());
}

SecurityFundFlow Flow(std::int32_t largeIn, std::int32_t mediumIn, std::int32_t smallIn, std::int32_t largeOut,
                      std::int32_t mediumOut, std::int32_t smallOut, std::int32_t other) {
  return SecurityFundFlow{.largeIn = largeIn, .mediumIn = mediumIn, .smallIn = smallIn, .largeOut = largeOut,
                          .mediumOut = mediumOut, .smallOut = smallOut, .otherAmount = other};
}

TEST(FundFlowTextsTest, TotalsNetRatiosAndThePiesSlices) {
  struct Case {
    const char* name;
    SecurityFundFlow flow;
    const char16_t* netLabel;
    FlowCell net;
  };
  const Case cases[] = {
      {"inflow", Flow(500, 300, 200, 100, 100, 100, 0), u"净流入(万元)", {u"700", kRiseRed}},
      {"outflow", Flow(100, 100, 100, 500, 300, 200, 0), u"净流出(万元)", {u"700", kOutflowTeal}},
      {"equal", Flow(300, 300, 300, 300, 300, 300, 0), u"净流入(万元)", {u"0", kPlainWhite}},
      {"past int32", Flow(2000000000, 2000000000, 0, 0, 0, 0, 0), u"净流入(万元)", {u"4000000000", kRiseRed}},
  };
  for (const Case& c : cases) {
    const FlowTotals totals = FundFlowTotals(c.flow);
    EXPECT_EQ(std::tie(totals.netLabel, totals.net), std::tuple(c.netLabel, c.net)) << c.name;
    EXPECT_EQ(std::tuple(totals.in.colour, totals.out.colour), std::tuple(kRiseRed, kOutflowTeal));
  }
  const auto table = FundFlowTable(Flow(500, 100, 0, 200, 100, 7, 0));
  EXPECT_EQ(std::tie(table[0].net, table[1].net, table[2].net),
            std::tuple(FlowCell{u"300", kRiseRed}, FlowCell{u"0", kPlainWhite},
                       FlowCell{u"-7", kOutflowTeal}));

  SecurityFundFlow ratios{.ratioToday = 1234, .ratio3Days = -5, .positionToday = 17};
  auto rows = FundFlowRatios(ratios);
  EXPECT_EQ(std::tie(rows[0].ratio, rows[1].ratio, rows[2].ratio, rows[0].position),
            std::tuple(FlowCell{u"12.34%", kRiseRed}, FlowCell{u"-0.05%", kOutflowTeal},
                       FlowCell{u"0.00%", kPlainWhite}, FlowCell{u"17", kVolumeYellow}));
  ratios.decimals = 3;
  rows = FundFlowRatios(ratios);
  EXPECT_EQ(std::tie(rows[0].ratio.text, rows[2].ratio.text), std::tuple(u"1.234%", u"0.000%"));
  // Slices in drawing order: large, medium and small inflow, other, small, medium and large
  // outflow, from the top counter-clockwise, the last one closing at 451 degrees.
  const std::vector<PieSlice> slices = FundFlowPie(Flow(300, 200, 100, 250, 150, 50, 10), {240, 400}, 100);
  ASSERT_EQ(slices.size(), 7u);
  const int ends[] = {191, 258, 291, 294, 310, 360, 451};  // 90 + 360 x 300 / 1060 = 191, ...
  for (std::size_t i = 0; i < slices.size(); ++i) {
    EXPECT_EQ(slices[i].startDegree, i == 0 ? 90 : ends[i - 1]) << i;
    EXPECT_EQ(slices[i].endDegree, ends[i]) << i;
    ASSERT_EQ(slices[i].points.size(), static_cast<std::size_t>(ends[i] - slices[i].startDegree + 2)) << i;
    EXPECT_EQ(slices[i].points.front(), (Point{240, 400}));
  }
  EXPECT_EQ(slices[0].points[1], (Point{240, 300}));  // the top, 90 degrees
  EXPECT_EQ(slices[2].points.back(), (Point{275, 493}));  // 291 degrees, with 3.14 for pi
  // No pie for nothing or for negative amounts.
  EXPECT_TRUE(FundFlowPie(SecurityFundFlow{}, {0, 0}, 50).empty());
  // A sum of 1 from amounts that cancel would ask for a slice of billions of degrees.
  EXPECT_TRUE(FundFlowPie(Flow(1000000000, 0, 0, 0, 0, 0, -999999999), {0, 0}, 50).empty());
}

}  // namespace
}  // namespace tarvello
