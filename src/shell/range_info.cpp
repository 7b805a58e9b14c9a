#include "shell/range_info.h"

#include "shell/range_pages.h"

namespace tarvello {

namespace {

// A screen asked for with its own id as the argument is coming back to itself (as a step to the
// next security does): it keeps its caller and its own state (period, indicator, zoom, panel).
NavigationRequest ReturnTo(int screen) { return {screen, screen}; }

}  // namespace

PageOpening OpeningOf(int argument) {
  PageOpening opening;
  opening.mode = argument;
  opening.way_out = {kTargetMainMenu, 0};
  switch (argument) {
    case kTargetStockDetail:
    case kTargetKLine:
    case kTargetFuturesMode3:
      opening.mode = kPageInfoKinds;
      opening.scope = InfoScope::kSecurity;
      opening.way_out = ReturnTo(argument);
      return opening;
    default:
      break;
  }
  if (argument >= kPageF10First && argument <= kPageF10Last) {
    opening.scope = InfoScope::kSecurity;
    opening.way_out = ReturnTo(kTargetStockDetail);
  }
  if (argument == kPageAccountMenu) opening.way_out = {kTargetMenuPage, kPageSettingsMenu};
  return opening;
}

std::optional<InfoQuery> QueryFor(int mode, const InfoChoices& choices) {
  InfoQuery query;
  query.kind = choices.kind;
  query.codes = choices.codes;
  query.article = choices.article;
  query.title = choices.article_title;
  const bool everyone = choices.scope == InfoScope::kEveryone;
  if (mode >= kPageF10First && mode <= kPageF10Last) {
    query.page = InfoPage::kF10;
    query.f10_mode = mode;
  } else if (mode == kPageFetchedList) {
    query.page = InfoPage::kFetchedTitles;
  } else if (mode == kPageInfoCategories) {
    query.page = InfoPage::kCategories;
  } else if (mode == kPageInfoTitles) {
    query.page = everyone ? InfoPage::kGeneralTitles : InfoPage::kTitles;
  } else if (mode == kPageArticle) {
    query.page = choices.scope == InfoScope::kSecurity ? InfoPage::kStockArticle : InfoPage::kArticle;
  } else {
    return std::nullopt;
  }
  return query;
}

}  // namespace tarvello
