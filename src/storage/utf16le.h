// UTF-16 little-endian without a byte-order mark, the byte form of every INI file. Each pair of
// bytes is one code unit; a trailing odd byte is not part of any character and is dropped.
// Pure functions, safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace tarvello {

std::u16string DecodeUtf16Le(std::string_view bytes);
std::string EncodeUtf16Le(std::u16string_view text);

}  // namespace tarvello
