#include "account/version_check.h"

#include <algorithm>
#include <vector>

#include "account/account_texts.h"
#include "account/fill_in.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"
#include "settings/configuration_keys.h"
#include "settings/program_version.h"
#include "storage/profile_file.h"

namespace tarvello {

namespace {

constexpr std::size_t kAnswerCapacity = 2048;
constexpr std::u16string_view kPlatform = u"ppc";

std::optional<UpdateOffer> ReadOffer(BlockReader& reader) {
  UpdateOffer offer;
  offer.message = reader.String();
  offer.latest = reader.String();
  offer.address = reader.String();
  offer.announced = reader.Byte() != 0;
  offer.compulsory = reader.Byte() != 0;
  if (reader.overrun()) return std::nullopt;
  return offer;
}

void ReadNotices(BlockReader& reader, VersionAnswer& answer) {
  const int count = reader.Int16();
  for (int i = 0; i < count && !reader.AtEnd(); ++i) {
    const std::uint8_t kind = reader.Byte();
    std::u16string text = reader.String();
    if (reader.overrun()) return;
    if (kind < 1 || kind > kNoticeKinds) continue;
    answer.notices[kind - 1] += text + u"\r\n\r\n";
    if (kind == 1 || kind == 4) ++answer.counted_notices;
  }
}

// The device identifier the registration created, or "Error" before there is one.
std::u16string DeviceIdentifier(const std::filesystem::path& file) {
  return ProfileFile::GetString(config::kInfo, config::kGuid, config::kMissingAccount, file);
}

}  // namespace

VersionAnswer ReadVersionAnswer(std::span<const std::uint8_t> answer) {
  VersionAnswer result;
  ParseContainer(
      [&result](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        BlockReader reader(bytes, start, end);
        if (type == kVersionCheck && !result.offer) {
          result.offer = ReadOffer(reader);
        } else if (type == kNotices) {
          ReadNotices(reader, result);
        }
        return 0;
      },
      answer.data(), answer.size());
  return result;
}

std::optional<VersionAnswer> RunVersionCheck(const ExchangeFunction& exchange, const std::filesystem::path& folder,
                                             const std::u16string& download_page) {
  const std::filesystem::path file = folder / config::kFileName;
  const std::u16string user_id = ProfileFile::GetString(config::kInfo, config::kUserId, config::kMissingAccount, file);
  ProfileFile::WriteString(config::kInfo, config::kDeviceId, DeviceIdentifier(file), file);
  ProfileFile::WriteString(config::kVersionSection, config::kVersionKey, config::kProgramVersion, file);
  const Bytes request = CPacketCodec().BuildVersionCheck(user_id, kPlatform);
  std::vector<std::uint8_t> answer(kAnswerCapacity);
  const int received = exchange(request, answer);
  if (received < 1) return std::nullopt;
  const auto size = std::min(answer.size(), static_cast<std::size_t>(received));
  VersionAnswer read = ReadVersionAnswer(std::span<const std::uint8_t>(answer.data(), size));
  if (read.offer && read.offer->address.empty()) read.offer->address = download_page;
  return read;
}

bool OffersNewerVersion(const UpdateOffer& offer) { return IsNewerVersion(offer.latest, config::kProgramVersion); }

std::u16string UpdateQuestion(const UpdateOffer& offer) {
  return FillIn(account_text::kUpdateQuestion, {offer.latest, offer.address});
}

std::u16string StartupUpdateQuestion(const UpdateOffer& offer) {
  if (offer.message.empty()) return UpdateQuestion(offer);
  return FillIn(u"%s\r\n", {offer.message});
}

void RunStartupVersionCheck(const ExchangeFunction& exchange, const std::filesystem::path& folder,
                            const std::u16string& download_page, AccountSession& session) {
  const std::optional<VersionAnswer> answer = RunVersionCheck(exchange, folder, download_page);
  if (!answer) return;
  session.SetNotices(answer->notices, answer->counted_notices);
  // Only a newer version is offered: a compulsory mark on the version the program already is (or
  // an older one) would otherwise end every start.
  if (answer->offer && OffersNewerVersion(*answer->offer)) {
    const UpdateOffer& offer = *answer->offer;
    session.OfferUpdate(StartupUpdate{StartupUpdateQuestion(offer), offer.address, offer.compulsory});
  }
}

}  // namespace tarvello
