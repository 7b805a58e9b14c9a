// The look the account screens give their Qt controls: dark boxes with light text in the screen
// font, like the start dialog's. User-interface thread only.
#pragma once

class QWidget;

namespace tarvello {

void StyleAccountControls(QWidget& screen);

}  // namespace tarvello
