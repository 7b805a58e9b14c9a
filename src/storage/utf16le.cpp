#include "storage/utf16le.h"

#include <bit>
#include <cstring>

#include "text/text_codec.h"

namespace tarvello {

std::u16string DecodeUtf16Le(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  if constexpr (std::endian::native == std::endian::little) {
    // The file's units are the string's own: one copy (none of nothing, whose bytes may be null).
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(char16_t));
  } else {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const auto low = static_cast<unsigned char>(bytes[2 * i]);
      const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
      text[i] = static_cast<char16_t>(low | (high << 8));
    }
  }
  return text;
}

std::string EncodeUtf16Le(std::u16string_view text) {
  std::string bytes(text.size() * 2, '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
  }
  return bytes;
}

std::u16string DecodeIniText(std::string_view bytes) {
  constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
  constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kUtf16LeMark)) return DecodeUtf16Le(bytes.substr(kUtf16LeMark.size()));
  if (bytes.starts_with(kUtf8Mark)) return text::FromUtf8(bytes.substr(kUtf8Mark.size()));
  if (bytes.find('\0') == std::string_view::npos) return text::FromUtf8(bytes);
  return DecodeUtf16Le(bytes);
}

}  // namespace tarvello
