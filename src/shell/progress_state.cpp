#include "shell/progress_state.h"

#include <utility>

namespace tarvello {

ProgressState::ProgressState(ProgressHooks hooks) : hooks_(std::move(hooks)), text_(kInitialText) {}

void ProgressState::SetText(std::u16string text) {
  std::lock_guard<std::mutex> lock(text_mutex_);
  text_ = std::move(text);
}

std::u16string ProgressState::text() const {
  std::lock_guard<std::mutex> lock(text_mutex_);
  return text_;
}

void ProgressState::SetForm(ProgressForm form) {
  form_ = form;
  step_ = 0;
}

bool ProgressState::Advance() {
  if (paused_) return false;
  int step = step_.load();
  while (!step_.compare_exchange_weak(step, step >= kLastStep ? 0 : step + 1)) {
  }
  return true;
}

bool ProgressState::HasCancelArea() const {
  ProgressForm form = form_.load();
  return form == ProgressForm::kPlain || form == ProgressForm::kBusy;
}

Rect ProgressState::CancelRect(const Rect& client, int text_height) const {
  if (!HasCancelArea()) return Rect{client.right, client.top, client.right, client.bottom};
  return Rect{client.right - 3 * text_height, client.top, client.right, client.bottom};
}

Rect ProgressState::BarRect(const Rect& client, int text_height) const {
  Rect bar = client;
  bar.right = CancelRect(client, text_height).left;
  if (bar.right < bar.left) bar.right = bar.left;
  return bar;
}

Rect ProgressState::TextRect(const Rect& client) {
  Rect text = client;
  text.right -= 3;
  return text;
}

bool ProgressState::PressCancel() {
  if (!HasCancelArea()) return false;
  const auto& cancel =
      cancel_kind_ == CancelKind::kExchange ? hooks_.cancel_exchange : hooks_.close_page_fetch;
  if (cancel) cancel();
  if (form_ == ProgressForm::kBusy && hooks_.post_to_main) {
    hooks_.post_to_main(Message{kMsgProgress, kBusyHide, -1});
  }
  return true;
}

}  // namespace tarvello
