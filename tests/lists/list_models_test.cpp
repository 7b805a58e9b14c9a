// The list screen's rules without a screen: paging, layout, columns, cells and routes; the
// batch panel; the money-flow views' rankings, cells and trade answers.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "lists/batch_name_lookup.h"
#include "lists/batch_panel_model.h"
#include "lists/flow_cells.h"
#include "lists/list_answer.h"
#include "lists/list_cells.h"
#include "lists/list_codes.h"
#include "lists/list_columns.h"
#include "lists/list_commands.h"
#include "lists/list_layout.h"
#include "lists/list_paging.h"
#include "lists/list_routes.h"
#include "lists/own_info_pane.h"
#include "lists/list_wire.h"
#include "lists/ranking_choice.h"
#include "market/display_colours.h"
#include "market/own_stock_list.h"
#include "navigation/list_argument.h"
#include "protocol/packet_codec.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

TEST(ListPagingTest, FortyAndFortyOneRowsAtTenAPageAndKeysStopAtTheEnd) {
  struct Case {
    int total;
    int pages;
    int last;
    const char16_t* lastCounter;
  };
  const Case cases[] = {{40, 4, 3, u"(4/4)"}, {41, 5, 4, u"(5/5)"}, {0, 1, 0, u"(1/1)"}, {10, 1, 0, u"(1/1)"}};
  for (const Case& c : cases) {
    const ListPaging paging(c.total, 10);
    EXPECT_EQ(paging.PageCount(), c.pages) << c.total;
    EXPECT_EQ(paging.LastPage(0), c.last) << c.total;
    EXPECT_EQ(paging.CounterText(c.last), c.lastCounter) << c.total;
    EXPECT_FALSE(paging.CanPageDown(c.last)) << c.total;
  }
  EXPECT_EQ(ListPaging(40, 10).CounterText(0), u"(1/4)");
  // Keys move the selection across pages but not past the end.
  const ListPaging paging(23, 10);
  EXPECT_EQ(paging.KeyDown({0, 5}), (PagePlace{0, 6}));
  EXPECT_EQ(paging.KeyDown({0, 10}), (PagePlace{1, 1}));
  EXPECT_EQ(paging.KeyDown({2, 3}), (PagePlace{2, 3}));  // the list's last row
  EXPECT_EQ(paging.KeyUp({1, 1}), (PagePlace{0, 1}));
  EXPECT_EQ(paging.KeyUp({0, 1}), (PagePlace{0, 1}));
  EXPECT_EQ(paging.RowsOn(2), 3);
}

// "<" and ">" take a character's width at the header's ends, and only while they are drawn.
// Twenty-five titles at ten a page: the keys page on at the ends, a smaller page keeps the
// selection in view, and an article pages by lines and gives the titles back as they were left.
TEST(OwnInfoPaneTest, TitlesAndArticlePageHere) {
  OwnInfoPane pane;
  std::vector<PageEntry> titles;
  for (int i = 0; i < 25; ++i) titles.push_back({u"标题", 0, std::u16string(1, static_cast<char16_t>(u'a' + i))});
  pane.ShowTitles(titles);
  pane.Fit(10, 20, 100, 10);
  for (int i = 0; i < 10; ++i) pane.Step(1);
  EXPECT_EQ(pane.page(), 1);
  EXPECT_EQ(pane.Selected()->identifier, u"k");
  pane.Page(PageMove::kLast);
  EXPECT_EQ(pane.TitlesOnPage().size(), 5u);
  EXPECT_EQ(pane.SelectOnPage(4)->identifier, u"y");
  EXPECT_EQ(pane.SelectOnPage(5), nullptr) << "past the last title";
  pane.Fit(4, 20, 100, 10);
  EXPECT_EQ(pane.page(), 6);
  EXPECT_EQ(pane.Selected()->identifier, u"y");

  pane.AwaitArticle();
  EXPECT_EQ(pane.Selected(), nullptr);
  pane.ShowArticle(std::u16string(95, u'中'));  // ten wide characters a line: 2 indent + 8, then 10 a line
  pane.Fit(4, 3, 100, 10);
  EXPECT_EQ(pane.Paging().PageCount(), 4);
  pane.Step(1);
  pane.Page(PageMove::kLast);
  EXPECT_EQ(pane.LinesOnPage().size(), 1u);
  pane.CloseArticle();
  EXPECT_EQ(pane.Selected()->identifier, u"y");
}

