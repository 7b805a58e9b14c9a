// UTF-16 little-endian without a byte-order mark, the byte form of every INI file. Each pair of
// bytes is one code unit; a trailing odd byte is not part of any character and is dropped.
// Pure functions, safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace tarvello {

std::u16string DecodeUtf16Le(std::string_view bytes);
std::string EncodeUtf16Le(std::u16string_view text);

// The text of an INI file that a person may have edited: a text editor can save it as UTF-16LE
// with a byte-order mark, or as UTF-8 with or without one. A mark is read past. A file without a
// single zero byte cannot be UTF-16LE INI text (every "[", "=" and line end holds one), so it is
// read as UTF-8. Anything else is UTF-16LE, the program's own form, which it always writes.
std::u16string DecodeIniText(std::string_view bytes);

}  // namespace tarvello
