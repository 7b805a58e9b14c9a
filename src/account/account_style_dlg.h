// The look the account screens give their Qt controls: dark boxes with light text, like the start
// dialog's (the screen font comes from the application font). User-interface thread only.
#pragma once

class QWidget;

namespace tarvello {

void StyleAccountControls(QWidget& screen);

}  // namespace tarvello
