// The quote list against the simulator, with a proxy in between that keeps the request bytes: a
// tap on the "涨幅" header sorts the ranked A-share list on the server, and a share added to the
// self-selected list from a ranked list is in "自选股" after the terminal starts again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_request.h"
#include "pen_events.h"
#include "platform/recording_canvas.h"
#include "terminal_walk.h"

namespace tarvello {
namespace {

// The change ratio the server ranks by, in hundredths of a percent.
long Ratio(const QuoteRow& row) {
  return row.prevClose == 0 ? 0 : std::lround((row.latest - row.prevClose) * 10000.0 / row.prevClose);
}

// The first drawing of a text that begins with prefix (a header carries its sort arrow).
Point CentreOfTextStarting(Window& screen, std::u16string_view prefix) {
  RecordingCanvas canvas(Size{screen.width(), screen.height()});
  screen.PaintOn(canvas);
  for (const DrawCall& call : canvas.CallsOf(DrawCall::Kind::kText)) {
    if (call.text.starts_with(prefix)) return {(call.box.left + call.box.right) / 2, (call.box.top + call.box.bottom) / 2};
  }
  return {-1, -1};
}

class QuoteListEndToEnd : public testing::StartedWalk {};

TEST_F(QuoteListEndToEnd, TappingTheChangeHeaderSortsOnTheServerTheOtherWayRound) {
  ASSERT_TRUE(OpenRankedShares());
  CStockListDlg& ranked = list();
  const ListQuery before = ranked.query();
  ASSERT_EQ(before.sortDirection, kSortDescending);
  const Point header = CentreOfTextStarting(ranked, u"涨幅");
  ASSERT_GE(header.x, 0);
  proxy_->ForgetRequests();
  testing::Tap(ranked, header);

  ASSERT_TRUE(WaitFor([&] {
    const std::shared_ptr<const ListView> view = ranked.view();
    return Shows(&ranked) && ranked.query().sortDirection == kSortAscending && view->rows.quotes.size() > 1 &&
           Ratio(view->rows.quotes.front()) <= Ratio(view->rows.quotes.back());
  }));
  const ListQuery after = ranked.query();
  EXPECT_EQ(after.sortField, before.sortField);
  EXPECT_EQ(after.page, 0);
  const Bytes expected = BuildCategoryPage(after.category, {after.sortField, kSortAscending, 0, after.rowsPerPage});
  EXPECT_NE(proxy_->Requests().find(std::string(expected.begin(), expected.end())), std::string::npos)
      << "the sort field and the ascending direction went to the server";
  const std::vector<QuoteRow> rows = ranked.view()->rows.quotes;
  for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LE(Ratio(rows[i - 1]), Ratio(rows[i])) << i;
}

TEST_F(QuoteListEndToEnd, AShareAddedFromARankedListIsSelfSelectedAfterARestart) {
  ASSERT_TRUE(OpenRankedShares());
  CStockListDlg& ranked = list();
  const Point options = testing::CentreOf(ranked, u"选项");
  ASSERT_GE(options.x, 0);
  // The first paint fits the page to the screen and fetches it again: take the row from that page.
  ASSERT_TRUE(WaitFor([&] {
    return Shows(&ranked) && static_cast<int>(ranked.view()->rows.quotes.size()) == ranked.query().rowsPerPage;
  }));
  ranked.SendKey(kKeyDown);  // the second row
  const SecurityCode chosen = ranked.view()->rows.quotes.at(1).code;
  prompter_.QueueMenuChoice(kCmdAddSelfSelected);
  testing::Tap(ranked, options);

  ASSERT_TRUE(StartTerminal());
  EnterMenuCell(3);  // "自选股"
  CStockListDlg& own = *terminal_->list_screen();
  ASSERT_TRUE(WaitFor([&] { return Shows(&own) && own.view()->loaded && !own.view()->rows.quotes.empty(); }));
  EXPECT_EQ(terminal_->frame().title(), u"自选股");
  const std::vector<QuoteRow>& rows = own.view()->rows.quotes;
  EXPECT_TRUE(std::any_of(rows.begin(), rows.end(), [&](const QuoteRow& row) { return row.code == chosen; }))
      << "the share added before the restart";
}

}  // namespace
}  // namespace tarvello
