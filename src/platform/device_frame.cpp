#include "platform/device_frame.h"

#include <QCloseEvent>
#include <utility>

#include "base/text_metrics.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr ColorRef kCaptionColour = 0x6B3A10;   // deep blue
constexpr ColorRef kSoftKeyColour = 0x303030;   // dark grey
constexpr ColorRef kBarLineColour = 0x808080;

}  // namespace

DeviceFrame::DeviceFrame(Size screen, QWidget* parent) : Window(parent) {
  setFixedSize(screen.width, screen.height);
  setWindowTitle(QStringLiteral("Tarvello"));
}

int DeviceFrame::BarHeight() const { return SharedTextMetrics().BarHeight(); }

void DeviceFrame::SetTitle(std::u16string title) {
  title_ = std::move(title);
  Invalidate();
}

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
  Invalidate();  // the soft keys are the new screen's
  if (screen == nullptr) return;
  Place(screen);
  screen->show();
  screen->raise();
  screen->setFocus();
}

void DeviceFrame::OnPaint(Canvas& canvas) {
  Rect client = ClientRect();
  int bar = BarHeight();
  canvas.FillRect(client, kBlack);
  canvas.DrawPicture(background_, ScreenArea());
  PaintCaption(canvas, Rect{0, 0, client.right, bar});
  PaintSoftKeys(canvas, Rect{0, client.bottom - bar, client.right, client.bottom});
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
  if (current_ == nullptr) return;
  const SoftKeyCaptions captions = current_->SoftKeys();
  canvas.SetTextColor(kWhite);
  unsigned centred = kTextCenter | kTextVCenter | kTextSingleLine;
  canvas.DrawText(captions.left, Rect{bar.left, bar.top, middle, bar.bottom}, centred);
  canvas.DrawText(captions.right, Rect{middle, bar.top, bar.right, bar.bottom}, centred);
}

void DeviceFrame::OnKeyDown(KeyCode key) {
  if (current_ != nullptr) current_->SendKey(key);
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
