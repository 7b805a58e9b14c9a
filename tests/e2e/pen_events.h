// Test support for the end-to-end tests: stylus events sent to a screen's window as the mouse in
// the terminal's window sends them, and where a text was drawn, for a tap on it.
#pragma once

#include <QEvent>
#include <QWidget>
#include <string_view>

#include "base/geometry.h"
#include "platform/window.h"

namespace tarvello::testing {

void Pen(QWidget& window, QEvent::Type type, int x, int y);
void Tap(QWidget& window, Point at);
// The centre of the first drawing of text on the screen as it paints now; {-1, -1} when the
// screen does not draw it.
Point CentreOf(Window& screen, std::u16string_view text);

}  // namespace tarvello::testing
