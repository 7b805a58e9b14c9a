#include "platform/qt_prompter.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QString>

#include "platform/qt_text.h"

namespace tarvello {
namespace {

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::kOk:
      break;
  }
  return QMessageBox::Ok;
}

PromptAnswer AnswerOf(int clicked, PromptButtons buttons) {
  switch (clicked) {
    case QMessageBox::Ok:
      return PromptAnswer::kOk;
    case QMessageBox::Yes:
      return PromptAnswer::kYes;
    case QMessageBox::No:
      return PromptAnswer::kNo;
    default:
      return buttons == PromptButtons::kOk ? PromptAnswer::kOk : PromptAnswer::kCancel;
  }
}

void AddItems(QMenu& menu, const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    if (item.separator) {
      menu.addSeparator();
    } else if (!item.submenu.empty()) {
      AddItems(*menu.addMenu(ToQString(item.text)), item.submenu);
    } else {
      QAction* action = menu.addAction(ToQString(item.text));
      action->setData(item.command);
      action->setCheckable(item.checked);
      action->setChecked(item.checked);
      action->setEnabled(item.enabled);
    }
  }
}

}  // namespace

PromptAnswer QtPrompter::MessageBox(std::u16string_view text, std::u16string_view caption,
                                    PromptButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, ToQString(caption), ToQString(text), ButtonsOf(buttons),
                  QApplication::activeWindow());
  // Esc, the back key, answers No or Cancel, and only closes a box that offers nothing else.
  box.setEscapeButton(buttons == PromptButtons::kYesNo      ? QMessageBox::No
                      : buttons == PromptButtons::kOkCancel ? QMessageBox::Cancel
                                                            : QMessageBox::Ok);
  return AnswerOf(box.exec(), buttons);
}

unsigned QtPrompter::PopupMenu(const std::vector<MenuItem>& items, const MenuPlacement& placement) {
  QMenu menu(QApplication::activeWindow());
  AddItems(menu, items);
  const QSize size = menu.sizeHint();
  const Point at = PlaceMenu(Size{size.width(), size.height()}, placement);
  QAction* chosen = menu.exec(QPoint(at.x, at.y));
  return chosen != nullptr ? chosen->data().toUInt() : 0;
}

}  // namespace tarvello
