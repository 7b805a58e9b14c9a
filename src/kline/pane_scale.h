// PaneScale: turns indicator and price values into vertical pixel positions of a chart pane.
// This is the last guard between computed floats and integer pixel arithmetic: positions are
// clamped to one pixel beyond the pane, a not-a-number value sits on the pane bottom, and an
// empty, inverted or non-finite range puts every value on the bottom instead of dividing by zero.
// Plain value type; safe to copy between threads.
#pragma once

namespace tarvello {

class PaneScale {
 public:
  // A pane from pixel row top down to row bottom showing values minimum..maximum.
  PaneScale(int top, int bottom, double minimum, double maximum);

  int Y(double value) const;

 private:
  int top_;
  int bottom_;
  double minimum_;
  double pixelsPerUnit_;  // 0 when the range cannot be drawn
};

}  // namespace tarvello
