#include "detail/stock_detail_dlg.h"

#include <algorithm>

#include "market/alert_marks.h"
#include "market/change_text.h"
#include "detail/detail_answer.h"
#include "detail/detail_panels_dlg.h"
#include "detail/detail_request.h"
#include "detail/intraday_chart_dlg.h"
#include "detail/intraday_chart_model.h"
#include "market/own_stock_list.h"
#include "market/price_text.h"
#include "market/ticker_cells.h"
#include "market/volume_text.h"
#include "platform/canvas.h"
#include "platform/ticker_strip.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "protocol/answer_exchange.h"

namespace tarvello {
namespace {

constexpr int kToolbarCells = 6;
constexpr const char16_t* kToolbarCaptions[kToolbarCells] = {u"菜单", u"分时", u"K线", u"信息", u"资金", u"返回"};

constexpr int kListReturnArgument = 1135;

}  // namespace

struct CStockDetailDlg::Layout {
  int width = 0;
  int line = 0;
  int bar = 0;
  Rect header;
  Rect chart;
  Rect panel;
  Rect tabStrip;
  Rect ticker;
  Rect toolbar;
};

CStockDetailDlg::CStockDetailDlg(StockDetailParts parts, QWidget* parent)
    : DataScreen(kTimerIntraday, parts.period, parts.mainScreen, parent), parts_(std::move(parts)) {}

CStockDetailDlg::~CStockDetailDlg() { StopRefreshing(); }

SecurityCode CStockDetailDlg::code() const {
  std::lock_guard<std::mutex> lock(code_mutex_);
  return code_;
}

void CStockDetailDlg::Open(const SecurityCode& code) {
  const bool changed = code != this->code();
  AlertMarks::Shared().Clear(code);  // the user has now seen the security whose alert fired
  if (changed) {
    {
      std::lock_guard<std::mutex> lock(code_mutex_);
      code_ = code;
    }
    panel_ = kPanelFiveLevelBook;
    panel_chosen_ = false;
    cursor_shown_ = false;
    cursor_x_ = -1;
    ShowCachedOrNothing(code);
  }
  member_ = parts_.selfSelected && parts_.selfSelected->Contains(code);
  // The progress window shows only while nothing at all is on the screen.
  if (changed || !records_.Current()->loaded) RequestRefresh(!records_.Current()->loaded);
  title_.clear();
  ShowTitle(*records_.Current());
  Invalidate();
}

// The security's last good answer from the cache, when there is one that reads to its end; an
// empty screen otherwise.
void CStockDetailDlg::ShowCachedOrNothing(const SecurityCode& code) {
  const std::optional<CacheEntry> cached = FindCached(DetailCacheKey(code.RequestText()));
  DetailView view{code, false, {}};
  view.loaded = cached && ReadDetailAnswer(cached->bytes.data(), cached->bytes.size(), view.records);
  if (!view.loaded) view.records = {};
  records_.Publish(std::move(view));
  ShowCachedSince(cached && records_.Current()->loaded ? std::optional(cached->moment) : std::nullopt);
}

// The window names the security shown: its code until the first answer brings its name.
void CStockDetailDlg::ShowTitle(const DetailView& view) {
  if (!parts_.setTitle || view.code.empty()) return;
  const std::u16string& name = view.records.security.name;
  std::u16string title = view.loaded && !name.empty() ? name : view.code.text();
  if (title == title_) return;
  title_ = std::move(title);
  parts_.setTitle(title_);
}

void CStockDetailDlg::SelectPanel(DetailPanel panel) {
  panel_ = panel;
  panel_chosen_ = true;
  full_screen_ = false;
  Invalidate();
}

// One exchange for code, read over the records fresh holds, so that every record the answer does
// not bring (a block missing, or too short for its layout) keeps its last value.
auto CStockDetailDlg::FetchOnce(const SecurityCode& code, bool futureMode, DetailView& fresh) -> Fetched {
  const Bytes answer =
      ReceiveAnswer(parts_.exchange, BuildDetailRequest(code.RequestText(), futureMode), kDetailAnswerCapacity);
  if (answer.empty()) return {};
  const bool good = GoodExchange(answer, ReadDetailAnswer(answer.data(), answer.size(), fresh.records));
  // A security counts as loaded from its first good answer on: the blocks before a damaged one
  // are shown meanwhile, but do not yet say what kind of security it is.
  fresh.loaded = fresh.loaded || good;
  if (good) KeepAnswer(DetailCacheKey(code.RequestText()), answer);
  return {true, good};
}

// An exchange that brought nothing publishes nothing, so the last figures stay on screen; one that
// broke off publishes the blocks read before the break but does not count as good. The first
// answer tells whether the security is an index future; if it is, the request is repeated at once
// in future mode so the futures quote is there from the first paint.
bool CStockDetailDlg::RunExchange() {
  const SecurityCode code = this->code();
  if (code.empty()) return false;
  const std::shared_ptr<const DetailView> held = records_.Current();
  DetailView fresh = held->code == code ? *held : DetailView{code, false, {}};
  const bool futureMode = fresh.records.IsFutureMode();
  Fetched fetched = FetchOnce(code, futureMode, fresh);
  if (fetched.good && !futureMode && fresh.records.IsFutureMode()) fetched.good = FetchOnce(code, true, fresh).good;
  if (!fetched.received || this->code() != code) return false;
  records_.Publish(std::move(fresh));
  // The worker repaints by itself only after a good answer; a broken one may still bring the name.
  if (!fetched.good) InvalidateAfter([this] { AnswerArrived(); });
  return fetched.good;
}

// The security's own session (its 2118 block): an index future trades outside the shares' hours.
bool CStockDetailDlg::InTradingHours(MarketTime now) const {
  return IsTradingTime(now, records_.Current()->records.hours);
}

void CStockDetailDlg::OnMessage(const Message& message) {
  if (message.id == kMsgTickerRepaint && message.wparam == 0) Invalidate();
}

void CStockDetailDlg::ChoosePanelOnce(const DetailView& view) {
  if (panel_chosen_ || !view.loaded) return;
  panel_ = InitialPanelFor(view.records.security.securityType);
  panel_chosen_ = true;
  full_screen_ = false;
}

auto CStockDetailDlg::LayoutFor(const TextMetrics& metrics) const -> Layout {
  Layout layout;
  const Rect client = ClientRect();
  layout.width = client.Width();
  layout.line = metrics.LineHeight();
  layout.bar = metrics.BarHeight();
  const int third = layout.width * 2 / 3;
  layout.header = {0, 0, layout.width, layout.bar};
  layout.toolbar = {0, client.bottom - layout.bar, layout.width, client.bottom};
  layout.ticker = {0, layout.toolbar.top - layout.bar, layout.width, layout.toolbar.top};
  layout.chart = {0, layout.bar, full_screen_ ? layout.width : third, layout.ticker.top};
  layout.panel = {third, layout.bar, layout.width, layout.ticker.top};
  layout.tabStrip = {third, layout.panel.bottom - layout.line, layout.width, layout.panel.bottom};
  return layout;
}

void CStockDetailDlg::OnPaint(Canvas& canvas) {
  RefreshWorker::PaintScope painting(worker());
  metrics_ = canvas.Metrics();
  const Layout layout = LayoutFor(metrics_);
  const std::shared_ptr<const DetailView> view = records_.Current();
  ChoosePanelOnce(*view);
  const DetailRecords& records = view->records;
  PaintHeader(canvas, layout, *view);
  std::vector<MinuteRecord> minutes = records.minutes.records;
  const std::int32_t maxVolume = FillMinuteGaps(minutes, records.quote.prevClose);
  const IntradayChartInput input{&records, &minutes, maxVolume, layout.width, full_screen_, cursor_x_, cursor_shown_};
  cursor_box_ = PaintIntradayChart(canvas, layout.chart, input).cursorBox;
  if (!full_screen_) {
    const bool tabs = ShowsTabStrip(panel_, records.security.securityType);
    Rect panelArea = layout.panel;
    if (tabs) panelArea.bottom = layout.tabStrip.top;
    PaintDetailPanel(canvas, panelArea, panel_, records);
    if (tabs) PaintTabStrip(canvas, layout.tabStrip, panel_, tab_picture_);
  }
  PaintTicker(canvas, layout.ticker);
  PaintToolbar(canvas, layout.toolbar);
}

void CStockDetailDlg::PaintHeader(Canvas& canvas, const Layout& layout, const DetailView& view) {
  const DetailRecords& records = view.records;
  const QuoteSnapshot& quote = records.quote;
  const Rect texts{5, 2, layout.width * 2 / 3, layout.header.bottom};
  canvas.FillRect(layout.header, kBlack);  // the chart, the panel and the bars below fill their own
  const ChangeTexts change = ChangeOf(quote.last, quote.prevClose, records.security.priceDecimals);
  canvas.SetTextColor(change.colour);
  canvas.DrawText(quote.last == 0 ? std::u16string(kNoDataText) : PriceText(quote.last, records.security.priceDecimals),
                  texts, kTextLeft | kTextOneLine);
  canvas.DrawText(change.percent, texts, kTextCenter | kTextOneLine);
  canvas.SetTextColor(kVolumeYellow);
  canvas.DrawText(VolumeText(records.minutes.totalVolume, records.security.securityType, quote.last), texts,
                  kTextRight | kTextOneLine);
  const int left = layout.width * 2 / 3;
  const int selfEnd = left + 17 * layout.width / 117;
  const int previousEnd = left + 28 * layout.width / 117;
  const Rect buttons[] = {{left, 0, selfEnd, layout.bar}, {selfEnd, 0, previousEnd, layout.bar},
                          {previousEnd, 0, layout.width, layout.bar}};
  const std::u16string captions[] = {member_ ? u"删除" : u"添加", u"<", u">"};
  for (int i = 0; i < 3; ++i) {
    canvas.SetPen({kFlatGrey, 1, PenStyle::kSolid});
    canvas.SetBrush({kBarBack, false});
    canvas.Rectangle(buttons[i]);
    canvas.DrawPicture(button_picture_, buttons[i]);
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(captions[i], buttons[i], kTextCenter | kTextOneLine);
  }
}

// The index of the moment on the left; the keyboard and refresh buttons at the right.
void CStockDetailDlg::PaintTicker(Canvas& canvas, const Rect& strip) {
  PaintTickerStrip(canvas, strip, parts_.ticker ? std::optional(parts_.ticker()) : std::nullopt, kBarBack, true);
}

void CStockDetailDlg::PaintToolbar(Canvas& canvas, const Rect& bar) {
  canvas.FillRect(bar, kBarBack);
  canvas.DrawPicture(toolbar_picture_, bar);
  for (int i = 0; i < kToolbarCells; ++i) {
    const Rect cell{bar.left + i * bar.Width() / kToolbarCells, bar.top, bar.left + (i + 1) * bar.Width() / kToolbarCells,
                    bar.bottom};
    canvas.SetTextColor(i == 1 ? kVolumeYellow : kPlainWhite);
    canvas.DrawText(kToolbarCaptions[i], cell, kTextCenter | kTextOneLine);
  }
}

int CStockDetailDlg::LastMinuteX() const {
  const DetailRecords& records = records_.Current()->records;
  const int slotCount = std::max(2, records.minutes.slotCount);
  const int chartWidth = full_screen_ ? width() : width() * 2 / 3;
  const std::int64_t x = static_cast<std::int64_t>(chartWidth - 2) * records.minutes.minuteCount / (slotCount - 1);
  return static_cast<int>(std::clamp<std::int64_t>(x, 0, chartWidth));
}

void CStockDetailDlg::OnPenDown(Point at) {
  const Layout layout = LayoutFor(metrics_);
  if (at.y < layout.header.bottom) {
    TouchHeader(at.x);
  } else if (at.y >= layout.toolbar.top) {
    TouchToolbar(at.x);
  } else if (at.y >= layout.ticker.top) {
    if (at.x >= layout.width * 925 / 1000) {
      RequestRefresh(true);
    } else if (at.x >= TickerKeyboardLeft(layout.ticker) && parts_.navigator) {
      parts_.navigator->ToggleKeyboard();
    }
  } else {
    TouchChart(at, false);
  }
}

void CStockDetailDlg::OnPenMove(Point at) {
  const Layout layout = LayoutFor(metrics_);
  if (at.y >= layout.header.bottom && at.y < layout.ticker.top) TouchChart(at, true);
}

void CStockDetailDlg::TouchChart(Point at, bool drag) {
  const Layout layout = LayoutFor(metrics_);
  const std::uint8_t type = records_.Current()->records.security.securityType;
  if (!full_screen_ && at.x >= layout.panel.left) {
    if (drag) return;
    if (ShowsTabStrip(panel_, type) && layout.tabStrip.Contains(at)) {
      SelectPanel(kTabPanels[TabAt(layout.tabStrip, at.x)]);
    } else if (type != kSecurityTypeIndex && type != kSecurityTypeIndexFuture) {
      SelectPanel(panel_ == kPanelFiveLevelBook ? kPanelQuoteFigures : kPanelFiveLevelBook);
    }
    return;
  }
  if (full_screen_ || at.x <= LastMinuteX()) cursor_x_ = at.x;
  if (!cursor_shown_) {
    cursor_shown_ = cursor_x_ >= 0;
  } else if (!drag && cursor_box_ && cursor_box_->Contains(at)) {
    cursor_shown_ = false;
    cursor_x_ = -1;
  }
  Invalidate();
}

// A swipe over the header steps through the list as "<" and ">" do: to the left is the next.
bool CStockDetailDlg::SwipesAt(Point at) const { return at.y < LayoutFor(metrics_).header.bottom; }

bool CStockDetailDlg::OnSwipe(const Gesture& swipe) {
  if (const int step = swipe.SideStep(); step != 0) StepSecurity(step);
  return false;
}

// The wheel over the intraday chart moves its cursor as Left and Right do.
bool CStockDetailDlg::OnWheel(int notches, bool, Point at) {
  if (!LayoutFor(metrics_).chart.Contains(at)) return false;
  RepeatKey(notches, kKeyLeft, kKeyRight);
  return true;
}

void CStockDetailDlg::TouchHeader(int x) {
  const int left = width() * 2 / 3;
  if (x < left) return;
  if (x < left + 17 * width() / 117) {
    ToggleSelfSelected();
  } else {
    StepSecurity(x < left + 28 * width() / 117 ? -1 : 1);
  }
}

// "<" and ">": the previous or next security of the list this screen was opened from, loaded
// through the main screen like any opening, so the progress window shows while it loads.
void CStockDetailDlg::StepSecurity(int step) {
  if (!parts_.navigator) return;
  if (const std::optional<SecurityCode> next = parts_.navigator->Neighbour(step)) {
    parts_.navigator->GoTo(kTargetStockDetail, kTargetStockDetail, BrowseChange::Step(*next));
  }
}

// Back to the list the security was opened from, or to the recently viewed list.
void CStockDetailDlg::GoBack() {
  if (!parts_.navigator) return;
  if (parts_.navigator->OpenedFromList()) {
    Navigate(kTargetQuoteList, kListReturnArgument);
  } else {
    Navigate(kTargetQuoteListOwnPage, kTargetStockDetail);
  }
}

void CStockDetailDlg::TouchToolbar(int x) {
  const int cell = std::clamp(x * kToolbarCells / std::max(1, width()), 0, kToolbarCells - 1);
  switch (cell) {
    case 0: ShowPopupMenu({x, LayoutFor(metrics_).toolbar.top}); break;
    case 2: Navigate(kTargetKLine, kTargetStockDetail); break;
    case 3: Navigate(kTargetMenuPage, kTargetStockDetail); break;
    case 4: Navigate(kTargetFuturesMode3, kTargetStockDetail); break;
    case 5: GoBack(); break;
    default: break;
  }
}

void CStockDetailDlg::OnKeyDown(KeyCode key) {
  if (TakeMenuOrBackKey(key)) return;
  if (key == kKeyEnter) {
    Navigate(kTargetKLine, kTargetStockDetail);
  } else if (key == kKeyLeft || key == kKeyRight) {
    MoveCursor(key == kKeyLeft ? -1 : 1);
  } else if (key == kKeyUp || key == kKeyDown) {
    SwitchPanel(key == kKeyUp);
  }
}

// Up and Down: an index or index future goes in and out of full screen; a share leaves full
// screen on the five-level book (Up) or the quote figures (Down), and otherwise swaps the two.
// Before the first answer the kind is unknown and the keys wait for it.
void CStockDetailDlg::SwitchPanel(bool up) {
  const std::shared_ptr<const DetailView> view = records_.Current();
  if (!view->loaded) return;
  const std::uint8_t type = view->records.security.securityType;
  if (type == kSecurityTypeIndex || type == kSecurityTypeIndexFuture) {
    full_screen_ = !full_screen_;
    Invalidate();
  } else if (full_screen_) {
    SelectPanel(up ? kPanelFiveLevelBook : kPanelQuoteFigures);
  } else {
    SelectPanel(panel_ == kPanelFiveLevelBook ? kPanelQuoteFigures : kPanelFiveLevelBook);
  }
}

void CStockDetailDlg::MoveCursor(int step) {
  const int last = LastMinuteX();
  if (cursor_x_ < 0) {
    cursor_x_ = step < 0 ? last : 0;
  } else {
    cursor_x_ = std::clamp(cursor_x_ + step, 0, last);
  }
  cursor_shown_ = true;
  Invalidate();
}

void CStockDetailDlg::ToggleSelfSelected() {
  if (!parts_.selfSelected) return;
  const SecurityCode current = code();
  if (current.empty()) return;
  const bool done = member_ ? parts_.selfSelected->Remove(current) : parts_.selfSelected->Add(current);
  if (done) member_ = !member_;
  Invalidate();
}

void CStockDetailDlg::ShowScreenMenu() { ShowPopupMenu({0, LayoutFor(metrics_).toolbar.top}); }

}  // namespace tarvello
