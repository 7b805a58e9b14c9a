// The bodies of the list answer blocks: a signed 16-bit row count, the rows in the layout of the
// list (quote, futures or sector rows), then the unsigned 16-bit total the terminal pages by.
// Figures beyond a field's range are written as the nearest value it holds. Pure; safe from any
// thread.
#pragma once

#include <cstddef>
#include <span>

#include "protocol/bytes.h"
#include "server/list_categories.h"
#include "server/list_figures.h"

namespace tarvello::server {

// Width of a sector row's leader name: UTF-8 bytes, cut at a whole character, zero-padded.
inline constexpr std::size_t kLeaderNameBytes = 12;

// The block of `page` (positions into `rows`) in `layout`, ending with `total`. Sector fund
// flow rows are not quote figures; `kBucket` writes no rows.
Bytes ListBlockBody(std::span<const ListFigures> rows, std::span<const int> page, ListLayout layout,
                    std::size_t total);

}  // namespace tarvello::server
