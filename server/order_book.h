// The order book and the trade ticks that a security shows at a moment, derived from its quote
// state: the best bid and ask bracket the last price, levels step by one price tick and stay
// inside the day's limits (a level beyond a limit is empty), and the ticks of each minute end at
// that minute's price. Pure functions of immutable inputs.
#pragma once

#include <cstdint>
#include <vector>

#include "server/quote_state.h"

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

struct Tick {
  int time = 0;  // HHMM
  int price = 0;
  int volume = 0;
};

inline constexpr int kTicksPerSlot = 3;

// The latest `count` ticks up to the position, oldest first.
std::vector<Tick> LatestTicks(const Market& market, int index, const Position& position, int count);

}  // namespace tarvello::server
