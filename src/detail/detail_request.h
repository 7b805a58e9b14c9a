// The one request container the stock detail screen sends per refresh: the minute data (from the
// start of the day), breadth, five-level book, the ten latest ticks, quote, description, then the
// five-level book again for an index future or the ten-level book otherwise, session bounds, the
// further quote fields and, for an index future, its futures quote. Pure, any thread.
#pragma once

#include <string>
#include <string_view>

#include "protocol/bytes.h"

namespace tarvello {

// Answer bytes the screen keeps room for.
inline constexpr std::size_t kDetailAnswerCapacity = 10240;

Bytes BuildDetailRequest(std::string_view code, bool futureMode);

// The answer cache's key of a security's detail answer ("detail SH600001").
std::string DetailCacheKey(std::string_view code);

}  // namespace tarvello
