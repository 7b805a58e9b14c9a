// The rows a quote list holds, one list per kind of row, and the total count the pages are
// counted from. Values are scaled integers in the row's decimals (price x 10^decimals; a change
// ratio is percent at that scale). Plain values: the list worker fills a fresh ListRows and hands
// it over whole; the painter reads its own copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "market/quote_row.h"
#include "market/security_code.h"

namespace tarvello {

struct FuturesRow {
  SecurityCode code;
  std::u16string name;
  std::uint8_t decimals = 2;
  std::uint8_t status = 0;
  std::int32_t latest = 0;
  std::int32_t changeRatio = 0;
  std::int32_t change = 0;
  std::int32_t prevClose = 0;
  std::int32_t interestChange = 0;
  std::int32_t openInterest = 0;
  std::int32_t presettle = 0;
  std::int32_t kept1 = 0, kept2 = 0;
  std::int32_t reference = 0;  // latest - change
};

// Sector fund flow: sector code, sector name, net inflow (x 100 yuan), inflow ratio (x 0.0001 %).
// Trade analysis: no first text, the bucket's label, bought and sold lots.
struct BucketRow {
  std::u16string first;
  std::u16string second;
  std::int32_t value1 = 0;
  std::int32_t value2 = 0;
};

struct BigOrderRow {
  SecurityCode code;
  std::u16string name;
  std::uint8_t decimals = 2;
  std::int32_t netRatio = 0;
  std::int32_t rank = 0;
  std::int32_t changeRatio = 0;
};

struct FundRow {
  SecurityCode code;
  std::u16string name;
  std::uint8_t decimals = 2;
  std::int32_t latest = 0;
  std::int32_t netAmount = 0;  // x 10000 yuan
  std::int32_t netRatio = 0;
  std::int32_t prevClose = 0;
};

// The orders waiting at one best price: the price in hundredths, the level's volume in lots, the
// number of orders, and the volumes of the first orders (at most kKeptOrders; the count may be
// larger).
inline constexpr std::size_t kKeptOrders = 50;
struct OrderSide {
  std::int32_t price = 0;
  std::int32_t volume = 0;
  std::int32_t count = 0;
  std::vector<std::int32_t> orders;
};

// The order details of one stock: the best ask ("卖一") and the best bid ("买一"), and the
// reference price (the previous close) their colours are judged against. The reference is in the
// security's own decimals, which may be 3, where the order prices are always in hundredths.
struct OrderDetails {
  OrderSide ask;
  OrderSide bid;
  std::int32_t reference = 0;
  int referenceDecimals = 2;
};

struct ListRows {
  std::vector<QuoteRow> quotes;
  std::vector<FuturesRow> futures;
  std::vector<BucketRow> buckets;
  std::vector<BigOrderRow> bigOrders;
  std::vector<FundRow> funds;
  OrderDetails orders;
  int listTotal = 0;
};

}  // namespace tarvello
