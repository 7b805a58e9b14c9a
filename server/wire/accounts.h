// AccountBook: the user accounts the login answer checks, read from a text file with one account
// per line, "user password [rights [locked]]", blank lines and lines starting with "#" ignored,
// plus the built-in demo account "demo" / "demo". A locked account exists but may not log in.
// Immutable after loading; safe from any thread.
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
  bool locked = false;
};

class AccountBook {
 public:
  AccountBook();  // the demo account only
  // Adds the accounts of a file; false (and `error` set) when it cannot be read or a line is bad.
  bool LoadFile(const std::string& path, std::string& error);
  void Add(Account account) { accounts_.push_back(std::move(account)); }
  const Account* Check(const std::u16string& user, const std::u16string& password) const;
  // The account of that user name, whatever its password; null for an unknown user.
  const Account* Find(const std::u16string& user) const;

 private:
  std::vector<Account> accounts_;
};

}  // namespace tarvello::server
