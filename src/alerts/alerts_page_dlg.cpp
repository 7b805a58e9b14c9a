#include "alerts/alerts_page_dlg.h"

#include <algorithm>
#include <string>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "platform/canvas.h"

namespace tarvello {

namespace {

constexpr unsigned kRowText = kTextLeft | kTextVCenter | kTextSingleLine;
constexpr unsigned kCellText = kTextCenter | kTextVCenter | kTextSingleLine;

}  // namespace

CAlertsPageDlg::CAlertsPageDlg(AlertsPageParts parts, QWidget* parent)
    : Window(parent), parts_(std::move(parts)), form_(parts_.book) {}

void CAlertsPageDlg::Open(int caller) {
  caller_ = caller;
  first_shown_ = 0;
  form_.Open(parts_.navigator ? parts_.navigator->CurrentSecurity() : SecurityCode());
  Invalidate();
}

SoftKeyCaptions CAlertsPageDlg::SoftKeys() const { return {u"设置", u"返回"}; }

AlertPageLayout CAlertsPageDlg::Layout() const {
  const TextMetrics& metrics = SharedTextMetrics();
  return LayOutAlertPage(ClientRect(), metrics.BarHeight(), metrics.average_char_width);
}

void CAlertsPageDlg::Say(std::optional<std::u16string_view> message) {
  Changed();
  if (message) ActivePrompter().MessageBox(*message, kAlertPageTitle, PromptButtons::kOk);
}

void CAlertsPageDlg::Changed() {
  const int chosen = form_.selected() - kAlertConditionCount;
  first_shown_ = FirstShownAlert(chosen, first_shown_, Layout().VisibleRows());
  first_shown_ = std::min(first_shown_, std::max(0, static_cast<int>(form_.alerts().size()) - 1));
  Invalidate();
}

void CAlertsPageDlg::GoBack() {
  if (!parts_.navigator) return;
  if (caller_ == kTargetQuoteListOtherPage) {
    parts_.navigator->GoTo(kTargetQuoteListOtherPage, kTargetQuoteList);
  } else {
    // Named as the caller, the detail screen keeps the list it was opened from.
    parts_.navigator->GoTo(kTargetStockDetail, kTargetAlerts);
  }
}

void CAlertsPageDlg::PressKey(int key) {
  if (key < 0 || key >= kAlertKeyCount) return;
  if (key == kSetKey) return Say(form_.Commit());
  if (key == kDeleteKey) return Say(form_.DeleteSelected());
  if (key == kEraseKey) {
    form_.Erase();
  } else {
    form_.Type(kAlertKeys[static_cast<std::size_t>(key)].front());
  }
  Changed();
}

void CAlertsPageDlg::OnKeyDown(KeyCode key) {
  switch (key) {
    case kKeyUp: form_.Step(-1); return Changed();
    case kKeyDown: form_.Step(1); return Changed();
    case kKeyEnter:
    case kKeySoftLeft: return PressKey(kSetKey);
    case kKeySoftRight:
    case kKeyBack: return GoBack();
    case kKeyErase: return PressKey(kEraseKey);
    default: break;
  }
  if ((key >= u'0' && key <= u'9') || key == kKeyPoint || key == kKeyMinus) {
    form_.Type(static_cast<char16_t>(key));
    Changed();
  }
}

void CAlertsPageDlg::OnPenDown(Point at) {
  const AlertPageLayout layout = Layout();
  const AlertPageHit hit = AlertPageHitAt(layout, at, first_shown_, static_cast<int>(form_.alerts().size()));
  switch (hit.kind) {
    case AlertPageHit::Kind::kCondition: form_.Select(hit.index); return Changed();
    case AlertPageHit::Kind::kKey: return PressKey(hit.index);
    case AlertPageHit::Kind::kListRow: form_.Select(kAlertConditionCount + hit.index); return Changed();
    case AlertPageHit::Kind::kListDelete:
      form_.Select(kAlertConditionCount + hit.index);
      return Say(form_.DeleteSelected());
    case AlertPageHit::Kind::kNone: return;
  }
}

void CAlertsPageDlg::OnPaint(Canvas& canvas) {
  const AlertPageLayout layout = Layout();
  canvas.SetTextColor(kHeaderCyan);
  const std::u16string security = form_.code().empty() ? std::u16string(kNoSecurityText) : form_.code().text();
  canvas.DrawText(security, layout.header, kRowText);
  PaintConditions(canvas, layout);
  PaintKeys(canvas, layout);
  PaintList(canvas, layout);
}

void CAlertsPageDlg::PaintConditions(Canvas& canvas, const AlertPageLayout& layout) {
  canvas.SetPen(Pen{kFlatGrey});
  canvas.SetBrush(Brush{kBlack});
  for (int i = 0; i < kAlertConditionCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const bool chosen = form_.selected() == i;
    if (chosen) canvas.FillRect(layout.labels[index], kSelectedBand);
    canvas.SetTextColor(kPlainWhite);
    const std::u16string unit = IsPriceCondition(static_cast<AlertCondition>(i)) ? u"" : u"(%)";
    canvas.DrawText(std::u16string(AlertConditionText(static_cast<AlertCondition>(i))) + unit, layout.labels[index],
                    kRowText);
    canvas.Rectangle(layout.entries[index]);
    canvas.SetTextColor(chosen ? kVolumeYellow : kPlainWhite);
    canvas.DrawText(form_.entry(i) + (chosen ? u"_" : u""), layout.entries[index], kRowText);
  }
}

void CAlertsPageDlg::PaintKeys(Canvas& canvas, const AlertPageLayout& layout) {
  canvas.SetPen(Pen{kFlatGrey});
  canvas.SetBrush(Brush{kSelectedBand});
  canvas.SetTextColor(kPlainWhite);
  for (int i = 0; i < kAlertKeyCount; ++i) {
    canvas.Rectangle(layout.keys[static_cast<std::size_t>(i)]);
    canvas.DrawText(kAlertKeys[static_cast<std::size_t>(i)], layout.keys[static_cast<std::size_t>(i)], kCellText);
  }
}

void CAlertsPageDlg::PaintList(Canvas& canvas, const AlertPageLayout& layout) {
  const std::vector<Alert>& alerts = form_.alerts();
  const std::string count = std::to_string(alerts.size()) + "/" + std::to_string(AlertBook::kLimit);
  canvas.SetTextColor(kHeaderCyan);
  canvas.DrawText(u"全部预警 " + std::u16string(count.begin(), count.end()), layout.count, kRowText);
  for (int row = 0; row < layout.VisibleRows() && first_shown_ + row < static_cast<int>(alerts.size()); ++row) {
    const int index = first_shown_ + row;
    if (form_.selected() == kAlertConditionCount + index) canvas.FillRect(layout.ListRow(row), kSelectedBand);
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(AlertRowText(alerts[static_cast<std::size_t>(index)]), layout.ListRow(row), kRowText);
    canvas.SetTextColor(kRiseRed);
    canvas.DrawText(kDeleteCellText, layout.DeleteCell(row), kCellText);
  }
}

}  // namespace tarvello
