// The index ticker strip the data screens draw along their bottom: the index of the moment
// (Shanghai and Shenzhen in turn, with the ticker's blink) in four cells, or the state's notice
// about the connection in their place, and, on the screens that
// have them, the code keyboard spot "码" and the refresh spot "刷" at the right; while the traffic
// allowance is used up, "省流量" before the spots. Paint only.
#pragma once

#include <optional>

#include "base/color.h"
#include "base/geometry.h"
#include "market/index_ticker.h"
#include "platform/canvas.h"

namespace tarvello {

// Where the keyboard and refresh spots begin on a strip that has them.
inline int TickerKeyboardLeft(const Rect& strip) { return strip.Width() * 85 / 100; }
inline int TickerRefreshLeft(const Rect& strip) { return strip.Width() * 925 / 1000; }

// state: none leaves the cells empty (a screen without a ticker).
void PaintTickerStrip(Canvas& canvas, const Rect& strip, const std::optional<TickerState>& state, ColorRef background,
                      bool withSpots);

}  // namespace tarvello
