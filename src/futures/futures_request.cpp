#include "futures/futures_request.h"

#include <array>

#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

constexpr std::uint16_t kFuturesQuoteLengthField = 10;
constexpr std::int32_t kFromNewestTick = -1;

}  // namespace

Bytes BuildFuturesQuoteRequest(std::string_view code) {
  return WireWriter::Packet(kFuturesQuote, kAttrPlain).Str(code).FinishPacket(kFuturesQuoteLengthField);
}

Bytes BuildFuturesTicksRequest(std::string_view code, std::uint16_t rows) {
  return WireWriter::Packet(kFuturesTicks, kAttrPlain).Str(code).I32(kFromNewestTick).U16(rows).FinishPacket();
}

Bytes BuildSecurityFundFlowRequest(std::string_view code) {
  return WireWriter::Packet(kSecurityFundFlow, kAttrPlain).Str(code).FinishPacket();
}

Bytes BuildSecurityFactsRequest(std::string_view code) {
  const CPacketCodec codec;
  const std::array<Bytes, 2> packets{codec.BuildSecurityInfo(code), codec.BuildTradingHours(code)};
  return CPacketCodec::Join(packets);
}

std::string FuturesCacheKey(int view, std::string_view code) {
  return "futures " + std::to_string(view) + " " + std::string(code);
}

std::string SecurityFactsCacheKey(std::string_view code) { return "futures facts " + std::string(code); }

}  // namespace tarvello