TEST(ListHeaderTest, ArrowsAreLiveOnlyWhereDrawnAndTapsSortByTheColumnsField) {
  const ListLayout layout(480, 640, 20, false);
  const struct {
    int x;
    bool left, right;
    int arrow;
  } cases[] = {{0, true, true, -1},  {9, true, true, -1},   {10, true, true, 0},  {0, false, true, 0},
               {479, true, true, 1}, {470, true, true, 1}, {469, true, true, 0}, {479, true, false, 0}};
  for (const auto& c : cases) EXPECT_EQ(layout.HeaderArrowAt(c.x, 10, c.left, c.right), c.arrow) << c.x;
  for (const auto& [kind, column, field] : {std::tuple{ListKind::kStocks, 1, 4}, std::tuple{ListKind::kStocks, 9, 8},
                                            std::tuple{ListKind::kSectors, 3, 0}}) {
    EXPECT_EQ(SortFieldForHeader(kind, column), field) << column;
    if (kind == ListKind::kStocks) {
      EXPECT_EQ(ArrowColumnFor(kind, field), column);
    }
  }
  EXPECT_FALSE(SortFieldForHeader(ListKind::kStocks, 10).has_value());   // "代码"
  EXPECT_FALSE(SortFieldForHeader(ListKind::kSectors, 9).has_value());
  EXPECT_EQ(ArrowColumnFor(ListKind::kStocks, *SortFieldForCommand(kCmdSortVolume)), 4);
  EXPECT_EQ(LastFirstColumn(ListKind::kSectors), 7);
  EXPECT_EQ(LastFirstColumn(ListKind::kFutures), 6);
  EXPECT_EQ(HeaderText(ListKind::kSectors, 8, 8, kSortAscending), u"3日换%↑");
  EXPECT_EQ(HeaderText(ListKind::kStocks, 1, 8, kSortAscending), u"最新");
}

TEST(ListCellsTest, ZeroPlaceholdersAmountsAndVolumes) {
  QuoteRow row;
  row.change = 0, row.volume = 0;
  EXPECT_EQ(QuoteCell(row, ListKind::kStocks, 3), (CellText{u"--", kPlainWhite}));
  row.volume = 500;
  EXPECT_EQ(QuoteCell(row, ListKind::kStocks, 3), (CellText{u"0.00", kPlainWhite}));
  EXPECT_EQ(QuoteCell(row, ListKind::kStocks, 4), (CellText{u"500", kVolumeYellow}));
  row.change = -15, row.latest = 985, row.decimals = 3;
  EXPECT_EQ(QuoteCell(row, ListKind::kStocks, 1), (CellText{u"0.985", kFallGreen}));
  struct Amount {
    std::int32_t value;
    const char16_t* text;
  };
  const Amount amounts[] = {{150000000, u"1.50亿"}, {99990000, u"9999.0万"}, {2000000000, u"20亿"}};
  for (const Amount& a : amounts) EXPECT_EQ(ListAmountText(a.value, true), a.text);
  EXPECT_EQ(ListAmountText(0, false), u"--");
  EXPECT_EQ(ListVolumeText(100000), u"100000");
  EXPECT_EQ(ListVolumeText(123456), u"12.35万");
}

