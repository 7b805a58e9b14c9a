// K-line requests and the reading of their answers, the zoom arithmetic, and the model's
// operations against scripted server answers: loads, history extension, refresh, cursor and zoom.
#include <gtest/gtest.h>

#include <tuple>

#include "kline/kline_answer.h"
#include "kline/chart_layout.h"
#include "kline/kline_model.h"
#include "kline/kline_viewport.h"
#include "protocol/packet_codec.h"
#include "support/kline_bars.h"
#include "support/kline_exchange.h"
#include "support/loopback_server.h"

namespace tarvello {
namespace {

using testing::Bar;
using testing::AnswerContainer;
using testing::DatedSeries;
using testing::FullLoadAnswer;
using testing::RefreshAnswer;

KLineAnswer Read(const Bytes& container) {
  KLineAnswer answer;
  answer.complete = ReadKLineAnswer(container.data(), container.size(), answer);
  return answer;
}

// An answer whose last block is followed by one that runs past the end.
Bytes Broken(Bytes answer) {
  answer.back() = ':';
  for (const std::uint8_t byte : {0x9A, 0x08, 0x00, 0x00, 0x40, 0x00, 0x01}) answer.push_back(byte);
  return answer;
}

TEST(KLineWireTest, FullLoadAndRefreshContainersAndTheRecordsRead) {
  const CPacketCodec codec;
  const std::vector<Bytes> full{codec.BuildKLine("SZ000002", 8, 20240105, 122, 2), codec.BuildQuote("SZ000002"),
                                codec.BuildSecurityInfo("SZ000002")};
  EXPECT_EQ(BuildFullLoadRequest({"SZ000002", KLinePeriod::kWeek, PriceAdjustment::kBackward}, 20240105),
            CPacketCodec::Join(full));
  const std::vector<Bytes> refresh{codec.BuildKLine("SH600001", 2, 0, 1, 0), codec.BuildQuote("SH600001")};
  EXPECT_EQ(BuildRefreshRequest({"SH600001", KLinePeriod::kFiveMinutes}), CPacketCodec::Join(refresh));
  // Records swap volume and amount and fill zero prices with the close.
  KLineBar sent = Bar(0, 0, 0, 1500, 777, 20240102);
  sent.amount = 888;
  const KLineAnswer answer = Read(AnswerContainer(kKLine, testing::BarsBody({&sent, 1})));
  ASSERT_TRUE(answer.complete);
  ASSERT_EQ(answer.bars.size(), 1u);
  const KLineBar& bar = answer.bars[0];
  EXPECT_EQ(std::tie(bar.date, bar.open, bar.high, bar.low, bar.volume, bar.amount),
            std::tuple(20240102, 1500, 1500, 1500, 777, 888));

  // Only whole records and blocks are taken.
  const std::vector<KLineBar> two{Bar(1, 2, 1, 2, 5, 1), Bar(1, 2, 1, 2, 5, 2)};
  Bytes body = testing::BarsBody(two);
  body[0] = 9;                   // claims nine records
  body.resize(body.size() - 3);  // and the second one is cut short
  EXPECT_EQ(Read(AnswerContainer(kKLine, body)).bars.size(), 1u);
  body[0] = body[1] = 0xFF;  // a count of -1
  EXPECT_TRUE(Read(AnswerContainer(kKLine, body)).bars.empty());
  Bytes quote = testing::QuoteBody(4321, 1000, 50);
  quote.resize(20);
  EXPECT_FALSE(Read(AnswerContainer(kQuote, quote)).quote);
  Bytes info = testing::SecurityInfoBody(3);
  info.resize(8);
  EXPECT_FALSE(Read(AnswerContainer(kSecurityInfo, info)).security);
}

KLineViewport Fitted(int zoomBars, int width, int firstVisible = 0) {
  KLineViewport viewport;
  viewport.zoomBars = zoomBars;
  viewport.firstVisible = firstVisible;
  FitToWidth(viewport, width);
  return viewport;
}

// The bar step is even and never zero; a zoom keeps the right edge.
TEST(ViewportTest, BarStepIsEvenAndNeverZeroAndZoomKeepsTheRightEdge) {
  EXPECT_EQ(std::tuple(Fitted(31, 240).barStep, Fitted(31, 240).visibleCount), std::tuple(6, 40));
  EXPECT_EQ(Fitted(15, 480).barStep, 32);
  EXPECT_EQ(Fitted(94, 100).visibleCount, 50);  // narrower than two pixels a bar
  EXPECT_EQ(Fitted(94, 0).visibleCount, 1);
  KLineViewport viewport = Fitted(31, 240, 50);  // 40 visible, right edge at 90 of 200 bars
  viewport.cursorShown = true;
  ASSERT_TRUE(ZoomIn(viewport, 240, 200));  // 23 bars: step 10, 24 visible
  EXPECT_EQ(viewport.firstVisible, 66);
  EXPECT_EQ(viewport.cursor, 66);
  EXPECT_FALSE(viewport.cursorShown);
  ASSERT_TRUE(ZoomOut(viewport, 240, 200));
  ASSERT_TRUE(ZoomOut(viewport, 240, 200));  // 47 bars: step 4, 60 visible
  EXPECT_EQ(viewport.firstVisible, 30);

  viewport = Fitted(15, 240, 5);  // 15 visible: the edge at 20 cannot show 24 bars
  ASSERT_TRUE(ZoomOut(viewport, 240, 100));
  EXPECT_EQ(viewport.firstVisible, 0);
  viewport = Fitted(23, 240, 90);  // edge 114 beyond 100 bars snaps to the newest
  ASSERT_TRUE(ZoomIn(viewport, 240, 100));
  EXPECT_EQ(viewport.firstVisible, 85);
}

// Each model operation that asks for bars is followed by Run, which plays the exchange as the
// screen's worker would. The screen is 240 pixels wide, so 31 zoomed bars show 40 at a time.
constexpr std::int32_t kFirstDate = 1000;
constexpr auto kReset = KLineModel::OpenMode::kResetChoices;

class KLineModelTest : public ::testing::Test {
 protected:
  // Opens on a security whose server holds count bars dated from kFirstDate.
  void OpenWith(int count, std::u16string_view code = u"SH600001") {
    exchange_.Answer(FullLoadAnswer(DatedSeries(count, kFirstDate)));
    model_.Open(code, false, kReset);
    Run();
    ASSERT_TRUE(model_.loaded());
  }
  // Runs the load asked for, if any; false when none was asked or its answer did not apply.
  bool Run() {
    const std::optional<KLineModel::Load> load = model_.TakeLoad();
    return load && model_.ApplyLoad(*load, FetchKLineAnswer(exchange_.Function(), load->request));
  }
  bool Refresh() { return model_.ApplyRefresh(FetchKLineAnswer(exchange_.Function(), model_.RefreshRequest())); }
  void MoveLeft(int times) {
    for (int i = 0; i < times; ++i) {
      model_.MoveCursorLeft();
      Run();
    }
  }
  const KLineViewport& view() const { return model_.viewport(); }
  std::int32_t CursorDate() const { return model_.bars()[view().cursor].date; }
  // Whether the last request asked for code's bars before start with these choices.
  bool LastAskedFor(KLinePeriod period, PriceAdjustment adjustment, std::int32_t start = 0,
                    std::string_view code = "SH600001") const {
    const KLineQuery query{code, period, adjustment};
    return exchange_.requests().back() == BuildFullLoadRequest(query, static_cast<std::uint32_t>(start));
  }

