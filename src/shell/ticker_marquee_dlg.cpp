#include "shell/ticker_marquee_dlg.h"

#include <algorithm>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "platform/canvas.h"
#include "shell/ticker_marquee.h"

namespace tarvello {

CTickerMarqueeDlg::CTickerMarqueeDlg(std::function<std::u16string()> text, Picture bar_picture, QWidget* parent)
    : Window(parent), text_(std::move(text)), bar_picture_(std::move(bar_picture)) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CTickerMarqueeDlg::Place(const Rect& strip, const Rect& bar) {
  bar_ = Rect{bar.left - strip.left, bar.top - strip.top, bar.right - strip.left, bar.bottom - strip.top};
  setGeometry(strip.left, strip.top, strip.Width(), strip.Height());
  painted_left_ = INT_MIN;
  Invalidate();
  if (!HasTimer(kTimerMove)) SetTimer(kTimerMove, kMovePeriodMs);
}

int CTickerMarqueeDlg::TextLeft(int text_width) const { return MarqueeLeft(travelled_, text_width, width()); }

void CTickerMarqueeDlg::OnTimer(unsigned id) {
  if (id != kTimerMove) return;
  travelled_ += std::max(1, SharedTextMetrics().average_char_width / 2);
  if (!isVisible()) return;
  if (TextLeft(painted_width_) != painted_left_ || text_() != painted_text_) Invalidate();
}

void CTickerMarqueeDlg::OnPaint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), kTickerBarBack);
  canvas.DrawPicture(bar_picture_, bar_);
  painted_text_ = text_();
  painted_width_ = canvas.TextWidth(painted_text_);
  painted_left_ = TextLeft(painted_width_);
  canvas.SetTextColor(kVolumeYellow);
  canvas.DrawText(painted_text_, Rect{painted_left_, 0, painted_left_ + painted_width_, height()},
                  kTextLeft | kTextVCenter | kTextSingleLine);
}

}  // namespace tarvello