// The openings and returns no journey walks: the ranking, chart, fund-flow, sector and
// trade-analysis ways are JourneyWalk's, the menu pages' categories MenuToListTest's.
TEST(ListRoutesTest, OpeningsAndReturns) {
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, -1), (ListOpening{kModeIndices, kCategoryIndices}));
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, 1140)->mode, kModeOrderDetails);
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, FundFlowListArgument(1111)),
            (ListOpening{kModeSelfSelected, kCategorySelfSelected, false, u"自选股", true}));
  struct Case {
    ReturnPlace place;
    NavigationRequest step;
  };
  const Case cases[] = {
      {{kModeCsi300, kCategoryCsi300}, {kTargetQuoteList, -11}},
      {{kModeCategory, kCategoryGlobal}, {kTargetMenuPage, 1}},
      {{kModeSelfSelected, -1, 0, true}, {kTargetMenuPage, 21}},
      {{kModeIndices, kCategoryIndices}, {kTargetMainMenu, 0}},
  };
  for (const Case& c : cases) {
    const ListReturn back = ReturnFrom(c.place);
    EXPECT_FALSE(back.toSectorList) << c.place.mode;
    EXPECT_EQ(back.step, c.step) << c.place.mode;
  }
}

using testing::MarketCode;

std::vector<BatchRow> Page(int rows) {
  std::vector<BatchRow> page;
  for (int i = 0; i < rows; ++i) page.push_back({SecurityCode(MarketCode(i)), u"N" + MarketCode(i).substr(4)});
  return page;
}

class BatchPanelTest : public ::testing::Test {
 protected:
  testing::TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  BatchPanelModel model_;
};

TEST_F(BatchPanelTest, AddingFromAPageOffersOnlyCodesNotYetSelfSelectedAndCountsWhatItAdds) {
  for (const int i : {1, 4, 8}) ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(i))));
  model_.Fill(BatchEntry::kAddFromPage, Page(10), self_);
  ASSERT_EQ(model_.items().size(), 7u);
  for (const BatchItem& item : model_.items()) EXPECT_FALSE(self_.Contains(SecurityCode(item.code)));

  model_.Toggle(0);
  model_.Toggle(5);
  model_.Toggle(6);
  model_.Toggle(6);  // checked and unchecked again
  const BatchOutcome outcome = model_.Apply(self_);
  EXPECT_EQ(outcome.count, 2);
  EXPECT_EQ(BatchMessage(outcome), u"已添加2只个股至我的自选.");
  EXPECT_EQ(self_.Codes().size(), 5u);
  EXPECT_TRUE(self_.Contains(SecurityCode(model_.items()[5].code)));
}

TEST_F(BatchPanelTest, DeletingOffersTheWholePageAndReportsTheDeletion) {
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(i))));
  model_.Fill(BatchEntry::kDeleteFromSelfSelected, Page(4), self_);
  ASSERT_EQ(model_.items().size(), 4u);
  EXPECT_EQ(BatchMessage(model_.Apply(self_)), std::nullopt);  // nothing checked, nothing said
  model_.Toggle(0);
  model_.Toggle(3);
  const BatchOutcome outcome = model_.Apply(self_);
  EXPECT_EQ(BatchMessage(outcome), u"已从我的自选删除2只个股.");
  EXPECT_EQ(self_.Codes(), (std::vector<SecurityCode>{SecurityCode(MarketCode(2)), SecurityCode(MarketCode(1))}));
}

