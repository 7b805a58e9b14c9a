// The quote list's part in the alerts: a marked security's name is drawn as "★name" on the mark's
// band, and the self-selected list's "预警设置" opens the alerts page on the chosen row.
#include <gtest/gtest.h>

#include <algorithm>

#include "lists/list_commands.h"
#include "lists/list_wire.h"
#include "lists/stock_list_dlg.h"
#include "market/alert_marks.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "protocol/packet_codec.h"
#include "support/recording_navigator.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

TEST(ListAlerts, MarkedNamesAreDrawnMarkedAndTheMenuOpensTheAlertsPage) {
  testing::QtApp app;
  testing::TestScreen main;
  testing::TempFolder folder;
  OwnStockList self = OwnStockList::SelfSelected(folder.path());
  OwnStockList recent = OwnStockList::RecentlyViewed(folder.path());
  ASSERT_TRUE(self.Add(SecurityCode(u"SH600001")));
  ASSERT_TRUE(self.Add(SecurityCode(u"SZ000002")));
  const Bytes answer = testing::Container(
      kCategoryList, testing::StockBlock({{}, {.code = u"SZ000002", .name = u"Beta"}}, 2));
  const auto exchange = [&answer](std::span<const std::uint8_t>, std::span<std::uint8_t> out) {
    std::copy(answer.begin(), answer.end(), out.begin());
    return static_cast<int>(answer.size());
  };
  testing::RecordingNavigator navigator;
  CStockListDlg screen(StockListParts{exchange, &main, &self, &recent, nullptr, std::chrono::seconds(60), &navigator,
                                      nullptr});
  screen.resize(480, 640);
  AlertMarks::Shared().ClearAll();
  AlertMarks::Shared().Mark(SecurityCode(u"SZ000002"));
  ASSERT_TRUE(screen.Open(kTargetQuoteListOtherPage, 0));
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return screen.view()->loaded && !screen.busy(); }));

  RecordingCanvas canvas(Size{480, 640});
  screen.PaintOn(canvas);
  const std::optional<DrawCall> marked = canvas.FindText(u"★Beta");
  ASSERT_TRUE(marked.has_value());
  EXPECT_TRUE(canvas.FindText(u"Alpha").has_value());
  const std::vector<DrawCall> fills = canvas.CallsOf(DrawCall::Kind::kFill);
  EXPECT_TRUE(std::any_of(fills.begin(), fills.end(), [&](const DrawCall& fill) {
    return fill.color == kAlertMarkBand && fill.box == marked->box;
  }));

  const std::vector<MenuItem> items = screen.PopupMenuItems();
  EXPECT_TRUE(std::any_of(items.begin(), items.end(), [](const MenuItem& m) { return m.command == kCmdAlerts; }));
  screen.RunCommand(kCmdAlerts);
  EXPECT_EQ(navigator.CurrentSecurity(), SecurityCode(u"SH600001"));
  EXPECT_EQ(navigator.visits, (std::vector<NavigationRequest>{{kTargetAlerts, kTargetQuoteListOtherPage}}));
  AlertMarks::Shared().ClearAll();
}

}  // namespace
}  // namespace tarvello
