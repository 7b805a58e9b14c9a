#include "account/account_style_dlg.h"

#include <QFont>
#include <QWidget>

#include "base/text_metrics.h"

namespace tarvello {

void StyleAccountControls(QWidget& screen) {
  screen.setStyleSheet(
      "QComboBox, QPushButton, QLineEdit { background: #202830; color: white; border: 1px solid #6080a0; }");
  QFont font = screen.font();
  font.setPixelSize(SharedTextMetrics().height > 0 ? SharedTextMetrics().height : 12);
  screen.setFont(font);
}

}  // namespace tarvello