TEST_F(BatchPanelTest, TypedCodesAreAddedOnlyWithAKnownNameOnceAndALateNameIsDropped) {
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(1))));
  model_.Fill(BatchEntry::kTypeCodes, {}, self_);
  ASSERT_EQ(model_.items().size(), 1u);
  EXPECT_EQ(model_.items()[0].name, u"股票名称");
  EXPECT_EQ(model_.items()[0].code, u"SH");

  // Each code typed into an item, the server's name for it (none: not asked) and the name shown.
  struct Typed {
    std::size_t item;
    std::u16string code;
    std::optional<std::u16string> serverName;
    std::u16string shown;
  };
  const Typed typed[] = {
      {0, u"SZ", {}, u"股票名称"},                // "SH/SZ" before any digit: still blank
      {0, MarketCode(2), u"Two", u"Two"},         // added; a blank item follows at once
      {1, MarketCode(1), u"One", u"One"},         // already self-selected
      {2, u"SH60000", {}, u"未知代码"},     // too short: unknown without asking
      {2, MarketCode(3), u"", u"未知代码"},       // unknown to the server
      {2, MarketCode(2), u"Two", u"Two"},         // typed a second time
  };
  for (const Typed& t : typed) {
    ASSERT_LT(t.item, model_.items().size());
    EXPECT_EQ(model_.CommitCode(t.item, t.code), t.serverName.has_value());
    if (t.serverName) model_.SetName(t.item, t.code, *t.serverName);
    EXPECT_EQ(model_.items()[t.item].name, t.shown);
  }
  ASSERT_EQ(model_.items().size(), 4u);
  EXPECT_EQ(model_.items()[3].code, u"SH");
  EXPECT_FALSE(model_.NamesPending());
  EXPECT_EQ(model_.Apply(self_).count, 1);
  EXPECT_EQ(self_.Codes(), (std::vector<SecurityCode>{SecurityCode(MarketCode(1)), SecurityCode(MarketCode(2))}));
  // A late name for a code typed over is dropped.
  model_.Fill(BatchEntry::kTypeCodes, {}, self_);
  ASSERT_TRUE(model_.CommitCode(0, MarketCode(5)));
  ASSERT_TRUE(model_.CommitCode(0, MarketCode(6)));
  model_.SetName(0, MarketCode(5), u"Five");
  EXPECT_TRUE(model_.NamesPending());
  model_.SetName(0, MarketCode(6), u"Six");
  EXPECT_EQ(model_.items()[0].name, u"Six");
  ASSERT_EQ(model_.items().size(), 2u);  // one blank item for the next code
  EXPECT_EQ(model_.items()[1].code, u"SH");
}

