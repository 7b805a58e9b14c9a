// The pages of the menu and text page screen: what each page mode shows when it needs nothing from
// a server (the category menus, the help text, the settings and account menus, the fund-flow and
// information-kind menus), and what the action key does on a line of a mode. The modes filled
// from information requests get their content from outside, in the same PageContent form.
// Pure functions, any thread.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "info/page_content.h"
#include "navigation/navigation.h"

namespace tarvello {

// Page modes (the argument of navigation target 1125).
enum PageMode : int {
  kPageCategories = 0,  // Shanghai/Shenzhen categories
  kPageGlobal = 1,
  kPageHongKong = 2,
  kPageFetchedList = 3,  // from request 2500
  kPageInfoCategories = 10,
  kPageInfoTitles = 11,
  kPageArticle = 12,
  kPageF10First = 13,
  kPageF10Last = 17,
  kPageHelp = 18,
  kPageSettingsMenu = 19,
  kPageAccountMenu = 20,
  kPageFundFlow = 21,
  kPageInfoKinds = 22,
};

// "AH股" has no category code of its own among the others; 34 is the free place among the
// Hong Kong categories (30-35).
inline constexpr int kAhShareCategory = 34;
// Entry codes that switch the page itself instead of opening a list.
inline constexpr int kEntryHongKongPage = -1;
inline constexpr int kEntryFetchedListPage = -2;
// The line of the information categories that opens the markup pages.
inline constexpr int kEntryMarkupPages = -3;

// The content of a mode that needs no server; nothing for the modes fed from outside.
std::optional<PageContent> StaticPage(int mode);
// A page fed from outside with the lines the screen adds to it: the information categories end
// with the markup pages ("Tarvello_直播"), so they can be reached whatever the server lists.
PageContent WithOwnEntries(int mode, PageContent fed);
// Modes 12 to 18 show texts.
bool IsTextMode(int mode);

// What the action key does on a line.
struct PageAction {
  enum class Kind { kNone, kSwitchMode, kNavigate };
  Kind kind = Kind::kNone;
  int mode = 0;                           // kSwitchMode
  NavigationRequest navigation;           // kNavigate
  std::optional<int> information_kind;    // mode 10: shared before the switch
  std::optional<std::u16string> article;  // mode 11: shared before the switch
  friend bool operator==(const PageAction&, const PageAction&) = default;
};

// line: the absolute index of the selected entry. The categories (mode 10) and the kinds
// (mode 22) both choose the information kind of the titles.
PageAction ActionOnLine(int mode, const std::vector<PageEntry>& entries, int line);


}  // namespace tarvello
