#include "lists/list_request.h"

#include <algorithm>
#include <array>

#include "lists/list_codes.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello {
namespace {

constexpr std::uint8_t kSelectorCategory = 1;
constexpr std::uint8_t kSelectorCodes = 2;

// Wire fields are one byte or sixteen bits; a value out of range is cut to the field's range
// rather than wrapped into a different page or field.
std::uint8_t Byte(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 0xFF)); }
std::uint16_t Word(int value) { return static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF)); }

void WriteCodes(WireWriter& writer, std::span<const SecurityCode> codes) {
  const std::size_t n = std::min<std::size_t>(codes.size(), 0xFFFF);
  writer.U16(static_cast<std::uint16_t>(n));
  for (std::size_t i = 0; i < n; ++i) writer.Str(codes[i].RequestText());
}

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
  return codec.BuildCategoryList(Byte(category), Byte(window.sortField), Byte(window.sortDirection),
                                 Word(window.start), Word(window.count));
}

Bytes BuildCodeListPage(int sortField, int sortDirection, int end, std::span<const SecurityCode> codes) {
  WireWriter writer = WireWriter::Packet(kCategoryList, kAttrPlain);
  writer.U8(kSelectorCodes).U8(Byte(sortField)).U8(Byte(sortDirection)).U16(0).U16(Word(end));
  WriteCodes(writer, codes);
  return writer.FinishPacket();
}

Bytes BuildRankingPage(std::uint16_t type, int days, int category, ListWindow window) {
  const CPacketCodec codec;
  const auto build = type == kFundList ? &CPacketCodec::BuildFundList : &CPacketCodec::BuildBigOrderList;
  return (codec.*build)(Byte(days), Byte(category), Byte(window.sortField), Byte(window.sortDirection),
                        Word(window.start), Word(window.count));
}

Bytes BuildRankingCodes(std::uint16_t type, int days, std::span<const SecurityCode> codes) {
  WireWriter writer = WireWriter::Packet(type, kAttrPlain);
  writer.U8(kSelectorCodes).U8(Byte(days));
  WriteCodes(writer, codes);
  return writer.FinishPacket();
}

Bytes BuildSectorPage(const SecurityCode& sector, int sectorNumber, ListWindow window) {
  const CPacketCodec codec;
  const std::array<Bytes, 2> packets = {
      codec.BuildQuote(sector.RequestText()),
      codec.BuildSectorMembers(Word(sectorNumber), Byte(window.sortField), Byte(window.sortDirection),
                               Word(window.start), Word(window.count))};
  return CPacketCodec::Join(packets);
}

Bytes BuildTradeAnalysisRequest(const SecurityCode& stock, int days) {
  return CPacketCodec().BuildTradeAnalysis(stock.RequestText(), Byte(days));
}

Bytes BuildOrderDetailsRequest(const SecurityCode& stock) {
  const CPacketCodec codec;
  const std::array<Bytes, 2> packets = {codec.BuildOrderDetails(stock.RequestText()), codec.BuildQuote(stock.RequestText())};
  return CPacketCodec::Join(packets);
}

Bytes BuildSecurityQuery(const SecurityCode& code) {
  return CPacketCodec().BuildSecurityInfo(code.RequestText());
}

}  // namespace tarvello
