#include "shell/stock_range_dlg.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/text_metrics.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

// An F10 item.
Bytes InfoAnswer(const Bytes& request) {
  const int type = testing::TypeOf(request);
  ContainerWriter out;
  if (type == kF10Item) out.AddPlain(type, WireWriter().I32(0).Utf8(u"公司名称：甲乙股份").Take());
  return out.Finish();
}

// A 240x266 screen area with a 16-pixel font and 2 pixels of leading: menu lines are 26 pixels.
class InfoPageTest : public ::testing::Test {
 protected:
  InfoPageTest() {
    SetSharedTextMetrics(TextMetrics{16, 2, 8, 16});
    page_.resize(240, 266);
    navigator_.Browse(BrowseChange::Alone(SecurityCode(u"SH600001")));
    InfoLinks links;
    // Shared with the worker's exchanges, which may outlive the fixture's own members.
    links.exchange = [server = server_](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
      return server->Function()(request, answer);
    };
    links.info_server = [] { return std::string("127.0.0.1"); };
    page_.ConnectInformation(std::move(links), [server = server_] { server->Release(); });
  }
  // Lets the worker's page arrive; false when it does not within two seconds.
  bool Arrived() { return testing::ProcessEventsUntil([&] { return !page_.loading(); }, std::chrono::seconds(2)); }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{240, 266});
    page_.PaintOn(canvas);
    return canvas;
  }

  testing::QtApp app_;
  testing::RecordingNavigator navigator_;
  CStockRangeDlg page_{&navigator_};

  std::shared_ptr<testing::ScriptedServer> server_ = std::make_shared<testing::ScriptedServer>(InfoAnswer);
};

TEST_F(InfoPageTest, APageLeftBeforeItsAnswerCameDropsTheAnswer) {
  server_->Hold();
  page_.Open(16);
  EXPECT_TRUE(page_.loading());
  page_.Open(18);  // the help text, while the server still has not answered
  EXPECT_FALSE(page_.loading());
  server_->Release();
  testing::ProcessEventsUntil([] { return false; }, std::chrono::milliseconds(300));
  EXPECT_EQ(page_.state().mode(), 18);
  EXPECT_FALSE(Paint().FindText(u"\u3000\u3000公司名称：甲乙股份").has_value());
  page_.Open(16);
  ASSERT_TRUE(Arrived());
  EXPECT_TRUE(Paint().FindText(u"\u3000\u3000公司名称：甲乙股份").has_value());
}

}  // namespace
}  // namespace tarvello
