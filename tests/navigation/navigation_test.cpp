#include "navigation/navigation.h"

#include <gtest/gtest.h>

#include "navigation/browse_state.h"

namespace tarvello {
namespace {

// The title table itself is the code's own; these are the rules around it.
TEST(NavigationTitleTest, UnknownArgumentsAndTargetsHaveTheirFallbacks) {
  EXPECT_EQ(NavigationTitle(1126, 4242), u"中小企业");
  EXPECT_EQ(NavigationTitle(1129, 1135), std::nullopt);
  EXPECT_EQ(KLineTitle(u"浦江银行", 2), u"浦江银行-5分钟线");
}

TEST(BrowseStateTest, StepsWrapThroughTheListAndStayPutOutsideIt) {
  BrowseState state;
  state.SetList({SecurityCode(u"SH600001"), SecurityCode(u"SZ000001"), SecurityCode(u"SH600036")});
  state.SetCurrent(SecurityCode(u"SH600001"));
  EXPECT_EQ(state.Step(-1), SecurityCode(u"SH600036"));
  EXPECT_EQ(state.Step(1), SecurityCode(u"SH600001"));
  EXPECT_EQ(state.Step(4), SecurityCode(u"SZ000001"));
  state.SetCurrent(SecurityCode(u"SZ399001"));
  EXPECT_EQ(state.Step(1), std::nullopt);
  EXPECT_EQ(state.Current(), SecurityCode(u"SZ399001"));
}

}  // namespace
}  // namespace tarvello
