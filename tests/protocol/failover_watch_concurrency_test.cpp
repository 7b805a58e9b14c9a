#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "protocol/failover.h"
#include "protocol/transport_links.h"
#include "support/transport_fixture.h"

namespace tarvello {
namespace {

using std::chrono::milliseconds;
using testing::ServerConnection;

// Takes every request and never answers, holding the connection until the client goes.
void NeverAnswer(ServerConnection& connection) {
  while (connection.ReadContainer()) {
  }
}

class FailoverWatchTest : public testing::TransportTest {
 protected:
  // A failover whose probes go to the real transport's probe on port, with the program's waits.
  FailoverLink ProbingLink(int port) {
    return FailoverLink{[this, port](ServerCell) {
                          ++probes_;
                          return ProbeServer(log_, WapGateway{}, true, "127.0.0.1", port, probe_stop_);
                        },
                        [](ServerCell) {}, [](ServerCell) { return std::string("server"); },
                        [](std::string_view) {}, [this] { probe_stop_.Stop(); }};
  }

  ProbeStop probe_stop_;
  std::atomic<int> probes_{0};
  ServerSelection selection_;
};

TEST_F(FailoverWatchTest, ClosingWhileAProbeWaitsOnASilentServerReturnsAtOnce) {
  testing::LoopbackServer silent(NeverAnswer);
  auto failover = std::make_unique<Failover>(ProbingLink(silent.port()), selection_);
  for (int i = 0; i < Failover::kFailuresBeforeProbe; ++i) failover->Record(false);
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (silent.accepted() == 0 && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(milliseconds(2));
  ASSERT_GT(silent.accepted(), 0);
  auto closed = std::async(std::launch::async, [&] { failover.reset(); });
  EXPECT_EQ(closed.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  closed.wait();
  EXPECT_EQ(probes_, 1);  // the cells after the stopped probe are not tried
}

// Exchanges the program gave up on itself are no failure of the server: three of them start no
// probe, while three the server failed do.
TEST_F(FailoverWatchTest, OnlyExchangesTheServerFailedCountTowardAProbe) {
  testing::LoopbackServer silent(NeverAnswer);
  struct Row {
    const char* name;
    void (*before)(CCommunicate&);  // what happens to the transport before each exchange
    bool probes;
  };
  const Row rows[] = {
      {"answer timed out", [](CCommunicate&) {}, true},
      {"transport stopped for closing", [](CCommunicate& t) { t.Stop(); }, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    probes_ = 0;
    MakeTransport();
    ConnectTo(silent);
    Failover failover(ProbingLink(0), selection_);
    const ExchangeFunction exchange = WatchedExchange(*transport_, failover);
    Bytes response(4096);
    for (int i = 0; i < Failover::kFailuresBeforeProbe; ++i) {
      row.before(*transport_);
      EXPECT_LT(exchange(testing::QuoteRequest(), response), 1);
    }
    std::this_thread::sleep_for(milliseconds(50));
    EXPECT_EQ(probes_ > 0, row.probes);
  }
}

}  // namespace
}  // namespace tarvello
