// Prompter: every message box and pop-up menu of the program goes through this one interface, so
// that the program shows Qt dialogs (QtPrompter) while tests and the screenshot tour answer from a
// script (ScriptedPrompter). Answers use the handheld's numbers (IDOK 1, IDCANCEL 2, IDYES 6,
// IDNO 7); a menu answers the chosen item's command, 0 when dismissed.
// User-interface thread only.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/geometry.h"
#include "base/menu_placement.h"

namespace tarvello {

enum class PromptButtons { kOk, kOkCancel, kYesNo };
enum class PromptAnswer { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };

struct MenuItem {
  unsigned command = 0;
  std::u16string text;
  bool checked = false;
  bool enabled = true;
  bool separator = false;
  std::vector<MenuItem> submenu;  // non-empty: the item opens this sub-menu

  static MenuItem Command(unsigned command, std::u16string text, bool checked = false) {
    MenuItem item;
    item.command = command;
    item.text = std::move(text);
    item.checked = checked;
    return item;
  }
  static MenuItem SubMenu(std::u16string text, std::vector<MenuItem> items) {
    MenuItem item;
    item.text = std::move(text);
    item.submenu = std::move(items);
    return item;
  }
  static MenuItem Separator() {
    MenuItem item;
    item.separator = true;
    return item;
  }
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual PromptAnswer MessageBox(std::u16string_view text, std::u16string_view caption,
                                  PromptButtons buttons) = 0;
  // The chosen item's command, 0 when none; placement in desktop coordinates.
  virtual unsigned PopupMenu(const std::vector<MenuItem>& items, const MenuPlacement& placement) = 0;
};

// The prompter in force. The program installs a QtPrompter at start; until then, and whenever
// none is installed, a ScriptedPrompter with no script gives the cautious answers.
Prompter& ActivePrompter();
void InstallPrompter(Prompter* prompter);

}  // namespace tarvello
