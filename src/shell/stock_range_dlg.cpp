#include "shell/stock_range_dlg.h"

#include <algorithm>
#include <utility>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "navigation/navigator.h"
#include "platform/canvas.h"
#include "info/info_cache.h"
#include "info/page_text.h"
#include "market/freshness.h"
#include "platform/data_screen.h"

namespace tarvello {
namespace {

constexpr ColorRef kScrollTrack = 0x303030;
constexpr ColorRef kSubtitleGrey = 0xC0C0C0;
constexpr ColorRef kScrollThumb = 0x909090;
constexpr int kTextMargin = 5;  // each side of a wrapped text: the page is 10 pixels narrower

// Menus and title lists: one and a half font heights plus the leading; texts: one text line.
int MenuLineHeight(const TextMetrics& m) { return m.height * 3 / 2 + m.external_leading; }

// Information titles carry a second line (date, time and source) under the title.
bool HasSubtitles(const PageContent& content) {
  return std::any_of(content.entries.begin(), content.entries.end(),
                     [](const PageEntry& entry) { return !entry.subtitle.empty(); });
}

}  // namespace

CStockRangeDlg::CStockRangeDlg(Navigator* navigator, QWidget* parent)
    : Window(parent), navigator_(navigator), wide_width_(SharedTextMetrics().height) {}

CStockRangeDlg::~CStockRangeDlg() {
  if (worker_) worker_->Stop();
}

void CStockRangeDlg::ConnectInformation(InfoLinks links, std::function<void()> cancel) {
  cache_ = links.cache;
  worker_ = std::make_unique<InfoWorker>(
      [links = std::move(links)](const InfoQuery& query) { return FetchInfoPage(query, links); },
      [this](std::uint64_t ticket, PageContent page) {
        {
          const std::lock_guard<std::mutex> lock(arrived_mutex_);
          arrived_.emplace(ticket, std::move(page));
        }
        PostMessage(kMsgInfoPage, static_cast<std::intptr_t>(ticket), 0);
      },
      std::move(cancel));
}

CStockRangeDlg::Layout CStockRangeDlg::LayoutNow() const {
  const TextMetrics& m = SharedTextMetrics();
  int line = state_.content().is_text ? m.LineHeight() : MenuLineHeight(m);
  if (HasSubtitles(state_.content())) line += m.LineHeight();
  line = std::max(1, line);
  const int scroll = m.LineHeight() * 3 / 4;
  return Layout{line, std::max(1, height() / line), scroll, width() - scroll - 1,
                width() - scroll - 2 * kTextMargin};
}

// Entering a mode whose information comes from the server asks the worker for it; until it
// comes the page shows what the cache holds for it, or nothing.
PageContent CStockRangeDlg::Enter(int mode) {
  RangeContent::Entered entered = content_.Enter(mode, worker_ != nullptr, cache_);
  if (entered.fetch) worker_->Fetch(entered.fetch->ticket, entered.fetch->query);
  return std::move(entered.content);
}

void CStockRangeDlg::Open(int argument) {
  const int mode = content_.Open(argument, navigator_ != nullptr ? navigator_->CurrentSecurity() : SecurityCode());
  state_.Open(mode, Enter(mode));
  Shown();
}

void CStockRangeDlg::OnMessage(const Message& message) {
  if (message.id != kMsgInfoPage) {
    Window::OnMessage(message);
    return;
  }
  std::optional<std::pair<std::uint64_t, PageContent>> arrived;
  {
    const std::lock_guard<std::mutex> lock(arrived_mutex_);
    arrived.swap(arrived_);
  }
  if (arrived) PageArrived(arrived->first, std::move(arrived->second));
}

void CStockRangeDlg::PageArrived(std::uint64_t ticket, PageContent page) {
  std::optional<PageContent> content = content_.Arrived(ticket, state_.mode(), std::move(page));
  if (!content) return;
  state_.Refresh(std::move(*content));
  ++content_generation_;
  state_.KeepInView(LineCount(), LayoutNow().visible);
  Shown();
}

void CStockRangeDlg::Shown() {
  ++content_generation_;
  SoftKeysChanged();
  Invalidate();
}

const std::vector<std::u16string>& CStockRangeDlg::TextLines() {
  const WrapKey key{LayoutNow().page_width, wide_width_, content_generation_};
  if (!(key == wrapped_)) {
    lines_ = state_.content().is_text ? WrapPageText(state_.content().text, key.page_width,
                                                     key.wide_width, state_.content().form)
                                      : std::vector<std::u16string>{};
    wrapped_ = key;
  }
  return lines_;
}

int CStockRangeDlg::LineCount() {
  if (state_.content().is_text) return static_cast<int>(TextLines().size());
  return static_cast<int>(state_.content().entries.size());
}

SoftKeyCaptions CStockRangeDlg::SoftKeys() const {
  return SoftKeyCaptions{state_.content().is_text ? u"" : u"确定", u"返回"};
}

void CStockRangeDlg::Act() {
  const PageAction action =
      ActionOnLine(state_.mode(), state_.content().entries, state_.SelectedLine());
  content_.Choose(action, state_.content().entries, state_.SelectedLine());
  switch (action.kind) {
    case PageAction::Kind::kSwitchMode:
      state_.Switch(action.mode, Enter(action.mode));
      Shown();
      break;
    case PageAction::Kind::kNavigate:
      if (navigator_ != nullptr)
        navigator_->GoTo(action.navigation.target, action.navigation.argument);
      break;
    case PageAction::Kind::kNone:
      break;
  }
}

void CStockRangeDlg::GoBack() {
  content_.StopWaiting();
  if (state_.Back()) {
    Shown();
    return;
  }
  if (navigator_ != nullptr) navigator_->GoTo(content_.way_out().target, content_.way_out().argument);
}

void CStockRangeDlg::OnKeyDown(KeyCode key) {
  const Layout layout = LayoutNow();
  const int count = LineCount();
  const bool text = state_.content().is_text;
  switch (key) {
    case kKeyUp:
    case kKeyDown: {
      const int step = key == kKeyUp ? -1 : 1;
      if (text) {
        state_.Scroll(step, count, layout.visible);
      } else {
        state_.MoveSelection(step, count, layout.visible);
      }
      Invalidate();
      break;
    }
    case kKeyLeft:
    case kKeyRight:
      state_.Scroll(key == kKeyLeft ? -layout.visible : layout.visible, count, layout.visible);
      Invalidate();
      break;
    case kKeyEnter:
    case kKeySoftLeft:
      Act();
      break;
    case kKeyBack:
    case kKeySoftRight:
      GoBack();
      break;
    default:
      break;
  }
}

Rect CStockRangeDlg::ScrollBar(const Layout& layout) const {
  return Rect{width() - layout.scroll_width, 0, width(), height()};
}

void CStockRangeDlg::OnPenDown(Point at) {
  const Layout layout = LayoutNow();
  const int count = LineCount();
  if (ScrollBar(layout).Contains(at)) {
    const int thumb_top =
        state_.view().first * layout.line_height * height() / ScrollRange(layout, count);
    const int pages = at.y < thumb_top ? -layout.visible : layout.visible;
    state_.Scroll(pages, count, layout.visible);
    Invalidate();
    return;
  }
  if (state_.content().is_text) return;
  const std::optional<int> line = state_.LineAtRow(at.y / layout.line_height, count);
  if (!line) return;
  state_.SelectRow(*line - state_.view().first);
  Invalidate();
  Act();
}

void CStockRangeDlg::OnPaint(Canvas& canvas) {
  wide_width_ = std::max(1, canvas.TextWidth(u"中"));
  const Layout layout = LayoutNow();
  const int count = LineCount();
  const PageView& view = state_.view();
  const int margin =
      state_.content().is_text ? kTextMargin : SharedTextMetrics().average_char_width;
  const int right = state_.content().is_text ? kTextMargin + layout.page_width : layout.list_width;
  canvas.SetTextColor(kPlainWhite);
  if (loading() && !state_.content().cached) {
    canvas.DrawText(kLoadingText, Rect{0, 0, width(), layout.line_height},
                    kTextCenter | kTextVCenter | kTextSingleLine);
  }
  for (int row = 0; row < layout.visible && view.first + row < count; ++row) {
    const int line = view.first + row;
    const Rect box{0, row * layout.line_height, right, (row + 1) * layout.line_height};
    if (state_.content().is_text) {
      canvas.DrawText(TextLines()[static_cast<std::size_t>(line)],
                      Rect{margin, box.top, right, box.bottom},
                      kTextLeft | kTextVCenter | kTextSingleLine);
      continue;
    }
    if (row == view.selected) canvas.FillRect(box, kSelectedBand);
    PaintEntry(canvas, state_.content().entries[static_cast<std::size_t>(line)], box, margin);
  }
  PaintScrollBar(canvas, layout, count);
  if (const auto cached = state_.content().cached) {
    const auto age = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now() - *cached);
    PaintFiguresAge(canvas, ClientRect(), AgeText(age));
  }
}

