#include "detail/stock_detail_dlg.h"

#include <gtest/gtest.h>

#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/keys.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
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
  std::vector<std::u16string> titles_;
  CStockDetailDlg screen_{StockDetailParts{server_.Function(), &main_, nullptr, nullptr, std::chrono::seconds(60), nullptr,
                                           [this](const std::u16string& title) { titles_.push_back(title); }}};
};

// The window names the security: its code at once, its name when the answer has brought it.
TEST_F(StockDetailDlgTest, TheTitleIsTheCodeUntilTheNameArrives) {
  OpenOn(Security{});
  Paint();
  Paint();
  EXPECT_EQ(titles_, (std::vector<std::u16string>{u"SH600001", u"Name"}));
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

bool Offers(const std::vector<MenuItem>& items, std::u16string_view text) {
  return std::any_of(items.begin(), items.end(), [&](const MenuItem& item) { return item.text == text; });
}

// Up and Down swap a share's two panels; "十档行情" in the menu shows the ten-level book, whose
// data every refresh fetches. Before the first answer the screen does not guess the kind.
TEST_F(StockDetailDlgTest, KeysAndMenuReachEveryPanelOfAShareOnceItsKindIsKnown) {
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  server_.SetAnswer(AnswerFor(Security{}));
  server_.Hold();
  screen_.resize(480, 640);
  screen_.Open(SecurityCode(u"SH600001"));
  ASSERT_TRUE(ProcessEventsUntil([&] { return server_.waiting(); }));
  EXPECT_FALSE(Offers(screen_.PopupMenuItems(), u"F10信息"));
  EXPECT_FALSE(Offers(screen_.PopupMenuItems(), u"详细报价"));
  screen_.SendKey(kKeyUp);
  EXPECT_FALSE(screen_.full_screen()) << "taken for an index before the answer said otherwise";
  server_.Release();
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.view()->loaded; }));
  Paint();

  const struct {
    KeyCode key;
    DetailPanel shown;
  } presses[] = {{kKeyUp, kPanelQuoteFigures}, {kKeyUp, kPanelFiveLevelBook}, {kKeyDown, kPanelQuoteFigures}};
  for (const auto& press : presses) {
    screen_.SendKey(press.key);
    EXPECT_EQ(screen_.panel(), press.shown);
  }
  const std::vector<MenuItem> items = screen_.PopupMenuItems();
  const auto ten = std::find_if(items.begin(), items.end(), [](const MenuItem& m) { return m.text == u"十档行情"; });
  ASSERT_NE(ten, items.end());
  prompter.QueueMenuChoice(ten->command);
  screen_.SendKey(kKeySoftLeft);
  EXPECT_EQ(screen_.panel(), kPanelTenLevelBook);
  EXPECT_TRUE(Paint().FindText(u"委比").has_value());
  screen_.SendKey(kKeyDown);
  EXPECT_EQ(screen_.panel(), kPanelFiveLevelBook);
  InstallPrompter(nullptr);
}

}  // namespace
}  // namespace tarvello
