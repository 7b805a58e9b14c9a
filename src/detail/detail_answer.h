// Reads the detail screen's answer container into a DetailRecords: minute data (2117 long form,
// 2201 short form), five-level book (2204), ten-level book (2304), ticks (2205), futures quote
// (3203) and the shared quote blocks (2200, 2203, 2206, 2118, 2110). Other blocks are skipped.
//
// Counts come from the wire and are trusted only as far as the block's bytes go: a negative
// count reads as none and a record cut off by the block's end is dropped whole. A fixed-layout
// block too short for its layout leaves its record as it was. Pure, any thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "detail/detail_records.h"

namespace tarvello {

// Fills records from the container; true when the container was read to its closing "}". A
// container that breaks off keeps the blocks read before the break.
bool ReadDetailAnswer(const std::uint8_t* bytes, std::size_t length, DetailRecords& records);

}  // namespace tarvello
