#include "shell/ticker_marquee_dlg.h"

#include <QImage>
#include <algorithm>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "platform/qt_canvas.h"
#include "shell/ticker_marquee.h"

namespace tarvello {

CTickerMarqueeDlg::CTickerMarqueeDlg(std::function<std::u16string()> text, Picture bar_picture, QWidget* parent)
    : Window(parent), text_(std::move(text)), bar_picture_(std::move(bar_picture)) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CTickerMarqueeDlg::Place(const Rect& strip, const Rect& bar) {
  setGeometry(strip.left, strip.top, strip.Width(), strip.Height());
  DrawGround(Rect{bar.left - strip.left, bar.top - strip.top, bar.right - strip.left, bar.bottom - strip.top});
  line_text_.clear();
  line_ = Picture();
  Invalidate();
  MoveWhileShown();
}

// A line placed and showing moves; one already moving keeps its step.
void CTickerMarqueeDlg::MoveWhileShown() {
  if (isVisible() && !ground_.IsEmpty() && !HasTimer(kTimerMove)) SetTimer(kTimerMove, kMovePeriodMs);
}

void CTickerMarqueeDlg::showEvent(QShowEvent* event) {
  Window::showEvent(event);
  MoveWhileShown();
}

void CTickerMarqueeDlg::hideEvent(QHideEvent* event) {
  KillTimer(kTimerMove);
  Window::hideEvent(event);
}

int CTickerMarqueeDlg::TextLeft() const { return MarqueeLeft(travelled_, line_width_, width()); }

void CTickerMarqueeDlg::OnTimer(unsigned id) {
  if (id != kTimerMove) return;
  travelled_ += std::max(1, SharedTextMetrics().average_char_width / 2);
  if (TextLeft() != painted_left_ || text_() != line_text_) Invalidate();
}

void CTickerMarqueeDlg::OnPaint(Canvas& canvas) {
  if (std::u16string text = text_(); text != line_text_ || line_.IsEmpty()) DrawLine(std::move(text));
  canvas.DrawPicture(ground_, ClientRect());
  painted_left_ = TextLeft();
  canvas.DrawPicture(line_, Rect{painted_left_, 0, painted_left_ + line_width_, height()});
}

// Pictures are drawn at the screen's pixel ratio, so that a magnified window shows them sharp.
void CTickerMarqueeDlg::DrawGround(const Rect& bar) {
  const qreal ratio = devicePixelRatioF();
  QImage image(size() * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QtCanvas canvas(image);
  canvas.FillRect(ClientRect(), kTickerBarBack);
  canvas.DrawPicture(bar_picture_, bar);
  ground_ = Picture::FromImage("ticker strip", image);
}

void CTickerMarqueeDlg::DrawLine(std::u16string text) {
  QImage measure(1, 1, QImage::Format_RGB32);
  line_width_ = std::max(1, QtCanvas(measure).TextWidth(text));
  const qreal ratio = devicePixelRatioF();
  QImage image(QSize(line_width_, std::max(1, height())) * ratio, QImage::Format_ARGB32_Premultiplied);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  {
    QtCanvas canvas(image);
    canvas.SetTextColor(kVolumeYellow);
    canvas.DrawText(text, Rect{0, 0, line_width_, height()}, kTextLeft | kTextVCenter | kTextSingleLine);
  }
  line_ = Picture::FromImage("running line", image);
  line_text_ = std::move(text);
}

}  // namespace tarvello
