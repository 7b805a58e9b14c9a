// Reads a quote list answer into its rows. The layout of blocks 2113 and 2100 depends on the
// category the screen has in force when the answer arrives (the block itself does not say), so
// the caller passes it in. Blocks append rows to their list in container order; a sector's own
// quote (2203, read only while a sector's constituents are shown) goes first in front of its constituents. After the rows of each list block comes
// the total of the whole list, which sets `listTotal` for the category lists only: the own lists
// know their totals from their files.
//
// A trade analysis (2800) replaces the bucket rows with its three buckets; order details (2802)
// replace the best ask and bid. Either is taken only when its block reads whole, so that a
// broken answer leaves what was shown. Of an order list, the first kKeptOrders volumes are kept
// and the rest read and dropped; a count that is negative or runs past the block's end fails.
//
// Failures: a row without code or name (bucket rows excepted), a row cut off by its block's end,
// or a container that does not parse ends the reading with false; the rows read before stay.
// Unknown blocks are skipped. Pure, any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "lists/list_rows.h"

namespace tarvello {

struct ListAnswerContext {
  int category = 0;        // the category in force; kCategorySelfSelected or ...RecentlyViewed for own lists
  SecurityCode sector;     // the sector whose constituents are shown (for its 2203 row)
  std::u16string sectorName;
  bool orderReference = false;  // order details: the 2203 block gives the reference price
};

struct ListAnswerResult {
  bool complete = false;  // read to its end without a fault; an empty answer is complete and reads nothing
  std::optional<std::uint8_t> securityType;  // from a 2200 block
};

ListAnswerResult ReadListAnswer(const std::uint8_t* bytes, std::size_t length, const ListAnswerContext& context,
                                ListRows& rows);

// The number a sector is asked for by: the last three characters of its code read as a decimal
// number, as far as they are digits ("BI000475" -> 475, "BI0004x5" -> 4, "BIabc" -> 0).
std::uint16_t SectorNumberOf(const SecurityCode& code);

// A change ratio in hundredths of a percent: change x 10000 / prevClose, truncated. A previous
// close of 0 gives 0, as there is nothing to compare with; results beyond int32 are held at its ends.
std::int32_t ChangeRatioOf(std::int64_t change, std::int64_t prevClose);

}  // namespace tarvello
