// Failover against scripted probe answers and, for a close during a probe and exchanges the
// program gave up, against the real transport's probes.
#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <map>
#include <thread>
#include <vector>

#include "protocol/failover.h"
#include "protocol/transport_links.h"
#include "support/transport_fixture.h"

namespace tarvello {
namespace {

using std::chrono::milliseconds;

// Servers that answer a probe in the time set for their cell, or not at all; records what the
// failover did with them.
class ScriptedServers {
  template <typename Work>
  auto Locked(Work work) -> decltype(work()) {
    std::lock_guard<std::mutex> lock(mutex_);
    return work();
  }

 public:
  void Answer(ServerCell cell, std::optional<milliseconds> took) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_[Key(cell)] = took;
  }
  // in_use: the server the transport talks to, when it is not the selection's.
  FailoverLink Link(std::optional<ServerCell> in_use = std::nullopt) {
    return FailoverLink{[this](ServerCell cell) {
                          std::lock_guard<std::mutex> lock(mutex_);
                          ++probes_;
                          const auto found = answers_.find(Key(cell));
                          return found == answers_.end() ? std::nullopt : found->second;
                        },
                        [this](ServerCell cell) { Locked([&] { used_.push_back(cell); }); },
                        [](ServerCell cell) { return Name(cell); },
                        [this](std::string_view line) { Locked([&] { log_.emplace_back(line); }); },
                        {},
                        in_use ? std::function<std::string()>([cell = *in_use] { return Name(cell); })
                               : std::function<std::string()>()};
  }
  int probes() { return Locked([&] { return probes_; }); }
  std::vector<ServerCell> used() { return Locked([&] { return used_; }); }
  std::vector<std::string> log() { return Locked([&] { return log_; }); }

 private:
  static int Key(ServerCell cell) { return cell.group * 2 + cell.index; }
  static std::string Name(ServerCell cell) { return "10.0." + std::to_string(cell.group) + "." + std::to_string(cell.index); }
  std::mutex mutex_;
  std::map<int, std::optional<milliseconds>> answers_;
  int probes_ = 0;
  std::vector<ServerCell> used_;
  std::vector<std::string> log_;
};

template <typename Done>
bool WaitUntil(Done done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(milliseconds(2));
  }
  return true;
}

// Three failures in a row (a success in between starts the count again) start the probes; with no
// server answering the link is down until one answers in a later round, and the fastest then wins.
// (The log line of a switch after three failed exchanges is the program walk's failover.)
TEST(FailoverTest, ThreeFailuresInARowProbeAndTheFastestServerToAnswerWins) {
  ScriptedServers servers;
  ServerSelection selection;  // group 1, index 0: the one that stopped
  Failover failover(servers.Link(), selection, milliseconds(30));
  failover.Record(false);
  failover.Record(true);
  failover.Record(false);
  failover.Record(false);
  std::this_thread::sleep_for(milliseconds(20));
  EXPECT_EQ(servers.probes(), 0);
  failover.Record(false);
  ASSERT_TRUE(WaitUntil([&] { return failover.Status().state == LinkState::kDown; }));
  EXPECT_EQ(FailoverNotice(failover.Status(), u""), u"连接中断");
  const int firstRounds = servers.probes();
  servers.Answer({0, 0}, milliseconds(5));  // the other group's, probed after the stopped one's
  servers.Answer({1, 1}, milliseconds(40));
  // The switch and its log line come from the failover's thread one after the other.
  ASSERT_TRUE(WaitUntil([&] { return !servers.used().empty() && !servers.log().empty(); }));
  EXPECT_GT(servers.probes(), firstRounds);
  EXPECT_EQ(selection.Get(), (ServerCell{0, 0}));
  EXPECT_EQ(servers.log().back(), "Failover 10.0.1.0 -> 10.0.0.0: no server answered");
  EXPECT_EQ(failover.Status().state, LinkState::kSwitched);
  EXPECT_EQ(FailoverNotice(failover.Status(), u"10.0.0.0:2860"), u"已切换至 10.0.0.0:2860");
}

// A start-up probe taken at a UTC second of 30 or more leaves index 1 selected while the
// transport talks to index 0: a move to index 1 is a switch, logged from the server really left.
TEST(FailoverTest, AMoveIsLoggedFromTheServerInUseNotTheOneTheProbeSelected) {
  ScriptedServers servers;
  servers.Answer({1, 1}, milliseconds(1));
  ServerSelection selection;
  selection.Set({1, 1});
  Failover failover(servers.Link(ServerCell{1, 0}), selection);
  for (int i = 0; i < 3; ++i) failover.Record(false);
  ASSERT_TRUE(WaitUntil([&] { return !servers.log().empty(); }));
  EXPECT_EQ(servers.log().back(), "Failover 10.0.1.0 -> 10.0.1.1: three exchanges failed");
  EXPECT_EQ(failover.Status().state, LinkState::kSwitched);
}

TEST(FailoverTest, AManualChoiceOrTheSameServerAnsweringAgainSwitchesNothing) {
  ScriptedServers servers;
  servers.Answer({1, 0}, milliseconds(1));  // the server in use answers the probe fastest
  servers.Answer({0, 1}, milliseconds(9));
  ServerSelection selection;
  {
    Failover failover(servers.Link(), selection);
    for (int i = 0; i < 3; ++i) failover.Record(false);
    ASSERT_TRUE(WaitUntil([&] { return servers.probes() >= 4 && !servers.used().empty(); }));
    EXPECT_TRUE(servers.log().empty());
    EXPECT_EQ(failover.Status().state, LinkState::kLive);
  }
  const int before = servers.probes();
  Failover failover(servers.Link(), selection);
  failover.TurnOff();
  for (int i = 0; i < 6; ++i) failover.Record(false);
  std::this_thread::sleep_for(milliseconds(30));
  EXPECT_EQ(servers.probes(), before);
  EXPECT_EQ(failover.Status().state, LinkState::kLive);
}

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
                        [](std::string_view) {}, [this] { probe_stop_.Stop(); }, {}};
  }

  ProbeStop probe_stop_;
  std::atomic<int> probes_{0};
  ServerSelection selection_;
};

TEST_F(FailoverWatchTest, ClosingWhileAProbeWaitsOnASilentServerReturnsAtOnce) {
  testing::LoopbackServer silent(NeverAnswer);
  auto failover = std::make_unique<Failover>(ProbingLink(silent.port()), selection_);
  for (int i = 0; i < Failover::kFailuresBeforeProbe; ++i) failover->Record(false);
  ASSERT_TRUE(WaitUntil([&] { return silent.accepted() > 0; }));
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
