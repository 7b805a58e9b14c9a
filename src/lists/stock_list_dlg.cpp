#include "lists/stock_list_dlg.h"

#include <utility>

#include "info/info_cache.h"
#include "lists/list_commands.h"
#include "market/own_stock_list.h"

namespace tarvello {
namespace {

constexpr int kFallbackLine = 16;

int LineOf(const TextMetrics& metrics) {
  if (metrics.LineHeight() > 0) return metrics.LineHeight();
  const int shared = SharedTextMetrics().LineHeight();
  return shared > 0 ? shared : kFallbackLine;
}

}  // namespace

CStockListDlg::CStockListDlg(StockListParts parts, QWidget* parent)
    : DataScreen(kTimerQuoteList, parts.period, parts.mainScreen, parent),
      parts_(std::move(parts)),
      model_(ListModelParts{parts_.selfSelected, parts_.recentlyViewed, parts_.navigator, parts_.period}) {
  // A first start has no self-selected file yet: it begins with the two main indices.
  if (parts_.selfSelected) parts_.selfSelected->EnsureDefault();
}

CStockListDlg::~CStockListDlg() { StopRefreshing(); }

int CStockListDlg::Line() const { return LineOf(metrics_); }

ListLayout CStockListDlg::Layout() const { return ListLayout(width(), height(), Line(), model_.TabBarShown()); }

bool CStockListDlg::Open(int target, int argument) {
  model_.SetPageSize(height(), Line());
  const bool opened = model_.Open(target, argument);
  Follow();
  return opened;
}

void CStockListDlg::Follow() {
  SetRefreshPeriod(model_.RefreshPeriod());
  StartFetch();
  switch (model_.TakeTitleShow()) {
    case ListModel::TitleShow::kNow: ApplyTitle(); break;
    case ListModel::TitleShow::kAfterNavigation: PostMessage(kMsgApplyTitle, 0, 0); break;
    case ListModel::TitleShow::kNone: break;
  }
  Invalidate();
}

// A fetch the model asks for; the progress window shows only while nothing is on the screen.
void CStockListDlg::StartFetch() {
  const std::optional<bool> busy = model_.TakeFetch();
  if (!busy) return;
  const bool cached = ShowCached();
  RequestRefresh(*busy && !cached);
}

// While nothing is on the screen, the last good answer of the list or information tab asked for is
// put up from the cache, dimmed with its age, before the request goes out.
bool CStockListDlg::ShowCached() {
  const ListQuery q = model_.query();
  if (const std::optional<InfoQuery> info = model_.PlanInfo(q)) {
    if (SameRequest(model_.view()->infoFor, q)) return false;
    std::optional<PageContent> page = CachedInfoPage(*info, answer_cache());
    return page && model_.InfoArrived(q, std::move(*page));
  }
  if (model_.view()->loaded) return false;
  const std::optional<std::chrono::system_clock::time_point> moment =
      model_.ShowCached(q, [this](std::string_view key) { return FindCached(key); });
  ShowCachedSince(moment);
  return moment.has_value();
}

void CStockListDlg::SetListPeriod(std::chrono::milliseconds period) {
  model_.SetListPeriod(period);
  SetRefreshPeriod(model_.RefreshPeriod());
}

void CStockListDlg::OnMessage(const Message& message) {
  if (message.id == kMsgTickerRepaint || message.id == kMsgRowsChanged) Invalidate();
  if (message.id == kMsgApplyTitle) ApplyTitle();
  if (message.id == kMsgOpenTyped) {
    model_.OpenTyped(static_cast<int>(message.wparam));
    Follow();
  }
}

void CStockListDlg::ApplyTitle() {
  if (parts_.setTitle && !model_.title().empty()) parts_.setTitle(model_.title());
}

void CStockListDlg::GoBack() {
  model_.GoBack();
  Follow();
}

void CStockListDlg::RunCommand(unsigned command) {
  if (!model_.RunCommand(command)) OpenBatchPanel(command);
  Follow();
}

}  // namespace tarvello
