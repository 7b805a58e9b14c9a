// The sector and fund-flow lists against the simulator, walked as a user walks them: from
// "板块追踪" to the concept sectors, a sector's constituents, a share's detail screen, its trade
// analysis over ten days and back the same way; and from "资金流向" to the A-share big-order
// ranking over three days, asked for once however often it is chosen.
#include <algorithm>

#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_paging.h"
#include "lists/list_request.h"
#include "protocol/packet_codec.h"
#include "storage/utf16le.h"
#include "terminal_walk.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr int kMenuCellFundFlow = 2;
constexpr int kMenuCellSectors = 5;
constexpr int kFundFlowMenuPage = 21;
constexpr int kFundFlowMenuAllShares = 1;  // "沪深A股", after "自选股"
constexpr int kOptionsCell = 0;  // the toolbars' "选项" (the detail screen's "菜单")
constexpr int kBackCell = 5;     // and "返回"

class SectorsAndFundFlowWalk : public testing::TerminalWalk {
 protected:
  void SetUp() override {
    TerminalWalk::SetUp();
    if (IsSkipped()) return;
    // The longest list period, so that no timed refresh repeats a request while a walk counts them.
    testing::WriteBytes(home_ / "Configuration.ini", EncodeUtf16Le(text::FromUtf8("[REFRESH]\r\nLIST=50\r\n")));
    ASSERT_TRUE(StartSimulator());
    ASSERT_TRUE(StartTerminal());
  }

  CStockListDlg& list() { return *terminal_->list_screen(); }

  bool ListShows(const std::function<bool(const ListQuery&, const ListView&)>& wanted) {
    // Not busy either: a tap must not meet the progress window of a refresh, which drops it.
    return WaitFor([&] {
      return Shows(&list()) && !list().busy() && list().view()->loaded && wanted(list().query(), *list().view());
    });
  }

  bool DetailShows(const SecurityCode& code) {
    return WaitFor([&] {
      CStockDetailDlg* detail = terminal_->detail_screen();
      return Shows(detail) && !detail->busy() && detail->view()->loaded && detail->view()->code == code;
    });
  }
};

TEST_F(SectorsAndFundFlowWalk, AConceptSectorsShareToItsTenDayTradeAnalysisAndBackTheSameWay) {
  EnterMenuCell(kMenuCellSectors);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView&) { return q.mode == kModeSectors; }));
  proxy_->ForgetRequests();
  ChooseFromMenu(list(), kOptionsCell, kCmdSectorConcept);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) {
    return q.sectorClass == 1 && v.rows.quotes.size() >= 2;
  }));
  const ListQuery concepts = list().query();
  EXPECT_GE(TimesSent(BuildCategoryPage(kCategorySectors, {concepts.sortField, concepts.sortDirection, 0, concepts.rowsPerPage}, 1)), 1)
      << "the concept class went to the server";

  list().SendKey(kKeyDown);
  const QuoteRow sector = list().view()->rows.quotes.at(1);
  list().SendKey(kKeyEnter);
  ASSERT_TRUE(ListShows([&](const ListQuery& q, const ListView& v) {
    return q.shownSector == sector.sectorNumber && v.rows.quotes.size() >= 2 && v.rows.quotes.front().code == sector.code;
  }));
  EXPECT_EQ(terminal_->frame().title(), sector.name);

  list().SendKey(kKeyDown);
  const SecurityCode share = list().view()->rows.quotes.at(1).code;
  list().SendKey(kKeyEnter);
  ASSERT_TRUE(DetailShows(share));
  CStockDetailDlg& detail = *terminal_->detail_screen();
  const unsigned analysis = testing::MenuCommand(detail.PopupMenuItems(), u"成交透析");
  ChooseFromMenu(detail, kOptionsCell, analysis);
  ASSERT_TRUE(ListShows([&](const ListQuery& q, const ListView& v) {
    return q.mode == kModeTradeAnalysis && q.stockCode == share && v.rows.buckets.size() == 3;
  })) << "menu command " << analysis << ", list mode " << list().query().mode;
  EXPECT_EQ(terminal_->frame().title(), u"成交透析-1天");

  proxy_->ForgetRequests();
  ChooseFromMenu(list(), kOptionsCell, kCmdAnalysis10);
  ASSERT_TRUE(WaitFor([&] { return TimesSent(BuildTradeAnalysisRequest(share, 10)) == 1 && !list().busy(); }));
  EXPECT_EQ(terminal_->frame().title(), u"成交透析-10天");
  const std::vector<BucketRow>& buckets = list().view()->rows.buckets;
  ASSERT_EQ(buckets.size(), 3u);
  EXPECT_EQ(buckets[0].second, u"大于1000手");
  EXPECT_EQ(buckets[2].second, u"小于100手");

  TapBarCell(list(), kBackCell);
  ASSERT_TRUE(DetailShows(share)) << "back from the trade analysis to the share";
  TapBarCell(detail, kBackCell);
  ASSERT_TRUE(ListShows([&](const ListQuery& q, const ListView& v) {
    return q.shownSector == sector.sectorNumber && !v.rows.quotes.empty() && v.rows.quotes.front().code == sector.code;
  })) << "back from the share to the sector it was opened from, not to its trade analysis";
  EXPECT_EQ(list().selected_row(), 2);
  EXPECT_EQ(terminal_->frame().title(), sector.name);
  TapBarCell(list(), kBackCell);
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView&) { return q.mode == kModeSectors && q.shownSector == 0; }));
  EXPECT_EQ(list().query().sectorClass, 1);
  EXPECT_EQ(list().selected_row(), 2);
}

