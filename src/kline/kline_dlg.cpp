#include "kline/kline_dlg.h"

#include <array>

#include "kline/kline_commands.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "platform/device_frame.h"
#include "protocol/answer_exchange.h"

namespace tarvello {
namespace {

constexpr int kSectorListArgument = -10;
constexpr int kListReturnArgument = 1135;

struct MenuEntry {
  unsigned command;
  const char16_t* text;
};

constexpr std::array<MenuEntry, 7> kPeriodMenu{{{32820, u"五分钟"}, {32822, u"十五分钟"}, {32824, u"三十分钟"},
                                                {32826, u"六十分钟"}, {32827, u"日"}, {32828, u"周"}, {32829, u"月"}}};
constexpr std::array<MenuEntry, 8> kIndicatorMenu{{{32796, u"VOL"}, {32876, u"MACD"}, {32877, u"KDJ"},
                                                   {32800, u"RSI"}, {32804, u"BOLL"}, {32923, u"WR"},
                                                   {32801, u"BIAS"}, {32802, u"CCI"}}};
constexpr std::array<MenuEntry, 3> kAdjustmentMenu{{{32886, u"不复权"}, {32887, u"前复权"}, {32888, u"后复权"}}};

}  // namespace

CKLineDlg::CKLineDlg(KLineParts parts, QWidget* parent)
    : DataScreen(kTimerKLine, parts.period, parts.mainScreen, parent),
      parts_(std::move(parts)),
      model_(width()) {}

CKLineDlg::~CKLineDlg() { StopRefreshing(); }

KLineViewport CKLineDlg::viewport() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.viewport();
}
std::vector<KLineBar> CKLineDlg::bars() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.bars();
}
KLinePeriod CKLineDlg::period() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.period();
}
PriceAdjustment CKLineDlg::adjustment() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.adjustment();
}
KLineIndicator CKLineDlg::indicator() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.indicator();
}
bool CKLineDlg::loaded() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.loaded();
}
bool CKLineDlg::in_self_selected() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.inSelfSelect();
}
SecurityCode CKLineDlg::code() const {
  std::lock_guard<std::mutex> lock(model_mutex_);
  return model_.code();
}

ChartLayout CKLineDlg::Layout() const { return LayoutChart(width(), height(), metrics_); }

// The visible count follows the client width; a resize keeps the right edge of the window.
void CKLineDlg::FitWidthLocked() {
  if (model_.screenWidth() != width()) model_.SetScreenWidth(width());
}

void CKLineDlg::Open(const SecurityCode& code, int caller) {
  const auto mode = caller == kTargetKLine ? KLineModel::OpenMode::kKeepChoices : KLineModel::OpenMode::kResetChoices;
  if (parts_.frame != nullptr) {
    // Loaded at the size it is about to be shown at, so the first paint keeps the window.
    const Rect area = parts_.frame->ScreenArea();
    resize(area.Width(), area.Height());
  }
  const bool member = parts_.selfSelected && parts_.selfSelected->Contains(code);
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    FitWidthLocked();
    model_.Open(code.text(), member, mode);
  }
  LoadIfAsked();
  AfterLoad();
}

// The caption names the security (once its description has arrived; until then it keeps the text
// before its first "-") and the period after it.
void CKLineDlg::SetTitle() {
  if (parts_.frame == nullptr) return;
  std::u16string base;
  KLinePeriod period;
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    base = model_.name().empty() ? parts_.frame->title() : model_.name();
    period = model_.period();
  }
  parts_.frame->SetTitle(TitleWithPeriod(base, period));
}

void CKLineDlg::AfterLoad() {
  SetTitle();
  Invalidate();
}

// Bars the model asked for are fetched by the worker, so the screen stays live meanwhile, with
// the progress window as for every load the user starts, unless the series was in the cache: then
// it is drawn at once and the load runs behind it.
void CKLineDlg::LoadIfAsked() {
  bool asked = false;
  bool series = false;
  std::string key;
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    asked = model_.LoadAsked();
    series = model_.SeriesLoadAsked();
    key = model_.CacheKey();
  }
  if (!asked) return;
  const bool cached = series && ShowCachedSeries(key);
  RequestRefresh(!cached);
}

