#include "account/login_dlg.h"

#include <QEvent>
#include <algorithm>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include "account/account_style_dlg.h"
#include "account/account_texts.h"
#include "account/fill_in.h"
#include "base/text_metrics.h"
#include "navigation/navigation.h"
#include "platform/qt_text.h"
#include "platform/address_opener.h"
#include "platform/canvas.h"

namespace tarvello {

namespace {

constexpr ColorRef kKeyFace = 0x403020;
constexpr ColorRef kKeyEdge = 0xA08060;
constexpr ColorRef kHintColour = 0xC0C0C0;
constexpr std::u16string_view kButtonTexts[] = {account_text::kRegisterButton, account_text::kBackButton,
                                                account_text::kLogoutButton};
constexpr std::u16string_view kLabels[] = {account_text::kUserLabel, account_text::kPasswordLabel};

}  // namespace

CDlgLogin::CDlgLogin(AccountParts parts, QWidget* parent) : Window(parent), parts_(std::move(parts)) {
  StyleAccountControls(*this);
  for (QLineEdit*& field : fields_) {
    field = new QLineEdit(this);
    field->installEventFilter(this);
  }
  fields_[kPassword]->setEchoMode(QLineEdit::Password);
  for (int i = 0; i < 3; ++i) {
    buttons_[i] = new QPushButton(ToQString(kButtonTexts[i]), this);
    buttons_[i]->setFocusPolicy(Qt::NoFocus);
    QObject::connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Press(static_cast<Button>(i)); });
  }
  RefreshSummary();
  Layout();
}

void CDlgLogin::Open(int target) {
  const StoredAccount stored = LoadStoredAccount(parts_.folder);
  switching_ = target == kTargetSwitchUser;
  const bool prefill = !switching_ && stored.registered;
  fields_[kUser]->setText(prefill ? QString::fromStdU16String(stored.user) : QString());
  fields_[kPassword]->clear();
  focused_ = prefill ? kPassword : kUser;
  fields_[focused_]->setFocus();  // the keypad types into the line at once
  RefreshSummary();
}

void CDlgLogin::RefreshSummary() {
  summary_ = AccountSummary(LoadStoredAccount(parts_.folder));
  Invalidate();
}

void CDlgLogin::Type(Field field, const std::u16string& text) { fields_[field]->setText(QString::fromStdU16String(text)); }

std::u16string CDlgLogin::Text(Field field) const { return fields_[field]->text().toStdU16String(); }

bool CDlgLogin::SubmitLogin() {
  const StoredAccount typed{Text(kUser), Text(kPassword)};
  const ExchangeFunction exchange = parts_.exchange;
  const bool started = errand_.Start([exchange, typed] { return RunAccountLogin(exchange, typed); },
                                     [this] { PostMessage(kMsgErrandDone, 0, 0); });
  if (started) sent_ = typed;
  return started;
}

void CDlgLogin::OnMessage(const Message& message) {
  if (message.id != kMsgErrandDone) return;
  if (const std::optional<LoginOutcome> outcome = errand_.Take()) ShowOutcome(*outcome, sent_);
}

void CDlgLogin::ShowOutcome(const LoginOutcome& outcome, const StoredAccount& typed) {
  if (outcome.result != LoginResult::kAccepted) {
    ActivePrompter().MessageBox(LoginMessage(outcome.result), account_text::kCaption, PromptButtons::kOk);
    return;
  }
  const bool kept = KeepLogin(outcome, typed, parts_.folder, *parts_.session);
  RefreshSummary();
  // Switching users ends on the form with the new summary; only the login entry congratulates.
  if (switching_) {
    if (!kept) ActivePrompter().MessageBox(account_text::kAccountNotKept, account_text::kCaption, PromptButtons::kOk);
    return;
  }
  std::u16string done(account_text::kLoginDone);
  if (!kept) done += u"\r\n" + std::u16string(account_text::kAccountNotKept);
  if (ActivePrompter().MessageBox(done, account_text::kCaption, PromptButtons::kYesNo) ==
      PromptAnswer::kYes) {
    parts_.navigator->GoTo(kTargetQuoteList, kTargetLogin);
  }
}

void CDlgLogin::Press(Button button) {
  switch (button) {
    case kRegister: OfferRegistration(); break;
    case kBack: parts_.navigator->GoTo(kTargetMenuPage, 20); break;
    case kLogout: Logout(); break;
  }
}

void CDlgLogin::Logout() {
  if (ActivePrompter().MessageBox(account_text::kLogoutQuestion, account_text::kCaption, PromptButtons::kYesNo) !=
      PromptAnswer::kYes) {
    return;
  }
  ClearStoredAccount(parts_.folder);
  parts_.session->SetAccountValue(std::nullopt);
  for (QLineEdit* field : fields_) field->clear();
  RefreshSummary();
}

void CDlgLogin::OfferRegistration() {
  const std::u16string question = FillIn(account_text::kRegisterQuestion, {parts_.register_page});
  if (ActivePrompter().MessageBox(question, account_text::kRegisterCaption, PromptButtons::kYesNo) ==
      PromptAnswer::kYes) {
    ActiveAddressOpener().Open(parts_.register_page);
  }
}

