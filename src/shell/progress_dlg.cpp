#include "shell/progress_dlg.h"

#include <algorithm>
#include <utility>

#include "base/text_metrics.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr ColorRef kStripColour = 0x402010;  // dark blue under a missing background picture
constexpr ColorRef kCancelColour = 0xC0C0C0;

void DrawCancelMark(Canvas& canvas, const Rect& area) {
  int side = std::min(area.Width(), area.Height()) / 2;
  int cx = (area.left + area.right) / 2;
  int cy = (area.top + area.bottom) / 2;
  canvas.SetPen(Pen{kCancelColour, std::max(1, side / 6), PenStyle::kSolid});
  canvas.Line({cx - side / 2, cy - side / 2}, {cx + side / 2, cy + side / 2});
  canvas.Line({cx - side / 2, cy + side / 2}, {cx + side / 2, cy - side / 2});
  canvas.Line({area.left, area.top}, {area.left, area.bottom});
}

}  // namespace

CDlgFlag::CDlgFlag(ProgressHooks hooks, QWidget* parent) : Window(parent), state_(std::move(hooks)) {}

CDlgFlag::~CDlgFlag() { animation_.reset(); }

void CDlgFlag::SetText(std::u16string text) {
  state_.SetText(std::move(text));
  Invalidate();
}

void CDlgFlag::SetForm(ProgressForm form) {
  state_.SetForm(form);
  Invalidate();
}

void CDlgFlag::OnPaint(Canvas& canvas) {
  Rect client = ClientRect();
  int text_height = SharedTextMetrics().height;
  canvas.FillRect(client, kStripColour);
  canvas.DrawPicture(background_, client);

  Rect bar = state_.BarRect(client, text_height);
  Rect filled = bar;
  filled.right = bar.left + state_.BarFillWidth(bar.Width());
  if (!filled.IsEmpty()) {
    canvas.SetClip(filled);
    canvas.DrawPicture(state_.form() == ProgressForm::kStartup ? startup_bar_ : bar_, bar);
    canvas.ResetClip();
  }
  if (state_.HasCancelArea()) DrawCancelMark(canvas, state_.CancelRect(client, text_height));

  canvas.SetTextColor(kWhite);
  canvas.DrawText(state_.text(), ProgressState::TextRect(client),
                  kTextCenter | kTextVCenter | kTextSingleLine);
}

void CDlgFlag::OnPenDown(Point at) {
  if (state_.CancelRect(ClientRect(), SharedTextMetrics().height).Contains(at)) {
    state_.PressCancel();
  }
}

// The animation thread runs only while the window shows: hidden, which it is nearly always, the
// window wakes nothing.
void CDlgFlag::showEvent(QShowEvent* event) {
  state_.SetPaused(false);
  if (!animation_) {
    animation_ = std::make_unique<Ticker>(kAnimationPeriod, [this] {
      if (state_.Advance()) Invalidate();
    });
  }
  Window::showEvent(event);
}

void CDlgFlag::hideEvent(QHideEvent* event) {
  state_.SetPaused(true);
  animation_.reset();
  Window::hideEvent(event);
}

}  // namespace tarvello
