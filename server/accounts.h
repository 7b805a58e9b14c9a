// AccountBook: the user accounts the login answer checks, read from a text file with one account
// per line, "user password [rights]", blank lines and lines starting with "#" ignored, plus the
// built-in demo account "demo" / "demo". Immutable after loading; safe from any thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvello::server {

struct Account {
  std::u16string user;
  std::u16string password;
  std::int32_t rights = 1;
};

class AccountBook {
 public:
  AccountBook();  // the demo account only
  // Adds the accounts of a file; false (and `error` set) when it cannot be read or a line is bad.
  bool LoadFile(const std::string& path, std::string& error);
  void Add(Account account) { accounts_.push_back(std::move(account)); }
  const Account* Check(const std::u16string& user, const std::u16string& password) const;

 private:
  std::vector<Account> accounts_;
};

}  // namespace tarvello::server
