#include "lists/stock_list_dlg.h"

#include <utility>

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

// A fetch the model asks for. While nothing is on the screen, the list's last good answer in the
// cache is put up first, dimmed with its age, and the progress window shows only without it.
void CStockListDlg::StartFetch() {
  const std::optional<bool> busy = model_.TakeFetch();
  if (!busy) return;
  bool cached = false;
  if (!model_.view()->loaded) {
    const std::optional<std::chrono::system_clock::time_point> moment =
        model_.ShowCached(model_.query(), [this](std::string_view key) { return FindCached(key); });
    ShowCachedSince(moment);
    cached = moment.has_value();
  }
  RequestRefresh(*busy && !cached);
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
