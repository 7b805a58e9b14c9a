// The fund-flow lists against the simulator, walked as a user walks them: from "资金流向" to the
// A-share big-order ranking over three days, asked for once however often it is chosen. (The way
// through the sectors to a share's trade analysis and back is a journey.)
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
constexpr int kFundFlowMenuPage = 21;
constexpr int kFundFlowMenuAllShares = 1;  // "沪深A股", after "自选股"
constexpr int kOptionsCell = 0;  // the list toolbar's "选项"

class SectorsAndFundFlowWalk : public testing::StartedWalk {
 protected:
  // The longest list period, so that no timed refresh repeats a request while a walk counts them.
  void PrepareHome() override {
    testing::WriteBytes(home_ / "Configuration.ini", EncodeUtf16Le(text::FromUtf8("[REFRESH]\r\nLIST=50\r\n")));
  }
};

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
