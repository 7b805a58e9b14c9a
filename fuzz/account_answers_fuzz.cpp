// Feeds arbitrary bytes to the readers of the account screens' answers: the login result, the
// recommendation result and the version answer with its notices.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <span>

#include "account/login_answer.h"
#include "account/recommendation.h"
#include "account/version_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> answer(data, size);
  tarvello::ReadAccountLoginAnswer(answer);
  tarvello::ReadRecommendAnswer(answer);
  const tarvello::VersionAnswer version = tarvello::ReadVersionAnswer(answer);
  if (version.offer) tarvello::UpdateQuestion(*version.offer);
  std::u16string typed(size / 2, u'\0');
  if (!typed.empty()) std::memcpy(typed.data(), data, typed.size() * 2);
  tarvello::CheckFriendNumbers(typed);
  return 0;
}
