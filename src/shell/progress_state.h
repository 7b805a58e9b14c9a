// ProgressState: what the shared progress window shows and does, apart from drawing: its text,
// form, animation step, pause, and the cancel area. The window's animation thread advances the
// step every 200 ms; the user-interface thread sets the text and form, shows and hides.
//
// Forms: 0 plain with cancel area, 1 dialling, 2 network start-up (its own bar picture), 3 busy
// with cancel area (a cancel also hides the window). The bar runs through eleven steps, 0 to 10,
// then starts again from empty. A cancel calls the transport's cancel (cancel kind 1) or closes the
// page fetch (kind 0); the calls are injected so that the state knows nothing of either.
//
// Thread-safe: every member may be called from any thread.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>

#include "base/geometry.h"
#include "base/message.h"

namespace tarvello {

enum class ProgressForm { kPlain = 0, kDialling = 1, kStartup = 2, kBusy = 3 };
enum class CancelKind { kPageFetch = 0, kExchange = 1 };

struct ProgressHooks {
  std::function<void()> cancel_exchange;   // the transport's Cancel
  std::function<void()> close_page_fetch;  // closes the page fetch's handles
  std::function<void(const Message&)> post_to_main;
};

class ProgressState {
 public:
  static constexpr int kLastStep = 10;
  static constexpr const char16_t* kInitialText = u"获取数据中...";

  explicit ProgressState(ProgressHooks hooks);

  void SetText(std::u16string text);
  std::u16string text() const;
  // Sets the form and clears the step.
  void SetForm(ProgressForm form);
  ProgressForm form() const { return form_.load(); }
  void SetCancelKind(CancelKind kind) { cancel_kind_ = kind; }
  CancelKind cancel_kind() const { return cancel_kind_.load(); }
  void SetPaused(bool paused) { paused_ = paused; }
  bool paused() const { return paused_.load(); }
  int step() const { return step_.load(); }

  // One animation step unless paused (10 goes back to 0); true when the step moved.
  bool Advance();

  bool HasCancelArea() const;
  // Layout within the window's client rectangle, for a screen font of text_height pixels: the
  // cancel area is three text heights wide at the right in forms 0 and 3; the bar takes the rest.
  Rect CancelRect(const Rect& client, int text_height) const;
  Rect BarRect(const Rect& client, int text_height) const;
  // How much of a bar of bar_width pixels is drawn at the current step.
  int BarFillWidth(int bar_width) const { return step() * (bar_width / kLastStep); }
  // The text is centred in the client rectangle with its right edge moved 3 pixels in.
  static Rect TextRect(const Rect& client);

  // A tap in the cancel area (forms 0 and 3 only); false when there is none.
  bool PressCancel();

 private:
  const ProgressHooks hooks_;
  mutable std::mutex text_mutex_;
  std::u16string text_;  // guarded by text_mutex_
  std::atomic<ProgressForm> form_{ProgressForm::kPlain};
  std::atomic<CancelKind> cancel_kind_{CancelKind::kExchange};
  std::atomic<int> step_{0};
  std::atomic<bool> paused_{true};
};

}  // namespace tarvello
