#include "shell/code_keyboard_dlg.h"

#include <algorithm>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "navigation/navigator.h"
#include "platform/canvas.h"
#include "shell/keyboard_keys.h"
#include "shell/keyboard_requests.h"

namespace tarvello {
namespace {

constexpr ColorRef kPanelBack = 0x403020;
constexpr ColorRef kKeyEdge = 0xA09080;
constexpr ColorRef kEditBack = 0xFFFFFF;
constexpr ColorRef kHintGrey = 0x808080;

}  // namespace

CDlgKeyBoard::CDlgKeyBoard(Navigator& navigator, QWidget* parent) : Window(parent), navigator_(navigator) {
  setFocusPolicy(Qt::StrongFocus);
  hide();
}

int CDlgKeyBoard::HeightNeeded() { return SharedTextMetrics().BarHeight() * (1 + kKeyboardRows); }

Rect CDlgKeyBoard::EditLine() const { return Rect{0, 0, width(), SharedTextMetrics().BarHeight()}; }

Rect CDlgKeyBoard::KeyArea() const {
  const int top = EditLine().bottom;
  return Rect{0, top, width(), top + SharedTextMetrics().BarHeight() * kKeyboardRows};
}

void CDlgKeyBoard::Show(ShortSpellReceiver* receiver) {
  receiver_ = receiver;
  entry_.Begin(receiver != nullptr);
  touched_.reset();
  show();
  raise();
  setFocus();  // a line edit of the screen below must not keep the typed characters
  Invalidate();
  SoftKeysChanged();
}

// The keys go back to the window the keyboard sits in.
void CDlgKeyBoard::Hide() {
  receiver_ = nullptr;
  if (isHidden()) return;
  hide();
  if (parentWidget() != nullptr) parentWidget()->setFocus();
  SoftKeysChanged();
}

void CDlgKeyBoard::Confirm() {
  if (navigator_.Navigating()) return;
  if (entry_.text().empty()) {
    ActivePrompter().MessageBox(kEmptyText, u"提示", PromptButtons::kOk);
    return;
  }
  const std::u16string text = entry_.text();
  entry_.Clear();
  if (entry_.short_spell()) {
    ShortSpellReceiver* receiver = receiver_;
    Hide();
    if (receiver != nullptr) receiver->OnShortSpell(text);
    return;
  }
  const KeyboardRequest request = RequestForTypedText(text);
  search_text_ = text;
  Hide();
  if (request.security) {
    navigator_.GoTo(request.navigation.target, request.navigation.argument, BrowseChange::Alone(*request.security));
  } else {
    navigator_.GoTo(request.navigation.target, request.navigation.argument);
  }
}

void CDlgKeyBoard::OnPenDown(Point at) {
  const std::optional<KeyboardKey> key = KeyAt(KeyArea(), at);
  if (!key) return;
  touched_ = KeyRect(*key, KeyArea());
  Invalidate();
  switch (key->action) {
    case KeyAction::kType: entry_.Type(key->typed); break;
    case KeyAction::kBackspace: entry_.Backspace(); break;
    case KeyAction::kConfirm: Confirm(); break;
  }
}

void CDlgKeyBoard::OnKeyDown(KeyCode key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    const char16_t typed = static_cast<char16_t>(key);
    entry_.Type(std::u16string_view(&typed, 1));
    Invalidate();
  } else if (key == kKeyErase) {
    entry_.Backspace();
    Invalidate();
  } else if (key == kKeyEnter || key == kKeySoftLeft) {
    Confirm();
  } else if (key == kKeyBack || key == kKeySoftRight) {
    Hide();
  }
}

void CDlgKeyBoard::OnPaint(Canvas& canvas) {
  canvas.FillRect(ClientRect(), kPanelBack);
  PaintEditLine(canvas);
  PaintKeys(canvas);
}

void CDlgKeyBoard::PaintEditLine(Canvas& canvas) const {
  const Rect line = EditLine();
  const int pad = std::max(1, line.Height() / 8);
  const Rect box{line.left + pad, line.top + pad, line.right - pad, line.bottom - pad};
  canvas.FillRect(box, kEditBack);
  canvas.SetTextColor(entry_.hint_shown() ? kHintGrey : kBlack);
  const Rect text{box.left + pad * 2, box.top, box.right, box.bottom};
  canvas.DrawText(entry_.shown(), text, kTextLeft | kTextOneLine);
}

// Every key is a rectangle with its caption centred in white; the touched one has a yellow
// outline.
void CDlgKeyBoard::PaintKeys(Canvas& canvas) const {
  const Rect area = KeyArea();
  canvas.DrawPicture(picture_, area);
  canvas.SetBrush(Brush{kBlack, true});
  canvas.SetTextColor(kPlainWhite);
  for (const KeyboardKey& key : KeyboardKeys()) {
    const Rect box = KeyRect(key, area);
    canvas.SetPen(Pen{kKeyEdge, 1});
    canvas.Rectangle(box);
    canvas.DrawText(key.caption, box, kTextCenter | kTextOneLine);
  }
  if (touched_) {
    canvas.SetPen(Pen{kVolumeYellow, 2});
    canvas.Rectangle(*touched_);
  }
}

}  // namespace tarvello
