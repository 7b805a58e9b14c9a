#include "server/list_rows.h"

#include <algorithm>
#include <string>

#include "protocol/wire_writer.h"
#include "server/wire_limits.h"
#include "text/text_codec.h"

namespace tarvello::server {

namespace {

constexpr std::uint8_t kNoFlags = 0;

void Head(WireWriter& out, const ListFigures& row) {
  out.Str(row.code).Utf8(row.name).U8(static_cast<std::uint8_t>(row.decimals)).U8(kNoFlags);
}

void QuoteRow(WireWriter& out, const ListFigures& row) {
  Head(out, row);
  out.I32(row.latest).I32(row.change_ratio).I32(row.change).I32(row.turnover).I32(Clamp32(row.volume));
  out.I32(row.high).I32(row.low).I32(row.speed).I32(row.pe).I32(0);
}

// The previous close stands in for the previous settlement; the two kept values are the
// volume and the amount in ten-thousands of yuan.
void FuturesRow(WireWriter& out, const ListFigures& row) {
  Head(out, row);
  out.I32(row.latest).I32(row.change_ratio).I32(row.change).I32(row.prev_close);
  out.I32(row.interest_change).I32(row.open_interest).I32(row.prev_close);
  out.I32(Clamp32(row.volume)).I32(Clamp32(row.amount / 10000)).I32(0);
}

// The longest prefix of the UTF-8 name that fits the field without splitting a character.
std::string LeaderField(const std::u16string& name) {
  std::string bytes = text::ToUtf8(name);
  std::size_t cut = std::min(bytes.size(), kLeaderNameBytes);
  while (cut > 0 && cut < bytes.size() && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
  bytes.resize(cut);
  bytes.resize(kLeaderNameBytes, '\0');
  return bytes;
}

void SectorRow(WireWriter& out, const ListFigures& row) {
  Head(out, row);
  out.I32(row.latest).I32(row.change_ratio).I32(Clamp32(row.amount)).I32(row.turnover).I32(Clamp32(row.volume));
  out.I32(row.three_day_change).I32(row.three_day_turnover);
  const std::string leader = LeaderField(row.leader);
  out.Raw({reinterpret_cast<const std::uint8_t*>(leader.data()), leader.size()});
}

}  // namespace

Bytes ListBlockBody(std::span<const ListFigures> rows, std::span<const int> page, ListLayout layout,
                    std::size_t total) {
  WireWriter out;
  const bool has_rows = layout != ListLayout::kBucket;
  out.I16(Clamp16(has_rows ? static_cast<std::int64_t>(page.size()) : 0));
  for (std::size_t i = 0; has_rows && i < page.size(); ++i) {
    const ListFigures& row = rows[static_cast<std::size_t>(page[i])];
    switch (layout) {
      case ListLayout::kFutures: FuturesRow(out, row); break;
      case ListLayout::kSector: SectorRow(out, row); break;
      default: QuoteRow(out, row);
    }
  }
  out.U16(static_cast<std::uint16_t>(std::min<std::size_t>(total, 0xFFFF)));
  return out.Take();
}

}  // namespace tarvello::server
