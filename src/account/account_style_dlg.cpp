#include "account/account_style_dlg.h"

#include <QWidget>

namespace tarvello {

void StyleAccountControls(QWidget& screen) {
  screen.setStyleSheet(
      "QComboBox, QPushButton, QLineEdit { background: #202830; color: white; border: 1px solid #6080a0; }");
}

}  // namespace tarvello