TEST_F(SectorsAndFundFlowWalk, ThreeDayBigOrdersOfAllASharesAreAskedForOnceAndShownRankedByThem) {
  EnterMenuCell(kMenuCellFundFlow);
  ASSERT_TRUE(EnterMenuLine(kFundFlowMenuPage, kFundFlowMenuAllShares));
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) {
    return q.bigOrderMode && q.category == kCategoryAllShares && !v.rows.bigOrders.empty();
  }));
  EXPECT_EQ(terminal_->frame().title(), u"沪深A股");
  const std::vector<BigOrderRow> today = list().view()->rows.bigOrders;

  proxy_->ForgetRequests();
  ChooseFromMenu(list(), kOptionsCell, kCmdBigOrder3);
  const ListQuery q = list().query();
  ASSERT_EQ(q.sortDirection, kSortDescending);
  const Bytes threeDays = BuildRankingPage(kBigOrderList, 3, kCategoryAllShares, {q.sortField, q.sortDirection, 0, q.rowsPerPage});
  ASSERT_TRUE(WaitFor([&] { return TimesSent(threeDays) == 1 && !list().busy(); }));
  const std::vector<BigOrderRow> rows = list().view()->rows.bigOrders;
  ASSERT_FALSE(rows.empty());
  bool moved = false;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) {
      EXPECT_GE(rows[i - 1].netRatio, rows[i].netRatio) << "ranked by the three-day ratio, row " << i;
      EXPECT_LE(rows[i - 1].rank, rows[i].rank) << i;
    }
    const auto before = std::find_if(today.begin(), today.end(), [&](const BigOrderRow& row) { return row.code == rows[i].code; });
    // A row of another security, or the same security with another figure, shows the new ranking.
    moved = moved || before == today.end() || before->netRatio != rows[i].netRatio;
  }
  EXPECT_TRUE(moved) << "the rows are the three-day figures, not today's kept on screen";

  ChooseFromMenu(list(), kOptionsCell, kCmdBigOrder3);
  // The fund ranking keeps the three days; once its request is out, a second big-order request
  // would have gone before it on the one connection.
  ChooseFromMenu(list(), kOptionsCell, kCmdFundToday);
  const Bytes fundThreeDays = BuildRankingPage(kFundList, 3, kCategoryAllShares, {q.sortField, q.sortDirection, 0, q.rowsPerPage});
  ASSERT_TRUE(WaitFor([&] { return TimesSent(fundThreeDays) == 1; }));
  EXPECT_EQ(TimesSent(threeDays), 1) << "choosing the ranking shown asks for nothing";
}

}  // namespace
}  // namespace tarvello
