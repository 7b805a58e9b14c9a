#include "market/quote_block_readers.h"

namespace tarvello {

namespace {
constexpr std::size_t kIgnoredSnapshotBytes = 4 * 4;
}  // namespace

bool ReadSecurityInfo(BlockReader& reader, SecurityInfo& info) {
  info = SecurityInfo{};
  info.code = SecurityCode(reader.String());
  info.name = reader.String();
  info.securityType = reader.Byte();
  info.priceDecimals = reader.Byte();
  info.info1 = reader.Int32();
  info.limitUp = reader.Int32();
  info.limitDown = reader.Int32();
  return !reader.overrun();
}

bool ReadQuoteSnapshot(BlockReader& reader, QuoteSnapshot& quote) {
  quote = QuoteSnapshot{};
  quote.last = reader.Int32();
  quote.snap2 = reader.Int32();
  quote.volume = reader.Int32();
  quote.high = reader.Int32();
  quote.low = reader.Int32();
  quote.open = reader.Int32();
  quote.prevClose = reader.Int32();
  quote.turnoverBase = reader.Int32();
  quote.orderRatio = reader.Int32();
  quote.volumeRatio = reader.Int32();
  reader.Skip(kIgnoredSnapshotBytes);
  return !reader.overrun();
}

bool ReadQuoteExtra(BlockReader& reader, QuoteExtra& extra) {
  extra = QuoteExtra{};
  extra.turnoverRate = reader.Int16();
  extra.innerVolume = reader.Int32();
  extra.outerVolume = reader.Int32();
  extra.peRatio = reader.Int32();
  extra.earnings = reader.Int32();
  extra.earningsQuarter = reader.Byte();
  return !reader.overrun();
}

bool ReadIndexBreadth(BlockReader& reader, IndexBreadth& breadth) {
  breadth = IndexBreadth{};
  breadth.up = reader.Int16();
  breadth.flat = reader.Int16();
  breadth.down = reader.Int16();
  return !reader.overrun();
}

bool ReadTradingHours(BlockReader& reader, TradingHours& hours) {
  hours = TradingHours{};
  hours.close = reader.Int16();
  hours.open = reader.Int16();
  return !reader.overrun();
}

}  // namespace tarvello
