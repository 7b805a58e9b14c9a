#include "platform/device_frame.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <utility>

#include "base/text_metrics.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr ColorRef kCaptionColour = 0x6B3A10;   // deep blue
constexpr ColorRef kSoftKeyColour = 0x303030;   // dark grey
constexpr ColorRef kBarLineColour = 0x808080;

// A control that edits in place while it has the focus: it keeps the keys it uses.
bool EditsInPlace(const QWidget& widget) {
  if (!widget.hasFocus() || !widget.isEnabled()) return false;
  if (const auto* line = qobject_cast<const QLineEdit*>(&widget)) return !line->isReadOnly();
  if (const auto* text = qobject_cast<const QTextEdit*>(&widget)) return !text->isReadOnly();
  if (const auto* plain = qobject_cast<const QPlainTextEdit*>(&widget)) return !plain->isReadOnly();
  return qobject_cast<const QAbstractSpinBox*>(&widget) != nullptr || qobject_cast<const QComboBox*>(&widget) != nullptr;
}

// The child window shown on top of parent that holds the keys, searched down to the innermost one
// (a panel over a list, a keyboard over the screens); none when no shown child holds them.
Window* HolderOver(const QWidget& parent) {
  const QObjectList& shown_last_on_top = parent.children();
  for (auto it = shown_last_on_top.rbegin(); it != shown_last_on_top.rend(); ++it) {
    auto* window = dynamic_cast<Window*>(*it);
    if (window == nullptr || !window->HoldsKeys() || !window->isVisible()) continue;
    Window* inner = HolderOver(*window);
    return inner != nullptr ? inner : window;
  }
  return nullptr;
}

// Back and the two soft keys always belong to the key holder.
bool IsScreenKey(KeyCode key) { return key == kKeyBack || key == kKeySoftLeft || key == kKeySoftRight; }

}  // namespace

DeviceFrame::DeviceFrame(Size screen, QWidget* parent) : Window(parent) {
  setFixedSize(screen.width, screen.height);
  setWindowTitle(QStringLiteral("Tarvello"));
  qApp->installEventFilter(this);
}

DeviceFrame::~DeviceFrame() { qApp->removeEventFilter(this); }

Window* DeviceFrame::KeyHolder() const {
  if (Window* over = HolderOver(*this)) return over;
  if (current_ == nullptr) return nullptr;
  Window* over = HolderOver(*current_);
  return over != nullptr ? over : current_;
}

bool DeviceFrame::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
  auto* widget = static_cast<QWidget*>(watched);
  if (widget != this && !isAncestorOf(widget)) return false;
  const std::optional<KeyCode> key = KeyCodeFromQt(static_cast<QKeyEvent*>(event)->key());
  if (!key || (EditsInPlace(*widget) && !IsScreenKey(*key))) return false;
  OnKeyDown(*key);
  return true;
}

int DeviceFrame::BarHeight() const { return SharedTextMetrics().BarHeight(); }

// A new title redraws the caption alone: it comes with a screen's answer, in the paint of the
// answer, and the soft keys below have not changed.
void DeviceFrame::SetTitle(std::u16string title) {
  if (title == title_) return;
  title_ = std::move(title);
  Invalidate(CaptionBar());
}

void DeviceFrame::InvalidateBars() {
  Invalidate(CaptionBar());
  Invalidate(SoftKeyBar());
}

Rect DeviceFrame::CaptionBar() const { return Rect{0, 0, width(), BarHeight()}; }

Rect DeviceFrame::SoftKeyBar() const { return Rect{0, height() - BarHeight(), width(), height()}; }

Rect DeviceFrame::ScreenArea() const {
  return Rect{0, BarHeight(), width(), height() - BarHeight()};
}

void DeviceFrame::Place(Window* screen) {
  const Rect area = ScreenArea();
  screen->setParent(this);
  screen->setGeometry(area.left, area.top, area.Width(), area.Height());
}

void DeviceFrame::Adopt(Window* screen) {
  Place(screen);
  screen->hide();
}

void DeviceFrame::ShowScreen(Window* screen) {
  if (current_ != nullptr && current_ != screen) current_->hide();
  current_ = screen;
  InvalidateBars();  // the soft keys are the new screen's
  if (screen == nullptr) return;
  Place(screen);
  screen->show();
  screen->raise();
  // A form that put the cursor in one of its lines while it was opened keeps it there.
  QWidget* wanted = screen->focusWidget();
  if (wanted == nullptr || !screen->isAncestorOf(wanted) || !wanted->isVisible()) wanted = screen;
  wanted->setFocus();
}

void DeviceFrame::OnPaint(Canvas& canvas) {
  // A screen in front covers the area, and its drawing or what it still leaves of the one before.
  if (current_ == nullptr || current_->isHidden()) canvas.DrawPicture(background_, ScreenArea());
  PaintCaption(canvas, CaptionBar());
  PaintSoftKeys(canvas, SoftKeyBar());
}

void DeviceFrame::PaintCaption(Canvas& canvas, const Rect& bar) {
  canvas.FillRect(bar, kCaptionColour);
  int margin = SharedTextMetrics().average_char_width;
  canvas.SetTextColor(kWhite);
  canvas.DrawText(title_, Rect{bar.left + margin, bar.top, bar.right - margin, bar.bottom},
                  kTextLeft | kTextVCenter | kTextSingleLine);
}

void DeviceFrame::PaintSoftKeys(Canvas& canvas, const Rect& bar) {
  canvas.FillRect(bar, kSoftKeyColour);
  canvas.SetPen(Pen{kBarLineColour, 1, PenStyle::kSolid});
  canvas.Line({bar.left, bar.top}, {bar.right, bar.top});
  int middle = (bar.left + bar.right) / 2;
  canvas.Line({middle, bar.top + bar.Height() / 4}, {middle, bar.bottom - bar.Height() / 4});
  const Window* holder = KeyHolder();
  if (holder == nullptr) return;
  const SoftKeyCaptions captions = holder->SoftKeys();
  canvas.SetTextColor(kWhite);
  unsigned centred = kTextCenter | kTextVCenter | kTextSingleLine;
  canvas.DrawText(captions.left, Rect{bar.left, bar.top, middle, bar.bottom}, centred);
  canvas.DrawText(captions.right, Rect{middle, bar.top, bar.right, bar.bottom}, centred);
}

void DeviceFrame::OnKeyDown(KeyCode key) {
  if (Window* holder = KeyHolder()) holder->SendKey(key);
}

void DeviceFrame::closeEvent(QCloseEvent* event) {
  if (!close_handler_) {
    event->accept();
    return;
  }
  event->ignore();
  close_handler_();
}

void DeviceFrame::OnPenDown(Point at) {
  if (at.y < height() - BarHeight()) return;
  OnKeyDown(at.x < width() / 2 ? kKeySoftLeft : kKeySoftRight);
}

}  // namespace tarvello
