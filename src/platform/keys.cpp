#include "platform/keys.h"

#include <Qt>

namespace tarvello {

std::optional<KeyCode> KeyCodeFromQt(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return kKeyEnter;
    case Qt::Key_Escape:
      return kKeyBack;
    case Qt::Key_Left:
      return kKeyLeft;
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Right:
      return kKeyRight;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_F1:
      return kKeySoftLeft;
    case Qt::Key_F2:
      return kKeySoftRight;
    case Qt::Key_Backspace:
      return kKeyErase;
    case Qt::Key_Period:
      return kKeyPoint;
    case Qt::Key_Minus:
      return kKeyMinus;
    default:
      break;
  }
  if ((qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) || (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z)) {
    return static_cast<KeyCode>(qt_key);  // Qt uses the character codes here too
  }
  return std::nullopt;
}

}  // namespace tarvello
