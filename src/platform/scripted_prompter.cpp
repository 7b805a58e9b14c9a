#include "platform/scripted_prompter.h"

namespace tarvello {
namespace {

PromptAnswer CautiousAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOkCancel:
      return PromptAnswer::kCancel;
    case PromptButtons::kYesNo:
      return PromptAnswer::kNo;
    case PromptButtons::kOk:
      break;
  }
  return PromptAnswer::kOk;
}

}  // namespace

PromptAnswer ScriptedPrompter::MessageBox(std::u16string_view text, std::u16string_view caption,
                                          PromptButtons buttons) {
  asked_.push_back(Prompt{Prompt::Kind::kMessageBox, std::u16string(text), std::u16string(caption),
                          buttons, {}, {}});
  if (answers_.empty()) return CautiousAnswer(buttons);
  PromptAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

unsigned ScriptedPrompter::PopupMenu(const std::vector<MenuItem>& items, const MenuPlacement& placement) {
  asked_.push_back(Prompt{Prompt::Kind::kMenu, {}, {}, PromptButtons::kOk, items, placement});
  if (choices_.empty()) return 0;
  unsigned command = choices_.front();
  choices_.pop_front();
  return command;
}

}  // namespace tarvello
