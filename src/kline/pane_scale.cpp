#include "kline/pane_scale.h"

#include <algorithm>
#include <cmath>

namespace tarvello {

PaneScale::PaneScale(int top, int bottom, double minimum, double maximum)
    : top_(top), bottom_(bottom), minimum_(minimum), pixelsPerUnit_(0) {
  const double span = maximum - minimum;
  if (std::isfinite(minimum) && std::isfinite(span) && span > 0) {
    pixelsPerUnit_ = static_cast<double>(bottom - top) / span;
  }
}

int PaneScale::Y(double value) const {
  if (std::isnan(value) || pixelsPerUnit_ == 0) return bottom_;
  const double y = static_cast<double>(bottom_) - (value - minimum_) * pixelsPerUnit_;
  const double clamped = std::clamp(y, static_cast<double>(top_) - 1, static_cast<double>(bottom_) + 1);
  return static_cast<int>(std::lround(clamped));
}

}  // namespace tarvello
