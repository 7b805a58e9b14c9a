// Recommending the program to friends (request 2908): checking the numbers the user typed or
// picked, the request that carries them, and the message for the server's one result byte.
//
// Numbers are separated by commas, semicolons or blanks (ASCII or full-width); each must be a
// mobile number: 11 digits beginning with 1. The request body is the user name as a
// length-prefixed string, then the numbers as raw ASCII, joined by ",".
// Pure functions, any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/bytes.h"

namespace tarvello {

enum class NumberCheck { kOk, kEmpty, kMalformed };

struct FriendNumbers {
  NumberCheck check = NumberCheck::kEmpty;
  std::vector<std::string> numbers;  // kOk only, in the order typed
};

FriendNumbers CheckFriendNumbers(std::u16string_view typed);
// The message for kEmpty or kMalformed.
std::u16string_view NumberCheckMessage(NumberCheck check);

Bytes BuildRecommendRequest(std::u16string_view user, const std::vector<std::string>& numbers);

// The result byte of block 2908; none when the answer holds no such block.
enum class RecommendResult { kSent = 0, kNotLoggedIn = 1, kWrongNumber = 2 };
std::optional<std::uint8_t> ReadRecommendAnswer(std::span<const std::uint8_t> answer);
// The message for a result byte, or for no readable answer (the unknown-error text).
std::u16string_view RecommendMessage(std::optional<std::uint8_t> result);

// The text field after picking a number from the phone book: the number appended with ",".
std::u16string AppendNumber(std::u16string_view typed, std::u16string_view number);

}  // namespace tarvello
