// The K-line model's operations against scripted server answers: loads, history extension,
// refresh, cursor and zoom. The screen is 240 pixels wide, so 31 zoomed bars show 40 at a time.
#include <gtest/gtest.h>

#include "bar_builders.h"
#include "kline/kline_model.h"
#include "scripted_exchange.h"

namespace tarvello {
namespace {

using testing::DatedSeries;
using testing::FullLoadAnswer;
using testing::ReadKLineRequest;
using testing::RefreshAnswer;

constexpr int kWidth = 240;
constexpr std::int32_t kFirstDate = 1000;

class KLineModelTest : public ::testing::Test {
 protected:
  // Opens on a security whose server holds count bars dated from kFirstDate.
  void OpenWith(int count, std::u16string_view code = u"SH600001") {
    exchange_.Answer(FullLoadAnswer(DatedSeries(count, kFirstDate)));
    ASSERT_TRUE(model_.Open(code, false, KLineModel::OpenMode::kResetChoices));
  }
  void MoveLeft(int times) {
    for (int i = 0; i < times; ++i) model_.MoveCursorLeft();
  }
  std::int32_t CursorDate() const { return model_.bars()[model_.viewport().cursor].date; }

  testing::ScriptedExchange exchange_;
  KLineModel model_{&exchange_, kWidth};
};

TEST_F(KLineModelTest, OpenKeepsTheNewestBarsAndShowsTheNewestWindow) {
  OpenWith(200);
  const auto request = ReadKLineRequest(exchange_.requests().at(0));
  EXPECT_EQ(request.code, "SH600001");
  EXPECT_EQ(request.start, 0u);
  EXPECT_EQ(request.count, 122);
  EXPECT_EQ(request.period, 7);
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(model_.bars().back().date, kFirstDate + 199);
  EXPECT_EQ(model_.viewport().cursor, 122);
  EXPECT_EQ(model_.viewport().firstVisible, 83);
  EXPECT_FALSE(model_.viewport().cursorShown);
  EXPECT_EQ(model_.quote().last, 1234);
  EXPECT_NE(model_.bars().back().volMa5, 0.0f);  // VOL is the default indicator
}

TEST_F(KLineModelTest, SeriesShorterThanTheWindowStartsAtTheLeft) {
  OpenWith(10);
  EXPECT_EQ(model_.viewport().firstVisible, 0);
  EXPECT_EQ(model_.viewport().cursor, 9);
}

TEST_F(KLineModelTest, OpeningTheLoadedCodeAgainSendsNothing) {
  OpenWith(50);
  EXPECT_TRUE(model_.Open(u"SH600001", true, KLineModel::OpenMode::kResetChoices));
  EXPECT_EQ(exchange_.requests().size(), 1u);
  EXPECT_TRUE(model_.inSelfSelect());
}

TEST_F(KLineModelTest, FailedOpenShowsNoBarsOfTheOldSecurityAndRetries) {
  OpenWith(50);
  exchange_.Fail();
  EXPECT_FALSE(model_.Open(u"SZ000002", false, KLineModel::OpenMode::kResetChoices));
  EXPECT_EQ(model_.total(), 0);
  EXPECT_EQ(model_.viewport().cursor, 0);
  exchange_.Answer(FullLoadAnswer(DatedSeries(5)));
  EXPECT_TRUE(model_.Open(u"SZ000002", false, KLineModel::OpenMode::kResetChoices));
  EXPECT_EQ(model_.total(), 5);
}

TEST_F(KLineModelTest, NextAndPreviousKeepTheUsersChoicesAndPlainOpenResetsThem) {
  OpenWith(50);
  exchange_.Answer(FullLoadAnswer(DatedSeries(50)));
  model_.SetPeriod(KLinePeriod::kWeek);
  exchange_.Answer(FullLoadAnswer(DatedSeries(50)));
  model_.SetAdjustment(PriceAdjustment::kForward);
  model_.SelectIndicator(KLineIndicator::kMacd);
  ASSERT_TRUE(model_.ZoomIn());
  exchange_.Answer(FullLoadAnswer(DatedSeries(50)));
  model_.Open(u"SZ000002", false, KLineModel::OpenMode::kKeepChoices);
  const auto kept = ReadKLineRequest(exchange_.requests().back());
  EXPECT_EQ(kept.period, 8);
  EXPECT_EQ(kept.adjustment, 1);
  EXPECT_EQ(model_.indicator(), KLineIndicator::kMacd);
  EXPECT_EQ(model_.viewport().zoomBars, 23);
  exchange_.Answer(FullLoadAnswer(DatedSeries(50)));
  model_.Open(u"SZ000003", false, KLineModel::OpenMode::kResetChoices);
  const auto reset = ReadKLineRequest(exchange_.requests().back());
  EXPECT_EQ(reset.period, 7);
  EXPECT_EQ(reset.adjustment, 0);
  EXPECT_EQ(model_.indicator(), KLineIndicator::kVol);
  EXPECT_EQ(model_.viewport().zoomBars, 31);
}

TEST_F(KLineModelTest, PeriodChangeReplacesTheSeriesEvenWhenTheLoadFails) {
  OpenWith(123);
  exchange_.Fail();
  model_.SetPeriod(KLinePeriod::kFiveMinutes);
  EXPECT_EQ(model_.period(), KLinePeriod::kFiveMinutes);
  EXPECT_EQ(model_.total(), 0);
  EXPECT_TRUE(model_.loaded());
  Bytes broken = FullLoadAnswer(DatedSeries(7));
  broken.pop_back();
  exchange_.Answer(broken);
  model_.SetAdjustment(PriceAdjustment::kBackward);
  EXPECT_EQ(model_.total(), 7);
}

TEST_F(KLineModelTest, ChangeToTheDayPeriodPutsTheCursorOnTheFirstVisibleBar) {
  OpenWith(100);
  exchange_.Answer(FullLoadAnswer(DatedSeries(100)));
  model_.SetPeriod(KLinePeriod::kWeek);
  EXPECT_EQ(model_.viewport().cursor, 99);
  exchange_.Answer(FullLoadAnswer(DatedSeries(100)));
  model_.SetPeriod(KLinePeriod::kDay);
  EXPECT_EQ(model_.viewport().cursor, 60);
}

TEST_F(KLineModelTest, CursorMovingRightPastTheWindowScrollsByOneBar) {
  OpenWith(123);
  MoveLeft(40);  // cursor 82, the window followed it to 82
  ASSERT_EQ(model_.viewport().firstVisible, 82);
  for (int i = 0; i < 39; ++i) model_.MoveCursorRight();
  EXPECT_EQ(model_.viewport().firstVisible, 82);
  model_.MoveCursorRight();
  EXPECT_EQ(model_.viewport().cursor, 122);
  EXPECT_EQ(model_.viewport().firstVisible, 83);
  EXPECT_TRUE(model_.viewport().cursorShown);
  model_.MoveCursorRight();
  EXPECT_EQ(model_.viewport().cursor, 122);
  EXPECT_EQ(exchange_.requests().size(), 1u);
}

// Opens with 123 bars dated 1000..1122 and moves the cursor to index 69, the last one outside
// the zone (40 visible + 29) where a further move left asks for older bars.
class ExtendHistoryTest : public KLineModelTest {
 protected:
  void SetUp() override {
    OpenWith(123);
    MoveLeft(53);
    ASSERT_EQ(model_.viewport().cursor, 69);
    ASSERT_EQ(exchange_.requests().size(), 1u);
  }
  // The next move left gets these bars from the server.
  void MoveLeftGetting(std::vector<KLineBar> bars) {
    exchange_.Answer(FullLoadAnswer(bars));
    model_.MoveCursorLeft();
  }
};

TEST_F(ExtendHistoryTest, OlderBarsGoInFrontAndTheCursorStaysOnItsBar) {
  MoveLeftGetting(DatedSeries(122, kFirstDate - 122));
  const auto request = ReadKLineRequest(exchange_.requests().back());
  EXPECT_EQ(request.start, static_cast<std::uint32_t>(kFirstDate));
  EXPECT_EQ(request.count, 122);
  EXPECT_EQ(model_.total(), 245);
  EXPECT_EQ(model_.bars().front().date, kFirstDate - 122);
  EXPECT_EQ(model_.viewport().cursor, 68 + 122);
  EXPECT_EQ(CursorDate(), kFirstDate + 68);
  EXPECT_EQ(model_.viewport().firstVisible, 68 + 122);
}

TEST_F(ExtendHistoryTest, AFullChunkMovesEverythingByTheChunk) {
  MoveLeftGetting(DatedSeries(123, kFirstDate - 123));
  EXPECT_EQ(model_.total(), 246);
  EXPECT_EQ(model_.viewport().cursor, 68 + 123);
  EXPECT_EQ(CursorDate(), kFirstDate + 68);
}

TEST_F(ExtendHistoryTest, NothingOlderInsertsNothingButTheMoveStillAsks) {
  MoveLeftGetting(DatedSeries(5, kFirstDate));
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(model_.viewport().cursor, 68);
  EXPECT_EQ(model_.viewport().firstVisible, 68);
  MoveLeftGetting({});
  EXPECT_EQ(exchange_.requests().size(), 3u);
  EXPECT_EQ(model_.viewport().cursor, 67);
}

TEST_F(ExtendHistoryTest, OnlyStrictlyOlderBarsWalkingBackFromTheNewestAreInserted) {
  std::vector<KLineBar> bars = DatedSeries(6, kFirstDate - 3);
  bars[0].date = 995;
  bars[1].date = 999;
  bars[2].date = 998;  // 995, 999, 998, 1000..1002: walking back takes 998 and 995 only
  MoveLeftGetting(bars);
  ASSERT_EQ(model_.total(), 125);
  EXPECT_EQ(model_.bars()[0].date, 995);
  EXPECT_EQ(model_.bars()[1].date, 998);
  EXPECT_EQ(CursorDate(), kFirstDate + 68);
}

TEST_F(ExtendHistoryTest, FailedExchangeChangesOnlyTheCursor) {
  exchange_.Fail();
  model_.MoveCursorLeft();
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(model_.viewport().cursor, 68);
  EXPECT_EQ(model_.viewport().firstVisible, 68);
}

TEST_F(KLineModelTest, SixtyMinuteBarsNeverAskForOlderHistory) {
  OpenWith(123);
  exchange_.Answer(FullLoadAnswer(DatedSeries(123)));
  model_.SetPeriod(KLinePeriod::kSixtyMinutes);
  MoveLeft(122);
  EXPECT_EQ(exchange_.requests().size(), 2u);
  EXPECT_EQ(model_.viewport().cursor, 0);
  EXPECT_EQ(model_.viewport().firstVisible, 0);
}

TEST_F(KLineModelTest, RefreshAppendsABarWithANewDate) {
  OpenWith(123);
  model_.MoveCursorLeft();
  std::vector<KLineBar> newest = DatedSeries(1, kFirstDate + 123);
  exchange_.Answer(RefreshAnswer(newest, 999));
  EXPECT_TRUE(model_.Refresh());
  const auto request = ReadKLineRequest(exchange_.requests().back());
  EXPECT_EQ(request.start, 0u);
  EXPECT_EQ(request.count, 1);
  EXPECT_EQ(model_.total(), 124);
  EXPECT_EQ(model_.bars().back().date, kFirstDate + 123);
  EXPECT_EQ(model_.viewport().firstVisible, 84);
  EXPECT_EQ(model_.viewport().cursor, 84);
  EXPECT_FALSE(model_.viewport().cursorShown);
  EXPECT_EQ(model_.quote().last, 999);
}

TEST_F(KLineModelTest, RefreshWithTheSameDateChangesNoBarButTakesTheQuote) {
  OpenWith(123);
  std::vector<KLineBar> same = DatedSeries(1, kFirstDate + 122);
  same[0].close = 1;
  exchange_.Answer(RefreshAnswer(same, 777));
  EXPECT_FALSE(model_.Refresh());
  EXPECT_EQ(model_.total(), 123);
  EXPECT_NE(model_.bars().back().close, 1);
  EXPECT_EQ(model_.quote().last, 777);
}

TEST_F(KLineModelTest, FailedOrEmptyRefreshChangesNothing) {
  OpenWith(123);
  exchange_.Fail();
  EXPECT_FALSE(model_.Refresh());
  exchange_.Answer(RefreshAnswer({}));
  EXPECT_FALSE(model_.Refresh());
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(model_.viewport().cursor, 122);
}

TEST_F(KLineModelTest, ZoomKeepsTheRightEdgeAndReseedsTheWindow) {
  OpenWith(123);
  model_.SelectIndicator(KLineIndicator::kKdj);
  ASSERT_TRUE(model_.ZoomIn());  // 24 visible, right edge stays at 123
  EXPECT_EQ(model_.viewport().firstVisible, 99);
  EXPECT_EQ(model_.viewport().cursor, 99);
  const KLineBar& first = model_.bars()[99];
  const float rsv = (static_cast<float>(first.close) - static_cast<float>(first.llv9)) /
                    (static_cast<float>(first.hhv9) - static_cast<float>(first.llv9)) * 100.0f;
  EXPECT_EQ(first.k, rsv * 0.33333334f + 33.333332f);
}

}  // namespace
}  // namespace tarvello
