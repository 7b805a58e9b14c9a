// The colours the K-line chart draws in, as COLORREF values (0x00BBGGRR).
#pragma once

#include "market/display_colours.h"

namespace tarvello {

inline constexpr ColorRef kChartRed = kRiseRed;
inline constexpr ColorRef kChartGreen = kFallGreen;
inline constexpr ColorRef kChartCyan = 0xFFFF52;
inline constexpr ColorRef kChartYellow = 0x00FFFF;
inline constexpr ColorRef kChartMagenta = 0xFF00FF;
inline constexpr ColorRef kChartWhite = 0xFFFFFF;
inline constexpr ColorRef kChartGrey = 0xC0C0C0;
inline constexpr ColorRef kChartDarkGrey = 0x404040;  // behind everything the chart draws
inline constexpr ColorRef kChartBlack = 0x000000;

}  // namespace tarvello
