// The pixel height of the screen font for a handheld screen size: the font grows with the shorter
// side of the screen, a twentieth of it, so that a 240-pixel-wide screen gets a 12-pixel font and
// a 480-pixel-wide screen a 24-pixel one; never below 12 pixels, where Chinese text stops being
// legible. Every screen lays itself out in lines of this font.
#pragma once

#include "base/geometry.h"

namespace tarvello {

inline constexpr int kMinScreenFontHeight = 12;

int ScreenFontHeight(Size screen);

}  // namespace tarvello
