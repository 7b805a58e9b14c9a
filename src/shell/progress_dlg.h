// CDlgFlag: the progress window the whole program shares: a borderless strip across the screen
// with a text and an animated bar, shown while the network comes up, while dialling and while a
// screen waits for an exchange. In forms 0 and 3 a tap on its cancel area (three text heights at
// the right) aborts the running exchange through the injected hooks. Its own animation thread
// steps the bar every 200 ms while the window is shown, and is not there while it is hidden.
//
// Thread rules: the animation thread only advances the step and invalidates; everything else runs
// on the user-interface thread. state() is thread-safe.
#pragma once

#include <memory>

#include "base/ticker.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "shell/progress_state.h"

namespace tarvello {

class CDlgFlag : public Window {
 public:
  static constexpr std::chrono::milliseconds kAnimationPeriod{200};

  CDlgFlag(ProgressHooks hooks, QWidget* parent = nullptr);
  ~CDlgFlag() override;

  ProgressState& state() { return state_; }
  void SetText(std::u16string text);
  void SetForm(ProgressForm form);

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnPenDown(Point at) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  ProgressState state_;
  Picture background_ = Picture::Load("Picture/TOOLBAR.bmp");
  Picture startup_bar_ = Picture::Load("Picture/First.jpg");
  Picture bar_ = Picture::Load("Picture/process.jpg");
  std::unique_ptr<Ticker> animation_;  // while shown; last: stopped before anything it touches goes
};

}  // namespace tarvello
