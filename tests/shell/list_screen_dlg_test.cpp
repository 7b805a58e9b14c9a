// The list screen's manual server list with its paging and its server switch. (Search results and
// their single-result shortcut are walked end to end.)
#include "shell/list_screen_dlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"

namespace tarvello {
namespace {

// A 240x270 screen with 27-pixel rows: the bar at 243 and the paging line at 216, so a page holds
// eight servers.
TEST(ListScreenTest, ServerRowsPageAndATapSwitchesToTheRowsServer) {
  testing::QtApp app;
  SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  const std::shared_ptr<void> uninstall(nullptr, [](void*) { InstallPrompter(nullptr); });
  testing::RecordingNavigator navigator;
  testing::ScriptedServer server;
  std::atomic<int> chosen{-1};
  ListScreenParts parts;
  parts.exchange = server.Function();
  parts.navigator = &navigator;
  parts.searchText = [] { return std::u16string(u"600"); };
  parts.serverText = [] { return std::u16string(u"127.0.0.1:2860"); };
  for (int row = 0; row < 25; ++row) parts.serverRows.push_back(u"10.0.0." + std::u16string(1, u'a' + row) + u":开发专线");
  parts.chooseServer = [&](int row) { chosen = row; };
  CDlgList list(std::move(parts));
  list.resize(240, 270);
  EXPECT_FALSE(list.Open(1));
  ASSERT_TRUE(list.Open(2));
  EXPECT_EQ(list.view()->items, std::vector<std::u16string>{u"127.0.0.1:2860"});

  ASSERT_TRUE(list.Open(3));
  EXPECT_EQ(list.view()->items.size(), 25u);
  EXPECT_EQ(list.Pages().rows_per_page(), 8);
  RecordingCanvas canvas(Size{240, 270});
  list.PaintOn(canvas);
  EXPECT_TRUE(canvas.DrewText(u"(1/4)", kPlainWhite));
  EXPECT_FALSE(canvas.DrewText(u"首页", kPlainWhite));
  EXPECT_TRUE(canvas.DrewText(u"下翻", kPlainWhite));
  EXPECT_FALSE(canvas.FindText(u"股票代码").has_value());

  const int paging = 270 - 27 - 10;
  testing::PressAt(list, 48 * 3 + 10, paging);  // "尾页", the fourth of five parts
  EXPECT_EQ(list.page(), 3);
  testing::PressAt(list, 48 + 10, paging);  // "上翻"
  EXPECT_EQ(list.page(), 2);
  testing::PressAt(list, 60, 10);  // the first row of the third page: row 16
  ASSERT_TRUE(testing::ProcessEventsUntil([&] { return !prompter.asked().empty(); }));
  EXPECT_EQ(chosen.load(), 16);
  EXPECT_EQ(list.selected(), 16);
  EXPECT_EQ(prompter.asked()[0].text, u"当前服务器为: 10.0.0.q");
  EXPECT_EQ(prompter.asked()[0].caption, u"提示");
}

}  // namespace
}  // namespace tarvello
