// ScriptedPrompter: answers message boxes and menus from a script and writes down every question,
// for tests and the screenshot tour. Without a scripted answer it gives the cautious one: OK for an
// OK box, Cancel or No for a question, and dismisses menus.
// User-interface thread only.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/prompter.h"

namespace tarvello {

struct Prompt {
  enum class Kind { kMessageBox, kMenu };
  Kind kind = Kind::kMessageBox;
  std::u16string text;
  std::u16string caption;
  PromptButtons buttons = PromptButtons::kOk;
  std::vector<MenuItem> items;
  MenuPlacement placement;
};

class ScriptedPrompter : public Prompter {
 public:
  void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
  void QueueMenuChoice(unsigned command) { choices_.push_back(command); }

  PromptAnswer MessageBox(std::u16string_view text, std::u16string_view caption,
                          PromptButtons buttons) override;
  unsigned PopupMenu(const std::vector<MenuItem>& items, const MenuPlacement& placement) override;

  const std::vector<Prompt>& asked() const { return asked_; }

 private:
  std::deque<PromptAnswer> answers_;
  std::deque<unsigned> choices_;
  std::vector<Prompt> asked_;
};

}  // namespace tarvello
