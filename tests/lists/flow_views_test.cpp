// The money-flow views' rules: the ranking choices, the cells of the rankings, sector fund flow,
// trade analysis and order grids, the reading of the trade-analysis and order-details blocks, and
// the paging of a sector's constituents.
#include <gtest/gtest.h>

#include <set>

#include "lists/flow_cells.h"
#include "lists/list_answer.h"
#include "lists/list_commands.h"
#include "lists/list_paging.h"
#include "lists/list_wire.h"
#include "lists/ranking_choice.h"
#include "market/display_colours.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

TEST(RankingChoiceTest, RepeatedChoicesAskForNothingAndTheFundViewKeepsTheDays) {
  struct Case {
    RankingState now;
    unsigned command;
    RankingState next;
    bool fetch;
  };
  const RankingState today = FirstRanking();
  const RankingState three{3, false, kCmdBigOrder3};
  const Case cases[] = {
      {today, kCmdBigOrder3, three, true},
      {three, kCmdBigOrder3, three, false},
      {three, kCmdFundToday, {3, true, kCmdFundToday}, true},
      {{3, true, kCmdFundToday}, kCmdFundToday, {3, true, kCmdFundToday}, false},
      {{3, true, kCmdFundToday}, kCmdBigOrder3, three, true},
      {today, kCmdBigOrderToday, today, false},
      {three, kCmdBigOrder10, {10, false, kCmdBigOrder10}, true},
  };
  for (const Case& c : cases) {
    const std::optional<RankingStep> step = ChooseRanking(c.now, c.command);
    ASSERT_TRUE(step.has_value()) << c.command;
    EXPECT_EQ(step->state, c.next) << c.command;
    EXPECT_EQ(step->fetch, c.fetch) << c.command;
  }
  EXPECT_FALSE(ChooseRanking(today, kCmdHome).has_value());
}

