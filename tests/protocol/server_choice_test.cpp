#include "protocol/server_choice.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "protocol/bytes.h"

namespace tarvello {
namespace {

// Answers each probe after a scripted number of milliseconds, with a scripted answer size.
class ScriptedLink : public ProbeLink {
 public:
  struct Step {
    std::int64_t delay_ms;
    int received;
  };
  ScriptedLink(std::int64_t& now, std::deque<Step> steps) : now_(now), steps_(std::move(steps)) {}

  void Connect(const std::string& host, int port) override { connects.push_back(host + ":" + std::to_string(port)); }
  int Exchange(std::span<const std::uint8_t> request, std::span<std::uint8_t>) override {
    requests.emplace_back(request.begin(), request.end());
    const Step step = steps_.front();
    steps_.pop_front();
    now_ += step.delay_ms;
    return step.received;
  }
  void Close() override {}

  std::vector<std::string> connects;
  std::vector<Bytes> requests;

 private:
  std::int64_t& now_;
  std::deque<Step> steps_;
};

class FakeClock : public ProbeClock {
 public:
  int UtcSecond() override { return second; }
  std::int64_t TickMs() override { return now; }
  void SleepMs(int ms) override { now += ms; }
  int second = 0;
  std::int64_t now = 1000;
};

Deployment FourServers() {
  Deployment d;
  d.quote_servers = {{{"10.0.0.1", "10.0.0.2"}, {"10.1.0.1", "10.1.0.2"}}};  // [group][index]
  return d;
}

// Group 1 is probed first; the faster group wins and a tie goes to group 1. Seconds 30..59 of the
// minute pick index 1 of each group.
TEST(StartupProbeTest, TheFasterGroupWinsAndTheSecondPicksTheIndex) {
  const struct {
    int second;
    std::deque<ScriptedLink::Step> steps;
    ServerCell chosen;
    std::vector<std::string> connects;
  } cases[] = {
      {0, {{40, 8}, {15, 8}}, {0, 0}, {"10.1.0.1:2860", "10.0.0.1:2860"}},
      {45, {{20, 8}, {20, 8}}, {1, 1}, {"10.1.0.2:2860", "10.0.0.2:2860"}},
  };
  for (const auto& c : cases) {
    FakeClock clock;
    clock.second = c.second;
    ScriptedLink link(clock.now, c.steps);
    ServerSelection selection;
    ASSERT_TRUE(RunStartupProbe(link, clock, FourServers(), selection));
    EXPECT_EQ(selection.Get(), c.chosen) << c.second;
    EXPECT_EQ(link.connects, c.connects);
    EXPECT_EQ(link.requests.front(), (Bytes{'{', 0, 0, 0, 0, 0, 0, '}'}));
  }
}

TEST(StartupProbeTest, AnswerOfTheWrongSizeLeavesTheSelection) {
  for (const int bad : {0, -1, 7, 9}) {
    FakeClock clock;
    ScriptedLink link(clock.now, {{5, 8}, {1, bad}});
    ServerSelection selection;
    selection.Set({0, 1});
    EXPECT_FALSE(RunStartupProbe(link, clock, FourServers(), selection));
    EXPECT_EQ(selection.Get(), (ServerCell{0, 1}));
  }
}

TEST(ManualChoiceTest, RowsMapToGroupsAndRow24KeepsTheSelection) {
  const ServerCell current{0, 1};
  const std::pair<int, ServerCell> rows[] = {{0, {1, 0}},  {7, {1, 0}},  {8, {0, 0}},  {9, {0, 0}},
                                             {10, {0, 1}}, {19, {0, 1}}, {20, {1, 1}}, {23, {1, 1}}};
  for (const auto& [row, cell] : rows) EXPECT_EQ(ManualChoice(row, current), cell) << row;
  EXPECT_EQ(ManualChoice(24, ServerCell{0, 0}), (ServerCell{0, 0}));
  EXPECT_EQ(ManualChoice(24, current), current);
}

}  // namespace
}  // namespace tarvello
