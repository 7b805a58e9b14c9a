#include "navigation/navigation.h"

#include <gtest/gtest.h>

#include "navigation/browse_state.h"

namespace tarvello {
namespace {

// The title table itself is the code's own; these are the rules around it.
TEST(NavigationTest, TitlesFallBackAndNeighboursWrapThroughTheListTheSecurityCameFrom) {
  EXPECT_EQ(NavigationTitle(1126, 4242), u"中小企业");
  EXPECT_EQ(NavigationTitle(1129, 1135), std::nullopt);
  // Neighbours wrap through the list a security was opened from; a step keeps that list, and a
  // security opened from elsewhere has none to step through.
  const SecurityCode a(u"SH600001"), b(u"SZ000001"), c(u"SH600036");
  BrowseState state;
  state.Apply(BrowseChange::FromList(a, {a, b, c}));
  EXPECT_TRUE(state.FromList());
  EXPECT_EQ(state.Neighbour(-1), c);
  EXPECT_EQ(state.Neighbour(4), b);
  EXPECT_EQ(state.Current(), a) << "asking for a neighbour changes nothing";
  state.Apply(BrowseChange::Step(c));
  EXPECT_EQ(state.Neighbour(1), a);
  state.Apply(BrowseChange::Alone(SecurityCode(u"SZ399001")));
  EXPECT_FALSE(state.FromList());
  EXPECT_EQ(state.Neighbour(1), std::nullopt);
  EXPECT_EQ(state.Current(), SecurityCode(u"SZ399001"));
}

}  // namespace
}  // namespace tarvello
