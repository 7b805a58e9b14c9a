#include "detail/detail_answer.h"

#include "market/futures_quote.h"
#include "market/quote_block_readers.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

constexpr std::size_t kBookEntryBytes = 2 * 4;
constexpr std::size_t kTickBytes = 3 * 4;

// Reads `count` records of recordBytes each while whole records remain.
template <typename Record, typename ReadOne>
std::vector<Record> ReadRecords(BlockReader& reader, int count, std::size_t recordBytes, ReadOne readOne) {
  std::vector<Record> records;
  for (int i = 0; i < count && reader.remaining() >= recordBytes; ++i) records.push_back(readOne(reader));
  return records;
}

void ReadMinuteSeries(BlockReader& reader, bool longForm, MinuteSeries& series) {
  MinuteSeries read;
  read.code = reader.String();
  read.name = reader.String();
  const std::int32_t prevClose = reader.Int32();
  read.prevClose = longForm ? 0 : prevClose;
  read.totalVolume = reader.Int32();
  read.kept = reader.Int32();
  read.keptByte1 = reader.Byte();
  read.keptByte2 = reader.Byte();
  read.minuteCount = reader.Int32();
  const int count = reader.Int16();
  const std::size_t recordBytes = (longForm ? 5 : 4) * 4;
  read.records = ReadRecords<MinuteRecord>(reader, count, recordBytes, [longForm](BlockReader& r) {
    MinuteRecord record;
    record.time = r.Int32();
    record.price = r.Int32();
    record.cumVolume = r.Int32();
    record.avgPrice = r.Int32();
    if (longForm) record.extra = r.Int32();
    return record;
  });
  if (read.records.size() < static_cast<std::size_t>(count > 0 ? count : 0)) reader.Skip(reader.remaining());
  const int slots = reader.Int16();
  read.slotCount = slots > 1 ? slots : kDefaultSlotCount;
  series = std::move(read);
}

std::vector<BookLevel> ReadBook(BlockReader& reader) {
  reader.Int32();
  const int count = reader.Int16();
  return ReadRecords<BookLevel>(reader, count, kBookEntryBytes, [](BlockReader& r) {
    BookLevel level;
    level.price = r.Int32();
    level.volume = r.Int32();
    return level;
  });
}

TickList ReadTicks(BlockReader& reader) {
  TickList list;
  list.referencePrice = reader.Int32();
  list.kept = reader.Int32();
  const int count = reader.Int16();
  list.ticks = ReadRecords<TickRecord>(reader, count, kTickBytes, [](BlockReader& r) {
    TickRecord tick;
    tick.time = r.Int32();
    tick.price = r.Int32();
    tick.volume = r.Int32();
    return tick;
  });
  return list;
}

// Reads a fixed-layout record and keeps it only when the block held all of it.
template <typename Record, typename Reader>
void ReadWhole(BlockReader& reader, Record& target, Reader read) {
  Record record;
  if (read(reader, record)) target = std::move(record);
}

void ReadBlock(DetailRecords& records, int type, BlockReader& reader) {
  switch (type) {
    case kMinuteData: ReadMinuteSeries(reader, true, records.minutes); break;
    case kMinuteDataShort: ReadMinuteSeries(reader, false, records.minutes); break;
    case kOrderBook: records.fiveLevelBook = ReadBook(reader); break;
    case kTenLevelBook:
      records.tenLevelBook = ReadBook(reader);
      records.tenLevelOrderRatio = reader.Int32();
      break;
    case kTicks: records.ticks = ReadTicks(reader); break;
    case kFuturesQuote: {
      FuturesQuote quote;
      if (ReadFuturesQuote(reader, quote)) records.futures = quote;
      break;
    }
    case kSecurityInfo: ReadWhole(reader, records.security, ReadSecurityInfo); break;
    case kQuote: ReadWhole(reader, records.quote, ReadQuoteSnapshot); break;
    case kIndexBreadth: ReadWhole(reader, records.breadth, ReadIndexBreadth); break;
    case kTradingHours: ReadWhole(reader, records.hours, ReadTradingHours); break;
    case kQuoteExtra: ReadWhole(reader, records.extra, ReadQuoteExtra); break;
    default: break;
  }
}

}  // namespace

bool ReadDetailAnswer(const std::uint8_t* bytes, std::size_t length, DetailRecords& records) {
  const BlockHandler handler = [&records](int type, const std::uint8_t* block, std::size_t start, std::size_t end) {
    BlockReader reader(block, start, end);
    ReadBlock(records, type, reader);
    return 0;
  };
  return ParseContainer(handler, bytes, length);
}

}  // namespace tarvello
