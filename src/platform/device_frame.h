// DeviceFrame: the handheld's screen in a desktop window: a caption bar at the top with the current
// title, the screen area where one screen at a time is shown, and a soft-key bar at the bottom with
// the captions the screen in front gives for its two soft keys. Both bars are one and a half text
// lines high. Keys go to the screen in front; a tap on a half of the soft-key bar presses that soft
// key. The window's close button asks the close handler, when one is set, instead of closing.
// User-interface thread only (it is a Window: posting, timers and Invalidate also from others).
#pragma once

#include <functional>
#include <string>

#include "base/geometry.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace tarvello {

class DeviceFrame : public Window {
 public:
  explicit DeviceFrame(Size screen, QWidget* parent = nullptr);

  void SetTitle(std::u16string title);
  const std::u16string& title() const { return title_; }
  // Called instead of closing when the user closes the desktop window; none: the window closes.
  void SetCloseHandler(std::function<void()> handler) { close_handler_ = std::move(handler); }
  // The part of the screen between the two bars, in frame coordinates.
  Rect ScreenArea() const;
  // Takes a new screen as a hidden child already sized to the screen area, so that a screen
  // opened before it is first shown lays its page out for the size it will have.
  void Adopt(Window* screen);
  // Puts screen in front in the screen area (taking it as a child), hiding the one before.
  void ShowScreen(Window* screen);
  Window* current_screen() const { return current_; }

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  int BarHeight() const;
  void Place(Window* screen);
  void PaintCaption(Canvas& canvas, const Rect& bar);
  void PaintSoftKeys(Canvas& canvas, const Rect& bar);

  std::u16string title_ = u"Tarvello";
  std::function<void()> close_handler_;
  Window* current_ = nullptr;
  Picture background_ = Picture::Load("Picture/back.jpg");
};

}  // namespace tarvello
