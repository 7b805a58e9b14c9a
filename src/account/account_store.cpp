#include "account/account_store.h"

#include "account/account_texts.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"

namespace tarvello {

namespace {

std::filesystem::path FileIn(const std::filesystem::path& folder) { return folder / config::kFileName; }

}  // namespace

StoredAccount LoadStoredAccount(const std::filesystem::path& folder) {
  const std::filesystem::path file = FileIn(folder);
  const std::u16string missing(config::kMissingAccount);
  StoredAccount account{ProfileFile::GetString(config::kInfo, config::kUserName, missing, file),
                        ProfileFile::GetString(config::kInfo, config::kPassword, missing, file)};
  // A second read with another default tells a stored "Error" from a missing key.
  account.registered =
      account.user != missing || ProfileFile::GetString(config::kInfo, config::kUserName, u"", file) == missing;
  return account;
}

bool StoreAccount(const std::filesystem::path& folder, const StoredAccount& account) {
  const std::filesystem::path file = FileIn(folder);
  return ProfileFile::WriteString(config::kInfo, config::kUserName, account.user, file) &&
         ProfileFile::WriteString(config::kInfo, config::kPassword, account.password, file);
}

void ClearStoredAccount(const std::filesystem::path& folder) {
  const std::filesystem::path file = FileIn(folder);
  // A key that is not there is already cleared; the engine's failure for it means nothing here.
  ProfileFile::DeleteEntry(config::kInfo, config::kUserName, u"-", file);
  ProfileFile::DeleteEntry(config::kInfo, config::kPassword, u"-", file);
  ProfileFile::DeleteEntry(config::kInfo, config::kUserId, u"-", file);
}

std::u16string AccountSummary(const StoredAccount& account) {
  if (!account.registered || account.user.empty()) return std::u16string(account_text::kNotRegistered);
  return std::u16string(account_text::kRegisteredAs) + account.user;
}

}  // namespace tarvello
