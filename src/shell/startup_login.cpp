#include "shell/startup_login.h"

#include <array>

#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"

namespace tarvello {

namespace {

constexpr std::size_t kAnswerCapacity = 1024;
constexpr std::size_t kMinimumAnswer = 7;
constexpr int kLoginResultBlock = 2905;

}  // namespace

LoginAnswer ReadLoginAnswer(std::span<const std::uint8_t> answer) {
  LoginAnswer result;
  if (answer.size() < kMinimumAnswer || answer[0] != '{') return result;
  ParseContainer(
      [&result](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        BlockReader reader(bytes, start, end);
        if (type == kLogin || type == kLoginResultBlock) {
          const std::uint8_t code = reader.Byte();
          const std::int32_t rights = reader.Int32();
          if (code == 0 && !reader.overrun()) result.rights = rights;
        } else if (type == kCodeListInfo) {
          const std::int32_t serial = reader.Int32();
          std::u16string text = reader.String();
          if (!reader.overrun()) {
            result.serial = serial;
            result.message = std::move(text);
          }
        }
        return 0;
      },
      answer.data(), answer.size());
  return result;
}

LoginAnswer RunStartupLogin(const ExchangeFunction& exchange, const std::filesystem::path& folder,
                            std::u16string_view placeholder) {
  const std::filesystem::path file = folder / config::kFileName;
  const std::u16string user = ProfileFile::GetString(config::kInfo, config::kUserName, placeholder, file);
  const std::u16string password = ProfileFile::GetString(config::kInfo, config::kPassword, placeholder, file);
  const Bytes request = CPacketCodec().BuildLogin(user, password);
  std::array<std::uint8_t, kAnswerCapacity> answer{};
  const int received = exchange(request, answer);
  if (received < 1) return {};
  return ReadLoginAnswer(std::span<const std::uint8_t>(answer.data(), static_cast<std::size_t>(received)));
}

bool RunningMessage::Offer(std::int32_t serial, std::u16string_view text) {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (last_serial_ == serial) return false;
  last_serial_ = serial;
  text_ += std::u16string(text) + u"\r\n\r\n";
  return true;
}

std::u16string RunningMessage::Text() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return text_;
}

}  // namespace tarvello
