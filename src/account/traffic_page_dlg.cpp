#include "account/traffic_page_dlg.h"

#include <string>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"
#include "platform/canvas.h"
#include "platform/prompter.h"

namespace tarvello {

namespace {

constexpr unsigned kLeftText = kTextLeft | kTextVCenter | kTextSingleLine;
constexpr unsigned kRightText = kTextRight | kTextVCenter | kTextSingleLine;
constexpr unsigned kRedrawMs = 2000;
// The page mode of the settings menu, which the page returns to.
constexpr int kSettingsMenuMode = 19;
constexpr int kTotalsFirstRow = 1;
constexpr int kScreensHeaderRow = 7;
// Column edges in thousandths of the width: name, then right-aligned figures.
constexpr int kTotalsColumns[] = {0, 250, 625, 980};
constexpr int kScreenColumns[] = {0, 330, 520, 760, 980};

Rect Cell(const Rect& row, const int* edges, int column) {
  return {row.left + row.Width() * edges[column] / 1000, row.top,
          row.left + row.Width() * edges[column + 1] / 1000, row.bottom};
}

}  // namespace

CTrafficPageDlg::CTrafficPageDlg(TrafficPageParts parts, QWidget* parent)
    : Window(parent), parts_(std::move(parts)) {}

void CTrafficPageDlg::Open() {
  selected_row_ = kAllowanceRow;
  SetTimer(kTimerRedraw, kRedrawMs);
  Invalidate();
}

int CTrafficPageDlg::RowHeight() const { return SharedTextMetrics().LineHeight() + 2; }

Rect CTrafficPageDlg::Row(int row) const {
  const int margin = SharedTextMetrics().average_char_width / 2;
  return {margin, row * RowHeight() + 2, width() - margin, (row + 1) * RowHeight() + 2};
}

void CTrafficPageDlg::OnTimer(unsigned id) {
  if (id != kTimerRedraw) return Window::OnTimer(id);
  if (isVisible()) {
    Invalidate();
  } else {
    KillTimer(kTimerRedraw);
  }
}

void CTrafficPageDlg::ChooseAllowance() {
  if (!parts_.ledger) return;
  const int current = parts_.ledger->Report().totals.allowance_mb;
  std::vector<MenuItem> items;
  for (const int choice : kAllowanceChoices) {
    items.push_back(MenuItem::Command(static_cast<unsigned>(choice) + 1,
                                      AllowanceChoiceText(choice), choice == current));
  }
  const unsigned chosen =
      TrackPopupMenu(items, {Row(kAllowanceRow).left, Row(kAllowanceRow).bottom});
  if (chosen == 0) return;
  parts_.ledger->SetAllowance(static_cast<int>(chosen) - 1);
  Invalidate();
}

void CTrafficPageDlg::AskClear() {
  if (!parts_.ledger) return;
  if (ActivePrompter().MessageBox(kClearQuestion, u"提示", PromptButtons::kYesNo) !=
      PromptAnswer::kYes)
    return;
  parts_.ledger->Clear();
  Invalidate();
}

void CTrafficPageDlg::AskClearCache() {
  if (!parts_.cache) return;
  if (ActivePrompter().MessageBox(kClearCacheQuestion, u"提示", PromptButtons::kYesNo) != PromptAnswer::kYes) return;
  parts_.cache->Clear();
  Invalidate();
}

void CTrafficPageDlg::GoBack() {
  KillTimer(kTimerRedraw);
  if (parts_.navigator) parts_.navigator->GoTo(kTargetMenuPage, kSettingsMenuMode);
}

void CTrafficPageDlg::OnKeyDown(KeyCode key) {
  switch (key) {
    case kKeyEnter:
      return ActOnRow(selected_row_);
    case kKeyUp:
    case kKeyDown:
      selected_row_ = key == kKeyDown && parts_.cache ? kCacheRow : kAllowanceRow;
      return Invalidate();
    case kKeySoftLeft:
      return AskClear();
    case kKeySoftRight:
    case kKeyBack:
      return GoBack();
    default:
      return;
  }
}

void CTrafficPageDlg::OnPenDown(Point at) {
  for (const int row : {kAllowanceRow, kCacheRow}) {
    if (at.y < Row(row).top || at.y >= Row(row).bottom) continue;
    selected_row_ = row;
    Invalidate();
    ActOnRow(row);
  }
}

void CTrafficPageDlg::ActOnRow(int row) {
  if (row == kCacheRow) return AskClearCache();
  ChooseAllowance();
}

void CTrafficPageDlg::OnPaint(Canvas& canvas) {
  if (!parts_.ledger) return;
  const TrafficPage page = BuildTrafficPage(parts_.ledger->Report(),
                                            parts_.periods ? parts_.periods() : TrafficPeriods{});
  canvas.FillRect(Row(selected_row_), kSelectedBand);
  PaintTotals(canvas, page);
  PaintCache(canvas);
  PaintScreens(canvas, page);
}

void CTrafficPageDlg::PaintCache(Canvas& canvas) {
  if (!parts_.cache) return;
  const Rect row = Row(kCacheRow);
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(CacheSizeText(parts_.cache->Size()), row, kLeftText);
  canvas.SetTextColor(kHeaderCyan);
  canvas.DrawText(kClearCacheLine, row, kRightText);
}

void CTrafficPageDlg::PaintTotals(Canvas& canvas, const TrafficPage& page) {
  canvas.SetTextColor(kHeaderCyan);
  const Rect header = Row(0);
  canvas.DrawText(u"已用流量", header, kLeftText);
  for (int i = 0; i < static_cast<int>(page.totals.size()); ++i) {
    const TrafficTotalRow& total = page.totals[static_cast<std::size_t>(i)];
    const Rect row = Row(kTotalsFirstRow + i);
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(total.label, Cell(row, kTotalsColumns, 0), kLeftText);
    canvas.SetTextColor(kVolumeYellow);
    canvas.DrawText(total.kilobytes, Cell(row, kTotalsColumns, 1), kRightText);
    canvas.DrawText(total.megabytes, Cell(row, kTotalsColumns, 2), kRightText);
  }
  canvas.SetTextColor(kPlainWhite);
  canvas.DrawText(page.allowance, Row(kAllowanceRow), kLeftText);
  if (!page.saving) return;
  canvas.SetTextColor(kRiseRed);
  canvas.DrawText(u"省流量：刷新周期已加倍", Row(kCacheRow + 1), kLeftText);
}

void CTrafficPageDlg::PaintScreens(Canvas& canvas, const TrafficPage& page) {
  const Rect header = Row(kScreensHeaderRow);
  canvas.SetTextColor(kHeaderCyan);
  const std::u16string_view titles[] = {u"画面", u"占比", u"本月", u"每小时"};
  for (int column = 0; column < 4; ++column) {
    canvas.DrawText(titles[column], Cell(header, kScreenColumns, column),
                    column == 0 ? kLeftText : kRightText);
  }
  for (int i = 0; i < static_cast<int>(page.screens.size()); ++i) {
    const TrafficScreenRow& screen = page.screens[static_cast<std::size_t>(i)];
    const Rect row = Row(kScreensHeaderRow + 1 + i);
    if (row.bottom > height()) return;
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(screen.name, Cell(row, kScreenColumns, 0), kLeftText);
    canvas.SetTextColor(kVolumeYellow);
    canvas.DrawText(screen.share, Cell(row, kScreenColumns, 1), kRightText);
    canvas.DrawText(screen.month, Cell(row, kScreenColumns, 2), kRightText);
    canvas.DrawText(screen.hourly, Cell(row, kScreenColumns, 3), kRightText);
  }
}

}  // namespace tarvello
