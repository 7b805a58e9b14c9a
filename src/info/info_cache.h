// The information titles in the answer cache: the titles of one security or of the self-selected
// list (2901) and the titles of one kind for everyone (2701), each kept under a key naming what it
// lists. Pure apart from the cache; any thread.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "info/info_fetch.h"

namespace tarvello {

// The key of a title page's answer ("info 1 1 0 SH600001"); empty for the pages not kept. A key
// whose codes would make it too long names them by a digest instead.
std::string InfoCacheKey(const InfoQuery& query);

// The titles page an answer makes for query; a title list of the page's own kind.
std::vector<PageEntry> ReadTitlesAnswer(InfoPage page, std::span<const std::uint8_t> answer);

// The titles the cache holds for query, with their moment; none when it holds none.
std::optional<PageContent> CachedInfoPage(const InfoQuery& query, const AnswerCache* cache);

}  // namespace tarvello
