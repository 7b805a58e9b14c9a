// The one place the quote lists read the market: which securities a list category holds, the
// members of a sector, and the list figures of every security at a moment. Everything else of
// the list answers works on what these functions return, so that a different catalogue needs
// changes here only. Pure functions of an immutable market; safe from any thread.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "server/list_figures.h"
#include "server/market.h"
#include "server/sim_clock.h"

namespace tarvello::server {

// The figures of every security of the catalogue, in catalogue order.
std::vector<ListFigures> BuildListFigures(const Market& market, const SimTime& now);

// Catalogue positions of the securities of a category, in catalogue order; `sector_class` picks
// the sectors of category 105 (0 industry, 1 concept, 2 region). Empty for a category the
// catalogue holds nothing of.
std::vector<int> CategoryMembers(const Market& market, int category, int sector_class);

// Catalogue positions of the members of the sector with that number; empty for no such sector.
std::vector<int> SectorMembers(const Market& market, int sector_number);

// The money that flowed into a sector over the last `days` trading days (today included), in
// yuan, and the amount traded meanwhile.
struct SectorFlow {
  std::int64_t net = 0;
  std::int64_t amount = 0;
};
SectorFlow SectorFlowOf(const Market& market, int sector, const SimTime& now, int days);

// Catalogue position of a code, -1 when unknown.
int FindListSecurity(const Market& market, std::string_view code);

}  // namespace tarvello::server
