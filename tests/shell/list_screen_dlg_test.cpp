// The list screen against a scripted search answer and a scripted server switch: the search
// result with its single-result shortcut, the manual server list with its paging, and the
// bottom bar.
#include "shell/list_screen_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "protocol/container_writer.h"
#include "protocol/wire_writer.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

Bytes SearchAnswer(std::initializer_list<std::pair<const char*, std::u16string_view>> items) {
  WireWriter body;
  body.I16(static_cast<std::int16_t>(items.size()));
  for (const auto& [code, name] : items) body.Str(code).Utf8(name);
  ContainerWriter out;
  out.AddPlain(2000, body.Take());
  return out.Finish();
}

// A 240x270 screen with 27-pixel rows: the bar at 243, the paging line at 216 and the search
// result's header at 0, so a page holds seven search results or eight servers.
class ListScreenTest : public ::testing::Test {
 protected:
  ListScreenTest() {
    SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
    InstallPrompter(&prompter_);
  }
  ~ListScreenTest() override {
    list_.reset();
    InstallPrompter(nullptr);
  }

  void Make(Bytes answer) {
    server_.SetFixedAnswer(std::move(answer));
    ListScreenParts parts;
    parts.exchange = server_.Function();
    parts.navigator = &navigator_;
    parts.searchText = [] { return std::u16string(u"600"); };
    parts.serverText = [] { return std::u16string(u"127.0.0.1:2860"); };
    for (int row = 0; row < 25; ++row) parts.serverRows.push_back(u"10.0.0." + std::u16string(1, u'a' + row) + u":开发专线");
    parts.chooseServer = [this](int row) { chosen_ = row; };
    list_ = std::make_unique<CDlgList>(std::move(parts));
    list_->resize(240, 270);
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{240, 270});
    list_->PaintOn(canvas);
    return canvas;
  }
  void Tap(int x, int y) { testing::PressAt(*list_, x, y); }

  testing::QtApp app_;
  ScriptedPrompter prompter_;
  testing::RecordingNavigator navigator_;
  testing::ScriptedServer server_;
  std::atomic<int> chosen_{-1};
  std::unique_ptr<CDlgList> list_;
};

TEST_F(ListScreenTest, SearchResultsShowCodeAndNameAndATapOpensTheDetailScreen) {
  Make(SearchAnswer({{"SH600036", u"招商银行"}, {"SH600000", u"浦发银行"}}));
  ASSERT_TRUE(list_->Open(0));
  ASSERT_TRUE(ProcessEventsUntil([&] { return list_->view()->items.size() == 2; }));
  const Bytes request = server_.Last();
  EXPECT_NE(std::search(request.begin(), request.end(), std::begin("600"), std::end("600") - 1), request.end());
  RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"股票代码", kHeaderCyan));
  EXPECT_TRUE(canvas.FindText(u"浦发银行").has_value());
  EXPECT_TRUE(canvas.DrewText(u"(1/1)", kPlainWhite));
  EXPECT_FALSE(canvas.DrewText(u"下翻", kPlainWhite)) << "a single page cannot turn";
  EXPECT_EQ(list_->Pages().rows_per_page(), 7);
  ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(50));
  EXPECT_TRUE(navigator_.visits.empty()) << "two results wait for a choice";

  Tap(60, 27 + 27 + 10);  // the second row
  EXPECT_EQ(navigator_.CurrentSecurity(), SecurityCode::FromAscii("SH600000"));
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{1129, 1135}}));
}

TEST_F(ListScreenTest, ASingleResultOpensItsSecurityAndNoResultStaysEmpty) {
  Make(SearchAnswer({{"SZ000001", u"平安银行"}}));
  ASSERT_TRUE(list_->Open(0));
  ASSERT_TRUE(ProcessEventsUntil([&] { return !navigator_.visits.empty(); }));
  EXPECT_EQ(navigator_.CurrentSecurity(), SecurityCode::FromAscii("SZ000001"));
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{1129, 1135}}));

  navigator_.visits.clear();
  server_.SetFixedAnswer(SearchAnswer({}));
  ASSERT_TRUE(list_->Open(0));
  ProcessEventsUntil([&] { return list_->busy(); }, std::chrono::milliseconds(200));
  ASSERT_TRUE(ProcessEventsUntil([&] { return !list_->busy(); }));
  EXPECT_TRUE(list_->view()->items.empty());
  Tap(60, 40);
  EXPECT_TRUE(navigator_.visits.empty());
}

TEST_F(ListScreenTest, ServerRowsPageAndATapSwitchesToTheRowsServer) {
  Make({});
  EXPECT_FALSE(list_->Open(1));
  ASSERT_TRUE(list_->Open(2));
  EXPECT_EQ(list_->view()->items, std::vector<std::u16string>{u"127.0.0.1:2860"});

  ASSERT_TRUE(list_->Open(3));
  EXPECT_EQ(list_->view()->items.size(), 25u);
  EXPECT_EQ(list_->Pages().rows_per_page(), 8);
  RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"(1/4)", kPlainWhite));
  EXPECT_FALSE(canvas.DrewText(u"首页", kPlainWhite));
  EXPECT_TRUE(canvas.DrewText(u"下翻", kPlainWhite));
  EXPECT_FALSE(canvas.FindText(u"股票代码").has_value());

  const int paging = 270 - 27 - 10;
  Tap(48 * 3 + 10, paging);  // "尾页", the fourth of five parts
  EXPECT_EQ(list_->page(), 3);
  Tap(48 + 10, paging);  // "上翻"
  EXPECT_EQ(list_->page(), 2);
  Tap(60, 10);  // the first row of the third page: row 16
  ASSERT_TRUE(ProcessEventsUntil([&] { return !prompter_.asked().empty(); }));
  EXPECT_EQ(chosen_.load(), 16);
  EXPECT_EQ(list_->selected(), 16);
  EXPECT_EQ(prompter_.asked()[0].text, u"当前服务器为: 10.0.0.q");
  EXPECT_EQ(prompter_.asked()[0].caption, u"提示");
}

}  // namespace
}  // namespace tarvello
