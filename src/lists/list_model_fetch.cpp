// The list model's worker side: which request a query makes, the rows its answer is read into, and
// the door every answer comes in by.
#include <algorithm>
#include <span>

#include "lists/list_model.h"
#include "lists/list_request.h"
#include "market/own_stock_list.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

// The list an answer to q fills is emptied, so that the answer replaces it.
void EmptyAnsweredRows(const ListQuery& q, ListRows& rows) {
  if (q.bigOrderMode) {
    rows.funds.clear();
    rows.bigOrders.clear();
  } else if (q.mode == kModeTradeAnalysis || q.mode == kModeOrderDetails) {
    // Their answers replace what is shown only when they read whole.
  } else if (q.category == kCategoryFutures) {
    rows.futures.clear();
  } else if (q.category == kCategorySectorFunds) {
    rows.buckets.clear();
  } else {
    rows.quotes.clear();
    if (q.category == kCategorySectors) rows.buckets.clear();
  }
}

ListAnswerContext AnswerContextFor(const ListQuery& q) {
  ListAnswerContext context;
  context.category = q.category;
  if (q.shownSector != 0) {
    context.sector = q.sectorCode;
    context.sectorName = q.sectorName;
  }
  context.orderReference = q.mode == kModeOrderDetails;
  return context;
}

// An own list is paged here and asked for by the codes of the page; a page past its end asks
// nothing and shows no rows.
Bytes OwnPageRequest(const ListQuery& q, const OwnStockList& list, ListRows& rows) {
  const std::vector<SecurityCode> codes = list.Codes();
  const int total = static_cast<int>(codes.size());
  const int first = std::min(total, q.page * q.rowsPerPage);
  const int end = std::min(total, first + q.rowsPerPage);
  rows.listTotal = total;
  if (first == end) return {};
  const std::span<const SecurityCode> page(codes.data() + first, static_cast<std::size_t>(end - first));
  if (q.bigOrderMode) return BuildRankingCodes(q.fundView ? kFundList : kBigOrderList, q.days, page);
  return BuildCodeListPage(q.sortField, q.sortDirection, end, page);
}

Bytes PageRequest(const ListQuery& q) {
  const ListWindow window{q.sortField, q.sortDirection, q.page * q.rowsPerPage, q.rowsPerPage};
  switch (q.mode) {
    case kModeFutures: return BuildCategoryPage(kCategoryFutures, {0, 1, 0, q.rowsPerPage});
    case kModeSectorFunds:
      return BuildCategoryPage(kCategorySectorFunds, window, static_cast<std::uint8_t>(q.fundPeriod));
    case kModeTradeAnalysis: return BuildTradeAnalysisRequest(q.stockCode, q.analysisDays);
    case kModeOrderDetails: return BuildOrderDetailsRequest(q.stockCode);
    default: break;
  }
  if (q.bigOrderMode) return BuildRankingPage(q.fundView ? kFundList : kBigOrderList, q.days, q.category, window);
  if (q.shownSector != 0) {
    // The sector's own row takes the first place of every page, so a page asks for one
    // constituent fewer, starting where the page before ended.
    ListWindow members = window;
    members.start = ConstituentStart(q.page, q.rowsPerPage);
    members.count = ConstituentsPerPage(q.rowsPerPage);
    return BuildSectorPage(q.sectorCode, q.shownSector, members);
  }
  return BuildCategoryPage(q.category, window, static_cast<std::uint8_t>(q.sectorClass));
}

}  // namespace

SecurityCode ListModel::TakeOpenCode() {
  std::lock_guard<std::mutex> lock(query_mutex_);
  return std::exchange(query_.openCode, SecurityCode());
}

std::optional<ListFetch> ListModel::PlanFetch(const ListQuery& q) const {
  if (q.mode == 0 || q.infoKind != 0) return std::nullopt;
  ListFetch fetch{{}, view_.Current()->rows, AnswerContextFor(q)};
  if (q.mode == kModeSelfSelected || q.mode == kModeRecentlyViewed) {
    const OwnStockList* list = q.mode == kModeSelfSelected ? parts_.selfSelected : parts_.recentlyViewed;
    if (list == nullptr) return std::nullopt;
    fetch.request = OwnPageRequest(q, *list, fetch.rows);
    if (fetch.request.empty()) {
      fetch.rows.quotes.clear();
      fetch.rows.bigOrders.clear();
      fetch.rows.funds.clear();
      return fetch;
    }
  } else {
    fetch.request = PageRequest(q);
  }
  EmptyAnsweredRows(q, fetch.rows);
  return fetch;
}

// The check and the hand-over happen under the query's lock, so that a list chosen meanwhile
// either comes after these rows (and empties them) or turns them away.
bool ListModel::AnswerArrived(const ListQuery& asked, ListRows rows) {
  std::lock_guard<std::mutex> lock(query_mutex_);
  if (!SameRequest(query_, asked)) return false;
  view_.Publish(ListView{true, std::move(rows)});
  return true;
}

std::optional<std::chrono::system_clock::time_point> ListModel::ShowCached(const ListQuery& q,
                                                                          const CacheFinder& find) {
  std::optional<ListFetch> fetch = PlanFetch(q);
  if (!fetch || fetch->request.empty()) return std::nullopt;
  const std::optional<CacheEntry> entry = find(ListCacheKey(fetch->request));
  if (!entry || !ReadListAnswer(entry->bytes.data(), entry->bytes.size(), fetch->context, fetch->rows).complete) {
    return std::nullopt;
  }
  if (!AnswerArrived(q, std::move(fetch->rows))) return std::nullopt;
  return entry->moment;
}

std::optional<InfoQuery> ListModel::PlanInfo(const ListQuery& q) const {
  if (q.mode != kModeSelfSelected || q.infoKind == 0 || !parts_.selfSelected) return std::nullopt;
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
  return info;
}

// The quote rows stay as they are, for the way back to "行情".
bool ListModel::InfoArrived(const ListQuery& asked, PageContent page) {
  std::lock_guard<std::mutex> lock(query_mutex_);
  if (!SameRequest(query_, asked)) return false;
  ListView shown = *view_.Current();
  shown.info = std::move(page);
  shown.infoFor = asked;
  view_.Publish(std::move(shown));
  return true;
}

}  // namespace tarvello
