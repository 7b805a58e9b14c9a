// The one place the quote lists read the market: which securities a list category holds, the
// members of a sector, and the list figures of one security at a moment. Everything else of
// the list answers works on what these functions return, so that a different catalogue needs
// changes here only. Pure functions of an immutable market; safe from any thread.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "server/figures/list_figures.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"

namespace tarvello::server {

// The quote figures of one security at a position: all but its money flow and, for a sector,
// its leader, which need other securities' figures (see market_figures.h).
ListFigures FiguresOf(const Market& market, int index, const Position& at);

// Whether a list can carry the security: the terminal refuses a whole answer over an empty code
// or name.
bool Listable(const Security& s);

// Catalogue positions of the securities of a category, in catalogue order; `sector_class` picks
// the sectors of category 105 (0 industry, 1 concept, 2 region). Empty for a category the
// catalogue holds nothing of.
std::vector<int> CategoryMembers(const Market& market, int category, int sector_class);

// Catalogue positions of the members of the sector with that number; empty for no such sector.
std::vector<int> SectorMembers(const Market& market, int sector_number);

// Catalogue position of a code, -1 when unknown.
int FindListSecurity(const Market& market, std::string_view code);

}  // namespace tarvello::server
