// The answer to the security search (request 2000): block 2000 holds a 16-bit item count and,
// per item, the code and the name (each a UTF-8 string); the list screen keeps each item as one
// text "code;name". An answer without the block, or with an empty one, has no items; a block cut
// short, or an answer cut inside the block where the buffer ended, keeps the items read in full
// before the cut. Pure functions; safe from any thread.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

// Room for the search answer, as the list screen asks for it.
inline constexpr std::size_t kSearchAnswerCapacity = 2048;

struct SearchItem {
  std::u16string code;
  std::u16string name;
  bool operator==(const SearchItem&) const = default;
};

std::vector<std::u16string> ReadSearchAnswer(std::span<const std::uint8_t> answer);
// Splits an item at its first ";": code before, name after (all of it the code without one).
SearchItem SplitSearchItem(std::u16string_view item);

}  // namespace tarvello
