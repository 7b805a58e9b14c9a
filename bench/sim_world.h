// What the simulator benchmarks share: one full-size market at a fixed moment (Friday 2026-12-04,
// 10:30) with a clock that stands still, its accounts and log, and a request handler over them.
// Built once on first use, which is thread-safe; the benchmarks only read it.
#pragma once

#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/wire/accounts.h"
#include "server/wire/event_log.h"
#include "server/wire/request_handler.h"

namespace tarvello::bench {

struct SimWorld {
  SimWorld() : clock(*server::ParseSimTime("2026-12-04 10:30"), 0), market(Config(clock.start())),
               handler(market, clock, accounts, log) {}
  static server::MarketConfig Config(const server::SimTime& start) {
    server::MarketConfig config;
    config.start = start;
    return config;
  }
  server::SimClock clock;
  server::Market market;
  server::AccountBook accounts;
  server::EventLog log;
  server::RequestHandler handler;
};

inline SimWorld& TheWorld() {
  static SimWorld world;
  return world;
}

}  // namespace tarvello::bench
