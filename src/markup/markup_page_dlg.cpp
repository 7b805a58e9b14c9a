#include "markup/markup_page_dlg.h"

#include <QImage>
#include <algorithm>
#include <optional>

#include "base/text_metrics.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "platform/canvas.h"
#include "platform/keys.h"
#include "platform/qt_canvas.h"
#include "web/markup_document.h"
#include "web/page_fetch.h"

namespace tarvello {
namespace {

constexpr ColorRef kPageBackground = 0x000000;
constexpr ColorRef kScrollTrack = 0x303030;
constexpr ColorRef kScrollThumb = 0x909090;
constexpr ColorRef kImageFrame = 0x808080;
constexpr int kInformationMenu = 10;  // the "资讯必读" mode of the menu page

bool IsReload(std::u16string_view target) { return target == kReloadTarget || target == u"refresh"; }

}  // namespace

CMarkupPageDlg::CMarkupPageDlg(MarkupPageParts parts, QWidget* parent)
    : DataScreen(0, std::chrono::milliseconds(0), parts.mainScreen, parent), parts_(std::move(parts)) {}

CMarkupPageDlg::~CMarkupPageDlg() { StopRefreshing(); }

void CMarkupPageDlg::Open() { Load(parts_.home, {}); }

// A link is followed only once the page it was tapped on is the one loaded: a second tap while
// a page is on its way would load a page again and lose the way back to the one on screen.
void CMarkupPageDlg::Follow(std::u16string_view target) {
  if (busy() || LoadPending()) return;
  if (IsReload(target)) return RequestRefresh(true);
  std::u16string current = address();
  std::u16string next = ResolvePageLink(current, target);
  if (!next.empty()) Load(std::move(next), std::move(current));
}

void CMarkupPageDlg::Load(std::u16string address, std::u16string previous) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    address_ = std::move(address);
    previous_ = std::move(previous);
    page_width_ = PageWidth();
    ++loads_asked_;
  }
  scroll_ = 0;
  RequestRefresh(true);
}

bool CMarkupPageDlg::LoadPending() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return loads_done_ != loads_asked_;
}

std::u16string CMarkupPageDlg::address() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return address_;
}

std::vector<PageItem> CMarkupPageDlg::items() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return items_;
}

// A failed fetch is an empty page, which still shows the reload link; so every exchange repaints.
bool CMarkupPageDlg::RunExchange() {
  std::u16string address;
  std::u16string previous;
  unsigned asked = 0;
  int width = 0;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    address = address_;
    previous = previous_;
    asked = loads_asked_;
    width = page_width_;
  }
  MarkupDocument document;
  document.SetDoc(parts_.fetch ? parts_.fetch(address) : std::u16string());
  std::vector<PageItem> items = BuildPageItems(document, previous);
  // A long page takes long to lay out: that is done here rather than in the paint, which runs on
  // the thread that handles every key.
  std::optional<PageLayout> layout;
  if (width > 0) {
    QImage scratch(1, 1, QImage::Format_RGB32);
    QtCanvas canvas(scratch);
    layout = LayOutPage(items, CanvasPageMetrics(canvas, width));
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  items_.swap(items);
  ready_layout_ = std::move(layout);
  ready_width_ = width;
  ++generation_;
  loads_done_ = asked;
  return true;
}

PageMetrics CanvasPageMetrics(Canvas& canvas, int page_width) {
  return PageMetrics{page_width, canvas.Metrics().LineHeight(), [&canvas](std::u16string_view text, bool bold) {
                       canvas.SetFont(Font{0, bold});
                       return canvas.TextWidth(text);
                     }};
}

int CMarkupPageDlg::ScrollWidth() const { return SharedTextMetrics().LineHeight() * 3 / 4; }

int CMarkupPageDlg::PageWidth() const { return width() - ScrollWidth() - 1; }