// A title with a subtitle: the title on the upper text line, the subtitle in grey below it.
void CStockRangeDlg::PaintEntry(Canvas& canvas, const PageEntry& entry, const Rect& box, int margin) {
  const int flags = kTextLeft | kTextVCenter | kTextSingleLine;
  if (entry.subtitle.empty()) {
    canvas.DrawText(entry.text, Rect{margin, box.top, box.right, box.bottom}, flags);
    return;
  }
  const int middle = box.top + box.Height() / 2;
  canvas.DrawText(entry.text, Rect{margin, box.top, box.right, middle}, flags);
  canvas.SetTextColor(kSubtitleGrey);
  canvas.DrawText(entry.subtitle, Rect{margin, middle, box.right, box.bottom}, flags);
  canvas.SetTextColor(kPlainWhite);
}

// One line more than the entries of a menu, two more than the lines of a text.
int CStockRangeDlg::ScrollRange(const Layout& layout, int count) const {
  const int extra = state_.content().is_text ? 2 : 1;
  return std::max(1, (count + extra) * layout.line_height);
}

void CStockRangeDlg::PaintScrollBar(Canvas& canvas, const Layout& layout, int count) {
  const int range = ScrollRange(layout, count);
  if (range <= height()) return;
  const Rect track = ScrollBar(layout);
  canvas.FillRect(track, kScrollTrack);
  const int top = state_.view().first * layout.line_height * height() / range;
  const int length = std::max(layout.scroll_width, height() * height() / range);
  canvas.FillRect(Rect{track.left + 1, top, track.right - 1, std::min(height(), top + length)},
                  kScrollThumb);
}

}  // namespace tarvello
