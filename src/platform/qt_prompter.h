// QtPrompter: the program's Prompter, showing Qt message boxes and pop-up menus styled for the
// dark handheld screen. Modal: it returns when the user has answered.
// User-interface thread only.
#pragma once

#include "platform/prompter.h"

namespace tarvello {

class QtPrompter : public Prompter {
 public:
  PromptAnswer MessageBox(std::u16string_view text, std::u16string_view caption,
                          PromptButtons buttons) override;
  unsigned PopupMenu(const std::vector<MenuItem>& items, const MenuPlacement& placement) override;
};

}  // namespace tarvello
