#include "account/user_data_dlg.h"

#include <QPushButton>
#include <QString>

#include "account/account_store.h"
#include "account/account_style_dlg.h"
#include "account/account_texts.h"
#include "base/text_metrics.h"
#include "navigation/navigation.h"
#include "platform/address_opener.h"
#include "platform/canvas.h"

namespace tarvello {

namespace {

constexpr const char16_t* kUserDataButtons[] = {u"推荐好友", u"检查更新", u"返　回"};
constexpr ColorRef kNoticeColour = 0xC0C0C0;

}  // namespace

CDlgUserData::CDlgUserData(AccountParts parts, QWidget* parent) : Window(parent), parts_(std::move(parts)) {
  StyleAccountControls(*this);
  for (int i = 0; i < 3; ++i) {
    buttons_[i] = new QPushButton(QString::fromStdU16String(kUserDataButtons[i]), this);
    QObject::connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Press(static_cast<Button>(i)); });
  }
  Layout();
}

void CDlgUserData::Open() {
  summary_ = AccountSummary(LoadStoredAccount(parts_.folder));
  Invalidate();
}

void CDlgUserData::Press(Button button) {
  switch (button) {
    case kRecommend: parts_.navigator->GoTo(kTargetRecommendFriend, 0); break;
    case kCheckVersion: CheckVersion(); break;
    case kBack: parts_.navigator->GoTo(kTargetMenuPage, 20); break;
  }
}

void CDlgUserData::CheckVersion() {
  const ExchangeFunction exchange = parts_.exchange;
  const std::filesystem::path folder = parts_.folder;
  const std::u16string download_page = parts_.download_page;
  errand_.Start([exchange, folder, download_page] { return RunVersionCheck(exchange, folder, download_page); },
                [this] { PostMessage(kMsgErrandDone, 0, 0); });
}

void CDlgUserData::OnMessage(const Message& message) {
  if (message.id != kMsgErrandDone) return;
  if (std::optional<std::optional<VersionAnswer>> answer = errand_.Take()) ShowVersion(*answer);
}

void CDlgUserData::ShowVersion(const std::optional<VersionAnswer>& answer) {
  if (!answer || !answer->offer) {
    ActivePrompter().MessageBox(account_text::kCommError, account_text::kCaption, PromptButtons::kOk);
    return;
  }
  parts_.session->SetNotices(answer->notices, answer->counted_notices);
  Invalidate();
  const UpdateOffer& offer = *answer->offer;
  if (!OffersNewerVersion(offer)) {
    ActivePrompter().MessageBox(account_text::kUpToDate, account_text::kUpdateCaption, PromptButtons::kOk);
    return;
  }
  if (ActivePrompter().MessageBox(UpdateQuestion(offer), account_text::kUpdateCaption, PromptButtons::kYesNo) ==
      PromptAnswer::kYes) {
    ActiveAddressOpener().Open(offer.address);
  }
}

SoftKeyCaptions CDlgUserData::SoftKeys() const { return {u"更新", u"返回"}; }

void CDlgUserData::OnKeyDown(KeyCode key) {
  if (key == kKeySoftLeft) Press(kCheckVersion);
  if (key == kKeySoftRight || key == kKeyBack) Press(kBack);
}

void CDlgUserData::resizeEvent(QResizeEvent* event) {
  Window::resizeEvent(event);
  Layout();
}

Rect CDlgUserData::ButtonRow() const {
  const TextMetrics& metrics = SharedTextMetrics();
  const int margin = metrics.average_char_width;
  const int top = margin + 3 * metrics.LineHeight();
  return Rect{margin, top, width() - margin, top + metrics.BarHeight()};
}

void CDlgUserData::Layout() {
  const Rect row = ButtonRow();
  const int margin = SharedTextMetrics().average_char_width;
  const int button_width = (row.Width() - 2 * margin) / 3;
  for (int i = 0; i < 3; ++i) {
    buttons_[i]->setGeometry(row.left + i * (button_width + margin), row.top, button_width, row.Height());
  }
}

// The summary above the buttons; below them the notices, kind by kind.
void CDlgUserData::OnPaint(Canvas& canvas) {
  const Rect row = ButtonRow();
  canvas.SetTextColor(kWhite);
  canvas.DrawText(summary_, Rect{row.left, 0, row.right, row.top}, kTextLeft | kTextVCenter | kTextWordBreak);
  std::u16string notices;
  for (const std::u16string& text : parts_.session->notices()) notices += text;
  const Rect area{row.left, row.bottom + row.Height() / 2, row.right, height()};
  canvas.SetTextColor(kNoticeColour);
  canvas.SetClip(area);
  canvas.DrawText(notices, area, kTextLeft | kTextWordBreak);
  canvas.ResetClip();
}

}  // namespace tarvello
