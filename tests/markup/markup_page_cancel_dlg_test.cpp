// The progress window's cancel while a markup page loads, in the whole terminal against the
// simulator: the pages come from a server of the test's own that keeps sending a byte at a time,
// so only the cancel can end the load.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "base/text_metrics.h"
#include "e2e/pen_events.h"
#include "e2e/started_terminal.h"
#include "navigation/navigation.h"
#include "support/loopback_server.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class MarkupPageCancelTest : public testing::TerminalEndToEnd {
 protected:
  void SetUp() override {
    if (!testing::FindBuiltProgram("tarvello-quoted")) GTEST_SKIP() << "the simulator is not built";
    InstallPrompter(&prompter_);
    simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path());
    const std::optional<testing::SimulatorPorts> ports = simulator_->WaitForPorts();
    ASSERT_TRUE(ports.has_value());
    ports_ = *ports;
    ports_.info = pages_.port();
    testing::WriteDeploymentFor(home_.path(), ports_);
    terminal_ = testing::StartedTerminal(home_.path());
    ASSERT_NE(terminal_, nullptr);
  }

  testing::LoopbackServer pages_{[](testing::ServerConnection& connection) {
    connection.ReadHttpRequest();
    connection.Send("HTTP/1.0 200 OK\r\n\r\n<wml><card>");
    while (connection.Send(" ")) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }};
};

TEST_F(MarkupPageCancelTest, TheCancelEndsThePageLoadAndThenCancelsExchangesAgain) {
  terminal_->main_screen()->GoTo(kTargetLiveList, 0);
  CDlgFlag& progress = terminal_->progress();
  CMarkupPageDlg* view = nullptr;
  ASSERT_TRUE(ProcessEventsUntil(
      [&] {
        view = dynamic_cast<CMarkupPageDlg*>(terminal_->frame().current_screen());
        return view != nullptr && view->busy() && progress.isVisible() &&
               progress.state().cancel_kind() == CancelKind::kPageFetch;
      },
      std::chrono::seconds(20)));
  testing::Tap(progress, Point{progress.width() - SharedTextMetrics().height, progress.height() / 2});
  ASSERT_TRUE(ProcessEventsUntil([&] { return !view->busy() && progress.isHidden(); }, std::chrono::seconds(2)));
  EXPECT_EQ(view->items().size(), 2u) << "a stopped load is a failed one: only the line break and \"刷新\"";
  EXPECT_EQ(progress.state().cancel_kind(), CancelKind::kExchange);
}

}  // namespace
}  // namespace tarvello
