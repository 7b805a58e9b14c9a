// The counting hook of the data link: every byte the terminal puts on or takes off a socket is
// handed to CountTraffic by the one place that moves it (the quote transport's sends and
// receives, the page fetch), and goes to the installed sink tagged with the part of the program
// whose exchange it belongs to. A TrafficScope on the exchanging thread names that part for the
// length of one exchange; bytes outside any scope count as kTrafficOther.
//
// Thread rules: CountTraffic, TrafficSaving and TrafficPeriodFactor may be called from any
// thread and leave errno as it was (they sit between a socket call and the caller's errno test).
// InstallTrafficSink is called before the threads that exchange start and, with null, after they
// have been joined. A scope belongs to the thread that made it.
#pragma once

#include <cstddef>

namespace tarvello {

// The parts of the program whose share of the traffic is kept apart. The order is that of the
// statistics page and of the keys of "Traffic.ini"; new parts go before kTrafficScreenCount.
enum TrafficScreen : int {
  kTrafficTicker,  // the main screen: index ticker and login
  kTrafficDetail,  // stock detail and intraday chart
  kTrafficKLine,
  kTrafficList,     // quote lists and rankings
  kTrafficFutures,  // index futures and fund flow
  kTrafficInfo,     // information lists and articles
  kTrafficPages,    // markup pages
  kTrafficAlerts,   // the background alert check
  kTrafficOther,    // start-up, server probes, account and everything untagged
  kTrafficScreenCount
};

class TrafficSink {
 public:
  virtual ~TrafficSink() = default;
  // bytes sent or received on behalf of screen.
  virtual void Count(TrafficScreen screen, std::size_t bytes) = 0;
  // One exchange of screen is over; it moved bytes in all.
  virtual void ExchangeEnded(TrafficScreen screen, std::size_t bytes) = 0;
  // Whether the monthly allowance is used up, so refreshes come half as often.
  virtual bool Saving() = 0;
};

void InstallTrafficSink(TrafficSink* sink);
void CountTraffic(std::size_t bytes);
bool TrafficSaving();
// 2 while the allowance is used up, otherwise 1: the factor every refresh period is taken by.
int TrafficPeriodFactor();

class TrafficScope {
 public:
  explicit TrafficScope(TrafficScreen screen);
  ~TrafficScope();
  TrafficScope(const TrafficScope&) = delete;
  TrafficScope& operator=(const TrafficScope&) = delete;

 private:
  TrafficScreen outer_screen_;
  std::size_t outer_bytes_;
};

}  // namespace tarvello