TEST(BatchMarketPrefix, CyclesShanghaiShenzhenHongKongAndADeletionThatEmptiesThePageGoesBack) {
  const std::pair<std::u16string, std::u16string> prefixes[] = {
      {u"SH600001", u"SZ600001"}, {u"SZ000001", u"HK000001"}, {u"HK000001", u"SH000001"}, {u"SH", u"SZ"},
      {u"BI000475", u"SH"},       {u"sh600001", u"SH"},       {u"S", u"SH"},              {u"", u"SH"},
  };
  for (const auto& [code, next] : prefixes) EXPECT_EQ(NextMarketPrefix(code), next);
  // A deletion that empties the last page falls back a page.
  const BatchOutcome deleted{BatchEntry::kDeleteFromSelfSelected, 3};
  const BatchOutcome added{BatchEntry::kAddFromPage, 3};
  struct Case {
    BatchOutcome outcome;
    int page, total, expected;
  };
  const Case cases[] = {
      {deleted, 2, 20, 1},  // page 3 of 10 rows held 21..23; all three deleted
      {deleted, 2, 21, 2},  // one row is left on it
      {deleted, 0, 0, 0},   // the first page stays
      {deleted, 3, 0, 0},   // nothing left at all
      {added, 2, 20, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(PageAfterBatch(c.outcome, c.page, 10, c.total), c.expected);
}

// The name only of a 2200 block that describes the code asked for, and only when it is whole.
TEST(BatchNameLookup, ReadsTheNameOfTheCodeAskedAndAFailedWriteKeepsTheListWhole) {
  const SecurityCode asked(u"SH600001");
  const auto info = [](std::u16string_view code, std::u16string_view name) {
    return WireWriter().Utf8(code).Utf8(name).U8(1).U8(2).I32(100).I32(1100).I32(900).Take();
  };
  Bytes cut = info(u"SH600001", u"Alpha");
  cut.resize(cut.size() - 3);
  const std::pair<Bytes, std::u16string> cases[] = {
      {testing::Container(kSecurityInfo, info(u"SH600001", u"Alpha")), u"Alpha"},
      {testing::Container(kSecurityInfo, info(u"SH600002", u"Beta")), u""},
      {testing::Container(kSecurityInfo, cut), u""},
      {testing::Container(kQuote, Bytes(40, 0)), u""},
      {Bytes{'{', '}'}, u""},
      {Bytes{}, u""},
  };
  for (const auto& [answer, name] : cases) EXPECT_EQ(NameInAnswer(answer.data(), answer.size(), asked), name);
  // A list file whose name leaves no room for the engine's temporary name: every write fails
  // before it touches the file, as a full disk would.
  testing::TempFolder folder;
  const std::filesystem::path file = folder / std::string(250, 'L');
  OwnStockList list(file);
  const std::string before = std::string("[STOCKNUMBER]\r\nNUMBER=1\r\n[STOCKLIST]\r\nSTOCKCODE0=SH600001\r\n");
  std::string utf16;
  for (const char c : before) utf16 += {c, '\0'};
  testing::WriteBytes(file, utf16);
  ASSERT_EQ(list.Codes().size(), 1u);

  BatchPanelModel model;
  model.Fill(BatchEntry::kAddFromPage, Page(3), list);
  ASSERT_EQ(model.items().size(), 2u);
  model.Toggle(0);
  model.Toggle(1);
  const BatchOutcome outcome = model.Apply(list);
  EXPECT_EQ(outcome.count, 0);
  EXPECT_EQ(BatchMessage(outcome), std::nullopt);
  EXPECT_EQ(testing::ReadBytes(file), utf16);
}

// The money-flow views' rules: the ranking choices, the cells of the rankings, sector fund flow,
// trade analysis and order grids, the reading of the trade-analysis and order-details blocks, and
// the paging of a sector's constituents.
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

// The rankings' cells, and the lines of the sector fund flow and the trade analysis.
TEST(FlowCellsTest, RankingAndBucketCellsFormatsPlaceholdersAndColours) {
  BigOrderRow big{SecurityCode(u"BI000475"), u"Sector", 2, 1234, 7, -56};
  BigOrderRow share{SecurityCode(u"SH600001"), u"Alpha", 3, 0, 0, 12345};
  FundRow fund{SecurityCode(u"SZ000002"), u"Beta", 2, 1050, 12345, -20, 1000};
  FundRow fund3{SecurityCode(u"SH510050"), u"Fund", 3, 2500, -123456, 5, 2600};
  FundRow idle{SecurityCode(u"SZ000003"), u"Idle", 2, 0, 500, 0, 1000};
  const BucketLine sector = SectorFundLine({u"BI000475", u"Sector", -1234, 56789});
  const BucketLine quiet = TradeAnalysisLine({u"", u"小于100手", 0, 0});
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
      {sector.first, {u"-12.34", kFallGreen}},
      {sector.second, {u"5.6789", kRiseRed}},
      {quiet.first, {u"0", kPlainWhite}},
      {quiet.second, {u"0", kPlainWhite}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.cell, c.expected) << std::string(c.expected.text.begin(), c.expected.text.end());
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
  EXPECT_EQ(std::tie(summary.volume, summary.count), std::tuple(u"60手", u"3笔"));

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

TEST(TradeAnswersTest, OrderCountsAreBoundedBucketsAndTheReferenceReadWhole) {
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
    EXPECT_TRUE(c.bidKept == 0 || rows.orders.bid.orders[0] == 100);
  }
  WireWriter analysis;
  for (std::int32_t v : {5, 6, 7, 8, 9, 10}) analysis.I32(v);
  WireWriter quote;
  for (std::int32_t v : {1100, 0, 900, 1200, 1000, 1050, 1040}) quote.I32(v);
  ContainerWriter writer;
  writer.Add(kTradeAnalysis, analysis.Take());
  writer.Add(kQuote, quote.Take());
  writer.Add(kSecurityInfo, WireWriter().Utf8(u"SH500001").Utf8(u"Fund").U8(1).U8(3).I32(0).I32(0).I32(0).Take());
  const Bytes answer = writer.Finish();
  ListRows rows;
  rows.buckets.resize(7);
  ASSERT_TRUE(ReadListAnswer(answer.data(), answer.size(), context, rows).complete);
  ASSERT_EQ(rows.buckets.size(), 3u);  // labelled as JourneyWalk's trade analysis shows them
  EXPECT_EQ(std::tuple(rows.buckets[1].value1, rows.buckets[2].value2), std::tuple(7, 10));
  EXPECT_EQ(std::tuple(rows.orders.reference, rows.orders.referenceDecimals), std::tuple(1040, 3));
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
