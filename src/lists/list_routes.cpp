#include "lists/list_routes.h"

#include <map>

#include "lists/list_codes.h"
#include "market/printf_text.h"
#include "navigation/list_argument.h"

namespace tarvello {
namespace {

constexpr int kMenuPageCategories = 0;
constexpr int kMenuPageGlobal = 1;
constexpr int kMenuPageHongKong = 2;
constexpr int kMenuPageFundFlow = 21;
constexpr int kFirstHongKongCategory = 30;
constexpr int kLastHongKongCategory = 35;
constexpr int kLargestCategory = 255;
constexpr int kFundFlowSelfSelected = 1111;  // the fund-flow menu's "自选股"

const std::map<int, ListOpening>& NamedArguments() {
  static const std::map<int, ListOpening> arguments = {
      {kListArgSelfSelected, {kModeSelfSelected, kCategorySelfSelected}},
      {kListArgResume, {0, 0, true}},
      {kListArgBackFromChart, {0, 0, true}},
      {kListArgBackFromFundFlow, {0, 0, true}},
      {kListArgTradeAnalysis, {kModeTradeAnalysis, 0}},
      {kListArgOrderDetails, {kModeOrderDetails, 0}},
      {kCategorySectorFunds, {kModeSectorFunds, kCategorySectorFunds}},
      {kCategorySectors, {kModeSectors, kCategorySectors}},
      {kListArgSectors, {kModeSectors, kCategorySectors}},
      {kListArgFutures, {kModeFutures, kCategoryFutures}},
      {kListArgIndices, {kModeIndices, kCategoryIndices}},
      {kCategoryIndices, {kModeIndices, kCategoryIndices}},
      {kCategoryFutures, {kModeFutures, kCategoryFutures}},
      {kCategoryCsi300, {kModeCsi300, kCategoryCsi300}},
      {kListArgStages, {kModeIndices, kCategoryIndices}},
      {kListArgCsi300, {kModeCsi300, kCategoryCsi300}},
      {kListArgGlobal, {kModeCategory, kCategoryGlobal}},
      {kListArgForex, {kModeCategory, kCategoryForex}},
      {-60, {kModeCategory, kCategoryAllShares}},
      {-61, {kModeCategory, kCategoryShanghaiA}},
      {-62, {kModeCategory, kCategoryShanghaiB}},
      {-63, {kModeCategory, kCategoryShenzhenA}},
      {-64, {kModeCategory, kCategoryShenzhenB}},
      {-65, {kModeCategory, kCategoryShanghaiFunds}},
      {-66, {kModeCategory, kCategoryShenzhenFunds}},
  };
  return arguments;
}

// Categories of the menu pages that the target's own titles do not name.
std::u16string CategoryTitle(int category) {
  static const std::map<int, std::u16string> titles = {
      {0, u"沪深A股"},    {1, u"中小板"},    {11, u"上证A股"},  {21, u"深证A股"},  {12, u"上证B股"},
      {22, u"深证B股"},  {14, u"上证基金"}, {24, u"深证基金"}, {102, u"全球指数"},
      {106, u"创业板"},   {13, u"上证债券"}, {23, u"深证债券"}, {121, u"沪深权证"}, {30, u"香港指数"},
      {35, u"香港主板"}, {31, u"国企股"},   {32, u"红筹股"},   {33, u"蓝筹股"}, {34, u"AH股"},
  };
  const auto found = titles.find(category);
  return found == titles.end() ? std::u16string() : found->second;
}

// The menu page a category list was chosen on, where "返回" leads.
int MenuPageOf(int category, bool bigOrderMode) {
  if (bigOrderMode) return kMenuPageFundFlow;
  if (category == kCategoryGlobal || category == kCategoryForex) return kMenuPageGlobal;
  if (category >= kFirstHongKongCategory && category <= kLastHongKongCategory) return kMenuPageHongKong;
  return kMenuPageCategories;
}

}  // namespace

std::optional<ListOpening> ListOpeningFor(int target, int argument) {
  switch (target) {
    // The main screen has no title for these two targets, so the lists name themselves.
    case kTargetQuoteListOtherPage: return ListOpening{kModeSelfSelected, kCategorySelfSelected, false, u"自选股"};
    case kTargetQuoteListOwnPage: return ListOpening{kModeRecentlyViewed, kCategoryRecentlyViewed, false, u"最近浏览"};
    case kTargetQuoteList: break;
    default: return std::nullopt;
  }
  const auto& named = NamedArguments();
  if (const auto found = named.find(argument); found != named.end()) return found->second;
  // The fund-flow menu's lists open as big-order rankings under the category's own name.
  if (const std::optional<int> funds = FundFlowCategory(argument)) {
    if (*funds == kFundFlowSelfSelected) return ListOpening{kModeSelfSelected, kCategorySelfSelected, false, u"自选股", true};
    if (*funds < 0 || *funds > kLargestCategory) return std::nullopt;
    return ListOpening{kModeCategory, *funds, false, CategoryTitle(*funds), true};
  }
  // Any other category code a menu page offers opens that category; the rest is "中小企业".
  if (argument >= 0 && argument <= kLargestCategory) {
    return ListOpening{kModeCategory, argument, false, CategoryTitle(argument)};
  }
  if (argument >= 1140) return std::nullopt;
  return ListOpening{kModeCategory, kCategorySmallCaps};
}

std::u16string SectorFundsTitle(int period) { return PrintfText("板块资金-%d天", period); }

std::u16string TradeAnalysisTitle(int days) { return PrintfText("成交透析-%d天", days); }

// One navigation each: a second one asked for at once would be dropped while the first runs (the
// global markets' way back, the main menu and then its menu page, goes straight to the page).
ListReturn ReturnFrom(const ReturnPlace& place) {
  if (place.shownSector != 0 || place.mode == kModeSectorFunds) return {true, {}};
  if (place.mode == kModeTradeAnalysis || place.mode == kModeOrderDetails) {
    return {false, {kTargetStockDetail, kTargetQuoteList}};
  }
  if (place.category == kCategoryCsi300) return {false, {kTargetQuoteList, kListArgFutures}};
  if (place.mode == kModeCategory || (place.mode == kModeSelfSelected && place.bigOrderMode)) {
    return {false, {kTargetMenuPage, MenuPageOf(place.category, place.bigOrderMode)}};
  }
  return {false, {kTargetMainMenu, 0}};
}

}  // namespace tarvello
