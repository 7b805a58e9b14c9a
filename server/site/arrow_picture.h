// A small picture of a rising or falling arrow as an uncompressed 24-bit BMP file, for the
// simulator's markup pages. Pure function; any thread.
#pragma once

#include <string>

#include "base/color.h"

namespace tarvello::server {

inline constexpr int kArrowPictureSide = 12;

// An arrow pointing up (or down) in colour on black, kArrowPictureSide pixels square.
std::string ArrowPicture(bool up, ColorRef colour);

}  // namespace tarvello::server