  testing::ScriptedExchange exchange_;
  KLineModel model_{240};
};

// Also: the code already shown and loaded asks for nothing; a failed opening shows nothing of the
// security before and leaves the model unloaded; one broken after its bars shows them, unloaded.
TEST_F(KLineModelTest, OpenKeepsTheNewestBarsAndShowsTheNewestWindow) {
  OpenWith(200);
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kDay, PriceAdjustment::kNone));
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(model_.bars().back().date, kFirstDate + 199);
  EXPECT_EQ(std::tuple(view().cursor, view().firstVisible), std::tuple(122, 83));
  EXPECT_FALSE(view().cursorShown);
  EXPECT_EQ(model_.quote().last, 1234);
  EXPECT_NE(model_.bars().back().volMa5, 0.0f);  // VOL is the default indicator
  model_.Open(u"SH600001", true, kReset);
  EXPECT_FALSE(model_.LoadAsked());
  OpenWith(10, u"SZ000002");  // shorter than the window: starts at the left
  EXPECT_EQ(std::tuple(view().cursor, view().firstVisible), std::tuple(9, 0));
  exchange_.Fail();
  model_.Open(u"SZ000003", false, kReset);
  EXPECT_EQ(model_.quote().last, 0);
  EXPECT_FALSE(Run());
  EXPECT_FALSE(model_.loaded());
  EXPECT_EQ(model_.total(), 0);
  exchange_.Answer(Broken(FullLoadAnswer(DatedSeries(20, kFirstDate))));
  model_.RetryFailedOpen();
  EXPECT_FALSE(Run());
  EXPECT_FALSE(model_.loaded()) << "asked again next period";
  EXPECT_EQ(model_.total(), 20) << "the bars before the break are shown meanwhile";
}

