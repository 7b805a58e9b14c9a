// Builds the list of securities of the simulated market from a seed, at the scale of the two
// exchanges: Shanghai and Shenzhen A shares on their boards, B shares, funds, bonds and warrants;
// the indices of both exchanges and the industry, concept and region sectors ("BI" codes), each
// computed from its members; index futures; Hong Kong indices and shares, global indices and
// exchange rates. Company names are made up from syllables, so that no real company appears.
// Pure; safe from any thread.
#pragma once

#include <cstdint>
#include <vector>

#include "server/market/security.h"

namespace tarvello::server {

std::vector<Security> BuildCatalog(std::uint64_t seed);

// The sector number of a "BI" code: its last three digits. Industry sectors are numbered from 1,
// concepts from 101, regions from 301.
inline constexpr int kFirstIndustry = 1;
inline constexpr int kFirstConcept = 101;
inline constexpr int kFirstRegion = 301;

}  // namespace tarvello::server
