#include "account/login_answer.h"

#include <algorithm>

#include "account/account_texts.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {

namespace {

constexpr std::size_t kShortestAnswer = 7;

LoginResult ResultOfCode(std::uint8_t code) {
  switch (code) {
    case 0: return LoginResult::kAccepted;
    case 2: return LoginResult::kWrongPassword;
    case 1:
    case 3:
    case 4:
    case 5: return LoginResult::kRefused;
    default: return LoginResult::kUnknown;
  }
}

}  // namespace

LoginOutcome ReadAccountLoginAnswer(std::span<const std::uint8_t> answer) {
  if (answer.size() < kShortestAnswer) return {LoginResult::kCommError, 0};
  const auto brace = std::find(answer.begin(), answer.end(), std::uint8_t{'{'});
  LoginOutcome outcome{LoginResult::kUnknown, 0};
  if (brace == answer.end()) return outcome;
  const std::span<const std::uint8_t> container(brace, answer.end());
  ParseContainerInOrder(
      [&outcome](std::size_t position, int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        if (position > 0) return -1;
        if (type != kLogin || start == end) return -1;
        BlockReader reader(bytes, start, end);
        const LoginResult result = ResultOfCode(reader.Byte());
        const std::int32_t value = reader.Int32();
        // An acceptance without its account value is a broken answer, not a login.
        if (result == LoginResult::kAccepted && reader.overrun()) return -1;
        outcome = {result, result == LoginResult::kAccepted ? value : 0};
        return -1;  // the first block is all the login needs
      },
      container.data(), container.size());
  return outcome;
}

std::u16string_view LoginMessage(LoginResult result) {
  switch (result) {
    case LoginResult::kCommError: return account_text::kCommError;
    case LoginResult::kAccepted: return account_text::kLoginDone;
    case LoginResult::kWrongPassword: return account_text::kWrongPassword;
    case LoginResult::kRefused: return account_text::kLoginRefused;
    case LoginResult::kUnknown: break;
  }
  return account_text::kUnknownError;
}

}  // namespace tarvello
