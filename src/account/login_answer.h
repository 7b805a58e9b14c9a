// The account screen's login (request 2906): what an answer says and which message the user sees
// for it. An answer under 7 bytes is a communication error; otherwise its container starts at
// the first "{" and its first block must be a non-empty 2906 block, whose first byte is the
// result code and, for result 0, the next four bytes the account value. Pure functions, any
// thread.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace tarvello {

enum class LoginResult {
  kCommError,      // too short to be an answer, or no answer at all
  kAccepted,       // result 0
  kWrongPassword,  // result 2
  kRefused,        // results 1, 3, 4, 5: the account cannot log in now
  kUnknown,        // any other result, or an answer that cannot be read
};

struct LoginOutcome {
  LoginResult result = LoginResult::kCommError;
  std::int32_t account_value = 0;  // kAccepted only
  friend bool operator==(const LoginOutcome&, const LoginOutcome&) = default;
};

LoginOutcome ReadAccountLoginAnswer(std::span<const std::uint8_t> answer);

// The message box text for an outcome other than kAccepted (whose question is kLoginDone).
std::u16string_view LoginMessage(LoginResult result);

}  // namespace tarvello
