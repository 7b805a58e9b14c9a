// The colours every screen draws quotes in, as COLORREF values (0x00BBGGRR): red for a rise,
// green for a fall, grey or white for no change, yellow for volumes and neutral figures.
#pragma once

#include <cstdint>

namespace tarvello {

using ColorRef = std::uint32_t;

inline constexpr ColorRef kRiseRed = 0x0000FF;
inline constexpr ColorRef kFallGreen = 0x00FF00;
inline constexpr ColorRef kChartFallCyan = 0xFFFF52;
inline constexpr ColorRef kFlatGrey = 0xC0C0C0;
inline constexpr ColorRef kPlainWhite = 0xFFFFFF;
inline constexpr ColorRef kVolumeYellow = 0x00FFFF;
inline constexpr ColorRef kHeaderCyan = 0xFFFF52;
inline constexpr ColorRef kSelectedBand = 0x606060;
inline constexpr ColorRef kBarBack = 0x402010;  // the dark blue of tool bars and ticker strips

}  // namespace tarvello
