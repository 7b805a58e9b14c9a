// The detail screen's part in the alerts: opening a security clears its mark, and the menu's
// "预警设置" leads to the alerts page, which comes back to the detail screen.
#include <gtest/gtest.h>

#include <algorithm>

#include "detail/stock_detail_dlg.h"
#include "market/alert_marks.h"
#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "platform/test_screen.h"
#include "support/recording_navigator.h"

namespace tarvello {
namespace {

class TouchableDetail : public CStockDetailDlg {
 public:
  using CStockDetailDlg::CStockDetailDlg;
  using CStockDetailDlg::OnPenDown;
};

TEST(DetailAlerts, OpeningClearsTheMarkAndTheMenuLeadsToTheAlertsPage) {
  testing::QtApp app;
  testing::TestScreen main;
  testing::RecordingNavigator navigator;
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  const auto noAnswer = [](std::span<const std::uint8_t>, std::span<std::uint8_t>) { return 0; };
  TouchableDetail screen(StockDetailParts{noAnswer, &main, nullptr, nullptr, std::chrono::seconds(60), &navigator});
  screen.resize(480, 640);
  RecordingCanvas canvas(Size{480, 640});
  screen.PaintOn(canvas);

  const SecurityCode share(u"SH600001");
  AlertMarks::Shared().Mark(share);
  screen.Open(share);
  EXPECT_FALSE(AlertMarks::Shared().IsMarked(share));

  const std::vector<MenuItem> items = screen.PopupMenuItems();
  const auto entry = std::find_if(items.begin(), items.end(), [](const MenuItem& m) { return m.text == u"预警设置"; });
  ASSERT_NE(entry, items.end());
  prompter.QueueMenuChoice(entry->command);
  screen.OnPenDown({10, 640 - 5});  // the menu cell of the toolbar
  EXPECT_EQ(navigator.visits, (std::vector<NavigationRequest>{{kTargetAlerts, kTargetStockDetail}}));
  InstallPrompter(nullptr);
}

}  // namespace
}  // namespace tarvello