bool CKLineDlg::ShowCachedSeries(const std::string& key) {
  const std::optional<CacheEntry> cached = FindCached(key);
  bool shown = false;
  if (cached) {
    const KLineAnswer answer = ReadKLineBytes(cached->bytes);
    std::lock_guard<std::mutex> lock(model_mutex_);
    shown = model_.ShowCached(answer);
  }
  ShowCachedSince(shown ? std::optional(cached->moment) : std::nullopt);
  return shown;
}

void CKLineDlg::Reload(const std::function<void(KLineModel&)>& change) {
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    FitWidthLocked();
    change(model_);
  }
  LoadIfAsked();
  AfterLoad();
}

void CKLineDlg::ChangeView(const std::function<void(KLineModel&)>& change) {
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    FitWidthLocked();
    change(model_);
  }
  LoadIfAsked();
  Invalidate();
}

// A load the model asked for goes first, then a failed opening again; otherwise the refresh: the
// newest bar and the quote. The exchange runs without the lock; an answer to a request made
// before the series was replaced (another period, security or adjustment) is dropped.
bool CKLineDlg::RunExchange() {
  std::optional<KLineModel::Load> load;
  Bytes request;
  int generation = 0;
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    model_.RetryFailedOpen();
    load = model_.TakeLoad();
    if (!load && !model_.loaded()) return false;
    if (!load) request = model_.RefreshRequest();
    generation = model_.generation();
  }
  if (load) return RunLoad(*load);
  const KLineAnswer answer = FetchKLineAnswer(parts_.exchange, request);
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    if (generation != model_.generation()) return false;
    model_.ApplyRefresh(answer);
  }
  if (!answer.complete) Invalidate();  // what a broken answer brought; a good one repaints by itself
  return answer.complete;
}

// A failed load can empty the chart too, so it repaints either way; the caption follows once
// the answer has brought the security's name.
bool CKLineDlg::RunLoad(const KLineModel::Load& load) {
  const Bytes received = ReceiveAnswer(parts_.exchange, load.request, kKLineAnswerCapacity);
  const KLineAnswer answer = ReadKLineBytes(received);
  bool applied = false;
  {
    std::lock_guard<std::mutex> lock(model_mutex_);
    applied = model_.ApplyLoad(load, answer);
  }
  if (applied && !load.cacheKey.empty()) KeepAnswer(load.cacheKey, received);
  Invalidate();
  PostWhenExchangeEnds(Message{kMsgLoadEnded, 0, 0});
  return applied;
}

void CKLineDlg::OnMessage(const Message& message) {
  if (message.id == kMsgTickerRepaint && message.wparam == 0) Invalidate();
  if (message.id == kMsgLoadEnded) SetTitle();
}

void CKLineDlg::RunCommand(unsigned command) {
  const int id = static_cast<int>(command);
  if (const auto period = PeriodForCommand(id)) {
    Reload([&](KLineModel& model) { model.SetPeriod(*period); });
  } else if (const auto adjustment = AdjustmentForCommand(id)) {
    Reload([&](KLineModel& model) { model.SetAdjustment(*adjustment); });
  } else if (const auto indicator = IndicatorForCommand(id)) {
    ChangeView([&](KLineModel& model) { model.SelectIndicator(*indicator); });
  }
  switch (command) {
    case kCommandAddSelf:
    case kCommandDeleteSelf: ToggleSelfSelected(); break;
    case kCommandNext: StepSecurity(1); break;
    case kCommandPrevious: StepSecurity(-1); break;
    case kCommandIntraday: Navigate(kTargetStockDetail, 0); break;
    case kCommandMenuPage: Navigate(kTargetMenuPage, 10); break;
    case kCommandFundFlow: Navigate(kTargetFuturesMode3, kTargetKLine); break;
    case kCommandHome: Navigate(kTargetMainMenu, 0); break;
    case kCommandSidePanel1: side_panel_mode_ = 1; break;
    case kCommandSidePanel3: side_panel_mode_ = 3; break;
    case kCommandSidePanel0: side_panel_mode_ = 0; break;
    default: break;
  }
}

