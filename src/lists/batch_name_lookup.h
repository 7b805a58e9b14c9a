// The name of a code typed into the batch panel, as the quote server gives it: the panel sends
// the security query (request 2200, BuildSecurityQuery in list_request.h) and reads the name from
// the answer's 2200 block for that code. Pure functions, any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "market/security_code.h"

namespace tarvello {

// Answer bytes the panel keeps room for; a security description is far smaller.
inline constexpr std::size_t kNameAnswerCapacity = 4096;

// The name in the first 2200 block that describes code; empty when the answer has none, the
// block is cut short or the name is empty, which the panel shows as an unknown code.
std::u16string NameInAnswer(const std::uint8_t* bytes, std::size_t length, const SecurityCode& code);

}  // namespace tarvello
