#include "futures/futures_dlg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <tuple>

#include "futures/fund_flow_texts.h"
#include "futures/futures_request.h"
#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "support/loopback_server.h"
#include "support/recording_navigator.h"
#include "storage/answer_cache.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

// The answer to each of the three requests and to the security query, with fixed figures; ticks
// start at tickPosition.
Bytes FuturesAnswer(int type, std::int32_t tickPosition) {
  WireWriter body;
  if (type == kSecurityInfo) {
    ContainerWriter answer;
    answer.Add(kSecurityInfo, WireWriter().Str("IF000001").Str("股指期货").U8(1).U8(2).I32(0).I32(0).I32(0).Take());
    answer.Add(kTradingHours, WireWriter().I16(1515).I16(915).Take());
    return answer.Finish();
  }
  if (type == kFuturesQuote) {
    for (std::int32_t v : {350000, 349000, 349980, 350020, 1234, 40000, 351000, 348000, 349600,
                           340000, 12, 15, -120, 50, 50}) body.I32(v);
  } else if (type == kFuturesTicks) {
    body.I32(tickPosition).I32(350000).I16(2);
    body.I32(93005).I32(350020).I32(5).I32(2).U8(3).U8(2);
    body.I32(93025).I32(349980).I32(4).I32(-4).U8(1).U8(1);
  } else {
    body.U8(2).I32(1234).I32(-500).I32(0).I32(0);
    for (std::int32_t v : {30000, 20000, 10000, 25000, 15000, 5000, 1000}) body.I32(v);
    body.I16(3).I16(5).I16(0).I16(9);
  }
  return testing::AnswerContainer(type, body.Take());
}

class TestDlg : public CGzqhDlg {
 public:
  using CGzqhDlg::CGzqhDlg;
  using CGzqhDlg::InTradingHours;
  using CGzqhDlg::OnTimer;
  using CGzqhDlg::RunExchange;
};

class FuturesDlgTest : public ::testing::Test {
 protected:
  void OpenIn(FuturesView view, const char* code = "IF000001", int caller = kTargetStockDetail) {
    screen_.resize(480, 640);
    Paint();  // the screen lays itself out with the metrics of its last paint
    const int before = server_.count();
    screen_.Open(view, SecurityCode::FromAscii(code), FuturesCaller{caller});
    ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() > before && !screen_.busy(); }));
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{480, 640});
    screen_.PaintOn(canvas);
    return canvas;
  }

  testing::QtApp app_;
  testing::TestScreen main_;
  testing::RecordingNavigator navigator_;
  std::atomic<bool> shortAnswers_{false};  // every answer an empty block of 8 bytes
  std::atomic<int> tickPosition_{720};
  std::atomic<bool> silentQuery_{false};  // the security query brings no bytes
  testing::ScriptedServer server_{[this](const Bytes& r) {
    if (silentQuery_ && testing::TypeOf(r) == kSecurityInfo) return Bytes{};
    return shortAnswers_ ? Bytes{'{', r[1], r[2], 0, 0, 0, 0, '}'} : FuturesAnswer(testing::TypeOf(r), tickPosition_);
  }};
  std::vector<std::u16string> titles_;
  TestDlg screen_{FuturesParts{server_.Function(), &main_, nullptr, nullptr, std::chrono::seconds(60), &navigator_,
                               [this](const std::u16string& title) { titles_.push_back(title); }}};
};

// A failed exchange keeps what is shown, and the next timer period retries; a fund flow that came
// back empty counts as failed, so the figures dim as old (a security never answered shows zeros).
TEST_F(FuturesDlgTest, ShortAnswersKeepTheQuoteShowZeroFundFlowAndTheNextTickRetries) {
  screen_.show();
  OpenIn(kViewQuotePanel);
  shortAnswers_ = true;
  screen_.RequestRefresh(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return !screen_.busy() && !screen_.records()->loaded; }));
  EXPECT_TRUE(Paint().DrewText(u"3500.20", kRiseRed));
  const int before = server_.count();
  screen_.OnTimer(kTimerIntraday);  // the next period retries
  ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() > before && !screen_.busy(); }));

  OpenIn(kViewFundFlow, "SH600001");
  EXPECT_FALSE(screen_.RunExchange());
  const RecordingCanvas canvas = Paint();
  EXPECT_TRUE(canvas.DrewText(u"0.00%", kPlainWhite));
  EXPECT_TRUE(canvas.CallsOf(DrawCall::Kind::kPolygon).empty());
}

// The title names the contract once the security query has. A query that brought nothing is asked
// again with the next refresh; one that answered is not asked again for another view. The
// contract's own session decides when its figures can grow old.
TEST_F(FuturesDlgTest, TheSecurityQueryIsAskedUntilItNamesTheTitleAndGivesTheSession) {
  screen_.show();  // a title is taken only by a screen in front
  silentQuery_ = true;
  OpenIn(kViewFundFlow);
  EXPECT_EQ(titles_.back(), u"IF000001");
  EXPECT_TRUE(screen_.records()->loaded) << "the fund flow itself came";
  silentQuery_ = false;
  screen_.RequestRefresh(false);
  ASSERT_TRUE(ProcessEventsUntil([&] { return titles_.back() == u"股指期货" && !screen_.busy(); }));
  EXPECT_EQ(screen_.records()->hours.open, 915);
  const int asked = server_.count();
  OpenIn(kViewTicks);
  EXPECT_EQ(server_.count(), asked + 1) << "the ticks alone";
  EXPECT_EQ(titles_.back(), u"股指期货");
  for (const auto& [hhmmss, trading] : {std::pair{91600, true}, {151000, true}, {113500, false}, {151600, false}}) {
    EXPECT_EQ(screen_.InTradingHours({20261207, hhmmss}), trading) << hhmmss;
  }
}

TEST_F(FuturesDlgTest, UpPagesTicksDownToZero) {
  OpenIn(kViewTicks);
  const int rows = screen_.tick_rows();
  int before = server_.count();
  screen_.SendKey(kKeyUp);  // 720 less two pages is still above 0: the newest page again
  ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() > before && !screen_.busy(); }));
  tickPosition_ = 2 * rows - 1;
  screen_.SendKey(kKeyDown);
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.records()->ticks.position == 2 * rows - 1; }));
  ProcessEventsUntil([&] { return !screen_.busy(); });
  before = server_.count();
  screen_.SendKey(kKeyUp);
  ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_EQ(std::tuple(screen_.records()->ticks.position, server_.count()), std::tuple(0, before));
}

// The fund flow the cache holds opens at once, named, dimmed with its age, through a dead link.
TEST_F(FuturesDlgTest, ACachedFundFlowOpensAtOnceNamedAndDimmedThroughADeadLink) {
  testing::TempFolder folder;
  AnswerCache cache(folder / kAnswerCacheFileName);
  screen_.SetAnswerCache(&cache);
  OpenIn(kViewFundFlow);  // kept in the cache
  OpenIn(kViewQuotePanel, "SH600001");
  server_.down = true;
  screen_.Open(kViewFundFlow, SecurityCode::FromAscii("IF000001"), FuturesCaller{kTargetStockDetail});
  EXPECT_TRUE(screen_.records()->loaded && screen_.records()->flow.ratioToday == 1234);
  EXPECT_EQ(titles_.back(), u"股指期货");
  ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() > 4 && !screen_.busy(); }));
  EXPECT_EQ(screen_.records()->flow.ratioToday, 1234);
  EXPECT_EQ(screen_.StaleAgeNow(), u"0秒前");
}

}  // namespace
}  // namespace tarvello
