// DeviceFrame: the handheld's screen in a desktop window: a caption bar at the top with the current
// title, the screen area where one screen at a time is shown, and a soft-key bar at the bottom with
// the captions the screen in front gives for its two soft keys. Both bars are one and a half text
// lines high. The window's close button asks the close handler, when one is set, instead of closing.
//
// Who gets a key, one rule for every screen: the key holder owns the handheld keys wherever the
// desktop's keyboard focus is, so a tap on a list control or a button never takes them away. The
// key holder is a window shown over the screens that holds the keys while it is up (the code
// keyboard), else the screen in front. A child control keeps the keys only while it edits in
// place (a line edit with the cursor in it, a combo box it chooses in), and even then Esc, F1 and
// F2 reach the key holder. The soft-key bar captions the key holder's soft keys, and a tap on a
// half of the bar presses that soft key of the key holder.
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
  ~DeviceFrame() override;

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
  // Who receives the handheld keys now: a shown window that holds them, else the screen in front.
  Window* KeyHolder() const;

 protected:
  void ScreenSoftKeysChanged() override { InvalidateBars(); }
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;
  void closeEvent(QCloseEvent* event) override;
  // Sees every key pressed in the application and routes those pressed in this frame.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int BarHeight() const;
  // The caption and the soft-key bar are redrawn; the screen between them stays as it is.
  void InvalidateBars();
  Rect CaptionBar() const;
  Rect SoftKeyBar() const;
  void Place(Window* screen);
  void PaintCaption(Canvas& canvas, const Rect& bar);
  void PaintSoftKeys(Canvas& canvas, const Rect& bar);

  std::u16string title_ = u"Tarvello";
  std::function<void()> close_handler_;
  Window* current_ = nullptr;
  Picture background_ = Picture::Load("Picture/back.jpg");
};

}  // namespace tarvello
