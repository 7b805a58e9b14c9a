// Readers that fill the quote records from their answer blocks. Each one starts from a zeroed
// record and reads its layout through the given BlockReader, never past the block's end: a block
// shorter than its layout leaves the missing fields at zero and the reader returns false, so the
// handler can report it. Bytes after the layout are left unread. Pure functions, any thread.
#pragma once

#include "market/quote_records.h"
#include "protocol/block_reader.h"

namespace tarvello {

// Block 2200: code, name (strings), u8 type, u8 decimals, int32 info1, limitUp, limitDown.
bool ReadSecurityInfo(BlockReader& reader, SecurityInfo& info);
// Block 2203: fourteen int32, the last four ignored.
bool ReadQuoteSnapshot(BlockReader& reader, QuoteSnapshot& quote);
// Block 2110: int16 turnoverRate, int32 inner, outer, pe, earnings, u8 quarter.
bool ReadQuoteExtra(BlockReader& reader, QuoteExtra& extra);
// Block 2206: three int16 counts, up, flat, down.
bool ReadIndexBreadth(BlockReader& reader, IndexBreadth& breadth);
// Block 2118: two int16 HHMM times, closing first.
bool ReadTradingHours(BlockReader& reader, TradingHours& hours);

}  // namespace tarvello
