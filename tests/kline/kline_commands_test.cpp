// The period in the window title.
#include <gtest/gtest.h>

#include "kline/kline_commands.h"

namespace tarvello {
namespace {

TEST(KLineTitleTest, TitleIsCutAtItsFirstDashAndTakesThePeriodSuffix) {
  EXPECT_EQ(TitleWithPeriod(u"浦江银行-日线", KLinePeriod::kWeek), u"浦江银行-周线");
  EXPECT_EQ(TitleWithPeriod(u"浦江银行", KLinePeriod::kFifteenMinutes), u"浦江银行-15分钟线");
  EXPECT_EQ(TitleWithPeriod(u"A-B-C", KLinePeriod::kYear), u"A-年线");
  EXPECT_EQ(TitleWithPeriod(u"浦江银行-周线", KLinePeriod::kCode10), u"浦江银行");
  EXPECT_EQ(TitleWithPeriod(u"X", *PeriodForCommand(32826)), u"X-60分钟线");
}

}  // namespace
}  // namespace tarvello
