#include "futures/futures_dlg.h"

#include <algorithm>
#include <optional>

#include "futures/futures_answer.h"
#include "futures/futures_request.h"
#include "market/own_stock_list.h"
#include "navigation/navigator.h"
#include "protocol/answer_exchange.h"

namespace tarvello {
namespace {

// Options menu commands.
enum FuturesCommand : unsigned {
  kCommandHome = 32774,
  kCommandIntraday = 32795,
  kCommandKLine = 32872,
  kCommandAddSelfSelected = 32791,
  kCommandDeleteSelfSelected = 32794,
  kCommandNext = 32903,
  kCommandPrevious = 32904,
};

// Reads a view's answer into fresh; true when it was good.
bool ReadViewAnswer(const Bytes& answer, FuturesScreenView& fresh) {
  switch (fresh.view) {
    case kViewTicks: return ReadFuturesTicksAnswer(answer, fresh.ticks);
    case kViewFundFlow: {
      const std::optional<SecurityFundFlow> flow = ReadSecurityFundFlowAnswer(answer);
      if (flow) fresh.flow = *flow;
      return flow.has_value();
    }
    default: return ReadFuturesQuoteAnswer(answer, fresh.quote);
  }
}

}  // namespace

CGzqhDlg::CGzqhDlg(FuturesParts parts, QWidget* parent)
    : DataScreen(kTimerIntraday, parts.period, parts.mainScreen, parent), parts_(std::move(parts)) {}

CGzqhDlg::~CGzqhDlg() { StopRefreshing(); }

int CGzqhDlg::view() const {
  std::lock_guard<std::mutex> lock(request_mutex_);
  return request_.view;
}

SecurityCode CGzqhDlg::code() const {
  std::lock_guard<std::mutex> lock(request_mutex_);
  return request_.code;
}

int CGzqhDlg::tick_rows() const {
  std::lock_guard<std::mutex> lock(request_mutex_);
  return request_.tickRows;
}

auto CGzqhDlg::CurrentRequest() const -> Request {
  std::lock_guard<std::mutex> lock(request_mutex_);
  return request_;
}

void CGzqhDlg::Open(FuturesView view, const SecurityCode& code, FuturesCaller caller) {
  std::optional<std::chrono::system_clock::time_point> cached;
  // A step to the next security asks for this screen itself and keeps the way back.
  if (!ViewForTarget(caller.screen)) caller_ = caller;
  {
    std::lock_guard<std::mutex> lock(request_mutex_);
    request_.view = view;
    request_.code = code;
    request_.tickRows = TickRowsFor(height(), metrics_.LineHeight());
    const std::shared_ptr<const FuturesScreenView> shown = records_.Current();
    if (shown->code != code || shown->view != view) {
      FuturesScreenView fresh;
      fresh.view = view;
      fresh.code = code;
      if (shown->code == code) {  // the same security in another view keeps what the query said
        fresh.factsAsked = shown->factsAsked;
        fresh.name = shown->name;
        fresh.hours = shown->hours;
      }
      cached = ReadCached(fresh);
      ShowCachedSince(cached);
      records_.Publish(std::move(fresh));
    }
  }
  ShowTitle();
  // The progress window shows only while nothing at all is on the screen.
  RequestRefresh(!records_.Current()->loaded);
  Invalidate();
}

// Fills fresh from the cache: the security's name and session, and the view's last good answer;
// the moment of that answer, none when the cache holds none that reads.
std::optional<std::chrono::system_clock::time_point> CGzqhDlg::ReadCached(FuturesScreenView& fresh) const {
  const std::string code = fresh.code.RequestText();
  if (fresh.name.empty()) {
    const std::optional<CacheEntry> cached = FindCached(SecurityFactsCacheKey(code));
    const std::optional<SecurityFacts> facts = cached ? ReadSecurityFactsAnswer(cached->bytes, fresh.code) : std::nullopt;
    if (facts) {
      fresh.name = facts->name;
      fresh.hours = facts->hours;
    }
  }
  const std::optional<CacheEntry> cached = FindCached(FuturesCacheKey(fresh.view, code));
  FuturesScreenView read = fresh;
  if (!cached || !ReadViewAnswer(cached->bytes, read)) return std::nullopt;
  fresh = std::move(read);
  fresh.loaded = true;
  return cached->moment;
}

// The title names the security once the server has; until then it shows the code.
void CGzqhDlg::ShowTitle() {
  if (!parts_.setTitle) return;
  const std::shared_ptr<const FuturesScreenView> shown = records_.Current();
  parts_.setTitle(shown->name.empty() ? shown->code.text() : shown->name);
}

Bytes CGzqhDlg::Fetch(std::size_t capacity, const Bytes& bytes) const {
  return ReceiveAnswer(parts_.exchange, bytes, capacity);
}

Bytes CGzqhDlg::FetchViewAnswer(const Request& request) const {
  const std::string code = request.code.RequestText();
  switch (request.view) {
    case kViewTicks:
      return Fetch(kFuturesTicksAnswerCapacity, BuildFuturesTicksRequest(code, static_cast<std::uint16_t>(request.tickRows)));
    case kViewFundFlow: return Fetch(kFundFlowAnswerCapacity, BuildSecurityFundFlowRequest(code));
    default: return Fetch(kFuturesQuoteAnswerCapacity, BuildFuturesQuoteRequest(code));
  }
}

// Each view asks for its one block; an answer that says nothing keeps what is shown and counts as
// failed, so that the figures dim as old. The security query is asked until it is answered. An
// answer for a security or view the user has left meanwhile is dropped.
bool CGzqhDlg::RunExchange() {
  const Request request = CurrentRequest();
  if (!parts_.exchange || request.code.empty()) return false;
  const std::shared_ptr<const FuturesScreenView> held = records_.Current();
  std::optional<SecurityFacts> facts;
  if (held->code != request.code || !held->factsAsked) {
    const Bytes asked = Fetch(kSecurityFactsAnswerCapacity, BuildSecurityFactsRequest(request.code.RequestText()));
    facts = ReadSecurityFactsAnswer(asked, request.code);
    if (facts) KeepAnswer(SecurityFactsCacheKey(request.code.RequestText()), asked);
  }
  const Bytes answer = FetchViewAnswer(request);
  std::unique_lock<std::mutex> lock(request_mutex_);
  if (request_.view != request.view || request_.code != request.code) return false;
  FuturesScreenView fresh = *records_.Current();
  fresh.view = request.view;
  fresh.code = request.code;
  if (facts) {
    fresh.factsAsked = true;
    fresh.name = facts->name;
    fresh.hours = facts->hours;
    if (!fresh.name.empty()) PostWhenExchangeEnds(Message{kMsgNamed, 0, 0});
  }
  fresh.loaded = ReadViewAnswer(answer, fresh);
  const bool loaded = fresh.loaded;
  records_.Publish(std::move(fresh));
  lock.unlock();  // a cache write may wait for the disk, and the painter takes the lock
  if (loaded) KeepAnswer(FuturesCacheKey(request.view, request.code.RequestText()), answer);
  if (!loaded) Invalidate();  // zeros or a name to show; a good answer repaints by itself
  return loaded;
}

bool CGzqhDlg::InTradingHours(MarketTime now) const { return IsTradingTime(now, records_.Current()->hours); }

void CGzqhDlg::OnMessage(const Message& message) {
  if (message.id == kMsgTickerRepaint && message.wparam == 0) Invalidate();
  if (message.id == kMsgNamed) ShowTitle();
}

auto CGzqhDlg::LayoutFor(const TextMetrics& metrics) const -> Layout {
  Layout layout;
  const Rect client = ClientRect();
  layout.line = std::max(1, metrics.LineHeight());
  layout.bar = {0, client.bottom - metrics.BarHeight(), client.right, client.bottom};
  layout.strip = {0, client.bottom - 3 * layout.line, client.right, layout.bar.top};
  layout.content = {0, 0, client.right, layout.strip.top};
  return layout;
}

// Left and right step to the previous and next security of the list; up and down page the ticks.
void CGzqhDlg::OnKeyDown(KeyCode key) {
  if (TakeMenuOrBackKey(key)) return;
  if (key == kKeyLeft || key == kKeyRight) {
    RunCommand(key == kKeyLeft ? kCommandPrevious : kCommandNext);
    return;
  }
  if (view() != kViewTicks) return;
  if (key == kKeyDown) {
    RequestRefresh(true);
  } else if (key == kKeyUp) {
    TickPageUp up;
    {
      std::lock_guard<std::mutex> lock(request_mutex_);
      FuturesScreenView shown = *records_.Current();
      up = PageUp(shown.ticks.position, request_.tickRows);
      shown.ticks.position = up.position;
      records_.Publish(std::move(shown));
    }
    if (up.refetch) RequestRefresh(true);
  }
}

void CGzqhDlg::OnPenDown(Point at) {
  const Layout layout = LayoutFor(metrics_);
  if (at.y >= layout.bar.top) {
    TouchBottomBar(at.x);
  } else if (at.y >= layout.strip.top) {
    TouchStrip(at.x);
  }
}

// Above the strip a tap does nothing, so a swipe there is free: sideways it steps through the
// list as Left and Right do (to the left is the next), up and down it pages the ticks.
bool CGzqhDlg::SwipesAt(Point at) const { return LayoutFor(metrics_).content.Contains(at); }

bool CGzqhDlg::OnSwipe(const Gesture& swipe) {
  if (const int side = swipe.SideStep(); side != 0) {
    RepeatKey(side, kKeyRight, kKeyLeft);
  } else if (view() == kViewTicks) {
    RepeatKey(swipe.PageStep(), kKeyDown, kKeyUp);
  }
  return false;
}

bool CGzqhDlg::OnWheel(int notches, bool, Point) {
  if (view() != kViewTicks) return false;
  RepeatKey(notches, kKeyUp, kKeyDown);
  return true;
}

void CGzqhDlg::TouchBottomBar(int x) {
  const int cell = std::clamp(x * kBottomBarCells / std::max(1, width()), 0, kBottomBarCells - 1);
  if (cell == 0) {
    ShowScreenMenu();
  } else if (cell == kBottomBarCells - 1) {
    GoBack();
  } else if (const auto target = BottomBarCells(view())[static_cast<std::size_t>(cell)].target) {
    Navigate(*target);
  }
}

// The keyboard spot shows or hides the code keyboard; the refresh spot asks for fresh data with
// the progress window.
void CGzqhDlg::TouchStrip(int x) {
  if (x * 1000 >= width() * 925) {
    RequestRefresh(true);
  } else if (x * 100 >= width() * 85 && parts_.navigator) {
    parts_.navigator->ToggleKeyboard();
  }
}

std::vector<MenuItem> CGzqhDlg::OptionsMenuItems() const {
  std::vector<MenuItem> items;
  if (view() == kViewFundFlow) {
    items.push_back(MenuItem::Command(kCommandIntraday, u"分时走势"));
    items.push_back(MenuItem::Command(kCommandKLine, u"K线走势"));
    if (parts_.selfSelected) {
      items.push_back(parts_.selfSelected->Contains(code())
                          ? MenuItem::Command(kCommandDeleteSelfSelected, u"删除自选")
                          : MenuItem::Command(kCommandAddSelfSelected, u"加入自选"));
    }
  }
  items.push_back(MenuItem::Command(kCommandHome, u"返回首页"));
  return items;
}

void CGzqhDlg::RunCommand(unsigned command) {
  switch (command) {
    case kCommandHome: Navigate({kTargetMainMenu, 0}); break;
    case kCommandIntraday: Navigate({kTargetStockDetail, kTargetFuturesMode3}); break;
    case kCommandKLine: Navigate({kTargetKLine, kTargetFuturesMode3}); break;
    case kCommandAddSelfSelected: ToggleSelfSelected(true); break;
    case kCommandDeleteSelfSelected: ToggleSelfSelected(false); break;
    case kCommandNext: StepSecurity(1); break;
    case kCommandPrevious: StepSecurity(-1); break;
    default: break;
  }
}

// The next or previous security of the list the user came from, opened in the same view through
// the main screen, so that the progress window shows while it loads.
void CGzqhDlg::StepSecurity(int step) {
  if (!parts_.navigator || caller_.returnToCaller) return;
  if (const std::optional<SecurityCode> next = parts_.navigator->Neighbour(step)) {
    const int target = TargetForView(view());
    parts_.navigator->GoTo(target, target, BrowseChange::Step(*next));
  }
}

void CGzqhDlg::ToggleSelfSelected(bool add) {
  const SecurityCode current = code();
  if (!parts_.selfSelected || current.empty()) return;
  if (add) {
    parts_.selfSelected->Add(current);
  } else {
    parts_.selfSelected->Remove(current);
  }
  Invalidate();
}

void CGzqhDlg::ShowScreenMenu() {
  RunCommand(TrackPopupMenu(OptionsMenuItems(), {0, LayoutFor(metrics_).bar.top + 3}, MenuAnchor::kBottomLeft));
}

void CGzqhDlg::GoBack() {
  if (const std::optional<NavigationRequest> back = ReturnFrom(caller_)) Navigate(*back);
}

void CGzqhDlg::Navigate(const NavigationRequest& request) {
  if (parts_.navigator) parts_.navigator->GoTo(request.target, request.argument);
}

}  // namespace tarvello
