#include "shell/start_dlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QString>

#include "base/text_metrics.h"
#include "platform/canvas.h"

namespace tarvello {
namespace {

constexpr const char16_t* kButtons[] = {u"拨号", u"不拨号", u"退出", u"服务器", u"接入点"};
constexpr int kButtonCount = 5;
constexpr std::u16string_view kCarrierPrompt = u"请选择运营商：";
constexpr const char* kControlStyle =
    "QComboBox, QPushButton { background: #202830; color: white; border: 1px solid #6080a0; }";

}  // namespace

CStartDlg::CStartDlg(StartChoices choices, QWidget* parent)
    : Window(parent), choices_(std::move(choices)), carriers_(new QComboBox(this)) {
  setStyleSheet(kControlStyle);
  FillList();
  QObject::connect(carriers_, &QComboBox::activated, this, [this](int index) { lists_.Select(index); });
  for (int i = 0; i < kButtonCount; ++i) {
    buttons_[i] = new QPushButton(QString::fromStdU16String(kButtons[i]), this);
    QObject::connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Press(i); });
  }
  Layout();
}

void CStartDlg::SetNoNetwork(bool shown) {
  no_network_ = shown;
  Invalidate();
}

int CStartDlg::carrier() const { return lists_.carrier(); }

// Refills the combo box with the shown list and its own selection.
void CStartDlg::FillList() {
  carriers_->clear();
  for (const std::u16string& item : StartChoiceLists::Items(lists_.shown())) {
    carriers_->addItem(QString::fromStdU16String(item));
  }
  carriers_->setCurrentIndex(lists_.selected());
}

void CStartDlg::Press(int button) {
  switch (button) {
    case 0:
      if (choices_.dial) choices_.dial(carrier());
      break;
    case 1:
      if (choices_.no_dial) choices_.no_dial();
      break;
    case 3:
      lists_.Toggle(StartChoiceLists::List::kServers);
      FillList();
      break;
    case 4:
      lists_.Toggle(StartChoiceLists::List::kAccessPoints);
      FillList();
      break;
    default:
      if (choices_.exit) choices_.exit();
      break;
  }
}

void CStartDlg::resizeEvent(QResizeEvent* event) {
  Window::resizeEvent(event);
  Layout();
}

// The text fills the upper half; below it the carrier prompt's line, the combo box, a row of the
// three main buttons and a row of the two list buttons, each one and a half text lines high.
void CStartDlg::Layout() {
  int bar = SharedTextMetrics().BarHeight();
  int margin = SharedTextMetrics().average_char_width;
  int top = TextArea().bottom + bar;
  carriers_->setGeometry(margin, top, width() - 2 * margin, bar);
  int button_width = (width() - 4 * margin) / 3;
  for (int i = 0; i < kButtonCount; ++i) {
    const int row = i / 3;
    const int column = i % 3;
    buttons_[i]->setGeometry(margin + column * (button_width + margin), top + (2 + row * 3 / 2) * bar,
                             button_width, bar);
  }
}

Rect CStartDlg::TextArea() const {
  int margin = SharedTextMetrics().average_char_width;
  return Rect{margin, margin, width() - margin, height() / 2};
}

void CStartDlg::OnPaint(Canvas& canvas) {
  canvas.SetTextColor(kWhite);
  Rect text = TextArea();
  if (no_network_) canvas.DrawText(kNoNetworkText, text, kTextLeft | kTextWordBreak);
  int bar = SharedTextMetrics().BarHeight();
  canvas.DrawText(kCarrierPrompt, Rect{text.left, text.bottom, text.right, text.bottom + bar},
                  kTextLeft | kTextVCenter | kTextSingleLine);
}

}  // namespace tarvello
