#include "shell/network_startup.h"

#include <gtest/gtest.h>

#include "protocol/scripted_connection.h"
#include "support/transport_fixture.h"

namespace tarvello {
namespace {

class FixedClock : public ProbeClock {
 public:
  int UtcSecond() override { return 10; }
  std::int64_t TickMs() override { return 0; }  // every probe takes "0 ms": a tie
  void SleepMs(int) override {}
};

// A quote server that answers the 8-byte probe with the 8-byte probe and counts what it saw.
void ServeProbes(testing::ServerConnection& connection, std::atomic<int>& probes) {
  while (const auto request = connection.ReadContainer()) {
    if (request->size() == 8) ++probes;
    if (!connection.Send(CPacketCodec().BuildServerProbe())) return;
  }
}

class NetworkStartupTest : public testing::TransportTest {
 protected:
  Deployment LocalDeployment(int port) {
    Deployment d = ShippedDeployment();
    d.quote_port = port;
    return d;
  }
  FixedClock clock_;
  ServerSelection selection_;
};

TEST_F(NetworkStartupTest, DesktopLinkProbesBothGroupsAndStaysConnectedToTheWinner) {
  std::atomic<int> probes{0};
  testing::LoopbackServer server([&](testing::ServerConnection& c) { ServeProbes(c, probes); });
  MakeTransport();
  ScriptedConnection connection(NetworkCase::kDesktop, u"", {});
  NetworkBringUp bringup(connection, u"", u"", {});
  selection_.Set({0, 1});
  ASSERT_TRUE(RunNetworkStartup(bringup, 0, *transport_, clock_, LocalDeployment(server.port()), selection_));
  EXPECT_EQ(probes, 2);
  EXPECT_EQ(selection_.Get(), (ServerCell{1, 0}));  // a tie goes to group 1
  EXPECT_TRUE(transport_->direct());
  Bytes answer(100);
  EXPECT_EQ(transport_->CommunicateThread(CPacketCodec().BuildServerProbe(), answer), 8);
  EXPECT_EQ(server.accepted(), 3);  // two probes, then the chosen server
}

TEST_F(NetworkStartupTest, NoNetworkFailsBeforeAnyConnection) {
  std::atomic<int> probes{0};
  testing::LoopbackServer server([&](testing::ServerConnection& c) { ServeProbes(c, probes); });
  MakeTransport();
  ScriptedConnection connection(NetworkCase::kNone, u"", {});
  NetworkBringUp bringup(connection, u"", u"", {});
  EXPECT_FALSE(RunNetworkStartup(bringup, 0, *transport_, clock_, LocalDeployment(server.port()), selection_));
  EXPECT_EQ(server.accepted(), 0);
}

class SilentPresenter : public DialPresenter {
 public:
  void ShowProgress(std::u16string_view) override {}
  void SetProgressText(std::u16string_view) override {}
  void HideProgress() override {}
  void ShowMessage(std::u16string_view text, std::u16string_view) override { messages.emplace_back(text); }
  std::vector<std::u16string> messages;
};

TEST_F(NetworkStartupTest, RedialIsOfferedOnlyWhenTheConnectionCannotBeRequestedAgain) {
  MakeTransport();
  for (const bool yes : {false, true}) {
    ScriptedConnection connection(NetworkCase::kNone, u"", {});
    NetworkBringUp bringup(connection, u"", u"", {});
    SilentPresenter presenter;
    std::vector<std::u16string> questions;
    ConnectionRedial redial(bringup, presenter, [&](std::u16string_view text, std::u16string_view) {
      questions.emplace_back(text);
      return yes;
    }, *transport_);
    redial.Ask();
    EXPECT_EQ(questions, std::vector<std::u16string>{u"当前网络已断开，是否重新拨号?"});
    EXPECT_EQ(presenter.messages, yes ? std::vector<std::u16string>{u"拨号失败，请配置好网络"}
                                      : std::vector<std::u16string>{});
  }
  ScriptedConnection up(NetworkCase::kDesktop, u"", {});
  NetworkBringUp bringup(up, u"", u"", {});
  SilentPresenter presenter;
  bool asked = false;
  ConnectionRedial redial(bringup, presenter, [&](auto, auto) { return asked = true; }, *transport_);
  redial.Ask();
  EXPECT_FALSE(asked);
}

}  // namespace
}  // namespace tarvello
