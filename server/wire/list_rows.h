// The bodies of the list answer blocks: a signed 16-bit row count, the rows in the layout of the
// list (quote, futures or sector rows), then the unsigned 16-bit total the terminal pages by.
// Figures beyond a field's range are written as the nearest value it holds. Pure; safe from any
// thread.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "protocol/bytes.h"
#include "server/figures/list_categories.h"
#include "server/figures/list_figures.h"

namespace tarvello::server {

// Width of a sector row's leader name: UTF-8 bytes, cut at a whole character, zero-padded.
inline constexpr std::size_t kLeaderNameBytes = 12;

// The block of `page` (positions into `rows`) in `layout`, ending with `total`. Sector fund
// flow rows are not quote figures; `kBucket` writes no rows (see BucketBlockBody).
Bytes ListBlockBody(std::span<const ListFigures> rows, std::span<const int> page, ListLayout layout,
                    std::size_t total);

// A row of the big-order (2105) or fund (2106) list: the security's figures, the large orders'
// net ratio and the net amount over the days asked for, and its place by that ratio (1 = most
// inflow).
struct FlowRow {
  const ListFigures* row = nullptr;
  int net_ratio = 0;
  int net_amount = 0;
  int rank = 0;
};
Bytes BigOrderBlockBody(std::span<const FlowRow> page, std::size_t total);
Bytes FundBlockBody(std::span<const FlowRow> page, std::size_t total);

// A row of the sector fund flow: code, name, net inflow in hundreds of yuan and the inflow
// ratio in ten-thousandths of a percent.
struct BucketRow {
  std::string first;
  std::u16string second;
  int value1 = 0;
  int value2 = 0;
};
Bytes BucketBlockBody(std::span<const BucketRow> page, std::size_t total);

}  // namespace tarvello::server
