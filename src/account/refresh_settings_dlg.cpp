#include "account/refresh_settings_dlg.h"

#include <QComboBox>
#include <QPushButton>
#include <QString>

#include "account/account_style_dlg.h"
#include "base/text_metrics.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "platform/canvas.h"

namespace tarvello {

namespace {

constexpr const char16_t* kPeriodLabels[] = {u"行情列表刷新频率", u"分时图刷新频率", u"K线图刷新频率"};
constexpr const char16_t* kSaveCancel[] = {u"保 存", u"取 消"};

int ChoiceIndexOf(const RefreshSettings& settings, int period) {
  const int seconds[] = {settings.list_seconds, settings.intraday_seconds, settings.kline_seconds};
  return RefreshChoiceIndex(seconds[period]);
}

}  // namespace

CDlgRecommend::CDlgRecommend(RefreshSettingsParts parts, QWidget* parent) : Window(parent), parts_(std::move(parts)) {
  StyleAccountControls(*this);
  for (QComboBox*& list : lists_) {
    list = new QComboBox(this);
    for (int seconds : kRefreshChoices) list->addItem(QString::number(seconds));
  }
  for (int i = 0; i < 2; ++i) {
    buttons_[i] = new QPushButton(QString::fromStdU16String(kSaveCancel[i]), this);
    QObject::connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Press(static_cast<Button>(i)); });
  }
  Layout();
}

void CDlgRecommend::Open() {
  const RefreshSettings current = parts_.current ? parts_.current() : RefreshSettings{};
  for (int period = 0; period < 3; ++period) lists_[period]->setCurrentIndex(ChoiceIndexOf(current, period));
}

void CDlgRecommend::Choose(Period period, int index) { lists_[period]->setCurrentIndex(index); }

int CDlgRecommend::chosen(Period period) const { return lists_[period]->currentIndex(); }

void CDlgRecommend::Press(Button button) {
  if (button == kSave) {
    auto seconds = [this](Period period) { return lists_[period]->currentText().toInt(); };
    const RefreshSettings settings{seconds(kList), seconds(kIntraday), seconds(kKLine)};
    // A file that could not be written keeps the old periods, so the screens keep them too.
    if (!SaveRefreshSettings(settings, parts_.folder)) {
      ActivePrompter().MessageBox(kNotSaved, u"提示", PromptButtons::kOk);
    } else {
      if (parts_.saved) parts_.saved(settings);
      ActivePrompter().MessageBox(kSaved, u"系统设置", PromptButtons::kOk);
    }
  }
  parts_.navigator->GoTo(kTargetMainMenu, 0);
}

SoftKeyCaptions CDlgRecommend::SoftKeys() const { return {u"保存", u"取消"}; }

void CDlgRecommend::OnKeyDown(KeyCode key) {
  if (key == kKeySoftLeft) Press(kSave);
  if (key == kKeySoftRight || key == kKeyBack) Press(kCancel);
}

void CDlgRecommend::resizeEvent(QResizeEvent* event) {
  Window::resizeEvent(event);
  Layout();
}

// Each period takes two bars: its label, then its list; the buttons share the row below.
Rect CDlgRecommend::LabelRect(int period) const {
  const int bar = SharedTextMetrics().BarHeight();
  const int margin = SharedTextMetrics().average_char_width;
  const int top = margin + period * 2 * bar;
  return Rect{margin, top, width() - margin, top + bar};
}

void CDlgRecommend::Layout() {
  const int bar = SharedTextMetrics().BarHeight();
  const int margin = SharedTextMetrics().average_char_width;
  for (int period = 0; period < 3; ++period) {
    const Rect label = LabelRect(period);
    lists_[period]->setGeometry(label.left, label.bottom, label.Width(), bar);
  }
  const int top = LabelRect(3).top + bar / 2;
  const int button_width = (width() - 3 * margin) / 2;
  for (int i = 0; i < 2; ++i) buttons_[i]->setGeometry(margin + i * (button_width + margin), top, button_width, bar);
}

void CDlgRecommend::OnPaint(Canvas& canvas) {
  canvas.SetTextColor(kWhite);
  for (int period = 0; period < 3; ++period) {
    canvas.DrawText(kPeriodLabels[period], LabelRect(period), kTextLeft | kTextVCenter | kTextSingleLine);
  }
}

}  // namespace tarvello