// Takes the layout the worker made with the page when it is for this width; lays the page out
// here only when the width has changed since.
void CMarkupPageDlg::LayOutFor(Canvas& canvas) {
  std::vector<PageItem> items;
  std::optional<PageLayout> ready;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (generation_ == laid_generation_ && width() == laid_width_) return;
    laid_generation_ = generation_;
    laid_width_ = width();
    page_width_ = PageWidth();
    if (ready_width_ == page_width_) ready.swap(ready_layout_);
    if (!ready) items = items_;
    ready_layout_.reset();
  }
  layout_ = ready ? std::move(*ready) : LayOutPage(items, CanvasPageMetrics(canvas, PageWidth()));
  scroll_ = std::clamp(scroll_, 0, std::max(0, layout_.height - height()));
}

void CMarkupPageDlg::OnPaint(Canvas& canvas) {
  RefreshWorker::PaintScope painting(worker());
  LayOutFor(canvas);
  canvas.FillRect(ClientRect(), kPageBackground);
  // Controls stand in lines from the top down: the paint starts at the first one on screen and
  // stops below the screen, so a long page costs no more to paint than a short one.
  const auto& controls = layout_.controls;
  const auto first = std::partition_point(controls.begin(), controls.end(),
                                          [this](const PageControl& control) { return control.box.bottom <= scroll_; });
  for (auto it = first; it != controls.end() && it->box.top < scroll_ + height(); ++it) {
    const PageControl& control = *it;
    Rect box = control.box;
    box.top -= scroll_;
    box.bottom -= scroll_;
    if (control.background) canvas.FillRect(box, *control.background);
    if (control.border || control.kind == PageControlKind::kImage) {
      canvas.SetPen(Pen{kImageFrame});
      canvas.SetBrush(Brush{kBlack, true});
      canvas.Rectangle(box);
    }
    canvas.SetFont(Font{0, control.bold});
    canvas.SetTextColor(control.colour);
    const unsigned align = control.kind == PageControlKind::kText || control.kind == PageControlKind::kLink
                               ? kTextLeft
                               : kTextCenter;
    canvas.DrawText(control.text, box, align | kTextVCenter | kTextSingleLine);
    if (control.underline) {
      canvas.SetPen(Pen{control.colour});
      const int width = std::min(box.Width(), canvas.TextWidth(control.text));
      const int left = align == kTextLeft ? box.left : box.left + (box.Width() - width) / 2;
      canvas.Line(Point{left, box.bottom - 1}, Point{left + width, box.bottom - 1});
    }
  }
  if (layout_.height <= height()) return;
  const Rect track{width() - ScrollWidth(), 0, width(), height()};
  canvas.FillRect(track, kScrollTrack);
  const int top = scroll_ * height() / layout_.height;
  const int length = std::max(ScrollWidth(), height() * height() / layout_.height);
  canvas.FillRect(Rect{track.left + 1, top, track.right - 1, std::min(height(), top + length)}, kScrollThumb);
}

void CMarkupPageDlg::ScrollBy(int pixels) {
  scroll_ = std::clamp(scroll_ + pixels, 0, std::max(0, layout_.height - height()));
  Invalidate();
}

void CMarkupPageDlg::OnKeyDown(KeyCode key) {
  const int line = SharedTextMetrics().LineHeight();
  switch (key) {
    case kKeyUp:
    case kKeyDown:
      return ScrollBy(key == kKeyUp ? -line : line);
    case kKeyLeft:
    case kKeyRight:
      return ScrollBy(key == kKeyLeft ? -(height() - line) : height() - line);
    case kKeyEnter:
    case kKeySoftLeft:
      return Follow(kReloadTarget);
    case kKeyBack:
    case kKeySoftRight:
      if (parts_.navigator != nullptr) parts_.navigator->GoTo(kTargetMenuPage, kInformationMenu);
      return;
    default:
      return;
  }
}

void CMarkupPageDlg::OnPenDown(Point at) {
  if (at.x >= width() - ScrollWidth() && layout_.height > height()) {
    return ScrollBy(at.y < scroll_ * height() / layout_.height ? -height() : height());
  }
  if (const std::optional<std::u16string> target = LinkAt(layout_, Point{at.x, at.y + scroll_})) Follow(*target);
}

}  // namespace tarvello
