// The list screen's rules without a screen: the model against the scripted market of list_wire.h,
// its fetches answered the way the screen's worker answers them. Rows of a page or order left
// behind never show or open, each list asks for its own page, another ranking keeps the rows shown
// until its answer comes, the sector list's place and the list under a stock's view come back,
// the self-selected list's tabs ask for their titles and move codes with the selection, and a list's
// cached answer shows only for the request that brought it.
#include "lists/list_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

#include "lists/list_commands.h"
#include "lists/list_request.h"
#include "lists/list_routes.h"
#include "lists/list_wire.h"
#include "market/own_stock_list.h"
#include "navigation/list_argument.h"
#include "navigation/navigation.h"
#include "support/recording_navigator.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::MarketCode;

class ListModelTest : public ::testing::Test {
 protected:
  ListModelTest() { model_.SetPageSize(640, 20); }

  // What the screen's worker does with the fetch asked for: the scripted market's answer, read
  // and handed in. False when nothing was asked or the model turned the rows away.
  bool Serve() {
    if (!model_.TakeFetch()) return false;
    return Answer(model_.query(), testing::MarketAnswer);
  }
  bool Answer(const ListQuery& asked, const std::function<Bytes(const Bytes&)>& server) {
    std::optional<ListFetch> fetch = model_.PlanFetch(asked);
    if (!fetch) return false;
    if (!fetch->request.empty()) {
      const Bytes answer = server(fetch->request);
      ReadListAnswer(answer.data(), answer.size(), fetch->context, fetch->rows);
    }
    return model_.AnswerArrived(asked, std::move(fetch->rows));
  }
  void Open(int target, int argument) {
    ASSERT_TRUE(model_.Open(target, argument));
    ASSERT_TRUE(Serve());
  }
  // Rows of the sector list: sector n is BI000n with the number n.
  void ShowSectors(int count) {
    ListRows rows;
    for (int n = 1; n <= count; ++n) {
      const std::u16string digits = u"00000" + std::u16string(1, static_cast<char16_t>(u'0' + n));
      QuoteRow& row = rows.quotes.emplace_back();
      row.code = SecurityCode(u"BI" + digits);
      row.name = u"S" + digits.substr(5);
      row.sectorNumber = static_cast<std::uint16_t>(n);
    }
    rows.listTotal = 40;
    model_.TakeFetch();
    ASSERT_TRUE(model_.AnswerArrived(model_.query(), std::move(rows)));
  }

  testing::TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  OwnStockList recent_ = OwnStockList::RecentlyViewed(folder_.path());
  testing::RecordingNavigator navigator_;
  ListModel model_{ListModelParts{&self_, &recent_, &navigator_, std::chrono::seconds(60)}};
};

// Another page or order is a list opened afresh: the rows of the one before go at once, a late
// answer for it is turned away, and Enter opens nothing of the old page.
TEST_F(ListModelTest, ANewPageOrOrderDropsTheOldRowsAndEachListAsksForItsOwnPage) {
  const struct {
    const char* name;
    std::function<void()> act;
  } cases[] = {
      {"page down", [&] { model_.MovePage(PageMove::kNext); }},
      {"header tap", [&] { model_.SortByHeader(1); }},
      {"sort command", [&] { model_.RunCommand(kCmdAscending); }},
      {"key down past the page", [&] { for (int i = 0; i < model_.query().rowsPerPage; ++i) model_.StepSelection(1); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Open(kTargetQuoteList, -60);
    const ListQuery before = model_.query();
    c.act();
    EXPECT_TRUE(model_.view()->rows.quotes.empty());
    EXPECT_EQ(model_.TakeFetch(), true) << "with the progress window";
    EXPECT_FALSE(Answer(before, testing::MarketAnswer));
    model_.OpenRow(model_.selected_row());
    EXPECT_TRUE(model_.view()->rows.quotes.empty());
    EXPECT_TRUE(navigator_.visits.empty());
  }
  // Which request each list makes, and an own list paged past its end asks for nothing.
  for (const std::vector<SecurityCode> defaults = self_.Codes(); const SecurityCode& code : defaults) self_.Remove(code);
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(3))));
  const int rows = RowsPerPage(640, 20, false);
  const struct {
    int argument;
    Bytes request;
  } lists[] = {
      {-60, BuildCategoryPage(kCategoryAllShares, {kSortChangeRatio, 0, 0, rows})},
      {-1, BuildCategoryPage(kCategoryIndices, {kSortServerOrder, 0, 0, rows})},
      {-10, BuildCategoryPage(kCategorySectors, {kSortChangeRatio, 0, 0, rows})},
      {-11, BuildCategoryPage(kCategoryFutures, {0, 1, 0, rows})},
      {FundFlowListArgument(kCategoryAllShares), BuildRankingPage(kBigOrderList, 1, kCategoryAllShares, {kSortBigOrderDefault, 0, 0, rows})},
  };
  for (const auto& c : lists) {
    ASSERT_TRUE(model_.Open(kTargetQuoteList, c.argument));
    EXPECT_EQ(model_.PlanFetch(model_.query())->request, c.request) << c.argument;
  }
  ASSERT_TRUE(model_.Open(kTargetQuoteListOtherPage, kTargetQuoteList));
  const std::vector<SecurityCode> own = self_.Codes();
  EXPECT_EQ(model_.PlanFetch(model_.query())->request, BuildCodeListPage(kSortServerOrder, 0, 1, own));
  ASSERT_TRUE(Serve());
  model_.MovePage(PageMove::kNext);
  EXPECT_EQ(model_.query().page, 0) << "one page only";
  EXPECT_EQ(model_.view()->rows.listTotal, 1);
}