TEST(FlowCellsTest, RankingCellsFormatsPlaceholdersAndColours) {
  BigOrderRow big{SecurityCode(u"BI000475"), u"Sector", 2, 1234, 7, -56};
  BigOrderRow share{SecurityCode(u"SH600001"), u"Alpha", 3, 0, 0, 12345};
  FundRow fund{SecurityCode(u"SZ000002"), u"Beta", 2, 1050, 12345, -20, 1000};
  FundRow fund3{SecurityCode(u"SH510050"), u"Fund", 3, 2500, -123456, 5, 2600};
  FundRow idle{SecurityCode(u"SZ000003"), u"Idle", 2, 0, 500, 0, 1000};
  struct Case {
    CellText cell, expected;
  };
  const Case cases[] = {
      {BigOrderCell(big, 1), {u"12.34", kRiseRed}},
      {BigOrderCell(big, 2), {u"7", kHeaderCyan}},
      {BigOrderCell(big, 3), {u"-0.56", kFallGreen}},
      {BigOrderCell(share, 1), {u"--", kPlainWhite}},
      {BigOrderCell(share, 2), {u"--", kPlainWhite}},
      {BigOrderCell(share, 3), {u"12.345", kRiseRed}},
      {FundCell(fund, 1), {u"10.50", kRiseRed}},
      {FundCell(fund, 2), {u"123", kRiseRed}},
      {FundCell(fund, 3), {u"-0.20", kFallGreen}},
      {FundCell(fund3, 1), {u"2.500", kFallGreen}},
      {FundCell(fund3, 2), {u"-123", kFallGreen}},
      {FundCell(idle, 1), {u"--", kPlainWhite}},
      {FundCell(idle, 2), {u"--", kPlainWhite}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.cell, c.expected) << std::string(c.expected.text.begin(), c.expected.text.end());
}

TEST(FlowCellsTest, SectorFundAndTradeAnalysisLines) {
  const BucketLine sector = SectorFundLine({u"BI000475", u"Sector", -1234, 56789});
  EXPECT_EQ(sector.first, (CellText{u"-12.34", kFallGreen}));
  EXPECT_EQ(sector.second, (CellText{u"5.6789", kRiseRed}));
  const BucketLine idle = TradeAnalysisLine({u"", u"小于100手", 0, 0});
  EXPECT_EQ(idle.first, (CellText{u"0", kPlainWhite}));
  EXPECT_EQ(idle.second, (CellText{u"0", kPlainWhite}));
}

TEST(FlowCellsTest, OrderGridFillsItsCountAndMarksAFullGrid) {
  OrderSide three{1010, 60, 3, {10, 20, 30}};
  const auto small = OrderGrid(three, 1000, 2);
  EXPECT_EQ(small[0], (CellText{u"10", kRiseRed}));
  EXPECT_EQ(small[2], (CellText{u"30", kRiseRed}));
  for (std::size_t k = 3; k < small.size(); ++k) EXPECT_TRUE(small[k].text.empty()) << k;

  OrderSide forty{990, 0, 40, {}};
  for (int i = 1; i <= 40; ++i) forty.orders.push_back(i);
  const auto full = OrderGrid(forty, 1000, 2);
  EXPECT_EQ(full[23], (CellText{u"24", kFallGreen}));
  EXPECT_EQ(full[24], (CellText{u"...", kFlatGrey}));

  const OrderSummary summary = SideSummary(three, 1010, 2);
  EXPECT_EQ(summary.price, (CellText{u"10.10", kPlainWhite}));
  EXPECT_EQ(summary.volume, u"60手");
  EXPECT_EQ(summary.count, u"3笔");

  // A 3-decimal security's previous close against a price in hundredths, in one scale.
  const struct {
    std::int32_t price, reference;
    ColorRef colour;
  } scaled[] = {{342, 3395, kRiseRed}, {339, 3395, kFallGreen}, {340, 3400, kPlainWhite}};
  for (const auto& c : scaled) {
    EXPECT_EQ(SideSummary(OrderSide{c.price, 1, 1, {1}}, c.reference, 3).price.colour, c.colour) << c.price;
    EXPECT_EQ(OrderGrid(OrderSide{c.price, 1, 1, {1}}, c.reference, 3)[0].colour, c.colour) << c.price;
  }
}

Bytes OrderBlock(std::int32_t askCount, int askWritten, std::int32_t bidCount) {
  WireWriter w;
  w.I32(1010).I32(500).I32(askCount);
  for (int i = 0; i < askWritten; ++i) w.I32(i + 1);
  w.I32(1000).I32(300).I32(bidCount);
  for (int i = 0; i < bidCount; ++i) w.I32(100 + i);
  return w.Take();
}

TEST(TradeAnswersTest, OrderCountsAreBoundedAndACountPastTheEndFails) {
  ListAnswerContext context;
  context.orderReference = true;
  struct Case {
    Bytes block;
    bool complete;
    std::size_t askKept;
    std::size_t bidKept;
  };
  const Case cases[] = {
      {OrderBlock(3, 3, 2), true, 3, 2},
      {OrderBlock(60, 60, 1), true, kKeptOrders, 1},  // ten read and dropped, the bid side still found
      {OrderBlock(60, 10, 0), false, 0, 0},           // the count runs past the end
      {OrderBlock(-1, 0, 0), false, 0, 0},
      {OrderBlock(0x7FFFFFFF, 0, 0), false, 0, 0},
  };
  for (const Case& c : cases) {
    ListRows rows;
    rows.orders.ask.count = 99;  // what was shown before
    const Bytes answer = testing::Container(kOrderDetails, c.block);
    const bool complete = ReadListAnswer(answer.data(), answer.size(), context, rows).complete;
    EXPECT_EQ(complete, c.complete) << c.askKept;
    if (!c.complete) {
      EXPECT_EQ(rows.orders.ask.count, 99);
      continue;
    }
    EXPECT_EQ(rows.orders.ask.orders.size(), c.askKept);
    EXPECT_EQ(rows.orders.bid.orders.size(), c.bidKept);
    EXPECT_EQ(rows.orders.bid.price, 1000);
    if (c.bidKept > 0) {
      EXPECT_EQ(rows.orders.bid.orders[0], 100);
    }
  }
}

TEST(TradeAnswersTest, BucketsAndReferenceQuote) {
  WireWriter analysis;
  for (std::int32_t v : {5, 6, 7, 8, 9, 10}) analysis.I32(v);
  WireWriter quote;
  for (std::int32_t v : {1100, 0, 900, 1200, 1000, 1050, 1040}) quote.I32(v);
  ContainerWriter writer;
  writer.Add(kTradeAnalysis, analysis.Take());
  writer.Add(kQuote, quote.Take());
  writer.Add(kSecurityInfo, WireWriter().Utf8(u"SH500001").Utf8(u"Fund").U8(1).U8(3).I32(0).I32(0).I32(0).Take());
  const Bytes answer = writer.Finish();
  ListAnswerContext context;
  context.orderReference = true;
  ListRows rows;
  rows.buckets.resize(7);
  ASSERT_TRUE(ReadListAnswer(answer.data(), answer.size(), context, rows).complete);
  ASSERT_EQ(rows.buckets.size(), 3u);
  EXPECT_EQ(rows.buckets[0].second, u"大于1000手");
  EXPECT_EQ(rows.buckets[2].second, u"小于100手");
  EXPECT_EQ(rows.buckets[1].value1, 7);
  EXPECT_EQ(rows.buckets[2].value2, 10);
  EXPECT_EQ(rows.orders.reference, 1040);
  EXPECT_EQ(rows.orders.referenceDecimals, 3);
  EXPECT_TRUE(rows.quotes.empty());

  WireWriter cut;
  cut.I32(1).I32(2);
  const Bytes broken = testing::Container(kTradeAnalysis, cut.Take());
  EXPECT_FALSE(ReadListAnswer(broken.data(), broken.size(), context, rows).complete);
  EXPECT_EQ(rows.buckets.size(), 3u);  // the analysis shown before stays
}

// Walking every page of a sector's constituents shows each constituent once, with the sector's
// own row first on every page, and the paging ends on the page with the last constituent.
TEST(ConstituentPagingTest, EveryConstituentOnceAcrossThePages) {
  for (const int rowsPerPage : {2, 5, 10}) {
    for (const int members : {0, 1, 4, 8, 9, 10, 17, 40}) {
      const ListPaging paging = ConstituentPaging(members + 1, rowsPerPage);
      std::multiset<int> seen;
      for (int page = 0; page < paging.PageCount(); ++page) {
        const int start = ConstituentStart(page, rowsPerPage);
        const int shown = std::max(0, std::min(members - start, ConstituentsPerPage(rowsPerPage)));
        EXPECT_EQ(paging.RowsOn(page), shown + 1) << rowsPerPage << "/" << members << " page " << page;
        for (int i = 0; i < shown; ++i) seen.insert(start + i);
        EXPECT_EQ(paging.CanPageDown(page), page + 1 < paging.PageCount());
      }
      EXPECT_EQ(static_cast<int>(seen.size()), members) << rowsPerPage << "/" << members;
      EXPECT_EQ(static_cast<int>(std::set<int>(seen.begin(), seen.end()).size()), members);
      EXPECT_EQ(paging.LastPage(0), paging.PageCount() - 1);
    }
  }
}

}  // namespace
}  // namespace tarvello
