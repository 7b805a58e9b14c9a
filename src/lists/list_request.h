// The requests the quote list sends: a page of a category, a page of an own list by its codes,
// the big-order and fund rankings, a sector's own quote with a page of its constituents, and the
// security query asked before a row of an own list is opened. Each returns one request container.
// Pure functions, any thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "market/code_list.h"
#include "market/security_code.h"
#include "protocol/bytes.h"

namespace tarvello {

// Answer bytes the list screen keeps room for.
inline constexpr std::size_t kListAnswerCapacity = 32768;

struct ListWindow {
  int sortField = 0;
  int sortDirection = 0;
  int start = 0;
  int count = 0;
};

// Type 2113, selector 1. `extra` is the sector class (category 105) or the fund period (110).
// The futures list always goes unsorted ascending, the sector fund flow by its own field.
Bytes BuildCategoryPage(int category, ListWindow window, std::uint8_t extra = 0);

// Type 2113, selector 2 (the own lists) is BuildCodeListPage of market/code_list.h.

// Types 2105 (big orders) and 2106 (fund), selector 1, and selector 2 with the codes of the
// self-selected list.
Bytes BuildRankingPage(std::uint16_t type, int days, int category, ListWindow window);
Bytes BuildRankingCodes(std::uint16_t type, int days, std::span<const SecurityCode> codes);

// A 2203 for the sector's own row followed by a 2114 for a page of its constituents.
Bytes BuildSectorPage(const SecurityCode& sector, int sectorNumber, ListWindow window);

// Type 2800: how one stock's volume over the last `days` days split into order sizes.
Bytes BuildTradeAnalysisRequest(const SecurityCode& stock, int days);
// Type 2802, the orders waiting at the stock's best ask and bid, followed by a 2203 for the
// stock's own quote, whose previous close the orders' colours are judged against.
Bytes BuildOrderDetailsRequest(const SecurityCode& stock);

// Type 2200 for one code.
Bytes BuildSecurityQuery(const SecurityCode& code);

// The answer cache's key of a list page's answer: "list " and its request in lowercase hex, which
// names the category, order, direction, first row and count, or an own list's codes; a request too
// long for a key is named by a digest.
std::string ListCacheKey(std::span<const std::uint8_t> request);

}  // namespace tarvello
