// Where the alerts page puts its parts, and what a tap hits: a header with the security, the
// four condition rows (label on the left, the figure's entry on the right), the on-screen keys in
// three rows of five (digits, point, minus, erase, "设置" and "删除"), a line that counts the
// alerts, and the list of all alerts with a "删除" cell at the right of each row. Everything
// scales with the bar height, so the page fits 480x640 as well as 240x240. Pure, any thread.
#pragma once

#include <array>
#include <string_view>

#include "base/geometry.h"

namespace tarvello {

inline constexpr int kAlertKeyCount = 15;
inline constexpr std::array<std::u16string_view, kAlertKeyCount> kAlertKeys = {
    u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"0", u".", u"-", u"←", u"设置", u"删除"};
inline constexpr int kEraseKey = 12;
inline constexpr int kSetKey = 13;
inline constexpr int kDeleteKey = 14;
inline constexpr std::u16string_view kDeleteCellText = u"删除";

struct AlertPageLayout {
  Rect header;
  std::array<Rect, 4> labels;
  std::array<Rect, 4> entries;
  std::array<Rect, kAlertKeyCount> keys;
  Rect count;
  Rect list;
  int rowHeight = 1;
  int deleteWidth = 0;

  int VisibleRows() const;
  Rect ListRow(int visibleIndex) const;
  Rect DeleteCell(int visibleIndex) const;
};

AlertPageLayout LayOutAlertPage(const Rect& client, int bar, int charWidth);

struct AlertPageHit {
  enum class Kind { kNone, kCondition, kKey, kListRow, kListDelete };
  Kind kind = Kind::kNone;
  int index = 0;  // the condition, the key, or the alert's index in the whole list
  friend bool operator==(const AlertPageHit&, const AlertPageHit&) = default;
};

// firstRow: the alert shown in the list's first row; alerts: how many there are.
AlertPageHit AlertPageHitAt(const AlertPageLayout& layout, Point at, int firstRow, int alerts);

// The first alert to show so that the chosen one (or -1 for none) stays in view.
int FirstShownAlert(int chosen, int previousFirst, int visibleRows);

}  // namespace tarvello
