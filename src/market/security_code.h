// SecurityCode: the one key of a security throughout the terminal, a two-letter upper-case market
// prefix followed by the exchange code ("SH600001", "SZ399001", "BI" for sector indices, "HK").
// Keys compare as exact, case-sensitive text. The type is a plain value; any thread may use its
// own copy.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvello {

class SecurityCode {
 public:
  // Screens keep the request form in a 30-byte zero-filled buffer, so a key holds at most 29.
  static constexpr std::size_t kRequestBufferSize = 30;
  static constexpr std::size_t kMaxRequestLength = kRequestBufferSize - 1;
  // A typed code is complete with its prefix and six digits.
  static constexpr std::size_t kCompleteLength = 8;

  SecurityCode() = default;
  explicit SecurityCode(std::u16string text) : text_(std::move(text)) {}

  static SecurityCode FromAscii(std::string_view text);

  const std::u16string& text() const { return text_; }
  bool empty() const { return text_.empty(); }

  // The first two characters, or less for a shorter key.
  std::u16string_view Prefix() const;
  // The exchange code after the prefix ("600001").
  std::u16string_view Digits() const;
  bool IsShanghai() const { return Prefix() == u"SH"; }
  bool IsShenzhen() const { return Prefix() == u"SZ"; }
  bool IsSector() const { return Prefix() == u"BI"; }
  bool IsHongKong() const { return Prefix() == u"HK"; }
  bool IsComplete() const { return text_.size() == kCompleteLength; }
  // Two upper-case letters, then letters and digits only, and no longer than a request holds:
  // what a stored list may carry. Typing mistakes of other programs' files fail this test.
  bool IsWellFormed() const;

  // The bytes a request carries: one byte per character (a character outside ASCII becomes "?"),
  // cut to what the request buffer holds.
  std::string RequestText() const;

  friend bool operator==(const SecurityCode&, const SecurityCode&) = default;
  friend std::strong_ordering operator<=>(const SecurityCode&, const SecurityCode&) = default;

 private:
  std::u16string text_;
};

}  // namespace tarvello
