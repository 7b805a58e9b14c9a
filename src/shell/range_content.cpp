#include "shell/range_content.h"

#include <utility>

#include "info/info_cache.h"

namespace tarvello {

int RangeContent::Open(int argument, const SecurityCode& current) {
  const PageOpening opening = OpeningOf(argument);
  way_out_ = opening.way_out;
  choices_.scope = opening.scope;
  choices_.codes.clear();
  if (opening.scope == InfoScope::kSecurity && !current.empty()) choices_.codes.push_back(current.text());
  return opening.mode;
}

PageContent RangeContent::ContentOf(int mode) const {
  if (std::optional<PageContent> fixed = StaticPage(mode)) return *fixed;
  const auto handed = handed_.find(mode);
  if (handed != handed_.end()) return handed->second;
  PageContent empty;
  empty.is_text = IsTextMode(mode);
  return empty;
}

// A page asked for earlier no longer counts once another mode is entered.
RangeContent::Entered RangeContent::Enter(int mode, bool can_fetch, const AnswerCache* cache) {
  pending_ = 0;
  const std::optional<InfoQuery> query = can_fetch ? QueryFor(mode, choices_) : std::nullopt;
  if (!query) return {ContentOf(mode), std::nullopt};
  handed_.erase(mode);
  if (std::optional<PageContent> cached = CachedInfoPage(*query, cache)) {
    handed_[mode] = WithOwnEntries(mode, std::move(*cached));
  }
  pending_ = ++tickets_;
  return {ContentOf(mode), Fetch{pending_, *query}};
}

std::optional<PageContent> RangeContent::Arrived(std::uint64_t ticket, int mode, PageContent page) {
  if (ticket != pending_) return std::nullopt;
  pending_ = 0;
  PageContent content = WithOwnEntries(mode, std::move(page));
  handed_[mode] = content;
  return content;
}

void RangeContent::Choose(const PageAction& action, const std::vector<PageEntry>& entries, int line) {
  if (action.information_kind) choices_.kind = *action.information_kind;
  if (action.article) {
    choices_.article = *action.article;
    choices_.article_title = entries[static_cast<std::size_t>(line)].text;
  }
}

}  // namespace tarvello
