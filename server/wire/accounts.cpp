#include "server/wire/accounts.h"

#include <charconv>
#include <fstream>
#include <sstream>

#include "text/text_codec.h"

namespace tarvello::server {

AccountBook::AccountBook() { accounts_.push_back(Account{u"demo", u"demo", 1}); }

bool AccountBook::LoadFile(const std::string& path, std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = "cannot read accounts file " + path;
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    std::istringstream words(line);
    std::string user, password, rights, state;
    if (!(words >> user) || user[0] == '#') continue;
    Account account{text::FromUtf8(user), {}, 1};
    const bool has_password = static_cast<bool>(words >> password);
    if (words >> rights) {
      const auto [ptr, ec] = std::from_chars(rights.data(), rights.data() + rights.size(), account.rights);
      if (ec != std::errc() || ptr != rights.data() + rights.size()) {
        error = path + ":" + std::to_string(number) + ": bad rights value";
        return false;
      }
    }
    if (words >> state) {
      if (state != "locked") {
        error = path + ":" + std::to_string(number) + ": the word after the rights must be \"locked\"";
        return false;
      }
      account.locked = true;
    }
    if (!has_password) {
      error = path + ":" + std::to_string(number) + ": missing password";
      return false;
    }
    account.password = text::FromUtf8(password);
    accounts_.push_back(std::move(account));
  }
  return true;
}

const Account* AccountBook::Check(const std::u16string& user, const std::u16string& password) const {
  const Account* account = Find(user);
  return account != nullptr && account->password == password ? account : nullptr;
}

const Account* AccountBook::Find(const std::u16string& user) const {
  for (const Account& account : accounts_) {
    if (account.user == user) return &account;
  }
  return nullptr;
}

}  // namespace tarvello::server