void CDlgLogin::PressKey(const LoginKey& key) {
  QLineEdit* field = fields_[focused_];
  switch (key.kind) {
    case LoginKey::Kind::kCharacter: field->insert(QString(QChar(key.character))); break;
    case LoginKey::Kind::kDelete: field->backspace(); break;
    case LoginKey::Kind::kSwitchMode:
      mode_ = mode_ == KeyboardMode::kSmall ? KeyboardMode::kCapitals : KeyboardMode::kSmall;
      Invalidate();
      break;
  }
}

bool CDlgLogin::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) focused_ = watched == fields_[kPassword] ? kPassword : kUser;
  return Window::eventFilter(watched, event);
}

SoftKeyCaptions CDlgLogin::SoftKeys() const { return {u"登录", u"返回"}; }

void CDlgLogin::OnKeyDown(KeyCode key) {
  if (key == kKeySoftLeft || key == kKeyEnter) SubmitLogin();
  if (key == kKeySoftRight || key == kKeyBack) Press(kBack);
}

void CDlgLogin::OnPenDown(Point at) {
  if (const std::optional<LoginKey> key = KeyboardKeyAt(KeyboardArea(), at, mode_)) PressKey(*key);
}

void CDlgLogin::resizeEvent(QResizeEvent* event) {
  Window::resizeEvent(event);
  Layout();
}

// From the top: the summary (two lines), the two labelled lines, the buttons, the hint, and the
// keyboard along the bottom, five key rows of one text line and a third each.
CDlgLogin::Areas CDlgLogin::AreasNow() const {
  const TextMetrics& metrics = SharedTextMetrics();
  const int line = metrics.LineHeight();
  const int bar = metrics.BarHeight();
  const int margin = metrics.average_char_width;
  const int right = width() - margin;
  Areas areas;
  areas.summary = Rect{margin, margin, right, margin + 2 * line};
  for (int i = 0; i < 2; ++i) {
    const int top = areas.summary.bottom + i * bar;
    areas.labels[i] = Rect{margin, top, margin + 5 * metrics.max_char_width, top + bar};
  }
  areas.buttons = Rect{margin, areas.labels[1].bottom + margin / 2, right, areas.labels[1].bottom + margin / 2 + bar};
  const int key_row = line * 4 / 3;
  areas.keyboard = Rect{0, std::max(areas.buttons.bottom, height() - kLoginKeyboardRows * key_row), width(), height()};
  areas.hint = Rect{margin, areas.buttons.bottom + margin / 2, right, areas.keyboard.top};
  return areas;
}

Rect CDlgLogin::KeyboardArea() const { return AreasNow().keyboard; }

void CDlgLogin::Layout() {
  const Areas areas = AreasNow();
  const int margin = SharedTextMetrics().average_char_width;
  for (int i = 0; i < 2; ++i) {
    const Rect& label = areas.labels[i];
    fields_[i]->setGeometry(label.right, label.top + 1, areas.buttons.right - label.right, label.Height() - 2);
  }
  const int button_width = (areas.buttons.Width() - 2 * margin) / 3;
  for (int i = 0; i < 3; ++i) {
    buttons_[i]->setGeometry(areas.buttons.left + i * (button_width + margin), areas.buttons.top, button_width,
                             areas.buttons.Height());
  }
}

void CDlgLogin::OnPaint(Canvas& canvas) {
  const Areas areas = AreasNow();
  canvas.SetTextColor(kWhite);
  canvas.DrawText(summary_, areas.summary, kTextLeft | kTextWordBreak);
  for (int i = 0; i < 2; ++i) canvas.DrawText(kLabels[i], areas.labels[i], kTextLeft | kTextVCenter | kTextSingleLine);
  canvas.SetTextColor(kHintColour);
  canvas.SetClip(areas.hint);
  canvas.DrawText(account_text::kHint, areas.hint, kTextLeft | kTextWordBreak);
  canvas.ResetClip();
  PaintKeyboard(canvas, areas.keyboard);
}

void CDlgLogin::PaintKeyboard(Canvas& canvas, const Rect& area) {
  canvas.SetPen(Pen{kKeyEdge});
  canvas.SetBrush(Brush{kKeyFace});
  canvas.SetTextColor(kWhite);
  const std::u16string_view characters = KeyboardCharacters(mode_);
  for (int key = 0; key < kKeyboardKeys; ++key) {
    const Rect box = KeyboardKeyRect(area, key);
    canvas.Rectangle(box);
    std::u16string caption;
    if (key < static_cast<int>(characters.size())) {
      caption = std::u16string(1, characters[static_cast<std::size_t>(key)]);
    } else {
      caption = std::u16string(key == kKeyboardKeys - 2 ? SwitchModeCaption(mode_) : kDeleteCaption);
    }
    canvas.DrawText(caption, box, kTextCenter | kTextVCenter | kTextSingleLine);
  }
}

}  // namespace tarvello
