// FiguresBoard: the figures of the whole market (MarketFigures) that the answers of a simulated
// minute read, built aside and swapped in, so that no answer waits for a rebuild nor reads a
// half-built one. Start() builds the figures of the clock's minute on the calling thread (before
// the ports open) and then leaves a worker building each next minute ahead of time; At() hands
// out the newest figures built for a minute not after the moment asked for, which is the
// moment's own minute unless the worker has fallen behind a fast clock. A board that was never
// started builds the figures of a new minute on the first At() that needs them, on the caller.
// Safe from any thread: mutex_ guards the built figures and is held for a look-up or a swap only;
// build_mutex_ lets one build run at a time. The market and clock must outlive the board.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <stop_token>
#include <thread>

#include "server/figures/market_figures.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"

namespace tarvello::server {

class FiguresBoard {
 public:
  FiguresBoard(const Market& market, const SimClock& clock) : market_(market), clock_(clock) {}
  FiguresBoard(const FiguresBoard&) = delete;
  FiguresBoard& operator=(const FiguresBoard&) = delete;

  void Start();
  std::shared_ptr<const MarketFigures> At(const SimTime& now);

 private:
  std::shared_ptr<const MarketFigures> BuildOnce(std::int64_t minute, unsigned threads);
  void Publish(std::shared_ptr<const MarketFigures> figures);
  void Run(std::stop_token stop);

  const Market& market_;
  const SimClock& clock_;
  std::mutex build_mutex_;
  std::mutex mutex_;
  std::condition_variable_any pause_;  // the worker waits on it for the clock, or to be stopped
  // Guarded by mutex_: built figures by minute, the one in use and any built ahead of it.
  std::map<std::int64_t, std::shared_ptr<const MarketFigures>> built_;
  bool started_ = false;  // guarded by mutex_
  std::jthread worker_;   // last, so that it stops before the members it uses go
};

}  // namespace tarvello::server
