// The vocabulary of the quote lists: the category codes a category list request names, the
// block layout each category's answer takes, and the sector number that identifies a sector in
// the constituents request. Plain constants and pure functions; safe from any thread.
#pragma once

#include <string_view>

namespace tarvello::server {

enum ListCategory : int {
  kAllAShares = 0,
  kSmallCaps = 1,
  kShanghaiA = 11,
  kShanghaiB = 12,
  kShanghaiBonds = 13,
  kShanghaiFunds = 14,
  kShenzhenA = 21,
  kShenzhenB = 22,
  kShenzhenBonds = 23,
  kShenzhenFunds = 24,
  kHongKongIndices = 30,
  kHongKongEnterprises = 31,
  kHongKongRedChips = 32,
  kHongKongBlueChips = 33,
  kHongKongAh = 34,
  kHongKongMainBoard = 35,
  kMarketIndices = 101,
  kGlobalMarkets = 102,
  kIndexFutures = 103,
  kForeignExchange = 104,
  kSectors = 105,
  kGrowthBoard = 106,
  kSectorFundFlow = 110,
  kHs300 = 120,
  kWarrants = 121,
};

// The row layout of a category list answer: quote rows, futures rows, sector rows, or the
// two-text rows of the sector fund flow.
enum class ListLayout { kQuote, kFutures, kSector, kBucket };

constexpr ListLayout LayoutOf(int category) {
  switch (category) {
    case kIndexFutures: return ListLayout::kFutures;
    case kSectors: return ListLayout::kSector;
    case kSectorFundFlow: return ListLayout::kBucket;
    default: return ListLayout::kQuote;
  }
}

// The number of a sector: the last three characters of its code read as a decimal number, 0
// when they are not all digits.
constexpr int SectorNumber(std::string_view code) {
  if (code.size() < 3) return 0;
  int number = 0;
  for (const char c : code.substr(code.size() - 3)) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

}  // namespace tarvello::server
