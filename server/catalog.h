// Builds the list of securities of the simulated market from a seed: the main indices of both
// exchanges (computed from their member shares), A and B shares, funds, bonds, warrants, sector
// indices with "BI" codes, index futures contracts, Hong Kong and global indices. Company
// names are made up from syllables, so that no real company appears. Pure; safe from any thread.
#pragma once

#include <cstdint>
#include <vector>

#include "server/security.h"

namespace tarvello::server {

std::vector<Security> BuildCatalog(std::uint64_t seed);

}  // namespace tarvello::server
