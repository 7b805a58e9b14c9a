#include "protocol/packet_codec.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "protocol/wire_writer.h"

namespace tarvello {

static_assert(std::endian::native == std::endian::little, "the wire is little-endian");

namespace {

// The common shape: one string field holding a security code.
Bytes CodePacket(std::uint16_t type, std::string_view code) {
  return WireWriter::Packet(type, kAttrCompressed).Str(code).FinishPacket();
}

Bytes TextPacket(std::uint16_t type, std::u16string_view text) {
  return WireWriter::Packet(type, kAttrPlain).Gbk(text).FinishPacket();
}

Bytes U32Packet(std::uint16_t type, std::uint16_t attribute, std::uint32_t value) {
  return WireWriter::Packet(type, attribute).U32(value).FinishPacket();
}

Bytes RankingPacket(std::uint16_t type, std::uint8_t days, std::uint8_t a, std::uint8_t sort,
                    std::uint8_t direction, std::uint16_t start, std::uint16_t count) {
  return WireWriter::Packet(type, kAttrPlain).U8(1).U8(days).U8(a).U8(sort).U8(direction).U16(start)
      .U16(count).FinishPacket();
}

constexpr std::size_t kCodeListItemDigits = 6;

}  // namespace

std::uint8_t CodeListMarketByte(std::string_view code, std::uint8_t previous) {
  const std::string_view prefix = code.substr(0, 2);
  if (prefix == "SH") return 1;
  if (prefix == "SZ") return 0;
  if (prefix == "BI") return 0x5A;
  return previous;
}

Bytes CPacketCodec::BuildServerProbe() const { return WireWriter::Packet(kServerProbe, kAttrPlain).FinishPacket(); }

Bytes CPacketCodec::BuildVersionCheck(std::u16string_view first, std::u16string_view second) const {
  return WireWriter::Packet(kVersionCheck, kAttrPlain).Gbk(first).Gbk(second).Str("ppc").FinishPacket();
}

Bytes CPacketCodec::BuildDeviceRegistration(std::u16string_view text) const {
  return TextPacket(kDeviceRegistration, text);
}

Bytes CPacketCodec::BuildErrorReport(std::u16string_view text) const {
  return TextPacket(kErrorReport, text);
}

Bytes CPacketCodec::BuildSecuritySearch(std::u16string_view text) const {
  return TextPacket(kSecuritySearch, text);
}

Bytes CPacketCodec::BuildBigOrderList(std::uint8_t days, std::uint8_t a, std::uint8_t sort,
                                      std::uint8_t direction, std::uint16_t start,
                                      std::uint16_t count) const {
  return RankingPacket(kBigOrderList, days, a, sort, direction, start, count);
}

Bytes CPacketCodec::BuildFundList(std::uint8_t days, std::uint8_t a, std::uint8_t sort,
                                  std::uint8_t direction, std::uint16_t start,
                                  std::uint16_t count) const {
  return RankingPacket(kFundList, days, a, sort, direction, start, count);
}

Bytes CPacketCodec::BuildQuoteExtra(std::string_view code) const { return CodePacket(kQuoteExtra, code); }

Bytes CPacketCodec::BuildCategoryList(std::uint8_t category, std::uint8_t sort,
                                      std::uint8_t direction, std::uint16_t start,
                                      std::uint16_t count) const {
  WireWriter writer = WireWriter::Packet(kCategoryList, kAttrPlain);
  writer.U8(1).U8(category).U8(sort).U8(direction).U16(start).U16(count);
  if (category == 105) writer.U8(list_param_a_);
  if (category == 110) writer.U8(list_param_b_);
  return writer.FinishPacket();
}

Bytes CPacketCodec::BuildSectorMembers(std::uint16_t a, std::uint8_t c, std::uint8_t b,
                                       std::uint16_t d, std::uint16_t e) const {
  return WireWriter::Packet(kSectorMembers, kAttrPlain).U16(a).U8(c).U8(b).U16(d).U16(e).FinishPacket();
}

Bytes CPacketCodec::BuildServerTime(std::uint32_t value) const {
  return U32Packet(kServerTime, kAttrPlain, value);
}

Bytes CPacketCodec::BuildMinuteData(std::string_view code, std::uint32_t start) const {
  return WireWriter::Packet(kMinuteData, kAttrCompressed).Str(code).U32(start).FinishPacket();
}

Bytes CPacketCodec::BuildTradingHours(std::string_view code) const {
  return CodePacket(kTradingHours, code);
}

Bytes CPacketCodec::BuildSecurityInfo(std::string_view code) const {
  return CodePacket(kSecurityInfo, code);
}

Bytes CPacketCodec::BuildKLine(std::string_view code, std::uint8_t period, std::uint32_t start,
                               std::uint16_t count, std::uint8_t adjustment) const {
  return WireWriter::Packet(kKLine, kAttrCompressed).Str(code).U8(period).U32(start).U16(count)
      .U8(adjustment).FinishPacket();
}

Bytes CPacketCodec::BuildQuote(std::string_view code) const { return CodePacket(kQuote, code); }

Bytes CPacketCodec::BuildOrderBook(std::string_view code) const { return CodePacket(kOrderBook, code); }

Bytes CPacketCodec::BuildTicks(std::string_view code, std::uint32_t value) const {
  return WireWriter::Packet(kTicks, kAttrCompressed).Str(code).U32(value).U16(10).FinishPacket();
}

Bytes CPacketCodec::BuildIndexBreadth(std::string_view code) const {
  return CodePacket(kIndexBreadth, code);
}

Bytes CPacketCodec::BuildTenLevelBook(std::string_view code) const {
  return CodePacket(kTenLevelBook, code);
}

Bytes CPacketCodec::BuildInfoTitles(std::uint8_t value) const {
  return WireWriter::Packet(kInfoTitles, kAttrPlain).U8(value).FinishPacket();
}

Bytes CPacketCodec::BuildF10Item(std::string_view code, std::uint16_t a, std::uint32_t b) const {
  return WireWriter::Packet(kF10Item, kAttrPlain).Str(code).U16(a).U32(b).FinishPacket();
}

Bytes CPacketCodec::BuildInfoCategories(std::uint32_t value) const {
  return U32Packet(kInfoCategories, kAttrPlain, value);
}

Bytes CPacketCodec::BuildInfoList(std::uint32_t kind) const {
  return U32Packet(kInfoList, kAttrPlain, kind);
}

// The count is the byte length of the converted identifier, so that a non-ASCII identifier is
// framed by what is actually sent.
Bytes CPacketCodec::BuildArticle(std::uint32_t kind, std::u16string_view identifier) const {
  return WireWriter::Packet(kArticle, kAttrCompressed).U32(kind).Gbk(identifier).FinishPacket();
}

Bytes CPacketCodec::BuildTradeAnalysis(std::string_view code, std::uint8_t days) const {
  return WireWriter::Packet(kTradeAnalysis, kAttrPlain).Str(code).U8(days).FinishPacket();
}

Bytes CPacketCodec::BuildOrderDetails(std::string_view code) const {
  return WireWriter::Packet(kOrderDetails, kAttrPlain).Str(code).FinishPacket();
}

// Each item carries six code characters; a code shorter than that is padded with zero bytes and
// a longer one cut, so that the packet always has exactly the length its header announces.
Bytes CPacketCodec::BuildCodeListInfo(std::uint16_t a, std::uint16_t b,
                                      std::span<const std::string> codes, std::uint32_t c,
                                      std::uint32_t d) const {
  WireWriter writer = WireWriter::Packet(kCodeListInfo, kAttrCompressed);
  writer.U16(a).U16(b).U32(static_cast<std::uint32_t>(codes.size()));
  std::uint8_t market = 1;
  for (const std::string& code : codes) {
    market = CodeListMarketByte(code, market);
    std::uint8_t digits[kCodeListItemDigits] = {};
    const std::string_view rest = code.size() > 2 ? std::string_view(code).substr(2) : "";
    std::memcpy(digits, rest.data(), std::min(rest.size(), kCodeListItemDigits));
    writer.Raw(digits).U8(0).U8(market).U32(0).U32(0).U32(c).U32(d);
  }
  return writer.FinishPacket();
}

Bytes CPacketCodec::BuildLogin(std::u16string_view user, std::u16string_view password) const {
  return WireWriter::Packet(kLogin, kAttrPlain).Gbk(user).Gbk(password).FinishPacket();
}

Bytes CPacketCodec::BuildRecommend(std::u16string_view text, std::span<const std::uint8_t> raw) const {
  return WireWriter::Packet(kRecommend, kAttrPlain).Gbk(text).Raw(raw).FinishPacket();
}

Bytes CPacketCodec::Join(std::span<const Bytes> packets) {
  Bytes container;
  std::size_t total = 0;
  for (const Bytes& packet : packets) total += packet.size();
  container.reserve(total);
  for (std::size_t i = 0; i < packets.size(); ++i) {
    const Bytes& packet = packets[i];
    if (packet.size() < 2) continue;
    const auto begin = packet.begin() + (i == 0 ? 0 : 1);  // later packets lose their "{"
    container.insert(container.end(), begin, packet.end() - 1);
    container.push_back(i + 1 == packets.size() ? '}' : ':');
  }
  return container;
}

}  // namespace tarvello
