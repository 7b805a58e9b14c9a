#include "account/recommendation.h"

#include <optional>

#include "account/account_texts.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {

namespace {

constexpr std::size_t kMobileDigits = 11;

bool IsSeparator(char16_t c) {
  return c == u',' || c == u';' || c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'，' ||
         c == u'；' || c == u'　';
}

bool IsMobileNumber(std::u16string_view word) {
  if (word.size() != kMobileDigits || word.front() != u'1') return false;
  for (char16_t c : word) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

}  // namespace

FriendNumbers CheckFriendNumbers(std::u16string_view typed) {
  FriendNumbers result;
  std::size_t at = 0;
  while (at < typed.size()) {
    while (at < typed.size() && IsSeparator(typed[at])) ++at;
    std::size_t end = at;
    while (end < typed.size() && !IsSeparator(typed[end])) ++end;
    if (end == at) break;
    const std::u16string_view word = typed.substr(at, end - at);
    if (!IsMobileNumber(word)) return {NumberCheck::kMalformed, {}};
    result.numbers.emplace_back(word.begin(), word.end());
    at = end;
  }
  result.check = result.numbers.empty() ? NumberCheck::kEmpty : NumberCheck::kOk;
  return result;
}

std::u16string_view NumberCheckMessage(NumberCheck check) {
  return check == NumberCheck::kEmpty ? account_text::kNoNumber : account_text::kBadNumber;
}

Bytes BuildRecommendRequest(std::u16string_view user, const std::vector<std::string>& numbers) {
  std::string joined;
  for (const std::string& number : numbers) {
    if (!joined.empty()) joined += ',';
    joined += number;
  }
  const Bytes raw(joined.begin(), joined.end());
  return CPacketCodec().BuildRecommend(user, raw);
}

std::optional<std::uint8_t> ReadRecommendAnswer(std::span<const std::uint8_t> answer) {
  std::optional<std::uint8_t> result;
  ParseContainer(
      [&result](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        if (type != kRecommend || result) return 0;
        BlockReader reader(bytes, start, end);
        const std::uint8_t code = reader.Byte();
        if (!reader.overrun()) result = code;
        return 0;
      },
      answer.data(), answer.size());
  return result;
}

std::u16string_view RecommendMessage(std::optional<std::uint8_t> result) {
  if (!result) return account_text::kRecommendUnknown;
  switch (static_cast<RecommendResult>(*result)) {
    case RecommendResult::kSent: return account_text::kRecommendSent;
    case RecommendResult::kNotLoggedIn: return account_text::kRecommendNotLoggedIn;
    case RecommendResult::kWrongNumber: return account_text::kRecommendWrongNumber;
  }
  return account_text::kRecommendUnknown;
}

std::u16string AppendNumber(std::u16string_view typed, std::u16string_view number) {
  std::u16string text(typed);
  while (!text.empty() && IsSeparator(text.back())) text.pop_back();
  if (!text.empty()) text += u',';
  return text + std::u16string(number);
}

}  // namespace tarvello
