#include "server/wire/list_rows.h"

#include <algorithm>
#include <string>

#include "protocol/wire_writer.h"
#include "server/market/wire_limits.h"
#include "text/text_codec.h"

namespace tarvello::server {

namespace {

constexpr std::uint8_t kNoFlags = 0;

void Named(WireWriter& out, const ListFigures& row) {
  out.Str(row.code).Utf8(row.name).U8(static_cast<std::uint8_t>(row.decimals));
}

void Head(WireWriter& out, const ListFigures& row) {
  Named(out, row);
  out.U8(kNoFlags);
}

void Total(WireWriter& out, std::size_t total) {
  out.U16(static_cast<std::uint16_t>(std::min<std::size_t>(total, 0xFFFF)));
}

template <typename Row, typename Write>
Bytes Block(std::span<const Row> page, std::size_t total, Write write) {
  WireWriter out;
  out.I16(Clamp16(static_cast<std::int64_t>(page.size())));
  for (const Row& row : page) write(out, row);
  Total(out, total);
  return out.Take();
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
  out.I32(row.latest).I32(row.change_ratio).I32(Clamp32(row.amount / row.amount_unit)).I32(row.turnover);
  out.I32(Clamp32(row.volume));
  out.I32(row.three_day_change).I32(row.three_day_turnover);
  const std::string leader = LeaderField(row.leader);
  out.Raw({reinterpret_cast<const std::uint8_t*>(leader.data()), leader.size()});
}

}  // namespace

Bytes ListBlockBody(std::span<const ListFigures> rows, std::span<const int> page, ListLayout layout,
                    std::size_t total) {
  const std::span<const int> written = layout == ListLayout::kBucket ? std::span<const int>() : page;
  return Block(written, total, [&](WireWriter& out, int position) {
    const ListFigures& row = rows[static_cast<std::size_t>(position)];
    switch (layout) {
      case ListLayout::kFutures: FuturesRow(out, row); break;
      case ListLayout::kSector: SectorRow(out, row); break;
      default: QuoteRow(out, row);
    }
  });
}

Bytes BigOrderBlockBody(std::span<const FlowRow> page, std::size_t total) {
  return Block(page, total, [](WireWriter& out, const FlowRow& flow) {
    Named(out, *flow.row);
    out.I32(flow.net_ratio).I32(flow.rank).I32(flow.row->change_ratio);
  });
}

Bytes FundBlockBody(std::span<const FlowRow> page, std::size_t total) {
  return Block(page, total, [](WireWriter& out, const FlowRow& flow) {
    Named(out, *flow.row);
    out.I32(flow.row->latest).I32(flow.net_amount).I32(flow.net_ratio).I32(flow.row->prev_close);
  });
}

Bytes BucketBlockBody(std::span<const BucketRow> page, std::size_t total) {
  return Block(page, total, [](WireWriter& out, const BucketRow& row) {
    out.Str(row.first).Utf8(row.second).I32(row.value1).I32(row.value2);
  });
}

}  // namespace tarvello::server
