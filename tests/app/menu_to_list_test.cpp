// The menu pages and the quote list screen meet on the argument of target 1126: every category
// entry of a menu must open that category's list under the entry's own name.
#include <gtest/gtest.h>

#include "lists/list_codes.h"
#include "lists/list_routes.h"
#include "shell/range_pages.h"

namespace tarvello {
namespace {

TEST(MenuToListTest, EveryCategoryEntryOpensItsOwnList) {
  for (const int mode : {kPageCategories, kPageGlobal, kPageHongKong, kPageFundFlow}) {
    const std::optional<PageContent> page = StaticPage(mode);
    ASSERT_TRUE(page.has_value()) << mode;
    for (int line = 0; line < static_cast<int>(page->entries.size()); ++line) {
      const PageEntry& entry = page->entries[static_cast<std::size_t>(line)];
      const PageAction action = ActionOnLine(mode, page->entries, line);
      if (action.kind != PageAction::Kind::kNavigate) continue;
      const std::optional<ListOpening> opening =
          ListOpeningFor(action.navigation.target, action.navigation.argument);
      ASSERT_TRUE(opening.has_value()) << "mode " << mode << " line " << line;
      if (entry.code == 1111) {
        EXPECT_EQ(opening->mode, kModeSelfSelected);
        continue;
      }
      EXPECT_EQ(opening->category, entry.code) << "mode " << mode << " line " << line;
      EXPECT_EQ(opening->title, entry.text) << "mode " << mode << " line " << line;
    }
  }
}

}  // namespace
}  // namespace tarvello