// A good answer kept under its request's key shows again, with its moment, when the same list
// opens; another order, an own list with other codes or a damaged answer shows nothing.
TEST_F(ListModelTest, ACachedAnswerShowsOnlyForItsOwnRequestAndOnlyWhole) {
  std::map<std::string, CacheEntry, std::less<>> kept;
  const auto moment = std::chrono::system_clock::time_point(std::chrono::hours(500000));
  const CacheFinder find = [&](std::string_view key) {
    const auto found = kept.find(key);
    return found == kept.end() ? std::nullopt : std::optional(found->second);
  };
  const auto keep = [&](std::size_t cut) {
    const Bytes request = model_.PlanFetch(model_.query())->request;
    const Bytes answer = testing::MarketAnswer(request);
    kept[ListCacheKey(request)] = {ListCacheKey(request), moment, Bytes(answer.begin(), answer.end() - cut)};
  };
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(3))));
  const struct {
    const char* name;
    int target, argument;
    std::size_t cut;  // bytes the kept answer lost
    std::function<void()> then;  // after the list opened again
    bool shown;
  } cases[] = {
      {"the same ranking", kTargetQuoteList, -60, 0, [] {}, true},
      {"the same own list", kTargetQuoteListOtherPage, kTargetQuoteList, 0, [] {}, true},
      {"another order", kTargetQuoteList, -60, 0, [&] { model_.RunCommand(kCmdAscending); }, false},
      {"other own codes", kTargetQuoteListOtherPage, kTargetQuoteList, 0, [&] { ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(9)))); }, false},
      {"a damaged answer", kTargetQuoteList, -60, 3, [] {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    kept.clear();
    Open(c.target, c.argument);
    const std::vector<SecurityCode> served = model_.PageCodes();
    keep(c.cut);
    ASSERT_TRUE(model_.Open(c.target, c.argument));
    c.then();
    const std::optional<std::chrono::system_clock::time_point> shown = model_.ShowCached(model_.query(), find);
    EXPECT_EQ(shown.has_value(), c.shown);
    EXPECT_EQ(model_.view()->loaded, c.shown);
    EXPECT_TRUE(!shown || (*shown == moment && !served.empty() && model_.PageCodes() == served));
  }
}

// The big orders and the fund ranking: a choice of the other ranking keeps the rows shown, drawn
// as what they are, until its answer comes; a choice that shows what is shown asks for nothing.
TEST_F(ListModelTest, AnotherRankingKeepsTheRowsShownUntilItsAnswerComes) {
  ASSERT_TRUE(model_.Open(kTargetQuoteList, FundFlowListArgument(kCategoryAllShares)));
  ListRows big;
  big.bigOrders.push_back({SecurityCode(u"SZ000002"), u"Beta", 2, 350, 1, -120});
  model_.TakeFetch();
  ASSERT_TRUE(model_.AnswerArrived(model_.query(), big));
  model_.RunCommand(kCmdBigOrderToday);
  EXPECT_FALSE(model_.TakeFetch().has_value()) << "today's big orders are shown already";
  model_.RunCommand(kCmdFundToday);
  EXPECT_TRUE(model_.TakeFetch().has_value());
  EXPECT_EQ(model_.kind(), ListKind::kBigOrders);
  const std::optional<ListFetch> fetch = model_.PlanFetch(model_.query());
  EXPECT_TRUE(fetch->rows.bigOrders.empty() && fetch->rows.funds.empty()) << "the answer replaces them";
  ListRows funds;
  funds.funds.push_back({SecurityCode(u"SZ000005"), u"Delta", 2, 980, -5000, -35, 1000});
  ASSERT_TRUE(model_.AnswerArrived(model_.query(), funds));
  EXPECT_EQ(model_.kind(), ListKind::kFunds);
  EXPECT_EQ(model_.PageCodes(), std::vector<SecurityCode>{SecurityCode(u"SZ000005")});
}

