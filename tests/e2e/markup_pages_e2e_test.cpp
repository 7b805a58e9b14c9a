// The markup pages against the simulator: from the main menu's "资讯必读" to its line of the
// markup pages, the simulator's front page, a link to the market summary and "返回" (the page's
// "prev" element) back to the front page.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "pen_events.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "shell/range_pages.h"
#include "simulator_process.h"
#include "started_terminal.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

constexpr auto kWait = std::chrono::seconds(20);
constexpr int kMustReadCell = 7;

class MarkupPagesEndToEnd : public testing::TerminalEndToEnd {
 protected:
  // Waits until the markup view is in front with the page whose address ends in page, showing text.
  CMarkupPageDlg* AwaitPage(std::u16string_view page, std::u16string_view text) {
    CMarkupPageDlg* view = nullptr;
    const bool shown = ProcessEventsUntil(
        [&] {
          view = dynamic_cast<CMarkupPageDlg*>(terminal_->frame().current_screen());
          if (view == nullptr || !Settled(view) || view->busy() || !view->address().ends_with(page))
            return false;
          const std::vector<PageItem> items = view->items();
          return std::any_of(items.begin(), items.end(),
                             [&](const PageItem& item) { return item.text == text; });
        },
        kWait);
    return shown ? view : nullptr;
  }
};

TEST_F(MarkupPagesEndToEnd, MustReadOpensTheFrontPageWhoseLinkLeadsOnAndPrevBack) {
  CDlgMain& main = *terminal_->main_screen();
  for (int i = 0; i < kMustReadCell; ++i) main.SendKey(kKeyRight);
  main.SendKey(kKeyEnter);
  CStockRangeDlg* menu = nullptr;
  ASSERT_TRUE(ProcessEventsUntil(
      [&] {
        menu = terminal_->menu_page();
        return menu != nullptr && Settled(menu) && menu->state().mode() == kPageInfoCategories &&
               !menu->loading() && !menu->state().content().entries.empty();
      },
      kWait));
  const int last = static_cast<int>(menu->state().content().entries.size()) - 1;
  EXPECT_EQ(menu->state().content().entries.back().text, u"Tarvello_直播");
  while (menu->state().SelectedLine() < last) menu->SendKey(kKeyDown);
  menu->SendKey(kKeyEnter);

  CMarkupPageDlg* view = AwaitPage(u"/wap/index.wml", u"市场概况");
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(terminal_->frame().title(), u"Tarvello_直播");
  testing::Tap(*view, testing::CentreOf(*view, u"市场概况"));
  view = AwaitPage(u"/wap/summary.wml", u"上证指数");
  ASSERT_NE(view, nullptr);

  testing::Tap(*view, testing::CentreOf(*view, u"返回"));
  EXPECT_NE(AwaitPage(u"/wap/index.wml", u"市场概况"), nullptr);
}

}  // namespace
}  // namespace tarvello
