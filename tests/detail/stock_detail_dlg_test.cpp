#include "detail/stock_detail_dlg.h"

#include <gtest/gtest.h>

#include "navigation/navigation.h"
#include "support/recording_navigator.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "support/scripted_server.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

// What the scripted server answers: one security's figures.
struct Security {
  std::u16string code = u"SH600001";
  std::uint8_t type = 1;
  std::int32_t last = 1020;
  std::int32_t prevClose = 1000;
  std::int32_t high = 1030;
  std::int32_t low = 990;
  int minutes = 3;
};

Bytes Answer(const Security& s) {
  ContainerWriter writer;
  WireWriter minute;
  minute.Utf8(s.code).Utf8(u"Name").I32(0).I32(s.minutes * 100).I32(0).U8(0).U8(0).I32(s.minutes);
  minute.I16(static_cast<std::int16_t>(s.minutes));
  for (int i = 0; i < s.minutes; ++i) {
    const int time = 9 * 60 + 31 + i;
    minute.I32(time / 60 * 100 + time % 60).I32(s.last * 10).I32(100 * (i + 1)).I32(s.last * 10).I32(0);
  }
  minute.I16(242);
  writer.Add(kMinuteData, minute.Take());
  WireWriter book;
  book.I32(0).I16(10);
  for (int i = 0; i < 10; ++i) book.I32(s.prevClose + 5 - i).I32(10 + i);
  writer.Add(kOrderBook, book.Take());
  WireWriter quote;
  quote.I32(s.last).I32(0).I32(s.minutes * 100).I32(s.high).I32(s.low).I32(s.prevClose).I32(s.prevClose);
  quote.I32(1000).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
  writer.Add(kQuote, quote.Take());
  WireWriter info;
  info.Utf8(s.code).Utf8(u"Name").U8(s.type).U8(2).I32(0).I32(1100).I32(900);
  writer.Add(kSecurityInfo, info.Take());
  WireWriter breadth;
  breadth.I16(500).I16(20).I16(300);
  writer.Add(kIndexBreadth, breadth.Take());
  WireWriter futures;
  for (int i = 0; i < 15; ++i) futures.I32(350000 + i);
  writer.Add(kFuturesQuote, futures.Take());
  return writer.Finish();
}

// A server that answers with the figures of one security.
testing::ScriptedServer::Answer AnswerFor(const Security& security) {
  return [security](const Bytes&) { return Answer(security); };
}

// The screen with its pen handler open to the tests.
class TouchableDetail : public CStockDetailDlg {
 public:
  using CStockDetailDlg::CStockDetailDlg;
  using CStockDetailDlg::OnPenDown;
};

class StockDetailDlgTest : public ::testing::Test {
 protected:
  void OpenOn(const Security& security) {
    server_.SetAnswer(AnswerFor(security));
    screen_.resize(480, 640);
    const int before = server_.count();
    screen_.Open(SecurityCode(security.code));
    ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.view()->loaded && server_.count() > before; }));
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{480, 640});
    screen_.PaintOn(canvas);
    return canvas;
  }

  testing::QtApp app_;
  testing::TestScreen main_;
  testing::ScriptedServer server_;
  TouchableDetail screen_{StockDetailParts{server_.Function(), &main_, nullptr, nullptr, std::chrono::seconds(60)}};
};

TEST_F(StockDetailDlgTest, HeaderTextsAndColoursByChange) {
  struct Case {
    std::int32_t last;
    const char16_t* price;
    const char16_t* percent;
    ColorRef colour;
  };
  const Case cases[] = {{980, u"9.80", u"-2.00%", kFallGreen}, {0, u"--", u"--", kFlatGrey}};
  int n = 0;
  for (const Case& c : cases) {
    Security security;
    security.code = n++ % 2 ? u"SH600002" : u"SH600001";  // a new code loads afresh
    security.last = c.last;
    OpenOn(security);
    const RecordingCanvas canvas = Paint();
    EXPECT_TRUE(canvas.DrewText(c.price, c.colour)) << c.last;
    EXPECT_TRUE(canvas.DrewText(c.percent, c.colour)) << c.last;
  }
}

TEST_F(StockDetailDlgTest, IndexShowsItsFiguresAndNoTabs) {
  Security index;
  index.code = u"SH000001";
  index.type = kSecurityTypeIndex;
  OpenOn(index);
  const RecordingCanvas canvas = Paint();
  EXPECT_EQ(screen_.panel(), kPanelIndexFigures);
  EXPECT_TRUE(canvas.DrewText(u"500家", kRiseRed));
  EXPECT_FALSE(canvas.FindText(u"五档").has_value());
  screen_.SendKey(kKeyUp);
  EXPECT_TRUE(screen_.full_screen());
  const auto items = screen_.PopupMenuItems();
  for (const MenuItem& item : items) EXPECT_NE(item.text, u"F10信息");
}

