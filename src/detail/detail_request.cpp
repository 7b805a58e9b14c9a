#include "detail/detail_request.h"

#include <vector>

#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

constexpr std::uint32_t kWholeDay = 0;
constexpr std::uint32_t kLatestTicks = 0;
// The server reads the futures quote's length field as fixed: it always says 10.
constexpr std::uint16_t kFuturesQuoteLengthField = 10;

Bytes FuturesQuotePacket(std::string_view code) {
  return WireWriter::Packet(kFuturesQuote, kAttrCompressed).Str(code).FinishPacket(kFuturesQuoteLengthField);
}

}  // namespace

Bytes BuildDetailRequest(std::string_view code, bool futureMode) {
  const CPacketCodec codec;
  std::vector<Bytes> packets;
  packets.push_back(codec.BuildMinuteData(code, kWholeDay));
  packets.push_back(codec.BuildIndexBreadth(code));
  packets.push_back(codec.BuildOrderBook(code));
  packets.push_back(codec.BuildTicks(code, kLatestTicks));
  packets.push_back(codec.BuildQuote(code));
  packets.push_back(codec.BuildSecurityInfo(code));
  packets.push_back(futureMode ? codec.BuildOrderBook(code) : codec.BuildTenLevelBook(code));
  packets.push_back(codec.BuildTradingHours(code));
  packets.push_back(codec.BuildQuoteExtra(code));
  if (futureMode) packets.push_back(FuturesQuotePacket(code));
  return CPacketCodec::Join(packets);
}

std::string DetailCacheKey(std::string_view code) { return "detail " + std::string(code); }

}  // namespace tarvello
