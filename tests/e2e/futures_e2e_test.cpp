// The index futures screen against the simulator: the fund flow of a share from its detail
// screen's "资金" cell. (The way from the futures list to a contract's ticks is a journey.)
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include <QMouseEvent>

#include "app/terminal.h"
#include "lists/list_codes.h"
#include "started_terminal.h"
#include "base/program_folder.h"
#include "pen_events.h"
#include "simulator_process.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

constexpr auto kWait = std::chrono::seconds(20);

using testing::Tap;

// The middle of cell i of a six-cell bar along the bottom of a screen.
Point BottomCell(const QWidget& screen, int i) { return {i * screen.width() / 6 + screen.width() / 12, screen.height() - 4}; }

class FuturesEndToEnd : public testing::TerminalEndToEnd {
 protected:
  bool DetailShows(const SecurityCode& code) {
    return ProcessEventsUntil([&] {
      CStockDetailDlg* detail = terminal_->detail_screen();
      return Settled(detail) && detail->view()->loaded && detail->view()->code == code;
    }, kWait);
  }

  bool FuturesShows(int view, const SecurityCode& code) {
    return ProcessEventsUntil([&] {
      CGzqhDlg* futures = terminal_->futures_screen();
      return Settled(futures) && futures->records()->view == view && futures->records()->code == code &&
             futures->records()->loaded;
    }, kWait);
  }
};

TEST_F(FuturesEndToEnd, TheDetailScreensFundCellShowsTheSharesFundFlow) {
  const SecurityCode share = SecurityCode::FromAscii("SH600001");
  terminal_->OpenSecurity(share);
  ASSERT_TRUE(DetailShows(share));
  Tap(*terminal_->detail_screen(), BottomCell(*terminal_->detail_screen(), 4));  // "资金"
  ASSERT_TRUE(FuturesShows(kViewFundFlow, share));
  const SecurityFundFlow flow = terminal_->futures_screen()->records()->flow;
  EXPECT_GT(flow.TotalIn() + flow.TotalOut(), 0);
  EXPECT_GE(flow.positionToday, 1);
  // The share was opened from elsewhere than a list, so "返回" leads to the recently viewed list.
  Tap(*terminal_->futures_screen(), BottomCell(*terminal_->futures_screen(), 5));
  EXPECT_TRUE(ProcessEventsUntil([&] {
    return terminal_->frame().current_screen() == terminal_->list_screen() && terminal_->progress().isHidden() &&
           terminal_->list_screen()->query().mode == kModeRecentlyViewed;
  }, std::chrono::seconds(20)));
}

}  // namespace
}  // namespace tarvello
