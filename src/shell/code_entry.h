// CodeEntry: the edit line of the code keyboard and its rules. In code mode it starts empty and
// takes at most six characters, a full security code; in short-spell mode it starts with a hint
// and takes up to twenty initials, and the first key clears the hint. Characters beyond the limit
// are refused one by one, so a three-character key on a line with one place left types one.
// A plain value; user-interface thread only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvello {

class CodeEntry {
 public:
  static constexpr std::size_t kCodeLimit = 6;
  static constexpr std::size_t kShortSpellLimit = 20;
  static constexpr std::u16string_view kShortSpellHint = u"输入简拼(如AJZQ)";

  // Empties the line for the mode; short-spell mode shows the hint.
  void Begin(bool short_spell);
  // Types chars, each while the line has room (the hint goes first).
  void Type(std::u16string_view chars);
  void Backspace();
  void Clear() { text_.clear(); }

  bool short_spell() const { return short_spell_; }
  bool hint_shown() const { return hint_shown_; }
  // What the user typed: empty while the hint is shown.
  const std::u16string& text() const { return text_; }
  // What the edit line shows: the hint or the text.
  std::u16string_view shown() const { return hint_shown_ ? kShortSpellHint : std::u16string_view(text_); }

 private:
  std::size_t Limit() const { return short_spell_ ? kShortSpellLimit : kCodeLimit; }

  std::u16string text_;
  bool short_spell_ = false;
  bool hint_shown_ = false;
};

}  // namespace tarvello
