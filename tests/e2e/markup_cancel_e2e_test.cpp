// The progress window's cancel while a markup page loads, in the whole terminal against the
// simulator: the pages come from a server of the test's own that keeps sending a byte at a time,
// so only the cancel can end the load.
#include <chrono>
#include <thread>

#include "base/text_metrics.h"
#include "markup/markup_page_dlg.h"
#include "navigation/navigation.h"
#include "support/loopback_server.h"
#include "terminal_walk.h"

namespace tarvello {
namespace {

class MarkupPageCancelWalk : public testing::TerminalWalk {
 protected:
  void SetUp() override {
    TerminalWalk::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(StartSimulator());
    testing::WriteDeploymentFor(home_.path(), {proxy_->port(), ports_.gateway, pages_.port()});
    ASSERT_TRUE(StartTerminal());
  }

  testing::LoopbackServer pages_{[](testing::ServerConnection& connection) {
    connection.ReadHttpRequest();
    connection.Send("HTTP/1.0 200 OK\r\n\r\n<wml><card>");
    while (connection.Send(" ")) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }};
};

TEST_F(MarkupPageCancelWalk, TheCancelEndsThePageLoadAndThenCancelsExchangesAgain) {
  terminal_->main_screen()->GoTo(kTargetLiveList, 0);
  CDlgFlag& progress = terminal_->progress();
  CMarkupPageDlg* view = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    view = dynamic_cast<CMarkupPageDlg*>(terminal_->frame().current_screen());
    return view != nullptr && view->busy() && progress.isVisible() &&
           progress.state().cancel_kind() == CancelKind::kPageFetch;
  }));
  testing::Tap(progress, Point{progress.width() - SharedTextMetrics().height, progress.height() / 2});
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !view->busy() && progress.isHidden(); }, std::chrono::seconds(2)));
  EXPECT_EQ(view->items().size(), 2u) << "a stopped load is a failed one: only the line break and \"刷新\"";
  EXPECT_EQ(progress.state().cancel_kind(), CancelKind::kExchange);
}

}  // namespace
}  // namespace tarvello
