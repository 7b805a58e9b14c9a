// CPacketCodec: one builder per request type the terminal sends, and the joining of packets into
// one request container. Answer bodies are read with BlockReader (protocol/block_reader.h).
//
// Every builder returns exactly one packet ("{" type attribute length body "}", length = body + 8).
// Text arguments are wide strings converted to GBK; security codes are their ASCII text
// ("SH600001"). A codec holds only the two list parameters of request 2113; create one on the
// stack per exchange. Builders are otherwise pure and safe from any thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "protocol/bytes.h"

namespace tarvello {

// Request type codes.
enum RequestType : std::uint16_t {
  kServerProbe = 0,
  kVersionCheck = 1000,
  kDeviceRegistration = 1800,
  kErrorReport = 1900,
  kSecuritySearch = 2000,
  kBigOrderList = 2105,
  kFundList = 2106,
  kSecurityFundFlow = 2109,
  kQuoteExtra = 2110,
  kCategoryList = 2113,
  kSectorMembers = 2114,
  kServerTime = 2116,
  kMinuteData = 2117,
  kTradingHours = 2118,
  kSecurityInfo = 2200,
  kMinuteDataShort = 2201,
  kKLine = 2202,
  kQuote = 2203,
  kOrderBook = 2204,
  kTicks = 2205,
  kIndexBreadth = 2206,
  kTenLevelBook = 2304,
  kInfoTitles = 2500,
  kF10Item = 2600,
  kInfoCategories = 2700,
  kInfoList = 2701,
  kArticle = 2710,
  kTradeAnalysis = 2800,
  kOrderDetails = 2802,
  kCodeListInfo = 2901,
  kLogin = 2906,
  kRecommend = 2908,
  kNotices = 2913,
  kFuturesQuote = 3203,
  kFuturesTicks = 3205,
};

// Attribute of request packets: 0 plain, 2 for the quote types that the server may compress.
inline constexpr std::uint16_t kAttrPlain = 0;
inline constexpr std::uint16_t kAttrCompressed = 2;

// Market byte of an item of request 2901: 1 for a code starting "SH", 0 for "SZ", 0x5A for "BI";
// any other prefix repeats the previous item's market.
std::uint8_t CodeListMarketByte(std::string_view code, std::uint8_t previous);

class CPacketCodec {
 public:
  // Extra byte of a 2113 request for category 105 (A) and category 110 (B).
  void SetListParamA(std::uint8_t value) { list_param_a_ = value; }
  void SetListParamB(std::uint8_t value) { list_param_b_ = value; }

  Bytes BuildServerProbe() const;                                                    // 0
  Bytes BuildVersionCheck(std::u16string_view first, std::u16string_view second) const;  // 1000
  Bytes BuildDeviceRegistration(std::u16string_view text) const;                     // 1800
  Bytes BuildErrorReport(std::u16string_view text) const;                            // 1900
  Bytes BuildSecuritySearch(std::u16string_view text) const;                         // 2000
  Bytes BuildBigOrderList(std::uint8_t days, std::uint8_t a, std::uint8_t sort,
                          std::uint8_t direction, std::uint16_t start, std::uint16_t count) const;  // 2105
  Bytes BuildFundList(std::uint8_t days, std::uint8_t a, std::uint8_t sort,
                      std::uint8_t direction, std::uint16_t start, std::uint16_t count) const;      // 2106
  Bytes BuildQuoteExtra(std::string_view code) const;                                // 2110
  Bytes BuildCategoryList(std::uint8_t category, std::uint8_t sort, std::uint8_t direction,
                          std::uint16_t start, std::uint16_t count) const;           // 2113
  Bytes BuildSectorMembers(std::uint16_t a, std::uint8_t c, std::uint8_t b, std::uint16_t d,
                           std::uint16_t e) const;                                   // 2114
  Bytes BuildServerTime(std::uint32_t value) const;                                  // 2116
  Bytes BuildMinuteData(std::string_view code, std::uint32_t start) const;           // 2117
  Bytes BuildTradingHours(std::string_view code) const;                              // 2118
  Bytes BuildSecurityInfo(std::string_view code) const;                              // 2200
  Bytes BuildKLine(std::string_view code, std::uint8_t period, std::uint32_t start,
                   std::uint16_t count, std::uint8_t adjustment) const;              // 2202
  Bytes BuildQuote(std::string_view code) const;                                     // 2203
  Bytes BuildOrderBook(std::string_view code) const;                                 // 2204
  Bytes BuildTicks(std::string_view code, std::uint32_t value) const;                // 2205
  Bytes BuildIndexBreadth(std::string_view code) const;                              // 2206
  Bytes BuildTenLevelBook(std::string_view code) const;                              // 2304
  Bytes BuildInfoTitles(std::uint8_t value) const;                                   // 2500
  Bytes BuildF10Item(std::string_view code, std::uint16_t a, std::uint32_t b) const;  // 2600
  Bytes BuildInfoCategories(std::uint32_t value) const;                              // 2700
  Bytes BuildInfoList(std::uint32_t kind) const;                                     // 2701
  Bytes BuildArticle(std::uint32_t kind, std::u16string_view identifier) const;      // 2710
  Bytes BuildTradeAnalysis(std::string_view code, std::uint8_t days) const;          // 2800
  Bytes BuildOrderDetails(std::string_view code) const;                              // 2802
  Bytes BuildCodeListInfo(std::uint16_t a, std::uint16_t b, std::span<const std::string> codes,
                          std::uint32_t c, std::uint32_t d) const;                   // 2901
  Bytes BuildLogin(std::u16string_view user, std::u16string_view password) const;    // 2906
  Bytes BuildRecommend(std::u16string_view text, std::span<const std::uint8_t> raw) const;  // 2908

  // Joins packets into one container: "{" p1 ":" p2 ":" ... pn "}". Its length is the sum of
  // the packet lengths minus (n - 1). Empty input gives an empty container.
  static Bytes Join(std::span<const Bytes> packets);

 private:
  std::uint8_t list_param_a_ = 0;
  std::uint8_t list_param_b_ = 0;
};

}  // namespace tarvello
