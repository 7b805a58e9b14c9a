// Conversions between the wide text of the program (UTF-16 in std::u16string) and the byte
// encodings of the outside world: UTF-8 (server answers) and GBK, the ANSI code page of a
// Simplified Chinese handheld (request strings). Malformed input never fails: every byte
// sequence that cannot be decoded becomes U+FFFD, and every character GBK cannot hold becomes
// "?", as the handheld's own conversion does. All functions are safe to call from any thread.
#pragma once

#include <string>
#include <string_view>

namespace tarvello::text {

inline constexpr char16_t kReplacement = u'\uFFFD';

std::u16string FromUtf8(std::string_view bytes);
std::string ToUtf8(std::u16string_view text);

std::u16string FromGbk(std::string_view bytes);
std::string ToGbk(std::u16string_view text);

// Plain ASCII, for codes and keys that never leave the 7-bit range: each byte widens to one
// character; a byte above 0x7F becomes U+FFFD.
std::u16string FromAscii(std::string_view bytes);
// Narrows each character below 0x80 to a byte; anything else becomes "?".
std::string ToAscii(std::u16string_view text);

}  // namespace tarvello::text
