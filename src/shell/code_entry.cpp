#include "shell/code_entry.h"

namespace tarvello {

void CodeEntry::Begin(bool short_spell) {
  short_spell_ = short_spell;
  hint_shown_ = short_spell;
  text_.clear();
}

void CodeEntry::Type(std::u16string_view chars) {
  hint_shown_ = false;
  for (const char16_t c : chars) {
    if (text_.size() >= Limit()) return;
    text_.push_back(c);
  }
}

void CodeEntry::Backspace() {
  hint_shown_ = false;
  if (!text_.empty()) text_.pop_back();
}

}  // namespace tarvello
