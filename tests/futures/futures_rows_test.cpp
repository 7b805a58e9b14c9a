#include "futures/futures_rows.h"

#include <gtest/gtest.h>

#include "futures/futures_routes.h"

namespace tarvello {
namespace {

FuturesQuote Quote(std::int32_t last, std::int32_t prevSettle, std::int32_t outer, std::int32_t inner) {
  FuturesQuote q;
  q.last = last;
  q.prevSettle = prevSettle;
  q.ask = last + 20;
  q.bid = last - 20;
  q.outerVolume = outer;
  q.innerVolume = inner;
  return q;
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
    EXPECT_EQ(rows[2].right, c.change) << c.name;
    EXPECT_EQ(rows[6].right, c.outer) << c.name;
    EXPECT_EQ(rows[7].right, c.inner) << c.name;
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
      {{150959, 350000, 1, 0, 9, 7}, u"15:09:59", kPlainWhite, u"◆", kPlainWhite, u"空换"},
      {{91500, 350000, 1, 0, 10, 2}, u"09:15:00", kPlainWhite, u"↑", kRiseRed, u"未知"},
  };
  for (const Case& c : cases) {
    const TickRowTexts row = TickRow(c.tick, 350000);
    EXPECT_EQ(row.time, c.time);
    EXPECT_EQ(row.priceColour, c.priceColour) << c.tick.time;
    EXPECT_EQ(row.direction, c.direction) << c.tick.time;
    EXPECT_EQ(row.directionColour, c.directionColour) << c.tick.time;
    EXPECT_EQ(row.tickType, c.type) << c.tick.time;
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
      {{kTargetStockDetail, false}, NavigationRequest{kTargetStockDetail, kTargetFuturesMode3}},
      {{kTargetQuoteList, false}, NavigationRequest{kTargetQuoteList, kTargetFuturesMode3}},
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

}  // namespace
}  // namespace tarvello
