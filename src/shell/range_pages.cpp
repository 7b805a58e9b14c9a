#include "shell/range_pages.h"

#include <map>
#include <utility>

#include "navigation/list_argument.h"
#include "shell/help_text.h"

namespace tarvello {
namespace {

PageEntry Item(std::u16string text, int code) {
  PageEntry entry;
  entry.text = std::move(text);
  entry.code = code;
  return entry;
}

const std::map<int, std::vector<PageEntry>>& MenuEntries() {
  static const std::map<int, std::vector<PageEntry>> menus = {
      {kPageCategories,
       {Item(u"沪深A股", 0), Item(u"中小板", 1), Item(u"创业板", 106), Item(u"上证A股", 11),
        Item(u"深证A股", 21), Item(u"上证B股", 12), Item(u"深证B股", 22), Item(u"上证基金", 14),
        Item(u"深证基金", 24), Item(u"上证债券", 13), Item(u"深证债券", 23),
        Item(u"沪深权证", 121)}},
      {kPageGlobal, {Item(u"全球指数", 102)}},
      {kPageHongKong,
       {Item(u"香港指数", 30), Item(u"香港主板", 35), Item(u"国企股", 31), Item(u"红筹股", 32),
        Item(u"蓝筹股", 33), Item(u"AH股", kAhShareCategory)}},
      {kPageSettingsMenu, {Item(u"1：帐户管理", 30), Item(u"2：系统设置", 35), Item(u"3：流量统计", 36)}},
      {kPageAccountMenu,
       {Item(u"1：用户资料", 30), Item(u"2：用户注册/登录", 35), Item(u"3：切换用户注册", 36)}},
      {kPageFundFlow,
       {Item(u"自选股", 1111), Item(u"沪深A股", 0), Item(u"上证A股", 11), Item(u"深证A股", 21),
        Item(u"中小板", 1), Item(u"创业板", 106)}},
      {kPageInfoKinds, {Item(u"1 新闻", 1), Item(u"2 公告", 2), Item(u"3 研报", 16)}},
  };
  return menus;
}

PageAction SwitchTo(int mode) {
  PageAction action;
  action.kind = PageAction::Kind::kSwitchMode;
  action.mode = mode;
  return action;
}

PageAction NavigateTo(int target, int argument) {
  PageAction action;
  action.kind = PageAction::Kind::kNavigate;
  action.navigation = NavigationRequest{target, argument};
  return action;
}

// The account menu's lines open the account screens of the quote list target.
constexpr int kAccountArguments[] = {1145, 1146, 1147};

}  // namespace

std::optional<PageContent> StaticPage(int mode) {
  PageContent page;
  if (mode == kPageHelp) {
    page.text = std::u16string(HelpText());
    page.is_text = true;
    return page;
  }
  const auto& menus = MenuEntries();
  const auto found = menus.find(mode);
  if (found == menus.end()) return std::nullopt;
  page.entries = found->second;
  return page;
}

PageContent WithOwnEntries(int mode, PageContent fed) {
  if (mode == kPageInfoCategories && !fed.is_text) {
    fed.entries.push_back(Item(NavigationTitle(kTargetLiveList, 0).value_or(u""), kEntryMarkupPages));
  }
  return fed;
}

bool IsTextMode(int mode) { return mode >= kPageArticle && mode <= kPageHelp; }

PageAction ActionOnLine(int mode, const std::vector<PageEntry>& entries, int line) {
  if (line < 0 || line >= static_cast<int>(entries.size())) return {};
  const PageEntry& entry = entries[static_cast<std::size_t>(line)];
  switch (mode) {
    case kPageFetchedList:
      return {};
    case kPageInfoCategories:
      if (entry.code == kEntryMarkupPages) return NavigateTo(kTargetLiveList, 0);
      [[fallthrough]];
    case kPageInfoKinds: {
      PageAction action = SwitchTo(kPageInfoTitles);
      action.information_kind = entry.code;
      return action;
    }
    case kPageInfoTitles: {
      PageAction action = SwitchTo(kPageArticle);
      action.article = entry.identifier;
      return action;
    }
    case kPageSettingsMenu:
      if (line == 0) return SwitchTo(kPageAccountMenu);
      return line == 1 ? NavigateTo(kTargetSettings, -2) : NavigateTo(kTargetTraffic, 0);
    case kPageAccountMenu:
      if (line >= 3) return {};
      return NavigateTo(kTargetQuoteList, kAccountArguments[line]);
    default:
      break;
  }
  if (entry.code == kEntryHongKongPage) return SwitchTo(kPageHongKong);
  if (entry.code == kEntryFetchedListPage) return SwitchTo(kPageFetchedList);
  if (mode == kPageFundFlow) return NavigateTo(kTargetQuoteList, FundFlowListArgument(entry.code));
  return NavigateTo(kTargetQuoteList, entry.code);
}

}  // namespace tarvello
