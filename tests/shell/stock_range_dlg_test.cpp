#include "shell/stock_range_dlg.h"

#include <gtest/gtest.h>

#include <memory>

#include "base/text_metrics.h"
#include "market/own_stock_list.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

// The server time, an F10 item and the titles of a code list.
Bytes InfoAnswer(const Bytes& request) {
  const int type = testing::TypeOf(request);
  ContainerWriter out;
  if (type == kServerTime) out.AddPlain(type, WireWriter().I32(20261204).I32(93000).Take());
  if (type == kF10Item) out.AddPlain(type, WireWriter().I32(0).Utf8(u"公司名称：甲乙股份").Take());
  if (type == kCodeListInfo) {
    out.AddPlain(type, WireWriter().I16(1).I32(20261204).I32(93015).I16(0).U8(0).Str("N7").Str("").Str("")
                           .Utf8(u"甲乙中标大单").Utf8(u"模拟财经").Take());
  }
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
    own_.Add(SecurityCode(u"SH600001"));
    own_.Add(SecurityCode(u"SZ000002"));
    page_.ConnectInformation(std::move(links), &own_, [server = server_] { server->Release(); });
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
  testing::TempFolder folder_;
  OwnStockList own_ = OwnStockList::SelfSelected(folder_.path());
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

TEST_F(InfoPageTest, TheSelfSelectedNoticesAskForEveryCodeAndLeadBackToTheList) {
  page_.Open(kMenuPageOwnNotices);
  ASSERT_TRUE(Arrived());
  EXPECT_TRUE(Paint().FindText(u"甲乙中标大单").has_value());
  const std::vector<std::string> codes{"SH600001", "SZ000002"};
  EXPECT_EQ(server_->Last(), CPacketCodec().BuildCodeListInfo(2, 100, codes, 20261204, 93000));
  page_.SendKey(kKeyBack);
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{kTargetQuoteList, 1125}}));
}

}  // namespace
}  // namespace tarvello
