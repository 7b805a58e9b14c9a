// A server that keeps the connection but stops answering, as a user meets it: the ranked A-share
// list, the detail screen and the index ticker say within two refresh periods that their figures
// are old, and come back to live by themselves once the answers return.
#include <algorithm>

#include "platform/canvas.h"
#include "platform/recording_canvas.h"
#include "storage/utf16le.h"
#include "terminal_walk.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

class SilentLinkWalk : public testing::StartedWalk {
 protected:
  // The shortest periods, so that figures grow old within seconds.
  void PrepareHome() override {
    testing::WriteBytes(home_ / "Configuration.ini", EncodeUtf16Le(text::FromUtf8("[REFRESH]\r\nLIST=5\r\nTSLINE=5\r\n")));
  }
  // Whether the screen, painted now, is dimmed and says how old its figures are.
  static bool ShowsItsAge(Window& screen) {
    RecordingCanvas canvas(Size{screen.width(), screen.height()});
    screen.PaintOn(canvas);
    const std::vector<DrawCall> texts = canvas.CallsOf(DrawCall::Kind::kText);
    const bool aged = std::any_of(texts.begin(), texts.end(), [](const DrawCall& c) { return c.text.ends_with(u"秒前"); });
    return aged && !canvas.CallsOf(DrawCall::Kind::kDim).empty();
  }
  void Silence() { proxy_->SetFault({testing::Fault::kStall}); }
  void Speak() { proxy_->SetFault({testing::Fault::kClean}); }
};

TEST_F(SilentLinkWalk, ListDetailAndTickerShowTheirFiguresAreOldWhileTheServerIsSilentAndLiveAgainAfter) {
  ASSERT_TRUE(OpenRankedShares());
  Silence();
  EXPECT_TRUE(WaitFor([&] { return ShowsItsAge(list()); })) << "the list";
  EXPECT_TRUE(WaitFor([&] { return terminal_->main_screen()->ticker().old; })) << "the ticker";
  Speak();
  ASSERT_TRUE(WaitFor([&] { return !ShowsItsAge(list()) && !terminal_->main_screen()->ticker().old; }));

  const SecurityCode share = list().view()->rows.quotes.at(static_cast<std::size_t>(list().selected_row() - 1)).code;
  list().SendKey(kKeyEnter);
  ASSERT_TRUE(DetailShows(share));
  Silence();
  EXPECT_TRUE(WaitFor([&] { return ShowsItsAge(detail()); })) << "the detail screen";
  Speak();
  EXPECT_TRUE(WaitFor([&] { return !ShowsItsAge(detail()); }));
}

}  // namespace
}  // namespace tarvello
