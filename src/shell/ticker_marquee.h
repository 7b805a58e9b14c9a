// The running line of the main screen's ticker bar: the welcome text followed by the running
// message's texts, on one line that starts at the left edge of its box, moves left until it has
// left the box, and then comes in again from the right edge. Pure functions.
#pragma once

#include "base/color.h"

#include <string>
#include <string_view>

namespace tarvello {

// The ticker bar's colour under its picture.
inline constexpr ColorRef kTickerBarBack = 0x202020;

// Line breaks of the running message become gaps between its texts.
std::u16string MarqueeText(std::u16string_view welcome, std::u16string_view running);

// Where the text's left edge stands, relative to the box's left edge, after it has travelled
// the given number of pixels.
int MarqueeLeft(long long travelled, int text_width, int box_width);

}  // namespace tarvello