// A pinch or Ctrl with the wheel zooms around its point: the bar under it stays under it, in and
// out, as long as the series reaches that far; the window never leaves the series.
TEST_F(KLineModelTest, AZoomAtAPointKeepsTheBarUnderIt) {
  OpenWith(200);
  const auto bar_at = [&](int x) { return SlotsFor(view(), model_.total(), 240).BarAt(x); };
  for (const int x : {60, 200}) {
    SCOPED_TRACE(x);
    const std::optional<int> under = bar_at(x);
    ASSERT_TRUE(under.has_value());
    ASSERT_TRUE(model_.ZoomAt(true, x));
    EXPECT_EQ(bar_at(x), under);
    ASSERT_TRUE(model_.ZoomAt(false, x));
    EXPECT_EQ(bar_at(x), under);
  }
  while (model_.ZoomAt(false, 0)) {
    EXPECT_GE(view().firstVisible, 0);
    EXPECT_LE(view().firstVisible + view().visibleCount, std::max(model_.total(), view().visibleCount));
  }
}

TEST_F(KLineModelTest, NextAndPreviousKeepTheUsersChoicesAndPlainOpenResetsThem) {
  OpenWith(50);
  model_.SetPeriod(KLinePeriod::kWeek);
  model_.SetAdjustment(PriceAdjustment::kForward);  // asked before the week load ran: one load
  model_.SelectIndicator(KLineIndicator::kMacd);
  ASSERT_TRUE(model_.ZoomIn());
  exchange_.Answer(FullLoadAnswer(DatedSeries(50)));
  ASSERT_TRUE(Run());
  EXPECT_FALSE(Run());
  exchange_.Answer(FullLoadAnswer(DatedSeries(50)));
  model_.Open(u"SZ000002", false, KLineModel::OpenMode::kKeepChoices);
  Run();
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kWeek, PriceAdjustment::kForward, 0, "SZ000002"));
  EXPECT_EQ(model_.indicator(), KLineIndicator::kMacd);
  EXPECT_EQ(view().zoomBars, 23);
  OpenWith(50, u"SZ000003");
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kDay, PriceAdjustment::kNone, 0, "SZ000003"));
  EXPECT_EQ(model_.indicator(), KLineIndicator::kVol);
  EXPECT_EQ(view().zoomBars, 31);
}

// The series is replaced by whatever the load got; an answer asked for before a newer change is
// dropped, as the newer load follows.
TEST_F(KLineModelTest, PeriodAndAdjustmentChangesReplaceTheSeriesWhateverTheyGet) {
  OpenWith(123);
  exchange_.Fail();
  model_.SetPeriod(KLinePeriod::kFiveMinutes);
  Run();
  EXPECT_EQ(model_.total(), 0);
  EXPECT_TRUE(model_.loaded());
  Bytes broken = FullLoadAnswer(DatedSeries(7));
  broken.pop_back();
  exchange_.Answer(broken);
  model_.SetAdjustment(PriceAdjustment::kBackward);
  Run();
  EXPECT_EQ(model_.total(), 7);
  model_.SetPeriod(KLinePeriod::kWeek);
  const std::optional<KLineModel::Load> weekly = model_.TakeLoad();
  model_.SetPeriod(KLinePeriod::kDay);  // while the weekly load runs
  exchange_.Answer(FullLoadAnswer(DatedSeries(9)));
  EXPECT_FALSE(model_.ApplyLoad(*weekly, FetchKLineAnswer(exchange_.Function(), weekly->request)));
  EXPECT_EQ(model_.total(), 7);
  exchange_.Answer(FullLoadAnswer(DatedSeries(100)));
  Run();  // the day period puts the cursor on the first visible bar
  EXPECT_EQ(view().cursor, 60);
}

