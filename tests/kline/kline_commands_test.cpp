// Commands and the period in the window title.
#include <gtest/gtest.h>

#include "kline/kline_commands.h"

namespace tarvello {
namespace {

TEST(KLineTitleTest, TitleIsCutAtItsFirstDashAndTakesThePeriodSuffix) {
  EXPECT_EQ(TitleWithPeriod(u"浦江银行-日线", KLinePeriod::kWeek), u"浦江银行-周线");
  EXPECT_EQ(TitleWithPeriod(u"浦江银行", KLinePeriod::kFifteenMinutes), u"浦江银行-15分钟线");
  EXPECT_EQ(TitleWithPeriod(u"A-B-C", KLinePeriod::kYear), u"A-年线");
  EXPECT_EQ(TitleWithPeriod(u"浦江银行-周线", KLinePeriod::kCode10), u"浦江银行");
}

TEST(KLineCommandsTest, CommandsNameTheirCodesAndOthersNothing) {
  EXPECT_EQ(PeriodForCommand(32822), KLinePeriod::kFifteenMinutes);
  EXPECT_EQ(PeriodForCommand(32832), KLinePeriod::kYear);
  EXPECT_EQ(AdjustmentForCommand(32888), PriceAdjustment::kBackward);
  EXPECT_EQ(IndicatorForCommand(32923), KLineIndicator::kWr);
  EXPECT_FALSE(PeriodForCommand(32821));
  EXPECT_FALSE(AdjustmentForCommand(32885));
  EXPECT_FALSE(AdjustmentForCommand(32889));
  EXPECT_FALSE(IndicatorForCommand(32803));
}

}  // namespace
}  // namespace tarvello
