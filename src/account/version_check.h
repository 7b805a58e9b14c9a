// The version check (request 1000): the request, the reader of its answer (block 1000 with the
// update offer, block 2913 with the notices) and the questions that follow from it. The program's
// own version is "V3.3"; a latest version counts when it compares as newer, as versions.
//
// Block 1000: three strings (message, latest version, download address) and two flag bytes.
// Block 2913: a count (i16), then per notice a kind byte (1 to 4) and a string; the texts of each
// kind are appended, each followed by a blank line, to that kind's text, and kinds 1 and 4 are
// counted. Notices of other kinds are skipped; a count beyond the block's bytes reads what is there.
//
// Readers and texts are pure; RunVersionCheck reads and writes "Configuration.ini" and blocks on
// the exchange (any thread but the painter's).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

#include "protocol/exchange_function.h"
#include "settings/account_session.h"

namespace tarvello {

// Block 1000 as the program acts on it.
struct UpdateOffer {
  std::u16string message;   // the server's announcement, may be empty
  std::u16string latest;    // the latest version text
  std::u16string address;   // where to download it
  bool announced = false;   // first flag: held, shown nowhere
  bool compulsory = false;  // second flag: the update cannot be declined at start-up
};

struct VersionAnswer {
  std::optional<UpdateOffer> offer;  // from block 1000
  std::array<std::u16string, kNoticeKinds> notices;
  int counted_notices = 0;
};

VersionAnswer ReadVersionAnswer(std::span<const std::uint8_t> answer);

// Reads USERID (default "Error"), writes the device identifier under DEVICEID and the program's
// version under [VERSION] VER, sends 1000 with the user id and "ppc" and reads the answer. An
// offer without a download address gets download_page, the program's own download page.
// Nothing when no answer came back.
std::optional<VersionAnswer> RunVersionCheck(const ExchangeFunction& exchange, const std::filesystem::path& folder,
                                             const std::u16string& download_page);

// True when the offer names a version newer than the program's.
bool OffersNewerVersion(const UpdateOffer& offer);
// The account screen's question for a newer version: latest version and download address.
std::u16string UpdateQuestion(const UpdateOffer& offer);
// The start-up question: the announcement and a line break, or the account screen's question
// when the server sent no announcement.
std::u16string StartupUpdateQuestion(const UpdateOffer& offer);

// The start-up check: keeps the notices and offers the update to the main screen when it is
// newer; a compulsory one is then opened even on No.
void RunStartupVersionCheck(const ExchangeFunction& exchange, const std::filesystem::path& folder,
                            const std::u16string& download_page, AccountSession& session);

}  // namespace tarvello
