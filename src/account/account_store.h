// The stored account: user name and password in section INFO of "Configuration.ini", kept after a
// successful login and cleared by logout, and the summary line the login form shows for them.
// Stateless; every call reads or rewrites the file (safe from any thread, as the INI engine is).
#pragma once

#include <filesystem>
#include <string>

namespace tarvello {

struct StoredAccount {
  std::u16string user;      // empty when none is stored
  std::u16string password;
};

StoredAccount LoadStoredAccount(const std::filesystem::path& folder);
// False when the file could not be written.
bool StoreAccount(const std::filesystem::path& folder, const StoredAccount& account);
// Removes the stored user name and password.
void ClearStoredAccount(const std::filesystem::path& folder);

// "您未注册" without a stored name, else "您已注册\r\n用户名：" and the name.
std::u16string AccountSummary(const std::u16string& user);

}  // namespace tarvello
