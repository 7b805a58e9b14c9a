#include "server/wire/list_requests.h"

#include <algorithm>

#include "protocol/block_reader.h"
#include "server/figures/list_categories.h"

namespace tarvello::server {

namespace {

constexpr std::uint8_t kCategorySelector = 1;
constexpr std::uint8_t kCodesSelector = 2;

std::size_t Bounded(std::size_t count) { return std::min(count, kMaxListRows); }

std::optional<ListRequest> ReadCategory(BlockReader& reader) {
  ListRequest request;
  request.category = reader.Byte();
  request.order.field = reader.Byte();
  request.order.direction = reader.Byte();
  request.start = reader.UInt16();
  request.count = Bounded(reader.UInt16());
  if (reader.overrun()) return std::nullopt;
  // The sector class and the fund period are optional: a list without one takes class 0.
  if (!reader.AtEnd() && (request.category == kSectors || request.category == kSectorFundFlow)) {
    request.extra = reader.Byte();
  }
  return request;
}

// A code count and the codes; codes cut short by the end of the body are dropped.
void ReadCodeItems(BlockReader& reader, ListRequest& request) {
  const std::size_t n = std::min<std::size_t>(reader.UInt16(), kMaxListCodes);
  for (std::size_t i = 0; i < n; ++i) {
    const std::string_view code = reader.RawString();
    if (reader.overrun()) break;
    request.codes.emplace_back(code);
  }
}

// The codes list the terminal's whole list; start and end cut its current page out of it.
std::optional<ListRequest> ReadCodes(BlockReader& reader) {
  ListRequest request;
  request.selector = ListSelector::kCodes;
  request.order.field = reader.Byte();
  request.order.direction = reader.Byte();
  request.start = reader.UInt16();
  const std::size_t end = reader.UInt16();
  if (reader.overrun()) return std::nullopt;
  request.count = Bounded(end > request.start ? end - request.start : 0);
  ReadCodeItems(reader, request);
  return request;
}

}  // namespace

std::optional<ListRequest> ReadCategoryOrCodeList(std::span<const std::uint8_t> body) {
  BlockReader reader(body.data(), 0, body.size());
  switch (reader.Byte()) {
    case kCategorySelector: return ReadCategory(reader);
    case kCodesSelector: return ReadCodes(reader);
    default: return std::nullopt;
  }
}

std::optional<ListRequest> ReadFlowList(std::span<const std::uint8_t> body) {
  BlockReader reader(body.data(), 0, body.size());
  const std::uint8_t selector = reader.Byte();
  ListRequest request;
  request.days = reader.Byte();
  if (selector == kCategorySelector) {
    std::optional<ListRequest> category = ReadCategory(reader);
    if (category) category->days = request.days;
    return category;
  }
  if (selector != kCodesSelector) return std::nullopt;
  request.selector = ListSelector::kCodes;
  request.count = kMaxListRows;
  ReadCodeItems(reader, request);
  return request;
}

std::optional<ListRequest> ReadSectorMembers(std::span<const std::uint8_t> body) {
  BlockReader reader(body.data(), 0, body.size());
  ListRequest request;
  request.selector = ListSelector::kSectorMembers;
  request.category = kSectors;
  request.sector_number = reader.UInt16();
  request.order.field = reader.Byte();
  request.order.direction = reader.Byte();
  request.start = reader.UInt16();
  request.count = Bounded(reader.UInt16());
  if (reader.overrun()) return std::nullopt;
  return request;
}

}  // namespace tarvello::server