// Bar dates held: day 1000..1122, or January minutes. The cursor goes to index 68, the first in
// the zone (40 visible + 29) where a move left asks for older bars. Day-based dates are taken by
// value walking back from the newest; minute times carry no year, so the server's order decides.
TEST_F(KLineModelTest, HistoryPutsOnlyOlderBarsInFrontAndTheCursorStaysOnItsBar) {
  const auto minute = [](int month, int i) { return month << 16 | (2 + i / 50) << 11 | 10 << 6 | i % 50; };
  std::vector<KLineBar> january = DatedSeries(123);
  for (int i = 0; i < 123; ++i) january[static_cast<std::size_t>(i)].date = minute(1, i);
  const std::int32_t dec1 = minute(12, 1), dec2 = minute(12, 2), jan = minute(1, 0);
  struct Case {
    KLinePeriod period;
    std::vector<std::int32_t> received;
    std::vector<std::int32_t> front;  // the dates in front afterwards, down to the first held
  };
  const Case cases[] = {
      {KLinePeriod::kDay, {997, 998, 999, 1000}, {997, 998, 999, 1000}},
      {KLinePeriod::kDay, {995, 999, 998, 1000, 1001, 1002}, {995, 998, 1000}},
      {KLinePeriod::kDay, {1000, 1001}, {1000}},
      {KLinePeriod::kFiveMinutes, {dec1, dec2, jan}, {dec1, dec2, jan}},
      {KLinePeriod::kFiveMinutes, {dec1, dec2}, {dec1, dec2, jan}},
  };
  char16_t last = u'2';
  for (const Case& c : cases) {
    SCOPED_TRACE(c.received.size());
    OpenWith(123, std::u16string(u"SH60000") + last++);
    if (c.period != KLinePeriod::kDay) {
      exchange_.Answer(FullLoadAnswer(january));
      model_.SetPeriod(c.period);
      Run();
    }
    MoveLeft(53);
    const std::int32_t cursorDate = model_.bars()[68].date;
    std::vector<KLineBar> received = DatedSeries(static_cast<int>(c.received.size()));
    for (std::size_t i = 0; i < received.size(); ++i) received[i].date = c.received[i];
    exchange_.Answer(FullLoadAnswer(received));
    MoveLeft(1);
    ASSERT_EQ(model_.total(), 123 + static_cast<int>(c.front.size()) - 1);
    for (std::size_t i = 0; i < c.front.size(); ++i) EXPECT_EQ(model_.bars()[i].date, c.front[i]) << i;
    EXPECT_EQ(CursorDate(), cursorDate);
  }
}

// Every move inside the zone asks again after a failed exchange; a full chunk moves the cursor
// and the window by the chunk. Once the server has answered that nothing older exists, moves ask
// no more until a fresh series replaces this one, which asks once again. Sixty-minute bars never
// ask.
TEST_F(KLineModelTest, MovesNearTheStartAskForOlderBarsUntilTheServerHasNone) {
  OpenWith(123);
  MoveLeft(53);
  exchange_.Fail();
  MoveLeft(1);
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kDay, PriceAdjustment::kNone, kFirstDate));
  EXPECT_EQ(view().firstVisible, 68);
  exchange_.Answer(FullLoadAnswer(DatedSeries(123, kFirstDate - 123)));
  MoveLeft(1);
  EXPECT_EQ(exchange_.requests().size(), 3u);
  EXPECT_EQ(model_.total(), 246);
  EXPECT_EQ(std::tuple(view().cursor, view().firstVisible), std::tuple(67 + 123, 67 + 123));
  EXPECT_EQ(CursorDate(), kFirstDate + 67);

  MoveLeft(121);
  exchange_.Answer(FullLoadAnswer(DatedSeries(40, kFirstDate - 123)));  // nothing before the first held
  MoveLeft(1);
  EXPECT_EQ(exchange_.requests().size(), 4u);
  MoveLeft(30);
  EXPECT_EQ(exchange_.requests().size(), 4u);
  EXPECT_EQ(view().cursor, 38);

  exchange_.Answer(FullLoadAnswer(DatedSeries(123)));
  model_.SetPeriod(KLinePeriod::kWeek);
  Run();
  MoveLeft(54);
  EXPECT_EQ(exchange_.requests().size(), 6u);

  exchange_.Answer(FullLoadAnswer(DatedSeries(123)));
  model_.SetPeriod(KLinePeriod::kSixtyMinutes);
  Run();
  MoveLeft(122);
  EXPECT_EQ(exchange_.requests().size(), 7u);
  EXPECT_EQ(view().firstVisible, 0);
}

TEST_F(KLineModelTest, RefreshAppendsOnlyANewDateAndAlwaysTakesTheQuote) {
  OpenWith(123);
  std::vector<KLineBar> same = DatedSeries(1, kFirstDate + 122);
  same[0].close = 1;
  exchange_.Answer(RefreshAnswer(same, 777));
  EXPECT_FALSE(Refresh());
  EXPECT_EQ(exchange_.requests().back(), BuildRefreshRequest({"SH600001"}));
  EXPECT_NE(model_.bars().back().close, 1);
  EXPECT_EQ(model_.quote().last, 777);
  exchange_.Fail();
  EXPECT_FALSE(Refresh());
  model_.MoveCursorLeft();
  exchange_.Answer(Broken(RefreshAnswer(DatedSeries(1, kFirstDate + 123), 999)));
  EXPECT_TRUE(Refresh()) << "the bar and the quote before the break are taken";
  EXPECT_EQ(model_.quote().last, 999);
  EXPECT_EQ(model_.total(), 124);
  EXPECT_EQ(std::tuple(view().cursor, view().firstVisible), std::tuple(84, 84));
  EXPECT_FALSE(view().cursorShown);
}

}  // namespace
}  // namespace tarvello
