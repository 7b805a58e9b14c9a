// The K-line screen's keys and stylus: the toolbar and bottom bar cells, the refresh spot, taps
// and drags over the chart. Only the toolbar's top line of text answers a tap; below it the
// toolbar band shares its height with the quote line and acts as the chart does.
#include <algorithm>
#include <cstdlib>

#include "kline/kline_commands.h"
#include "kline/kline_dlg.h"
#include "navigation/navigation.h"
#include "navigation/navigator.h"

namespace tarvello {
namespace {

constexpr int kToolbarCells = 6;

int CellAt(int x, int width) { return std::clamp(x * kToolbarCells / std::max(width, 1), 0, kToolbarCells - 1); }

}  // namespace

void CKLineDlg::OnKeyDown(KeyCode key) {
  if (TakeMenuOrBackKey(key)) return;
  switch (key) {
    case kKeyLeft: ChangeView([](KLineModel& model) { model.MoveCursorLeft(); }); break;
    case kKeyRight: ChangeView([](KLineModel& model) { model.MoveCursorRight(); }); break;
    case kKeyUp: ChangeView([](KLineModel& model) { model.ZoomIn(); }); break;
    case kKeyDown: ChangeView([](KLineModel& model) { model.ZoomOut(); }); break;
    case kKeyEnter: ReturnToList(true); break;
    default: break;
  }
}

// A wheel notch away from the user moves the cursor a bar back, as Left (which extends the
// history at its start), toward the user a bar on; with Ctrl it zooms in and out around the
// pointer.
bool CKLineDlg::OnWheel(int notches, bool zoom, Point at) {
  if (zoom) {
    ZoomAround(notches, at);
  } else {
    RepeatKey(notches, kKeyLeft, kKeyRight);
  }
  return true;
}

// Two fingers apart zoom in a step, together out, around the point between them.
void CKLineDlg::OnPinch(int steps, Point at) { ZoomAround(steps, at); }

void CKLineDlg::ZoomAround(int steps, Point at) {
  ChangeView([&](KLineModel& model) {
    for (int step = 0; step < std::abs(steps); ++step) model.ZoomAt(steps > 0, at.x);
  });
}

void CKLineDlg::OnPenDown(Point at) {
  const ChartLayout layout = Layout();
  pen_ = PenTrack{};
  if (at.y < layout.line) {
    TouchToolbar(at.x);
  } else if (at.y >= layout.bottomBar.top) {
    TouchBottomBar(at.x);
  } else if (at.y >= layout.tickerStrip.top) {
    TouchStrip(at.x);
  } else {
    pen_ = PenTrack{true, false, at, at.x};
  }
}

// Beyond a twentieth of the width from the pen-down point, each further step away moves the
// cursor one bar; steps back toward the point are ignored.
void CKLineDlg::OnPenMove(Point at) {
  if (!pen_.active) return;
  const int reach = width() / 20;
  const bool left = at.x < pen_.down.x - reach && at.x < pen_.lastX;
  const bool right = at.x > pen_.down.x + reach && at.x > pen_.lastX;
  pen_.lastX = at.x;
  if (!left && !right) return;
  pen_.dragged = true;
  if (left) {
    ChangeView([](KLineModel& model) { model.MoveCursorLeft(); });
  } else {
    ChangeView([](KLineModel& model) { model.MoveCursorRight(); });
  }
}

void CKLineDlg::OnPenUp(Point at) {
  const PenTrack pen = pen_;
  pen_ = PenTrack{};
  if (pen.active && !pen.dragged) Tap(at);
}

// A tap in the info box hides the cursor; one in the date row steps it toward that side; one on
// a bar's slot puts it there.
void CKLineDlg::Tap(Point at) {
  const ChartLayout layout = Layout();
  if (viewport().cursorShown && info_box_ && info_box_->Contains(at)) {
    ChangeView([](KLineModel& model) { model.HideCursor(); });
    return;
  }
  if (at.y <= layout.toolbar.bottom || at.y >= layout.tickerStrip.top) return;
  if (at.y > layout.dateRow.top) {
    if (at.x >= layout.width / 2) {
      ChangeView([](KLineModel& model) { model.MoveCursorRight(); });
    } else {
      ChangeView([](KLineModel& model) { model.MoveCursorLeft(); });
    }
    return;
  }
  ChangeView([&](KLineModel& model) {
    const BarSlots places = SlotsFor(model.viewport(), model.total(), layout.width);
    if (const std::optional<int> bar = places.BarAt(at.x)) model.PlaceCursor(*bar);
  });
}

void CKLineDlg::TouchToolbar(int x) {
  const ChartLayout layout = Layout();
  const Point below{0, layout.toolbar.bottom};
  switch (CellAt(x, layout.width)) {
    case 0: ShowMenu(PeriodMenuItems(), below); break;
    case 1: ShowMenu(IndicatorMenuItems(), {layout.width / kToolbarCells, below.y}); break;
    case 2: ChangeView([](KLineModel& model) { model.ZoomIn(); }); break;
    case 3: ChangeView([](KLineModel& model) { model.ZoomOut(); }); break;
    case 4: ToggleSelfSelected(); break;
    default: RunCommand(x < layout.width * 11 / 12 ? kCommandPrevious : kCommandNext); break;
  }
}

// The options menu stands on the bottom bar, three pixels into it, as the futures screen's does.
void CKLineDlg::ShowScreenMenu() {
  ShowMenu(OptionsMenuItems(), {0, Layout().bottomBar.top + 3}, MenuAnchor::kBottomLeft);
}

void CKLineDlg::TouchBottomBar(int x) {
  const ChartLayout layout = Layout();
  switch (CellAt(x, layout.width)) {
    case 0: ShowScreenMenu(); break;
    case 1: Navigate(kTargetStockDetail, 0); break;
    case 3: Navigate(kTargetMenuPage, kTargetKLine); break;
    case 4: Navigate(kTargetFuturesMode3, kTargetKLine); break;
    case 5: GoBack(); break;
    default: break;
  }
}

// The refresh spot at the right end of the ticker strip asks for the newest bar at once, with the
// progress window; the keyboard spot beside it shows or hides the code keyboard.
void CKLineDlg::TouchStrip(int x) {
  if (x * 1000 >= width() * 925) {
    RequestRefresh(true);
  } else if (x * 100 >= width() * 85 && parts_.navigator) {
    parts_.navigator->ToggleKeyboard();
  }
}

}  // namespace tarvello
