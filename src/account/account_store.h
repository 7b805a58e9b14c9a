// The stored account: user name and password in section INFO of "Configuration.ini", kept after a
// successful login and cleared by logout, and the summary line the login form shows for them.
// Stateless; every call reads or rewrites the file (safe from any thread, as the INI engine is).
#pragma once

#include <filesystem>
#include <string>

namespace tarvello {

struct StoredAccount {
  std::u16string user;
  std::u16string password;
  bool registered = false;  // a user name is stored; without one both read as "Error"
};

// A missing key reads as "Error", the value the server refuses, so a recommendation without an
// account is answered "not logged in" rather than sent under an empty name.
StoredAccount LoadStoredAccount(const std::filesystem::path& folder);
// False when the file could not be written.
bool StoreAccount(const std::filesystem::path& folder, const StoredAccount& account);
// Removes the stored user name, password and user id.
void ClearStoredAccount(const std::filesystem::path& folder);

// "您未注册" without a stored name, else "您已注册\r\n用户名：" and the name.
std::u16string AccountSummary(const StoredAccount& account);

}  // namespace tarvello
