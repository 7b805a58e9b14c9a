// The K-line model's operations against scripted server answers: loads, history extension,
// refresh, cursor and zoom. The screen is 240 pixels wide, so 31 zoomed bars show 40 at a time.
#include <gtest/gtest.h>

#include "support/kline_bars.h"
#include "kline/kline_model.h"
#include "support/kline_exchange.h"

namespace tarvello {
namespace {

using testing::DatedSeries;
using testing::FullLoadAnswer;
using testing::RefreshAnswer;

constexpr std::int32_t kFirstDate = 1000;
constexpr auto kReset = KLineModel::OpenMode::kResetChoices;

class KLineModelTest : public ::testing::Test {
 protected:
  // Opens on a security whose server holds count bars dated from kFirstDate.
  void OpenWith(int count, std::u16string_view code = u"SH600001") {
    exchange_.Answer(FullLoadAnswer(DatedSeries(count, kFirstDate)));
    ASSERT_TRUE(model_.Open(code, false, kReset));
  }
  void MoveLeft(int times) {
    for (int i = 0; i < times; ++i) model_.MoveCursorLeft();
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
  KLineModel model_{exchange_.Function(), 240};
};

TEST_F(KLineModelTest, OpenKeepsTheNewestBarsAndShowsTheNewestWindow) {
  OpenWith(200);
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kDay, PriceAdjustment::kNone));
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(model_.bars().back().date, kFirstDate + 199);
  EXPECT_EQ(view().cursor, 122);
  EXPECT_EQ(view().firstVisible, 83);
  EXPECT_FALSE(view().cursorShown);
  EXPECT_EQ(model_.quote().last, 1234);
  EXPECT_NE(model_.bars().back().volMa5, 0.0f);  // VOL is the default indicator
  EXPECT_TRUE(model_.Open(u"SH600001", true, kReset));  // already shown: no request
  EXPECT_EQ(exchange_.requests().size(), 1u);
  OpenWith(10, u"SZ000002");  // shorter than the window: starts at the left
  EXPECT_EQ(view().firstVisible, 0);
  EXPECT_EQ(view().cursor, 9);
}

TEST_F(KLineModelTest, FailedOpenShowsNoBarsOfTheOldSecurityAndRetries) {
  OpenWith(50);
  exchange_.Fail();
  EXPECT_FALSE(model_.Open(u"SZ000002", false, kReset));
  EXPECT_EQ(model_.total(), 0);
  EXPECT_EQ(view().cursor, 0);
  OpenWith(5, u"SZ000002");
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
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kWeek, PriceAdjustment::kForward, 0, "SZ000002"));
  EXPECT_EQ(model_.indicator(), KLineIndicator::kMacd);
  EXPECT_EQ(view().zoomBars, 23);
  OpenWith(50, u"SZ000003");
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kDay, PriceAdjustment::kNone, 0, "SZ000003"));
  EXPECT_EQ(model_.indicator(), KLineIndicator::kVol);
  EXPECT_EQ(view().zoomBars, 31);
}

TEST_F(KLineModelTest, PeriodAndAdjustmentChangesReplaceTheSeriesWhateverTheyGet) {
  OpenWith(123);
  exchange_.Fail();
  model_.SetPeriod(KLinePeriod::kFiveMinutes);
  EXPECT_EQ(model_.total(), 0);
  EXPECT_TRUE(model_.loaded());
  Bytes broken = FullLoadAnswer(DatedSeries(7));
  broken.pop_back();
  exchange_.Answer(broken);
  model_.SetAdjustment(PriceAdjustment::kBackward);
  EXPECT_EQ(model_.total(), 7);
  exchange_.Answer(FullLoadAnswer(DatedSeries(100)));
  model_.SetPeriod(KLinePeriod::kDay);  // the day period puts the cursor on the first visible bar
  EXPECT_EQ(view().cursor, 60);
}

