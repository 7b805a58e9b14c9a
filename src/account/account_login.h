// The account screen's login: sends 2906 with the typed name and password and, when the server
// accepts them, stores both in "Configuration.ini", keeps the account value for the run and
// stores it as USERID for the version check.
// Any other outcome stores nothing. Blocks on the exchange; any thread but the painter's.
#pragma once

#include <filesystem>

#include "account/account_store.h"
#include "account/login_answer.h"
#include "protocol/exchange_function.h"
#include "settings/account_session.h"

namespace tarvello {

LoginOutcome RunAccountLogin(const ExchangeFunction& exchange, const StoredAccount& typed);

// Stores what an accepted login keeps; nothing for any other outcome. An accepted login holds for
// this run even when the program folder cannot be written; false then tells the caller that the
// account was not stored and the next start will not know it.
bool KeepLogin(const LoginOutcome& outcome, const StoredAccount& typed, const std::filesystem::path& folder,
               AccountSession& session);

}  // namespace tarvello
