#include "shell/screen_font.h"

#include <algorithm>

namespace tarvello {

int ScreenFontHeight(Size screen) {
  int shorter = std::min(screen.width, screen.height);
  return std::max(kMinScreenFontHeight, shorter / 20);
}

}  // namespace tarvello
