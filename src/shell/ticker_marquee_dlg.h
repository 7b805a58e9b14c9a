// CTickerMarqueeDlg: the running line of the main screen's ticker bar, drawn in a strip of its own
// over the bar's right part. The line moves every 150 ms; as a window of its own only the strip is
// drawn again, and only when the line has moved by a pixel or its text has changed, so that the
// main menu standing idle costs next to nothing. The strip's ground and the line are drawn once
// into pictures, so that a move costs two copies rather than scaling the bar's picture and
// laying the text out anew. It moves only while it shows: with another screen in front it wakes
// nothing, and takes up where it stood. Taps and keys pass through to the main screen.
//
// Thread rules: user-interface thread only. The text function is called on it and may read
// records that other threads write, as long as it is safe to.
#pragma once

#include <climits>
#include <functional>
#include <string>

#include "base/geometry.h"
#include "platform/picture.h"
#include "platform/window.h"

namespace tarvello {

class CTickerMarqueeDlg : public Window {
 public:
  static constexpr unsigned kTimerMove = 22;
  static constexpr unsigned kMovePeriodMs = 150;

  // text gives the line to run; bar_picture is drawn across the whole ticker bar.
  CTickerMarqueeDlg(std::function<std::u16string()> text, Picture bar_picture, QWidget* parent);

  // Puts the strip at strip (parent coordinates) inside the ticker bar bar, and starts it moving.
  void Place(const Rect& strip, const Rect& bar);
  // Pixels the line has moved since it started.
  long long travelled() const { return travelled_; }
  // The text of the line as last drawn.
  const std::u16string& line_text() const { return line_text_; }

 protected:
  void OnTimer(unsigned id) override;
  void OnPaint(Canvas& canvas) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  // The strip's ground covers it whole once it is placed.
  bool PaintsEveryPixel() const override { return !ground_.IsEmpty(); }

 private:
  int TextLeft() const;
  void MoveWhileShown();
  void DrawGround(const Rect& bar);
  void DrawLine(std::u16string text);

  const std::function<std::u16string()> text_;
  const Picture bar_picture_;
  long long travelled_ = 0;
  Picture ground_;  // the strip without the line: the bar's colour and its part of the bar picture
  Picture line_;    // the line on a transparent ground
  std::u16string line_text_;
  int line_width_ = 0;
  int painted_left_ = INT_MIN;  // where the last paint put the line
};

}  // namespace tarvello
