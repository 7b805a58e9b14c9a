#include "shell/list_screen_dlg.h"

#include <algorithm>

#include "base/text_metrics.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "protocol/packet_codec.h"
#include "shell/keyboard_requests.h"
#include "shell/search_answer.h"

namespace tarvello {
namespace {

// Posted to the list screen itself by its worker.
constexpr int kMsgSearchAnswered = 2040;  // generation of the answered search
constexpr int kMsgServerSwitched = 2041;  // the row switched to


// The address part of a server row, "address:label".
std::u16string AddressOf(std::u16string_view row) { return std::u16string(row.substr(0, row.find(u':'))); }

}  // namespace

CDlgList::CDlgList(ListScreenParts parts, QWidget* parent)
    : DataScreen(kTimerList, std::chrono::milliseconds(0), parts.mainScreen, parent), parts_(std::move(parts)) {}

CDlgList::~CDlgList() { StopRefreshing(); }

bool CDlgList::Open(int mode) {
  ListScreenView fresh{mode, {}, ++generation_};
  switch (mode) {
    case kListSearchResult: break;
    case kListCurrentServer:
      if (parts_.serverText) fresh.items.push_back(parts_.serverText());
      break;
    case kListServerRows: fresh.items = parts_.serverRows; break;
    default: return false;
  }
  {
    const std::lock_guard<std::mutex> lock(query_mutex_);
    query_ = Query{mode, parts_.searchText ? parts_.searchText() : std::u16string(), generation_, -1};
  }
  view_.Publish(std::move(fresh));
  page_ = 0;
  selected_ = -1;
  if (mode == kListSearchResult) RequestRefresh(true);
  Invalidate();
  return true;
}

ListScreenPages CDlgList::Pages() const {
  const Layout layout = LayoutNow();
  return ListScreenPages(static_cast<int>(view_.Current()->items.size()), layout.rows.Height(), layout.rowHeight);
}

// A server switch asked for by a tap runs first; a search runs once per Open.
bool CDlgList::RunExchange() {
  Query query;
  {
    const std::lock_guard<std::mutex> lock(query_mutex_);
    query = query_;
    query_.switchRow = -1;
  }
  if (query.switchRow >= 0) {
    if (parts_.chooseServer) parts_.chooseServer(query.switchRow);
    PostMessage(kMsgServerSwitched, query.switchRow, 0);
    return true;
  }
  if (query.mode != kListSearchResult || !parts_.exchange || view_.Current()->generation != query.generation ||
      !view_.Current()->items.empty()) {
    return false;
  }
  const Bytes request = CPacketCodec().BuildSecuritySearch(query.text);
  Bytes answer(kSearchAnswerCapacity);
  const int received = parts_.exchange(request, answer);
  if (received < 1) return false;
  const std::size_t length = std::min(static_cast<std::size_t>(received), answer.size());
  ListScreenView fresh{kListSearchResult, ReadSearchAnswer(std::span(answer.data(), length)), query.generation};
  {
    const std::lock_guard<std::mutex> lock(query_mutex_);
    if (query_.generation != query.generation) return false;
    view_.Publish(std::move(fresh));
  }
  PostWhenExchangeEnds(Message{kMsgSearchAnswered, query.generation, 0});
  return true;
}

void CDlgList::OnMessage(const Message& message) {
  const std::shared_ptr<const ListScreenView> view = view_.Current();
  if (message.id == kMsgSearchAnswered && static_cast<unsigned>(message.wparam) == generation_ &&
      view->items.size() == 1) {
    ActOnItem(0);
  } else if (message.id == kMsgServerSwitched) {
    const auto row = static_cast<std::size_t>(message.wparam);
    if (row >= parts_.serverRows.size()) return;
    ActivePrompter().MessageBox(std::u16string(kServerChosen) + AddressOf(parts_.serverRows[row]), u"提示",
                                PromptButtons::kOk);
  }
}

// Search result: opens the item's security. Server list: switches to the row's server.
void CDlgList::ActOnItem(int item) {
  const std::shared_ptr<const ListScreenView> view = view_.Current();
  if (item < 0 || item >= static_cast<int>(view->items.size())) return;
  Select(item);
  if (view->mode == kListServerRows) {
    ChooseServer(item);
    return;
  }
  if (view->mode != kListSearchResult || parts_.navigator == nullptr) return;
  const SearchItem found = SplitSearchItem(view->items[static_cast<std::size_t>(item)]);
  if (found.code.empty()) return;
  parts_.navigator->GoTo(kTargetStockDetail, kTargetListScreen, BrowseChange::Alone(SecurityCode(found.code)));
}

void CDlgList::ChooseServer(int row) {
  {
    const std::lock_guard<std::mutex> lock(query_mutex_);
    query_.switchRow = row;
  }
  RequestRefresh(true);
}

void CDlgList::Select(int item) {
  selected_ = item;
  const ListScreenPages pages = Pages();
  page_ = pages.Clamp(item / pages.rows_per_page());
  Invalidate();
}

CDlgList::Layout CDlgList::LayoutNow() const {
  const int bar = std::max(1, SharedTextMetrics().BarHeight());
  const bool search = view_.Current()->mode == kListSearchResult;
  Layout layout;
  layout.rowHeight = bar;
  layout.bar = Rect{0, height() - bar, width(), height()};
  layout.paging = Rect{0, layout.bar.top - bar, width(), layout.bar.top};
  layout.header = search ? Rect{0, 0, width(), bar} : Rect{};
  layout.rows = Rect{0, layout.header.bottom, width(), std::max(layout.header.bottom, layout.paging.top)};
  return layout;
}

}  // namespace tarvello