TEST_F(StockDetailDlgTest, IndexFutureAsksForItsQuoteAndShowsItsFigures) {
  Security future;
  future.code = u"IF000001";
  future.type = kSecurityTypeIndexFuture;
  OpenOn(future);
  const Bytes request = server_.Last();
  ASSERT_GE(request.size(), 20u);
  const std::uint8_t tail[] = {0x83, 0x0C};  // 3203 closes the request
  const std::size_t typeAt = request.size() - 1 - (2 + 8) - 6;
  EXPECT_EQ(request[typeAt], tail[0]);
  EXPECT_EQ(request[typeAt + 1], tail[1]);
  const RecordingCanvas canvas = Paint();
  EXPECT_EQ(screen_.panel(), kPanelQuoteFigures);
  EXPECT_TRUE(canvas.FindText(u"卖价").has_value());
  EXPECT_TRUE(canvas.FindText(u"3500.03").has_value());  // ask
  EXPECT_TRUE(canvas.FindText(u"9:15").has_value());
  EXPECT_TRUE(canvas.FindText(u"15:15").has_value());
}

TEST_F(StockDetailDlgTest, UntradedSecurityGetsTheOnePercentScale) {
  Security untraded;
  untraded.last = 0;
  untraded.high = 0;
  untraded.low = 0;
  untraded.minutes = 0;
  OpenOn(untraded);
  const RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"10.10", kRiseRed));
  EXPECT_TRUE(canvas.DrewText(u"-1.00%", kFallGreen));
}

TEST_F(StockDetailDlgTest, CursorBoxShowsTheMinuteOnTheFarSideAndATouchInsideHidesIt) {
  Security day;
  day.minutes = 240;
  OpenOn(day);
  Paint();
  screen_.SendKey(kKeyLeft);  // onto the newest minute, in the right half of the chart
  ASSERT_TRUE(screen_.cursor_shown());
  RecordingCanvas canvas = Paint();
  auto label = canvas.FindText(u"时");
  ASSERT_TRUE(label.has_value());
  EXPECT_LT(label->box.left, 10);  // the box sits at the chart's left
  EXPECT_TRUE(canvas.DrewText(u"13:28", kPlainWhite));  // minute 241 x 316 / 480 x 3/2 = 237
  EXPECT_TRUE(canvas.DrewText(u"10.20", kRiseRed));

  screen_.OnPenDown({140, label->box.top + 5});  // left half, outside the box: the cursor moves there
  canvas = Paint();
  label = canvas.FindText(u"时");
  ASSERT_TRUE(label.has_value());
  EXPECT_GT(label->box.left, 480 / 3);  // now at the chart's right edge
  screen_.OnPenDown({label->box.left + 2, label->box.top + 2});
  EXPECT_FALSE(screen_.cursor_shown());
  EXPECT_FALSE(Paint().FindText(u"时").has_value());
  screen_.OnPenDown({50, label->box.top + 5});
  EXPECT_TRUE(screen_.cursor_shown());
}

TEST_F(StockDetailDlgTest, RefreshesAskedForDuringAnExchangeCostOneMore) {
  OpenOn(Security{});
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.HasTimer(kTimerIntraday); }));
  const int before = server_.count();
  server_.Hold();
  screen_.RequestRefresh(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return server_.waiting(); }));
  for (int i = 0; i < 3; ++i) screen_.RequestRefresh(false);
  server_.Release();
  ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() == before + 2 && screen_.HasTimer(kTimerIntraday); }));
  ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(300));
  EXPECT_EQ(server_.count(), before + 2);
}


TEST(StockDetailWayBackTest, BackAndStepsFollowTheCaller) {
  testing::QtApp app;
  testing::TestScreen main;
  testing::ScriptedServer server{AnswerFor(Security{})};
  testing::RecordingNavigator navigator;
  navigator.SetBrowseList({SecurityCode(u"SH600001"), SecurityCode(u"SH600002")});
  navigator.SetCurrentSecurity(SecurityCode(u"SH600001"));
  StockDetailParts parts{server.Function(), &main, nullptr, nullptr, std::chrono::seconds(60), &navigator};
  TouchableDetail screen(parts);
  screen.resize(480, 640);
  RecordingCanvas canvas(Size{480, 640});
  screen.PaintOn(canvas);  // takes the line height the layout is measured in
  const int toolbarY = 640 - 5;
  const int backX = 480 - 10;
  const int nextX = 480 - 5;

  screen.Open(SecurityCode(u"SH600001"), kTargetQuoteList);
  screen.OnPenDown({backX, toolbarY});
  screen.OnPenDown({nextX, 5});
  screen.OnPenDown({480 * 2 / 3 + 17 * 480 / 117 + 5, 5});
  EXPECT_EQ(navigator.steps, (std::vector<int>{1, -1}));
  screen.Open(SecurityCode(u"SH600001"), kTargetKLine);  // back from a screen it opened
  screen.OnPenDown({backX, toolbarY});
  screen.Open(SecurityCode(u"SH600003"), 0);  // opened from elsewhere
  screen.OnPenDown({backX, toolbarY});
  screen.OnPenDown({nextX, 5});
  EXPECT_EQ(navigator.steps.size(), 2u);  // not opened from a list: no steps
  const std::vector<NavigationRequest> expected = {{kTargetQuoteList, 1135},
                                                   {kTargetStockDetail, kTargetQuoteList},
                                                   {kTargetStockDetail, kTargetQuoteList},
                                                   {kTargetQuoteList, 1135},
                                                   {kTargetQuoteListOwnPage, kTargetStockDetail}};
  EXPECT_EQ(navigator.visits, expected);
  screen.StopRefreshing();
}

}  // namespace
}  // namespace tarvello
