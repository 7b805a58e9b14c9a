#include "protocol/failover.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tarvello {
namespace {

using std::chrono::milliseconds;

// Servers that answer a probe in the time set for their cell, or not at all; records what the
// failover did with them.
class ScriptedServers {
 public:
  void Answer(ServerCell cell, std::optional<milliseconds> took) {
    std::lock_guard<std::mutex> lock(mutex_);
    answers_[Key(cell)] = took;
  }
  FailoverLink Link() {
    return FailoverLink{[this](ServerCell cell) {
                          std::lock_guard<std::mutex> lock(mutex_);
                          ++probes_;
                          const auto found = answers_.find(Key(cell));
                          return found == answers_.end() ? std::nullopt : found->second;
                        },
                        [this](ServerCell cell) {
                          std::lock_guard<std::mutex> lock(mutex_);
                          used_.push_back(cell);
                        },
                        [](ServerCell cell) { return "10.0." + std::to_string(cell.group) + "." + std::to_string(cell.index); },
                        [this](std::string_view line) {
                          std::lock_guard<std::mutex> lock(mutex_);
                          log_.emplace_back(line);
                        },
                        {}};
  }
  int probes() {
    std::lock_guard<std::mutex> lock(mutex_);
    return probes_;
  }
  std::vector<ServerCell> used() {
    std::lock_guard<std::mutex> lock(mutex_);
    return used_;
  }
  std::vector<std::string> log() {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
  }

 private:
  static int Key(ServerCell cell) { return cell.group * 2 + cell.index; }
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

TEST(ProbeBackOffTest, DoublesFromOneSecondAndStaysAtThirty) {
  ProbeBackOff backOff;
  std::vector<long> waits;
  for (int i = 0; i < 7; ++i) waits.push_back(static_cast<long>(backOff.Next().count()));
  EXPECT_EQ(waits, (std::vector<long>{1000, 2000, 4000, 8000, 16000, 30000, 30000}));
}

TEST(FailoverTest, ThreeFailuresInARowMoveToTheFastestServerAndSayWhy) {
  ScriptedServers servers;
  servers.Answer({1, 1}, milliseconds(40));
  servers.Answer({0, 0}, milliseconds(12));
  ServerSelection selection;  // group 1, index 0: the one that stopped
  Failover failover(servers.Link(), selection);
  failover.Record(false);
  failover.Record(true);  // a success in between starts the count again
  failover.Record(false);
  failover.Record(false);
  std::this_thread::sleep_for(milliseconds(20));
  EXPECT_EQ(servers.probes(), 0);
  failover.Record(false);
  ASSERT_TRUE(WaitUntil([&] { return !servers.used().empty() && !servers.log().empty(); }));
  EXPECT_EQ(servers.used().front(), (ServerCell{0, 0}));
  EXPECT_EQ(selection.Get(), (ServerCell{0, 0}));
  EXPECT_EQ(servers.log(), (std::vector<std::string>{"Failover 10.0.1.0 -> 10.0.0.0: three exchanges failed"}));
  EXPECT_EQ(failover.Status().state, LinkState::kSwitched);
  EXPECT_EQ(FailoverNotice(failover.Status(), u"10.0.0.0:2860"), u"已切换至 10.0.0.0:2860");
}

TEST(FailoverTest, WithNoServerTheLinkIsDownUntilOneAnswersInALaterRound) {
  ScriptedServers servers;
  ServerSelection selection;
  Failover failover(servers.Link(), selection, milliseconds(30));
  for (int i = 0; i < 3; ++i) failover.Record(false);
  ASSERT_TRUE(WaitUntil([&] { return failover.Status().state == LinkState::kDown; }));
  EXPECT_EQ(FailoverNotice(failover.Status(), u""), u"连接中断");
  const int firstRounds = servers.probes();
  servers.Answer({1, 1}, milliseconds(5));
  // The switch and its log line come from the failover's thread one after the other.
  ASSERT_TRUE(WaitUntil([&] { return !servers.used().empty() && !servers.log().empty(); }));
  EXPECT_GT(servers.probes(), firstRounds);
  EXPECT_EQ(selection.Get(), (ServerCell{1, 1}));
  EXPECT_EQ(servers.log().back(), "Failover 10.0.1.0 -> 10.0.1.1: no server answered");
  EXPECT_NE(failover.Status().state, LinkState::kDown);
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

}  // namespace
}  // namespace tarvello
