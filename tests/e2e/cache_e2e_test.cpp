// The last known figures through a dead zone, as a user on a train meets them: a security's detail
// and its K-line chart, seen once, open at once on their last figures after a restart with no
// server, dimmed with their age, and turn live by themselves once the server is back.
#include <algorithm>

#include "platform/recording_canvas.h"
#include "storage/utf16le.h"
#include "terminal_walk.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

class CacheWalk : public testing::StartedWalk {
 protected:
  // The shortest periods, so that the screens retry within seconds.
  void PrepareHome() override {
    testing::WriteBytes(home_ / "Configuration.ini",
                        EncodeUtf16Le(text::FromUtf8("[REFRESH]\r\nLIST=5\r\nTSLINE=5\r\nKLLINE=5\r\n")));
  }
  // Whether the screen, painted now, is dimmed and says how old its figures are.
  static bool ShowsItsAge(Window& screen) {
    RecordingCanvas canvas(Size{screen.width(), screen.height()});
    screen.PaintOn(canvas);
    const std::vector<DrawCall> texts = canvas.CallsOf(DrawCall::Kind::kText);
    const bool aged = std::any_of(texts.begin(), texts.end(), [](const DrawCall& c) { return c.text.ends_with(u"前"); });
    return aged && !canvas.CallsOf(DrawCall::Kind::kDim).empty();
  }
  CKLineDlg& chart() { return *terminal_->kline_screen(); }
  bool ChartShows() { return WaitFor([&] { return Shows(&chart()) && !chart().bars().empty(); }); }
  void StartSimulatorAgain() {
    simulator_ = std::make_unique<testing::SimulatorProcess>(sim_folder_.path(), ports_);
    ASSERT_TRUE(simulator_->WaitForPorts().has_value());
  }
};

TEST_F(CacheWalk, DetailAndChartOpenAtOnceOnTheirLastFiguresWithNoServerAndTurnLiveWhenItComesBack) {
  const SecurityCode share = SecurityCode::FromAscii("SH600001");
  ASSERT_TRUE(OpenSecurity("SH600001"));
  const std::u16string name = detail().view()->records.security.name;
  detail().SendKey(kKeyEnter);  // "K线"
  ASSERT_TRUE(WaitFor([&] { return Shows(&chart()) && chart().loaded() && !chart().bars().empty(); }));
  const std::vector<KLineBar> bars = chart().bars();

  simulator_.reset();
  ASSERT_TRUE(StartTerminal({480, 640}, StartWait::kMenu));
  ASSERT_TRUE(WaitFor([&] { return terminal_->progress().isHidden(); }));
  terminal_->OpenSecurity(share);
  ASSERT_TRUE(WaitFor([&] { return Shows(&detail()) && detail().view()->code == share; }));
  EXPECT_TRUE(detail().view()->loaded) << "the last figures, with no answer since the start";
  EXPECT_EQ(detail().view()->records.security.name, name);
  EXPECT_TRUE(ShowsItsAge(detail()));
  detail().SendKey(kKeyEnter);
  ASSERT_TRUE(ChartShows());
  ASSERT_EQ(chart().bars().size(), bars.size());
  EXPECT_EQ(chart().bars().back().date, bars.back().date);
  EXPECT_EQ(chart().bars().back().close, bars.back().close);
  EXPECT_TRUE(ShowsItsAge(chart()));

  StartSimulatorAgain();
  EXPECT_TRUE(WaitFor([&] { return chart().loaded() && !ShowsItsAge(chart()); })) << "the chart turns live";
  terminal_->OpenSecurity(share);
  ASSERT_TRUE(WaitFor([&] { return Shows(&detail()); }));
  EXPECT_TRUE(WaitFor([&] { return !ShowsItsAge(detail()); })) << "the detail screen turns live";
}

// A server that holds the connection and answers nothing keeps the start-up's probe, login,
// version check and registration waiting for their time-outs; the menu shows meanwhile.
TEST_F(CacheWalk, TheMenuShowsWhileASilentServerKeepsTheStartupWaiting) {
  proxy_->SetFault({testing::Fault::kStall});
  ASSERT_TRUE(StartTerminal({480, 640}, StartWait::kMenu));
  EXPECT_FALSE(terminal_->main_screen()->startup_over());
}

}  // namespace
}  // namespace tarvello
