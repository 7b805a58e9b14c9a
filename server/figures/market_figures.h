// MarketFigures: the figures of every security of the market at one simulated minute, as the
// lists, the fund flow views and the sector fund flow show them: each security's list figures,
// its fund flow with its place among its peers, a sector's leader and its money flows. They are
// built in one go, since places and sums need every security, and never change afterwards.
// Safe to share between threads once built.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "server/figures/list_figures.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"

namespace tarvello::server {

struct MarketFigures {
  std::int64_t minute = 0;        // the simulated minute they hold (see MinuteOf)
  std::vector<ListFigures> rows;  // in catalogue order
};

// The simulated minute of a moment, counted from the day-number epoch, and its first second.
std::int64_t MinuteOf(const SimTime& time);
SimTime StartOfMinute(std::int64_t minute);

// Spreads the securities over at most `threads` threads (the same figures whatever the number).
// The sector list's amounts ("总额") are yuan in a 32-bit field, which holds 21.47亿 at most,
// while a sector often trades hundreds of 亿 a day. So that every row still shows its own amount
// and the rows compare, all sectors send their amount in the same unit: yuan when the largest
// fits, otherwise the smallest power of ten of yuan that makes it fit.
std::int64_t SectorAmountUnit(std::int64_t largest_amount);

std::shared_ptr<const MarketFigures> BuildMarketFigures(const Market& market, std::int64_t minute,
                                                        unsigned threads = 1);

}  // namespace tarvello::server
