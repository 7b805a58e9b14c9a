// Readers of the information answers: the server time (2116) that a security's list request
// carries on, the F10 texts (2600), the information lists (2901 of a security or of several, 2701
// general, 2700 categories, 2500 titles) and the articles (2710). Each reads the first block of
// the answer container and only when it is of its own type; anything else gives nothing or an
// empty list. A list that claims more entries than its block holds gives the entries read so far.
// Pure functions, any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "info/page_content.h"

namespace tarvello {

// The two values of the server time answer, handed on in a security's list request.
struct ServerStamp {
  std::int32_t first = 0;
  std::int32_t second = 0;
};

std::optional<ServerStamp> ReadServerStamp(std::span<const std::uint8_t> answer);
std::optional<std::u16string> ReadF10Text(std::span<const std::uint8_t> answer);
// Title, subtitle and body, one paragraph each.
std::optional<std::u16string> ReadArticleText(std::span<const std::uint8_t> answer);

// Entries with the title as text, the date, time and source as subtitle, and the identifier.
std::vector<PageEntry> ReadInfoTitles(std::span<const std::uint8_t> answer);   // 2901
std::vector<PageEntry> ReadGeneralTitles(std::span<const std::uint8_t> answer);  // 2701
// Entries whose code is the category's information kind.
std::vector<PageEntry> ReadInfoCategories(std::span<const std::uint8_t> answer);  // 2700
// Entries whose code is the value each name carries.
std::vector<PageEntry> ReadFetchedTitles(std::span<const std::uint8_t> answer);  // 2500

// 20261204 -> "2026-12-04"; 93015 -> "09:30" (a time before ten o'clock has five digits).
std::u16string InfoDateText(std::int32_t date);
std::u16string InfoTimeText(std::int32_t time);

}  // namespace tarvello
