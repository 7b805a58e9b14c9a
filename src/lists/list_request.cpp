#include "lists/list_request.h"

#include <algorithm>
#include <array>

#include "lists/list_codes.h"
#include "protocol/packet_codec.h"
#include "storage/answer_cache_file.h"

namespace tarvello {
namespace {

constexpr std::uint8_t kSelectorCodes = 2;

}  // namespace

Bytes BuildCategoryPage(int category, ListWindow window, std::uint8_t extra) {
  if (category == kCategoryFutures) {
    window.sortField = kSortServerOrder;
    window.sortDirection = kSortAscending;
  } else if (category == kCategorySectorFunds) {
    window.sortField = kSortSectorFunds;
    window.sortDirection = kSortDescending;
  }
  CPacketCodec codec;
  codec.SetListParamA(extra);
  codec.SetListParamB(extra);
  return codec.BuildCategoryList(WireByte(category), WireByte(window.sortField), WireByte(window.sortDirection),
                                 WireWord(window.start), WireWord(window.count));
}

Bytes BuildRankingPage(std::uint16_t type, int days, int category, ListWindow window) {
  const CPacketCodec codec;
  const auto build = type == kFundList ? &CPacketCodec::BuildFundList : &CPacketCodec::BuildBigOrderList;
  return (codec.*build)(WireByte(days), WireByte(category), WireByte(window.sortField), WireByte(window.sortDirection),
                        WireWord(window.start), WireWord(window.count));
}

Bytes BuildRankingCodes(std::uint16_t type, int days, std::span<const SecurityCode> codes) {
  WireWriter writer = WireWriter::Packet(type, kAttrPlain);
  writer.U8(kSelectorCodes).U8(WireByte(days));
  WriteCodeList(writer, codes);
  return writer.FinishPacket();
}

Bytes BuildSectorPage(const SecurityCode& sector, int sectorNumber, ListWindow window) {
  const CPacketCodec codec;
  const std::array<Bytes, 2> packets = {
      codec.BuildQuote(sector.RequestText()),
      codec.BuildSectorMembers(WireWord(sectorNumber), WireByte(window.sortField), WireByte(window.sortDirection),
                               WireWord(window.start), WireWord(window.count))};
  return CPacketCodec::Join(packets);
}

Bytes BuildTradeAnalysisRequest(const SecurityCode& stock, int days) {
  return CPacketCodec().BuildTradeAnalysis(stock.RequestText(), WireByte(days));
}

Bytes BuildOrderDetailsRequest(const SecurityCode& stock) {
  const CPacketCodec codec;
  const std::string code = stock.RequestText();
  const std::array<Bytes, 3> packets = {codec.BuildOrderDetails(code), codec.BuildQuote(code), codec.BuildSecurityInfo(code)};
  return CPacketCodec::Join(packets);
}

Bytes BuildSecurityQuery(const SecurityCode& code) {
  return CPacketCodec().BuildSecurityInfo(code.RequestText());
}

std::string ListCacheKey(std::span<const std::uint8_t> request) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string hex;
  hex.reserve(request.size() * 2);
  for (const std::uint8_t byte : request) {
    hex.push_back(kDigits[byte >> 4]);
    hex.push_back(kDigits[byte & 0x0F]);
  }
  return CacheKeyNaming("list ", hex);
}

}  // namespace tarvello
