// The list requests as the simulator reads them from the wire: the category list and the code
// list (type 2113, told apart by their first byte), a sector's constituents (type 2114), and
// the big-order and fund lists (2105, 2106) of a category or of a code list.
// Reading never goes past the body; the row count asked for and the number of codes are
// bounded, so that no request can make an answer larger than one block carries. Stateless;
// safe from any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "server/wire/list_sorting.h"

namespace tarvello::server {

// At most this many rows answer one request: more than any screen holds on a page.
inline constexpr std::size_t kMaxListRows = 100;
// At most this many codes of a code list are read.
inline constexpr std::size_t kMaxListCodes = 1000;

enum class ListSelector { kCategory, kCodes, kSectorMembers };

struct ListRequest {
  ListSelector selector = ListSelector::kCategory;
  int category = 0;
  int extra = 0;          // category 105: sector class; category 110: fund period
  int sector_number = 0;  // constituents only
  int days = 1;           // big-order and fund lists: 1, 3 or 10
  ListOrder order;
  std::size_t start = 0;
  std::size_t count = 0;  // rows wanted, at most kMaxListRows
  std::vector<std::string> codes;  // code lists only, in the terminal's order
};

// The request in a 2113 or 2114 body; nothing for a body too short for its fixed fields or a
// 2113 whose first byte names no known list.
std::optional<ListRequest> ReadCategoryOrCodeList(std::span<const std::uint8_t> body);
std::optional<ListRequest> ReadSectorMembers(std::span<const std::uint8_t> body);
std::optional<ListRequest> ReadFlowList(std::span<const std::uint8_t> body);

}  // namespace tarvello::server
