// The open interest of an index future: a base drawn from the seed, moved each slot of the day by
// a change that follows the slot's volume. Pure functions of the market; safe from any thread.
#pragma once
#include "server/market/market.h"

namespace tarvello::server {

// The open interest the day starts from.
int InterestBase(const Market& market, int index);
// The open-interest change of one slot (0 for securities without open interest).
int InterestChange(const Market& market, int index, int day_index, int slot);
// The open-interest change of the day so far, and the open interest it leaves.
int DayInterestChange(const Market& market, int index, const Position& position);
int OpenInterest(const Market& market, int index, const Position& position);

}  // namespace tarvello::server
