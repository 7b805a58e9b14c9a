// The pie of the fund-flow view: seven slices of the flow amounts (large, medium and small
// inflow, the other amount, small, medium and large outflow), counter-clockwise from the top.
// Each slice ends where the previous one ended plus its share of 360 degrees, truncated to whole
// degrees; the last runs on to 451 degrees so that the rounding leaves no gap at the top. A slice
// is the centre and one rim point per whole degree. Pure, any thread.
#pragma once

#include <vector>

#include "base/geometry.h"
#include "futures/futures_records.h"
#include "market/display_colours.h"

namespace tarvello {

struct PieSlice {
  ColorRef fill = kPlainWhite;
  int startDegree = 0;
  int endDegree = 0;
  std::vector<Point> points;  // the centre, then the rim from startDegree to endDegree
};

// The rim point at a whole degree (the radian factor is 3.14 / 180).
Point PieRimPoint(Point centre, int radius, int degree);

// No slices when the amounts add up to nothing, or when one is negative: a share of a sum that
// counts some money against other money has no angle to draw.
std::vector<PieSlice> FundFlowPie(const SecurityFundFlow& flow, Point centre, int radius);

}  // namespace tarvello
