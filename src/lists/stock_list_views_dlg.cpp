// The quote list's money-flow views: the big-order and fund rankings' choices and the opening of
// a ranking row by its security type, the sector fund flow and its periods, and one stock's
// trade analysis over its periods.
#include <utility>

#include "lists/list_answer.h"
#include "lists/list_codes.h"
#include "lists/list_commands.h"
#include "lists/list_request.h"
#include "lists/list_routes.h"
#include "lists/stock_list_dlg.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"

namespace tarvello {
namespace {

constexpr int kUnknownType = -1;
// The security type whose ranking row opens its fund flow rather than the detail screen.
constexpr int kTypeWithFundFlow = 1;

}  // namespace

bool CStockListDlg::RunViewCommand(unsigned command) {
  if (const std::optional<RankingStep> step = tarvello::ChooseRanking(ranking_, command)) {
    if (query().bigOrderMode) ChooseRanking(*step);
    return true;
  }
  switch (command) {
    case kCmdSectorFunds: OpenSectorFunds(fund_period_); return true;
    case kCmdSectorFunds1: OpenSectorFunds(1); return true;
    case kCmdSectorFunds5: OpenSectorFunds(5); return true;
    case kCmdSectorFunds15: OpenSectorFunds(15); return true;
    case kCmdAnalysis1: ChooseAnalysisDays(1); return true;
    case kCmdAnalysis5: ChooseAnalysisDays(5); return true;
    case kCmdAnalysis10: ChooseAnalysisDays(10); return true;
    case kCmdAnalysis15: ChooseAnalysisDays(15); return true;
    default: return false;
  }
}

// A new ranking is fetched from its first page; the selection stays where it was.
void CStockListDlg::ChooseRanking(const RankingStep& step) {
  ranking_ = step.state;
  if (!step.fetch) return;
  ChangeQuery([&](ListQuery& q) {
    q.days = step.state.days;
    q.fundView = step.state.fundView;
    q.page = 0;
  });
  RequestRefresh(true);
  Invalidate();
}

// Entered from the sector list, the sector fund flow remembers the place "返回" leads back to;
// entered from anywhere else, "返回" opens the sector list afresh.
void CStockListDlg::OpenSectorFunds(int period) {
  if (SectorList()) {
    sector_place_ = SectorListPlaceNow();
  } else if (query().mode != kModeSectorFunds) {
    sector_place_ = SectorListPlace();
  }
  fund_period_ = period;
  ChangeQuery([period](ListQuery& q) {
    q.mode = kModeSectorFunds;
    q.category = kCategorySectorFunds;
    q.shownSector = 0;
    q.fundPeriod = period;
    q.page = 0;
  });
  first_column_ = 1;
  selected_row_ = 1;
  view_.Publish(ListView{});
  ApplyTitle(SectorFundsTitle(period));
  RequestRefresh(true);
  Invalidate();
}

void CStockListDlg::ChooseAnalysisDays(int days) {
  if (query().mode != kModeTradeAnalysis) return;
  ChangeQuery([days](ListQuery& q) { q.analysisDays = days; });
  ApplyTitle(TradeAnalysisTitle(days));
  RequestRefresh(true);
}

SecurityCode CStockListDlg::TakeOpenCode() {
  std::lock_guard<std::mutex> lock(query_mutex_);
  return std::exchange(query_.openCode, SecurityCode());
}

// Worker thread: the security query, then the opening on the user-interface thread.
void CStockListDlg::AskTypeAndOpen(const SecurityCode& code) {
  int type = kUnknownType;
  if (parts_.exchange) {
    Bytes answer(kListAnswerCapacity);
    const int received = parts_.exchange(BuildSecurityQuery(code), answer);
    ListRows unused;
    if (received > 0) {
      const std::size_t length = std::min(static_cast<std::size_t>(received), answer.size());
      const ListAnswerResult result = ReadListAnswer(answer.data(), length, {}, unused);
      if (result.securityType) type = *result.securityType;
    }
  }
  PostWhenExchangeEnds(Message{kMsgOpenTyped, type, 0});
}

// A share of the rankings opens its own fund flow; anything else, a type the server did not tell
// or a row of the own lists, opens the stock detail screen.
void CStockListDlg::OpenTyped(int securityType) {
  if (!parts_.navigator || opening_code_.empty()) return;
  const bool fundFlow = securityType == kTypeWithFundFlow && query().bigOrderMode;
  const int target = fundFlow ? kTargetFuturesMode3 : kTargetStockDetail;
  // The detail screen's opening remembers its security; a share's fund flow is remembered here.
  if (fundFlow && parts_.recentlyViewed) parts_.recentlyViewed->Remember(opening_code_);
  parts_.navigator->GoTo(target, kTargetQuoteList, BrowseChange::FromList(opening_code_, PageCodes()));
  opening_code_ = SecurityCode();
}

}  // namespace tarvello
