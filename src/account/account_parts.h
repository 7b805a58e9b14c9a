// What the account screens need from the program: the exchange for their requests, the
// Navigator, the program folder with "Configuration.ini", the run's AccountSession, the
// registration and download pages and the phone book. The pointers must outlive the screens.
#pragma once

#include <filesystem>
#include <string>

#include "navigation/navigator.h"
#include "platform/phone_book.h"
#include "protocol/exchange_function.h"
#include "settings/account_session.h"

namespace tarvello {

struct AccountParts {
  ExchangeFunction exchange;
  Navigator* navigator = nullptr;
  std::filesystem::path folder;
  AccountSession* session = nullptr;
  std::u16string register_page;
  std::u16string download_page;  // opened for an update offer that names no address
  const PhoneBook* phone_book = nullptr;
};

}  // namespace tarvello
