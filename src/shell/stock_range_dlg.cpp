#include "shell/stock_range_dlg.h"

#include <algorithm>
#include <utility>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "navigation/navigator.h"
#include "platform/canvas.h"
#include "shell/page_text.h"

namespace tarvello {
namespace {

constexpr ColorRef kScrollTrack = 0x303030;
constexpr ColorRef kScrollThumb = 0x909090;
constexpr int kTextMargin = 5;  // each side of a wrapped text: the page is 10 pixels narrower

// Menus and title lists: one and a half font heights plus the leading; texts: one text line.
int MenuLineHeight(const TextMetrics& m) { return m.height * 3 / 2 + m.external_leading; }

}  // namespace

CStockRangeDlg::CStockRangeDlg(Navigator* navigator, QWidget* parent)
    : Window(parent), navigator_(navigator), wide_width_(SharedTextMetrics().height) {}

CStockRangeDlg::Layout CStockRangeDlg::LayoutNow() const {
  const TextMetrics& m = SharedTextMetrics();
  const int line = std::max(1, state_.content().is_text ? m.LineHeight() : MenuLineHeight(m));
  const int scroll = m.LineHeight() * 3 / 4;
  return Layout{line, std::max(1, height() / line), scroll, width() - scroll - 1,
                width() - scroll - 2 * kTextMargin};
}

PageContent CStockRangeDlg::ContentOf(int mode) const {
  if (std::optional<PageContent> fixed = StaticPage(mode)) return *fixed;
  const auto handed = handed_.find(mode);
  if (handed != handed_.end()) return handed->second;
  PageContent empty;
  empty.is_text = IsTextMode(mode);
  return empty;
}

void CStockRangeDlg::Open(int mode) {
  state_.Open(mode, ContentOf(mode));
  Shown();
}

void CStockRangeDlg::HandIn(int mode, PageContent content) {
  handed_[mode] = content;
  if (mode != state_.mode()) return;
  state_.Refresh(std::move(content));
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
    lines_ = state_.content().is_text
                 ? WrapPageText(state_.content().text, key.page_width, key.wide_width)
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
  if (action.information_kind) information_kind_ = action.information_kind;
  if (action.article) article_ = *action.article;
  switch (action.kind) {
    case PageAction::Kind::kSwitchMode:
      state_.Switch(action.mode, ContentOf(action.mode));
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
  if (state_.Back()) {
    Shown();
    return;
  }
  const NavigationRequest out = WayOut(state_.mode());
  if (navigator_ != nullptr) navigator_->GoTo(out.target, out.argument);
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
  canvas.FillRect(ClientRect(), kBlack);
  wide_width_ = std::max(1, canvas.TextWidth(u"中"));
  const Layout layout = LayoutNow();
  const int count = LineCount();
  const PageView& view = state_.view();
  const int margin =
      state_.content().is_text ? kTextMargin : SharedTextMetrics().average_char_width;
  const int right = state_.content().is_text ? kTextMargin + layout.page_width : layout.list_width;
  canvas.SetTextColor(kPlainWhite);
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
    canvas.DrawText(state_.content().entries[static_cast<std::size_t>(line)].text,
                    Rect{margin, box.top, right, box.bottom},
                    kTextLeft | kTextVCenter | kTextSingleLine);
  }
  PaintScrollBar(canvas, layout, count);
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
