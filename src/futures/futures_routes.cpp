#include "futures/futures_routes.h"

#include <algorithm>

namespace tarvello {
namespace {

constexpr int kIndicesList = -1;
constexpr int kSectorList = 105;
constexpr int kRankingsPage = 0;
constexpr int kStripAndBarLines = 3;

}  // namespace

std::array<BarCell, kBottomBarCells> BottomBarCells(int view) {
  if (view == kViewFundFlow) {
    return {{{u"选项", std::nullopt},
             {u"分时", NavigationRequest{kTargetStockDetail, kTargetFuturesMode3}},
             {u"K线", NavigationRequest{kTargetKLine, kTargetFuturesMode3}},
             {u"信息", NavigationRequest{kTargetMenuPage, kTargetFuturesMode3}},
             {u"资金", std::nullopt, true},
             {u"返回", std::nullopt}}};
  }
  return {{{u"选项", std::nullopt},
           {u"自选", NavigationRequest{kTargetQuoteListOtherPage, kTargetQuoteList}},
           {u"大盘", NavigationRequest{kTargetQuoteList, kIndicesList}},
           {u"排行", NavigationRequest{kTargetMenuPage, kRankingsPage}},
           {u"板块", NavigationRequest{kTargetQuoteList, kSectorList}},
           {u"返回", std::nullopt}}};
}

std::optional<FuturesView> ViewForTarget(int target) {
  switch (target) {
    case kTargetFuturesMode1: return kViewQuotePanel;
    case kTargetFuturesMode2: return kViewTicks;
    case kTargetFuturesMode3: return kViewFundFlow;
    default: return std::nullopt;
  }
}

int TargetForView(int view) {
  switch (view) {
    case kViewTicks: return kTargetFuturesMode2;
    case kViewFundFlow: return kTargetFuturesMode3;
    default: return kTargetFuturesMode1;
  }
}

std::optional<NavigationRequest> ReturnFrom(FuturesCaller& caller) {
  if (caller.returnToCaller) {
    caller.returnToCaller = false;
    return NavigationRequest{kTargetQuoteListOwnPage, kTargetStockDetail};
  }
  switch (caller.screen) {
    case kTargetQuoteList:
    case kTargetKLine:
    case kTargetStockDetail: return NavigationRequest{caller.screen, kTargetFuturesMode3};
    default: return std::nullopt;
  }
}

int TickRowsFor(int clientHeight, int lineHeight) {
  if (lineHeight <= 0) return 1;
  return std::max(1, (clientHeight - lineHeight - kStripAndBarLines * lineHeight) / lineHeight);
}

TickPageUp PageUp(int position, int rows) {
  const long long lowered = static_cast<long long>(position) - 2LL * rows;
  if (lowered < 0) return {0, false};
  return {static_cast<int>(lowered), true};
}

}  // namespace tarvello
