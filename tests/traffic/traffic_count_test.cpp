// The count of an exchange against what a recording proxy saw pass on the socket, in both modes.
#include <gtest/gtest.h>

#include <thread>

#include "support/fault_proxy.h"
#include "support/transport_fixture.h"
#include "traffic/traffic_file.h"
#include "traffic/traffic_ledger.h"

namespace tarvello::testing {
namespace {

std::string HttpAnswer(std::string_view body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" +
         std::string(body);
}

class TrafficCountTest : public TransportTest {
 protected:
  TrafficCountTest() { InstallTrafficSink(&ledger_); }
  ~TrafficCountTest() override { InstallTrafficSink(nullptr); }

  // The proxy records its count just after passing the bytes on; wait for it to settle.
  static std::size_t ProxyBytes(FaultProxy& proxy, std::size_t expected) {
    for (int i = 0; i < 100 && proxy.Requests().size() + proxy.AnswerBytes() != expected; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return proxy.Requests().size() + proxy.AnswerBytes();
  }

  void ExpectCounted(FaultProxy& proxy) {
    const TrafficReport report = ledger_.Report();
    const std::uint64_t counted = report.totals.screens[kTrafficDetail];
    EXPECT_GT(counted, 0u);
    EXPECT_EQ(ProxyBytes(proxy, counted), counted);
    EXPECT_EQ(report.last_exchange[kTrafficDetail], counted);
    EXPECT_EQ(report.totals.this_month, counted);
    EXPECT_EQ(report.totals.today, counted);
  }

  TempFolder files_;
  TrafficLedger ledger_{files_ / kTrafficFileName, [] { return TrafficDate{2026, 12, 7}; }};
};

TEST_F(TrafficCountTest, DirectExchangeCountsTheBytesOnTheSocket) {
  LoopbackServer server([](ServerConnection& c) { ServeAnswers(c, QuoteAnswer(3000)); });
  FaultProxy proxy(server.port());
  MakeTransport();
  transport_->SetServer("127.0.0.1", proxy.port());
  ASSERT_EQ(transport_->Connect(), 0);
  Bytes response(10240);
  {
    const TrafficScope counted(kTrafficDetail);
    ASSERT_GT(Exchange(response), 0);
  }
  ExpectCounted(proxy);
}

TEST_F(TrafficCountTest, WapExchangeCountsTheHttpFramingToo) {
  LoopbackServer gateway([](ServerConnection& c) {
    c.ReadHttpRequest();
    c.Send(HttpAnswer(std::string(2500, 'b')));
  });
  FaultProxy proxy(gateway.port());
  MakeTransport(WapGateway{"127.0.0.1", proxy.port()});
  transport_->SetServer("10.1.2.3", 2860);
  transport_->SetDirect(false);
  Bytes response(10240);
  {
    const TrafficScope counted(kTrafficDetail);
    ASSERT_EQ(Exchange(response), 2500);
  }
  ExpectCounted(proxy);
}

}  // namespace
}  // namespace tarvello::testing
