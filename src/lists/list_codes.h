// The numbers the quote list speaks in: list categories, sort fields and directions, sector
// classes and the list modes the screen runs in. Values are those of the wire and of the menus.
#pragma once

#include <cstdint>

namespace tarvello {

// Category byte of the list request; the own lists have none and use the two negative values.
enum ListCategory : int {
  kCategorySelfSelected = -1,
  kCategoryRecentlyViewed = -2,
  kCategoryAllShares = 0,
  kCategorySmallCaps = 1,
  kCategoryShanghaiA = 11,
  kCategoryShanghaiB = 12,
  kCategoryShanghaiFunds = 14,
  kCategoryShenzhenA = 21,
  kCategoryShenzhenB = 22,
  kCategoryShenzhenFunds = 24,
  kCategoryIndices = 101,
  kCategoryGlobal = 102,
  kCategoryFutures = 103,
  kCategoryForex = 104,
  kCategorySectors = 105,
  kCategorySectorFunds = 110,
  kCategoryCsi300 = 120,
};

enum SortField : int {
  kSortServerOrder = 0,
  kSortChangeRatio = 1,
  kSortBigOrderDefault = 2,
  kSortLatest = 4,
  kSortVolume = 5,
  kSortAmount = 6,
  kSortTurnover = 7,
  kSortPe = 8,
  kSortThreeDayChange = 10,
  kSortThreeDayTurnover = 12,
  kSortSectorFunds = 14,
  kSortSpeed = 15,
  kSortChange = 16,
  kSortHigh = 21,
  kSortLow = 22,
};

enum SortDirection : int { kSortDescending = 0, kSortAscending = 1 };

enum ListMode : int {
  kModeSelfSelected = 505,
  kModeRecentlyViewed = 506,
  kModeCategory = 507,
  kModeIndices = 508,
  kModeSectors = 510,
  kModeSectorFunds = 513,
  kModeTradeAnalysis = 514,
  kModeOrderDetails = 515,
  kModeFutures = 526,
  kModeCsi300 = 527,
};

}  // namespace tarvello
