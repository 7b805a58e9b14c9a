// The short-spell search of the broker directory: the user types the initials of a name on the
// code keyboard ("HX" for 华信证券), and the list shows the entries whose short name begins with
// them. Only letters and digits count, on both sides, and letters match in either case, so "hx",
// "HX" and "H-X" all find a short name "HXZQ". Typing nothing finds nothing.
// Pure functions.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "brokers/broker_catalogue.h"

namespace tarvello {

bool MatchesShortSpell(std::u16string_view short_name, std::u16string_view initials);

// The indices of the entries that match, in list order.
std::vector<std::size_t> ShortSpellMatches(const std::vector<CatalogueEntry>& entries,
                                           std::u16string_view initials);

}  // namespace tarvello
