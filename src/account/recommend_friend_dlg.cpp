#include "account/recommend_friend_dlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <algorithm>
#include <vector>

#include "account/account_store.h"
#include "account/account_style_dlg.h"
#include "account/account_texts.h"
#include "account/recommendation.h"
#include "base/text_metrics.h"
#include "navigation/navigation.h"
#include "platform/qt_text.h"
#include "platform/canvas.h"

namespace tarvello {

namespace {

constexpr std::size_t kAnswerCapacity = 1024;
constexpr std::u16string_view kButtons[] = {account_text::kPhoneBookButton, account_text::kSendButton};

std::optional<std::uint8_t> SendRecommendation(const ExchangeFunction& exchange, const Bytes& request) {
  std::vector<std::uint8_t> answer(kAnswerCapacity);
  const int received = exchange(request, answer);
  if (received < 1) return std::nullopt;
  const auto size = std::min(answer.size(), static_cast<std::size_t>(received));
  return ReadRecommendAnswer(std::span<const std::uint8_t>(answer.data(), size));
}

}  // namespace

CDlgRecommendFriend::CDlgRecommendFriend(AccountParts parts, QWidget* parent)
    : Window(parent), parts_(std::move(parts)), numbers_(new QLineEdit(this)) {
  StyleAccountControls(*this);
  numbers_->setPlaceholderText(ToQString(account_text::kRecommendInputHint));
  for (int i = 0; i < 2; ++i) {
    buttons_[i] = new QPushButton(ToQString(kButtons[i]), this);
    QObject::connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Press(static_cast<Button>(i)); });
  }
  Layout();
}

void CDlgRecommendFriend::Open() { numbers_->setFocus(); }

void CDlgRecommendFriend::Type(const std::u16string& text) { numbers_->setText(QString::fromStdU16String(text)); }

std::u16string CDlgRecommendFriend::Text() const { return numbers_->text().toStdU16String(); }

void CDlgRecommendFriend::Press(Button button) {
  if (button == kPhoneBook) {
    PickFromPhoneBook();
  } else {
    Send();
  }
}

void CDlgRecommendFriend::PickFromPhoneBook() {
  const std::vector<Contact> contacts = parts_.phone_book ? parts_.phone_book->Contacts() : std::vector<Contact>{};
  std::vector<MenuItem> items;
  for (std::size_t i = 0; i < contacts.size(); ++i) {
    items.push_back(MenuItem::Command(static_cast<unsigned>(i + 1), contacts[i].name + u" " + contacts[i].number));
  }
  if (items.empty()) return;
  const unsigned chosen = TrackPopupMenu(items, Point{0, PromptArea().bottom});
  if (chosen == 0 || chosen > contacts.size()) return;
  Type(AppendNumber(Text(), contacts[chosen - 1].number));
}

void CDlgRecommendFriend::Send() {
  const FriendNumbers numbers = CheckFriendNumbers(Text());
  if (numbers.check != NumberCheck::kOk) {
    ActivePrompter().MessageBox(NumberCheckMessage(numbers.check), account_text::kCaption, PromptButtons::kOk);
    return;
  }
  const Bytes request = BuildRecommendRequest(LoadStoredAccount(parts_.folder).user, numbers.numbers);
  const ExchangeFunction exchange = parts_.exchange;
  errand_.Start([exchange, request] { return SendRecommendation(exchange, request); },
                [this] { PostMessage(kMsgErrandDone, 0, 0); });
}

void CDlgRecommendFriend::OnMessage(const Message& message) {
  if (message.id != kMsgErrandDone) return;
  if (const std::optional<std::optional<std::uint8_t>> result = errand_.Take()) {
    ActivePrompter().MessageBox(RecommendMessage(*result), account_text::kCaption, PromptButtons::kOk);
  }
}

SoftKeyCaptions CDlgRecommendFriend::SoftKeys() const { return {u"确认", u"返回"}; }

void CDlgRecommendFriend::OnKeyDown(KeyCode key) {
  if (key == kKeySoftLeft || key == kKeyEnter) Send();
  if (key == kKeySoftRight || key == kKeyBack) parts_.navigator->GoTo(kTargetUserData, 0);
}

void CDlgRecommendFriend::resizeEvent(QResizeEvent* event) {
  Window::resizeEvent(event);
  Layout();
}

Rect CDlgRecommendFriend::PromptArea() const {
  const int margin = SharedTextMetrics().average_char_width;
  return Rect{margin, margin, width() - margin, margin + 3 * SharedTextMetrics().LineHeight()};
}

// The prompt, the numbers' line under it and the two buttons below.
void CDlgRecommendFriend::Layout() {
  const Rect prompt = PromptArea();
  const int bar = SharedTextMetrics().BarHeight();
  const int margin = SharedTextMetrics().average_char_width;
  numbers_->setGeometry(prompt.left, prompt.bottom, prompt.Width(), bar);
  const int top = prompt.bottom + bar + margin;
  const int button_width = (prompt.Width() - margin) / 2;
  for (int i = 0; i < 2; ++i) buttons_[i]->setGeometry(prompt.left + i * (button_width + margin), top, button_width, bar);
}

void CDlgRecommendFriend::OnPaint(Canvas& canvas) {
  canvas.SetTextColor(kWhite);
  canvas.DrawText(account_text::kRecommendPrompt, PromptArea(), kTextLeft | kTextWordBreak);
}

}  // namespace tarvello
