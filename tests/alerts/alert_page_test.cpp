#include <gtest/gtest.h>

#include "alerts/alert_form.h"
#include "alerts/alert_page_layout.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

Point Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// On every screen size the parts stay inside the screen, at least two alerts fit, and a tap on
// the centre of each part hits that part.
TEST(AlertPage, TheLayoutFitsEveryScreenAndHitsWhatItDrawsAndTheFormBoundsTypingAndScrolls) {
  for (const Size size : {Size{480, 640}, Size{240, 320}, Size{240, 240}}) {
    const Rect client{0, 0, size.width, size.height};
    const AlertPageLayout layout = LayOutAlertPage(client, 27, 8);
    EXPECT_GE(layout.VisibleRows(), 2) << size.height;
    EXPECT_LE(layout.ListRow(layout.VisibleRows() - 1).bottom, size.height);
    for (int i = 0; i < kAlertKeyCount; ++i) {
      EXPECT_EQ(AlertPageHitAt(layout, Centre(layout.keys[static_cast<std::size_t>(i)]), 0, 0),
                (AlertPageHit{AlertPageHit::Kind::kKey, i}));
    }
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(AlertPageHitAt(layout, Centre(layout.entries[static_cast<std::size_t>(i)]), 0, 0),
                (AlertPageHit{AlertPageHit::Kind::kCondition, i}));
    }
    EXPECT_EQ(AlertPageHitAt(layout, Centre(layout.DeleteCell(1)), 5, 7), (AlertPageHit{AlertPageHit::Kind::kListDelete, 6}));
    EXPECT_EQ(AlertPageHitAt(layout, Centre(layout.ListRow(1)), 5, 6), AlertPageHit{});
  }
  // Typing stops at the entry's length and ignores other characters; the list keeps the chosen
  // alert in view.
  testing::TempFolder folder;
  AlertForm form(AlertBook::InFolder(folder.path()));
  form.Open(SecurityCode(u"SH600001"));
  for (const char16_t c : std::u16string(u"1a2 .-9999999999999")) form.Type(c);
  EXPECT_EQ(form.entry(0), u"12.-99999999");
  EXPECT_EQ(form.Commit(), kBadFigureText);
  const std::pair<int, int> scrolls[] = {{-1, 3}, {2, 2}, {7, 5}, {9, 7}, {4, 3}};
  for (const auto& [chosen, first] : scrolls) EXPECT_EQ(FirstShownAlert(chosen, 3, 3), first) << chosen;
}

}  // namespace
}  // namespace tarvello
