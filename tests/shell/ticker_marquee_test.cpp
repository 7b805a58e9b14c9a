#include "shell/ticker_marquee.h"

#include <gtest/gtest.h>

namespace tarvello {
namespace {

TEST(TickerMarqueeTest, RunningMessagesFollowTheWelcomeOnOneLine) {
  EXPECT_EQ(MarqueeText(u"欢迎", u""), u"欢迎");
  EXPECT_EQ(MarqueeText(u"欢迎", u"停牌\r\n\r\n复牌\r\n\r\n"),
            u"欢迎\u3000\u3000\u3000停牌\u3000\u3000\u3000复牌");
  EXPECT_EQ(MarqueeText(u"", u"\r\n通知"), u"通知");
}

TEST(TickerMarqueeTest, TheLineStartsInViewLeavesAtTheLeftAndComesBackFromTheRight) {
  EXPECT_EQ(MarqueeLeft(0, 50, 100), 0);
  EXPECT_EQ(MarqueeLeft(49, 50, 100), -49);
  EXPECT_EQ(MarqueeLeft(50, 50, 100), 100);
  EXPECT_EQ(MarqueeLeft(150, 50, 100), 0);
  EXPECT_EQ(MarqueeLeft(-5, 0, 0), 0);
}

}  // namespace
}  // namespace tarvello