// The sector fund flow opened from the fourth row of page 2 of the sector list, and "返回": page 2
// again, row 4, in the order and under the title it had. (A sector's constituents and back are
// JourneyWalk.SectorShareTradeAnalysisAndBackToTheSectorListOnItsPageAndRow's.)
TEST_F(ListModelTest, BackFromTheSectorFundFlowOrAStocksViewToTheListsPlace) {
  ASSERT_TRUE(model_.Open(kTargetQuoteList, -10));
  ShowSectors(6);
  model_.RunCommand(kCmdSortAmount);
  model_.MovePage(PageMove::kNext);
  ShowSectors(6);
  for (int i = 0; i < 3; ++i) model_.StepSelection(1);
  model_.RunCommand(kCmdSectorFunds5);
  EXPECT_EQ(model_.query().mode, kModeSectorFunds);
  model_.GoBack();
  const ListQuery back = model_.query();
  EXPECT_EQ(std::tuple(back.mode, back.page, back.sortField, model_.selected_row()),
            std::tuple(kModeSectors, 1, kSortAmount, 4));
  EXPECT_EQ(model_.title(), u"板块追踪");
  EXPECT_TRUE(navigator_.visits.empty());
  // A stock's trade analysis opened over a list, and back from that stock's detail screen: the list
  // as it was left, its rows shown at once and its selection on the security the detail screen
  // showed last.
  Open(kTargetQuoteList, -60);
  model_.ScrollColumns(2);
  navigator_.Browse(BrowseChange::Alone(SecurityCode(MarketCode(2))));
  ASSERT_TRUE(model_.Open(kTargetQuoteList, kListArgTradeAnalysis));
  EXPECT_EQ(model_.query().stockCode, SecurityCode(MarketCode(2)));
  ASSERT_TRUE(model_.Open(kTargetQuoteList, kListArgResume));
  EXPECT_EQ(model_.query().mode, kModeCategory);
  EXPECT_FALSE(model_.view()->rows.quotes.empty());
  EXPECT_EQ(std::tuple(model_.selected_row(), model_.first_column()), std::tuple(3, 3));
  EXPECT_EQ(model_.TakeTitleShow(), ListModel::TitleShow::kAfterNavigation);
}

// "新闻" asks once for the titles of every self-selected code, never on the timer, and back from an
// article asks for nothing. (A title's article, back to the titles and "行情" bringing the quote
// rows back are JourneyWalk.SelfSelectedNewsTitleArticleAndBackToTheQuotes'.)
TEST_F(ListModelTest, TheNewsTabAsksOnceForTheOwnTitlesAndBackFromAnArticleAsksNothing) {
  ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(3))));
  Open(kTargetQuoteListOtherPage, kTargetQuoteList);
  model_.ChooseTab(1);
  EXPECT_EQ(model_.RefreshPeriod(), std::chrono::milliseconds(0));
  EXPECT_FALSE(model_.PlanFetch(model_.query()).has_value());
  const InfoQuery titles = *model_.PlanInfo(model_.query());
  EXPECT_EQ(std::tuple(titles.page, titles.kind, titles.codes.size()),
            std::tuple(InfoPage::kTitles, 1, self_.Codes().size()));
  PageContent page;
  page.entries = {{u"甲", 0, u"a"}, {u"乙", 0, u"b"}};
  ASSERT_TRUE(model_.InfoArrived(model_.query(), page));
  model_.OpenSelectedArticle();
  model_.TakeFetch();
  model_.GoBack();
  EXPECT_FALSE(model_.TakeFetch().has_value()) << "back to the titles asks for nothing";
}

// "管理" moves a code up or down the self-selected list and the selection goes with it once the
// rows after the move have come, so a second "上移" moves the same code again; a code moved off the
// top of a page is shown selected at the bottom of the page before.
TEST_F(ListModelTest, TheManageTabsMovesTakeTheSelectionWithTheCode) {
  for (const std::vector<SecurityCode> defaults = self_.Codes(); const SecurityCode& code : defaults) self_.Remove(code);
  for (int i = 1; i <= 40; ++i) ASSERT_TRUE(self_.Add(SecurityCode(MarketCode(i))));
  Open(kTargetQuoteListOtherPage, -6);
  model_.ChooseTab(4);
  const std::vector<SecurityCode> before = self_.Codes();
  model_.StepSelection(1);
  model_.StepSelection(1);
  for (int move = 0; move < 2; ++move) {
    EXPECT_EQ(model_.Toolbar(1), ListModel::ToolbarAct::kDone);
    ASSERT_TRUE(Serve());
  }
  EXPECT_EQ(self_.Codes()[0], before[2]);
  model_.FollowMovedCode();
  EXPECT_EQ(model_.selected_row(), 1);

  const int rows = model_.query().rowsPerPage;
  model_.MovePage(PageMove::kNext);
  ASSERT_TRUE(Serve());
  model_.Toolbar(1);
  ASSERT_TRUE(Serve());
  EXPECT_EQ(model_.query().page, 0);
  EXPECT_EQ(self_.Codes()[static_cast<std::size_t>(rows - 1)], before[static_cast<std::size_t>(rows)]);
  model_.FollowMovedCode();
  EXPECT_EQ(model_.selected_row(), rows);

  // "删除" takes the row off the page at once and the total with it.
  model_.Toolbar(4);
  EXPECT_EQ(model_.view()->rows.listTotal, 39);
  EXPECT_FALSE(self_.Contains(SecurityCode(before[static_cast<std::size_t>(rows)])));
}

}  // namespace
}  // namespace tarvello
