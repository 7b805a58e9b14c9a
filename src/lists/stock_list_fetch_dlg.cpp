// The list screen's worker side: one exchange for the page, the own list or the information
// tabs in front, read into fresh rows and handed over whole.
#include "info/info_fetch.h"
#include "lists/list_answer.h"
#include "lists/list_codes.h"
#include "lists/list_request.h"
#include "lists/stock_list_dlg.h"
#include "market/own_stock_list.h"
#include "protocol/answer_exchange.h"
#include "protocol/packet_codec.h"

namespace tarvello {

// The rows the worker reads into: a copy of the lists held, with the one the answer fills emptied,
// so that an answer replaces its rows and never merges with them.
bool CStockListDlg::FetchAndRead(const ListQuery& query, const Bytes& request, ListRows fresh) {
  const Bytes answer = ReceiveAnswer(parts_.exchange, request, kListAnswerCapacity);
  if (answer.empty()) return false;  // the rows held stay, and grow old
  const ListQuery now = this->query();
  if (now.bigOrderMode) {
    fresh.funds.clear();
    fresh.bigOrders.clear();
  } else if (now.mode == kModeTradeAnalysis || now.mode == kModeOrderDetails) {
    // Their answers replace what is shown only when they read whole.
  } else if (now.category == kCategoryFutures) {
    fresh.futures.clear();
  } else if (now.category == kCategorySectorFunds) {
    fresh.buckets.clear();
  } else {
    fresh.quotes.clear();
    if (now.category == kCategorySectors) fresh.buckets.clear();
  }
  ListAnswerContext context;
  context.category = now.category;
  if (now.shownSector != 0) {
    context.sector = now.sectorCode;
    context.sectorName = now.sectorName;
  }
  context.orderReference = now.mode == kModeOrderDetails;
  const bool complete = ReadListAnswer(answer.data(), answer.size(), context, fresh).complete;
  if (!SameRequest(now, query)) return false;  // a new list is on its way
  view_.Publish(ListView{true, std::move(fresh)});
  // The rows read before a fault are shown, but the exchange does not count as a good answer.
  const bool good = GoodExchange(answer, complete);
  if (!good) PostMessage(kMsgRowsChanged, 0, 0);
  return good;
}

bool CStockListDlg::FetchOwnList(const ListQuery& query, const OwnStockList& list) {
  const std::vector<SecurityCode> codes = list.Codes();
  const int total = static_cast<int>(codes.size());
  const int first = std::min(total, query.page * query.rowsPerPage);
  const int end = std::min(total, first + query.rowsPerPage);
  ListRows fresh = view_.Current()->rows;
  fresh.listTotal = total;
  if (first == end) {
    fresh.quotes.clear();
    fresh.bigOrders.clear();
    fresh.funds.clear();
    view_.Publish(ListView{true, std::move(fresh)});
    return true;
  }
  const std::span<const SecurityCode> page(codes.data() + first, static_cast<std::size_t>(end - first));
  if (query.bigOrderMode) {
    const std::uint16_t type = query.fundView ? kFundList : kBigOrderList;
    return FetchAndRead(query, BuildRankingCodes(type, query.days, page), std::move(fresh));
  }
  return FetchAndRead(query, BuildCodeListPage(query.sortField, query.sortDirection, end, page), std::move(fresh));
}

bool CStockListDlg::RunExchange() {
  if (const SecurityCode code = TakeOpenCode(); !code.empty()) AskTypeAndOpen(code);
  return FetchPage(query(), view_.Current()->rows);
}

bool CStockListDlg::FetchPage(const ListQuery& q, const ListRows& held) {
  const ListWindow window{q.sortField, q.sortDirection, q.page * q.rowsPerPage, q.rowsPerPage};
  switch (q.mode) {
    case 0: return false;
    case kModeSelfSelected:
      if (q.infoKind != 0) return FetchOwnInfo(q);
      return parts_.selfSelected && FetchOwnList(q, *parts_.selfSelected);
    case kModeRecentlyViewed: return parts_.recentlyViewed && FetchOwnList(q, *parts_.recentlyViewed);
    case kModeFutures: return FetchAndRead(q, BuildCategoryPage(kCategoryFutures, {0, 1, 0, q.rowsPerPage}), held);
    case kModeSectorFunds:
      return FetchAndRead(q, BuildCategoryPage(kCategorySectorFunds, window, static_cast<std::uint8_t>(q.fundPeriod)), held);
    case kModeTradeAnalysis: return FetchAndRead(q, BuildTradeAnalysisRequest(q.stockCode, q.analysisDays), held);
    case kModeOrderDetails: return FetchAndRead(q, BuildOrderDetailsRequest(q.stockCode), held);
    default: break;
  }
  if (q.bigOrderMode) {
    const std::uint16_t type = q.fundView ? kFundList : kBigOrderList;
    return FetchAndRead(q, BuildRankingPage(type, q.days, q.category, window), held);
  }
  if (q.shownSector != 0) {
    // The sector's own row takes the first place of every page, so a page asks for one
    // constituent fewer, starting where the page before ended.
    ListWindow members = window;
    members.start = ConstituentStart(q.page, q.rowsPerPage);
    members.count = ConstituentsPerPage(q.rowsPerPage);
    return FetchAndRead(q, BuildSectorPage(q.sectorCode, q.shownSector, members), held);
  }
  return FetchAndRead(q, BuildCategoryPage(q.category, window, static_cast<std::uint8_t>(q.sectorClass)), held);
}

// An information tab asks for the titles of every self-selected code at once, or for the article
// of the title chosen. The quote rows stay as they are, for the way back to "行情".
bool CStockListDlg::FetchOwnInfo(const ListQuery& q) {
  if (!parts_.selfSelected) return false;
  InfoQuery info;
  info.kind = q.infoKind;
  if (q.article.empty()) {
    info.page = InfoPage::kTitles;
    info.own_list = true;
    for (const SecurityCode& code : parts_.selfSelected->Codes()) info.codes.push_back(code.text());
  } else {
    info.page = InfoPage::kArticle;
    info.article = q.article;
  }
  PageContent page = FetchInfoPage(info, InfoLinks{parts_.exchange, {}, {}});
  if (!SameRequest(query(), q)) return false;  // another tab or title was chosen meanwhile
  ListView shown = *view_.Current();
  shown.info = std::move(page);
  shown.infoFor = q;
  view_.Publish(std::move(shown));
  return true;
}

}  // namespace tarvello
