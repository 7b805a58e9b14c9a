#include "market/security_code.h"

#include <algorithm>

#include "text/text_codec.h"

namespace tarvello {

namespace {
constexpr std::size_t kPrefixLength = 2;

bool IsUpperAscii(char16_t c) { return c >= u'A' && c <= u'Z'; }
bool IsAsciiLetterOrDigit(char16_t c) {
  return IsUpperAscii(c) || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}
}  // namespace

SecurityCode SecurityCode::FromAscii(std::string_view text) {
  return SecurityCode(text::FromAscii(text));
}

std::u16string_view SecurityCode::Prefix() const {
  return std::u16string_view(text_).substr(0, std::min(text_.size(), kPrefixLength));
}

std::u16string_view SecurityCode::Digits() const {
  return std::u16string_view(text_).substr(std::min(text_.size(), kPrefixLength));
}

bool SecurityCode::IsWellFormed() const {
  if (text_.size() <= kPrefixLength || text_.size() > kMaxRequestLength) return false;
  if (!IsUpperAscii(text_[0]) || !IsUpperAscii(text_[1])) return false;
  return std::all_of(text_.begin(), text_.end(), IsAsciiLetterOrDigit);
}

std::string SecurityCode::RequestText() const {
  std::string bytes = text::ToAscii(text_);
  if (bytes.size() > kMaxRequestLength) bytes.resize(kMaxRequestLength);
  return bytes;
}

}  // namespace tarvello
