// A server that keeps the connection but stops answering, as a user meets it: the ranked A-share
// list, the detail screen and the index ticker say within two refresh periods that their figures
// are old, and come back to live by themselves once the answers return.
#include "terminal_walk.h"

namespace tarvello {
namespace {

class SilentLinkWalk : public testing::StartedWalk {
 protected:
  void PrepareHome() override { testing::WriteShortPeriods(home_.path()); }
  void Silence() { proxy_->SetFault({testing::Fault::kStall}); }
  void Speak() { proxy_->SetFault({testing::Fault::kClean}); }
};

TEST_F(SilentLinkWalk, ListDetailAndTickerShowTheirFiguresAreOldWhileTheServerIsSilentAndLiveAgainAfter) {
  ASSERT_TRUE(OpenRankedShares());
  Silence();
  EXPECT_TRUE(WaitFor([&] { return testing::ShowsItsAge(list()); })) << "the list";
  EXPECT_TRUE(WaitFor([&] { return terminal_->main_screen()->ticker().old; })) << "the ticker";
  Speak();
  ASSERT_TRUE(WaitFor([&] { return !testing::ShowsItsAge(list()) && !terminal_->main_screen()->ticker().old; }));

  const SecurityCode share = list().view()->rows.quotes.at(static_cast<std::size_t>(list().selected_row() - 1)).code;
  list().SendKey(kKeyEnter);
  ASSERT_TRUE(DetailShows(share));
  Silence();
  EXPECT_TRUE(WaitFor([&] { return testing::ShowsItsAge(detail()); })) << "the detail screen";
  Speak();
  EXPECT_TRUE(WaitFor([&] { return !testing::ShowsItsAge(detail()); }));
}

}  // namespace
}  // namespace tarvello
