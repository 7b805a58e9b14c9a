// The list screen's worker side: the exchange the model plans for the page, the own list or the
// information tab in front, and the answer handed back to the model and, when good, kept in the
// answer cache.
#include "info/info_fetch.h"
#include "lists/list_request.h"
#include "lists/stock_list_dlg.h"
#include "protocol/answer_exchange.h"

namespace tarvello {
namespace {

constexpr int kUnknownType = -1;

}  // namespace

bool CStockListDlg::RunExchange() {
  if (const SecurityCode code = model_.TakeOpenCode(); !code.empty()) AskTypeAndOpen(code);
  const ListQuery q = model_.query();
  if (const std::optional<InfoQuery> info = model_.PlanInfo(q)) return FetchOwnInfo(q, *info);
  std::optional<ListFetch> fetch = model_.PlanFetch(q);
  if (!fetch) return false;
  if (fetch->request.empty()) return model_.AnswerArrived(q, std::move(fetch->rows));
  const Bytes answer = ReceiveAnswer(parts_.exchange, fetch->request, kListAnswerCapacity);
  if (answer.empty()) return false;  // the rows held stay, and grow old
  const bool complete = ReadListAnswer(answer.data(), answer.size(), fetch->context, fetch->rows).complete;
  if (!model_.AnswerArrived(q, std::move(fetch->rows))) return false;  // a new list is on its way
  // The rows read before a fault are shown, but the exchange does not count as a good answer.
  const bool good = GoodExchange(answer, complete);
  if (good) {
    KeepAnswer(ListCacheKey(fetch->request), answer);
  } else {
    PostMessage(kMsgRowsChanged, 0, 0);
  }
  return good;
}

// An information tab asks for the titles of every self-selected code at once, or for the article
// of the title chosen; another tab or title chosen meanwhile turns the answer away. Titles that
// came are kept, and come back from the cache when the exchange brings nothing.
bool CStockListDlg::FetchOwnInfo(const ListQuery& query, const InfoQuery& info) {
  InfoLinks links{parts_.exchange, {}, {}};
  links.cache = answer_cache();
  return model_.InfoArrived(query, FetchInfoPage(info, links));
}

// The security query, then the opening on the user-interface thread.
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

}  // namespace tarvello
