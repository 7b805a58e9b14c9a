// The quote lists against the simulator, with a proxy in between that keeps the request bytes: a
// tap on the "涨幅" header sorts the ranked A-share list on the server, and a share added to the
// self-selected list from there is in "自选股" after the terminal starts again; the A-share
// big-order ranking over three days is asked for once however often it is chosen.
#include <algorithm>
#include <cmath>

#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_request.h"
#include "protocol/packet_codec.h"
#include "platform/recording_canvas.h"
#include "storage/utf16le.h"
#include "terminal_walk.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr int kMenuCellFundFlow = 2;
constexpr int kMenuCellSelfSelected = 3;
constexpr int kFundFlowMenuPage = 21;
constexpr int kFundFlowMenuAllShares = 1;  // "沪深A股", after "自选股"
constexpr int kOptionsCell = 0;  // the list toolbar's "选项"

// The change ratio the server ranks by, in hundredths of a percent.
long Ratio(const QuoteRow& row) {
  return row.prevClose == 0 ? 0 : std::lround((row.latest - row.prevClose) * 10000.0 / row.prevClose);
}

class ListWalk : public testing::StartedWalk {
 protected:
  // The longest list period, so that no timed refresh repeats a request while a walk counts them.
  void PrepareHome() override {
    testing::WriteBytes(home_ / "Configuration.ini", EncodeUtf16Le(text::FromUtf8("[REFRESH]\r\nLIST=50\r\n")));
  }
};

TEST_F(ListWalk, TheChangeHeaderSortsOnTheServerAndAShareAddedFromThereIsSelfSelectedAfterARestart) {
  ASSERT_TRUE(OpenRankedShares());
  CStockListDlg& ranked = list();
  const ListQuery before = ranked.query();
  ASSERT_EQ(before.sortDirection, kSortDescending);
  // The first drawing of a text that begins with "涨幅": the header carries its sort arrow.
  RecordingCanvas canvas(Size{ranked.width(), ranked.height()});
  ranked.PaintOn(canvas);
  const std::vector<DrawCall> texts = canvas.CallsOf(DrawCall::Kind::kText);
  const auto header = std::find_if(texts.begin(), texts.end(), [](const DrawCall& c) { return c.text.starts_with(u"涨幅"); });
  ASSERT_NE(header, texts.end());
  proxy_->ForgetRequests();
  testing::Tap(ranked, {(header->box.left + header->box.right) / 2, (header->box.top + header->box.bottom) / 2});
  ASSERT_TRUE(WaitFor([&] {
    const std::shared_ptr<const ListView> view = ranked.view();
    return Shows(&ranked) && ranked.query().sortDirection == kSortAscending &&
           static_cast<int>(view->rows.quotes.size()) == ranked.query().rowsPerPage &&
           Ratio(view->rows.quotes.front()) <= Ratio(view->rows.quotes.back());
  }));
  const ListQuery after = ranked.query();
  EXPECT_EQ(after.sortField, before.sortField);
  EXPECT_EQ(after.page, 0);
  EXPECT_GE(TimesSent(BuildCategoryPage(after.category, {after.sortField, kSortAscending, 0, after.rowsPerPage})), 1)
      << "the sort field and the ascending direction went to the server";
  const std::vector<QuoteRow> rows = ranked.view()->rows.quotes;
  for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LE(Ratio(rows[i - 1]), Ratio(rows[i])) << i;

  ranked.SendKey(kKeyDown);
  const SecurityCode chosen = rows.at(static_cast<std::size_t>(ranked.selected_row() - 1)).code;
  ChooseFromMenu(ranked, kOptionsCell, kCmdAddSelfSelected);
  ASSERT_TRUE(StartTerminal());
  EnterMenuCell(kMenuCellSelfSelected);
  ASSERT_TRUE(ListShows([](const ListQuery&, const ListView& v) { return !v.rows.quotes.empty(); }));
  EXPECT_TRUE(TitleBecomes(u"自选股"));
  const std::vector<QuoteRow>& own = list().view()->rows.quotes;
  EXPECT_TRUE(std::any_of(own.begin(), own.end(), [&](const QuoteRow& row) { return row.code == chosen; }))
      << "the share added before the restart";
}

TEST_F(ListWalk, ThreeDayBigOrdersOfAllASharesAreAskedForOnceAndShownRankedByThem) {
  EnterMenuCell(kMenuCellFundFlow);
  ASSERT_TRUE(EnterMenuLine(kFundFlowMenuPage, kFundFlowMenuAllShares));
  ASSERT_TRUE(ListShows([](const ListQuery& q, const ListView& v) {
    return q.bigOrderMode && q.category == kCategoryAllShares && !v.rows.bigOrders.empty();
  }));
  EXPECT_TRUE(TitleBecomes(u"沪深A股"));
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
