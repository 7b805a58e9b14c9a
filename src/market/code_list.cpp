#include "market/code_list.h"

#include <algorithm>
#include <limits>

#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

constexpr std::uint8_t kSelectorCodes = 2;
constexpr int kFailed = -1;

std::int32_t Difference(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{a} - b,
                                                            std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::uint8_t WireByte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 0xFF)); }
std::uint16_t WireWord(int value) { return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF)); }

void WriteCodeList(WireWriter& writer, std::span<const SecurityCode> codes) {
  const std::size_t n = std::min<std::size_t>(codes.size(), 0xFFFF);
  writer.U16(static_cast<std::uint16_t>(n));
  for (std::size_t i = 0; i < n; ++i) writer.Str(codes[i].RequestText());
}

Bytes BuildCodeListPage(int sortField, int sortDirection, int end, std::span<const SecurityCode> codes) {
  WireWriter writer = WireWriter::Packet(kCategoryList, kAttrPlain);
  writer.U8(kSelectorCodes).U8(WireByte(sortField)).U8(WireByte(sortDirection)).U16(0).U16(WireWord(end));
  WriteCodeList(writer, codes);
  return writer.FinishPacket();
}

bool ReadRowNames(BlockReader& reader, SecurityCode& code, std::u16string& name) {
  code = SecurityCode(reader.String());
  name = reader.String();
  return !code.empty() && !name.empty() && !reader.overrun();
}

bool ReadStockRow(BlockReader& reader, QuoteRow& row) {
  if (!ReadRowNames(reader, row.code, row.name)) return false;
  row.decimals = reader.Byte();
  row.flags = reader.Byte();
  for (std::int32_t* field : {&row.latest, &row.changeRatio, &row.change, &row.turnover, &row.volume, &row.high,
                              &row.low, &row.speed, &row.pe}) {
    *field = reader.Int32();
  }
  reader.Int32();
  row.prevClose = Difference(row.latest, row.change);
  return !reader.overrun();
}

bool ReadCodeListRows(const std::uint8_t* bytes, std::size_t length, std::vector<QuoteRow>& rows) {
  if (length == 0) return true;
  const BlockHandler handler = [&rows](int type, const std::uint8_t* block, std::size_t start, std::size_t end) {
    if (type != kCategoryList) return 0;
    BlockReader reader(block, start, end);
    const int n = reader.Int16();
    for (int i = 0; i < n; ++i) {
      QuoteRow row;
      if (!ReadStockRow(reader, row)) return kFailed;
      rows.push_back(std::move(row));
    }
    return reader.overrun() ? kFailed : 0;
  };
  return ParseContainer(handler, bytes, length);
}

}  // namespace tarvello
