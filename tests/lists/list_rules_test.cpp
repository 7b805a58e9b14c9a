#include <gtest/gtest.h>

#include <tuple>

#include "lists/list_cells.h"
#include "lists/list_codes.h"
#include "lists/list_columns.h"
#include "lists/list_commands.h"
#include "lists/list_layout.h"
#include "lists/list_menu.h"
#include "lists/list_paging.h"
#include "lists/list_routes.h"
#include "navigation/list_argument.h"

namespace tarvello {
namespace {

TEST(ListPagingTest, FortyAndFortyOneRowsAtTenAPage) {
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
}

TEST(ListPagingTest, KeysMoveTheSelectionAcrossPagesButNotPastTheEnd) {
  const ListPaging paging(23, 10);
  EXPECT_EQ(paging.KeyDown({0, 5}), (PagePlace{0, 6}));
  EXPECT_EQ(paging.KeyDown({0, 10}), (PagePlace{1, 1}));
  EXPECT_EQ(paging.KeyDown({2, 3}), (PagePlace{2, 3}));  // the list's last row
  EXPECT_EQ(paging.KeyUp({1, 1}), (PagePlace{0, 1}));
  EXPECT_EQ(paging.KeyUp({0, 1}), (PagePlace{0, 1}));
  EXPECT_EQ(paging.RowsOn(2), 3);
  EXPECT_EQ(WrapRow(1, 4, -1), 4);
  EXPECT_EQ(WrapRow(4, 4, 1), 1);
}

TEST(ListPagingTest, RowsPerPageFollowsTheScreen) {
  EXPECT_EQ(RowsPerPage(640, 16, false), 23);  // (640 - 64) / 24 - 1
  EXPECT_EQ(RowsPerPage(640, 16, true), 22);   // (640 - 88) / 24 - 1
  EXPECT_EQ(RowsPerPage(40, 16, false), 1);    // a tiny window still holds one row
}

// "<" and ">" take a character's width at the header's ends, and only while they are drawn.
TEST(ListLayoutTest, HeaderArrowsAreLiveOnlyWhereDrawn) {
  const ListLayout layout(480, 640, 20, false);
  const struct {
    int x;
    bool left, right;
    int arrow;
  } cases[] = {{0, true, true, -1},  {9, true, true, -1},   {10, true, true, 0},  {0, false, true, 0},
               {479, true, true, 1}, {470, true, true, 1}, {469, true, true, 0}, {479, true, false, 0}};
  for (const auto& c : cases) EXPECT_EQ(layout.HeaderArrowAt(c.x, 10, c.left, c.right), c.arrow) << c.x;
}

TEST(ListColumnsTest, HeaderTapsSortByTheColumnsField) {
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
  row.change = 0;
  row.volume = 0;
  EXPECT_EQ(QuoteCell(row, ListKind::kStocks, 3), (CellText{u"--", kPlainWhite}));
  row.volume = 500;
  EXPECT_EQ(QuoteCell(row, ListKind::kStocks, 3), (CellText{u"0.00", kPlainWhite}));
  EXPECT_EQ(QuoteCell(row, ListKind::kStocks, 4), (CellText{u"500", kVolumeYellow}));
  row.change = -15;
  row.latest = 985;
  row.decimals = 3;
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

std::vector<std::u16string> Texts(const std::vector<MenuItem>& items) {
  std::vector<std::u16string> texts;
  for (const MenuItem& item : items) texts.push_back(item.text);
  return texts;
}

TEST(ListMenuTest, EntriesByListKind) {
  using Texts_ = std::vector<std::u16string>;
  ListMenuState stocks{kModeCategory, ListKind::kStocks, false, true};
  EXPECT_EQ(Texts(ListPopupMenu(stocks)), (Texts_{u"排序字段", u"排序方式", u"加入自选", u"批量加入自选", u"返回首页"}));
  ListMenuState own{kModeSelfSelected, ListKind::kStocks, false, false};
  EXPECT_EQ(Texts(ListPopupMenu(own)), (Texts_{u"批量删除自选", u"批量加入自选", u"返回首页"}));
  ListMenuState futures{kModeFutures, ListKind::kFutures, false, true};
  futures.selectedIsSelfSelected = true;
  EXPECT_EQ(Texts(ListPopupMenu(futures)), (Texts_{u"删除自选", u"批量加入自选"}));
  ListMenuState big{kModeCategory, ListKind::kBigOrders, false, true, true};
  big.bigOrderCommand = kCmdBigOrder3;
  const auto bigItems = ListPopupMenu(big);
  EXPECT_EQ(Texts(bigItems), (Texts_{u"今日大单", u"今日资金", u"3日大单", u"10日大单", u"返回首页"}));
  EXPECT_TRUE(bigItems[2].checked);
  EXPECT_TRUE(ListPopupMenu({kModeOrderDetails}).empty());

  stocks.sortField = kSortVolume;
  stocks.sortDirection = kSortAscending;
  const auto checked = ListPopupMenu(stocks);
  EXPECT_TRUE(checked[0].submenu[3].checked);   // "总手"
  EXPECT_TRUE(checked[1].submenu[1].checked);   // "升序排序"
  EXPECT_FALSE(checked[1].submenu[0].checked);
}

TEST(ListRoutesTest, OpeningsAndReturns) {
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, -1), (ListOpening{kModeIndices, kCategoryIndices}));
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, 1125), (ListOpening{kModeSelfSelected, kCategorySelfSelected}));
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, -63), (ListOpening{kModeCategory, kCategoryShenzhenA}));
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, 106), (ListOpening{kModeCategory, 106, false, u"创业板"}));
  // Back from the detail screen, the chart's Enter and a share's fund flow: the list as it was.
  for (const int back : {1135, 1127, 1149}) EXPECT_TRUE(ListOpeningFor(kTargetQuoteList, back)->resume) << back;
  EXPECT_EQ(ListOpeningFor(kTargetQuoteListOwnPage, 1129), (ListOpening{kModeRecentlyViewed, kCategoryRecentlyViewed, false, u"最近浏览"}));
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, 1141)->mode, kModeTradeAnalysis);
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, 1140)->mode, kModeOrderDetails);
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, FundFlowListArgument(0)),
            (ListOpening{kModeCategory, kCategoryAllShares, false, u"沪深A股", true}));
  EXPECT_EQ(ListOpeningFor(kTargetQuoteList, FundFlowListArgument(1111)),
            (ListOpening{kModeSelfSelected, kCategorySelfSelected, false, u"自选股", true}));

  struct Case {
    ReturnPlace place;
    ListReturn expected;
  };
  const Case cases[] = {
      {{kModeCategory, kCategorySectors, 475}, {true, {}}},
      {{kModeTradeAnalysis, 0}, {false, {kTargetStockDetail, kTargetQuoteList}}},
      {{kModeCsi300, kCategoryCsi300}, {false, {kTargetQuoteList, -11}}},
      {{kModeCategory, kCategoryShanghaiA}, {false, {kTargetMenuPage, 0}}},
      {{kModeCategory, kCategoryGlobal}, {false, {kTargetMenuPage, 1}}},
      {{kModeSelfSelected, -1, 0, true}, {false, {kTargetMenuPage, 21}}},
      {{kModeIndices, kCategoryIndices}, {false, {kTargetMainMenu, 0}}},
  };
  for (const Case& c : cases) {
    const ListReturn back = ReturnFrom(c.place);
    EXPECT_EQ(back.toSectorList, c.expected.toSectorList) << c.place.mode;
    if (!back.toSectorList) {
      EXPECT_EQ(back.step, c.expected.step) << c.place.mode;
    }
  }
}

}  // namespace
}  // namespace tarvello
