#include "account/account_login.h"

#include <algorithm>
#include <array>

#include "protocol/packet_codec.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "text/text_codec.h"

namespace tarvello {

namespace {

constexpr std::size_t kAnswerCapacity = 1024;

}  // namespace

LoginOutcome RunAccountLogin(const ExchangeFunction& exchange, const StoredAccount& typed) {
  const Bytes request = CPacketCodec().BuildLogin(typed.user, typed.password);
  std::array<std::uint8_t, kAnswerCapacity> answer{};
  const int received = exchange(request, answer);
  if (received < 1) return {LoginResult::kCommError, 0};
  const auto size = std::min(answer.size(), static_cast<std::size_t>(received));
  return ReadAccountLoginAnswer(std::span<const std::uint8_t>(answer.data(), size));
}

bool KeepLogin(const LoginOutcome& outcome, const StoredAccount& typed, const std::filesystem::path& folder,
               AccountSession& session) {
  if (outcome.result != LoginResult::kAccepted) return true;
  session.SetAccountValue(outcome.account_value);
  // The account value identifies the user to the version check, which reads it as USERID.
  const bool id_kept = ProfileFile::WriteString(config::kInfo, config::kUserId,
                                                text::FromAscii(std::to_string(outcome.account_value)),
                                                folder / config::kFileName);
  return StoreAccount(folder, typed) && id_kept;
}

}  // namespace tarvello