TEST_F(KLineModelTest, CursorMovingRightPastTheWindowScrollsByOneBar) {
  OpenWith(123);
  MoveLeft(40);  // cursor 82, the window followed it to 82
  ASSERT_EQ(view().firstVisible, 82);
  for (int i = 0; i < 39; ++i) model_.MoveCursorRight();
  EXPECT_EQ(view().firstVisible, 82);
  model_.MoveCursorRight();
  EXPECT_EQ(view().cursor, 122);
  EXPECT_EQ(view().firstVisible, 83);
  EXPECT_TRUE(view().cursorShown);
  model_.MoveCursorRight();
  EXPECT_EQ(view().cursor, 122);
}

// Opens with 123 bars dated 1000..1122 and moves the cursor to index 69, the last one outside
// the zone (40 visible + 29) where a further move left asks for older bars.
class ExtendHistoryTest : public KLineModelTest {
 protected:
  void SetUp() override {
    OpenWith(123);
    MoveLeft(53);
    ASSERT_EQ(view().cursor, 69);
    ASSERT_EQ(exchange_.requests().size(), 1u);
  }
  void MoveLeftGetting(std::vector<KLineBar> bars) {
    exchange_.Answer(FullLoadAnswer(bars));
    model_.MoveCursorLeft();
  }
};

TEST_F(ExtendHistoryTest, OlderBarsGoInFrontAndTheCursorStaysOnItsBar) {
  MoveLeftGetting(DatedSeries(122, kFirstDate - 122));
  EXPECT_TRUE(LastAskedFor(KLinePeriod::kDay, PriceAdjustment::kNone, kFirstDate));
  EXPECT_EQ(model_.total(), 245);
  EXPECT_EQ(model_.bars().front().date, kFirstDate - 122);
  EXPECT_EQ(view().cursor, 68 + 122);
  EXPECT_EQ(view().firstVisible, 68 + 122);
  EXPECT_EQ(CursorDate(), kFirstDate + 68);
  MoveLeft(121);  // into the zone again: a full chunk moves everything by the chunk
  MoveLeftGetting(DatedSeries(123, kFirstDate - 245));
  EXPECT_EQ(model_.total(), 368);
  EXPECT_EQ(CursorDate(), kFirstDate + 68 - 122);
}

TEST_F(ExtendHistoryTest, NothingOlderInsertsNothingButEveryMoveAsks) {
  MoveLeftGetting(DatedSeries(5, kFirstDate));
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(view().cursor, 68);
  EXPECT_EQ(view().firstVisible, 68);
  exchange_.Fail();
  model_.MoveCursorLeft();
  EXPECT_EQ(exchange_.requests().size(), 3u);
  EXPECT_EQ(model_.total(), 123);
  EXPECT_EQ(view().firstVisible, 67);
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

TEST_F(KLineModelTest, SixtyMinuteBarsNeverAskForOlderHistory) {
  OpenWith(123);
  exchange_.Answer(FullLoadAnswer(DatedSeries(123)));
  model_.SetPeriod(KLinePeriod::kSixtyMinutes);
  MoveLeft(122);
  EXPECT_EQ(exchange_.requests().size(), 2u);
  EXPECT_EQ(view().firstVisible, 0);
}

TEST_F(KLineModelTest, RefreshAppendsOnlyANewDateAndAlwaysTakesTheQuote) {
  OpenWith(123);
  std::vector<KLineBar> same = DatedSeries(1, kFirstDate + 122);
  same[0].close = 1;
  exchange_.Answer(RefreshAnswer(same, 777));
  EXPECT_FALSE(model_.Refresh());
  EXPECT_EQ(exchange_.requests().back(), BuildRefreshRequest({"SH600001"}));
  EXPECT_NE(model_.bars().back().close, 1);
  EXPECT_EQ(model_.quote().last, 777);
  exchange_.Fail();
  EXPECT_FALSE(model_.Refresh());
  EXPECT_EQ(model_.total(), 123);

  model_.MoveCursorLeft();
  exchange_.Answer(RefreshAnswer(DatedSeries(1, kFirstDate + 123), 999));
  EXPECT_TRUE(model_.Refresh());
  EXPECT_EQ(model_.total(), 124);
  EXPECT_EQ(view().firstVisible, 84);
  EXPECT_EQ(view().cursor, 84);
  EXPECT_FALSE(view().cursorShown);
}

}  // namespace
}  // namespace tarvello
