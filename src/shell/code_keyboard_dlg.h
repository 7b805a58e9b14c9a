// CDlgKeyBoard: the code keyboard, one small window over the screen in front, owned by the main
// screen. It shows the edit line and the four rows of keys over "Picture/KeyBoard.jpg"; a touched
// key is outlined and types its characters. "确定" hands the text on: in code mode it opens a
// list or an index by a shortcut, or searches for the text on the list screen; in short-spell
// mode it gives the typed initials to the screen that asked for them. While it is up it holds the
// handheld keys of the screen it covers: digits and letters go to the edit line, Backspace
// deletes, Enter and the left soft key are "确定", Esc and the right soft key hide the keyboard,
// and the soft-key bar says so. "确定" while a navigation runs (the progress window is up) keeps
// the typed text and the keyboard, since the navigation it would ask for would be dropped.
//
// User-interface thread only.
#pragma once

#include <optional>
#include <string>

#include "base/geometry.h"
#include "navigation/short_spell.h"
#include "platform/picture.h"
#include "platform/window.h"
#include "shell/code_entry.h"

namespace tarvello {

class Navigator;

class CDlgKeyBoard : public Window {
 public:
  static constexpr std::u16string_view kEmptyText = u"请输入代码";

  // navigator: where the code-mode requests go.
  explicit CDlgKeyBoard(Navigator& navigator, QWidget* parent = nullptr);

  // Shows the keyboard in code mode (no receiver) or in short-spell mode for receiver, which must
  // stay alive while the keyboard is up.
  void Show(ShortSpellReceiver* receiver);
  void Hide();
  // "确定".
  void Confirm();
  // The height the edit line and the four key rows take.
  static int HeightNeeded();

  const CodeEntry& entry() const { return entry_; }
  // The text of the last code search, for the list screen that runs it.
  const std::u16string& search_text() const { return search_text_; }
  // The key area inside the window, for tests that touch keys.
  Rect KeyArea() const;
  bool HoldsKeys() const override { return true; }
  SoftKeyCaptions SoftKeys() const override { return {u"确定", u"关闭"}; }

 protected:
  void OnPaint(Canvas& canvas) override;
  void OnPenDown(Point at) override;
  void OnKeyDown(KeyCode key) override;

 private:
  Rect EditLine() const;
  void PaintEditLine(Canvas& canvas) const;
  void PaintKeys(Canvas& canvas) const;

  Navigator& navigator_;
  CodeEntry entry_;
  ShortSpellReceiver* receiver_ = nullptr;
  std::optional<Rect> touched_;  // the outlined key
  std::u16string search_text_;
  Picture picture_ = Picture::Load("Picture/KeyBoard.jpg");
};

}  // namespace tarvello
