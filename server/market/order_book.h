// The order book and the trade ticks that a security shows at a moment, derived from its quote
// state. The best bid and ask bracket the last price one or two price ticks apart; levels step
// by one tick and stay inside the day's limits (a level beyond a limit is empty; at a limit the
// other side is empty); volumes of tens to thousands of lots scale with how much the security
// trades, and the two sides lean to one another by a tilt that wanders around zero. The orders
// queued at the best levels add up to those levels' volumes. The ticks of each minute end at
// that minute's price and add up to its volume, on the price grid; the opening minute's trade at the
// opening price. Pure functions of immutable inputs.
#pragma once

#include <cstdint>
#include <vector>

#include "server/market/quote_state.h"

namespace tarvello::server {

struct BookLevel {
  int price = 0;
  int volume = 0;
};

struct OrderBook {
  std::vector<BookLevel> asks;  // level 1 first
  std::vector<BookLevel> bids;  // level 1 first
  // (bid volume - ask volume) / (bid volume + ask volume), percent x 10^decimals.
  int OrderRatio(int decimals) const;
};

OrderBook BuildBook(const Market& market, int index, const Position& position, const QuoteState& quote, int levels);

// The individual orders waiting at one price, oldest first; they add up to the level's volume.
inline constexpr int kMaxQueuedOrders = 200;
struct OrderQueue {
  int price = 0;
  int volume = 0;
  std::vector<int> orders;
};
struct BestQueues {
  OrderQueue ask;
  OrderQueue bid;
};
BestQueues QueuesAtBest(const Market& market, int index, const Position& position, const QuoteState& quote);

struct Tick {
  int time = 0;  // HHMM
  int price = 0;
  int volume = 0;
};

inline constexpr int kTicksPerSlot = 3;

// The latest `count` ticks up to the position, oldest first.
std::vector<Tick> LatestTicks(const Market& market, int index, const Position& position, int count);

}  // namespace tarvello::server