// The next or previous security of the list the user came from, opened through the main screen
// like any opening (the chart asks for itself, so period, indicator and adjustment stay); the
// caption then names the new security.
void CKLineDlg::StepSecurity(int step) {
  if (parts_.navigator == nullptr) return;
  if (const std::optional<SecurityCode> next = parts_.navigator->Neighbour(step)) {
    parts_.navigator->GoTo(kTargetKLine, kTargetKLine, BrowseChange::Step(*next));
  }
}

void CKLineDlg::ToggleSelfSelected() {
  if (parts_.selfSelected == nullptr) return;
  const SecurityCode current = code();
  if (current.empty()) return;
  const bool member = in_self_selected();
  const bool done = member ? parts_.selfSelected->Remove(current) : parts_.selfSelected->Add(current);
  if (done) ChangeView([member](KLineModel& model) { model.SetInSelfSelect(!member); });
}

void CKLineDlg::Navigate(int target, int argument) {
  if (parts_.navigator) parts_.navigator->GoTo(target, argument);
}

// Back to the list the security was opened from: "返回" to the list as it was left, Enter to it
// too or, for a sector, to the sector list. A security opened from elsewhere has no list to go
// back to, so both lead to the recently viewed list.
void CKLineDlg::ReturnToList(bool enter_key) {
  if (parts_.navigator == nullptr) return;
  if (!parts_.navigator->OpenedFromList()) {
    Navigate(kTargetQuoteListOwnPage, enter_key ? kTargetKLine : kTargetStockDetail);
  } else if (enter_key && code().IsSector()) {
    Navigate(kTargetQuoteList, kSectorListArgument);
  } else {
    Navigate(kTargetQuoteList, enter_key ? kTargetKLine : kListReturnArgument);
  }
}

std::vector<MenuItem> CKLineDlg::PeriodMenuItems() const {
  const KLinePeriod current = period();
  std::vector<MenuItem> items;
  for (const MenuEntry& entry : kPeriodMenu) {
    items.push_back(MenuItem::Command(entry.command, entry.text,
                                      PeriodForCommand(static_cast<int>(entry.command)) == current));
  }
  return items;
}

std::vector<MenuItem> CKLineDlg::IndicatorMenuItems() const {
  const KLineIndicator current = indicator();
  std::vector<MenuItem> items;
  for (const MenuEntry& entry : kIndicatorMenu) {
    items.push_back(MenuItem::Command(entry.command, entry.text,
                                      IndicatorForCommand(static_cast<int>(entry.command)) == current));
  }
  return items;
}

std::vector<MenuItem> CKLineDlg::OptionsMenuItems() const {
  const PriceAdjustment current = adjustment();
  std::vector<MenuItem> adjustments;
  for (const MenuEntry& entry : kAdjustmentMenu) {
    adjustments.push_back(MenuItem::Command(entry.command, entry.text,
                                            AdjustmentForCommand(static_cast<int>(entry.command)) == current));
  }
  std::vector<MenuItem> items{MenuItem::SubMenu(u"K线复权", std::move(adjustments))};
  items.push_back(in_self_selected() ? MenuItem::Command(kCommandDeleteSelf, u"删除自选")
                                     : MenuItem::Command(kCommandAddSelf, u"加入自选"));
  items.push_back(MenuItem::Command(kCommandHome, u"返回首页"));
  return items;
}

void CKLineDlg::ShowMenu(std::vector<MenuItem> items, Point at, MenuAnchor anchor) {
  RunCommand(TrackPopupMenu(items, at, anchor));
}

}  // namespace tarvello
